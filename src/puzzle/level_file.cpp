// Reading, checking and writing the 14-line level files.
#include "puzzle/level_file.h"
#include "puzzle/decimal.h"
#include "puzzle/regular_file.h"
#include "puzzle/text_lines.h"
#include "puzzle/utf8.h"

#include <cstdio>

namespace tk {

namespace {

constexpr int kLevelLines = 14;
constexpr int kLineTitle = 1, kLineTime = 2, kLineFirstRow = 3, kLineSource = 10,
              kLinePlayer = 11, kLineBackground = 13, kLineNext = 14;

// Windows-1250, the code page the Czech titles were written in, for bytes 0x80..0xFF.
// The five bytes the code page leaves undefined become U+FFFD.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

std::string cp1250ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 2);
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b < 0x80 ? char32_t{b} : char32_t{kCp1250High[b - 0x80]});
    }
    return out;
}

std::vector<char32_t> codePoints(std::string_view utf8) {
    std::vector<char32_t> out;
    char32_t c;
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = decodeUtf8(utf8, i, c);
        if (!n) {  // cannot happen for decoded lines; step over the byte all the same
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(c);
        i += n;
    }
    return out;
}

std::vector<std::string_view> splitAt(std::string_view text, char sep) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(sep, start);
        if (at == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, at - start));
        start = at + 1;
    }
}

// File text quoted in a message: control characters shown as codes, long text cut, so
// a broken file cannot garble the terminal or flood it.
std::string quoted(std::string_view utf8) {
    constexpr std::size_t kMaxShown = 40;
    std::string out = "\"";
    std::size_t shown = 0;
    for (char32_t c : codePoints(utf8)) {
        if (++shown > kMaxShown) {
            out += "...";
            break;
        }
        if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) {
            char buf[12];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        } else {
            appendUtf8(out, c);
        }
    }
    return out + "\"";
}

std::string quotedChar(char32_t c) {
    std::string s;
    appendUtf8(s, c);
    return quoted(s);
}

class Reader {
public:
    explicit Reader(std::vector<LevelProblem>& problems) : problems_(problems) {}

    void refuse(int line, std::string message) {
        problems_.push_back({line, std::move(message), false});
    }
    void warn(int line, std::string message) {
        problems_.push_back({line, std::move(message), true});
    }

    // One number field; false (with a problem noted) when it does not fit 16 bits.
    bool number(int line, std::string_view text, const char* what, std::int16_t& out) {
        const auto v = readLevelNumber(text);
        if (!v) {
            refuse(line, std::string(what) + " " + quoted(text) +
                             " is not a number in -32768..32767");
            return false;
        }
        out = *v;
        return true;
    }

    // A "column,row" line; false when the pair is broken or lies off the field.
    bool position(int line, std::string_view text, const char* what, std::int16_t& x,
                  std::int16_t& y) {
        const auto pieces = splitAt(text, ',');
        if (pieces.size() < 2) {
            refuse(line, std::string(what) + " " + quoted(text) +
                             " needs a column and a row separated by \",\"");
            return false;
        }
        const std::string col = std::string(what) + " column";
        const std::string row = std::string(what) + " row";
        bool ok = number(line, pieces[0], col.c_str(), x);
        ok = number(line, pieces[1], row.c_str(), y) && ok;
        if (!ok) return false;
        if (!InPlayArea(x, y)) {
            refuse(line, std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) +
                             " lies outside the play area (columns 0..10, rows 0..6)");
            return false;
        }
        return true;
    }

private:
    std::vector<LevelProblem>& problems_;
};

}  // namespace

std::optional<std::int16_t> readLevelNumber(std::string_view text) {
    std::size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    };
    const auto isDigit = [&] { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    // Gathers digits, skipping blanks between them as the game's reader does.
    const auto digits = [&](std::string& into) {
        int n = 0;
        for (;;) {
            const std::size_t before = i;
            skipBlanks();
            if (!isDigit()) {
                i = before;
                return n;
            }
            into += text[i++];
            ++n;
        }
    };

    std::string num;
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') num += '-';
        ++i;
    }
    int mantissaDigits = digits(num);
    skipBlanks();
    if (i < text.size() && text[i] == '.') {
        ++i;
        num += '.';
        mantissaDigits += digits(num);
    }
    if (mantissaDigits == 0) return std::int16_t{0};

    skipBlanks();
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        const std::size_t mark = i;
        std::string exp = "e";
        ++i;
        skipBlanks();
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) exp += text[i++];
        if (digits(exp) > 0)
            num += exp;
        else
            i = mark;  // an "e" without digits ends the number instead
    }

    // Halves go to the even neighbour: 2.5 is 2, 3.5 is 4.
    const std::optional<std::int64_t> value = roundDecimal(num, 32768);
    if (!value || *value < -32768 || *value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

LevelRead parseLevel(std::string_view bytes) {
    LevelRead result;
    Reader reader(result.problems);

    // An editor's byte-order mark would otherwise open the Czech title.
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);

    int total = 0;
    const auto raw = splitLines(bytes, kLevelLines, total);
    // Each line is UTF-8 when it is valid UTF-8, else Windows-1250: a stray byte in the
    // free line 12 or past a row's eleventh letter, which the game never uses, must not
    // turn a UTF-8 title into mojibake.
    std::vector<std::string> lines;
    for (auto l : raw) lines.push_back(isValidUtf8(l) ? std::string(l) : cp1250ToUtf8(l));
    const auto has = [&](int line) { return line <= static_cast<int>(lines.size()); };
    const auto text = [&](int line) -> const std::string& { return lines[line - 1]; };

    LevelFile level;
    bool refused = false;

    if (has(kLineTitle)) {
        const auto pieces = splitAt(text(kLineTitle), '/');
        if (pieces.size() < 2) {
            level.titleCs = level.titleEn = text(kLineTitle);
            reader.warn(kLineTitle,
                        "title has no \"/\" between the Czech and the English title; the "
                        "whole line serves both languages");
        } else {
            level.titleCs = pieces[0];
            level.titleEn = pieces[1];
        }
    }
    if (has(kLineTime) && !reader.number(kLineTime, text(kLineTime), "time limit", level.timeLimit))
        refused = true;

    for (int row = 0; row < kRows && has(kLineFirstRow + row); ++row) {
        const int line = kLineFirstRow + row;
        const auto chars = codePoints(text(line));
        std::string letters;
        for (std::size_t k = 0; k < chars.size() && k < static_cast<std::size_t>(kCols); ++k) {
            char32_t c = chars[k];
            if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
            if (c < 'A' || c > kBlankTile) {
                reader.refuse(line, "row " + std::to_string(row) + ", column " +
                                        std::to_string(k) + ": " + quotedChar(chars[k]) +
                                        " is not a tile letter (A to M)");
                refused = true;
                c = kBlankTile;
            }
            letters += static_cast<char>(c);
        }
        if (chars.size() < static_cast<std::size_t>(kCols)) {
            reader.refuse(line, "row " + std::to_string(row) + " has " +
                                    std::to_string(chars.size()) +
                                    " tiles; a row needs 11");
            refused = true;
        }
        level.rows[static_cast<std::size_t>(row)] = letters;
    }

    if (has(kLineSource) && !reader.position(kLineSource, text(kLineSource), "water source",
                                             level.sourceX, level.sourceY))
        refused = true;
    if (has(kLinePlayer) && !reader.position(kLinePlayer, text(kLinePlayer), "player start",
                                             level.playerX, level.playerY))
        refused = true;
    if (has(kLineBackground)) {
        if (!reader.number(kLineBackground, text(kLineBackground), "background number",
                           level.backgroundNumber)) {
            refused = true;
        } else if (level.backgroundNumber < 1 || level.backgroundNumber > 7) {
            reader.refuse(kLineBackground, "background number " +
                                               std::to_string(level.backgroundNumber) +
                                               " is not one of 1 to 7");
            refused = true;
        }
    }
    if (has(kLineNext)) {
        level.nextLevel = text(kLineNext);
        // The name is joined into a path when the level is solved: it must stay a name.
        if (!isPlainLevelName(level.nextLevel)) {
            reader.refuse(kLineNext, "next level " + quoted(level.nextLevel) +
                                         " is not a plain level name (\"end\" after the last level)");
            refused = true;
        }
    }

    if (total < kLevelLines) {
        reader.refuse(total + 1, total == 0 ? std::string("the file is empty; a level has 14 lines")
                                            : "the file ends after line " + std::to_string(total) +
                                                  "; a level has 14 lines");
        refused = true;
    }
    if (!refused) result.level = std::move(level);
    return result;
}

bool isPlainLevelName(std::string_view name) {
    if (name.empty() || name.size() > kMaxLevelNameBytes || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c == '/' || c == '\\' || c < 0x20 || c == 0x7F) return false;
    return true;
}

LevelRead readLevelFile(const std::string& path) {
    // Fourteen short lines are all the game reads; a cap keeps a huge file from being
    // read without end, and only a regular file is read at all, so that a FIFO or a
    // device named as a level cannot freeze the window.
    constexpr std::size_t kMaxBytes = 1 << 20;
    std::string bytes, why;
    if (!readRegularFile(path, kMaxBytes, bytes, why)) {
        LevelRead result;
        result.problems.push_back({0, "cannot read: " + why, false});
        return result;
    }
    return parseLevel(bytes);
}

std::string formatProblem(const std::string& file, const LevelProblem& problem) {
    std::string out = file;
    if (problem.line > 0) out += ":" + std::to_string(problem.line);
    out += ": ";
    if (problem.warning) out += "warning: ";
    return out + problem.message;
}

void placeLevel(const LevelFile& level, TileGrid& board, FlowGrid& flow) {
    resetGrids(board, flow);
    for (int y = 0; y < kRows; ++y) {
        const std::string& row = level.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < kCols; ++x)
            storeCell(board, x, y,
                      static_cast<std::size_t>(x) < row.size()
                          ? std::string_view(row).substr(static_cast<std::size_t>(x), 1)
                          : std::string_view());
    }
}

std::string writeLevel(const LevelFile& level) {
    const std::string eol = "\r\n";
    std::string out;
    out += level.titleCs + "/" + level.titleEn + eol;
    out += std::to_string(level.timeLimit) + eol;
    for (const std::string& row : level.rows) out += row + eol;
    out += std::to_string(level.sourceX) + "," + std::to_string(level.sourceY) + eol;
    out += std::to_string(level.playerX) + "," + std::to_string(level.playerY) + eol;
    out += eol;  // the line the game skips
    out += std::to_string(level.backgroundNumber) + eol;
    out += level.nextLevel + eol;
    return out;
}

}  // namespace tk
