// The picture generator's parts: each function draws one family of the game's pictures.
#pragma once

#include <cstdint>
#include <string>

namespace art {

// Openings of the pipe letters, bit (1 << dir) for left 0, up 1, right 2, down 3.
// The game's rules hold the authoritative table; the asset tests compare the two.
std::uint8_t pipeOpenings(char letter);

// Cell pictures, 70 x 70 with alpha: pipes, underlays, floor, source, figure.
void drawCells(const std::string& graphicsDir);
// Draws one cell picture ("trubka2F", "pole1", "zdroj", "hracR", ...) at any scale and angle,
// for the larger pictures that show the game's own pieces.
void drawCellAt(cairo_t* target, double x, double y, double scale, double angle, const std::string& picture);
// The hint's arrows, 70 x 70 with alpha: sipka0..3 toward a neighbour (left, up, right,
// down), sipkaL and sipkaR turning counter-clockwise and clockwise.
void drawHints(const std::string& graphicsDir);
// Level backgrounds pozadi1..7.jpg, 770 x 490.
void drawBackgrounds(const std::string& graphicsDir);
// hura.png, smula.png (770 x 490), okno.jpg (800 x 600).
void drawScreens(const std::string& graphicsDir);
// The two pictures carried inside the executable: startup.png and cursor.png.
void drawEmbedded(const std::string& resourceDir);
// The icon at 16, 32, 48, 64, 128 and 256 px (ICON_DIR/<n>.png) and as SVG (ICON_DIR/scalable.svg);
// the install gives them the desktop entry's name.
void drawIcons(const std::string& iconDir);
// A board of sample cells over each background, for looking at the set as a player would.
void drawContactSheet(const std::string& graphicsDir, const std::string& outPath);

}  // namespace art
