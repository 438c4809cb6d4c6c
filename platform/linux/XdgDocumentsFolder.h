#pragma once

#include "platform/DocumentsFolder.h"

namespace tarvex {

// The Documents folder of the XDG user directories (XDG_DOCUMENTS_DIR, by
// default ~/Documents).
class XdgDocumentsFolder final : public DocumentsFolder
{
public:
    /// Returns the folder path, or "" when none is known.
    QString documentsFolder() override;
};

} // namespace tarvex
