#pragma once

#include <QString>
#include <QStringList>

namespace tarvex {

/// Opens a hotkey's target: an executable file is started directly (the whole target is the
/// program path, its arguments each one argument, no shell); anything else (file, folder,
/// address) goes to the desktop's opener, which gets no arguments. Returns without waiting for
/// the opened program.
class Opener
{
public:
    virtual ~Opener() = default;

    /// Opens `target` unchanged as one item, a program with exactly `arguments` (ignored for
    /// anything else); returns true when the request was accepted.
    virtual bool open(const QString& target, const QStringList& arguments) = 0;
    /// Opens `target` without arguments.
    bool open(const QString& target) { return open(target, {}); }
};

} // namespace tarvex
