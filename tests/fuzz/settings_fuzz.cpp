// Fuzzes the settings reader: whatever it takes is saved and read again unchanged, and names no path outside.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "app/frm_main.h"
#include "app/settings_io.h"
#include "fuzz_check.h"
#include "platform/headless_platform.h"
#include "puzzle/level_file.h"

using namespace tk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Durability is the kill test's business; here it would only slow every run down.
    settingsFileCalls().fsync = [](int) { return 0; };
    const std::string folder = fuzz::scratchFolder().string();
    {
        std::ofstream out(folder + "/options.txt", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    HeadlessOptions options;
    options.programFolder = folder;
    HeadlessPlatform plat(options);
    frmMain form(plat);
    try {
        form.readSettings();
    } catch (const FatalError&) {
        return 0;  // too short: start-up stops, as it should
    }
    fuzz::check(form.currentLevel.empty() || isPlainLevelName(form.currentLevel),
                "the level that Play starts with stays in the levels folder");

    const bool fullscreen = form.fullscreenOn, music = form.musicOn;
    const std::string level = form.currentLevel;
    form.ulozNastaveni();
    fuzz::check(plat.LogOf("msgbox").empty(), "a writable folder takes the save");
    form.fullscreenOn = !fullscreen;
    form.musicOn = !music;
    form.currentLevel = "changed";
    form.readSettings();
    fuzz::check(form.fullscreenOn == fullscreen && form.musicOn == music && form.currentLevel == level,
                "what was read is saved and read again unchanged");
    return 0;
}
