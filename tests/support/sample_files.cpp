// Small stand-in files for tests: BMP pictures and a short WAV, built byte by byte.
#include "sample_files.h"

#include "program_folder.h"

namespace tk::test {

namespace {

void put16(std::string& s, std::uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& s, std::uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

}  // namespace

std::string MakeBmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::string s = "BM";
    put32(s, 54 + pixelBytes);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<std::uint32_t>(width));
    put32(s, static_cast<std::uint32_t>(height));
    put16(s, 1);
    put16(s, 24);
    put32(s, 0);
    put32(s, pixelBytes);
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            row += static_cast<char>(b);
            row += static_cast<char>(g);
            row += static_cast<char>(r);
        }
        row.resize(rowBytes, '\0');
        s += row;
    }
    return s;
}

std::string MakeWav(std::uint32_t samples) {
    std::string s = "RIFF";
    put32(s, 36 + samples);
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1);      // PCM
    put16(s, 1);      // mono
    put32(s, 8000);   // samples per second
    put32(s, 8000);   // bytes per second
    put16(s, 1);      // block align
    put16(s, 8);      // bits per sample
    s += "data";
    put32(s, samples);
    s.append(samples, static_cast<char>(0x80));
    return s;
}

void WritePicture(const ProgramFolder& folder, const std::string& name, int width, int height,
                  std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    folder.makeWritable("graphics");
    folder.write("graphics/" + name, MakeBmp(width, height, r, g, b));
}

}  // namespace tk::test
