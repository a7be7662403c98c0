// The one way the game writes the player's files (settings, language marker, best times): whole or not at all, under the folder's lock.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace tk {

// The system calls that change the player's files. Tests replace them to make one fail,
// or to kill the program in the middle of a write.
struct FileCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*close)(int fd);
};
FileCalls realFileCalls();

// Several games may run at once on the same folder. Each write goes to a temporary file
// of a name no other writer uses (made exclusively, beside the file), is made durable and
// renamed over the file, so that a reader, a crash or another game sees the old file or
// the new one, never a part. A writer that merges (re-reads, then writes) holds the
// folder's lock meanwhile, so that no other game writes in between.
class PlayerFiles {
public:
    // What a write does with a link in the file's place: a settings file the player linked
    // elsewhere is written through to its target; a marker is replaced, never followed.
    enum class Link { WriteThrough, Replace };

    // An advisory lock on the folder's lock file (on the folder itself where no lock file
    // can be made), held until it goes out of scope. Taking it removes what writers that
    // died left behind in the folder.
    class Lock {
    public:
        Lock(Lock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
        Lock& operator=(Lock&&) = delete;
        ~Lock();
        bool Held() const { return fd_ >= 0; }

    private:
        friend class PlayerFiles;
        explicit Lock(int fd) : fd_(fd) {}
        int fd_;
    };

    // The lock file's name in a folder of the player's files.
    static constexpr const char* kLockFileName = ".tramolkulap.lock";
    // Set-aside copies kept of one file: "<file>.bad" (the latest), "<file>.bad.1", …
    static constexpr int kSetAsideKept = 10;

    FileCalls calls = realFileCalls();
    // Told of every change to a file, after it is made: "write", "remove" or "aside" and
    // the file's path. The headless twin records them.
    std::function<void(const std::string& what, const std::string& path)> observe;

    // Waits for the lock of the folder that holds `file`. Where the folder cannot be
    // locked at all (a file system without locks), the returned lock is not held and the
    // writes still go on, whole.
    Lock LockFolderOf(const std::string& file);

    // Replaces the file at `path` by `text`, whole or not at all. In a folder that takes
    // no new file, a writable file is rewritten in place instead (a crash then can mix old
    // and new bytes: the only way left). False with `why` (the file and the reason) when
    // the text could not be written; the old file is then as it was.
    bool Write(const std::string& path, const std::string& text, Link link, std::string& why);
    // Removes the file; one that is not there is no failure.
    bool Remove(const std::string& path, std::string& why);
    // Moves a damaged file out of the way as "<path>.bad", the earlier ones one number up
    // ("<path>.bad.1" … "<path>.bad.9"); the oldest beyond ten is dropped. `asideAs` gets
    // the new name. Hold the lock meanwhile.
    bool SetAside(const std::string& path, std::string& asideAs, std::string& why);
};

}  // namespace tk
