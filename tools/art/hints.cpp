// The hint's pictures: an arrow toward the next cell (sipka0..3) and turning arrows (sipkaL, sipkaR).
//
// The game draws a step arrow half a cell toward the neighbour, so that it runs from the
// figure's middle to the middle of the cell to walk to, with the figure over its tail. A
// turning arrow lies round the rim of the figure's cell. Both are the bright yellow-green
// of the clock and the titles inside a black edge: they stand out in greyscale, on every
// background and on wet and dry pipes alike.
#include <cmath>
#include <string>

#include "canvas.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kCell = 70;
constexpr double kMid = 35.0;
constexpr double kEdge = 3.2;  // the black edge round every part
const Rgb kFace = rgb255(224, 255, 0);

// Fills the current path twice: a wide black edge, then the face over it.
void edgeThenFace(cairo_t* cr, bool face) {
    if (face) {
        setColor(cr, kFace);
        cairo_fill(cr);
        return;
    }
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2 * kEdge);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_fill_preserve(cr);
    cairo_stroke(cr);
}

// A soft shadow, below and right of the parts that `outline(cr, part)` outlines.
template <class Outline>
void shadowOf(Canvas& c, int parts, Outline&& outline) {
    Canvas shadow(kCell, kCell);
    cairo_t* s = shadow.cr();
    cairo_translate(s, 2, 3);
    for (int part = 0; part < parts; ++part) {
        outline(s, part);
        edgeThenFace(s, false);
    }
    shadow.blur(2);
    cairo_set_source_surface(c.cr(), shadow.surface(), 0, 0);
    cairo_paint_with_alpha(c.cr(), 0.5);
}

// The arrow pointing right, its tail at the left edge's middle and its tip near the right
// edge; `quarterTurns` clockwise clockwise point it elsewhere.
void stepArrow(cairo_t* cr, int quarterTurns) {
    cairo_translate(cr, kMid, kMid);
    cairo_rotate(cr, quarterTurns * kPi / 2);
    cairo_translate(cr, -kMid, -kMid);
    const double shaftHalf = 6.5, headHalf = 18, tail = 10, neck = 40, tip = 64;
    cairo_move_to(cr, tail, kMid - shaftHalf);
    cairo_line_to(cr, neck, kMid - shaftHalf);
    cairo_line_to(cr, neck, kMid - headHalf);
    cairo_line_to(cr, tip, kMid);
    cairo_line_to(cr, neck, kMid + headHalf);
    cairo_line_to(cr, neck, kMid + shaftHalf);
    cairo_line_to(cr, tail, kMid + shaftHalf);
    cairo_close_path(cr);
}

void drawStepArrow(Canvas& c, int dir) {
    // Directions as the game numbers them: 0 left, 1 up, 2 right, 3 down.
    const int quarterTurns = (dir + 2) % 4;
    shadowOf(c, 1, [&](cairo_t* s, int) {
        cairo_save(s);
        stepArrow(s, quarterTurns);
        cairo_restore(s);
    });
    for (bool face : {false, true}) {
        cairo_save(c.cr());
        stepArrow(c.cr(), quarterTurns);
        edgeThenFace(c.cr(), face);
        cairo_restore(c.cr());
    }
}

// Most of a ring round the cell's rim (`head` false) and the head at its end (true),
// turning clockwise (sense +1) or counter-clockwise (-1) as seen on the screen. The two
// are filled one by one, as their outlines overlap.
void turnArrow(cairo_t* cr, int sense, bool head) {
    const double r = 27.5, half = 4, headHalf = 10.5, headLen = 14;
    // The gap is at the top; the ring starts on one side of it and ends on the other.
    const double gap = 0.55;
    const double start = -kPi / 2 + sense * gap, end = start + sense * (2 * kPi - 2 * gap) - sense * 0.25;
    if (!head) {
        cairo_new_sub_path(cr);
        if (sense > 0) {
            cairo_arc(cr, kMid, kMid, r + half, start, end);
            cairo_arc_negative(cr, kMid, kMid, r - half, end, start);
        } else {
            cairo_arc_negative(cr, kMid, kMid, r + half, start, end);
            cairo_arc(cr, kMid, kMid, r - half, end, start);
        }
        cairo_close_path(cr);
        return;
    }
    // The head: its base across the ring at `end`, its tip further along the turn.
    const double bx = kMid + r * std::cos(end), by = kMid + r * std::sin(end);
    const double tx = std::cos(end + sense * kPi / 2), ty = std::sin(end + sense * kPi / 2);  // along the turn
    const double nx = std::cos(end), ny = std::sin(end);                                      // outward
    cairo_new_sub_path(cr);
    cairo_move_to(cr, bx + headHalf * nx, by + headHalf * ny);
    cairo_line_to(cr, bx + headLen * tx, by + headLen * ty);
    cairo_line_to(cr, bx - headHalf * nx, by - headHalf * ny);
    cairo_close_path(cr);
}

void drawTurnArrow(Canvas& c, int sense) {
    shadowOf(c, 2, [&](cairo_t* s, int part) { turnArrow(s, sense, part == 1); });
    for (bool face : {false, true})
        for (bool head : {false, true}) {
            turnArrow(c.cr(), sense, head);
            edgeThenFace(c.cr(), face);
        }
}

}  // namespace

void drawHints(const std::string& dir) {
    for (int d = 0; d < 4; ++d) {
        Canvas c(kCell, kCell);
        drawStepArrow(c, d);
        c.savePng(dir + "/sipka" + std::to_string(d) + ".png");
    }
    for (int sense : {-1, 1}) {
        Canvas c(kCell, kCell);
        drawTurnArrow(c, sense);
        c.savePng(dir + (sense < 0 ? "/sipkaL.png" : "/sipkaR.png"));
    }
}

}  // namespace art
