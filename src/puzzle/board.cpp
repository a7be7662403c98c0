// Tiles, openings and quarter turns.
#include "puzzle/board.h"
