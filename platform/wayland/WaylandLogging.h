#pragma once

#include <QLoggingCategory>

namespace tarvex {

/// Messages of the parts that talk to a Wayland compositor.
Q_DECLARE_LOGGING_CATEGORY(lcWayland)

} // namespace tarvex
