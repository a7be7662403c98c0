// Fuzzes the best times: any scores file is read or set aside whole, a new best recorded over it is written, and what is written reads back the same.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "app/best_times.h"
#include "fuzz_check.h"
#include "puzzle/level_file.h"
#include "puzzle/regular_file.h"

using namespace tk;

namespace {

std::string readBack(const std::string& path) {
    std::string text, why;
    if (!readRegularFile(path, 2 << 20, text, why)) return {};
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Durability is the kill test's business; here it would only slow every run down.
    static PlayerFiles files = [] {
        PlayerFiles f;
        f.calls.fsync = [](int) { return 0; };
        return f;
    }();
    const std::string folder = fuzz::scratchFolder().string();
    const std::string path = folder + "/scores.txt";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::remove((path + ".bad").c_str());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    const auto parsed = parseBestTimes(bytes);
    if (parsed) {
        for (const auto& [level, seconds] : *parsed)
            fuzz::check(isPlainLevelName(level) && seconds >= 0, "only plain names and times are taken");
        fuzz::check(parseBestTimes(writeBestTimes(*parsed)) == parsed, "bests written read back the same");
    }

    int warnings = 0;
    BestTimes bests(files, path, [&warnings](const std::string&) { ++warnings; });
    bests.Load();
    if (parsed && bytes.size() <= (1u << 20)) {
        fuzz::check(warnings == 0 && bests.SetAsideAs().empty(), "a file that parses is taken as it is");
        for (const auto& [level, seconds] : *parsed) fuzz::check(bests.Best(level) == seconds, "every best is read");
    } else {
        fuzz::check(readBack(path + ".bad") == bytes, "a damaged file is set aside whole");
        fuzz::check(bests.InAll() == 0, "play goes on without bests");
    }

    // A new best for a level the file names (or a level of its own), from the input's first bytes.
    const std::string level = parsed && !parsed->empty() ? parsed->begin()->first : "fuzzed";
    const auto seconds = static_cast<std::int16_t>(size > 1 ? (data[0] << 7 | data[1]) & 0x7FFF : 0);
    const std::optional<std::int16_t> before = bests.Best(level);
    const bool kept = bests.Record(level, seconds);
    fuzz::check(kept == (!before || *before < seconds), "a best is kept exactly when it beats the last");
    fuzz::check(bests.NotKept().empty(), "a writable folder takes the bests");
    const auto written = parseBestTimes(readBack(path));
    fuzz::check(written.has_value(), "the game writes a file it can read");
    fuzz::check(written->size() >= 1 && written->at(level) == *bests.Best(level), "the file holds the best it was given");
    for (const auto& [name, best] : *written) fuzz::check(bests.Best(name) == best, "the file and the game agree");
    return 0;
}
