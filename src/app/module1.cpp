// The program's entry procedure (Main), its event loop, and the key flush.
#include "app/module1.h"

#include <exception>
#include <iostream>

// The start-up and cursor pictures travel inside the executable (generated at build time).
extern const unsigned char kStartupPicture[];
extern const unsigned long kStartupPictureSize;
extern const unsigned char kCursorPicture[];
extern const unsigned long kCursorPictureSize;

namespace tk::Module1 {

namespace {

constexpr const char* kTitle = "TramolKulap";

// The platform's message box also writes its title and text to standard error, so
// the reason is on record even where nobody sees the box.
void reportFatal(Platform& plat, const std::string& message) { plat.MsgBox(message, kTitle, true); }

}  // namespace

int Main(frmMain& form) {
    Platform& plat = form.plat;
    bool loaded = false;
    try {
        // The platform needs its receiver before any query reaches it.
        plat.Attach(form.ctl, form);
        flushKeys(plat);
        form.ctl.WindowPicture = plat.LoadPictureFromMemory(kStartupPicture, kStartupPictureSize);
        form.Image1.Picture = plat.LoadPictureFromMemory(kCursorPicture, kCursorPictureSize);
        plat.ShowWindow();
        plat.Repaint();
        plat.Sleep(1250);
        form.FormLoad();
        loaded = true;
        plat.Repaint();

        // A close request waits until the sequence that runs (a level, the final
        // screen) has given control back; Form_Unload must not pull the drawing
        // surface from under it.
        while (!form.unloaded) {
            if (form.closeRequested && form.busyDepth == 0) {
                int cancel = 0;
                form.Form_Unload(cancel);
                break;
            }
            plat.WaitEvents();
            plat.DoEvents();
        }
        return 0;
    } catch (const std::exception& e) {
        reportFatal(plat, e.what());
    } catch (...) {
        reportFatal(plat, "an unexpected failure stopped the program");
    }
    // FormLoad undoes its own partial work before it rethrows; later failures (a settings
    // write, the language marker) still give the desktop back and release everything.
    if (loaded && !form.unloaded) {
        try {
            int cancel = 0;
            form.Form_Unload(cancel);
        } catch (const std::exception& e) {
            std::cerr << "TramolKulap: " << e.what() << '\n';
        }
    } else if (!form.unloaded) {
        form.releaseWindowPictures();  // whatever start-up got as far as loading
    }
    return 1;
}

void flushKeys(Platform& platform) {
    for (int k = 0; k <= 255; ++k) platform.GetAsyncKeyState(k);
}

}  // namespace tk::Module1
