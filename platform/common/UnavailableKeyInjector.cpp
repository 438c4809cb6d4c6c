#include "platform/common/UnavailableKeyInjector.h"

#include <QCoreApplication>

namespace tarvex {

QString UnavailableKeyInjector::unavailableReason() const
{
    return QCoreApplication::translate("tarvex::UnavailableKeyInjector",
                                       "This desktop does not let Tarvex type keys.");
}

} // namespace tarvex
