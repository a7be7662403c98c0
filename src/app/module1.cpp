// The entry procedure and the key flush.
#include "app/module1.h"

namespace tk::Module1 {

int Main(frmMain& form) { (void)form; return 0; }

void flushKeys(Platform& platform) {
    for (int k = 0; k <= 255; ++k) platform.GetAsyncKeyState(k);
}

}  // namespace tk::Module1
