// Fuzzes the settings reader: whatever it takes is saved and read again unchanged, and names no path outside.
#include <cstddef>
#include <cstdint>
#include <fstream>

#include "app/settings.h"
#include "fuzz_check.h"
#include "platform/fatal_error.h"
#include "puzzle/level_file.h"

using namespace tk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Durability is the kill test's business; here it would only slow every run down.
    static PlayerFiles files = [] {
        PlayerFiles f;
        f.calls.fsync = [](int) { return 0; };
        return f;
    }();
    const std::string path = fuzz::scratchFolder().string() + "/options.txt";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    Settings read;
    try {
        read = readSettings(path);
    } catch (const FatalError&) {
        return 0;  // too short: start-up stops, as it should
    }
    fuzz::check(read.currentLevel.empty() || isPlainLevelName(read.currentLevel),
                "the level that Play starts with stays in the levels folder");

    std::string why;
    fuzz::check(saveSettings(files, path, read, changed::kAll, why), "a writable folder takes the save");
    const Settings again = readSettings(path);
    fuzz::check(again.fullscreenOn == read.fullscreenOn && again.musicOn == read.musicOn &&
                    again.currentLevel == read.currentLevel,
                "what was read is saved and read again unchanged");
    return 0;
}
