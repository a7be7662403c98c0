// The game's pictures, sounds and music: present, decodable, drawn at the sizes the game draws them, and in step with the rules.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "asset_support.h"
#include "puzzle/board.h"

extern const unsigned char kStartupPicture[];
extern const unsigned long kStartupPictureSize;
extern const unsigned char kCursorPicture[];
extern const unsigned long kCursorPictureSize;

namespace {

using namespace tk::assets;

std::vector<std::string> cellPictures() {
    std::vector<std::string> names = {"pole0.png", "pole1.png", "pole2.png", "zdroj.png",
                                      "hrac.png",  "hracL.png", "hracR.png"};
    for (char letter = 'A'; letter <= 'K'; ++letter) {
        names.push_back(std::string("trubka1") + letter + ".png");
        names.push_back(std::string("trubka2") + letter + ".png");
    }
    for (const char* hint : {"sipka0.png", "sipka1.png", "sipka2.png", "sipka3.png", "sipkaL.png", "sipkaR.png"})
        names.push_back(hint);
    return names;
}

using Assets = AssetTest;

// ---- pictures ---------------------------------------------------------------

TEST_F(Assets, EveryPictureOfTheImageSetDecodesAtTheSizeItIsDrawnAt) {
    struct Expect {
        std::string name;
        int w, h;
        bool png;
    };
    std::vector<Expect> expected;
    for (const std::string& n : cellPictures()) expected.push_back({n, 70, 70, true});
    expected.push_back({"hura.png", 770, 490, true});
    expected.push_back({"smula.png", 770, 490, true});
    for (int i = 1; i <= 7; ++i) expected.push_back({"pozadi" + std::to_string(i) + ".jpg", 770, 490, false});
    expected.push_back({"okno.jpg", 800, 600, false});

    for (const Expect& e : expected) {
        SCOPED_TRACE(e.name);
        const std::string path = kData + "/graphics/" + e.name;
        ASSERT_TRUE(std::filesystem::exists(path));
        // The extension tells what the file holds; a mislabelled file is a packaging slip.
        EXPECT_TRUE(e.png ? isPng(path) : isJpeg(path));
        Surface s = loadPicture(e.name);
        ASSERT_TRUE(s) << IMG_GetError();
        EXPECT_EQ(s->w, e.w);
        EXPECT_EQ(s->h, e.h);
    }
}

TEST_F(Assets, OverlaysLetTheBoardShowThroughAndCellPicturesKeepTheirCornersClear) {
    // Beds, the source and the figure lie over the background piece: each must leave some of it visible.
    for (const char* name : {"pole1.png", "pole2.png", "zdroj.png", "hrac.png", "hracL.png", "hracR.png"}) {
        SCOPED_TRACE(name);
        Surface s = loadPicture(name);
        ASSERT_TRUE(s);
        EXPECT_LT(pixel(s.get(), 0, 0).a, 8);
        EXPECT_LT(pixel(s.get(), 69, 69).a, 8);
    }
    // The dry and wet beds are translucent all over, so the level's background stays recognisable.
    for (const char* name : {"pole1.png", "pole2.png"}) {
        Surface s = loadPicture(name);
        ASSERT_TRUE(s);
        EXPECT_LT(pixel(s.get(), 35, 35).a, 200) << name;
    }
    // Outcome pictures: semi-transparent on the whole, neither invisible nor a solid sheet.
    for (const char* name : {"hura.png", "smula.png"}) {
        SCOPED_TRACE(name);
        Surface s = loadPicture(name);
        ASSERT_TRUE(s);
        double sum = 0;
        for (int y = 0; y < s->h; y += 7)
            for (int x = 0; x < s->w; x += 7) sum += pixel(s.get(), x, y).a;
        const double mean = sum / ((s->h + 6) / 7 * ((s->w + 6) / 7));
        EXPECT_GT(mean, 40);
        EXPECT_LT(mean, 220);
        EXPECT_GT(pixel(s.get(), 385, 245).a, 200) << "the emblem in the middle is solid";
    }
}

// Where a pipe opens, its picture reaches that edge of the cell around the edge's middle; elsewhere the
// edge stays clear, so the picture never suggests a joint the rules do not allow.
TEST_F(Assets, PipePicturesOpenExactlyWhereTheTileTableOpens) {
    // (x, y) of the edge pixel at position i along side d (0 left, 1 up, 2 right, 3 down).
    auto edge = [](int d, int i, int& x, int& y) {
        x = d == tk::side(tk::Direction::Left) ? 0 : d == tk::side(tk::Direction::Right) ? 69 : i;
        y = d == tk::side(tk::Direction::Up) ? 0 : d == tk::side(tk::Direction::Down) ? 69 : i;
    };
    int runStart = -1, runEnd = -1;  // the opaque stretch on an open edge, the same for every pipe
    for (const char* set : {"trubka1", "trubka2"})
        for (char letter = 'A'; letter <= 'K'; ++letter) {
            const std::string name = std::string(set) + letter + ".png";
            SCOPED_TRACE(name);
            Surface s = loadPicture(name);
            ASSERT_TRUE(s);
            const std::uint8_t opens = tk::tileOpenings(letter);
            ASSERT_NE(opens, 0);
            for (int d = 0; d < 4; ++d) {
                SCOPED_TRACE("side " + std::to_string(d));
                const bool open = (opens >> d) & 1;
                int x, y;
                edge(d, 35, x, y);
                if (open) {
                    EXPECT_EQ(pixel(s.get(), x, y).a, 255);
                }
                for (int i = 0; i < 70; ++i) {
                    edge(d, i, x, y);
                    const int a = pixel(s.get(), x, y).a;
                    if (!open || i < 14 || i > 55) {
                        EXPECT_LT(a, 8) << "at " << i;
                    }
                }
                if (!open) continue;
                int first = -1, last = -1;
                for (int i = 0; i < 70; ++i) {
                    edge(d, i, x, y);
                    if (pixel(s.get(), x, y).a >= 128) {
                        if (first < 0) first = i;
                        last = i;
                    }
                }
                if (runStart < 0) runStart = first, runEnd = last;
                EXPECT_EQ(first, runStart) << "neighbouring pipes must meet edge to edge";
                EXPECT_EQ(last, runEnd);
            }
        }
    // The joint sits on the middle of the edge.
    EXPECT_NEAR((runStart + runEnd) / 2.0, 34.5, 1.0);
}

TEST_F(Assets, WetPipesCarryVisibleWaterAndDifferFromDryOnesEvenInGrey) {
    for (char letter = 'A'; letter <= 'K'; ++letter) {
        SCOPED_TRACE(std::string(1, letter));
        Surface dry = loadPicture(std::string("trubka1") + letter + ".png");
        Surface wet = loadPicture(std::string("trubka2") + letter + ".png");
        ASSERT_TRUE(dry && wet);
        // Sample the crown of the pipe just inside each opening, a few pixels across, as the eye sees it.
        const std::uint8_t opens = tk::tileOpenings(letter);
        for (int d = 0; d < 4; ++d) {
            if (!((opens >> d) & 1)) continue;
            double wetLum = 0, dryLum = 0, wetBlue = 0, dryBlue = 0;
            for (int k = -3; k <= 3; ++k) {
                const int x = d == tk::side(tk::Direction::Left) ? 1 : d == tk::side(tk::Direction::Right) ? 68 : 35 + k;
                const int y = d == tk::side(tk::Direction::Up) ? 1 : d == tk::side(tk::Direction::Down) ? 68 : 35 + k;
                const Pixel w = pixel(wet.get(), x, y), p = pixel(dry.get(), x, y);
                wetLum += luminance(w) / 7;
                dryLum += luminance(p) / 7;
                wetBlue += (w.b - w.r) / 7.0;
                dryBlue += (p.b - p.r) / 7.0;
            }
            EXPECT_GT(wetBlue, 60) << "side " << d << ": wet is blue";
            EXPECT_LT(std::fabs(dryBlue), 30) << "side " << d << ": dry is plain metal";
            EXPECT_GT(std::fabs(wetLum - dryLum), 40.0) << "side " << d;
        }
    }
}

TEST_F(Assets, PicturesCarriedInTheExecutableDecode) {
    Surface startup = loadRgba(IMG_Load_RW(SDL_RWFromConstMem(kStartupPicture, static_cast<int>(kStartupPictureSize)), 1));
    ASSERT_TRUE(startup) << IMG_GetError();
    EXPECT_EQ(startup->w, 800);
    EXPECT_EQ(startup->h, 600);

    Surface cursor = loadRgba(IMG_Load_RW(SDL_RWFromConstMem(kCursorPicture, static_cast<int>(kCursorPictureSize)), 1));
    ASSERT_TRUE(cursor) << IMG_GetError();
    EXPECT_EQ(cursor->w, 70);
    EXPECT_EQ(cursor->h, 70);
    // An octagon: solid yellow-green middle, clear corners so the menu shows around it.
    const Pixel mid = pixel(cursor.get(), 35, 35);
    EXPECT_EQ(mid.a, 255);
    EXPECT_GT(mid.r, 150);
    EXPECT_GT(mid.g, 200);
    EXPECT_LT(mid.b, 140);
    EXPECT_LT(pixel(cursor.get(), 0, 0).a, 8);
    EXPECT_LT(pixel(cursor.get(), 69, 0).a, 8);
}

// ---- sound and music ----------------------------------------------------------

// Reads an effect as mono samples in -1..1.
std::vector<double> loadEffect(const std::string& name, SDL_AudioSpec& audio) {
    const std::string path = kData + "/sound/" + name + ".wav";
    Uint8* buf = nullptr;
    Uint32 len = 0;
    if (!SDL_LoadWAV(path.c_str(), &audio, &buf, &len)) return {};
    std::vector<double> out;
    const auto* s = reinterpret_cast<const Sint16*>(buf);
    for (Uint32 i = 0; i < len / 2; i += audio.channels) out.push_back(s[i] / 32768.0);
    SDL_FreeWAV(buf);
    return out;
}

TEST_F(Assets, SoundEffectsAreShortBalancedSixteenBitWaves) {
    struct Effect {
        const char* name;
        double maxSeconds;  // what its moment in the game leaves room for
    };
    const Effect effects[] = {
        {"menu", 0.6},     // before the menu's action
        {"menumove", 0.15},  // one tick per arrow press, auto-repeat included
        {"start", 1.5},    // play begins right after it
        {"move", 0.3},     // a quarter turn animates for about 0.2 s and may follow at once
        {"time", 0.3},     // one per second in the last ten
        {"winner", 4.0},   // the outcome stays 4 s
        {"looser", 4.0},
    };
    for (const Effect& e : effects) {
        SCOPED_TRACE(e.name);
        SDL_AudioSpec audio{};
        const std::vector<double> s = loadEffect(e.name, audio);
        ASSERT_FALSE(s.empty()) << SDL_GetError();
        EXPECT_EQ(audio.format, AUDIO_S16LSB);
        EXPECT_EQ(audio.freq, 44100);
        const double seconds = static_cast<double>(s.size()) / audio.freq;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LE(seconds, e.maxSeconds);
        double peak = 0, sumSq = 0;
        for (double v : s) {
            peak = std::max(peak, std::fabs(v));
            sumSq += v * v;
        }
        const double rms = std::sqrt(sumSq / s.size());
        // Audible, never clipping, never a jolt next to the others.
        EXPECT_GT(peak, 0.1);
        EXPECT_LT(peak, 0.9);
        EXPECT_LT(rms, 0.15);
        // No click at either end.
        EXPECT_LT(std::fabs(s.front()), 0.01);
        EXPECT_LT(std::fabs(s.back()), 0.01);
    }
}

TEST_F(Assets, TheWinnerRisesAndTheLooserFalls) {
    // Zero crossings per second follow the pitch closely enough to tell up from down.
    auto crossingsPerSecond = [](const std::vector<double>& s, double from, double to) {
        const std::size_t a = static_cast<std::size_t>(from * s.size()), b = static_cast<std::size_t>(to * s.size());
        int n = 0;
        for (std::size_t i = a + 1; i < b; ++i) n += (s[i - 1] < 0) != (s[i] < 0);
        return n * 44100.0 / (b - a);
    };
    SDL_AudioSpec audio{};
    const std::vector<double> win = loadEffect("winner", audio), lose = loadEffect("looser", audio);
    ASSERT_FALSE(win.empty());
    ASSERT_FALSE(lose.empty());
    EXPECT_GT(crossingsPerSecond(win, 0.5, 1.0), 1.15 * crossingsPerSecond(win, 0.0, 1.0 / 6));
    EXPECT_LT(crossingsPerSecond(lose, 0.5, 1.0), 0.7 * crossingsPerSecond(lose, 0.0, 1.0 / 6));
}

TEST_F(Assets, MusicIsAnMp3OfAboutAMinuteThatTheMixerOpens) {
    const std::string path = kData + "/music/Lumfex - Little bit of happiness.mp3";
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_LT(std::filesystem::file_size(path), 1'600'000u);
    const std::string head = headOf(path, 3);
    const bool id3 = head == "ID3";
    const bool frameSync = head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF &&
                           (static_cast<unsigned char>(head[1]) & 0xE0) == 0xE0;
    EXPECT_TRUE(id3 || frameSync);

    // The loop restarts without a gap only if the decoder knows the coder's delay and padding:
    // the first frame must carry the Info/Xing tag with the LAME extension.
    const std::string first = headOf(path, 400);
    const auto info = std::min(first.find("Info"), first.find("Xing"));
    ASSERT_NE(info, std::string::npos) << "no gapless tag";
    const auto lame = first.find("LAME", info);
    ASSERT_NE(lame, std::string::npos);
    ASSERT_GT(first.size(), lame + 24);
    auto byte = [&](std::size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(first[i])); };
    const unsigned flags = byte(info + 7);
    ASSERT_TRUE(flags & 1) << "the tag counts the frames";
    const unsigned frames = byte(info + 8) << 24 | byte(info + 9) << 16 | byte(info + 10) << 8 | byte(info + 11);
    const unsigned delay = byte(lame + 21) << 4 | byte(lame + 22) >> 4;
    const unsigned padding = (byte(lame + 22) & 0x0F) << 8 | byte(lame + 23);
    EXPECT_GT(delay, 0u);
    const double gaplessSeconds = (frames * 1152.0 - delay - padding) / 44100.0;
    EXPECT_GT(gaplessSeconds, 50.0);
    EXPECT_LT(gaplessSeconds, 80.0);

    ASSERT_EQ(Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 2048), 0) << Mix_GetError();
    Mix_Init(MIX_INIT_MP3);
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    ASSERT_NE(music, nullptr) << Mix_GetError();
    EXPECT_EQ(Mix_GetMusicType(music), MUS_MP3);
    const double seconds = Mix_MusicDuration(music);
    EXPECT_GT(seconds, 50.0);
    EXPECT_LT(seconds, 80.0);
    Mix_FreeMusic(music);
    Mix_Quit();
    Mix_CloseAudio();
}

}  // namespace
