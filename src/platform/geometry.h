// Where things sit on the 800 × 600 window: one home for the window's size, title and the board's place.
#pragma once

#include <optional>

#include "puzzle/board.h"

namespace tk {

inline constexpr const char* kWindowTitle = "TramolKulap";

inline constexpr int kWindowWidth = 800;
inline constexpr int kWindowHeight = 600;

// The board picture: 11 × 7 cells of 70 px, at (15, 15) while a level is played. The
// help view uses the same rectangle, so either one covers the menu beneath.
inline constexpr int kBoardLeft = 15;
inline constexpr int kBoardTop = 15;
inline constexpr int kBoardWidth = kCols * kCellPx;   // 770
inline constexpr int kBoardHeight = kRows * kCellPx;  // 490

// The cell of the play area under window pixel (x, y); none off the board.
inline std::optional<Cell> BoardCellAt(int x, int y) {
    if (x < kBoardLeft || y < kBoardTop || x >= kBoardLeft + kBoardWidth || y >= kBoardTop + kBoardHeight)
        return std::nullopt;
    return Cell{(x - kBoardLeft) / kCellPx, (y - kBoardTop) / kCellPx};
}
// A turned 70 × 70 picture reaches this far beyond its cell on every side.
inline constexpr int kTurnOverhang = 15;

}  // namespace tk
