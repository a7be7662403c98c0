// Small stand-in files for tests: pictures of a chosen size and colour, a short WAV.
#pragma once

#include <cstdint>
#include <string>

namespace tk::test {

class ProgramFolder;

// An uncompressed 24-bit BMP; the picture loader recognises it by its content,
// whatever the file's extension, so it can stand in for a PNG or a JPEG.
std::string MakeBmp(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// A valid, silent mono 8-bit WAV at 8000 samples a second; very short unless asked.
std::string MakeWav(std::uint32_t samples = 64);

// Writes a picture into graphics/ of the folder, making that folder writable first.
void WritePicture(const ProgramFolder& folder, const std::string& name, int width, int height,
                  std::uint8_t r = 40, std::uint8_t g = 80, std::uint8_t b = 120);

}  // namespace tk::test
