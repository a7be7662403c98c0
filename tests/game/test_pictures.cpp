// PNG test pictures: an uncompressed deflate stream is enough for any PNG reader.
#include "test_pictures.h"

#include <array>
#include <filesystem>
#include <fstream>

#include "game/picture_slots.h"

namespace tk::test {

namespace {

std::uint32_t crc32(const std::string& data, std::size_t from) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = from; i < data.size(); ++i)
        c = table[(c ^ static_cast<unsigned char>(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void put32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void chunk(std::string& out, const char* type, const std::string& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out += type;
    out += data;
    put32(out, crc32(out, start));
}

}  // namespace

Picture::Picture(int w, int h, Rgba fill)
    : width(w), height(h), pixels(static_cast<std::size_t>(w * h), fill) {}

void Picture::band(int top, int bottom, Rgba colour) {
    for (int y = top; y <= bottom; ++y)
        for (int x = 0; x < width; ++x) at(x, y) = colour;
}

std::string Picture::png() const {
    std::string raw;
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // no filter
        for (int x = 0; x < width; ++x) {
            const Rgba p = pixels[static_cast<std::size_t>(y * width + x)];
            raw += static_cast<char>(p.r);
            raw += static_cast<char>(p.g);
            raw += static_cast<char>(p.b);
            raw += static_cast<char>(p.a);
        }
    }
    std::string z = "\x78\x01";
    std::uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t pos = 0; pos < raw.size() || pos == 0;) {
        const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
        const bool last = pos + n == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, pos, n);
        pos += n;
        if (last) break;
    }
    put32(z, (b << 16) | a);

    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", "");
    return out;
}

Rgba slotColour(int slot) {
    // Spread over the colour cube; no two slots share a colour, none is transparent.
    const auto s = static_cast<std::uint8_t>(slot);
    return {static_cast<std::uint8_t>(40 + (s * 37) % 200), static_cast<std::uint8_t>(s * 3),
            static_cast<std::uint8_t>(255 - s), 255};
}

Rgba backgroundColour(int n, int x, int y) {
    return {static_cast<std::uint8_t>(x % 256), static_cast<std::uint8_t>(y % 256),
            static_cast<std::uint8_t>(n * 32 + (x / 256) * 4 + y / 256), 255};
}

std::string slotFileName(int slot) {
    if (slot == kSlotFloor) return "pole0.png";
    if (slot == kSlotSource) return "zdroj.png";
    if (slot == kSlotPlayer) return "hrac.png";
    if (slot == kSlotPlayerLeft) return "hracL.png";
    if (slot == kSlotPlayerRight) return "hracR.png";
    if (slot == kSlotWon) return "hura.png";
    if (slot == kSlotLost) return "smula.png";
    if (slot == kDryBase + 11) return "pole1.png";
    if (slot == kWetBase + 11) return "pole2.png";
    if (slot >= kDryBase && slot <= kDryBase + 10)
        return std::string("trubka1") + static_cast<char>('A' + slot - kDryBase) + ".png";
    if (slot >= kWetBase && slot <= kWetBase + 10)
        return std::string("trubka2") + static_cast<char>('A' + slot - kWetBase) + ".png";
    if (slot >= kSlotHintStep && slot <= kSlotHintStep + 3) return "sipka" + std::to_string(slot - kSlotHintStep) + ".png";
    if (slot == kSlotHintTurnLeft) return "sipkaL.png";
    if (slot == kSlotHintTurnRight) return "sipkaR.png";
    if (slot >= kBackgroundBase + 1 && slot <= kBackgroundBase + 7)
        return "pozadi" + std::to_string(slot - kBackgroundBase) + ".jpg";
    return {};
}

template <class Save>
void makeAll(const Save& save) {
    for (int slot = 0; slot < kImageSlots; ++slot) {
        const std::string name = slotFileName(slot);
        if (name.empty()) continue;
        const Rgba colour = slotColour(slot);
        if (slot > kBackgroundBase) {
            // A PNG under the ".jpg" name: pictures are recognised by their content.
            const int n = slot - kBackgroundBase;
            Picture bg(800, 500);
            for (int y = 0; y < bg.height; ++y)
                for (int x = 0; x < bg.width; ++x) bg.at(x, y) = backgroundColour(n, x, y);
            save(name, bg);
        } else if (slot == kSlotWon || slot == kSlotLost) {
            save(name, Picture(70, 70, colour));  // scaled over the whole board
        } else if (slot == kSlotPlayer || slot == kSlotPlayerLeft || slot == kSlotPlayerRight) {
            Picture p(70, 70);
            for (int y = rows::figureTop; y <= rows::figureBottom; ++y)
                for (int x = rows::figureLeft; x <= rows::figureRight; ++x) p.at(x, y) = colour;
            save(name, p);
        } else if (slot >= kSlotHintStep && slot <= kSlotHintTurnRight) {
            Picture p(70, 70);
            p.band(rows::hintTop, rows::hintBottom, colour);
            save(name, p);
        } else if ((slot >= kDryBase && slot <= kDryBase + 10) ||
                   (slot >= kWetBase && slot <= kWetBase + 10)) {
            Picture p(70, 70);
            p.band(rows::pipeTop, rows::pipeBottom, colour);
            save(name, p);
        } else {
            Picture p(70, 70);
            p.band(rows::underlayTop, rows::underlayBottom, colour);
            save(name, p);
        }
    }
}

void writeTestPictures(const std::string& graphicsFolder) {
    namespace fs = std::filesystem;
    fs::create_directories(graphicsFolder);
    // Made once per test program; every test writes its own copies.
    static const std::vector<std::pair<std::string, std::string>> files = [] {
        std::vector<std::pair<std::string, std::string>> out;
        const auto save = [&](const std::string& name, const Picture& p) { out.emplace_back(name, p.png()); };
        makeAll(save);
        return out;
    }();
    for (const auto& [name, bytes] : files)
        std::ofstream(fs::path(graphicsFolder) / name, std::ios::binary) << bytes;
}

}  // namespace tk::test
