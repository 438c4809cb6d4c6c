#include "platform/linux/XdgDocumentsFolder.h"

#include <QStandardPaths>

namespace tarvex {

QString XdgDocumentsFolder::documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

} // namespace tarvex
