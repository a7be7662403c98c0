// The settings writer: a temporary file created exclusively, made durable and renamed over the old one.
#include "app/settings_io.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tk {

SettingsFileCalls& settingsFileCalls() {
    static SettingsFileCalls calls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::write,
        ::fsync,
        ::rename,
        ::close,
    };
    return calls;
}

namespace {

std::string failed(const std::string& what, const std::string& file, int err) {
    return "cannot " + what + " " + file + ": " + std::strerror(err);
}

// The errors of a folder (or a file system) that does not let us create a file.
bool cannotCreateThere(int err) { return err == EACCES || err == EPERM || err == EROFS; }

std::string folderOf(const std::string& file) {
    const auto slash = file.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : file.substr(0, slash);
}

// Writes all of `text` at the descriptor's position; false with errno set.
bool writeAll(int fd, const std::string& text) {
    SettingsFileCalls& io = settingsFileCalls();
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = io.write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A folder that takes no new file may still hold a writable settings file: rewrite it
// where it is. A crash in the middle can mix old and new bytes, which is why this is
// only the way out when the safe way is closed.
bool writeInPlace(const std::string& file, const std::string& text, std::string& why) {
    SettingsFileCalls& io = settingsFileCalls();
    const int fd = io.open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC, 0);
    if (fd < 0) {
        why = failed("write", file, errno);
        return false;
    }
    bool ok = writeAll(fd, text) && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 &&
              io.fsync(fd) == 0;
    int err = errno;
    if (io.close(fd) != 0 && ok) ok = false, err = errno;
    if (!ok) why = failed("write", file, err);
    return ok;
}

}  // namespace

bool writeSettingsFile(const std::string& path, const std::string& text, std::string& why) {
    SettingsFileCalls& io = settingsFileCalls();

    // A linked settings file is written through to its target, which stays a plain file
    // in its own folder, with the temporary file beside it.
    std::string target = path;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) {
            why = failed("follow the link", path, errno);
            return false;
        }
        target = real;
        std::free(real);
    }
    const std::string temp = target + ".tmp";

    // Whatever lies at the temporary name (a leftover, or a link planted to make us
    // overwrite another file) is removed, never followed; the file is then created
    // afresh, and never through a link.
    const int stale = ::unlink(temp.c_str()) == 0 || errno == ENOENT ? 0 : errno;
    const int fd =
        io.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int err = errno;
        if (cannotCreateThere(err) || (err == EEXIST && cannotCreateThere(stale)))
            return writeInPlace(target, text, why);
        why = failed("create", temp, err);
        return false;
    }

    bool ok = writeAll(fd, text);
    if (!ok) why = failed("write", temp, errno);
    if (ok && io.fsync(fd) != 0) ok = false, why = failed("flush", temp, errno);
    if (io.close(fd) != 0 && ok) ok = false, why = failed("close", temp, errno);
    if (ok && io.rename(temp.c_str(), target.c_str()) != 0) {
        ok = false;
        why = failed("replace", target, errno);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }

    // Make the rename itself durable; a failure here leaves a whole file either way.
    const int dir = io.open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        io.fsync(dir);
        io.close(dir);
    }
    return true;
}

}  // namespace tk
