// Writing the player's files: a temporary file of the writer's own, made durable and renamed over the old one; the folder's lock; set-aside history.
#include "platform/player_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace tk {

FileCalls realFileCalls() {
    return FileCalls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        ::write,
        ::fsync,
        ::rename,
        ::close,
    };
}

PlayerFiles& Platform::Files() {
    static PlayerFiles files;
    return files;
}

namespace {

// Temporary files are "<file>.tmp.<process>.<number>": unique to the writer while it
// lives, and telling whose they were once it is gone.
constexpr const char* kTempInfix = ".tmp.";

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

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// The process that made a temporary file of ours, or 0 when the name is not one.
pid_t writerOf(const char* name) {
    const char* infix = std::strstr(name, kTempInfix);
    if (!infix || infix == name) return 0;
    char* end = nullptr;
    const long pid = std::strtol(infix + std::strlen(kTempInfix), &end, 10);
    if (pid <= 0 || *end != '.' || !end[1]) return 0;
    for (const char* c = end + 1; *c; ++c)
        if (*c < '0' || *c > '9') return 0;
    return static_cast<pid_t>(pid);
}

bool alive(pid_t pid) { return ::kill(pid, 0) == 0 || errno == EPERM; }

// A writer killed between making its temporary file and renaming it leaves the file
// behind; nobody else would ever remove it. Run under the folder's lock, when no writer
// of ours is halfway, and only for writers that are gone.
void removeLeftovers(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t writer = writerOf(entry->d_name);
        if (writer != 0 && !alive(writer)) ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Writes all of `text` at the descriptor's position; false with errno set.
bool writeAll(const FileCalls& io, int fd, const std::string& text) {
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

// A folder that takes no new file may still hold a writable file: rewrite it where it
// is. Only a regular file; a FIFO fails at once rather than wait for a reader.
bool writeInPlace(const FileCalls& io, const std::string& file, const std::string& text, int createError,
                  std::string& why) {
    const int fd = io.open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0);
    if (fd < 0) {
        // Nothing there to rewrite: what stopped us is that it cannot be made.
        why = errno == ENOENT ? failed("create", file, createError) : failed("write", file, errno);
        return false;
    }
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    int err = ok ? 0 : EINVAL;
    if (ok) {
        ok = writeAll(io, fd, text) && ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && io.fsync(fd) == 0;
        err = errno;
    }
    if (io.close(fd) != 0 && ok) ok = false, err = errno;
    if (!ok) why = failed("write", file, err);
    return ok;
}

}  // namespace

PlayerFiles::Lock::~Lock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

PlayerFiles::Lock PlayerFiles::LockFolderOf(const std::string& file) {
    const std::string folder = folderOf(file);
    const std::string lockFile = folder + "/" + kLockFileName;
    int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    // A folder the player may read but not write (an install's, rewritten in place)
    // locks itself.
    if (fd < 0) fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return Lock(-1);
    int locked;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        ::close(fd);
        return Lock(-1);
    }
    removeLeftovers(folder);
    return Lock(fd);
}

bool PlayerFiles::Write(const std::string& path, const std::string& text, Link link, std::string& why) {
    std::string target = path;
    struct stat st {};
    if (link == Link::WriteThrough && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char* real = ::realpath(path.c_str(), nullptr);
        if (!real) {
            why = failed("follow the link", path, errno);
            return false;
        }
        target = real;
        std::free(real);
    }

    // A name no other writer uses, created afresh and never through a link: whatever
    // lies at such a name is some other writer's, never ours to follow or remove.
    static std::atomic<unsigned> serial{0};
    std::string temp;
    int fd = -1;
    for (int tries = 0; fd < 0 && tries < 100; ++tries) {
        temp = target + kTempInfix + std::to_string(::getpid()) + "." + std::to_string(serial++);
        fd = calls.open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        const int err = errno;
        if (cannotCreateThere(err)) {
            if (!writeInPlace(calls, target, text, err, why)) return false;
            if (observe) observe("write", target);
            return true;
        }
        why = failed("create", temp, err);
        return false;
    }

    bool ok = writeAll(calls, fd, text);
    if (!ok) why = failed("write", temp, errno);
    if (ok && calls.fsync(fd) != 0) ok = false, why = failed("flush", temp, errno);
    if (calls.close(fd) != 0 && ok) ok = false, why = failed("close", temp, errno);
    if (ok && calls.rename(temp.c_str(), target.c_str()) != 0) ok = false, why = failed("replace", target, errno);
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; a failure here leaves a whole file either way.
    const int dir = calls.open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (dir >= 0) {
        calls.fsync(dir);
        calls.close(dir);
    }
    if (observe) observe("write", target);
    return true;
}

bool PlayerFiles::Remove(const std::string& path, std::string& why) {
    if (::unlink(path.c_str()) != 0) {
        if (errno == ENOENT) return true;
        why = failed("remove", path, errno);
        return false;
    }
    if (observe) observe("remove", path);
    return true;
}

bool PlayerFiles::SetAside(const std::string& path, std::string& asideAs, std::string& why) {
    const std::string latest = path + ".bad";
    // Each earlier copy one number up; the rename onto the last name drops the oldest.
    for (int n = kSetAsideKept - 1; n >= 1; --n) {
        const std::string from = n == 1 ? latest : latest + "." + std::to_string(n - 1);
        if (exists(from)) calls.rename(from.c_str(), (latest + "." + std::to_string(n)).c_str());
    }
    if (calls.rename(path.c_str(), latest.c_str()) != 0) {
        why = failed("move aside", path, errno);
        return false;
    }
    asideAs = latest;
    if (observe) observe("aside", path);
    return true;
}

}  // namespace tk
