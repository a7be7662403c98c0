// Resource paths of the program folder.
#include "app/paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "services/mfmod.h"
#include "ui/texts.h"

namespace tk {

std::string Paths::LP(const std::string& a) const {
    std::string tail = a.size() > 6 ? a.substr(a.size() - 6) : a;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (tail == ".kulap") return folder_ + "/levels/" + a;
    return folder_ + "/graphics/" + a;
}

std::string Paths::Scores() const {
    return std::filesystem::path(Settings()).replace_filename("scores.txt").string();
}

std::string Paths::LanguageMarker() const { return folder_ + "/" + texts::kMarkerFileName; }

std::string Paths::MusicFile() const { return folder_ + "/music/" + kMusicFile; }

}  // namespace tk
