// Start-up of the main window (FormLoad) and its shutdown (Form_Unload).
#include "app/frm_main.h"

#include <cmath>
#include <filesystem>

#include "app/module1.h"

namespace tk {

void frmMain::FormLoad() {
    // The order matters: everything that can stop start-up (the window picture, the
    // settings) comes before anything that changes the display, and nothing is written
    // except the language marker, rewritten with the same empty content.
    bool surfaceMade = false;
    try {
        // 1. The window's own picture replaces the start-up picture.
        const std::string window = LP("okno.jpg");
        const PictureHandle picture = plat.GdipCreateBitmapFromFile(window);
        if (picture == 0) {
            std::error_code ec;
            const bool present = std::filesystem::exists(window, ec);
            throw FatalError("Cannot load the window picture " + window + ": " +
                             (present ? "not a picture the program can read" : "file not found"));
        }
        plat.GdipDisposeImage(ctl.WindowPicture);
        ctl.WindowPicture = picture;
        // Without a font every caption, the menu included, would be blank: a game
        // nobody could find their way in.
        if (!plat.CanDrawText())
            throw FatalError("No font for the game's text was found: install Liberation Sans or "
                             "DejaVu Sans (the Debian packages fonts-liberation2 and fonts-dejavu-core)");

        // 2. Credits.
        Label2.Visible = true;
        Label1.Visible = true;

        // 3. The desktop as the user has it, before any change of display mode.
        desktopWidth = static_cast<float>(plat.ScreenWidthPixels());
        desktopHeight = static_cast<float>(plat.ScreenHeightPixels());
        // A square measurement comes from a mode the window system reports oddly; the
        // desktop is taken to be 4:3 then.
        if (desktopWidth == desktopHeight) desktopWidth = desktopHeight / 3 * 4;

        // 4. switchLng inverts the language, so start from the opposite of the marker.
        std::error_code ec;
        isCzech = !std::filesystem::exists(markerPath(), ec);
        switchLng();

        // 5. and 6. The drawing surface and the pictures.
        createSurface();
        surfaceMade = true;
        loadImages();
        reportMissingSoundsMusicAndHelp();

        // 7. The settings decide the music and the display mode below.
        readSettings();
    } catch (...) {
        if (surfaceMade) releaseImages();
        throw;
    }

    try {
        // 8. to 10. Sound library, music, display mode.
        fmod.fmodInit(300, 44100, 5, 4, 2, 4, 0);
        if (musicOn) fmod.streamOpen(musicPath(), 2, 0, true, 255);
        if (fullscreenOn) Module1::setDisplayMode(plat, 800.0f, 600.0f, WindowMode::FullScreen);

        // 11. to 14. The main menu, highlighted silently (shift 1 plays no sound).
        screenMode = modeMainMenu;
        for (Label& line : Label6) line.Visible = true;
        Image1.Visible = true;
        std::int16_t key = vk::Up;
        std::int16_t shift = 1;
        Form_KeyDown(key, shift);
    } catch (...) {
        // From here on the display and the music may have changed: undo as shutdown does.
        int cancel = 0;
        Form_Unload(cancel);
        throw;
    }
}

void frmMain::Form_Unload(int& Cancel) {
    (void)Cancel;  // shutdown is never refused
    if (unloaded) return;
    if (fullscreenOn) {
        const float width = std::nearbyint(desktopWidth);
        const float height = std::nearbyint(desktopHeight);
        Module1::setDisplayMode(plat, width, height, WindowMode::Windowed);
    }
    releaseImages();
    if (musicOn) fmod.streamStop(0);
    fmod.fmodClose();
    releaseWindowPictures();
    unloaded = true;
}

void frmMain::releaseWindowPictures() {
    plat.GdipDisposeImage(ctl.WindowPicture);
    ctl.WindowPicture = 0;
    plat.GdipDisposeImage(Image1.Picture);
    Image1.Picture = 0;
}

}  // namespace tk
