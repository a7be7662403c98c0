// What the fuzz targets share: a broken promise stops the run with a message and a crash input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace tk::fuzz {

// libFuzzer keeps the input that made the process abort and reports it as a crash.
[[noreturn]] inline void broken(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

inline void check(bool ok, const std::string& what) {
    if (!ok) broken(what);
}

// A folder of its own for the whole run, removed when the process ends normally.
inline const std::filesystem::path& scratchFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tramolkulap-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) broken("cannot make a scratch folder");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
        });
        return std::filesystem::path(pattern);
    }();
    return folder;
}

}  // namespace tk::fuzz
