// The music module: numbered stream slots over the platform's music player, its messages
// and its table of error texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tk {

// The one piece, in the music folder.
inline constexpr const char* kMusicFile = "Lumfex - Little bit of happiness.mp3";

class mFmod {
public:
    explicit mFmod(Platform& platform) : plat_(platform) {}

    static std::string fmodErrorText(int code);

    // Opens the audio device for `channels` stream slots. A failure goes to standard
    // error, and is shown once in a box the first time music is asked for; every later
    // music call stays silent.
    void fmodInit(int mixRate, int channels);
    void fmodClose();
    // Opens `path` as a looping stream in `slot`; with `playNow` it plays at `volume`.
    void streamOpen(const std::string& path, int slot, bool playNow, int volume);
    void streamPlay(int slot);
    void streamTogglePause(int slot);
    void streamStop(int slot);
    void streamSetVolume(int slot, int volume);

    std::int32_t maxChannels = 0;
    std::array<std::uintptr_t, 65> streamHandles{};
    std::array<std::uintptr_t, 65> streamChannels{};

private:
    bool validSlot(int slot) const;
    void noteFailure(const std::string& message);

    Platform& plat_;
    bool started_ = false;  // the device opened
    std::string failure_;   // why it did not start; shown once, when music is first asked for
    bool failureShown_ = false;
    std::array<bool, 65> paused_{};
};

}  // namespace tk
