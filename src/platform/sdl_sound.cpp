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

bool SdlAudio::PlayEffect(const std::string& path) {
    if (!IsFile(path) || !Open(SdlMusic::kMixRate)) return false;
    ChunkHandle& chunk = chunks_[path];
    if (!chunk) chunk.reset(mix_->LoadWAV(path.c_str()));
    if (!chunk) {
        chunks_.erase(path);
        return false;
    }
    mix_->HaltChannel(0);
    return mix_->PlayChannel(0, chunk.get(), 0) >= 0;
}

void SdlMusic::CloseDevice() {
    Stop();
    audio_.CloseDevice();
}

bool SdlMusic::Play(const std::string& path) {
    Stop();
    if (!audio_.IsOpen() || !IsFile(path)) return false;
    piece_.reset(audio_.Mix().LoadMUS(path.c_str()));
    if (!piece_ || audio_.Mix().PlayMusic(piece_.get(), -1) != 0) {
        piece_.reset();
        return false;
    }
    return true;
}

void SdlMusic::Stop() {
    if (!piece_) return;
    if (audio_.IsOpen()) audio_.Mix().HaltMusic();
    piece_.reset();
}

}  // namespace tk::sdl
