// The game installed into a scratch prefix (cmake --install, done by the test set-up): the
// tree a Linux desktop expects, the menu entry and metainfo that the desktop's own
// validators accept, and the installed game finding its data in share/.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/program.h"
#include "platform/headless_platform.h"
#include "support/file_tree.h"
#include "support/program_folder.h"

namespace tk::test {
namespace {

namespace fs = std::filesystem;

const fs::path kTree = TK_INSTALL_TREE;
const std::string kId = "cz.tramolkulap.TramolKulap";

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const fs::path& png) {
    const std::string bytes = readFile(png);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be32 = [&](std::size_t at) {
        return static_cast<int>(static_cast<std::uint8_t>(bytes[at]) << 24 | static_cast<std::uint8_t>(bytes[at + 1]) << 16 |
                                static_cast<std::uint8_t>(bytes[at + 2]) << 8 | static_cast<std::uint8_t>(bytes[at + 3]));
    };
    return {be32(16), be32(20)};
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Install, TheTreeIsLaidOutAsDesktopsExpect) {
    ASSERT_TRUE(fs::is_directory(kTree)) << "the set-up installs into " << kTree;
    // Only the two programs, runnable; none of the tests or benchmarks.
    EXPECT_EQ(Names(kTree / "games"), (std::vector<std::string>{"tramolkulap", "tramolkulap-levels"}));
    for (const char* exe : {"tramolkulap", "tramolkulap-levels"})
        EXPECT_EQ(::access((kTree / "games" / exe).c_str(), X_OK), 0) << exe;

    const fs::path data = kTree / "share/tramolkulap";
    EXPECT_EQ(Names(data), (std::vector<std::string>{"graphics", "help", "levels", "music", "options.txt", "sound"}));
    for (const fs::path& source : fs::recursive_directory_iterator(TK_DATA_DIR)) {
        if (!fs::is_regular_file(source)) continue;
        const fs::path installed = data / fs::relative(source, TK_DATA_DIR);
        EXPECT_EQ(readFile(installed), readFile(source)) << installed;
    }

    const fs::path share = kTree / "share";
    EXPECT_TRUE(fs::is_regular_file(share / "applications" / (kId + ".desktop")));
    EXPECT_TRUE(fs::is_regular_file(share / "metainfo" / (kId + ".metainfo.xml")));
    for (int px : {16, 32, 48, 64, 128, 256}) {
        const std::string size = std::to_string(px) + "x" + std::to_string(px);
        EXPECT_EQ(PngSize(share / "icons/hicolor" / size / "apps" / (kId + ".png")), std::make_pair(px, px)) << size;
    }
    const std::string svg = readFile(share / "icons/hicolor/scalable/apps" / (kId + ".svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_EQ(svg.find("<image"), std::string::npos) << "drawn with paths, not a picture inside";
    for (const char* page : {"tramolkulap.6.gz", "tramolkulap-levels.6.gz"})
        EXPECT_TRUE(fs::is_regular_file(share / "man/man6" / page)) << page;
    EXPECT_TRUE(fs::is_regular_file(share / "doc/tramolkulap/copyright"));
}

TEST(Install, TheDesktopsValidatorsAcceptTheMenuEntryAndTheMetainfo) {
    const fs::path entry = kTree / "share/applications" / (kId + ".desktop");
    const CommandRun desktop = runCommand("desktop-file-validate '" + entry.string() + "'");
    EXPECT_EQ(desktop.status, 0) << desktop.out << desktop.err;
    EXPECT_EQ(desktop.out + desktop.err, "") << "not even a hint";

    const fs::path metainfo = kTree / "share/metainfo" / (kId + ".metainfo.xml");
    const CommandRun appstream = runCommand("appstreamcli validate --no-net '" + metainfo.string() + "'");
    EXPECT_EQ(appstream.status, 0) << appstream.out << appstream.err;

    // The entry starts the installed game and shows the installed icon; the metainfo
    // points at the entry.
    const std::string text = readFile(entry);
    EXPECT_NE(text.find("\nExec=" + (kTree / "games/tramolkulap").string() + "\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIcon=" + kId + "\n"), std::string::npos);
    EXPECT_NE(text.find("\nCategories=Game;LogicGame;\n"), std::string::npos);
    for (const char* key : {"\nName=", "\nName[cs]=", "\nGenericName=", "\nGenericName[cs]=", "\nComment=", "\nComment[cs]="})
        EXPECT_NE(text.find(key), std::string::npos) << key;
    EXPECT_NE(readFile(metainfo).find("<launchable type=\"desktop-id\">" + kId + ".desktop</launchable>"),
              std::string::npos);

    // The manual pages render without a complaint from the formatter.
    for (const char* page : {"tramolkulap.6.gz", "tramolkulap-levels.6.gz"}) {
        const CommandRun man = runCommand("zcat '" + (kTree / "share/man/man6" / page).string() +
                                          "' | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z");
        EXPECT_EQ(man.status, 0) << page;
        EXPECT_EQ(man.err, "") << page;
    }
}

// The words of a text, whatever its wrapping and indent.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// One licence everywhere: the Debian copyright file carries the terms of LICENSE word for
// word, under the name Debian gives them, and the metainfo names the same licence.
TEST(Install, TheLicenceIsTheSameInTheSourceTheCopyrightFileAndTheMetainfo) {
    const std::string licence = readFile(fs::path(TK_DATA_DIR) / "../LICENSE");
    const std::size_t terms = licence.find("Permission is hereby granted");
    ASSERT_NE(terms, std::string::npos);
    EXPECT_NE(licence.find("MIT License"), std::string::npos);

    const std::string copyright = readFile(kTree / "share/doc/tramolkulap/copyright");
    EXPECT_NE(copyright.find("\nFiles: *\n"), std::string::npos);
    const std::string stanza = "\nLicense: Expat\n";
    const std::size_t text = copyright.rfind(stanza);
    ASSERT_NE(text, std::string::npos) << copyright;
    std::string body = copyright.substr(text + stanza.size());
    std::vector<std::string> words = Words(body);
    words.erase(std::remove(words.begin(), words.end(), "."), words.end());  // its empty lines
    EXPECT_EQ(words, Words(licence.substr(terms)));

    const std::string metainfo = readFile(kTree / "share/metainfo" / (kId + ".metainfo.xml"));
    EXPECT_NE(metainfo.find("<project_license>MIT</project_license>"), std::string::npos);
    // The game has no web site: the metainfo may name one only once it exists.
    EXPECT_EQ(metainfo.find("http"), std::string::npos);
}

// The tool's manual keeps up with the tool: every verb and option its own usage texts
// name is described on the page.
TEST(Install, TheLevelsToolsManualNamesEveryVerbAndOption) {
    const fs::path tool = kTree / "games/tramolkulap-levels";
    const CommandRun usage = runCommand("'" + tool.string() + "' --help");
    ASSERT_EQ(usage.status, 0);
    const CommandRun page = runCommand("zcat '" + (kTree / "share/man/man6/tramolkulap-levels.6.gz").string() +
                                       "' | LC_ALL=C.UTF-8 groff -man -Tutf8 -P-c -P-b -P-u");
    ASSERT_EQ(page.status, 0);
    std::vector<std::string> verbs;
    std::istringstream lines(usage.out);
    for (std::string line; std::getline(lines, line);) {
        // "  VERB ..." in the list of verbs
        if (line.size() > 2 && line.rfind("  ", 0) == 0 && line[2] != ' ') verbs.push_back(line.substr(2, line.find(' ', 2) - 2));
    }
    ASSERT_GE(verbs.size(), 6u) << usage.out;
    for (const std::string& verb : verbs) {
        EXPECT_NE(page.out.find(verb), std::string::npos) << verb;
        const CommandRun help = runCommand("'" + tool.string() + "' " + verb + " --help");
        std::istringstream options(help.out);
        for (std::string line; std::getline(options, line);) {
            const std::size_t dash = line.find("--");
            if (dash == std::string::npos) continue;
            const std::size_t end = line.find_first_of(" ,.'\"", dash);
            const std::string option = line.substr(dash, end - dash);
            if (option.size() > 2) {
                EXPECT_NE(page.out.find(option), std::string::npos) << verb << " " << option;
            }
        }
    }
}

// The path from the executables to the data is compiled into the game from the install's
// layout: the installed game must find its data there, and write nothing into the install.
TEST(Install, TheInstalledGameReadsItsDataFromShareAndWritesOnlyToTheConfigFolder) {
    ProgramFolder config{false};
    const auto before = treeSnapshot(kTree);
    HeadlessOptions o;
    o.programFolder = (kTree / "games").string();
    o.userConfigHome = config.str();
    o.drawBoard = false;
    HeadlessPlatform plat(o);
    Program program(plat);
    plat.Press(1400, Key::Down);
    plat.Press(1500, Key::Down);
    plat.Press(1600, Key::Down);
    plat.Press(1700, Key::Return);  // Czech: the marker is written
    EXPECT_EQ(program.Run(), 0);
    EXPECT_TRUE(plat.LogOf("notice").empty());
    EXPECT_EQ(program.paths().dataFolder(), (kTree / "share/tramolkulap").string());
    EXPECT_EQ(readFile(config / "tramolkulap/options.txt"), readFile(kTree / "share/tramolkulap/options.txt"));
    EXPECT_TRUE(fs::exists(config / "tramolkulap/AtToMluvi.Cesky"));
    EXPECT_FALSE(plat.LogOf("navigate").empty());
    EXPECT_EQ(plat.LogOf("navigate").back().detail, (kTree / "share/tramolkulap/help/napoveda.html").string());
    EXPECT_EQ(treeSnapshot(kTree), before);
}

}  // namespace
}  // namespace tk::test
