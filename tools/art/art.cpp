// The picture generator: draws every picture of the game into data/graphics and src/app/resources,
// and the desktop icons into desktop/icons.
//
//   art GRAPHICS_DIR RESOURCE_DIR ICON_DIR  writes the game's pictures and its icons
//   art --sheet GRAPHICS_DIR OUT_PREFIX     composes look-at-it boards from the written pictures
#include <cstdio>
#include <cstring>
#include <string>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

// Reads a JPEG into a canvas; only the contact sheets need it.
bool loadJpeg(const std::string& path, Canvas& into, double x, double y) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    jpeg_decompress_struct info{};
    jpeg_error_mgr err{};
    info.err = jpeg_std_error(&err);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, f);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    Canvas img(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::string line(info.output_width * 3, '\0');
    while (info.output_scanline < info.output_height) {
        const int y0 = static_cast<int>(info.output_scanline);
        JSAMPROW r = reinterpret_cast<JSAMPROW>(line.data());
        jpeg_read_scanlines(&info, &r, 1);
        std::uint32_t* p = img.row(y0);
        for (unsigned x = 0; x < info.output_width; ++x)
            p[x] = 0xFF000000u | (static_cast<std::uint8_t>(line[x * 3]) << 16) |
                   (static_cast<std::uint8_t>(line[x * 3 + 1]) << 8) | static_cast<std::uint8_t>(line[x * 3 + 2]);
    }
    img.dirty();
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(f);
    cairo_set_source_surface(into.cr(), img.surface(), x, y);
    cairo_paint(into.cr());
    return true;
}

void paintPng(Canvas& into, const std::string& path, double x, double y) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    cairo_set_source_surface(into.cr(), s, x, y);
    cairo_paint(into.cr());
    cairo_surface_destroy(s);
}

}  // namespace

// A window as the player sees it in play: okno.jpg with a sample board over one background.
void drawContactSheet(const std::string& dir, const std::string& outPrefix) {
    // A small solvable-looking net: the source at (1, 3), part of it wet.
    const char* busyRows[7] = {"JFCFKLJFFFK", "GLGLIFHLLLG", "BFAFKLJCFFD", "GLGLGLGGLJH",
                               "IFEFHLGIFDL", "LLLLLLIFFEK", "JFFFFFFFFFH"};
    const char* busyWet[7] = {"11111000000", "10100000000", "11111000000", "10101000000",
                              "11111000000", "00000000000", "00000000000"};
    // Early levels are mostly floor with a few pipes in the middle.
    const char* sparseRows[7] = {"LLLLLLLLLLL", "LLLLLGLLLLL", "LLLLLGLLLLL", "LLLLJBGLLLL",
                                 "LLLJFDEKLLL", "LLLLLLLLLLL", "LLLLLLLLLLL"};
    const char* sparseWet[7] = {"00000000000", "00000100000", "00000100000", "00001100000",
                                "00011100000", "00000000000", "00000000000"};
    for (int sheetNo = 1; sheetNo <= 14; ++sheetNo) {
        const bool sparse = sheetNo > 7;
        const int bg = sparse ? sheetNo - 7 : sheetNo;
        const char* const* rows = sparse ? sparseRows : busyRows;
        const char* const* wet = sparse ? sparseWet : busyWet;
        Canvas sheet(800, 600);
        loadJpeg(dir + "/okno.jpg", sheet, 0, 0);
        Canvas board(770, 490);
        loadJpeg(dir + "/pozadi" + std::to_string(bg) + ".jpg", board, 0, 0);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 11; ++x) {
                const char t = rows[y][x];
                const bool w = wet[y][x] == '1';
                const double px = 70.0 * x, py = 70.0 * y;
                if (t == 'L') {
                    paintPng(board, dir + "/pole0.png", px, py);
                    continue;
                }
                const bool source = sparse ? (x == 5 && y == 4) : (x == 0 && y == 2);
                paintPng(board, dir + (source ? "/zdroj.png" : w ? "/pole2.png" : "/pole1.png"), px, py);
                paintPng(board, dir + "/trubka" + (w ? "2" : "1") + t + ".png", px, py);
            }
        if (sparse) {
            // A hint to step right: the arrow runs from the figure's middle to the next cell's.
            paintPng(board, dir + "/sipka2.png", 70 * 5 + 35, 70 * 3);
            paintPng(board, dir + "/hrac.png", 70 * 5, 70 * 3);
        } else {
            paintPng(board, dir + "/sipkaL.png", 70 * 2, 70 * 2);
            paintPng(board, dir + "/hrac.png", 70 * 2, 70 * 2);
            paintPng(board, dir + "/hracR.png", 70 * 8, 70 * 6);
            paintPng(board, dir + "/hracL.png", 70 * 9, 70 * 3);
            if (bg == 6) paintPng(board, dir + "/hura.png", 0, 0);
            if (bg == 7) paintPng(board, dir + "/smula.png", 0, 0);
        }
        cairo_set_source_surface(sheet.cr(), board.surface(), 15, 15);
        cairo_paint(sheet.cr());
        cairo_set_source_rgb(sheet.cr(), 0, 0, 0);
        cairo_rectangle(sheet.cr(), 15, 522, 165, 61);
        cairo_fill(sheet.cr());
        textPath(sheet.cr(), "01:15", 36, true, 97, 568, 0.5);
        setColor(sheet.cr(), rgb255(224, 255, 0));
        cairo_fill(sheet.cr());
        textPath(sheet.cr(), "Programming:", 12, false, 650, 535, 1.0);
        textPath(sheet.cr(), "Levels:", 12, false, 650, 553, 1.0);
        textPath(sheet.cr(), "Music:", 12, false, 650, 571, 1.0);
        cairo_set_source_rgb(sheet.cr(), 0, 0, 0);
        cairo_fill(sheet.cr());
        for (int i = 0; i < 3; ++i) textPath(sheet.cr(), "\xC2\xA9 TramolKulap", 12, false, 659, 535 + 18 * i);
        setColor(sheet.cr(), rgb255(224, 255, 0));
        cairo_fill(sheet.cr());
        sheet.savePng(outPrefix + std::to_string(sheetNo) + ".png");
    }
    // The menu over the bare window.
    Canvas menu(800, 600);
    loadJpeg(dir + "/okno.jpg", menu, 0, 0);
    const char* items[5] = {"Play", "Options", "Help", "\xC4\x8C" "esky", "Quit"};
    for (int i = 0; i < 5; ++i) {
        textPath(menu.cr(), items[i], 48, true, 103, 150 + 65 * i + 50);
        setColor(menu.cr(), i == 0 ? rgb255(224, 255, 0) : rgb255(208, 208, 208));
        cairo_fill(menu.cr());
    }
    menu.savePng(outPrefix + "menu.png");
}

}  // namespace art

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--sheet") == 0) {
        art::drawContactSheet(argv[2], argv[3]);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: art GRAPHICS_DIR RESOURCE_DIR ICON_DIR | art --sheet GRAPHICS_DIR OUT_PREFIX\n");
        return 2;
    }
    art::drawCells(argv[1]);
    art::drawHints(argv[1]);
    art::drawBackgrounds(argv[1]);
    art::drawScreens(argv[1]);
    art::drawEmbedded(argv[2]);
    art::drawIcons(argv[3]);
    return 0;
}
