// The play-ready window for the game's tests.
#include "play_fixture.h"

#include "ui/texts.h"

namespace tk::test {

std::string LevelText::text() const {
    std::string out = title + "\r\n" + time + "\r\n";
    for (const std::string& row : rows) out += row + "\r\n";
    out += source + "\r\n" + player + "\r\n" + ignored + "\r\n" + background + "\r\n" + next + "\r\n";
    return out;
}

PlayWindow::PlayWindow(HeadlessOptions options) : g(options, false) {
    writeTestPictures((g.folder.path() / "graphics").string());
    for (const char* sound : {"start", "move", "menu", "winner", "looser", "time"})
        g.folder.write(std::string("sound/") + sound + ".wav", "RIFF");
    g.program.images().Load();
}

PlayPhase PlayTest::play(const std::string& name) {
    const LevelRead read = readLevelFile(win->g.program.paths().LevelFile(name));
    if (!read.level) {
        ADD_FAILURE() << "the test level " << name << " cannot be read";
        return PlayPhase::NoLevel;
    }
    HeadlessPlatform& p = plat();
    session().Start(*read.level, czech, words(), recordWin);
    for (;;) {
        passes.push_back(p.Now());
        const Wake wake = session().Advance(p.Now());
        if (!session().Running()) break;
        // As the menus hand them on during a level: a key stops a walk, and a loss of
        // focus pauses; nothing else acts.
        InputEvent event;
        if (wake.letEventsRun)
            while (p.NextInput(event)) {
                if (event.kind == InputEvent::Kind::Key) session().KeyDown();
                if (event.kind == InputEvent::Kind::FocusLost || event.kind == InputEvent::Kind::Minimised)
                    session().LostAttention();
            }
        p.Present(view());
        session().Shown(p.Now());
        p.WaitUntil(wake.at, wake.onInput);
    }
    return session().phase();
}

LevelWords PlayTest::words() const {
    return {texts::quitQuestion(czech), texts::noWayFromHere(czech), texts::noHint(czech), texts::newBest(czech),
            texts::newBestNotKept(czech), {}, texts::paused(czech)};
}

void PlayTest::writeLevel(const std::string& name, const LevelText& level) {
    writeLevelBytes(name, level.text());
}

void PlayTest::writeLevelBytes(const std::string& name, const std::string& bytes) {
    win->g.folder.write("levels/" + name + ".kulap", bytes);
}

void PlayTest::hold(std::uint64_t at, std::initializer_list<Key> keys, std::uint64_t holdMs) {
    for (Key key : keys) plat().KeyDown(at, key);
    for (Key key : keys) plat().KeyUp(at + holdMs, key);
}

int PlayTest::figureLeftEdge(int y, int slot) const {
    const Rgba figure = colourOf(slot);
    for (int x = 0; x < kCols * kCellPx; ++x)
        if (plat().BoardPixel(x, y) == figure) return x;
    return -1;
}

int PlayTest::countSounds(const std::string& name) const {
    int n = 0;
    for (const std::string& s : plat().Sounds()) n += s == name;
    return n;
}

}  // namespace tk::test
