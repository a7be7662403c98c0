// Tiles, openings and quarter turns.
#include "puzzle/board.h"

namespace tk {

namespace {

constexpr std::uint8_t bit(int dir) { return static_cast<std::uint8_t>(1u << dir); }

// Openings of "A".."K", in letter order.
constexpr std::array<std::uint8_t, 11> kOpenings = {
    bit(dirLeft) | bit(dirUp) | bit(dirRight) | bit(dirDown),  // A cross
    bit(dirUp) | bit(dirRight) | bit(dirDown),                 // B
    bit(dirLeft) | bit(dirRight) | bit(dirDown),               // C
    bit(dirLeft) | bit(dirUp) | bit(dirDown),                  // D
    bit(dirLeft) | bit(dirUp) | bit(dirRight),                 // E
    bit(dirLeft) | bit(dirRight),                              // F
    bit(dirUp) | bit(dirDown),                                 // G
    bit(dirUp) | bit(dirLeft),                                 // H
    bit(dirUp) | bit(dirRight),                                // I
    bit(dirRight) | bit(dirDown),                              // J
    bit(dirDown) | bit(dirLeft),                               // K
};

}  // namespace

int tileIndex(char letter) { return static_cast<unsigned char>(letter) - 'A'; }

bool isPipe(char letter) { return letter >= 'A' && letter <= 'K'; }

std::uint8_t tileOpenings(char letter) {
    return isPipe(letter) ? kOpenings[static_cast<std::size_t>(tileIndex(letter))] : 0;
}

bool opensToward(char letter, int dir) {
    if (dir < 0 || dir > 3) return false;
    return (tileOpenings(letter) & bit(dir)) != 0;
}

char quarterTurn(char letter, int turnCode) {
    // A player standing on a floor or blank cell (a level can put him there) turns
    // nothing: the tables only know the pipes.
    if (!isPipe(letter)) return letter;
    const auto i = static_cast<std::size_t>(tileIndex(letter));
    if (turnCode == turnRight) return clockwiseTable[i];
    if (turnCode == turnLeft) return counterClockwiseTable[i];
    return letter;
}

void resetGrids(TileGrid& board, FlowGrid& flow) {
    board.Fill(kBlankTile);
    flow.Fill(flowUnset);
}

void storeCell(TileGrid& board, int x, int y, std::string_view text) {
    if (!TileGrid::Contains(x, y)) return;
    board(x, y) = text.empty() ? ' ' : text.front();
}

}  // namespace tk
