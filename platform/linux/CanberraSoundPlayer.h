#pragma once

#include "platform/SoundPlayer.h"

#include <QObject>
#include <QThread>

namespace tarvex {

class CanberraWorker;

// Plays WAV files through libcanberra on a thread of its own, so neither
// opening the audio device nor playing ever holds up the caller. A new sound
// stops the one still playing. A missing or unreadable file, or no audio
// device, gives silence. The thread starts with the first sound.
class CanberraSoundPlayer final : public SoundPlayer
{
public:
    CanberraSoundPlayer();
    ~CanberraSoundPlayer() override;

    /// Queues `path` for playing and returns at once.
    void playAsync(const QString& path) override;

    /// True when `path` names a file this player can try (exists and is readable).
    static bool isPlayableFile(const QString& path);

private:
    QThread m_thread;
    CanberraWorker* m_worker = nullptr;
};

} // namespace tarvex
