#pragma once

#include <QString>

namespace tarvex {

/// Opens a hotkey's target: an executable file is started directly (the whole target is the
/// program path, no arguments, no shell); anything else (file, folder, address) goes to the
/// desktop's opener. Returns without waiting for the opened program.
class Opener
{
public:
    virtual ~Opener() = default;

    /// Opens `target` unchanged as one item; returns true when the request was accepted.
    virtual bool open(const QString& target) = 0;
};

} // namespace tarvex
