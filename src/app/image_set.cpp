// The picture files of the board and the slots they go into.
#include "app/image_set.h"

#include <string>

namespace tk {

namespace {

// The picture file of a slot ("" for a slot without one).
std::string fileOf(int slot) {
    switch (slot) {
    case slotFloor: return "pole0.png";
    case dryBase + 11: return "pole1.png";
    case wetBase + 11: return "pole2.png";
    case slotSource: return "zdroj.png";
    case slotPlayer: return "hrac.png";
    case slotPlayerLeft: return "hracL.png";
    case slotPlayerRight: return "hracR.png";
    case slotWon: return "hura.png";
    case slotLost: return "smula.png";
    default: break;
    }
    const auto letter = [](int i) { return std::string(1, static_cast<char>('A' + i)); };
    if (slot >= dryBase && slot <= dryBase + 10) return "trubka1" + letter(slot - dryBase) + ".png";
    if (slot >= wetBase && slot <= wetBase + 10) return "trubka2" + letter(slot - wetBase) + ".png";
    if (slot > backgroundBase && slot <= backgroundBase + 7)
        return "pozadi" + std::to_string(slot - backgroundBase) + ".jpg";
    return {};
}

}  // namespace

void ImageSet::Load() { loaded_ = true; }

PictureHandle ImageSet::Slot(int slot) {
    if (slot < 0 || slot >= kImageSlots) return 0;
    const auto i = static_cast<std::size_t>(slot);
    // Decoding every picture at start-up kept the menu waiting for pictures that only a
    // level shows, and most runs never show all of them (seven backgrounds, the outcomes).
    if (loaded_ && !tried_[i]) {
        tried_[i] = true;
        const std::string file = fileOf(slot);
        if (!file.empty()) images_[i] = plat_.LoadPicture(paths_.LP(file));
    }
    return images_[i];
}

PictureHandle ImageSet::Loaded(int slot) const {
    return slot >= 0 && slot < kImageSlots ? images_[static_cast<std::size_t>(slot)] : 0;
}

void ImageSet::Release() {
    for (PictureHandle& slot : images_) {
        if (slot != 0) plat_.FreePicture(slot);
        slot = 0;
    }
    tried_ = {};
    loaded_ = false;
}

}  // namespace tk
