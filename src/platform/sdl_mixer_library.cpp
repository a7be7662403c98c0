// Opening SDL_mixer by its name and taking its calls. Linked in, its codecs would bring some
// forty libraries into every start of the program, before the window can come up.
#include "platform/sdl_mixer_library.h"

#include <dlfcn.h>

namespace tk::sdl {
namespace {

constexpr const char* kLibrary = "libSDL2_mixer-2.0.so.0";

template <class F>
bool Take(void* library, const char* name, F& call) {
    call = reinterpret_cast<F>(dlsym(library, name));
    return call != nullptr;
}

MixerCalls* Open() {
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    static MixerCalls calls;
    const bool all = Take(library, "Mix_Init", calls.Init) && Take(library, "Mix_Quit", calls.Quit) &&
                     Take(library, "Mix_OpenAudio", calls.OpenAudio) &&
                     Take(library, "Mix_CloseAudio", calls.CloseAudio) &&
                     Take(library, "Mix_AllocateChannels", calls.AllocateChannels) &&
                     Take(library, "Mix_LoadWAV", calls.LoadWAV) && Take(library, "Mix_FreeChunk", calls.FreeChunk) &&
                     Take(library, "Mix_PlayChannel", calls.PlayChannel) &&
                     Take(library, "Mix_HaltChannel", calls.HaltChannel) &&
                     Take(library, "Mix_Playing", calls.Playing) &&
                     Take(library, "Mix_LoadMUS", calls.LoadMUS) && Take(library, "Mix_FreeMusic", calls.FreeMusic) &&
                     Take(library, "Mix_PlayMusic", calls.PlayMusic) &&
                     Take(library, "Mix_HaltMusic", calls.HaltMusic);
    // An older library without one of the calls stays silent rather than half working.
    return all ? &calls : nullptr;
}

}  // namespace

const MixerCalls* Mixer() {
    static const MixerCalls* const calls = Open();
    return calls;
}

void MixerOpener::Start() {
    if (!thread_.joinable()) thread_ = std::thread([] { Mixer(); });
}

MixerOpener::~MixerOpener() {
    if (thread_.joinable()) thread_.join();
}

void MixerFree::operator()(Mix_Chunk* chunk) const {
    if (chunk && Mixer()) Mixer()->FreeChunk(chunk);
}

void MixerFree::operator()(Mix_Music* music) const {
    if (music && Mixer()) Mixer()->FreeMusic(music);
}

}  // namespace tk::sdl
