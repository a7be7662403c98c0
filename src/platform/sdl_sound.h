// Sound effects and music on SDL_mixer, sharing one audio device opened on first need.
#pragma once

#include <map>
#include <string>

#include "platform/platform.h"
#include "platform/sdl_mixer_library.h"

namespace tk::sdl {

class SdlAudio {
public:
    SdlAudio() = default;
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    // Opens the sound library in the background, for a device opened later.
    void Prepare() { opener_.Start(); }
    // Opens the device once; false when there is none (then everything stays silent).
    bool Open(int mixRate);
    bool IsOpen() const { return open_; }
    // The mixer's calls; only while the device is open.
    const MixerCalls& Mix() const { return *mix_; }
    void CloseDevice();
    // One channel: a new effect cuts off the one still playing. True when it sounds.
    bool PlayEffect(const std::string& path);

private:
    const MixerCalls* mix_ = nullptr;
    bool open_ = false;
    bool failed_ = false;  // a missing device is not asked again for every effect
    bool subsystem_ = false;
    std::map<std::string, ChunkHandle> chunks_;
    MixerOpener opener_;  // last: its thread is joined before the rest goes
};

class SdlMusic : public MusicPlayer {
public:
    explicit SdlMusic(SdlAudio& audio) : audio_(audio) {}
    ~SdlMusic() override { Stop(); }

    bool OpenDevice() override { return audio_.Open(kMixRate); }
    void CloseDevice() override;
    bool Play(const std::string& path) override;
    void Stop() override;

    static constexpr int kMixRate = 44100;

private:
    SdlAudio& audio_;
    MusicHandle piece_;
};

}  // namespace tk::sdl
