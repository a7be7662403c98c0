// The game's icon: a T of wet pipe on a water bed, drawn with vector paths only so that the
// same drawing gives every PNG size and the scalable SVG.
#include <cairo/cairo-svg.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

// The icon is drawn in units of a 256-pixel square. Small sizes keep only what still
// reads at their size: below 48 px the figure and the couplings would be a smudge, so the
// pipe grows thicker instead.
void drawIcon(cairo_t* cr, int px) {
    const bool small = px < 48;
    cairo_scale(cr, px / 256.0, px / 256.0);

    // The bed: deep water in a rounded tile, lit from the top left.
    roundedRect(cr, 8, 8, 240, 240, 44);
    cairo_pattern_t* bed = cairo_pattern_create_linear(0, 8, 0, 248);
    addStop(bed, 0, rgb255(40, 112, 184));
    addStop(bed, 1, rgb255(12, 44, 96));
    cairo_set_source(cr, bed);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(bed);
    strokeEdge(cr, rgb255(8, 26, 56), small ? 12 : 6);

    // The T: arms to the left, right and down, wet metal around a stream of water.
    const double half = small ? 36 : 28;  // half the pipe's width
    const double top = 84;                // the crossbar's axis
    auto tee = [&](double grow) {
        cairo_rectangle(cr, 8 - grow, top - half - grow, 240 + 2 * grow, 2 * half + 2 * grow);
        cairo_rectangle(cr, 128 - half - grow, top, 2 * half + 2 * grow, 248 - top + grow);
    };
    cairo_save(cr);
    roundedRect(cr, 8, 8, 240, 240, 44);
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    tee(small ? 8 : 6);
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
    const double stream = small ? 12 : 9;
    cairo_rectangle(cr, 8, top - stream, 240, 2 * stream);
    cairo_rectangle(cr, 128 - stream, top - stream, 2 * stream, 248 - top + stream);
    setColor(cr, rgb255(96, 196, 255));
    cairo_fill(cr);
    if (!small) {
        // Couplings where the arms leave the tile.
        for (double x : {8.0, 226.0}) {
            cairo_rectangle(cr, x, top - half - 8, 22, 2 * half + 16);
        }
        cairo_rectangle(cr, 128 - half - 8, 226, 2 * half + 16, 22);
        setColor(cr, rgb255(100, 118, 140));
        cairo_fill_preserve(cr);
        strokeEdge(cr, rgb255(20, 28, 40), 4);
    }
    cairo_restore(cr);

    if (small) return;
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

}  // namespace

void drawIcons(const std::string& iconDir) {
    std::filesystem::create_directories(iconDir);
    for (int px : {16, 32, 48, 64, 128, 256}) {
        Canvas c(px, px);
        drawIcon(c.cr(), px);
        c.savePng(iconDir + "/" + std::to_string(px) + ".png");
    }
    const std::string svg = iconDir + "/scalable.svg";
    cairo_surface_t* surface = cairo_svg_surface_create(svg.c_str(), 256, 256);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    drawIcon(cr, 256);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) {
        std::fprintf(stderr, "cannot write %s\n", svg.c_str());
        std::exit(1);
    }
}

}  // namespace art
