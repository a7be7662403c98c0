// Cell pictures: metal pipes dry and wet, their beds, the floor slab, the source basin and the plumber.
#include <cmath>
#include <vector>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kCell = 70;
constexpr double kMid = 35.0;
constexpr double kHalf = 10.5;       // half the pipe's width
constexpr double kFlangeHalf = 14.0;  // half the coupling's width where pipes meet
constexpr double kFlangeLen = 5.0;

enum Dir { kLeft = 0, kUp = 1, kRight = 2, kDown = 3 };

bool opens(std::uint8_t mask, int d) { return (mask >> d) & 1; }

// Elbows bend around the cell corner that lies between their two openings.
bool elbowCorner(std::uint8_t mask, double& cx, double& cy) {
    const bool l = opens(mask, kLeft), u = opens(mask, kUp), r = opens(mask, kRight),
               d = opens(mask, kDown);
    if (l + u + r + d != 2 || (l && r) || (u && d)) return false;
    cx = r ? kCell : 0;
    cy = d ? kCell : 0;
    return true;
}

struct Metal {
    Rgb edge, body, shine, rim;
};

Metal metalFor(bool wet) {
    // Wet pipes turn a touch colder, so the whole net that carries water reads as one.
    if (wet) return {rgb255(46, 60, 80), rgb255(132, 152, 176), rgb255(214, 230, 250), rgb255(20, 28, 40)};
    return {rgb255(66, 70, 74), rgb255(172, 176, 178), rgb255(246, 246, 244), rgb255(28, 30, 32)};
}

// Shading across a straight stretch: dark rims, a soft body and a narrow shine off the middle.
cairo_pattern_t* crossGradient(double x0, double y0, double x1, double y1, const Metal& m) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStop(p, 0.00, m.edge);
    addStop(p, 0.22, m.body);
    addStop(p, 0.36, m.shine);
    addStop(p, 0.50, m.body);
    addStop(p, 0.82, mix(m.edge, m.body, 0.45));
    addStop(p, 1.00, m.edge);
    return p;
}

void armRect(cairo_t* cr, int d, double half, double from, double to) {
    // A rectangle along direction d, `from`..`to` pixels away from the centre.
    switch (d) {
        case kLeft: cairo_rectangle(cr, kMid - to, kMid - half, to - from, 2 * half); break;
        case kRight: cairo_rectangle(cr, kMid + from, kMid - half, to - from, 2 * half); break;
        case kUp: cairo_rectangle(cr, kMid - half, kMid - to, 2 * half, to - from); break;
        case kDown: cairo_rectangle(cr, kMid - half, kMid + from, 2 * half, to - from); break;
    }
}

cairo_pattern_t* armGradient(int d, double half, const Metal& m) {
    if (d == kLeft || d == kRight) return crossGradient(0, kMid - half, 0, kMid + half, m);
    return crossGradient(kMid - half, 0, kMid + half, 0, m);
}

// The pipe's outline as a filled shape, used for the shadow and the dark rim.
void silhouette(cairo_t* cr, std::uint8_t mask, double grow, double dx, double dy) {
    cairo_save(cr);
    cairo_translate(cr, dx, dy);
    double cx, cy;
    if (elbowCorner(mask, cx, cy)) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, kMid + kHalf + grow, 0, 2 * kPi);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, kMid - kHalf - grow, 2 * kPi, 0);
        cairo_fill(cr);
        for (int d = 0; d < 4; ++d)
            if (opens(mask, d)) {
                armRect(cr, d, kFlangeHalf + grow, kMid - kFlangeLen - grow, kMid + 20);
                cairo_fill(cr);
            }
    } else {
        for (int d = 0; d < 4; ++d)
            if (opens(mask, d)) {
                armRect(cr, d, kHalf + grow, 0, kMid + 20);
                armRect(cr, d, kFlangeHalf + grow, kMid - kFlangeLen - grow, kMid + 20);
                cairo_fill(cr);
            }
        const int n = opens(mask, 0) + opens(mask, 1) + opens(mask, 2) + opens(mask, 3);
        if (n >= 3) {
            cairo_arc(cr, kMid, kMid, 15.0 + grow, 0, 2 * kPi);
            cairo_fill(cr);
        } else {
            // Straight pipes carry a clamp in the middle.
            const bool horizontal = opens(mask, kLeft);
            if (horizontal)
                cairo_rectangle(cr, kMid - 4 - grow, kMid - kHalf - 2.5 - grow, 8 + 2 * grow, 2 * kHalf + 5 + 2 * grow);
            else
                cairo_rectangle(cr, kMid - kHalf - 2.5 - grow, kMid - 4 - grow, 2 * kHalf + 5 + 2 * grow, 8 + 2 * grow);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void waterAlongPipe(cairo_t* cr, std::uint8_t mask, double width, Rgb colour, double alpha) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    setColor(cr, colour, alpha);
    double cx, cy;
    if (elbowCorner(mask, cx, cy)) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, kMid, 0, 2 * kPi);
        cairo_stroke(cr);
        return;
    }
    for (int d = 0; d < 4; ++d)
        if (opens(mask, d)) {
            const double ex = d == kLeft ? -2 : d == kRight ? kCell + 2 : kMid;
            const double ey = d == kUp ? -2 : d == kDown ? kCell + 2 : kMid;
            cairo_move_to(cr, kMid, kMid);
            cairo_line_to(cr, ex, ey);
            cairo_stroke(cr);
        }
}

void bolt(cairo_t* cr, double x, double y, double r, const Metal& m) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0, x, y, r);
    addStop(p, 0, m.shine);
    addStop(p, 1, m.edge);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    strokeEdge(cr, m.rim, 0.7, 0.8);
}

void drawPipe(Canvas& c, std::uint8_t mask, bool wet) {
    cairo_t* cr = c.cr();
    const Metal m = metalFor(wet);
    const int n = opens(mask, 0) + opens(mask, 1) + opens(mask, 2) + opens(mask, 3);

    // Soft shadow, drawn on its own layer so it can be blurred.
    {
        Canvas shadow(kCell, kCell);
        cairo_set_source_rgba(shadow.cr(), 0, 0, 0, 0.42);
        silhouette(shadow.cr(), mask, 0, 2.5, 3.0);
        shadow.blur(2);
        cairo_set_source_surface(cr, shadow.surface(), 0, 0);
        cairo_paint(cr);
    }

    // Dark rim, one pixel wider than the metal.
    setColor(cr, m.rim);
    silhouette(cr, mask, 1.0, 0, 0);

    double cx, cy;
    if (elbowCorner(mask, cx, cy)) {
        const double rOut = kMid + kHalf, rIn = kMid - kHalf;
        cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, rOut);
        const double t0 = rIn / rOut;
        addStop(p, 0, m.edge);
        addStop(p, t0, m.edge);
        addStop(p, t0 + (1 - t0) * 0.22, m.body);
        addStop(p, t0 + (1 - t0) * 0.40, m.shine);
        addStop(p, t0 + (1 - t0) * 0.55, m.body);
        addStop(p, t0 + (1 - t0) * 0.84, mix(m.edge, m.body, 0.45));
        addStop(p, 1, m.edge);
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, rOut, 0, 2 * kPi);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, cx, cy, rIn, 2 * kPi, 0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    } else {
        for (int d = 0; d < 4; ++d)
            if (opens(mask, d)) {
                cairo_pattern_t* p = armGradient(d, kHalf, m);
                armRect(cr, d, kHalf, 0, kMid + 1);
                cairo_set_source(cr, p);
                cairo_fill(cr);
                cairo_pattern_destroy(p);
            }
    }

    // Couplings at every opening: a neighbour's coupling meets this one edge to edge.
    for (int d = 0; d < 4; ++d)
        if (opens(mask, d)) {
            Metal flange = m;
            flange.body = scale(m.body, 0.92);
            cairo_pattern_t* p = armGradient(d, kFlangeHalf, flange);
            armRect(cr, d, kFlangeHalf, kMid - kFlangeLen, kMid + 1);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
            // The seam line on the inner face of the coupling.
            setColor(cr, m.rim, 0.85);
            armRect(cr, d, kFlangeHalf, kMid - kFlangeLen, kMid - kFlangeLen + 0.9);
            cairo_fill(cr);
        }

    if (wet) {
        // Water seen through a glass strip along the pipe's crown.
        waterAlongPipe(cr, mask, 9.0, rgb255(10, 40, 95), 1.0);
        waterAlongPipe(cr, mask, 6.6, rgb255(28, 110, 214), 1.0);
        waterAlongPipe(cr, mask, 1.4, rgb255(110, 190, 255), 0.55);
    }

    if (n >= 3) {
        // Junction box with four bolts.
        cairo_arc(cr, kMid, kMid, 15.0, 0, 2 * kPi);
        cairo_pattern_t* p = cairo_pattern_create_radial(kMid - 5, kMid - 6, 1, kMid, kMid, 15.5);
        addStop(p, 0, m.shine);
        addStop(p, 0.55, m.body);
        addStop(p, 1, m.edge);
        cairo_set_source(cr, p);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(p);
        strokeEdge(cr, m.rim, 1.2);
        for (int i = 0; i < 4; ++i) {
            const double a = kPi / 4 + i * kPi / 2;
            bolt(cr, kMid + 11 * std::cos(a), kMid + 11 * std::sin(a), 2.0, m);
        }
        // A round window in the box: water behind glass, or a dark empty chamber.
        cairo_arc(cr, kMid, kMid, 6.5, 0, 2 * kPi);
        setColor(cr, m.rim);
        cairo_fill(cr);
        cairo_arc(cr, kMid, kMid, 5.3, 0, 2 * kPi);
        cairo_pattern_t* w = cairo_pattern_create_radial(kMid - 2, kMid - 2, 0.5, kMid, kMid, 5.5);
        if (wet) {
            addStop(w, 0, rgb255(150, 215, 255));
            addStop(w, 0.5, rgb255(30, 120, 220));
            addStop(w, 1, rgb255(12, 50, 120));
        } else {
            addStop(w, 0, rgb255(120, 120, 118));
            addStop(w, 1, rgb255(40, 40, 40));
        }
        cairo_set_source(cr, w);
        cairo_fill(cr);
        cairo_pattern_destroy(w);
    } else if (n == 2 && !elbowCorner(mask, cx, cy)) {
        // Clamp round a straight pipe.
        const bool horizontal = opens(mask, kLeft);
        Metal clamp = m;
        clamp.body = scale(m.body, 0.85);
        cairo_pattern_t* p = horizontal ? crossGradient(0, kMid - kHalf - 2.5, 0, kMid + kHalf + 2.5, clamp)
                                        : crossGradient(kMid - kHalf - 2.5, 0, kMid + kHalf + 2.5, 0, clamp);
        if (horizontal)
            cairo_rectangle(cr, kMid - 3.5, kMid - kHalf - 2, 7, 2 * kHalf + 4);
        else
            cairo_rectangle(cr, kMid - kHalf - 2, kMid - 3.5, 2 * kHalf + 4, 7);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        if (wet) {
            setColor(cr, rgb255(28, 110, 214));
            if (horizontal)
                cairo_rectangle(cr, kMid - 3.5, kMid - 1.5, 7, 3);
            else
                cairo_rectangle(cr, kMid - 1.5, kMid - 3.5, 3, 7);
            cairo_fill(cr);
        }
    }

    if (wet) {
        // Glints: short bright dashes on the water, brightest near the middle of the cell.
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 1.6);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
        double ex, ey;
        if (elbowCorner(mask, ex, ey)) {
            const double mid = std::atan2(kMid - ey, kMid - ex);
            cairo_new_sub_path(cr);
            cairo_arc(cr, ex, ey, kMid - 1.2, mid - 0.30, mid - 0.05);
            cairo_stroke(cr);
            cairo_arc(cr, ex + (kMid - 1.2) * std::cos(mid + 0.22), ey + (kMid - 1.2) * std::sin(mid + 0.22), 0.9,
                      0, 2 * kPi);
            cairo_fill(cr);
        } else {
            for (int d = 0; d < 4; ++d)
                if (opens(mask, d)) {
                    const double sx = d == kLeft ? -1 : d == kRight ? 1 : 0;
                    const double sy = d == kUp ? -1 : d == kDown ? 1 : 0;
                    const double off = (sx != 0) ? -1.2 : 0, offx = (sy != 0) ? -1.2 : 0;
                    const double a0 = n >= 3 ? 19 : 9, a1 = a0 + 8;
                    cairo_move_to(cr, kMid + sx * a0 + offx, kMid + sy * a0 + off);
                    cairo_line_to(cr, kMid + sx * a1 + offx, kMid + sy * a1 + off);
                    cairo_stroke(cr);
                }
        }
        if (n >= 3) {
            cairo_arc(cr, kMid - 2, kMid - 2, 1.3, 0, 2 * kPi);
            cairo_fill(cr);
        }
    }
}

// The pipe bed: a recessed plate so every pipe cell reads as a place in the grid.
void drawBed(Canvas& c, bool wet) {
    cairo_t* cr = c.cr();
    roundedRect(cr, 3, 3, 64, 64, 9);
    // Blue water in the wet bed, a dark hollow in the dry one; the rim catches the light.
    cairo_pattern_t* p = cairo_pattern_create_radial(35, 35, 4, 35, 35, 46);
    if (wet) {
        cairo_pattern_add_color_stop_rgba(p, 0, 0.16, 0.42, 0.72, 0.42);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.06, 0.20, 0.42, 0.55);
    } else {
        cairo_pattern_add_color_stop_rgba(p, 0, 0.10, 0.10, 0.11, 0.22);
        cairo_pattern_add_color_stop_rgba(p, 1, 0.04, 0.04, 0.05, 0.40);
    }
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    if (wet) cairo_set_source_rgba(cr, 0.55, 0.80, 1.0, 0.45);
    else cairo_set_source_rgba(cr, 1, 1, 1, 0.16);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Inner shadow along the top and left: the bed lies lower than the ground.
    roundedRect(cr, 4.2, 4.2, 61.6, 61.6, 8);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.28);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    if (wet) {
        Rng rng(77);
        for (int i = 0; i < 9; ++i) {
            double x = rng.range(8, 62), y = rng.range(8, 62);
            if (std::fabs(x - 35) < 17 || std::fabs(y - 35) < 17) continue;  // under the pipe anyway
            const double r = rng.range(1.2, 2.4);
            cairo_arc(cr, x, y, r, 0, 2 * kPi);
            cairo_set_source_rgba(cr, 0.35, 0.65, 0.95, 0.75);
            cairo_fill(cr);
            cairo_arc(cr, x - r * 0.35, y - r * 0.35, r * 0.35, 0, 2 * kPi);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
            cairo_fill(cr);
        }
    }
}

// Floor without a pipe: a faint raised paving slab. Most of a level is floor, so the slab
// stays translucent and the level's own ground shows through it.
void drawFloor(Canvas& c) {
    cairo_t* cr = c.cr();
    Canvas grain(kCell, kCell);
    grain.paintPixels([](int x, int y) {
        const double n = fbm(x * 0.08, y * 0.08, 501, 3);
        const double g = 0.5 + 0.5 * (n - 0.5) + 0.12 * (hash2(x, y, 9) - 0.5);
        return Rgb{g, g * 0.98, g * 0.92};
    });
    roundedRect(cr, 3, 3, 64, 64, 8);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_source_surface(cr, grain.surface(), 0, 0);
    cairo_paint_with_alpha(cr, 0.16);
    cairo_set_source_rgba(cr, 1.0, 0.98, 0.90, 0.07);
    cairo_paint(cr);
    // Bevel: lit from the top left.
    cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, kCell, kCell);
    cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 0.95, 0.38);
    cairo_pattern_add_color_stop_rgba(p, 0.48, 1, 1, 1, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 0.52, 0, 0, 0, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, p);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
    roundedRect(cr, 3, 3, 64, 64, 8);
    cairo_set_source_rgba(cr, 0.05, 0.05, 0.04, 0.45);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

// The source: a stone basin brimming with water, the pipe drawn over its middle.
void drawSource(Canvas& c) {
    cairo_t* cr = c.cr();
    cairo_arc(cr, 36, 37, 33, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    c.blur(2);
    cairo_arc(cr, 35, 35, 33, 0, 2 * kPi);
    cairo_pattern_t* rim = cairo_pattern_create_linear(8, 8, 62, 62);
    addStop(rim, 0, rgb255(205, 200, 188));
    addStop(rim, 1, rgb255(110, 104, 96));
    cairo_set_source(cr, rim);
    cairo_fill(cr);
    cairo_pattern_destroy(rim);
    cairo_arc(cr, 35, 35, 33, 0, 2 * kPi);
    strokeEdge(cr, rgb255(50, 46, 42), 1.2);
    // Water.
    cairo_arc(cr, 35, 35, 27, 0, 2 * kPi);
    cairo_pattern_t* w = cairo_pattern_create_radial(30, 29, 2, 35, 35, 28);
    addStop(w, 0, rgb255(120, 210, 255));
    addStop(w, 0.55, rgb255(25, 125, 225));
    addStop(w, 1, rgb255(8, 52, 128));
    cairo_set_source(cr, w);
    cairo_fill(cr);
    cairo_pattern_destroy(w);
    cairo_arc(cr, 35, 35, 27, 0, 2 * kPi);
    strokeEdge(cr, rgb255(40, 36, 32), 1.5, 0.9);
    // Ripples spreading from the spring.
    for (int i = 0; i < 3; ++i) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 35, 35, 13.0 + i * 5.0, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0.8, 0.93, 1.0, 0.55 - i * 0.12);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    // Sparkles on the water.
    const double sp[][2] = {{18, 22}, {51, 47}, {47, 18}, {20, 50}};
    for (auto& s : sp) {
        cairo_set_source_rgba(cr, 1, 1, 1, 0.9);
        cairo_move_to(cr, s[0] - 2.5, s[1]);
        cairo_line_to(cr, s[0] + 2.5, s[1]);
        cairo_move_to(cr, s[0], s[1] - 2.5);
        cairo_line_to(cr, s[0], s[1] + 2.5);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
}

// The plumber from above: helmet, shoulders in overalls, arms and a red wrench.
// pose 0 stands, -1 turns counter-clockwise, +1 clockwise.
void drawPlumber(Canvas& c, int pose) {
    cairo_t* cr = c.cr();
    cairo_translate(cr, kMid, kMid);

    {
        Canvas shadow(kCell, kCell);
        cairo_t* s = shadow.cr();
        cairo_translate(s, kMid + 3, kMid + 4);
        cairo_scale(s, 1.0, 0.8);
        cairo_arc(s, 0, 0, 23, 0, 2 * kPi);
        cairo_set_source_rgba(s, 0, 0, 0, 0.45);
        cairo_fill(s);
        shadow.blur(3);
        cairo_set_source_surface(cr, shadow.surface(), -kMid, -kMid);
        cairo_paint(cr);
    }

    const Rgb overalls = rgb255(226, 108, 26), overallsDark = rgb255(140, 58, 10);
    const Rgb skin = rgb255(238, 190, 150), helmet = rgb255(250, 206, 30);

    // Motion arcs show which way the pipe is being turned.
    if (pose != 0) {
        cairo_save(cr);
        cairo_set_line_width(cr, 2.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_source_rgba(cr, 0.88, 1.0, 0.0, 0.85);
        for (int k = 0; k < 2; ++k) {
            const double base = k * kPi;
            const double a0 = base - 0.9, a1 = base + 0.1;
            cairo_new_sub_path(cr);
            if (pose > 0)
                cairo_arc(cr, 0, 0, 30, a0, a1);
            else
                cairo_arc_negative(cr, 0, 0, 30, a1, a0);
            cairo_stroke(cr);
            const double tip = pose > 0 ? a1 : a0;
            const double tx = 30 * std::cos(tip), ty = 30 * std::sin(tip);
            const double dir = tip + (pose > 0 ? kPi / 2 : -kPi / 2);
            cairo_move_to(cr, tx + 5 * std::cos(dir), ty + 5 * std::sin(dir));
            cairo_line_to(cr, tx + 4.5 * std::cos(dir + 2.4), ty + 4.5 * std::sin(dir + 2.4));
            cairo_line_to(cr, tx + 4.5 * std::cos(dir - 2.4), ty + 4.5 * std::sin(dir - 2.4));
            cairo_close_path(cr);
            cairo_fill(cr);
        }
        cairo_restore(cr);
    }

    // The figure itself is drawn a quarter larger than its sketch units, lifted a little so that
    // its weight, hands and wrench included, sits on the cell centre it is turned about.
    cairo_translate(cr, 0, -4);
    cairo_scale(cr, 1.25, 1.25);

    // Arms: hanging by the sides when standing, both gripping the wrench when turning.
    auto limb = [&](double x0, double y0, double x1, double y1) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        setColor(cr, overallsDark);
        cairo_set_line_width(cr, 8.5);
        cairo_stroke_preserve(cr);
        strokeEdge(cr, overalls, 6.5);
        cairo_arc(cr, x1, y1, 3.4, 0, 2 * kPi);
        setColor(cr, skin);
        cairo_fill_preserve(cr);
        strokeEdge(cr, rgb255(120, 80, 60), 0.8);
    };
    auto wrench = [&](double x0, double y0, double x1, double y1) {
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_move_to(cr, x0, y0);
        cairo_line_to(cr, x1, y1);
        setColor(cr, rgb255(90, 10, 10));
        cairo_set_line_width(cr, 5);
        cairo_stroke_preserve(cr);
        strokeEdge(cr, rgb255(214, 40, 36), 3.2);
        // Jaw.
        const double a = std::atan2(y1 - y0, x1 - x0);
        cairo_save(cr);
        cairo_translate(cr, x1, y1);
        cairo_rotate(cr, a);
        cairo_arc(cr, 2, 0, 4.2, 0.8, 2 * kPi - 0.8);
        setColor(cr, rgb255(190, 196, 200));
        cairo_fill_preserve(cr);
        strokeEdge(cr, rgb255(50, 54, 58), 0.9);
        cairo_restore(cr);
    };

    if (pose == 0) {
        limb(-15, -2, -19, 8);
        limb(15, -2, 19, 8);
        wrench(17, 9, 17, 17);
    } else {
        // Both hands on the wrench, which sweeps ahead in the turning direction.
        const double s = pose;
        limb(-15, -1, -5 * s, 13);
        limb(15, -1, 5 * s, 13);
        wrench(0, 12, 11 * s, 19);
    }

    // Shoulders and back.
    cairo_save(cr);
    cairo_scale(cr, 1.0, 0.6);
    cairo_arc(cr, 0, 0, 18, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_pattern_t* body = cairo_pattern_create_radial(-5, -6, 2, 0, 0, 17);
    addStop(body, 0, rgb255(255, 170, 80));
    addStop(body, 0.6, overalls);
    addStop(body, 1, overallsDark);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    strokeEdge(cr, rgb255(70, 30, 6), 1.1);
    // Straps of the overalls.
    setColor(cr, rgb255(60, 80, 150), 0.9);
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, -7, -9);
    cairo_line_to(cr, -5, 9);
    cairo_move_to(cr, 7, -9);
    cairo_line_to(cr, 5, 9);
    cairo_stroke(cr);

    // Helmet, seen from above, with a ridge and a brim toward the front.
    cairo_save(cr);
    cairo_translate(cr, 0, 2);
    cairo_scale(cr, 1.0, 0.9);
    cairo_arc(cr, 0, 2.5, 10.5, 0, kPi);
    cairo_restore(cr);
    setColor(cr, rgb255(200, 150, 10));
    cairo_fill(cr);
    cairo_arc(cr, 0, 0, 9.5, 0, 2 * kPi);
    cairo_pattern_t* h = cairo_pattern_create_radial(-3.5, -4, 1, 0, 0, 10);
    addStop(h, 0, rgb255(255, 250, 200));
    addStop(h, 0.45, helmet);
    addStop(h, 1, rgb255(170, 120, 0));
    cairo_set_source(cr, h);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(h);
    strokeEdge(cr, rgb255(90, 60, 0), 1.0);
    cairo_move_to(cr, 0, -9);
    cairo_line_to(cr, 0, 9);
    strokeEdge(cr, rgb255(255, 235, 120), 2.0, 0.9);
}

}  // namespace

std::uint8_t pipeOpenings(char letter) {
    constexpr std::uint8_t L = 1, U = 2, R = 4, D = 8;
    switch (letter) {
        case 'A': return L | U | R | D;
        case 'B': return U | R | D;
        case 'C': return L | R | D;
        case 'D': return L | U | D;
        case 'E': return L | U | R;
        case 'F': return L | R;
        case 'G': return U | D;
        case 'H': return U | L;
        case 'I': return U | R;
        case 'J': return R | D;
        case 'K': return D | L;
        default: return 0;
    }
}

void drawCellAt(cairo_t* target, double x, double y, double scale, double angle, const std::string& picture) {
    const int size = static_cast<int>(std::ceil(kCell * scale));
    Canvas c(size, size);
    cairo_scale(c.cr(), scale, scale);
    if (picture.rfind("trubka", 0) == 0)
        drawPipe(c, pipeOpenings(picture[7]), picture[6] == '2');
    else if (picture == "pole0")
        drawFloor(c);
    else if (picture == "pole1" || picture == "pole2")
        drawBed(c, picture == "pole2");
    else if (picture == "zdroj")
        drawSource(c);
    else if (picture == "hrac" || picture == "hracL" || picture == "hracR")
        drawPlumber(c, picture == "hrac" ? 0 : picture == "hracL" ? -1 : 1);
    cairo_save(target);
    cairo_translate(target, x + size / 2.0, y + size / 2.0);
    cairo_rotate(target, angle);
    cairo_set_source_surface(target, c.surface(), -size / 2.0, -size / 2.0);
    cairo_paint(target);
    cairo_restore(target);
}

void drawCells(const std::string& dir) {
    for (char letter = 'A'; letter <= 'K'; ++letter)
        for (int wet = 0; wet < 2; ++wet) {
            Canvas c(kCell, kCell);
            drawPipe(c, pipeOpenings(letter), wet != 0);
            c.savePng(dir + "/trubka" + (wet ? "2" : "1") + letter + ".png");
        }
    {
        Canvas c(kCell, kCell);
        drawBed(c, false);
        c.savePng(dir + "/pole1.png");
    }
    {
        Canvas c(kCell, kCell);
        drawBed(c, true);
        c.savePng(dir + "/pole2.png");
    }
    {
        Canvas c(kCell, kCell);
        drawFloor(c);
        c.savePng(dir + "/pole0.png");
    }
    {
        Canvas c(kCell, kCell);
        drawSource(c);
        c.savePng(dir + "/zdroj.png");
    }
    const char* names[] = {"hracL.png", "hrac.png", "hracR.png"};
    for (int pose = -1; pose <= 1; ++pose) {
        Canvas c(kCell, kCell);
        drawPlumber(c, pose);
        c.savePng(dir + "/" + names[pose + 1]);
    }
}

}  // namespace art
