// The numbered picture slots the board's painting addresses, and what each one shows.
#pragma once

#include "platform/window_view.h"

namespace tk {

constexpr int kImageSlots = 81;
constexpr int kSlotFloor = 1,          // floor without a pipe
              kSlotSource = 4,         // the underlay of the water's source
              kSlotPlayer = 5,         // the figure
              kSlotPlayerLeft = 6,     // the figure turning a pipe counter-clockwise
              kSlotPlayerRight = 7,    // ... and clockwise
              kDryBase = 10,           // dry pipes "A".."K", then the dry underlay at +11
              kSlotWon = 25, kSlotLost = 26,
              kWetBase = 30,           // wet pipes and the wet underlay, the same way
              kSlotHintStep = 42,      // the hint's arrow toward a neighbour, + side(Direction)
              kSlotHintTurnLeft = 46,  // the hint's turning arrows, counter-clockwise
              kSlotHintTurnRight = 47, // ... and clockwise
              kBackgroundBase = 59;    // backgrounds 1..7

// Where the pictures come from: the program's image set.
class PictureSlots {
public:
    virtual ~PictureSlots() = default;
    // The picture in a slot; 0 for an empty slot or a number outside 0..80.
    virtual PictureHandle Slot(int slot) = 0;
};

}  // namespace tk
