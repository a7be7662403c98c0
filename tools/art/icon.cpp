// The game's icon: a T of wet pipe on a water bed, drawn with vector paths only: one drawing
// for the scalable SVG and the PNGs from 48 px up, a simpler one for 16 and 32 px.
#include <cairo/cairo-svg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

// The bed of both drawings: deep water in a rounded square from `from` to `to` on both axes,
// lit from the top, and its dark rim.
void drawBed(cairo_t* cr, double from, double to, double radius, double rim) {
    roundedRect(cr, from, from, to - from, to - from, radius);
    cairo_pattern_t* bed = cairo_pattern_create_linear(0, from, 0, to);
    addStop(bed, 0, rgb255(40, 112, 184));
    addStop(bed, 1, rgb255(12, 44, 96));
    cairo_set_source(cr, bed);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bed);
    strokeEdge(cr, rgb255(8, 26, 56), rim);
}

// The icon at 48 px and above, and the scalable one, in units of a 256-pixel square: the
// pipe with its couplings, and the figure's helmet over the joint.
void drawLargeIcon(cairo_t* cr, int px) {
    cairo_scale(cr, px / 256.0, px / 256.0);

    drawBed(cr, 8, 248, 44, 6);

    // The T: arms to the left, right and down, wet metal around a stream of water.
    const double half = 28;  // half the pipe's width
    const double top = 84;   // the crossbar's axis
    auto tee = [&](double grow) {
        cairo_rectangle(cr, 8 - grow, top - half - grow, 240 + 2 * grow, 2 * half + 2 * grow);
        cairo_rectangle(cr, 128 - half - grow, top, 2 * half + 2 * grow, 248 - top + grow);
    };
    cairo_save(cr);
    roundedRect(cr, 8, 8, 240, 240, 44);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    tee(6);
    setColor(cr, rgb255(20, 28, 40));
    cairo_fill(cr);
    // Wet metal shaded across each arm: bright just off its upper or left edge.
    auto metal = [&](double x0, double y0, double x1, double y1, double x, double y, double w, double h) {
        cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
        addStop(p, 0, rgb255(46, 60, 80));
        addStop(p, 0.3, rgb255(214, 230, 250));
        addStop(p, 0.6, rgb255(132, 152, 176));
        addStop(p, 1, rgb255(46, 60, 80));
        cairo_rectangle(cr, x, y, w, h);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    };
    metal(0, top - half, 0, top + half, 8, top - half, 240, 2 * half);
    metal(128 - half, 0, 128 + half, 0, 128 - half, top + half, 2 * half, 248 - top - half);
    // The water seen through the pipe: a bright stream along every arm.
    const double stream = 9;
    cairo_rectangle(cr, 8, top - stream, 240, 2 * stream);
    cairo_rectangle(cr, 128 - stream, top - stream, 2 * stream, 248 - top + stream);
    setColor(cr, rgb255(96, 196, 255));
    cairo_fill(cr);
    // Couplings where the arms leave the tile.
    for (double x : {8.0, 226.0}) {
        cairo_rectangle(cr, x, top - half - 8, 22, 2 * half + 16);
    }
    cairo_rectangle(cr, 128 - half - 8, 226, 2 * half + 16, 22);
    setColor(cr, rgb255(100, 118, 140));
    cairo_fill_preserve(cr);
    strokeEdge(cr, rgb255(20, 28, 40), 4);
    cairo_restore(cr);

    // The figure's yellow helmet over the joint, as the player sees it from above.
    cairo_arc(cr, 176, 176, 40, 0, 2 * kPi);
    setColor(cr, rgb255(226, 108, 26));
    cairo_fill_preserve(cr);
    strokeEdge(cr, rgb255(140, 58, 10), 6);
    cairo_arc(cr, 176, 170, 26, 0, 2 * kPi);
    cairo_pattern_t* helmet = cairo_pattern_create_radial(166, 160, 2, 176, 170, 26);
    addStop(helmet, 0, rgb255(255, 244, 170));
    addStop(helmet, 1, rgb255(250, 206, 30));
    cairo_set_source(cr, helmet);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(helmet);
    strokeEdge(cr, rgb255(120, 84, 0), 4);
}

// The icon at 16 and 32 px, drawn on a grid of 16 so that every edge falls on a pixel: the
// same T and helmet in fewer, bolder parts. Scaled down, the large drawing's pipe turns to a
// plain "T" and the helmet to a smudge; here the pipe is a third of the tile, with one
// line of water, and the helmet a full quarter of it, its ring one pixel wide.
void drawSmallIcon(cairo_t* cr, int px) {
    cairo_scale(cr, px / 16.0, px / 16.0);
    const double line = 16.0 / px;  // one pixel

    drawBed(cr, line / 2, 16 - line / 2, 3, line);

    // The T: a crossbar through the tile's width on rows 2 to 7, an arm down on columns 5
    // to 10, each a dark rim around bright metal around the water.
    cairo_save(cr);
    roundedRect(cr, line, line, 16 - 2 * line, 16 - 2 * line, 3);
    cairo_clip(cr);
    auto tee = [&](double inset) {
        cairo_rectangle(cr, 0, 2 + inset, 16, 6 - 2 * inset);
        cairo_rectangle(cr, 5 + inset, 2 + inset, 6 - 2 * inset, 14);
    };
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    tee(0);
    setColor(cr, rgb255(20, 28, 40));
    cairo_fill(cr);
    // Wet metal, lit from the top left: its upper and left walls bright.
    tee(line);
    setColor(cr, rgb255(118, 138, 164));
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 2 + line, 16, 2 - line);
    cairo_rectangle(cr, 5 + line, 6, 2 - line, 10);
    setColor(cr, rgb255(222, 234, 250));
    cairo_fill(cr);
    tee(2);
    setColor(cr, rgb255(96, 196, 255));
    cairo_fill(cr);
    cairo_restore(cr);

    // The helmet over the arm's right wall, low in the tile: an orange ring round yellow.
    const double cx = 12, cy = 12, r = 3.5;
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    setColor(cr, rgb255(140, 58, 10));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - line, 0, 2 * kPi);
    setColor(cr, rgb255(226, 108, 26));
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - line - 1, 0, 2 * kPi);
    setColor(cr, rgb255(250, 206, 30));
    cairo_fill(cr);
    if (px >= 32) {
        // Room for the light on the helmet, as on the large icon.
        cairo_arc(cr, cx - 0.75, cy - 0.75, 0.75, 0, 2 * kPi);
        setColor(cr, rgb255(255, 244, 170));
        cairo_fill(cr);
    }
}

void drawIcon(cairo_t* cr, int px) {
    if (px < 48) {
        drawSmallIcon(cr, px);
    } else {
        drawLargeIcon(cr, px);
    }
}

}  // namespace

void drawIcons(const std::string& iconDir) {
    std::filesystem::create_directories(iconDir);
    for (int px : {16, 32, 48, 64, 128, 256}) {
        Canvas c(px, px);
        drawIcon(c.cr(), px);
        c.savePng(iconDir + "/" + std::to_string(px) + ".png");
    }
    // Cairo names the drawing's group after a count of every surface the program has made
    // so far; a fixed name keeps the file the same whatever was drawn before it.
    std::string text;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(
        [](void* into, const unsigned char* data, unsigned int length) {
            static_cast<std::string*>(into)->append(reinterpret_cast<const char*>(data), length);
            return CAIRO_STATUS_SUCCESS;
        },
        &text, 256, 256);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    const std::regex group(R"(<g id="surface\d+">)");
    text = std::regex_replace(text, group, R"(<g id="icon">)", std::regex_constants::format_first_only);
    const std::string svg = iconDir + "/scalable.svg";
    std::ofstream out(svg, std::ios::binary);
    out << text;
    ok = ok && static_cast<bool>(out.flush());
    if (!ok) {
        std::fprintf(stderr, "cannot write %s\n", svg.c_str());
        std::exit(1);
    }
}

}  // namespace art
