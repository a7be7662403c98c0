// The letter-boxed fit of the window's picture, in whole pixels.
#include "platform/picture_fit.h"

#include <algorithm>

namespace tk {

PictureFit FitPicture(int areaWidth, int areaHeight) {
    PictureFit fit;
    const long w = std::max(1, areaWidth), h = std::max(1, areaHeight);
    // Compared as products, so that an area of exactly the picture's shape is not split
    // into a one-pixel bar by rounding.
    if (w * kWindowHeight <= h * kWindowWidth) {
        fit.width = static_cast<int>(w);
        fit.height = static_cast<int>(std::max(1L, w * kWindowHeight / kWindowWidth));
    } else {
        fit.height = static_cast<int>(h);
        fit.width = static_cast<int>(std::max(1L, h * kWindowWidth / kWindowHeight));
    }
    fit.left = static_cast<int>((w - fit.width) / 2);
    fit.top = static_cast<int>((h - fit.height) / 2);
    fit.wholeMultiple = fit.width % kWindowWidth == 0 && fit.height % kWindowHeight == 0 &&
                        fit.width / kWindowWidth == fit.height / kWindowHeight;
    return fit;
}

bool PicturePointAt(const PictureFit& fit, int x, int y, int& pictureX, int& pictureY) {
    if (x < fit.left || y < fit.top || x >= fit.left + fit.width || y >= fit.top + fit.height) return false;
    // Taken at the pixel's centre, where the screen's renderer samples the picture.
    pictureX = static_cast<int>((2L * (x - fit.left) + 1) * kWindowWidth / (2L * fit.width));
    pictureY = static_cast<int>((2L * (y - fit.top) + 1) * kWindowHeight / (2L * fit.height));
    return true;
}

}  // namespace tk
