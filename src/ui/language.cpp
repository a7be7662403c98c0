// Czech and English: the language switch and the menu captions.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "app/frm_main.h"
#include "ui/menu_look.h"
#include "ui/texts.h"

namespace tk {

namespace {

// Each returns why the marker could not be made or removed, or nothing.
std::string removeMarker(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return {};
    return "cannot remove " + path + ": " + std::strerror(errno);
}

// The marker is an empty file. A link of that name is replaced, not followed, so
// that nothing outside the program folder is ever truncated, and a FIFO fails at once
// rather than wait for a reader. An empty marker is left as it is, so that a Czech
// game starts from a folder it cannot write.
std::string createMarker(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) {
        if (S_ISREG(st.st_mode) && st.st_size == 0) return {};
        if (S_ISLNK(st.st_mode)) ::unlink(path.c_str());
    }
    const int fd =
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 || ::close(fd) != 0) return "cannot create " + path + ": " + std::strerror(errno);
    return {};
}
}  // namespace

void frmMain::switchLng() {
    const bool wasCzech = isCzech;
    isCzech = !wasCzech;
    // The language changes for this run even where the choice cannot be saved.
    const std::string why = wasCzech ? removeMarker(markerPath()) : createMarker(markerPath());
    if (!why.empty()) cannotRemember(why);

    stvorMenu();

    Label2.Caption = texts::creditsHeadings(isCzech);

    // The page is loaded now, so that opening help later just shows it.
    wbHelp.MissingPageText = texts::helpPageMissing(isCzech);
    plat.Navigate(wbHelp, helpPagePath(isCzech));
}

void frmMain::stvorMenu() {
    for (int i = 0; i < menulook::kLines; ++i) Label6[i].Caption = texts::menuLine(isCzech, i);
    // Only ever called for the main menu, whose lines use the larger font.
    menulook::setFontSize(Label6, menulook::kMainMenuPt);
}

}  // namespace tk
