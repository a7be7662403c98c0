// Speed of one animation frame of play on the real SDL platform: painting a walking or a turning
// frame into the board and presenting the window, on SDL's software renderer.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/image_set.h"
#include "app/paths.h"
#include "ui/credits.h"
#include "game/board_painter.h"
#include "game/play_state.h"
#include "platform/geometry.h"
#include "platform/platform.h"
#include "puzzle/movement.h"
#include "puzzle/pacing.h"
#include "puzzle/action.h"

namespace {

// The real platform, off screen on SDL's dummy drivers but the whole way to the window's
// surface: once the window shows, presenting copies the changed pieces to it as on a desktop.
std::unique_ptr<tk::Platform> OffScreenPlatform() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return tk::CreateSdlPlatform();
}

// A shipped level on the board of a shown window, painted whole, as play finds it after the
// title: the figure has a pipe to walk to and one to turn.
class LevelOnScreen {
public:
    explicit LevelOnScreen(const char* levelName) {
        images.Load();
        const tk::LevelRead read = tk::readLevelFile(paths.LevelFile(levelName));
        if (!read.level) return;
        const tk::LevelFile& level = *read.level;
        static_cast<tk::Field&>(state) = tk::fieldOf(level);
        state.backgroundNumber = level.backgroundNumber;
        for (tk::Direction d : {tk::Direction::Left, tk::Direction::Up, tk::Direction::Right, tk::Direction::Down})
            if (!walkWay && tk::canStep(state.board, state.playerX, state.playerY, d)) walkWay = d;

        view.background = platform->LoadPicture(paths.DataFile("okno.jpg"));
        view.play.boardShown = true;
        view.play.clock = "01:30";
        view.play.clockShown = true;
        view.creditsShown = true;
        view.creditHeadings = "Programming:\r\nLevels:\r\nMusic:";
        view.creditNames = tk::kCreditNames;
        platform->ShowWindow();
        for (const tk::Cell& c : tk::letWaterIn(state).changed) painter.Cell(c.x, c.y);
        painter.Figure();
        platform->Present(view);
        loaded = true;
    }
    ~LevelOnScreen() { platform->FreePicture(view.background); }

    bool Ready() const { return loaded && images.Loaded(tk::kSlotPlayer) != 0 && view.background != 0; }

    tk::Paths paths{TK_DATA_DIR};
    std::unique_ptr<tk::Platform> platform = OffScreenPlatform();
    tk::ImageSet images{*platform, paths};
    tk::PlayState state;
    tk::WindowView view;
    tk::BoardPainter painter{platform->Board(), images, state};
    bool loaded = false;
    std::optional<tk::Direction> walkWay;  // toward a pipe the figure can walk to
};

// The level whose figure starts beside a pipe it can walk to.
constexpr const char* kLevel = "02";

// One frame of a step, as play paints it: both cells whole, then the figure between them.
void WalkingFrame(benchmark::State& bench) {
    LevelOnScreen level(kLevel);
    if (!level.Ready() || !level.walkWay) {
        bench.SkipWithError("the level or its pictures could not be loaded");
        return;
    }
    const tk::Direction way = *level.walkWay;
    const int x = level.state.playerX, y = level.state.playerY;
    int frame = 0;
    for (auto _ : bench) {
        frame = frame % tk::kFramesPerAction + 1;
        level.painter.Cell(x, y);
        level.painter.Cell(x + tk::dirDx(way), y + tk::dirDy(way));
        level.painter.WalkingFigure(x, y, way, frame * tk::kStepPxPerFrame);
        level.platform->Present(level.view);
    }
}
BENCHMARK(WalkingFrame)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// One frame of a quarter turn: the cell whole, the pipe and the figure turned over it.
void TurningFrame(benchmark::State& bench) {
    LevelOnScreen level(kLevel);
    if (!level.Ready()) {
        bench.SkipWithError("the level or its pictures could not be loaded");
        return;
    }
    const char tile = level.state.board(level.state.playerX, level.state.playerY);
    const int pipeSlot = tk::isPipe(tile) ? tk::kDryBase + tk::tileIndex(tile) : -1;
    int frame = 0;
    for (auto _ : bench) {
        frame = frame % tk::kFramesPerAction + 1;
        level.painter.TurningFrame(pipeSlot, tk::kSlotPlayerRight, tk::kTurnDegreesPerFrame * static_cast<float>(frame));
        level.platform->Present(level.view);
    }
}
BENCHMARK(TurningFrame)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// A pass of play where nothing moved: presenting must cost next to nothing.
void UnchangedPass(benchmark::State& bench) {
    LevelOnScreen level(kLevel);
    for (auto _ : bench) level.platform->Present(level.view);
}
BENCHMARK(UnchangedPass)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
