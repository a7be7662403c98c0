// Splitting the game's text files (levels, settings) into lines, also when edited by hand.
#pragma once

#include <string_view>
#include <vector>

namespace tk {

// Up to `limit` lines; CR LF, LF and a lone CR all end a line. `total` counts how many
// lines there were, up to limit + 1.
inline std::vector<std::string_view> splitLines(std::string_view bytes, int limit, int& total) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    total = 0;
    while (start < bytes.size() && total <= limit) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        std::size_t next;
        if (end == std::string_view::npos) {
            end = next = bytes.size();
        } else {
            next = end + 1;
            if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
        }
        ++total;
        if (total <= limit) lines.push_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

}  // namespace tk
