// Whole-screen pictures: the window behind the menu, the outcome overlays, the start-up picture and the cursor.
#include <cmath>
#include <string>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

const Rgb kAccent = rgb255(224, 255, 0);  // the game's yellow-green

// A straight decorative pipe from (x0, y0) to (x1, y1), axis-aligned.
void decoPipe(cairo_t* cr, double x0, double y0, double x1, double y1, double half, double alpha = 1.0) {
    const bool horizontal = std::fabs(y1 - y0) < 1e-6;
    cairo_pattern_t* p = horizontal ? cairo_pattern_create_linear(0, y0 - half, 0, y0 + half)
                                    : cairo_pattern_create_linear(x0 - half, 0, x0 + half, 0);
    addStop(p, 0.0, rgb255(40, 44, 50), alpha);
    addStop(p, 0.25, rgb255(120, 128, 136), alpha);
    addStop(p, 0.38, rgb255(205, 212, 218), alpha);
    addStop(p, 0.55, rgb255(110, 118, 126), alpha);
    addStop(p, 1.0, rgb255(30, 34, 40), alpha);
    if (horizontal)
        cairo_rectangle(cr, std::min(x0, x1), y0 - half, std::fabs(x1 - x0), 2 * half);
    else
        cairo_rectangle(cr, x0 - half, std::min(y0, y1), 2 * half, std::fabs(y1 - y0));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void decoFlange(cairo_t* cr, double x, double y, double half, bool horizontalPipe, double alpha = 1.0) {
    const double w = 6, h = half * 2 + 8;
    cairo_pattern_t* p = horizontalPipe ? cairo_pattern_create_linear(0, y - h / 2, 0, y + h / 2)
                                        : cairo_pattern_create_linear(x - h / 2, 0, x + h / 2, 0);
    addStop(p, 0.0, rgb255(36, 40, 44), alpha);
    addStop(p, 0.35, rgb255(190, 196, 200), alpha);
    addStop(p, 1.0, rgb255(30, 34, 38), alpha);
    if (horizontalPipe)
        cairo_rectangle(cr, x - w / 2, y - h / 2, w, h);
    else
        cairo_rectangle(cr, x - h / 2, y - w / 2, h, w);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void drop(cairo_t* cr, double x, double y, double r, double alpha = 1.0) {
    cairo_move_to(cr, x, y - 2.2 * r);
    cairo_curve_to(cr, x + 0.4 * r, y - 1.2 * r, x + r, y - 0.6 * r, x + r, y);
    cairo_arc(cr, x, y, r, 0, kPi);
    cairo_curve_to(cr, x - r, y - 0.6 * r, x - 0.4 * r, y - 1.2 * r, x, y - 2.2 * r);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.3, r * 0.1, x, y, r * 1.3);
    addStop(p, 0, rgb255(200, 240, 255), alpha);
    addStop(p, 0.5, rgb255(40, 150, 240), alpha);
    addStop(p, 1, rgb255(10, 60, 150), alpha);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// The game's name with a water-blue face, a dark outline and a soft glow behind it.
void title(Canvas& c, double x, double y, double size, double anchor) {
    cairo_t* cr = c.cr();
    {
        Canvas glow(c.w(), c.h());
        textPath(glow.cr(), "TramolKulap", size, true, x, y, anchor);
        cairo_set_source_rgba(glow.cr(), 0.2, 0.6, 1.0, 0.55);
        cairo_set_line_width(glow.cr(), size * 0.16);
        cairo_set_line_join(glow.cr(), CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(glow.cr());
        cairo_fill(glow.cr());
        glow.blur(static_cast<int>(size * 0.12));
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint(cr);
    }
    textPath(cr, "TramolKulap", size, true, x + size * 0.04, y + size * 0.05, anchor);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    textPath(cr, "TramolKulap", size, true, x, y, anchor);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size * 0.07);
    setColor(cr, rgb255(8, 24, 48));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y - size * 0.75, 0, y + size * 0.05);
    addStop(p, 0.0, rgb255(235, 250, 255));
    addStop(p, 0.45, rgb255(120, 200, 255));
    addStop(p, 0.55, rgb255(30, 120, 220));
    addStop(p, 1.0, rgb255(20, 80, 170));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

// Brushed dark steel, used for the window's frame.
void brushedSteel(Canvas& c, int seed, double lo, double hi) {
    c.paintPixels([&](int x, int y) {
        const double streak = fbm(x * 0.004, y * 0.6, seed, 3);
        const double n = fbm(x * 0.01, y * 0.01, seed + 5, 3);
        const double g = lo + (hi - lo) * (0.6 * streak + 0.4 * n);
        return Rgb{g * 0.96, g * 0.99, g * 1.04};
    });
}

void rivet(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x + 0.8, y + 1, 3.2, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 3, 0, 2 * kPi);
    cairo_pattern_t* p = cairo_pattern_create_radial(x - 1, y - 1, 0.3, x, y, 3.2);
    addStop(p, 0, rgb255(230, 232, 236));
    addStop(p, 1, rgb255(70, 74, 80));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void bevelRect(cairo_t* cr, double x, double y, double w, double h, bool sunken, double width = 2) {
    const double a = 0.35;
    cairo_set_line_width(cr, width);
    // top-left edge
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + w, y);
    if (sunken)
        cairo_set_source_rgba(cr, 0, 0, 0, a + 0.2);
    else
        cairo_set_source_rgba(cr, 1, 1, 1, a);
    cairo_stroke(cr);
    cairo_move_to(cr, x + w, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    if (sunken)
        cairo_set_source_rgba(cr, 1, 1, 1, a);
    else
        cairo_set_source_rgba(cr, 0, 0, 0, a + 0.2);
    cairo_stroke(cr);
}

// The window: a steel frame with the board area, the clock slot and the credits plate.
void window(const std::string& path) {
    Canvas c(800, 600);
    cairo_t* cr = c.cr();
    brushedSteel(c, 301, 0.22, 0.36);

    // Board area: deep blue-black water tank behind the menu, darker on the left where the text is.
    {
        Canvas tank(770, 490);
        tank.paintPixels([](int x, int y) {
            const double n = fbm(x * 0.006, y * 0.006, 311, 4);
            const double caust = fbm(x * 0.03, y * 0.03, 312, 3);
            const double t = std::clamp((x - 330) / 440.0, 0.0, 1.0);
            Rgb base = mix(rgb255(8, 14, 26), rgb255(16, 40, 66), 0.45 * t + 0.35 * n);
            const double ridge = 1.0 - std::fabs(caust - 0.5) * 2.0;
            base = mix(base, rgb255(40, 90, 130), 0.25 * std::pow(ridge, 6.0) * (0.3 + t));
            const double top = std::clamp(1.0 - y / 140.0, 0.0, 1.0);
            return mix(base, rgb255(20, 50, 84), 0.35 * top);
        });
        cairo_t* t = tank.cr();
        // Faint pipes on the right, far from the menu text: one enters from the right and bends
        // down, a second joins it through a tee, and a valve wheel sits on the way down.
        cairo_set_source_rgba(t, 0.45, 0.7, 0.95, 0.10);
        cairo_set_line_width(t, 26);
        cairo_move_to(t, 770, 190);
        cairo_line_to(t, 660, 190);
        cairo_arc_negative(t, 660, 250, 60, -kPi / 2, kPi);
        cairo_line_to(t, 600, 490);
        cairo_stroke(t);
        cairo_move_to(t, 613, 360);
        cairo_line_to(t, 770, 360);
        cairo_stroke(t);
        cairo_arc(t, 600, 360, 24, 0, 2 * kPi);
        cairo_fill(t);
        for (double fx : {600.0}) {
            for (double fy : {278.0, 440.0}) {
                cairo_rectangle(t, fx - 20, fy - 4, 40, 8);
                cairo_fill(t);
            }
        }
        cairo_set_line_width(t, 7);
        cairo_arc(t, 700, 360, 30, 0, 2 * kPi);
        cairo_stroke(t);
        for (int i = 0; i < 3; ++i) {
            const double a = i * kPi / 3 + 0.4;
            cairo_move_to(t, 700 - 30 * std::cos(a), 360 - 30 * std::sin(a));
            cairo_line_to(t, 700 + 30 * std::cos(a), 360 + 30 * std::sin(a));
        }
        cairo_set_line_width(t, 5);
        cairo_stroke(t);
        // A drop falling from the bend.
        cairo_new_path(t);
        // Bubbles rising on the right.
        Rng rng(313);
        for (int i = 0; i < 40; ++i) {
            const double x = rng.range(470, 760), y = rng.range(150, 480), r = rng.range(1.5, 5);
            cairo_arc(t, x, y, r, 0, 2 * kPi);
            cairo_set_source_rgba(t, 0.7, 0.9, 1.0, 0.16);
            cairo_set_line_width(t, 1);
            cairo_stroke(t);
            cairo_arc(t, x - r * 0.3, y - r * 0.3, r * 0.25, 0, 2 * kPi);
            cairo_set_source_rgba(t, 1, 1, 1, 0.22);
            cairo_fill(t);
        }
        cairo_set_source_surface(cr, tank.surface(), 15, 15);
        cairo_paint(cr);
    }
    // The tank's rim: inner shadow and a bevel.
    bevelRect(cr, 13, 13, 774, 494, true, 3);
    {
        Canvas shade(800, 600);
        cairo_t* s = shade.cr();
        cairo_rectangle(s, 0, 0, 800, 600);
        cairo_rectangle(s, 15, 15, 770, 490);
        cairo_set_fill_rule(s, CAIRO_FILL_RULE_EVEN_ODD);
        cairo_set_source_rgba(s, 0, 0, 0, 0.8);
        cairo_fill(s);
        shade.blur(5);
        cairo_save(cr);
        cairo_rectangle(cr, 15, 15, 770, 490);
        cairo_clip(cr);
        cairo_set_source_surface(cr, shade.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }

    // Title across the top of the tank, above the first menu line at y 150.
    title(c, 400, 112, 74, 0.5);
    // A thin accent line under it.
    cairo_pattern_t* line = cairo_pattern_create_linear(150, 0, 650, 0);
    addStop(line, 0, kAccent, 0.0);
    addStop(line, 0.5, kAccent, 0.55);
    addStop(line, 1, kAccent, 0.0);
    cairo_rectangle(cr, 150, 128, 500, 1.5);
    cairo_set_source(cr, line);
    cairo_fill(cr);
    cairo_pattern_destroy(line);

    // Bottom bar: a pipe runs from the clock slot toward the credits, with a valve wheel.
    decoPipe(cr, 186, 553, 546, 553, 9);
    decoFlange(cr, 190, 553, 9, true);
    decoFlange(cr, 542, 553, 9, true);
    {
        const double vx = 366, vy = 553;
        cairo_arc(cr, vx + 2, vy + 3, 20, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
        cairo_fill(cr);
        cairo_set_line_width(cr, 5);
        cairo_arc(cr, vx, vy, 17, 0, 2 * kPi);
        setColor(cr, rgb255(150, 24, 20));
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2);
        cairo_arc(cr, vx - 0.8, vy - 0.8, 17, kPi, 1.5 * kPi);
        setColor(cr, rgb255(240, 110, 90));
        cairo_stroke(cr);
        cairo_set_line_width(cr, 3.2);
        setColor(cr, rgb255(150, 24, 20));
        for (int i = 0; i < 3; ++i) {
            const double a = i * kPi / 3 + 0.3;
            cairo_move_to(cr, vx - 16 * std::cos(a), vy - 16 * std::sin(a));
            cairo_line_to(cr, vx + 16 * std::cos(a), vy + 16 * std::sin(a));
        }
        cairo_stroke(cr);
        cairo_arc(cr, vx, vy, 5, 0, 2 * kPi);
        setColor(cr, rgb255(200, 40, 30));
        cairo_fill(cr);
    }
    // Pressure gauge to the right of the valve.
    {
        const double gx = 466, gy = 553;
        cairo_arc(cr, gx + 2, gy + 3, 24, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
        cairo_fill(cr);
        cairo_arc(cr, gx, gy, 24, 0, 2 * kPi);
        cairo_pattern_t* p = cairo_pattern_create_linear(gx - 24, gy - 24, gx + 24, gy + 24);
        addStop(p, 0, rgb255(230, 200, 120));
        addStop(p, 1, rgb255(120, 84, 30));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        cairo_arc(cr, gx, gy, 19.5, 0, 2 * kPi);
        setColor(cr, rgb255(236, 234, 224));
        cairo_fill(cr);
        cairo_set_line_width(cr, 1.2);
        setColor(cr, rgb255(40, 40, 40));
        for (int i = 0; i <= 8; ++i) {
            const double a = kPi * 0.75 + i * kPi * 1.5 / 8;
            cairo_move_to(cr, gx + 14 * std::cos(a), gy + 14 * std::sin(a));
            cairo_line_to(cr, gx + 18 * std::cos(a), gy + 18 * std::sin(a));
        }
        cairo_stroke(cr);
        cairo_arc(cr, gx, gy, 17, kPi * 0.75 + kPi * 1.5 * 0.78, kPi * 2.25);
        strokeEdge(cr, rgb255(200, 40, 30), 2.5);
        const double a = kPi * 0.75 + kPi * 1.5 * 0.62;
        cairo_move_to(cr, gx, gy);
        cairo_line_to(cr, gx + 15 * std::cos(a), gy + 15 * std::sin(a));
        strokeEdge(cr, rgb255(20, 20, 20), 1.8);
        cairo_arc(cr, gx, gy, 2.2, 0, 2 * kPi);
        cairo_fill(cr);
    }
    drop(cr, 290, 566, 6.5);
    drop(cr, 312, 548, 4.0, 0.8);

    // Clock slot: the clock label paints its own black ground at (15, 522), 165 x 61.
    cairo_rectangle(cr, 15, 522, 165, 61);
    setColor(cr, rgb255(0, 0, 0));
    cairo_fill(cr);
    bevelRect(cr, 12, 519, 171, 67, true, 3);

    // Credits plate: light enamel under the black headings (right-aligned, ending before
    // x 659) and dark enamel under the yellow-green names from x 659 on.
    {
        const double x0 = 544, y0 = 513, x1 = 800, y1 = 600;
        cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
        addStop(p, 0.0, rgb255(214, 218, 210));
        addStop(p, (655 - x0) / (x1 - x0), rgb255(196, 200, 192));
        addStop(p, (658 - x0) / (x1 - x0), rgb255(34, 38, 42));
        addStop(p, (672 - x0) / (x1 - x0), rgb255(16, 18, 22));
        addStop(p, 1.0, rgb255(12, 14, 18));
        cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
        bevelRect(cr, x0, y0, x1 - x0 - 1, y1 - y0 - 1, false, 2);
        rivet(cr, x0 + 6, y0 + 7);
        rivet(cr, x0 + 6, y1 - 8);
    }
    // Rivets on the frame.
    for (int x = 40; x <= 760; x += 60) rivet(cr, x, 7);
    rivet(cr, 7, 60);
    rivet(cr, 7, 460);
    rivet(cr, 793, 60);
    rivet(cr, 793, 460);
    c.saveJpeg(path, 92);
}

// The tinted veil of an outcome picture: a radial wash over the whole board, from the
// centre's colour to the edge's, both translucent so the board shows through.
struct Rgba4 {
    double r, g, b, a;
};
void boardVeil(cairo_t* cr, double cx, double cy, Rgba4 centre, Rgba4 edge) {
    cairo_rectangle(cr, 0, 0, 770, 490);
    cairo_pattern_t* veil = cairo_pattern_create_radial(cx, cy, 40, cx, cy, 460);
    cairo_pattern_add_color_stop_rgba(veil, 0, centre.r, centre.g, centre.b, centre.a);
    cairo_pattern_add_color_stop_rgba(veil, 1, edge.r, edge.g, edge.b, edge.a);
    cairo_set_source(cr, veil);
    cairo_fill(cr);
    cairo_pattern_destroy(veil);
}

// The solved overlay: golden rays and a green medal with a tick, the board showing through.
void solved(const std::string& path) {
    Canvas c(770, 490);
    cairo_t* cr = c.cr();
    const double cx = 385, cy = 245;
    boardVeil(cr, cx, cy, {1.0, 0.95, 0.6, 0.40}, {0.05, 0.15, 0.05, 0.30});
    for (int i = 0; i < 24; ++i) {
        const double a0 = i * 2 * kPi / 24, a1 = a0 + kPi / 24;
        cairo_move_to(cr, cx, cy);
        cairo_arc(cr, cx, cy, 520, a0, a1);
        cairo_close_path(cr);
        cairo_pattern_t* r = cairo_pattern_create_radial(cx, cy, 60, cx, cy, 480);
        cairo_pattern_add_color_stop_rgba(r, 0, 1.0, 0.92, 0.4, 0.45);
        cairo_pattern_add_color_stop_rgba(r, 1, 1.0, 0.92, 0.4, 0.0);
        cairo_set_source(cr, r);
        cairo_fill(cr);
        cairo_pattern_destroy(r);
    }
    // Confetti of water drops.
    Rng rng(401);
    for (int i = 0; i < 36; ++i) {
        const double a = rng.range(0, 2 * kPi), d = rng.range(150, 330);
        drop(cr, cx + d * std::cos(a) * 1.15, cy + d * std::sin(a) * 0.7, rng.range(4, 9), 0.85);
    }
    // Medal.
    {
        Canvas glow(770, 490);
        cairo_arc(glow.cr(), cx, cy, 120, 0, 2 * kPi);
        cairo_set_source_rgba(glow.cr(), 0.88, 1.0, 0.0, 0.6);
        cairo_fill(glow.cr());
        glow.blur(14);
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint(cr);
    }
    cairo_arc(cr, cx + 5, cy + 8, 105, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 105, 0, 2 * kPi);
    cairo_pattern_t* m = cairo_pattern_create_radial(cx - 35, cy - 40, 10, cx, cy, 110);
    addStop(m, 0, rgb255(180, 255, 150), 0.95);
    addStop(m, 0.6, rgb255(40, 170, 60), 0.95);
    addStop(m, 1, rgb255(10, 90, 30), 0.95);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    cairo_arc(cr, cx, cy, 105, 0, 2 * kPi);
    cairo_set_line_width(cr, 8);
    setColor(cr, rgb255(250, 220, 80));
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 92, 0, 2 * kPi);
    cairo_set_line_width(cr, 2);
    setColor(cr, rgb255(250, 240, 160), 0.7);
    cairo_stroke(cr);
    // The tick.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_move_to(cr, cx - 50, cy + 2);
    cairo_line_to(cr, cx - 14, cy + 40);
    cairo_line_to(cr, cx + 55, cy - 45);
    cairo_set_line_width(cr, 30);
    cairo_set_source_rgba(cr, 0, 0.2, 0, 0.5);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 22);
    setColor(cr, rgb255(255, 255, 245));
    cairo_stroke(cr);
    c.savePng(path);
}

// The time-is-up overlay: a dusky veil, an empty hourglass and a red stop ring.
void timeUp(const std::string& path) {
    Canvas c(770, 490);
    cairo_t* cr = c.cr();
    const double cx = 385, cy = 245;
    boardVeil(cr, cx, cy, {0.25, 0.05, 0.05, 0.40}, {0.05, 0.0, 0.0, 0.62});
    // Red ring.
    cairo_arc(cr, cx + 5, cy + 8, 120, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_set_line_width(cr, 18);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 120, 0, 2 * kPi);
    setColor(cr, rgb255(210, 30, 30), 0.92);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, 111, 0, 2 * kPi);
    cairo_set_source_rgba(cr, 0.1, 0.02, 0.02, 0.55);
    cairo_fill(cr);
    // Hourglass, every grain fallen.
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    const double w = 46, h = 78;
    auto glass = [&]() {
        cairo_move_to(cr, -w, -h);
        cairo_line_to(cr, w, -h);
        cairo_curve_to(cr, w, -h * 0.35, 6, -h * 0.15, 6, 0);
        cairo_curve_to(cr, 6, h * 0.15, w, h * 0.35, w, h);
        cairo_line_to(cr, -w, h);
        cairo_curve_to(cr, -w, h * 0.35, -6, h * 0.15, -6, 0);
        cairo_curve_to(cr, -6, -h * 0.15, -w, -h * 0.35, -w, -h);
        cairo_close_path(cr);
    };
    glass();
    cairo_set_source_rgba(cr, 0.75, 0.85, 0.95, 0.28);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.9, 0.95, 1.0, 0.9);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Sand heap in the lower bulb.
    cairo_move_to(cr, -w + 3, h - 2);
    cairo_curve_to(cr, -w * 0.6, h * 0.55, -10, h * 0.25, 0, h * 0.2);
    cairo_curve_to(cr, 10, h * 0.25, w * 0.6, h * 0.55, w - 3, h - 2);
    cairo_close_path(cr);
    setColor(cr, rgb255(226, 170, 70));
    cairo_fill(cr);
    // Frame.
    for (int s = -1; s <= 1; s += 2) {
        roundedRect(cr, -w - 12, s * h - 7, 2 * w + 24, 14, 5);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, s * h - 7, 0, s * h + 7);
        addStop(p, 0, rgb255(170, 110, 60));
        addStop(p, 1, rgb255(90, 50, 20));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
    cairo_restore(cr);
    // Dry, cracked drops falling away.
    Rng rng(402);
    for (int i = 0; i < 14; ++i) {
        const double x = rng.range(60, 710), y = rng.range(40, 450);
        if (std::hypot(x - cx, y - cy) < 150) continue;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_move_to(cr, 0, -10);
        cairo_curve_to(cr, 2, -5, 5, -2, 5, 2);
        cairo_arc(cr, 0, 2, 5, 0, kPi);
        cairo_curve_to(cr, -5, -2, -2, -5, 0, -10);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.6, 0.35, 0.3, 0.5);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    c.savePng(path);
}

// The start-up picture: the name over a tank of pipes, shown before the menu is ready.
void startup(const std::string& path) {
    Canvas c(800, 600);
    cairo_t* cr = c.cr();
    c.paintPixels([](int x, int y) {
        const double n = fbm(x * 0.005, y * 0.005, 501, 4);
        const double dy = (y - 300) / 300.0, dx = (x - 400) / 400.0;
        const double v = 1.0 - 0.45 * (dx * dx + dy * dy);
        return scale(mix(rgb255(6, 16, 34), rgb255(20, 56, 96), n), v);
    });
    // A strip of the game's own board under the title: water runs from the source through the
    // first pipes, while the plumber turns the pipe where the flow stops.
    const double k = 1.2, cell = 70 * k, ox = 400 - 4.5 * cell, oy = 292;
    struct Piece {
        int x, y;
        const char* pipe;
        bool wet;
    };
    const Piece net[] = {{0, 1, "F", true},  {1, 1, "F", true},  {2, 1, "H", true},  {2, 0, "J", true},
                         {3, 0, "F", true},  {4, 0, "K", true},  {4, 1, "G", true},  {4, 2, "I", true},
                         {5, 2, "G", false}, {6, 2, "H", false}, {6, 1, "G", false}, {6, 0, "J", false},
                         {7, 0, "F", false}, {8, 0, "F", false}};
    for (const Piece& p : net) {
        const double x = ox + p.x * cell, y = oy + p.y * cell;
        const bool source = p.x == 0 && p.y == 1;
        drawCellAt(cr, x, y, k, 0, source ? "zdroj" : p.wet ? "pole2" : "pole1");
        // The pipe under the plumber is caught half-way through its quarter turn.
        const bool turning = p.x == 5 && p.y == 2;
        drawCellAt(cr, x, y, k, turning ? 0.55 : 0, std::string("trubka") + (p.wet ? "2" : "1") + p.pipe);
        if (turning) drawCellAt(cr, x, y, k, 0.37, "hracR");
    }
    title(c, 400, 205, 96, 0.5);
    // Three yellow-green dots: the game is getting ready.
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 370 + i * 30, 572, 6, 0, 2 * kPi);
        setColor(cr, kAccent, 0.35 + 0.3 * i);
        cairo_fill(cr);
    }
    c.savePng(path);
}

// The menu cursor: a glowing yellow-green octagon.
void cursor(const std::string& path) {
    Canvas c(70, 70);
    cairo_t* cr = c.cr();
    auto octagon = [&](cairo_t* k, double r) {
        for (int i = 0; i < 8; ++i) {
            const double a = kPi / 8 + i * kPi / 4;
            if (i == 0)
                cairo_move_to(k, 35 + r * std::cos(a), 35 + r * std::sin(a));
            else
                cairo_line_to(k, 35 + r * std::cos(a), 35 + r * std::sin(a));
        }
        cairo_close_path(k);
    };
    {
        Canvas glow(70, 70);
        octagon(glow.cr(), 25);
        setColor(glow.cr(), kAccent, 0.9);
        cairo_fill(glow.cr());
        glow.blur(4);
        cairo_set_source_surface(cr, glow.surface(), 0, 0);
        cairo_paint(cr);
    }
    octagon(cr, 22);
    cairo_pattern_t* p = cairo_pattern_create_radial(29, 28, 2, 35, 35, 24);
    addStop(p, 0, rgb255(252, 255, 210));
    addStop(p, 0.45, kAccent);
    addStop(p, 1, rgb255(120, 150, 0));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    cairo_set_line_width(cr, 1.5);
    setColor(cr, rgb255(70, 90, 0));
    cairo_stroke(cr);
    octagon(cr, 15);
    cairo_set_line_width(cr, 1.2);
    cairo_set_source_rgba(cr, 1, 1, 0.9, 0.7);
    cairo_stroke(cr);
    c.savePng(path);
}

}  // namespace

void drawScreens(const std::string& dir) {
    window(dir + "/okno.jpg");
    solved(dir + "/hura.png");
    timeUp(dir + "/smula.png");
}

void drawEmbedded(const std::string& dir) {
    startup(dir + "/startup.png");
    cursor(dir + "/cursor.png");
}

}  // namespace art
