// The music: one piece, played round and round while the player has it on.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tk {

// The one piece, in the music folder.
inline constexpr const char* kMusicFile = "Lumfex - Little bit of happiness.mp3";

class Music {
public:
    Music(Platform& platform, std::string file) : plat_(platform), file_(std::move(file)) {}

    // Opens the sound device, once, at start-up; false when there is none, and the music
    // then stays off whatever the player chooses.
    bool OpenDevice();
    bool HasDevice() const { return device_; }
    // On starts the piece from its beginning; off stops it.
    void Switch(bool on);
    void CloseDevice();

private:
    Platform& plat_;
    std::string file_;
    bool device_ = false;
};

}  // namespace tk
