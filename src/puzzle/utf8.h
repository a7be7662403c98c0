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

// Decodes one UTF-8 sequence at `pos`; returns its length, or 0 when the bytes there
// are not well-formed UTF-8 (overlong forms, surrogates and values past U+10FFFF too).
inline std::size_t decodeUtf8(std::string_view s, std::size_t pos, char32_t& out) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const unsigned char lead = b(0);
    std::size_t len;
    char32_t c, min;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        len = 2, c = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        len = 3, c = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        len = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (pos + len > s.size()) return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((b(i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    out = c;
    return len;
}

inline bool isValidUtf8(std::string_view s) {
    char32_t c;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = decodeUtf8(s, i, c);
        if (!n) return false;
        i += n;
    }
    return true;
}

}  // namespace tk
