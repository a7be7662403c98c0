// Level files: the number reader, well-formed files read exactly, broken files refused by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "puzzle/level_file.h"
#include "puzzle/water.h"

namespace tk {
namespace {

// The fourteen lines of a good level; tests change single lines.
std::vector<std::string> goodLines() {
    return {"Kruh/Ring",   "90",          "JFKLLLLLLLL", "GLGLLLLLLLL", "IFHLLLLLLLL",
            "LLLLLLLLLLL", "LLLLLLLLLLL", "LLLLLLLLLLL", "LLLLLLLLLLA", "0,0",
            "1,0",         "",            "3",           "end"};
}

std::string joinLines(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
    std::string s;
    for (const auto& l : lines) s += l + eol;
    return s;
}

// Refusal line numbers of a file with one line replaced.
std::vector<int> refusedLines(int line, const std::string& text) {
    auto lines = goodLines();
    lines[static_cast<std::size_t>(line - 1)] = text;
    const LevelRead r = parseLevel(joinLines(lines));
    std::vector<int> out;
    for (const auto& p : r.problems)
        if (!p.warning) out.push_back(p.line);
    EXPECT_EQ(r.level.has_value(), out.empty()) << text;
    return out;
}

TEST(LevelNumbers, LeadingNumberBlanksHalvesAndRange) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"90", 90},      {" 3", 3},        {"4 ", 4},      {"2.5", 2},      {"3.5", 4},
        {"-2.5", -2},    {"0.5", 0},       {"1.5", 2},     {"2.51", 3},     {"-0.6", -1},
        {"12abc", 12},   {"abc", 0},       {"", 0},        {"-", 0},        {".", 0},
        {"1 2", 12},     {"\t7", 7},       {"+8", 8},      {".5", 0},       {"-.75", -1},
        {"1e2", 100},    {"1e", 1},        {"3,4", 3},     {"32767", 32767}, {"-32768", -32768},
        {"-32768.5", -32768}, {"1e-999", 0}, {"7x2", 7}};
    for (const auto& [text, want] : cases) {
        const auto got = readLevelNumber(text);
        ASSERT_TRUE(got.has_value()) << '"' << text << '"';
        EXPECT_EQ(*got, want) << '"' << text << '"';
    }
    for (const std::string& text : std::vector<std::string>{"32768", "-32769", "32767.5", "99999999999999999999", "1e999",
                             std::string(400, '9')})
        EXPECT_FALSE(readLevelNumber(text).has_value()) << text;
}

TEST(LevelFiles, AGoodFileLoadsExactlyAsWritten) {
    auto lines = goodLines();
    lines[0] = "Cesky/English/third piece";
    lines[1] = "0";
    lines[2] = "jfkllllllllXYZ??";  // lower case, and extra characters are ignored
    lines[9] = "3, 4";
    lines[10] = " 1 ,0,9";
    lines[11] = "whatever \xff";
    lines[13] = "next level  ";
    const LevelRead r = parseLevel(joinLines(lines) + "line fifteen is ignored\r\n");
    ASSERT_TRUE(r.level) << formatProblem("x", r.problems.at(0));
    EXPECT_TRUE(r.problems.empty());
    const LevelFile& l = *r.level;
    EXPECT_EQ(l.titleCs, "Cesky");
    EXPECT_EQ(l.titleEn, "English");
    EXPECT_EQ(l.timeLimit, 0);
    EXPECT_EQ(l.rows[0], "JFKLLLLLLLL");
    EXPECT_EQ(l.sourceX, 3);
    EXPECT_EQ(l.sourceY, 4);
    EXPECT_EQ(l.playerX, 1);
    EXPECT_EQ(l.playerY, 0);
    EXPECT_EQ(l.backgroundNumber, 3);
    EXPECT_EQ(l.nextLevel, "next level  ");

    lines = goodLines();
    lines[1] = "-20";  // never reaches zero; the clock leaves it alone
    ASSERT_TRUE(parseLevel(joinLines(lines)).level);
    EXPECT_EQ(parseLevel(joinLines(lines)).level->timeLimit, -20);

    TileGrid board;
    FlowGrid flow;
    placeLevel(l, board, flow);
    EXPECT_EQ(board(0, 0), 'J');
    EXPECT_EQ(board(10, 6), 'A');
    EXPECT_EQ(board(-1, 0), 'M');
    EXPECT_EQ(flow(5, 5), Water::Unset);
}

TEST(LevelFiles, LineEndsAndEncodingsReadAlike) {
    const auto lines = goodLines();
    const LevelFile crlf = *parseLevel(joinLines(lines)).level;
    for (const std::string eol : {"\n", "\r"}) {
        const LevelRead r = parseLevel(joinLines(lines, eol));
        ASSERT_TRUE(r.level);
        EXPECT_EQ(r.level->rows, crlf.rows);
        EXPECT_EQ(r.level->nextLevel, "end");
    }
    std::string noFinalEnd = joinLines(lines);
    noFinalEnd.resize(noFinalEnd.size() - 2);
    EXPECT_TRUE(parseLevel(noFinalEnd).level);

    auto cp = lines, utf = lines;
    cp[0] = "\xC8\x65rn\xE1 d\xED\x72\x61/Black hole";  // "Černá díra" in Windows-1250
    utf[0] = "\xC4\x8C\x65rn\xC3\xA1 d\xC3\xAD\x72\x61/Black hole";
    const LevelRead a = parseLevel(joinLines(cp)), b = parseLevel(joinLines(utf));
    ASSERT_TRUE(a.level && b.level);
    EXPECT_EQ(a.level->titleCs, "\xC4\x8C\x65rn\xC3\xA1 d\xC3\xAD\x72\x61");
    EXPECT_EQ(a.level->titleCs, b.level->titleCs);
    // The whole code page: š ž ť ľ ů ř and the typographic quotes.
    cp[0] = "\x9A\x9E\x9D\xBE\xF9\xF8\x84\x93/x";
    EXPECT_EQ(parseLevel(joinLines(cp)).level->titleCs,
              "\xC5\xA1\xC5\xBE\xC5\xA5\xC4\xBE\xC5\xAF\xC5\x99\xE2\x80\x9E\xE2\x80\x9C");
    // A byte-order mark from an editor does not end up in the title.
    EXPECT_EQ(parseLevel("\xEF\xBB\xBF" + joinLines(utf)).level->titleCs, b.level->titleCs);

    // Text the game never uses does not decide how the title reads: a stray Windows-1250
    // byte in the free line 12 or after a row's eleventh letter leaves a UTF-8 title whole,
    // and a Windows-1250 title still reads right beside UTF-8 text elsewhere.
    auto stray12 = utf, strayRow = utf;
    stray12[11] = "caf\xE9";
    strayRow[2] += "\xE9";
    for (const auto& file : {stray12, strayRow}) {
        const LevelRead r = parseLevel(joinLines(file));
        ASSERT_TRUE(r.level);
        EXPECT_EQ(r.level->titleCs, b.level->titleCs);
        EXPECT_EQ(r.level->rows, b.level->rows);
    }
    cp[0] = "\xC8\x65rn\xE1/Black";
    cp[11] = "\xC4\x8D";  // "č" in UTF-8
    EXPECT_EQ(parseLevel(joinLines(cp)).level->titleCs, "\xC4\x8C\x65rn\xC3\xA1");
}

TEST(LevelFiles, BrokenFilesAreRefusedOnTheRightLine) {
    EXPECT_EQ(refusedLines(2, "40000"), std::vector<int>{2});
    EXPECT_EQ(refusedLines(4, "GLGLLLLLLL"), std::vector<int>{4});  // ten tiles
    EXPECT_EQ(refusedLines(5, "IFHLLLLLNLL"), std::vector<int>{5});
    EXPECT_EQ(refusedLines(9, "LLLLL LLLLL"), std::vector<int>{9});
    EXPECT_EQ(refusedLines(6, "LLLLLLLLLL\xC4\x8D"), std::vector<int>{6});  // "č"
    EXPECT_EQ(refusedLines(10, "3 4"), std::vector<int>{10});
    EXPECT_EQ(refusedLines(11, "5"), std::vector<int>{11});
    EXPECT_EQ(refusedLines(10, "11,0"), std::vector<int>{10});
    EXPECT_EQ(refusedLines(10, "0,-1"), std::vector<int>{10});
    EXPECT_EQ(refusedLines(11, "4,7"), std::vector<int>{11});
    EXPECT_EQ(refusedLines(11, "99999,1"), std::vector<int>{11});
    EXPECT_EQ(refusedLines(13, "0"), std::vector<int>{13});
    EXPECT_EQ(refusedLines(13, "8"), std::vector<int>{13});
    EXPECT_EQ(refusedLines(13, "70000"), std::vector<int>{13});
    EXPECT_TRUE(refusedLines(12, "12 is never read: ,/ \x01").empty());
    // The next level's name becomes part of a path once the level is solved.
    const std::vector<std::string> refused = {"",   "../levels/01", "sub/02", "a\\b",
                                              "..", ".",            "x\x01",  std::string(kMaxLevelNameBytes + 1, 'n')};
    for (const std::string& next : refused) EXPECT_EQ(refusedLines(14, next), std::vector<int>{14}) << next;
    // Dots, blanks and names up to the longest a file may bear are fine.
    const std::vector<std::string> taken = {"end", "Dva body. a mezera", "a..b", "..x", "x..",
                                            std::string(kMaxLevelNameBytes, 'n')};
    for (const std::string& next : taken) EXPECT_TRUE(refusedLines(14, next).empty()) << next;

    // Short files: refused where the first missing line would be.
    auto lines = goodLines();
    lines.resize(11);
    LevelRead r = parseLevel(joinLines(lines));
    EXPECT_FALSE(r.level);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 12);
    r = parseLevel("");
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 1);

    r = readLevelFile("/nonexistent/level.kulap");
    EXPECT_FALSE(r.level);
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(r.problems[0].line, 0);
    EXPECT_EQ(formatProblem("a.kulap", r.problems[0]).rfind("a.kulap: ", 0), 0u);
    // A folder, an endless device or a FIFO that nobody writes to is refused before it
    // is opened, never read or waited for.
    const std::string fifo = std::filesystem::temp_directory_path() / ("level-fifo-" + std::to_string(::getpid()));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, const char*> unreadable[] = {
        {"/tmp", "cannot read: it is a folder, not a file"},
        {"/dev/zero", "cannot read: it is a device, not a file"},
        {fifo, "cannot read: it is a FIFO, not a file"},
        {"/nonexistent/level.kulap", "cannot read: file not found"}};
    for (const auto& [path, message] : unreadable) {
        r = readLevelFile(path);
        EXPECT_FALSE(r.level) << path;
        ASSERT_EQ(r.problems.size(), 1u) << path;
        EXPECT_EQ(r.problems[0].message, message);
    }
    std::filesystem::remove(fifo);
}

TEST(LevelFiles, EveryProblemIsReportedInLineOrder) {
    auto lines = goodLines();
    lines[0] = "Jen cesky";
    lines[1] = "1e9";
    lines[3] = "GLG";
    lines[4] = "IFHLLzLLLL!";
    lines[9] = "-3,0";
    lines[10] = "1;0";
    lines[12] = "9";
    lines.resize(13);
    const LevelRead r = parseLevel(joinLines(lines));
    EXPECT_FALSE(r.level);
    std::vector<std::string> got;
    for (const auto& p : r.problems) got.push_back(formatProblem("f", p));
    ASSERT_EQ(got.size(), 9u);
    EXPECT_EQ(got[0].rfind("f:1: warning: ", 0), 0u) << got[0];
    const int want[] = {1, 2, 4, 5, 5, 10, 11, 13, 14};
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_EQ(r.problems[i].line, want[i]) << got[i];
    EXPECT_NE(got[4].find("\"!\""), std::string::npos) << got[4];

    // A title without "/" alone is repaired, not refused: both languages get the line.
    lines = goodLines();
    lines[0] = "Jen jeden";
    const LevelRead w = parseLevel(joinLines(lines));
    ASSERT_TRUE(w.level);
    ASSERT_EQ(w.problems.size(), 1u);
    EXPECT_TRUE(w.problems[0].warning);
    EXPECT_EQ(w.level->titleCs, "Jen jeden");
    EXPECT_EQ(w.level->titleEn, "Jen jeden");
}

TEST(LevelFiles, WrittenLevelsReadBackUnchanged) {
    LevelFile l = *parseLevel(joinLines(goodLines())).level;
    l.titleCs = "\xC4\x8C\x65rn\xC3\xA1 d\xC3\xAD\x72\x61";
    l.titleEn = "Black hole";
    l.timeLimit = -7;
    l.sourceX = 10;
    l.sourceY = 6;
    l.backgroundNumber = 7;
    l.nextLevel = "level 2";
    const std::string text = writeLevel(l);
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    const LevelRead r = parseLevel(text);
    ASSERT_TRUE(r.level);
    EXPECT_TRUE(r.problems.empty());
    const LevelFile& b = *r.level;
    EXPECT_EQ(b.titleCs, l.titleCs);
    EXPECT_EQ(b.titleEn, l.titleEn);
    EXPECT_EQ(b.timeLimit, l.timeLimit);
    EXPECT_EQ(b.rows, l.rows);
    EXPECT_EQ(std::tie(b.sourceX, b.sourceY, b.playerX, b.playerY),
              std::tie(l.sourceX, l.sourceY, l.playerX, l.playerY));
    EXPECT_EQ(b.backgroundNumber, l.backgroundNumber);
    EXPECT_EQ(b.nextLevel, l.nextLevel);
}

TEST(LevelFiles, MangledFilesNeverYieldAnUnplayableLevel) {
    // Whatever a damaged file holds, a level that is accepted can be put on the board
    // and evaluated without touching a cell outside the grids.
    const std::string good = joinLines(goodLines());
    const std::string noise = "ABMNLz,/.-+e 9\r\n\x80\xC4\x8D\xFF\x00";
    std::mt19937 rng(7);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string text = good;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits && !text.empty(); ++e) {
            const std::size_t at = rng() % text.size();
            const char c = noise[rng() % noise.size()];
            switch (rng() % 3) {
                case 0: text[at] = c; break;
                case 1: text.insert(at, 1, c); break;
                default: text.erase(at, 1 + rng() % 8); break;
            }
        }
        const LevelRead r = parseLevel(text);
        for (std::size_t i = 1; i < r.problems.size(); ++i)
            ASSERT_LE(r.problems[i - 1].line, r.problems[i].line);
        if (!r.level) {
            ASSERT_FALSE(r.problems.empty());
            continue;
        }
        ++accepted;
        const LevelFile& l = *r.level;
        for (const std::string& row : l.rows) {
            ASSERT_EQ(row.size(), 11u);
            for (char c : row) ASSERT_TRUE(c >= 'A' && c <= 'M') << row;
        }
        ASSERT_TRUE(InPlayArea(l.sourceX, l.sourceY));
        ASSERT_TRUE(InPlayArea(l.playerX, l.playerY));
        ASSERT_TRUE(l.backgroundNumber >= 1 && l.backgroundNumber <= 7);
        TileGrid board;
        FlowGrid flow;
        placeLevel(l, board, flow);
        spreadWater(board, flow, l.sourceX, l.sourceY);
        ASSERT_EQ(flow(l.sourceX, l.sourceY), Water::Wet);
    }
    EXPECT_GT(accepted, 100);  // the edits leave many files intact enough to load
}

}  // namespace
}  // namespace tk
