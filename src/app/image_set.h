// The pictures of the board in their numbered slots: loaded at start-up, the large ones (the
// backgrounds and the outcome pictures) only when a level first needs one, all given back at
// shutdown.
#pragma once

#include <array>
#include <string>
#include <vector>

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

    // Every picture but the large ones, in its fixed slot. A picture that cannot be read
    // leaves its slot empty; painting it then draws nothing.
    void Load();
    void Release();
    PictureHandle Slot(int slot) override;
    // The pictures it could not load, and the large ones that are not there to load
    // later: the game goes on without them.
    std::vector<std::string> MissingFiles() const;
    bool Failed(const std::string& path) const;
    // What a slot holds now, without loading a large picture.
    PictureHandle Loaded(int slot) const;

private:
    void LoadInto(int slot, const std::string& file);

    Platform& plat_;
    const Paths& paths_;
    bool loaded_ = false;
    std::array<PictureHandle, kImageSlots> images_{};
    std::array<bool, kImageSlots> tried_{};  // the large pictures read so far
    std::vector<std::string> failed_;
};

}  // namespace tk
