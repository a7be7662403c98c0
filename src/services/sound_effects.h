// Sound effects: short WAV files from the sound folder, one at a time.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tk {

class SoundEffects {
public:
    // Every effect the game plays.
    static constexpr const char* kNames[] = {"menu", "menumove", "start", "move", "time", "winner", "looser"};

    SoundEffects(Platform& platform, std::string soundFolder)
        : plat_(platform), folder_(std::move(soundFolder)) {}

    // Plays "<name>.wav" and returns at once. The platform's player cuts off the effect
    // still sounding and stays silent for a missing file, so nothing is checked here.
    void Play(const std::string& name) { plat_.PlaySound(folder_ + "/" + name + ".wav"); }

private:
    Platform& plat_;
    std::string folder_;
};

}  // namespace tk
