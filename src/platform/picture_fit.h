// Fitting the window's 800 × 600 picture into a screen area of any size: its shape kept,
// as large as fits, centred between black bars.
#pragma once

#include "platform/geometry.h"

namespace tk {

struct PictureFit {
    // Where the picture lands, in pixels of the screen area.
    int left = 0, top = 0, width = kWindowWidth, height = kWindowHeight;
    // A whole multiple of the picture's size: each pixel becomes a square of pixels, copied
    // rather than blended, so the picture stays sharp.
    bool wholeMultiple = true;
};

PictureFit FitPicture(int areaWidth, int areaHeight);

// The picture's point shown at pixel (x, y) of the screen area; false on the bars.
bool PicturePointAt(const PictureFit& fit, int x, int y, int& pictureX, int& pictureY);

}  // namespace tk
