// Sound effects on the real mixer and SDL's dummy audio device: one channel, the newest effect wins.
#include <gtest/gtest.h>

#include <SDL.h>
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

TEST(SoundEffects, AQuietDeviceIsLetGoAndTheNextSoundOpensItAgain) {
    ProgramFolder folder{false};
    folder.write("sound/short.wav", MakeWav(8000 / 10));
    folder.write("sound/long.wav", MakeWav(kLongSeconds * 8000));
    const std::string piece = std::string(TK_DATA_DIR) + "/music/Lumfex - Little bit of happiness.mp3";
    sdl::SdlAudio audio;
    sdl::SdlMusic music(audio);

    ASSERT_TRUE(audio.PlayEffect(folder.str() + "/sound/short.wav"));
    const std::uint64_t played = SDL_GetTicks64();
    const std::uint64_t askAgain = audio.LetGoWhenQuiet(played);
    EXPECT_GT(askAgain, played) << "just heard: not yet";
    EXPECT_LE(askAgain, played + sdl::SdlAudio::kLetGoAfterMs);
    EXPECT_TRUE(audio.IsOpen());

    // Quiet long enough, the short effect over. (The asking times run ahead of the clock.)
    Mix_HaltChannel(-1);
    std::uint64_t later = played;
    const auto quietLong = [&later] { return later += 10 * sdl::SdlAudio::kLetGoAfterMs; };
    EXPECT_EQ(audio.LetGoWhenQuiet(quietLong()), UINT64_MAX);
    EXPECT_FALSE(audio.IsOpen()) << "let go";
    ASSERT_TRUE(audio.PlayEffect(folder.str() + "/sound/short.wav")) << "the next effect opens it again";
    EXPECT_TRUE(audio.IsOpen());

    // An effect longer than the quiet time is heard to its end.
    ASSERT_TRUE(audio.PlayEffect(folder.str() + "/sound/long.wav"));
    EXPECT_NE(audio.LetGoWhenQuiet(quietLong()), UINT64_MAX);
    EXPECT_TRUE(audio.IsOpen());
    EXPECT_EQ(Mix_Playing(-1), 1);

    // Music keeps the device, and music started after a let-go opens it again.
    ASSERT_TRUE(music.Play(piece));
    Mix_HaltChannel(-1);
    EXPECT_EQ(audio.LetGoWhenQuiet(quietLong()), UINT64_MAX);
    EXPECT_TRUE(audio.IsOpen()) << "music plays";
    music.Stop();
    EXPECT_EQ(audio.LetGoWhenQuiet(quietLong()), UINT64_MAX);
    EXPECT_FALSE(audio.IsOpen());
    EXPECT_TRUE(music.Play(piece));
    EXPECT_TRUE(audio.IsOpen());
    music.CloseDevice();
}

}  // namespace
}  // namespace tk::test
