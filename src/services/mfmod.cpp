// The music module's routines over the platform's music library.
#include "services/mfmod.h"

namespace tk {

std::string mFmod::fmodErrorText(int code) { (void)code; return "Unknown error"; }
void mFmod::fmodInit(int, int, int, int, int, int, int) {}
void mFmod::fmodClose() {}
void mFmod::streamOpen(const std::string&, int, int, bool, int) {}
void mFmod::streamPlay(int) {}
void mFmod::streamTogglePause(int) {}
void mFmod::streamStop(int) {}
void mFmod::streamSetVolume(int, int) {}

}  // namespace tk
