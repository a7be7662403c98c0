// The music on the platform's player: the device at start-up, the piece on and off.
#include "services/music.h"

namespace tk {

bool Music::OpenDevice() {
    device_ = plat_.Music().OpenDevice();
    return device_;
}

void Music::Switch(bool on) {
    if (!device_) return;
    if (on) {
        plat_.Music().Play(file_);
    } else {
        plat_.Music().Stop();
    }
}

void Music::CloseDevice() {
    if (!device_) return;
    plat_.Music().CloseDevice();
    device_ = false;
}

}  // namespace tk
