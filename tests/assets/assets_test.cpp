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

#include "puzzle/board.h"

extern const unsigned char kStartupPicture[];
extern const unsigned long kStartupPictureSize;
extern const unsigned char kCursorPicture[];
extern const unsigned long kCursorPictureSize;

namespace {

const std::string kData = TK_DATA_DIR;

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

// Loads a picture and converts it to 32-bit RGBA so pixels can be read directly.
Surface loadRgba(SDL_Surface* raw) {
    if (!raw) return nullptr;
    Surface s(SDL_ConvertSurfaceFormat(raw, SDL_PIXELFORMAT_RGBA32, 0));
    SDL_FreeSurface(raw);
    return s;
}
Surface loadPicture(const std::string& name) { return loadRgba(IMG_Load((kData + "/graphics/" + name).c_str())); }

struct Pixel {
    std::uint8_t r, g, b, a;
};
Pixel pixel(SDL_Surface* s, int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(s->pixels) + y * s->pitch;
    return {row[x * 4], row[x * 4 + 1], row[x * 4 + 2], row[x * 4 + 3]};
}

std::string headOf(const std::string& path, std::size_t n) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(n, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(n));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}
bool isPng(const std::string& path) { return headOf(path, 8) == "\x89PNG\r\n\x1a\n"; }
bool isJpeg(const std::string& path) { return headOf(path, 3) == "\xFF\xD8\xFF"; }

std::vector<std::string> cellPictures() {
    std::vector<std::string> names = {"pole0.png", "pole1.png", "pole2.png", "zdroj.png",
                                      "hrac.png",  "hracL.png", "hracR.png"};
    for (char letter = 'A'; letter <= 'K'; ++letter) {
        names.push_back(std::string("trubka1") + letter + ".png");
        names.push_back(std::string("trubka2") + letter + ".png");
    }
    return names;
}

class Assets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
        SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    }
    static void TearDownTestSuite() {
        IMG_Quit();
        SDL_Quit();
    }
};

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
        x = d == tk::dirLeft ? 0 : d == tk::dirRight ? 69 : i;
        y = d == tk::dirUp ? 0 : d == tk::dirDown ? 69 : i;
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
    auto luminance = [](Pixel p) { return 0.299 * p.r + 0.587 * p.g + 0.114 * p.b; };
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
                const int x = d == tk::dirLeft ? 1 : d == tk::dirRight ? 68 : 35 + k;
                const int y = d == tk::dirUp ? 1 : d == tk::dirDown ? 68 : 35 + k;
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

TEST_F(Assets, SoundEffectsAreShortBalancedSixteenBitWaves) {
    for (const char* name : {"menu", "menumove", "start", "move", "time", "winner", "looser"}) {
        SCOPED_TRACE(name);
        const std::string path = kData + "/sound/" + name + ".wav";
        SDL_AudioSpec spec{};
        Uint8* buf = nullptr;
        Uint32 len = 0;
        ASSERT_NE(SDL_LoadWAV(path.c_str(), &spec, &buf, &len), nullptr) << SDL_GetError();
        EXPECT_EQ(spec.format, AUDIO_S16LSB);
        EXPECT_EQ(spec.freq, 44100);
        const std::size_t samples = len / 2;
        const double seconds = static_cast<double>(samples) / spec.channels / spec.freq;
        EXPECT_GT(seconds, 0.03);
        EXPECT_LT(seconds, 2.5) << "an effect must not outlast its moment";
        const auto* s = reinterpret_cast<const Sint16*>(buf);
        double peak = 0, sumSq = 0;
        for (std::size_t i = 0; i < samples; ++i) {
            const double v = s[i] / 32768.0;
            peak = std::max(peak, std::fabs(v));
            sumSq += v * v;
        }
        const double rms = std::sqrt(sumSq / samples);
        // Audible, never clipping, never a jolt next to the others.
        EXPECT_GT(peak, 0.1);
        EXPECT_LT(peak, 0.9);
        EXPECT_LT(rms, 0.15);
        // No click at either end.
        EXPECT_LT(std::fabs(s[0] / 32768.0), 0.01);
        EXPECT_LT(std::fabs(s[samples - 1] / 32768.0), 0.01);
        SDL_FreeWAV(buf);
    }
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
