#pragma once

#include <QString>

namespace tarvex {

/// True when `target` is a web address: it begins with "http:" or "https:" (any letter case),
/// or with a scheme followed by "://" (such as "ftp://" or "sftp://").
bool IsWebAddress(const QString& target);

/// Returns `text` without a leading "http://" when a full address was typed or pasted after it
/// ("http://https://a.example" gives "https://a.example"); any other text comes back unchanged.
QString WithoutDoubledWebPrefix(const QString& text);

/// Returns a message for the user when the web address `address` names no host (such as
/// "http://" alone), else an empty text.
QString ValidateWebAddress(const QString& address);

} // namespace tarvex
