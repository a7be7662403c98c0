// Full screen and back: the display-mode routine of Module1.
#include "app/module1.h"

namespace tk::Module1 {

void setDisplayMode(Platform& platform, const float& width, const float& height) {
    (void)platform; (void)width; (void)height;
}

}  // namespace tk::Module1
