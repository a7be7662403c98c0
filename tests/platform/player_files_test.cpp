// The player's files: written whole with the player's mode, links treated as asked, damaged files set aside with their history, the folder's lock, leftovers of dead writers.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/player_files.h"
#include "support/forked.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

struct Files {
    ProgramFolder folder{false};
    PlayerFiles files;
    std::vector<std::string> seen;  // what `observe` was told
    std::string why;

    Files() {
        files.observe = [this](const std::string& what, const std::string& path) {
            seen.push_back(what + " " + fs::path(path).filename().string());
        };
    }
    std::string at(const std::string& name) const { return (folder / name).string(); }
    bool write(const std::string& name, const std::string& text,
               PlayerFiles::Link link = PlayerFiles::Link::WriteThrough) {
        return files.Write(at(name), text, link, why);
    }
};

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(PlayerFiles, AWriteReplacesTheFileWholeWithThePlayersUsualModeAndIsObserved) {
    Files f;
    f.folder.write("options.txt", "old");
    ::chmod(f.at("options.txt").c_str(), 0444);  // a shipped file copied read-only, say
    for (mode_t umask : {mode_t{022}, mode_t{077}}) {
        SCOPED_TRACE(umask);
        const mode_t before = ::umask(umask);
        EXPECT_TRUE(f.write("options.txt", "new\r\n")) << f.why;
        ::umask(before);
        EXPECT_EQ(f.folder.read("options.txt"), "new\r\n");
        EXPECT_EQ(modeOf(f.folder / "options.txt"), 0666 & ~umask);
    }
    EXPECT_EQ(leftovers(f.folder), std::vector<std::string>{});
    EXPECT_EQ(f.seen, (std::vector<std::string>{"write options.txt", "write options.txt"}));

    // A failure is told with the file and the reason, and observed as nothing.
    EXPECT_FALSE(f.files.Write(f.at("gone/options.txt"), "x", PlayerFiles::Link::WriteThrough, f.why));
    EXPECT_NE(f.why.find(f.at("gone/options.txt")), std::string::npos) << f.why;
    EXPECT_EQ(f.seen.size(), 2u);
}

TEST(PlayerFiles, ALinkIsWrittenThroughOrReplacedAsAsked) {
    Files f;
    f.folder.write("target.txt", "the target");
    fs::create_symlink(f.folder / "target.txt", f.folder / "through");
    fs::create_symlink(f.folder / "target.txt", f.folder / "replaced");
    EXPECT_TRUE(f.write("through", "written through", PlayerFiles::Link::WriteThrough)) << f.why;
    EXPECT_TRUE(fs::is_symlink(f.folder / "through"));
    EXPECT_EQ(f.folder.read("target.txt"), "written through");
    EXPECT_TRUE(f.write("replaced", "", PlayerFiles::Link::Replace)) << f.why;
    EXPECT_FALSE(fs::is_symlink(f.folder / "replaced"));
    EXPECT_EQ(f.folder.read("target.txt"), "written through") << "a replaced link's target is never touched";
    // A FIFO in a marker's place is replaced at once, never waited on.
    ASSERT_EQ(::mkfifo(f.at("fifo").c_str(), 0600), 0);
    EXPECT_TRUE(f.write("fifo", "", PlayerFiles::Link::Replace)) << f.why;
    EXPECT_TRUE(fs::is_regular_file(f.folder / "fifo"));
}

TEST(PlayerFiles, SetAsideKeepsTheLatestTenAndDropsTheOldest) {
    Files f;
    std::string aside;
    for (int n = 1; n <= 12; ++n) {
        f.folder.write("scores.txt", "damaged " + std::to_string(n));
        ASSERT_TRUE(f.files.SetAside(f.at("scores.txt"), aside, f.why)) << f.why;
        EXPECT_EQ(aside, f.at("scores.txt.bad"));
    }
    EXPECT_FALSE(f.folder.exists("scores.txt"));
    EXPECT_EQ(f.folder.read("scores.txt.bad"), "damaged 12");
    for (int n = 1; n <= 9; ++n) EXPECT_EQ(f.folder.read("scores.txt.bad." + std::to_string(n)), "damaged " + std::to_string(12 - n));
    EXPECT_FALSE(f.folder.exists("scores.txt.bad.10"));
    EXPECT_EQ(std::distance(fs::directory_iterator(f.folder.path()), fs::directory_iterator()), PlayerFiles::kSetAsideKept);
    EXPECT_EQ(f.seen.size(), 12u);
    EXPECT_EQ(f.seen.back(), "aside scores.txt");

    EXPECT_FALSE(f.files.SetAside(f.at("scores.txt"), aside, f.why)) << "nothing there to set aside";
    EXPECT_NE(f.why.find("scores.txt"), std::string::npos);
}

TEST(PlayerFiles, TheLockShutsOutOtherProcessesUntilItGoes) {
    Files f;
    const std::string lockFile = f.at(PlayerFiles::kLockFileName);
    // Whether another process could take the lock this moment, without waiting.
    const auto othersCanLock = [&] {
        return runForked([&] {
            const int fd = ::open(lockFile.c_str(), O_RDWR);
            if (fd < 0) return 2;
            return ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : (errno == EWOULDBLOCK ? 1 : 3);
        });
    };
    {
        const PlayerFiles::Lock lock = f.files.LockFolderOf(f.at("options.txt"));
        EXPECT_TRUE(lock.Held());
        EXPECT_EQ(othersCanLock(), 1);
    }
    EXPECT_EQ(othersCanLock(), 0);
}

TEST(PlayerFiles, TakingTheLockRemovesWhatDeadWritersLeftAndNothingElse) {
    Files f;
    // A writer killed between making its file and renaming it.
    const pid_t dead = ::fork();
    if (dead == 0) ::_exit(0);
    ASSERT_GT(dead, 0);
    ::waitpid(dead, nullptr, 0);
    const std::string gone = std::to_string(dead);
    const std::string living = std::to_string(::getpid());
    for (const std::string& name : std::vector<std::string>{"options.txt.tmp." + gone + ".0", "scores.txt.tmp." + gone + ".17",
                                    "options.txt.tmp." + living + ".3", "options.txt.tmp", "notes.tmp.x.1",
                                    "options.txt.tmp." + gone + ".x"})
        f.folder.write(name, "");
    {
        const PlayerFiles::Lock lock = f.files.LockFolderOf(f.at("options.txt"));
    }
    std::vector<std::string> kept{"notes.tmp.x.1", "options.txt.tmp", "options.txt.tmp." + gone + ".x",
                                  "options.txt.tmp." + living + ".3"};
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(leftovers(f.folder), kept);
}

}  // namespace
}  // namespace tk::test
