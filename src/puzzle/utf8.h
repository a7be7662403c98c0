// Small UTF-8 helpers shared by the level reader, the settings, the text box and the help view.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tk {

// Characters are counted by their first byte: continuation bytes (10xxxxxx) belong
// to the character before them.
inline bool isUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

inline int utf8Length(std::string_view s) {
    int n = 0;
    for (unsigned char c : s)
        if (!isUtf8Continuation(c)) ++n;
    return n;
}

// Byte offset of the character at index `chars` (the end when the text is shorter).
inline std::size_t utf8Offset(std::string_view s, int chars) {
    std::size_t i = 0;
    for (int n = 0; i < s.size() && n < chars; ++n) {
        ++i;
        while (i < s.size() && isUtf8Continuation(static_cast<unsigned char>(s[i]))) ++i;
    }
    return i;
}

inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace tk
