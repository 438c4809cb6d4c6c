#pragma once

#include <QString>

namespace tarvex {

/// Plays WAV files without blocking the caller.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    /// Starts playing the WAV file at `path` and returns at once; failures are silent.
    virtual void playAsync(const QString& path) = 0;
};

} // namespace tarvex
