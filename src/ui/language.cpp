// The language flag and its marker file.
#include "ui/language.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/fatal_error.h"

namespace tk {

namespace {
namespace fs = std::filesystem;

void removeMarker(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (!fs::exists(st)) return;
    if (!fs::remove(path, ec) || ec)
        throw FatalError("Cannot delete the language file " + path + ": " +
                         (ec ? ec.message() : std::string("not removed")));
}

// The marker is an empty file. A link of that name is replaced, not followed, so that
// nothing outside the program folder is ever truncated.
void createMarker(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) fs::remove(path, ec);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw FatalError("Cannot create the language file " + path + ": " + std::strerror(errno));
    if (std::fclose(f) != 0)
        throw FatalError("Cannot create the language file " + path + ": " + std::strerror(errno));
}

}  // namespace

void Language::BeforeFirstSwitch() {
    std::error_code ec;
    czech_ = !fs::exists(marker_, ec);
}

void Language::Switch() {
    const bool wasCzech = czech_;
    czech_ = !wasCzech;
    if (wasCzech)
        removeMarker(marker_);
    else
        createMarker(marker_);
}

}  // namespace tk
