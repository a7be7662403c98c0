// Effects on one mixer channel and looping music, both silent when there is no audio device.
#include "platform/sdl_sound.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>

namespace tk::sdl {
namespace {

bool IsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

SdlAudio::~SdlAudio() { CloseDevice(); }

bool SdlAudio::Open(int mixRate) {
    if (open_) return true;
    if (failed_) return false;
    if (!subsystem_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            failed_ = true;
            return false;
        }
        subsystem_ = true;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(mixRate > 0 ? mixRate : MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
        failed_ = true;
        return false;
    }
    Mix_AllocateChannels(1);
    open_ = true;
    return true;
}

void SdlAudio::CloseDevice() {
    if (open_) {
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }
    chunks_.clear();
    if (open_) {
        Mix_CloseAudio();
        Mix_Quit();
        open_ = false;
    }
    if (subsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystem_ = false;
    }
}

void SdlAudio::PlayEffect(const std::string& path) {
    if (!IsFile(path) || !Open(44100)) return;
    ChunkHandle& chunk = chunks_[path];
    if (!chunk) chunk.reset(Mix_LoadWAV(path.c_str()));
    if (!chunk) {
        chunks_.erase(path);
        return;
    }
    Mix_HaltChannel(0);
    Mix_PlayChannel(0, chunk.get(), 0);
}

SdlMusic::~SdlMusic() { FreeStreams(); }

bool SdlMusic::Open(int mixRate) { return audio_.Open(mixRate); }

void SdlMusic::FreeStreams() {
    if (playing_ && audio_.IsOpen()) Mix_HaltMusic();
    playing_ = 0;
    streams_.clear();
}

void SdlMusic::Close() {
    FreeStreams();
    audio_.CloseDevice();
}

std::uintptr_t SdlMusic::Load(const std::string& path) {
    if (!audio_.IsOpen() || !IsFile(path)) return 0;
    MusicHandle music(Mix_LoadMUS(path.c_str()));
    if (!music) return 0;
    const std::uintptr_t h = next_++;
    streams_[h] = std::move(music);
    return h;
}

std::uintptr_t SdlMusic::Play(std::uintptr_t stream) {
    auto it = streams_.find(stream);
    if (it == streams_.end() || !audio_.IsOpen()) return 0;
    if (Mix_PlayMusic(it->second.get(), -1) != 0) return 0;
    playing_ = stream;
    return stream;  // one music channel: the stream names it
}

void SdlMusic::Stop(std::uintptr_t stream) {
    if (stream && stream == playing_ && audio_.IsOpen()) {
        Mix_HaltMusic();
        playing_ = 0;
    }
}

void SdlMusic::SetPaused(std::uintptr_t, bool paused) {
    if (!audio_.IsOpen()) return;
    if (paused) {
        Mix_PauseMusic();
    } else {
        Mix_ResumeMusic();
    }
}

void SdlMusic::SetVolume(std::uintptr_t, int volume) {
    if (!audio_.IsOpen()) return;
    Mix_VolumeMusic(std::clamp(volume, 0, 255) * MIX_MAX_VOLUME / 255);
}

}  // namespace tk::sdl
