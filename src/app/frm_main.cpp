// The main window's construction and the resource paths.
#include "app/frm_main.h"

namespace tk {

frmMain::frmMain(Platform& platform) : plat(platform), fmod(platform) {}

frmMain::~frmMain() = default;

std::string frmMain::LP(const std::string& a) const { return a; }

std::string frmMain::markerPath() const { return programFolder + "/AtToMluvi.Cesky"; }

std::string frmMain::settingsPath() const { return programFolder + "/options.txt"; }

}  // namespace tk
