// Level backgrounds: seven calm grounds, each a different place the pipes are laid in.
#include <cmath>
#include <vector>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kW = 770, kH = 490;

// Darkens towards the edges a little, so the board feels lit from the middle.
double vignette(int x, int y) {
    const double dx = (x - kW / 2.0) / (kW / 2.0), dy = (y - kH / 2.0) / (kH / 2.0);
    return 1.0 - 0.16 * (dx * dx + dy * dy);
}

// 1: a meadow of short grass.
void meadow(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const double n = fbm(x * 0.012, y * 0.012, 11, 5);
        const double fine = fbm(x * 0.25, y * 0.06, 12, 2);
        Rgb base = mix(rgb255(52, 88, 38), rgb255(88, 122, 52), n);
        base = mix(base, rgb255(40, 70, 30), 0.35 * fine);
        return scale(base, vignette(x, y));
    });
    cairo_t* cr = c.cr();
    Rng rng(1);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2600; ++i) {
        const double x = rng.range(0, kW), y = rng.range(0, kH);
        const double len = rng.range(4, 9), lean = rng.range(-3, 3);
        const double light = rng.next();
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + lean, y - len);
        if (light > 0.5)
            cairo_set_source_rgba(cr, 0.55, 0.72, 0.30, 0.35);
        else
            cairo_set_source_rgba(cr, 0.12, 0.25, 0.08, 0.35);
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 60; ++i) {
        const double x = rng.range(0, kW), y = rng.range(0, kH);
        const bool white = rng.next() > 0.4;
        for (int p = 0; p < 5; ++p) {
            const double a = p * 2 * kPi / 5;
            cairo_arc(cr, x + 2 * std::cos(a), y + 2 * std::sin(a), 1.5, 0, 2 * kPi);
            if (white)
                cairo_set_source_rgba(cr, 0.92, 0.92, 0.86, 0.55);
            else
                cairo_set_source_rgba(cr, 0.90, 0.80, 0.25, 0.55);
            cairo_fill(cr);
        }
        cairo_arc(cr, x, y, 1.1, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.95, 0.75, 0.1, 0.7);
        cairo_fill(cr);
    }
}

// 2: wind-rippled sand with a few pebbles.
void sand(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const double warp = fbm(x * 0.008, y * 0.008, 21, 4);
        const double ripple = 0.5 + 0.5 * std::sin(y * 0.21 + x * 0.03 + warp * 14.0);
        const double grain = hash2(x, y, 22);
        Rgb base = mix(rgb255(150, 124, 84), rgb255(184, 158, 112), fbm(x * 0.01, y * 0.01, 23, 3));
        base = mix(base, rgb255(122, 98, 64), 0.28 * ripple * ripple);
        base = mix(base, rgb255(200, 180, 140), 0.10 * grain);
        return scale(base, 0.8 * vignette(x, y));
    });
    cairo_t* cr = c.cr();
    Rng rng(2);
    for (int i = 0; i < 90; ++i) {
        const double x = rng.range(0, kW), y = rng.range(0, kH), r = rng.range(1.5, 4.5);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1.0, rng.range(0.6, 0.9));
        cairo_arc(cr, 1, 1.5, r, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.2, 0.15, 0.08, 0.3);
        cairo_fill(cr);
        cairo_arc(cr, 0, 0, r, 0, 2 * kPi);
        const double g = rng.range(0.45, 0.7);
        cairo_set_source_rgba(cr, g, g * 0.92, g * 0.82, 0.85);
        cairo_fill(cr);
        cairo_restore(cr);
    }
}

// Jittered-grid cells for cobbles: distance to the nearest and second-nearest centre.
struct Cell2 {
    double f1, f2;
    int id;
};
Cell2 voronoi(double x, double y, int seed) {
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    Cell2 r{1e9, 1e9, 0};
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            const int cx = ix + i, cy = iy + j;
            const double px = cx + 0.15 + 0.7 * hash2(cx, cy, seed);
            const double py = cy + 0.15 + 0.7 * hash2(cx, cy, seed + 7);
            const double d = std::hypot(px - x, py - y);
            if (d < r.f1) {
                r.f2 = r.f1;
                r.f1 = d;
                r.id = cx * 7919 + cy * 104729;
            } else if (d < r.f2) {
                r.f2 = d;
            }
        }
    return r;
}

// 3: grey cobblestones.
void cobbles(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const double s = 1.0 / 38.0;
        const double wx = x * s + 0.25 * (fbm(x * 0.02, y * 0.02, 31, 2) - 0.5);
        const double wy = y * s + 0.25 * (fbm(x * 0.02, y * 0.02, 32, 2) - 0.5);
        const Cell2 v = voronoi(wx, wy, 33);
        const double edge = v.f2 - v.f1;
        const double tone = hash2(v.id, 1, 34);
        Rgb stone = mix(rgb255(100, 100, 102), rgb255(124, 121, 116), tone);
        stone = mix(stone, rgb255(70, 72, 76), 0.4 * fbm(x * 0.08, y * 0.08, 35, 3));
        // Rounded tops: brighter toward each stone's middle.
        stone = scale(stone, 0.88 + 0.2 * std::min(1.0, edge * 3.0));
        const Rgb mortar = rgb255(66, 64, 60);
        const double m = std::clamp((edge - 0.03) / 0.05, 0.0, 1.0);
        return scale(mix(mortar, stone, m), 0.82 * vignette(x, y));
    });
}

// 4: old wooden planks.
void planks(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const int plank = y / 49;
        const double py = (y % 49) / 49.0;
        const int offset = static_cast<int>(hash2(plank, 0, 41) * 400);
        const int seamX = (x + offset) % 260;
        const double tone = hash2(plank, 3, 42);
        const double grain = fbm((x + offset) * 0.006, y * 0.09, 43 + plank, 4);
        const double rings = 0.5 + 0.5 * std::sin(grain * 40.0);
        Rgb wood = mix(rgb255(104, 66, 36), rgb255(140, 94, 54), tone);
        wood = mix(wood, rgb255(74, 44, 22), 0.35 * rings);
        double shade = 1.0;
        if (py < 0.05 || py > 0.95) shade = 0.45;  // gap between planks
        else if (py < 0.12) shade = 1.08;
        if (seamX < 2) shade = 0.45;
        // Nail heads near each plank end.
        const int nx = (x + offset) % 260;
        if ((nx > 8 && nx < 13) && (std::fabs(py - 0.3) < 0.05 || std::fabs(py - 0.7) < 0.05)) shade = 0.55;
        return scale(wood, shade * 0.86 * vignette(x, y));
    });
}

// 5: autumn leaves on dark soil.
void leaves(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const double n = fbm(x * 0.015, y * 0.015, 51, 5);
        Rgb soil = mix(rgb255(46, 34, 26), rgb255(78, 58, 40), n);
        return scale(soil, vignette(x, y));
    });
    cairo_t* cr = c.cr();
    Rng rng(5);
    const Rgb tones[] = {rgb255(178, 84, 30), rgb255(196, 140, 40), rgb255(140, 50, 30), rgb255(150, 120, 50),
                         rgb255(110, 80, 40)};
    for (int i = 0; i < 520; ++i) {
        const double x = rng.range(-10, kW + 10), y = rng.range(-10, kH + 10);
        const double a = rng.range(0, 2 * kPi), len = rng.range(7, 14);
        const Rgb t = tones[static_cast<int>(rng.next() * 5)];
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        cairo_move_to(cr, -len, 0);
        cairo_curve_to(cr, -len * 0.3, -len * 0.55, len * 0.4, -len * 0.45, len, 0);
        cairo_curve_to(cr, len * 0.4, len * 0.45, -len * 0.3, len * 0.55, -len, 0);
        setColor(cr, scale(t, 0.75), 0.8);
        cairo_fill_preserve(cr);
        strokeEdge(cr, scale(t, 0.45), 0.7, 0.7);
        cairo_move_to(cr, -len, 0);
        cairo_line_to(cr, len * 0.9, 0);
        strokeEdge(cr, scale(t, 0.5), 0.6, 0.7);
        cairo_restore(cr);
    }
}

// 6: a brick wall.
void bricks(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const int bh = 24, bw = 56;
        const int row = y / bh;
        const int xs = x + (row % 2) * (bw / 2);
        const int col = xs / bw;
        const int bx = xs % bw, by = y % bh;
        const double tone = hash2(col, row, 61);
        Rgb brick = mix(rgb255(120, 52, 38), rgb255(150, 76, 52), tone);
        brick = mix(brick, rgb255(90, 40, 30), 0.45 * fbm(x * 0.09, y * 0.09, 62, 3));
        const bool mortar = bx < 3 || by < 3;
        Rgb m = mix(rgb255(110, 104, 96), rgb255(90, 86, 80), hash2(x, y, 63));
        Rgb out = mortar ? m : brick;
        if (!mortar && by < 5) out = scale(out, 1.08);
        if (!mortar && by > bh - 3) out = scale(out, 0.8);
        return scale(out, 0.78 * vignette(x, y));
    });
}

// 7: a workshop floor of concrete slabs with stains.
void concrete(Canvas& c) {
    c.paintPixels([](int x, int y) {
        const double n = fbm(x * 0.01, y * 0.01, 71, 5);
        const double speck = hash2(x, y, 72);
        Rgb base = mix(rgb255(70, 76, 82), rgb255(104, 108, 112), n);
        base = mix(base, rgb255(140, 142, 144), 0.12 * speck);
        const double stain = fbm(x * 0.006, y * 0.006, 73, 3);
        if (stain > 0.58) base = scale(base, 1.0 - 0.6 * (stain - 0.58));
        // Expansion joints every 140 px: two cells of the board.
        if (x % 140 < 2 || y % 140 < 2) base = scale(base, 0.62);
        return scale(base, vignette(x, y));
    });
    cairo_t* cr = c.cr();
    Rng rng(7);
    cairo_set_source_rgba(cr, 0.12, 0.12, 0.13, 0.5);
    cairo_set_line_width(cr, 0.9);
    for (int i = 0; i < 7; ++i) {
        double x = rng.range(0, kW), y = rng.range(0, kH);
        cairo_move_to(cr, x, y);
        for (int k = 0; k < 8; ++k) {
            x += rng.range(-14, 14);
            y += rng.range(-14, 14);
            cairo_line_to(cr, x, y);
        }
        cairo_stroke(cr);
    }
}

}  // namespace

void drawBackgrounds(const std::string& dir) {
    void (*makers[])(Canvas&) = {meadow, sand, cobbles, planks, leaves, bricks, concrete};
    for (int i = 0; i < 7; ++i) {
        Canvas c(kW, kH);
        makers[i](c);
        c.saveJpeg(dir + "/pozadi" + std::to_string(i + 1) + ".jpg", 90);
    }
}

}  // namespace art
