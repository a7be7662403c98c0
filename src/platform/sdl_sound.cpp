// Effects on one mixer channel and looping music, both silent when there is no audio device.
#include "platform/sdl_sound.h"

#include <SDL.h>

#include <algorithm>
#include <filesystem>

namespace tk::sdl {
namespace {

constexpr int kBufferFrames = 1024;

bool IsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

SdlAudio::~SdlAudio() { CloseDevice(); }

bool SdlAudio::Open(int mixRate) {
    if (open_) return true;
    if (failed_) return false;
    mix_ = Mixer();
    if (!mix_) {
        failed_ = true;
        return false;
    }
    if (!subsystem_) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            failed_ = true;
            return false;
        }
        subsystem_ = true;
    }
    mix_->Init(MIX_INIT_MP3);
    // SDL lets the device drain for two buffers when it is closed, so the buffer decides
    // how long the program takes to end: 1024 frames (23 ms) keep that to 46 ms.
    if (mix_->OpenAudio(mixRate > 0 ? mixRate : MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, kBufferFrames) != 0) {
        failed_ = true;
        return false;
    }
    mix_->AllocateChannels(1);
    open_ = true;
    return true;
}

void SdlAudio::CloseDevice() {
    if (open_) {
        mix_->HaltChannel(-1);
        mix_->HaltMusic();
    }
    chunks_.clear();
    if (open_) {
        mix_->CloseAudio();
        mix_->Quit();
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
    if (!chunk) chunk.reset(mix_->LoadWAV(path.c_str()));
    if (!chunk) {
        chunks_.erase(path);
        return;
    }
    mix_->HaltChannel(0);
    mix_->PlayChannel(0, chunk.get(), 0);
}

SdlMusic::~SdlMusic() { FreeStreams(); }

bool SdlMusic::Open(int mixRate) { return audio_.Open(mixRate); }

void SdlMusic::FreeStreams() {
    if (playing_ && audio_.IsOpen()) audio_.Mix().HaltMusic();
    playing_ = 0;
    streams_.clear();
}

void SdlMusic::Close() {
    FreeStreams();
    audio_.CloseDevice();
}

std::uintptr_t SdlMusic::Load(const std::string& path) {
    if (!audio_.IsOpen() || !IsFile(path)) return 0;
    MusicHandle music(audio_.Mix().LoadMUS(path.c_str()));
    if (!music) return 0;
    const std::uintptr_t h = next_++;
    streams_[h] = std::move(music);
    return h;
}

std::uintptr_t SdlMusic::Play(std::uintptr_t stream) {
    auto it = streams_.find(stream);
    if (it == streams_.end() || !audio_.IsOpen()) return 0;
    if (audio_.Mix().PlayMusic(it->second.get(), -1) != 0) return 0;
    playing_ = stream;
    return stream;  // one music channel: the stream names it
}

void SdlMusic::Stop(std::uintptr_t stream) {
    if (stream && stream == playing_ && audio_.IsOpen()) {
        audio_.Mix().HaltMusic();
        playing_ = 0;
    }
}

void SdlMusic::SetPaused(std::uintptr_t, bool paused) {
    if (!audio_.IsOpen()) return;
    if (paused) {
        audio_.Mix().PauseMusic();
    } else {
        audio_.Mix().ResumeMusic();
    }
}

void SdlMusic::SetVolume(std::uintptr_t, int volume) {
    if (!audio_.IsOpen()) return;
    audio_.Mix().VolumeMusic(std::clamp(volume, 0, 255) * MIX_MAX_VOLUME / 255);
}

}  // namespace tk::sdl
