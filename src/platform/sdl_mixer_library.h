// SDL_mixer, opened when sound is first needed rather than when the program starts.
#pragma once

#include <SDL_mixer.h>

#include <memory>
#include <thread>

namespace tk::sdl {

// The calls the game makes, taken from the library once it is open.
struct MixerCalls {
    decltype(&Mix_Init) Init;
    decltype(&Mix_Quit) Quit;
    decltype(&Mix_OpenAudio) OpenAudio;
    decltype(&Mix_CloseAudio) CloseAudio;
    decltype(&Mix_AllocateChannels) AllocateChannels;
    decltype(&Mix_LoadWAV) LoadWAV;
    decltype(&Mix_FreeChunk) FreeChunk;
    decltype(&Mix_PlayChannel) PlayChannel;
    decltype(&Mix_HaltChannel) HaltChannel;
    decltype(&Mix_Playing) Playing;
    decltype(&Mix_LoadMUS) LoadMUS;
    decltype(&Mix_FreeMusic) FreeMusic;
    decltype(&Mix_PlayMusic) PlayMusic;
    decltype(&Mix_HaltMusic) HaltMusic;
};

// The library, opened on the first call and kept for the life of the process; null when
// it cannot be opened, and then there is no sound, as without an audio device.
const MixerCalls* Mixer();

// Opens the library on a thread of its own while nothing else needs the time, so that
// sound's first Mixer() finds it open (or waits for the rest of the opening).
class MixerOpener {
public:
    MixerOpener() = default;
    ~MixerOpener();
    MixerOpener(const MixerOpener&) = delete;
    MixerOpener& operator=(const MixerOpener&) = delete;
    void Start();

private:
    std::thread thread_;
};

struct MixerFree {
    void operator()(Mix_Chunk* chunk) const;
    void operator()(Mix_Music* music) const;
};
using ChunkHandle = std::unique_ptr<Mix_Chunk, MixerFree>;
using MusicHandle = std::unique_ptr<Mix_Music, MixerFree>;

}  // namespace tk::sdl
