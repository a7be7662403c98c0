// The music module: numbered stream slots over the platform's music library.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace tk {

class mFmod {
public:
    explicit mFmod(Platform& platform) : plat_(platform) {}

    static std::string fmodErrorText(int code);

    void fmodInit(int streamBufferMs, int mixRate, int channels, int initFlags, int outputType,
                  int mixerType, int driver);
    void fmodClose();
    void streamOpen(const std::string& path, int mode, int slot, bool playNow, int volume);
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
    bool libraryUsable_ = false;  // the library could be loaded at all
    bool started_ = false;        // and it accepted the output device
    std::string failure_;         // why it did not start; shown once, when music is asked for
    bool failureShown_ = false;
};

}  // namespace tk
