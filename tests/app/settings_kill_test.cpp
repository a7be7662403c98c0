// A save killed at every write, fsync, rename and close leaves the old settings file or the new one, whole.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "support/forked.h"
#include "app/settings.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

// The call that is to be the last one: on entry to the n-th call of this kind the
// process is killed, as by a power cut or the OOM killer.
enum class Call { Write, Fsync, Rename, Close };
Call gFatalCall = Call::Write;
int gFatalNumber = 0;
int gCallsSeen = 0;

void enter(Call call) {
    if (call == gFatalCall && ++gCallsSeen == gFatalNumber) ::raise(SIGKILL);
}

void armKillingCalls(FileCalls& io, Call call, int number) {
    gFatalCall = call;
    gFatalNumber = number;
    gCallsSeen = 0;
    io.write = [](int fd, const void* data, size_t size) {
        enter(Call::Write);
        return ::write(fd, data, size);
    };
    io.fsync = [](int fd) {
        enter(Call::Fsync);
        return ::fsync(fd);
    };
    io.rename = [](const char* from, const char* to) {
        enter(Call::Rename);
        return std::rename(from, to);
    };
    io.close = [](int fd) {
        enter(Call::Close);
        return ::close(fd);
    };
}

TEST(SettingsSave, KilledAtAnyCallLeavesTheOldFileOrTheNewOneWhole) {
    const std::string oldText = "fullscreen:off\r\nmusic:off\r\nlevel:a-long-name-from-before\r\n";
    const std::string newText = "fullscreen:on\r\nmusic:on\r\nlevel:07\r\n";
    struct Kind {
        Call call;
        const char* name;
    };
    for (const Kind& kind : {Kind{Call::Write, "write"}, Kind{Call::Fsync, "fsync"}, Kind{Call::Rename, "rename"},
                             Kind{Call::Close, "close"}}) {
        int kills = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE(std::string(kind.name) + " #" + std::to_string(n));
            ASSERT_LT(n, 20) << "a save makes only a few calls of each kind";
            ProgramFolder folder(false);
            folder.write("options.txt", oldText);
            const std::string path = (folder / "options.txt").string();
            Settings settings;
            settings.fullscreenOn = settings.musicOn = true;
            settings.currentLevel = "07";
            std::string why;
            PlayerFiles files;
            const int status = runForked([&] {
                armKillingCalls(files.calls, kind.call, n);
                return saveSettings(files, path, settings, changed::kAll, why) ? 0 : 1;
            });
            const std::string after = folder.read("options.txt");
            EXPECT_TRUE(after == oldText || after == newText) << after;
            if (status == 0) {
                EXPECT_EQ(after, newText) << "a save that ran to its end";
                break;
            }
            ASSERT_EQ(status, 128 + SIGKILL);
            ++kills;
            // The next save, not killed, takes over whatever the killed one left behind.
            EXPECT_TRUE(saveSettings(files, path, settings, changed::kAll, why)) << why;
            EXPECT_EQ(folder.read("options.txt"), newText);
            EXPECT_EQ(leftovers(folder), std::vector<std::string>{}) << "the killed save's file is removed";
        }
        EXPECT_GT(kills, 0) << "every kind of call is made by a save";
    }
}

}  // namespace
}  // namespace tk::test
