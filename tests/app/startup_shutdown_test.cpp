// The whole run on the headless twin: start-up picture, FormLoad, the menu, and shutdown.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "support/game_fixture.h"
#include "support/sample_files.h"

namespace tk::test {
namespace {

// Every picture of the image set, with the slot it belongs in.
struct SlotFile {
    int slot;
    std::string file;
};

std::vector<SlotFile> imageSet() {
    std::vector<SlotFile> set;
    for (int i = 1; i <= 7; ++i) set.push_back({59 + i, "pozadi" + std::to_string(i) + ".jpg"});
    set.push_back({1, "pole0.png"});
    set.push_back({21, "pole1.png"});
    set.push_back({41, "pole2.png"});
    set.push_back({4, "zdroj.png"});
    set.push_back({5, "hrac.png"});
    set.push_back({6, "hracL.png"});
    set.push_back({7, "hracR.png"});
    set.push_back({25, "hura.png"});
    set.push_back({26, "smula.png"});
    for (int dir = 0; dir < 4; ++dir) set.push_back({42 + dir, "sipka" + std::to_string(dir) + ".png"});
    set.push_back({46, "sipkaL.png"});
    set.push_back({47, "sipkaR.png"});
    for (int i = 0; i < 11; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        set.push_back({10 + i, "trubka1" + letter + ".png"});
        set.push_back({30 + i, "trubka2" + letter + ".png"});
    }
    return set;
}

// A picture's width tells which file landed in a slot.
int widthFor(int slot) { return 3 + slot; }

constexpr int kWindowPictureWidth = 16;

struct Session : GameFixture {
    explicit Session(HeadlessOptions o = {}, const std::string& settings =
                                                 "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n")
        : GameFixture(o) {
        WritePicture(folder, "okno.jpg", kWindowPictureWidth, 12);
        for (const SlotFile& s : imageSet()) WritePicture(folder, s.file, widthFor(s.slot), 4);
        folder.write("options.txt", settings);
        folder.makeWritable("music");
        folder.write("music/Lumfex - Little bit of happiness.mp3", "not really music");
    }

    std::vector<std::string> whats() const {
        std::vector<std::string> out;
        for (const Recorded& r : plat.Log()) out.push_back(r.what + (r.detail.empty() ? "" : " " + r.detail));
        return out;
    }
    // Position of the first log entry with this `what` (and detail, if given).
    long indexOf(const std::string& what, const std::string& detail = "") const {
        const auto& log = plat.Log();
        for (std::size_t i = 0; i < log.size(); ++i) {
            if (log[i].what == what && (detail.empty() || log[i].detail == detail))
                return static_cast<long>(i);
        }
        return -1;
    }
    std::vector<std::string> displays() const {
        std::vector<std::string> out;
        for (const Recorded& r : plat.LogOf("display")) out.push_back(r.detail);
        return out;
    }
};

// A window that showed the start-up picture before the program put it up: a page draws it
// while the program itself still loads.
class PageDrawnPicture : public HeadlessPlatform {
public:
    PageDrawnPicture(HeadlessOptions o, std::uint64_t shownAt) : HeadlessPlatform(std::move(o)), shownAt_(shownAt) {}
    std::optional<std::uint64_t> StartupPictureShownAt() override { return shownAt_; }

private:
    std::uint64_t shownAt_;
};

TEST(StartUp, APictureTheWindowShowedFirstStandsItsTimeFromThenAndStartUpWaitsForTheNextPass) {
    // The program's first pass comes while the page's picture stands, or after its time.
    for (const std::uint64_t firstPass : {900u, 2000u}) {
        SCOPED_TRACE(firstPass);
        ProgramFolder folder;
        HeadlessOptions o;
        o.programFolder = folder.str();
        PageDrawnPicture plat(o, 300);
        plat.WaitUntil(firstPass, false);
        Program program(plat);
        const Wake wake = program.Step();
        EXPECT_FALSE(program.started()) << "the pass that puts the picture up does nothing else";
        EXPECT_EQ(wake.at, 300u + 1250u);
        EXPECT_FALSE(wake.onInput);
        ASSERT_EQ(plat.LogOf("present").size(), 1u);
        EXPECT_EQ(plat.PictureWidth(plat.Presented().background), 800) << "the start-up picture";
        plat.WaitUntil(wake.at, wake.onInput);
        program.Step();
        EXPECT_TRUE(program.started());
        EXPECT_TRUE(program.view().menu.shown);
        ASSERT_EQ(plat.LogOf("music.device").size(), 1u);
        EXPECT_EQ(plat.LogOf("music.device")[0].at, std::max<std::uint64_t>(1550, firstPass));
    }
}

TEST(StartUp, PictureThenWaitThenLoadInOrderThenMenu) {
    Session s({}, "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n");
    const std::string music = s.program.paths().MusicFile();
    bool checkedSplash = false, checkedMenu = false;
    s.plat.At(600, [&] {
        // During the pause only the carried start-up picture is on show.
        checkedSplash = true;
        EXPECT_TRUE(s.plat.WindowShown());
        ASSERT_NE(s.view().background, 0u);
        EXPECT_EQ(s.plat.PictureWidth(s.view().background), 800);
        EXPECT_FALSE(s.view().creditsShown);
        EXPECT_FALSE(s.view().creditsShown);
        EXPECT_FALSE(s.view().menu.shown);
        EXPECT_FALSE(s.view().menu.shown);
        EXPECT_FALSE(s.view().play.boardShown);
        EXPECT_FALSE(s.view().play.clockShown);
        EXPECT_FALSE(s.program.started());
        EXPECT_EQ(s.program.images().Loaded(kSlotPlayer), 0u);
        EXPECT_TRUE(s.plat.LogOf("music.device").empty());
    });
    s.plat.At(GameFixture::kMenuReady, [&] {
        checkedMenu = true;
        EXPECT_EQ(s.plat.PictureWidth(s.view().background), kWindowPictureWidth);
        EXPECT_TRUE(s.view().creditsShown);
        EXPECT_TRUE(s.view().creditsShown);
        EXPECT_TRUE(s.view().menu.shown);
        EXPECT_TRUE(s.view().menu.shown);
        EXPECT_NE(s.view().cursor, 0u);
        EXPECT_EQ(s.program.screen(), Menus::Screen::MainMenu);
        EXPECT_EQ(s.program.menus().menuCursor(), 0);
        EXPECT_TRUE(s.program.settings().fullscreenOn);
        EXPECT_TRUE(s.program.settings().musicOn);
        EXPECT_EQ(s.program.settings().currentLevel, "01");
        EXPECT_TRUE(s.program.started());
        EXPECT_TRUE(s.plat.Sounds().empty()) << "the first menu drawing is silent";
        EXPECT_TRUE(s.plat.Fullscreen());
        // Each picture in its own slot, the unused slots empty. The backgrounds, the outcome
        // pictures and the hint's arrows wait until a level needs one, and then land in their
        // own slots too.
        std::set<int> used;
        for (const SlotFile& f : imageSet()) {
            used.insert(f.slot);
            const bool late = f.slot > kBackgroundBase || f.slot == kSlotWon || f.slot == kSlotLost ||
                              (f.slot >= kSlotHintStep && f.slot <= kSlotHintTurnRight);
            EXPECT_EQ(s.program.images().Loaded(f.slot) != 0, !late) << f.file;
            ASSERT_NE(s.program.images().Slot(f.slot), 0u) << f.file;
            EXPECT_EQ(s.plat.PictureWidth(s.program.images().Slot(f.slot)), widthFor(f.slot)) << f.file;
        }
        for (int slot = 0; slot < kImageSlots; ++slot) {
            if (!used.count(slot)) {
                EXPECT_EQ(s.program.images().Slot(slot), 0u) << "slot " << slot;
            }
        }
    });
    EXPECT_EQ(s.Run(), 0);
    EXPECT_TRUE(checkedSplash);
    EXPECT_TRUE(checkedMenu);
    EXPECT_TRUE(s.program.unloaded());

    const auto& log = s.plat.Log();
    ASSERT_GE(s.indexOf("show"), 0);
    EXPECT_EQ(log[s.indexOf("show")].at, 0u);
    ASSERT_GE(s.indexOf("present"), 0);
    EXPECT_EQ(log[s.indexOf("present")].at, 0u) << "the start-up picture is on screen before the pause";
    EXPECT_LT(s.indexOf("show"), s.indexOf("present"));
    ASSERT_GE(s.indexOf("place"), 0);
    EXPECT_LT(s.indexOf("place"), s.indexOf("show")) << "the window shows where it belongs";
    const long init = s.indexOf("music.device");
    ASSERT_GE(init, 0);
    EXPECT_GE(log[init].at, 1250u) << "the start-up picture stays for 1250 ms";
    for (const Recorded& r : log) {
        if (r.what != "show" && r.what != "present" && r.what != "place") {
            EXPECT_GE(r.at, 1250u) << r.what << " " << r.detail;
        }
    }
    // Music before the display mode; the restore, then the music's end, at shutdown.
    EXPECT_LT(init, s.indexOf("music.play", music));
    EXPECT_LT(s.indexOf("music.play"), s.indexOf("display", "fullscreen"));
    EXPECT_EQ(s.displays(), (std::vector<std::string>{"fullscreen", "window"}));
    const long restore = s.indexOf("display", "window");
    EXPECT_LT(restore, s.indexOf("music.stop"));
    EXPECT_LT(s.indexOf("music.stop"), s.indexOf("music.close"));
    EXPECT_FALSE(s.plat.Fullscreen());
    EXPECT_EQ(s.plat.LivePictures(), 0) << "every picture is given back";
    EXPECT_EQ(s.folder.read("options.txt"), "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n");
}

TEST(StartUp, MissingFilesLeaveEmptySlotsAndTheGameGoesOnNamingEachOnce) {
    Session s;
    s.folder.remove("graphics/trubka2C.png");
    s.folder.write("graphics/trubka1B.png", "not a picture");
    s.folder.remove("graphics/pozadi7.jpg");
    s.folder.remove("graphics/hura.png");
    s.folder.makeWritable("sound");
    s.folder.remove("sound/time.wav");
    s.folder.remove("music/Lumfex - Little bit of happiness.mp3");
    s.folder.makeWritable("help");
    s.folder.remove("help/help.html");
    s.folder.remove("help/help.css");
    s.folder.remove("graphics/hrac.png");
    s.folder.remove("levels");
    s.plat.At(GameFixture::kMenuReady, [&] {
        EXPECT_EQ(s.program.images().Slot(32), 0u);
        EXPECT_EQ(s.program.images().Slot(11), 0u);
        EXPECT_EQ(s.program.images().Slot(66), 0u);
        EXPECT_EQ(s.program.images().Slot(kSlotWon), 0u);
        EXPECT_NE(s.program.images().Slot(31), 0u);
        EXPECT_NE(s.program.images().Slot(65), 0u);
        EXPECT_EQ(s.program.screen(), Menus::Screen::MainMenu);
    });
    std::string shownAtMenu;
    s.plat.At(GameFixture::kMenuReady, [&] { shownAtMenu = s.program.view().notice.text; });
    bool goneLater = false;
    s.plat.At(GameFixture::kMenuReady + 30000, [&] { goneLater = !s.program.view().notice.shown; });
    EXPECT_EQ(s.Run(), 0);
    // The window names them too, once, from the data folder, the first five and a count.
    const auto notices = s.plat.LogOf("notice");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].detail,
              "Missing or unreadable: levels/, graphics/hrac.png, graphics/trubka1B.png, graphics/trubka2C.png, "
              "graphics/hura.png and 5 more. The game goes on without them.");
    EXPECT_EQ(shownAtMenu, notices[0].detail) << "over the main menu";
    EXPECT_TRUE(goneLater);
    EXPECT_EQ(s.plat.LivePictures(), 0);

    std::vector<std::string> lines;
    for (const Recorded& r : s.plat.LogOf("stderr")) {
        EXPECT_LT(r.at, GameFixture::kMenuReady) << "told at start-up";
        lines.push_back(r.detail);
    }
    const std::string root = s.folder.str();
    const std::vector<std::string> named = {root + "/levels",
                                            root + "/graphics/hrac.png",     root + "/graphics/trubka1B.png",
                                            root + "/graphics/trubka2C.png", root + "/graphics/hura.png",
                                            root + "/graphics/pozadi7.jpg",  root + "/sound/time.wav",
                                            root + "/music/Lumfex - Little bit of happiness.mp3",
                                            root + "/help/help.html",        root + "/help/help.css"};
    ASSERT_EQ(lines.size(), named.size());
    for (std::size_t i = 0; i < named.size(); ++i) EXPECT_NE(lines[i].find(named[i]), std::string::npos) << lines[i];
    EXPECT_NE(lines[0].find("missing the levels folder"), std::string::npos) << lines[0];
    EXPECT_NE(lines[2].find("cannot use"), std::string::npos) << "a picture that is there but cannot be read";
    EXPECT_NE(lines[3].find("missing"), std::string::npos);
    EXPECT_EQ(s.program.missingFiles(), named) << "kept for the window to tell";
}

TEST(StartUp, DesktopMeasurement) {
    struct Case {
        int w, h;
        float recordedW, recordedH;
    };
    for (const Case& c : {Case{600, 600, 800, 600}, Case{1024, 768, 1024, 768}, Case{900, 900, 1200, 900}}) {
        HeadlessOptions o;
        o.desktopWidth = c.w;
        o.desktopHeight = c.h;
        Session s(o, "fullscreen:on\r\nmusic:off\r\nlevel:\r\n");
        EXPECT_EQ(s.Run(), 0);
        EXPECT_FLOAT_EQ(s.program.display().desktopWidth(), c.recordedW);
        EXPECT_FLOAT_EQ(s.program.display().desktopHeight(), c.recordedH);
        EXPECT_EQ(s.displays(), (std::vector<std::string>{"fullscreen", "window"}));
    }
}

TEST(Shutdown, WindowedAndSilentMakesNoDisplayCallButStillClosesTheLibrary) {
    Session s;
    EXPECT_EQ(s.Run(), 0);
    EXPECT_TRUE(s.displays().empty());
    EXPECT_TRUE(s.plat.LogOf("music.play").empty());
    EXPECT_TRUE(s.plat.LogOf("music.stop").empty());
    EXPECT_EQ(s.plat.LogOf("music.close").size(), 1u);
    EXPECT_EQ(s.plat.LivePictures(), 0);
    EXPECT_TRUE(s.program.unloaded());
    for (int slot = 0; slot < kImageSlots; ++slot) EXPECT_EQ(s.program.images().Loaded(slot), 0u);
}

TEST(Shutdown, CloseRequestOnTheMenuUnloadsAtOnce) {
    HeadlessOptions o;
    o.closeWhenScriptEnds = false;
    Session s(o);
    s.plat.Close(2000);
    EXPECT_EQ(s.Run(), 0);
    EXPECT_EQ(s.plat.LogOf("music.close").size(), 1u);
    EXPECT_LE(s.plat.LogOf("music.close").front().at, 2100u);
}

TEST(Shutdown, CloseRequestDuringALevelWaitsForTheLevelToEnd) {
    HeadlessOptions o;
    o.closeWhenScriptEnds = false;
    Session s(o, "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n");
    s.plat.Press(GameFixture::kMenuReady, Key::Return);  // "Play"
    const std::uint64_t closeAt = GameFixture::kMenuReady + 2500;
    bool playing = false;
    s.plat.At(closeAt - 10, [&] { playing = inPlay(s.program.play().phase()) && s.program.menus().Busy(); });
    s.plat.Close(closeAt);
    EXPECT_EQ(s.Run(), 0);
    EXPECT_TRUE(playing) << "the close request must arrive while the level runs";
    EXPECT_TRUE(s.program.unloaded());
    EXPECT_EQ(s.plat.LogOf("music.close").size(), 1u);
    EXPECT_EQ(s.displays(), (std::vector<std::string>{"fullscreen", "window"}));
    EXPECT_EQ(s.plat.LivePictures(), 0);
    EXPECT_TRUE(s.plat.LogOf("notice").empty());
}

// Each of these stops start-up: non-zero status, one message naming the file,
// no display change, nothing written, everything released.
struct StopCase {
    const char* name;
    std::function<void(Session&)> spoil;
    const char* mustName;
};

TEST(StartUpStops, MissingWindowPictureOrSettings) {
    const std::string goodSettings = "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n";
    const std::vector<StopCase> cases = {
        {"no okno.jpg", [](Session& s) { s.folder.remove("graphics/okno.jpg"); }, "okno.jpg"},
        {"okno.jpg is not a picture",
         [](Session& s) { s.folder.write("graphics/okno.jpg", "rubbish"); }, "okno.jpg"},
        {"no options.txt", [](Session& s) { s.folder.remove("options.txt"); }, "options.txt"},
        {"two lines",
         [](Session& s) { s.folder.write("options.txt", "fullscreen:on\r\nmusic:on\r\n"); },
         "options.txt"},
    };
    for (const StopCase& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool czech : {false, true}) {
            Session s({}, goodSettings);
            if (czech) s.folder.write("AtToMluvi.Cesky", "");
            c.spoil(s);
            const bool hadSettings = s.folder.exists("options.txt");
            const std::string settingsBefore = hadSettings ? s.folder.read("options.txt") : "";

            EXPECT_NE(s.Run(), 0);
            const auto boxes = s.plat.LogOf("notice");
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_NE(boxes[0].detail.find(c.mustName), std::string::npos) << boxes[0].detail;
            EXPECT_NE(boxes[0].detail.find(s.folder.str()), std::string::npos) << boxes[0].detail;
            ASSERT_FALSE(s.plat.LogOf("stderr").empty());
            EXPECT_EQ(s.plat.LogOf("stderr").back().detail, boxes[0].detail) << "and on standard error";
            EXPECT_TRUE(s.displays().empty());
            EXPECT_FALSE(s.plat.Fullscreen());
            EXPECT_TRUE(s.plat.LogOf("music.device").empty());
            EXPECT_EQ(s.folder.exists("options.txt"), hadSettings);
            if (hadSettings) {
                EXPECT_EQ(s.folder.read("options.txt"), settingsBefore);
            }
            EXPECT_EQ(s.folder.exists("AtToMluvi.Cesky"), czech);
            if (czech) {
                EXPECT_EQ(s.folder.read("AtToMluvi.Cesky"), "");
            }
            EXPECT_EQ(s.plat.LivePictures(), 0);
            EXPECT_FALSE(s.view().menu.shown);
        }
    }
}

// The reason stands over the window until the player has read it: a key (or a close)
// ends the program, nothing else does.
TEST(StartUpStops, TheReasonStandsUntilAKey) {
    Session s({}, "fullscreen:off\r\nmusic:on\r\nlevel:01\r\n");
    s.folder.remove("graphics/okno.jpg");
    s.plat.Type(5000, "x");  // typed text is no key
    s.plat.Press(9000, Key::Space);
    s.plat.At(8000, [&] { EXPECT_TRUE(s.view().notice.shown); });
    EXPECT_NE(s.Run(), 0);
    EXPECT_EQ(s.plat.Now(), 9000u);
    EXPECT_FALSE(s.plat.CloseRequested());
}

TEST(StartUpStops, NoFontForTheTextNamesTheFontsToInstall) {
    HeadlessOptions o;
    o.fontsInstalled = false;
    Session s(o, "fullscreen:on\r\nmusic:on\r\nlevel:01\r\n");
    EXPECT_NE(s.Run(), 0);
    // Without a font no words can show in the window: standard error says it all.
    EXPECT_TRUE(s.plat.LogOf("notice").empty());
    const auto lines = s.plat.LogOf("stderr");
    ASSERT_EQ(lines.size(), 1u);
    for (const char* name : {"Liberation Sans", "DejaVu Sans", "fonts-liberation2", "fonts-dejavu-core"})
        EXPECT_NE(lines[0].detail.find(name), std::string::npos) << lines[0].detail;
    EXPECT_TRUE(s.displays().empty());
    EXPECT_TRUE(s.plat.LogOf("music.device").empty());
    EXPECT_EQ(s.plat.LivePictures(), 0);
    EXPECT_FALSE(s.view().menu.shown);
}

TEST(OptionsSave, ASettingsFileThatCannotBeReplacedIsToldOnceAndTheGameGoesOn) {
    // The settings file cannot be replaced: toggling the music on the options screen
    // says so once, in the language in force, the music plays all the same, and the
    // game runs to its normal end.
    for (bool czech : {false, true}) {
        SCOPED_TRACE(czech ? "Czech" : "English");
        Session s({}, "fullscreen:on\r\nmusic:off\r\nlevel:01\r\n");
        if (czech) s.folder.write("AtToMluvi.Cesky", "");
        s.plat.Files().calls.rename = [](const char*, const char*) {
            errno = EBUSY;
            return -1;
        };
        std::uint64_t t = GameFixture::kMenuReady;
        s.plat.Press(t, Key::Down);                // "Options"
        s.plat.Press(t += 100, Key::Return);
        s.plat.Press(t += 100, Key::Down);         // line 1 ...
        s.plat.Press(t += 100, Key::Down);         // ... line 2: music
        s.plat.Press(t += 100, Key::Return);
        s.plat.Press(t += 100, Key::Return);       // off again
        s.plat.Press(t += 100, Key::Return);       // and on
        EXPECT_EQ(s.Run(), 0);
        const auto boxes = s.plat.LogOf("notice");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail, czech ? "Tuto volbu si hra nemůže zapamatovat: platí jen do konce hry."
                                         : "This choice cannot be remembered: it holds until the game ends.");
        const auto lines = s.plat.LogOf("stderr");
        ASSERT_EQ(lines.size(), 3u) << "every failed save is on standard error";
        EXPECT_NE(lines[0].detail.find("cannot replace " + s.folder.str() + "/options.txt: Device or resource busy"),
                  std::string::npos)
            << lines[0].detail;
        EXPECT_EQ(s.folder.read("options.txt"), "fullscreen:on\r\nmusic:off\r\nlevel:01\r\n");
        EXPECT_TRUE(s.program.settings().musicOn) << "the choice holds for this run";
        EXPECT_EQ(s.plat.LogOf("music.play").size(), 2u);
        EXPECT_EQ(s.displays().back(), "window");
        EXPECT_EQ(s.plat.LogOf("music.close").size(), 1u);
        EXPECT_EQ(s.plat.LivePictures(), 0);
    }
}

}  // namespace
}  // namespace tk::test
