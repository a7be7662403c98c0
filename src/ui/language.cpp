// Czech and English: the language switch and the menu captions.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/frm_main.h"
#include "ui/menu_look.h"
#include "ui/texts.h"

namespace tk {

namespace {
namespace fs = std::filesystem;

void removeMarker(const std::string& path) {
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(path, ec);
    if (!fs::exists(st)) return;
    if (!fs::remove(path, ec) || ec)
        throw FatalError("Cannot delete the language file " + path + ": " +
                         (ec ? ec.message() : std::string("not removed")));
}

// The marker is an empty file. A link of that name is replaced, not followed, so
// that nothing outside the program folder is ever truncated.
void createMarker(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(path, ec))) fs::remove(path, ec);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw FatalError("Cannot create the language file " + path + ": " + std::strerror(errno));
    if (std::fclose(f) != 0)
        throw FatalError("Cannot create the language file " + path + ": " + std::strerror(errno));
}
}  // namespace

void frmMain::switchLng() {
    const bool wasCzech = isCzech;
    isCzech = !wasCzech;
    if (wasCzech)
        removeMarker(markerPath());
    else
        createMarker(markerPath());

    stvorMenu();

    Label2.Caption = texts::creditsHeadings(isCzech);

    // The page is loaded now, so that opening help later just shows it.
    plat.Navigate(wbHelp, programFolder + "/help/" + texts::helpPageName(isCzech) + ".html");
}

void frmMain::stvorMenu() {
    for (int i = 0; i < menulook::kLines; ++i) Label6[i].Caption = texts::menuLine(isCzech, i);
    // Only ever called for the main menu, whose lines use the larger font.
    menulook::setFontSize(Label6, menulook::kMainMenuPt);
}

}  // namespace tk
