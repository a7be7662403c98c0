// Reading the settings file by line position, and writing it whole or not at all.
#include "app/settings.h"

#include "platform/fatal_error.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace tk {

namespace {

// The rest of a UTF-8 line from its seventh character on: a character is counted
// by its first byte, so a name with accents is cut between characters, not inside one.
std::string fromSeventhCharacter(std::string_view line) { return std::string(line.substr(utf8Offset(line, 6))); }

std::string describe(int err) { return std::strerror(err); }

}  // namespace

Settings readSettings(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int err = errno;
        std::error_code ec;
        const bool present = std::filesystem::exists(path, ec);
        throw FatalError("Cannot read the settings file " + path + ": " +
                         (present ? describe(err) : std::string("file not found")));
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        throw FatalError("Cannot read the settings file " + path + ": it is a folder, not a file");
    }
    // Only the first three lines matter; a device or a runaway file given as the
    // settings must not hold start-up up, so reading stops after a megabyte.
    constexpr std::size_t kMostRead = 1 << 20;
    std::string text(kMostRead, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) throw FatalError("Cannot read the settings file " + path + ": read error");
    text.resize(static_cast<std::size_t>(in.gcount()));
    // An editor's byte-order mark is not part of the first line.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);

    // Lines end in CR LF as the game writes them, but a file edited by hand may use
    // LF or CR alone; a last line without an ending still counts.
    int total = 0;
    const std::vector<std::string_view> lines = splitLines(text, 3, total);
    if (lines.size() < 3) {
        throw FatalError("Cannot read the settings file " + path + ": it has " +
                         std::to_string(lines.size()) + " line" + (lines.size() == 1 ? "" : "s") +
                         ", three are needed");
    }
    // Each line is taken by its position; the keys are not searched for.
    Settings settings;
    settings.fullscreenOn = lines[0] == "fullscreen:on";
    settings.musicOn = lines[1] == "music:on";
    settings.currentLevel = fromSeventhCharacter(lines[2]);
    return settings;
}

void ulozNastaveni(const std::string& path, const Settings& settings) {
    const std::string temp = path + ".tmp";
    const std::string text = std::string("fullscreen:") + (settings.fullscreenOn ? "on" : "off") + "\r\n" +
                             "music:" + (settings.musicOn ? "on" : "off") + "\r\n" + "level:" +
                             settings.currentLevel + "\r\n";

    // The new content goes to a file of its own first and replaces the old file in one
    // step, so a crash or a full disk never leaves a short file that would stop every
    // later start-up.
    auto fail = [&](const std::string& what, int err, bool created) {
        if (created) ::unlink(temp.c_str());
        throw FatalError("Cannot write the settings file " + path + ": " + what + ": " +
                         describe(err));
    };
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) fail("cannot create " + temp, errno, false);

    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            fail("cannot write " + temp, err, true);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        fail("cannot flush " + temp, err, true);
    }
    if (::close(fd) != 0) fail("cannot close " + temp, errno, true);
    if (::rename(temp.c_str(), path.c_str()) != 0) fail("cannot replace it", errno, true);

    // Make the rename itself durable; a failure here leaves a whole file either way.
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace tk
