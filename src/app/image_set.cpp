// The board's drawing surface and the 81 numbered picture slots the painting code addresses.
#include "app/frm_main.h"

namespace tk {

void frmMain::createSurface() {
    gdiplusInput = GdiplusStartupInput{};
    gdiplusInput.GdiplusVersion = 1;
    gdiplusToken = plat.GdiplusStartup(gdiplusInput);
    gfx = plat.GdipCreateFromHDC(picGame);
    if (gfx) gfx->SetPageUnit(2);
}

void frmMain::loadImages() {
    auto load = [this](int slot, const std::string& file) {
        // A picture that cannot be read leaves its slot empty; painting it later draws
        // nothing, so whoever started the game is told which one it was.
        const std::string path = LP(file);
        images[slot] = plat.GdipCreateBitmapFromFile(path);
        if (images[slot] == 0) reportMissing(path);
    };
    for (int i = 1; i <= 7; ++i) load(backgroundBase + i, "pozadi" + std::to_string(i) + ".jpg");
    load(slotFloor, "pole0.png");
    load(dryBase + 11, "pole1.png");
    load(wetBase + 11, "pole2.png");
    load(slotSource, "zdroj.png");
    load(slotPlayer, "hrac.png");
    load(slotPlayerLeft, "hracL.png");
    load(slotPlayerRight, "hracR.png");
    load(slotWon, "hura.png");
    load(slotLost, "smula.png");
    for (int i = 0; i <= 10; ++i) {
        const std::string letter(1, static_cast<char>('A' + i));
        load(dryBase + i, "trubka1" + letter + ".png");
        load(wetBase + i, "trubka2" + letter + ".png");
    }
}

void frmMain::releaseImages() {
    if (gfx) plat.GdipDeleteGraphics(gfx);
    gfx = nullptr;
    for (PictureHandle& slot : images) {
        if (slot != 0) plat.GdipDisposeImage(slot);
        slot = 0;
    }
    plat.GdiplusShutdown(gdiplusToken);
    gdiplusToken = 0;
}

}  // namespace tk
