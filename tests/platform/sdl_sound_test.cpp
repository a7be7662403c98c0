// Sound effects on the real mixer and SDL's dummy audio device: one channel, the newest effect wins.
#include <gtest/gtest.h>

#include <SDL_mixer.h>

#include "platform/sdl_sound.h"
#include "support/program_folder.h"
#include "support/sample_files.h"

namespace tk::test {
namespace {

// The device mixes at 44100 Hz, 16-bit stereo: four bytes per sample frame.
constexpr std::uint32_t kDeviceBytesPerSecond = 44100 * 4;

// Long effects, so that neither can end on its own while a check runs.
constexpr std::uint32_t kLongSeconds = 40, kShortSeconds = 20;

TEST(SoundEffects, ANewEffectCutsOffTheOneStillPlaying) {
    ProgramFolder folder{false};
    folder.write("sound/long.wav", MakeWav(kLongSeconds * 8000));
    folder.write("sound/short.wav", MakeWav(kShortSeconds * 8000));
    sdl::SdlAudio audio;

    // A missing file: silence, and no audio device is opened for it.
    audio.PlayEffect(folder.str() + "/sound/missing.wav");
    EXPECT_FALSE(audio.IsOpen());

    audio.PlayEffect(folder.str() + "/sound/long.wav");
    ASSERT_TRUE(audio.IsOpen()) << "the dummy audio device opens";
    EXPECT_EQ(Mix_AllocateChannels(-1), 1) << "one channel for all effects";
    ASSERT_EQ(Mix_Playing(-1), 1);
    ASSERT_NE(Mix_GetChunk(0), nullptr);
    EXPECT_EQ(Mix_GetChunk(0)->alen, kLongSeconds * kDeviceBytesPerSecond);

    // The short effect replaces the long one, which had most of its time to go.
    audio.PlayEffect(folder.str() + "/sound/short.wav");
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_GetChunk(0)->alen, kShortSeconds * kDeviceBytesPerSecond);

    // A missing file neither stops what plays nor opens anything new.
    audio.PlayEffect(folder.str() + "/sound/missing.wav");
    EXPECT_EQ(Mix_Playing(-1), 1);
    EXPECT_EQ(Mix_GetChunk(0)->alen, kShortSeconds * kDeviceBytesPerSecond);

    audio.CloseDevice();
    EXPECT_FALSE(audio.IsOpen());
}

}  // namespace
}  // namespace tk::test
