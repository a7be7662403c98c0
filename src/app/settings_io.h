// Writing the settings file so that it is always whole, never through a planted link.
#pragma once

#include <string>
#include <sys/types.h>

namespace tk {

// The system calls the settings writer makes. Tests replace them to make one fail, or
// to kill the program in the middle of a save.
struct SettingsFileCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*close)(int fd);
};
SettingsFileCalls& settingsFileCalls();  // the real calls unless a test replaced them

// Replaces the file at `path` by `text`: written to a temporary file beside it, made
// durable, then renamed over it, so that a crash leaves the old file or the new one.
// A link at `path` is written through to its target. In a folder that cannot be written
// the file is rewritten in place. False with `why` (the file and the reason) when the
// text could not be saved; the old file is then as it was (unless a rewrite in place
// failed halfway).
bool writeSettingsFile(const std::string& path, const std::string& text, std::string& why);

}  // namespace tk
