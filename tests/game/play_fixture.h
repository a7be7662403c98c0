// A window ready to play levels on the headless twin without going through start-up.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <vector>
#include <memory>
#include <string>

#include "game/play_session.h"
#include "support/game_fixture.h"
#include "test_pictures.h"

namespace tk::test {

// The text of a level file, field by field, with CR LF line ends.
struct LevelText {
    std::string title = "Zkouška/Trial";
    std::string time = "100";
    std::array<std::string, kRows> rows{"LLLLLLLLLLL", "LLLLLLLLLLL", "LLLLLLLLLLL", "LLLLLLLLLLL",
                                        "LLLLLLLLLLL", "LLLLLLLLLLL", "LLLLLLLLLLL"};
    std::string source = "0,0";
    std::string player = "0,0";
    std::string ignored = "whatever";
    std::string background = "1";
    std::string next = "end";

    std::string text() const;
};

// The test pictures and silent sound files in a fresh program folder, the picture slots
// loaded as start-up loads them, and a level's play on the program's window.
struct PlayWindow {
    explicit PlayWindow(HeadlessOptions options = {});
    GameFixture g;
    SoundEffects sounds{g.plat, g.program.paths().SoundFolder()};
    PlaySession session{g.plat, g.program.view().play, g.program.images(), sounds};
};

class PlayTest : public ::testing::Test {
protected:
    PlayTest() { fresh(); }

    // A new window, folder and virtual clock, for a test that plays several sessions.
    void fresh(HeadlessOptions options = {}) {
        win.reset();
        win = std::make_unique<PlayWindow>(options);
    }
    HeadlessPlatform& plat() const { return win->g.plat; }
    PlaySession& session() const { return win->session; }
    PlayState& level() const { return win->session.state(); }
    WindowView& view() const { return win->g.program.view(); }
    ImageSet& images() const { return win->g.program.images(); }

    // Plays levels/<name>.kulap from the current virtual time until the level ends, as
    // the frame loop would (what the player presses meanwhile is let run where the level
    // says and, as during any level, does nothing); returns its phase at the end (Won,
    // Lost or Left).
    PlayPhase play(const std::string& name);
    bool czech = false;      // the language the level is played in
    WinRecorder recordWin;  // told of a win, as the chain of levels is
    std::vector<std::uint64_t> passes;  // when play ran a pass of the frame loop
    // What the level says, in that language, as the chain of levels gives it.
    LevelWords words() const;

    // Writes levels/<name>.kulap.
    void writeLevel(const std::string& name, const LevelText& level);
    void writeLevelBytes(const std::string& name, const std::string& bytes);

    // Holds the given keys down from `at` for `holdMs`.
    void hold(std::uint64_t at, std::initializer_list<Key> keys, std::uint64_t holdMs);

    Rgba pixel(int cellX, int cellY, int px, int py) const {
        return plat().BoardPixel(kCellPx * cellX + px, kCellPx * cellY + py);
    }
    // The colour painted by the test picture of a slot.
    static Rgba colourOf(int slot) { return slotColour(slot); }
    // The background piece's own pixel at a point of the board.
    Rgba backgroundAt(int x, int y) const {
        return plat().PicturePixel(images().Slot(kBackgroundBase + level().backgroundNumber), x, y);
    }
    // Left edge of the figure on pixel row y of the board, or -1 when it is not there.
    int figureLeftEdge(int y, int slot = kSlotPlayer) const;
    int countSounds(const std::string& name) const;

    std::unique_ptr<PlayWindow> win;
};

// Virtual times of a level loaded at time 0: the title stands for 1500 ms, then play
// starts and the first clock tick falls one second later.
constexpr std::uint64_t kPlayStarts = 1500;
constexpr std::uint64_t kFirstTick = 2500;

}  // namespace tk::test
