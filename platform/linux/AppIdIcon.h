#pragma once

#include <QIcon>
#include <QString>

namespace tarvex {

/// The icon of the program whose Wayland app id is `appId`: the app id names its desktop file
/// (applications/<appId>.desktop in the XDG data folders), whose Icon key gives a theme icon
/// name or a file path; without such a file, the theme icon named like the app id. A null icon
/// when there is none.
QIcon appIdIcon(const QString& appId);

} // namespace tarvex
