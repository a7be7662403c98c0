// Sound effects and music on SDL_mixer, sharing one audio device opened on first need.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <thread>

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
    // Lets the device go; SDL's last wait for it runs on a thread of its own, which the next
    // Open and the destructor wait for.
    void CloseDevice();
    // One channel: a new effect cuts off the one still playing. True when it sounds.
    bool PlayEffect(const std::string& path);
    // Whether music plays now: then the device is never let go.
    void MusicPlays(bool plays) { musicPlays_ = plays; }

    // A game standing still should not mix silence 43 times a second: after this long with
    // nothing sounding and no music the device is let go, and the next sound opens it again.
    static constexpr std::uint64_t kLetGoAfterMs = 3000;
    // Lets the device go when it has been quiet long enough (`now` on SDL's clock). Returns
    // when to ask again; never, while nothing is open or music plays.
    std::uint64_t LetGoWhenQuiet(std::uint64_t now);

private:
    void FinishClosing();

    const MixerCalls* mix_ = nullptr;
    bool open_ = false;
    bool failed_ = false;  // a missing device is not asked again for every effect
    bool subsystem_ = false;
    bool musicPlays_ = false;
    std::uint64_t lastSound_ = 0;
    std::map<std::string, ChunkHandle> chunks_;
    std::thread closing_;
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
