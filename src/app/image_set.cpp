// The picture files of the board and the slots they go into.
#include "app/image_set.h"

#include <algorithm>
#include <filesystem>
#include <string>

#include "puzzle/board.h"

namespace tk {

namespace {

std::string BackgroundFile(int n) { return "pozadi" + std::to_string(n) + ".jpg"; }

// The pictures read only when a level first paints with them: the seven backgrounds and the
// two outcome pictures, each as large as the board, and the hint's arrows. Most runs never
// show them all, and decoding them at start-up kept the menu waiting.
std::string LateFile(int slot) {
    if (slot == kSlotWon) return "hura.png";
    if (slot == kSlotLost) return "smula.png";
    if (slot >= kSlotHintStep + side(Direction::Left) && slot <= kSlotHintStep + side(Direction::Down))
        return "sipka" + std::to_string(slot - kSlotHintStep) + ".png";
    if (slot == kSlotHintTurnLeft) return "sipkaL.png";
    if (slot == kSlotHintTurnRight) return "sipkaR.png";
    const int background = slot - kBackgroundBase;
    return background >= 1 && background <= 7 ? BackgroundFile(background) : std::string();
}

}  // namespace

void ImageSet::LoadInto(int slot, const std::string& file) {
    const std::string path = paths_.DataFile(file);
    PictureHandle& handle = images_[static_cast<std::size_t>(slot)];
    handle = plat_.LoadPicture(path);
    if (handle == 0) failed_.push_back(path);
}

bool ImageSet::Failed(const std::string& path) const {
    return std::find(failed_.begin(), failed_.end(), path) != failed_.end();
}

std::vector<std::string> ImageSet::MissingFiles() const {
    std::vector<std::string> files = failed_;
    for (int slot = 0; slot < kImageSlots; ++slot) {
        const std::string file = LateFile(slot);
        if (file.empty() || tried_[static_cast<std::size_t>(slot)]) continue;
        const std::string path = paths_.DataFile(file);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec)) files.push_back(path);
    }
    return files;
}

void ImageSet::Load() {
    loaded_ = true;
    LoadInto(kSlotFloor, "pole0.png");
    LoadInto(kDryBase + 11, "pole1.png");
    LoadInto(kWetBase + 11, "pole2.png");
    LoadInto(kSlotSource, "zdroj.png");
    LoadInto(kSlotPlayer, "hrac.png");
    LoadInto(kSlotPlayerLeft, "hracL.png");
    LoadInto(kSlotPlayerRight, "hracR.png");
    for (int i = 0; i <= 10; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        LoadInto(kDryBase + i, "trubka1" + letter + ".png");
        LoadInto(kWetBase + i, "trubka2" + letter + ".png");
    }
}

PictureHandle ImageSet::Slot(int slot) {
    if (slot < 0 || slot >= kImageSlots) return 0;
    // A large picture is read when a level first paints with it, and tried only once.
    const auto i = static_cast<std::size_t>(slot);
    if (loaded_ && !tried_[i]) {
        const std::string file = LateFile(slot);
        if (!file.empty()) {
            tried_[i] = true;
            LoadInto(slot, file);
        }
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
    tried_ = {};
    failed_.clear();
    loaded_ = false;
}

}  // namespace tk
