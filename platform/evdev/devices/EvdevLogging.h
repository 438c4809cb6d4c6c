#pragma once

#include <QLoggingCategory>

namespace tarvex {

/// Messages of the key source that reads the kernel's input devices.
Q_DECLARE_LOGGING_CATEGORY(lcEvdev)

} // namespace tarvex
