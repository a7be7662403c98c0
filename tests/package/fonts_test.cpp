// The package brings the fonts the game draws with: every caption of both languages, laid out
// with the fonts of the packages the .deb depends on and no other font of this machine, fits
// its label. The captions test runs in a child under a fontconfig configuration of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "package_fixture.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

// The packages named in the package's Depends field whose names start with "fonts-",
// alternatives included.
std::vector<std::string> FontPackages(const fs::path& deb) {
    const CommandRun depends = runCommand("dpkg-deb -f '" + deb.string() + "' Depends");
    std::vector<std::string> fonts;
    std::string all = depends.out;
    for (char& c : all)
        if (c == ',' || c == '|') c = ' ';
    std::istringstream words(all);
    for (std::string word; words >> word;)
        if (word.rfind("fonts-", 0) == 0) fonts.push_back(word);
    return fonts;
}

// The folders that hold a package's font files, as this machine's dpkg lists them.
std::set<std::string> FontFolders(const std::string& package) {
    std::set<std::string> folders;
    std::istringstream files(runCommand("dpkg -L '" + package + "'").out);
    for (std::string file; std::getline(files, file);) {
        const std::string ext = fs::path(file).extension().string();
        if ((ext == ".ttf" || ext == ".otf" || ext == ".ttc") && fs::is_regular_file(file))
            folders.insert(fs::path(file).parent_path().string());
    }
    return folders;
}

// A fontconfig configuration that knows only `folders`: no system rules, no user fonts, its
// cache in the scratch folder.
fs::path WriteFontConfig(const fs::path& where, const std::set<std::string>& folders) {
    fs::create_directories(where);
    std::ofstream conf(where / "fonts.conf");
    conf << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n<fontconfig>\n";
    for (const std::string& folder : folders) conf << "  <dir>" << folder << "</dir>\n";
    conf << "  <cachedir>" << (where / "cache").string() << "</cachedir>\n</fontconfig>\n";
    return where / "fonts.conf";
}

// The game's own captions test, run with only these fonts.
CommandRun CaptionsTestWith(const fs::path& config) {
    return runCommand("FONTCONFIG_FILE='" + config.string() + "' '" TK_APP_TESTS
                      "' --gtest_filter=Captions.EveryCaptionOfBothLanguagesFitsItsLabel 2>&1");
}

TEST_F(Package, EveryCaptionFitsInTheFontsThePackageDependsOn) {
    const std::vector<std::string> packages = FontPackages(deb_);
    EXPECT_NE(std::find(packages.begin(), packages.end(), "fonts-liberation2"), packages.end())
        << "the captions are laid out for Liberation Sans";
    std::set<std::string> folders;
    for (const std::string& package : packages) {
        const std::set<std::string> own = FontFolders(package);
        EXPECT_FALSE(own.empty()) << package << " is not installed here (scripts/install-deps.sh test)";
        folders.insert(own.begin(), own.end());
    }
    const CommandRun run = CaptionsTestWith(WriteFontConfig(scratch_->path() / "fonts-depended-on", folders));
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("[  PASSED  ] 1 test."), std::string::npos) << run.out;

    // The captions test really takes its fonts from the configuration: with no font folder
    // at all it finds no font.
    const CommandRun none = CaptionsTestWith(WriteFontConfig(scratch_->path() / "no-fonts", {}));
    EXPECT_NE(none.status, 0) << none.out;
}

}  // namespace
}  // namespace tk::test
