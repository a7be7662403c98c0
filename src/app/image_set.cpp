// The picture files of the board and the slots they go into.
#include "app/image_set.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace tk {

namespace {
std::string BackgroundFile(int n) { return "pozadi" + std::to_string(n) + ".jpg"; }
}  // namespace

void ImageSet::LoadInto(int slot, const std::string& file) {
    const std::string path = paths_.LP(file);
    PictureHandle& handle = images_[static_cast<std::size_t>(slot)];
    handle = plat_.LoadPicture(path);
    if (handle == 0) failed_.push_back(path);
}

bool ImageSet::Failed(const std::string& path) const {
    return std::find(failed_.begin(), failed_.end(), path) != failed_.end();
}

std::vector<std::string> ImageSet::MissingFiles() const {
    std::vector<std::string> files = failed_;
    for (int n = 1; n <= 7; ++n) {
        if (backgroundTried_[n]) continue;
        const std::string path = paths_.LP(BackgroundFile(n));
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) files.push_back(path);
    }
    return files;
}

void ImageSet::Load() {
    loaded_ = true;
    LoadInto(slotFloor, "pole0.png");
    LoadInto(dryBase + 11, "pole1.png");
    LoadInto(wetBase + 11, "pole2.png");
    LoadInto(slotSource, "zdroj.png");
    LoadInto(slotPlayer, "hrac.png");
    LoadInto(slotPlayerLeft, "hracL.png");
    LoadInto(slotPlayerRight, "hracR.png");
    LoadInto(slotWon, "hura.png");
    LoadInto(slotLost, "smula.png");
    for (int dir = dirLeft; dir <= dirDown; ++dir) LoadInto(slotHintStep + dir, "sipka" + std::to_string(dir) + ".png");
    LoadInto(slotHintTurnLeft, "sipkaL.png");
    LoadInto(slotHintTurnRight, "sipkaR.png");
    for (int i = 0; i <= 10; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        LoadInto(dryBase + i, "trubka1" + letter + ".png");
        LoadInto(wetBase + i, "trubka2" + letter + ".png");
    }
}

PictureHandle ImageSet::Slot(int slot) {
    if (slot < 0 || slot >= kImageSlots) return 0;
    const int background = slot - backgroundBase;
    // A background is a large picture that most runs never show all of: it is read when
    // a level first paints with it, and tried only once.
    if (loaded_ && background >= 1 && background <= 7 && !backgroundTried_[background]) {
        backgroundTried_[background] = true;
        LoadInto(slot, BackgroundFile(background));
    }
    return images_[static_cast<std::size_t>(slot)];
}

PictureHandle ImageSet::Loaded(int slot) const {
    return slot >= 0 && slot < kImageSlots ? images_[static_cast<std::size_t>(slot)] : 0;
}

void ImageSet::Release() {
    for (PictureHandle& slot : images_) {
        if (slot != 0) plat_.FreePicture(slot);
        slot = 0;
    }
    backgroundTried_ = {};
    failed_.clear();
    loaded_ = false;
}

}  // namespace tk
