// Where the program's files lie: everything beside the executable, in folders by kind.
#pragma once

#include <string>

namespace tk {

class Paths {
public:
    explicit Paths(std::string programFolder) : folder_(std::move(programFolder)) {}

    const std::string& programFolder() const { return folder_; }
    // A level file (a name ending in ".kulap", in any case) or else a picture. Only the
    // extension decides the folder; the name keeps its own case.
    std::string LP(const std::string& a) const;
    std::string LevelFile(const std::string& levelName) const { return LP(levelName + ".kulap"); }
    std::string Settings() const { return folder_ + "/options.txt"; }
    // The best times lie beside the settings, wherever those are kept.
    std::string Scores() const;
    std::string LanguageMarker() const;
    std::string SoundFolder() const { return folder_ + "/sound"; }
    std::string MusicFile() const;
    std::string HelpPage(const std::string& pageName) const { return folder_ + "/help/" + pageName + ".html"; }

private:
    std::string folder_;
};

}  // namespace tk
