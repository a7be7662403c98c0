// The numbered picture slots the board's painting addresses, and what each one shows.
#pragma once

#include "platform/controls.h"

namespace tk {

constexpr int kImageSlots = 81;
constexpr int slotFloor = 1,          // floor without a pipe
              slotSource = 4,         // the underlay of the water's source
              slotPlayer = 5,         // the figure
              slotPlayerLeft = 6,     // the figure turning a pipe counter-clockwise
              slotPlayerRight = 7,    // ... and clockwise
              dryBase = 10,           // dry pipes "A".."K", then the dry underlay at +11
              slotWon = 25, slotLost = 26,
              wetBase = 30,           // wet pipes and the wet underlay, the same way
              slotHintStep = 42,      // the hint's arrow toward a neighbour, + side(Direction)
              slotHintTurnLeft = 46,  // the hint's turning arrows, counter-clockwise
              slotHintTurnRight = 47, // ... and clockwise
              backgroundBase = 59;    // backgrounds 1..7

// Where the pictures come from: the program's image set.
class PictureSlots {
public:
    virtual ~PictureSlots() = default;
    // The picture in a slot; 0 for an empty slot or a number outside 0..80.
    virtual PictureHandle Slot(int slot) = 0;
};

}  // namespace tk
