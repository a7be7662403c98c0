// The loop of one level: walking, turning, the quit question, the outcome.
#include "app/frm_main.h"

namespace tk {

void frmMain::Hra() {}

std::int16_t frmMain::detekujSmer() { return dirNone; }

}  // namespace tk
