#pragma once

#include "platform/SoundPlayer.h"
#include "tests/fakes/CallLog.h"

namespace tarvex {

/// Records "play <path>".
class FakeSoundPlayer final : public SoundPlayer, public CallLog
{
public:
    void playAsync(const QString& path) override { record(QStringLiteral("play ") + path); }
};

} // namespace tarvex
