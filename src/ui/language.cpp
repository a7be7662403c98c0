// The language flag and its marker file.
#include "ui/language.h"

#include <sys/stat.h>

namespace tk {

void Language::BeforeFirstSwitch() {
    struct stat st {};
    czech_ = ::lstat(marker_.c_str(), &st) != 0;
}

std::string Language::Switch() {
    const bool wasCzech = czech_;
    czech_ = !wasCzech;
    // The language changes for this run even where the choice cannot be saved.
    std::string why;
    if (wasCzech) {
        files_.Remove(marker_, why);
        return why;
    }
    // The marker is an empty file. An empty one is left as it is, so that a Czech game
    // starts from a folder it cannot write; anything else in its place (a link, a file
    // with content) is replaced by an empty file, never followed.
    struct stat st {};
    if (::lstat(marker_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) return {};
    const PlayerFiles::Lock lock = files_.LockFolderOf(marker_);
    files_.Write(marker_, "", PlayerFiles::Link::Replace, why);
    return why;
}

}  // namespace tk
