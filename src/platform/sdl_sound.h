// Sound effects and music on SDL_mixer, sharing one audio device opened on first need.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <map>
#include <string>

#include "platform/platform.h"

namespace tk::sdl {

class SdlAudio {
public:
    SdlAudio() = default;
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the device once; false when there is none (then everything stays silent).
    bool Open(int mixRate);
    bool IsOpen() const { return open_; }
    void CloseDevice();
    // One channel: a new effect cuts off the one still playing.
    void PlayEffect(const std::string& path);

private:
    bool open_ = false;
    bool failed_ = false;
    bool subsystem_ = false;
    std::map<std::string, Mix_Chunk*> chunks_;
};

class SdlMusic : public MusicLibrary {
public:
    explicit SdlMusic(SdlAudio& audio) : audio_(audio) {}
    ~SdlMusic() override;

    bool Available(std::string* why) override;
    bool Init(int mixRate, int maxChannels, int flags) override;
    int GetError() override { return error_; }
    void Close() override;
    std::uintptr_t StreamOpen(const std::string& path, int mode) override;
    std::uintptr_t StreamPlay(int channel, std::uintptr_t stream) override;
    void StreamStop(std::uintptr_t stream) override;
    bool GetPaused(std::uintptr_t channel) override;
    void SetPaused(std::uintptr_t channel, bool paused) override;
    void SetVolume(std::uintptr_t channel, int volume) override;

private:
    struct Stream {
        Mix_Music* music = nullptr;
        bool loop = false;
    };
    void FreeStreams();

    SdlAudio& audio_;
    int error_ = 0;
    std::map<std::uintptr_t, Stream> streams_;
    std::uintptr_t next_ = 1;
    std::uintptr_t playing_ = 0;
};

}  // namespace tk::sdl
