// The pictures of the board in their numbered slots: each read when the board first needs it,
// all given back at shutdown.
#pragma once

#include <array>

#include "app/paths.h"
#include "game/picture_slots.h"
#include "platform/platform.h"

namespace tk {

class ImageSet : public PictureSlots {
public:
    ImageSet(Platform& platform, const Paths& paths) : plat_(platform), paths_(paths) {}
    ~ImageSet() override { Release(); }
    ImageSet(const ImageSet&) = delete;
    ImageSet& operator=(const ImageSet&) = delete;

    // Opens the set: from now on each slot's picture is read the first time it is asked
    // for, and tried only once. A picture that cannot be read leaves its slot empty;
    // painting it then draws nothing.
    void Load();
    void Release();
    PictureHandle Slot(int slot) override;
    // What a slot holds now, without reading its picture.
    PictureHandle Loaded(int slot) const;

private:
    Platform& plat_;
    const Paths& paths_;
    bool loaded_ = false;
    std::array<PictureHandle, kImageSlots> images_{};
    std::array<bool, kImageSlots> tried_{};
};

}  // namespace tk
