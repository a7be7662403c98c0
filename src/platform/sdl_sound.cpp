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

// FMOD's FSOUND_LOOP_NORMAL.
constexpr int kLoopNormal = 2;

}  // namespace

SdlAudio::~SdlAudio() { CloseDevice(); }

bool SdlAudio::Open(int mixRate) {
    if (open_) return true;
    // Asking a missing sound server again for every effect could stall the game.
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
    for (auto& [path, chunk] : chunks_) Mix_FreeChunk(chunk);
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
    Mix_Chunk*& chunk = chunks_[path];
    if (!chunk) chunk = Mix_LoadWAV(path.c_str());
    if (!chunk) {
        chunks_.erase(path);
        return;
    }
    Mix_HaltChannel(0);
    Mix_PlayChannel(0, chunk, 0);
}

SdlMusic::~SdlMusic() { FreeStreams(); }

bool SdlMusic::Available(std::string*) { return true; }

bool SdlMusic::Init(int mixRate, int, int) {
    if (!audio_.Open(mixRate)) {
        error_ = 3;  // "Error initializing output device"
        return false;
    }
    error_ = 0;
    return true;
}

void SdlMusic::FreeStreams() {
    if (playing_ && audio_.IsOpen()) Mix_HaltMusic();
    playing_ = 0;
    for (auto& [h, s] : streams_) Mix_FreeMusic(s.music);
    streams_.clear();
}

void SdlMusic::Close() {
    FreeStreams();
    audio_.CloseDevice();
}

std::uintptr_t SdlMusic::StreamOpen(const std::string& path, int mode) {
    if (!audio_.IsOpen() || !IsFile(path)) return 0;
    Mix_Music* m = Mix_LoadMUS(path.c_str());
    if (!m) return 0;
    const std::uintptr_t h = next_++;
    streams_[h] = Stream{m, (mode & kLoopNormal) != 0};
    return h;
}

std::uintptr_t SdlMusic::StreamPlay(int channel, std::uintptr_t stream) {
    auto it = streams_.find(stream);
    if (it == streams_.end() || !audio_.IsOpen()) return 0;
    if (Mix_PlayMusic(it->second.music, it->second.loop ? -1 : 0) != 0) return 0;
    playing_ = stream;
    return static_cast<std::uintptr_t>(std::max(channel, 0)) + 1;
}

void SdlMusic::StreamStop(std::uintptr_t stream) {
    if (stream && stream == playing_ && audio_.IsOpen()) {
        Mix_HaltMusic();
        playing_ = 0;
    }
}

bool SdlMusic::GetPaused(std::uintptr_t) { return audio_.IsOpen() && Mix_PausedMusic() != 0; }

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
