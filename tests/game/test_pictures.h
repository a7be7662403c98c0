// Pictures made for the game's tests: flat colours in known bands, written as PNG files,
// so that a painted pixel tells which layer of a cell it came from.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless_platform.h"

namespace tk::test {

// An RGBA picture held in memory.
struct Picture {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;  // row by row

    Picture(int w, int h, Rgba fill = {});
    Rgba& at(int x, int y) { return pixels[static_cast<std::size_t>(y * width + x)]; }
    void band(int top, int bottom, Rgba colour);  // rows top..bottom, full width
    std::string png() const;                      // the bytes of a PNG file
};

// Where each kind of 70 x 70 test picture is opaque (rows of the cell); the rest is
// transparent, so the background piece shows through there.
namespace rows {
constexpr int underlayTop = 0, underlayBottom = 9;    // pole0/pole1/pole2/zdroj
constexpr int clearTop = 10, clearBottom = 19;        // nothing but the background
constexpr int pipeTop = 20, pipeBottom = 29;          // trubka1X / trubka2X
constexpr int figureTop = 40, figureBottom = 49;      // hrac, columns 30..39 only
constexpr int figureLeft = 30, figureRight = 39;
constexpr int hintTop = 50, hintBottom = 59;          // sipka0..3, sipkaL, sipkaR
}  // namespace rows

// The distinct colour of each test picture (by image slot), opaque.
Rgba slotColour(int slot);
// Background n (1..7): 800 x 500, every pixel's colour tells its position.
Rgba backgroundColour(int n, int x, int y);

// Writes the test pictures into <folder>/graphics under the game's own file names:
// the floor, source, figures, both pipe sets with their underlays, the outcome
// pictures, the hint's arrows and the seven backgrounds.
void writeTestPictures(const std::string& graphicsFolder);

// The picture file name of a slot the game's board uses ("pole1.png", "trubka2C.png", ...);
// empty for slots the board never paints.
std::string slotFileName(int slot);

}  // namespace tk::test
