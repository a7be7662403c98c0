// Reading a small regular file whole: a FIFO or a device given as a level or the settings must never freeze the game.
#include "puzzle/regular_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace tk {

namespace {

// Why a file of this kind is not read; empty for a regular file.
std::string refusedKind(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return "it is a folder, not a file";
    if (S_ISFIFO(mode)) return "it is a FIFO, not a file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device, not a file";
    if (S_ISSOCK(mode)) return "it is a socket, not a file";
    return "it is not a regular file";
}

std::string describe(int err) { return err == ENOENT ? "file not found" : std::strerror(err); }

}  // namespace

bool readRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                     std::string& why) {
    bytes.clear();
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        why = describe(errno);
        return false;
    }
    if (why = refusedKind(st.st_mode); !why.empty()) return false;
    // Opening a FIFO without O_NONBLOCK waits for a writer that may never come.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = describe(errno);
        return false;
    }
    if (::fstat(fd, &st) != 0) {
        why = describe(errno);
        ::close(fd);
        return false;
    }
    if (why = refusedKind(st.st_mode); !why.empty()) {
        ::close(fd);
        return false;
    }
    char buf[4096];
    while (bytes.size() < maxBytes) {
        const ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - bytes.size()));
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            why = describe(errno);
            ::close(fd);
            bytes.clear();
            return false;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

}  // namespace tk
