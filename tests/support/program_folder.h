// A throw-away program folder for one test: the game's data laid out as the build lays it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tk::test {

class ProgramFolder {
public:
    // A new temporary folder with the game's data: levels/, graphics/, sound/,
    // music/ and help/ link to data/ (read-only: call makeWritable before changing
    // one), options.txt is a copy. `withData` false gives an empty folder.
    explicit ProgramFolder(bool withData = true);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    void write(const std::string& relative, const std::string& content) const;
    std::string read(const std::string& relative) const;
    bool exists(const std::string& relative) const;
    void makeWritable(const std::string& dir) const;  // replaces the link by a copy
    void remove(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

// The temporary files a writer left in the folder (names with ".tmp" in them), sorted.
std::vector<std::string> leftovers(const ProgramFolder& folder);

}  // namespace tk::test
