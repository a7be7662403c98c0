// The language flag and its marker file.
#include "ui/language.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {

namespace {

// Each returns why the marker could not be made or removed, or nothing.
std::string removeMarker(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return {};
    return "cannot remove " + path + ": " + std::strerror(errno);
}

// The marker is an empty file. A link of that name is replaced, not followed, so that
// nothing outside the program folder is ever truncated, and a FIFO fails at once rather
// than wait for a reader. An empty marker is left as it is, so that a Czech game starts
// from a folder it cannot write.
std::string createMarker(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISREG(st.st_mode) && st.st_size == 0) return {};
        if (S_ISLNK(st.st_mode)) ::unlink(path.c_str());
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 || ::close(fd) != 0) return "cannot create " + path + ": " + std::strerror(errno);
    return {};
}

}  // namespace

void Language::BeforeFirstSwitch() {
    struct stat st {};
    czech_ = ::lstat(marker_.c_str(), &st) != 0;
}

std::string Language::Switch() {
    const bool wasCzech = czech_;
    czech_ = !wasCzech;
    // The language changes for this run even where the choice cannot be saved.
    return wasCzech ? removeMarker(marker_) : createMarker(marker_);
}

}  // namespace tk
