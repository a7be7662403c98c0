// Tiles, openings and quarter turns.
#include "puzzle/board.h"

namespace tk {

namespace {

constexpr std::uint8_t bit(Direction d) { return static_cast<std::uint8_t>(1u << side(d)); }
constexpr Direction L = Direction::Left, U = Direction::Up, R = Direction::Right, D = Direction::Down;

// What "A".."K" become after a quarter turn, in letter order.
constexpr std::string_view kClockwise = "ACDEBGFIJKH";
constexpr std::string_view kCounterClockwise = "AEBCDGFKHIJ";

// Openings of "A".."K", in letter order.
constexpr std::array<std::uint8_t, 11> kOpenings = {
    bit(L) | bit(U) | bit(R) | bit(D),  // A cross
    bit(U) | bit(R) | bit(D),           // B
    bit(L) | bit(R) | bit(D),           // C
    bit(L) | bit(U) | bit(D),           // D
    bit(L) | bit(U) | bit(R),           // E
    bit(L) | bit(R),                    // F
    bit(U) | bit(D),                    // G
    bit(U) | bit(L),                    // H
    bit(U) | bit(R),                    // I
    bit(R) | bit(D),                    // J
    bit(D) | bit(L),                    // K
};

}  // namespace

int tileIndex(char letter) { return static_cast<unsigned char>(letter) - 'A'; }

bool isPipe(char letter) { return letter >= 'A' && letter <= 'K'; }

std::uint8_t tileOpenings(char letter) {
    return isPipe(letter) ? kOpenings[static_cast<std::size_t>(tileIndex(letter))] : 0;
}

bool opensToward(char letter, int side) {
    if (side < 0 || side > 3) return false;
    return (tileOpenings(letter) >> side & 1) != 0;
}

char quarterTurn(char letter, bool clockwise) {
    // A player standing on a floor or blank cell (a level can put him there) turns
    // nothing: the tables only know the pipes.
    if (!isPipe(letter)) return letter;
    const auto i = static_cast<std::size_t>(tileIndex(letter));
    return clockwise ? kClockwise[i] : kCounterClockwise[i];
}

void resetGrids(TileGrid& board, FlowGrid& flow) {
    board.Fill(kBlankTile);
    flow.Fill(Water::Unset);
}

void storeCell(TileGrid& board, int x, int y, std::string_view text) {
    if (!TileGrid::Contains(x, y)) return;
    board(x, y) = text.empty() ? ' ' : text.front();
}

}  // namespace tk
