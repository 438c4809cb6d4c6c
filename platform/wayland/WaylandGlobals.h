#pragma once

#include <QStringList>

#include <optional>

namespace tarvex {

/// The interface names the session's Wayland compositor (WAYLAND_DISPLAY) advertises, read on
/// a short connection of their own; nothing when WAYLAND_DISPLAY is unset or unreachable.
std::optional<QStringList> waylandGlobals();

} // namespace tarvex
