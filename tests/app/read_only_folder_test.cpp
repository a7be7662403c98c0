// A program folder the player cannot write: the game starts, plays and keeps every choice for the run.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/forked.h"
#include "support/game_fixture.h"
#include "ui/texts.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

// The whole session runs in a child as a user who may not write the folder (root
// may write anywhere); its checks decide its exit status.
struct ReadOnlyInstall : GameFixture {
    explicit ReadOnlyInstall(const std::string& settings) {
        folder.write("options.txt", settings);
    }

    // Runs the game as someone else with the folder read-only; false when the
    // machine gives no such user (the test is then skipped).
    bool runAsPlayer() {
        fs::permissions(folder.path(), fs::perms(0555));
        const int status = runForked([&] {
            if (!dropPrivileges()) return kCannotDropPrivileges;
            EXPECT_EQ(Run(), 0);
            EXPECT_TRUE(plat.TakeUnrunActions().empty()) << "a check was scheduled for a moment the run never reached";
            return ::testing::Test::HasFailure() ? 1 : 0;
        });
        plat.TakeUnrunActions();  // they ran, or were skipped, in the child
        fs::permissions(folder.path(), fs::perms(0755));
        if (status == kCannotDropPrivileges) return false;
        EXPECT_EQ(status, 0) << "the checks of the player's run failed (see above)";
        return true;
    }
};

TEST(ReadOnlyFolder, ACzechInstallStartsAndItsChoicesHoldForTheRun) {
    const std::string settings = "fullscreen:off\r\nmusic:off\r\nlevel:01\r\n";
    ReadOnlyInstall f(settings);
    f.folder.write("AtToMluvi.Cesky", "");
    std::uint64_t t = GameFixture::kMenuReady;
    f.plat.At(t, [&] {
        EXPECT_TRUE(f.program.language().isCzech());
        EXPECT_TRUE(f.plat.LogOf("notice").empty()) << "an empty marker is not written at start-up";
    });
    for (Key key : {Key::Down, Key::Return, Key::Down, Key::Down, Key::Return}) f.plat.Press(t += 100, key);
    f.plat.At(t += 100, [&] {
        EXPECT_TRUE(f.program.settings().musicOn) << "the music is on for this run";
        EXPECT_EQ(f.plat.LogOf("music.play").size(), 1u);
        const auto boxes = f.plat.LogOf("notice");
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].detail, texts::cannotRemember(true));
        ASSERT_EQ(f.plat.LogOf("stderr").size(), 1u);
        EXPECT_NE(f.plat.LogOf("stderr")[0].detail.find(f.program.paths().Settings() + ": Permission denied"),
                  std::string::npos)
            << f.plat.LogOf("stderr")[0].detail;
    });
    // Back to the menu, then the language.
    for (Key key : {Key::Up, Key::Up, Key::Return, Key::Down, Key::Down, Key::Return}) f.plat.Press(t += 100, key);
    f.plat.At(t += 100, [&] {
        EXPECT_FALSE(f.program.language().isCzech()) << "English for this run";
        EXPECT_EQ(f.view().menu.lines[0], "Play");
        EXPECT_EQ(f.plat.LogOf("notice").size(), 1u) << "told only once";
        ASSERT_EQ(f.plat.LogOf("stderr").size(), 2u);
        EXPECT_NE(f.plat.LogOf("stderr")[1].detail.find(f.program.paths().LanguageMarker()), std::string::npos);
    });
    if (!f.runAsPlayer()) GTEST_SKIP() << "no unprivileged user to run as";
    // Nothing that was there is lost.
    EXPECT_EQ(f.folder.read("options.txt"), settings);
    EXPECT_TRUE(f.folder.exists("AtToMluvi.Cesky"));
}

TEST(ReadOnlyFolder, AWritableSettingsFileIsRewrittenInPlace) {
    ReadOnlyInstall f("fullscreen:off\r\nmusic:off\r\nlevel:a-much-longer-level-name-than-the-new-one\r\n");
    fs::permissions(f.folder / "options.txt", fs::perms(0666));
    std::uint64_t t = GameFixture::kMenuReady;
    // Options, "Choose level": the long name goes, "07" comes; then the music line.
    for (Key key : {Key::Down, Key::Return, Key::Down, Key::Down, Key::Down, Key::Return, Key::End}) f.plat.Press(t += 100, key);
    for (int i = 0; i < 41; ++i) f.plat.Press(t += 50, Key::Back);
    f.plat.Type(t += 50, "07");
    for (Key key : {Key::Return, Key::Up, Key::Return}) f.plat.Press(t += 100, key);
    f.plat.At(t += 100, [&] {
        EXPECT_TRUE(f.plat.LogOf("notice").empty());
        EXPECT_TRUE(f.plat.LogOf("stderr").empty());
    });
    if (!f.runAsPlayer()) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(f.folder.read("options.txt"), "fullscreen:off\r\nmusic:on\r\nlevel:07\r\n");
    EXPECT_EQ(leftovers(f.folder), std::vector<std::string>{});
}

}  // namespace
}  // namespace tk::test
