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

SdlAudio::~SdlAudio() {
    CloseDevice();
    FinishClosing();
}

void SdlAudio::FinishClosing() {
    if (closing_.joinable()) closing_.join();
}

bool SdlAudio::Open(int mixRate) {
    if (open_) return true;
    if (failed_) return false;
    FinishClosing();
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
    // SDL lets the device drain for two buffers when it is closed: 1024 frames (23 ms) keep
    // that to 46 ms, and the audio thread wakes 43 times a second.
    if (mix_->OpenAudio(mixRate > 0 ? mixRate : MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, kBufferFrames) != 0) {
        failed_ = true;
        return false;
    }
    mix_->AllocateChannels(1);
    open_ = true;
    lastSound_ = SDL_GetTicks64();
    return true;
}

std::uint64_t SdlAudio::LetGoWhenQuiet(std::uint64_t now) {
    constexpr std::uint64_t kNever = UINT64_MAX;
    if (!open_ || musicPlays_) return kNever;
    if (now < lastSound_ + kLetGoAfterMs) return lastSound_ + kLetGoAfterMs;
    // An effect longer than the quiet time is heard to its end.
    if (mix_->Playing(-1) > 0) {
        lastSound_ = now;
        return now + kLetGoAfterMs;
    }
    CloseDevice();
    return kNever;
}

void SdlAudio::CloseDevice() {
    if (open_) {
        mix_->HaltChannel(-1);
        mix_->HaltMusic();
    }
    chunks_.clear();
    if (!open_ && !subsystem_) return;
    // SDL lets the device play out two more buffers before it lets go (46 ms): that wait
    // runs beside what the program does next (ending, or the options screen going on)
    // instead of in front of it. Nothing here touches the mixer until it has finished.
    FinishClosing();
    closing_ = std::thread([mix = open_ ? mix_ : nullptr, subsystem = subsystem_] {
        if (mix) {
            mix->CloseAudio();
            mix->Quit();
        }
        if (subsystem) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    });
    open_ = false;
    subsystem_ = false;
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
    lastSound_ = SDL_GetTicks64();
    return mix_->PlayChannel(0, chunk.get(), 0) >= 0;
}

void SdlMusic::CloseDevice() {
    Stop();
    audio_.CloseDevice();
}

bool SdlMusic::Play(const std::string& path) {
    Stop();
    // The device may have been let go while it was quiet.
    if (!IsFile(path) || !audio_.Open(kMixRate)) return false;
    piece_.reset(audio_.Mix().LoadMUS(path.c_str()));
    if (!piece_ || audio_.Mix().PlayMusic(piece_.get(), -1) != 0) {
        piece_.reset();
        return false;
    }
    audio_.MusicPlays(true);
    return true;
}

void SdlMusic::Stop() {
    if (!piece_) return;
    if (audio_.IsOpen()) audio_.Mix().HaltMusic();
    piece_.reset();
    audio_.MusicPlays(false);
}

}  // namespace tk::sdl
