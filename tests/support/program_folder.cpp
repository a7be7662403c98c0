// Temporary program folders for tests.
#include "program_folder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace tk::test {

ProgramFolder::ProgramFolder(bool withData) {
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("tramolkulap-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
    if (!withData) return;
    const fs::path data = TK_DATA_DIR;
    for (const char* dir : {"levels", "graphics", "sound", "music", "help"}) {
        if (fs::exists(data / dir)) fs::create_directory_symlink(data / dir, path_ / dir);
    }
    if (fs::exists(data / "options.txt")) fs::copy_file(data / "options.txt", path_ / "options.txt");
}

ProgramFolder::~ProgramFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void ProgramFolder::write(const std::string& relative, const std::string& content) const {
    fs::create_directories((path_ / relative).parent_path());
    std::ofstream out(path_ / relative, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ProgramFolder::read(const std::string& relative) const {
    std::ifstream in(path_ / relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool ProgramFolder::exists(const std::string& relative) const { return fs::exists(path_ / relative); }

void ProgramFolder::makeWritable(const std::string& dir) const {
    const fs::path p = path_ / dir;
    if (!fs::is_symlink(p)) return;
    const fs::path target = fs::read_symlink(p);
    fs::remove(p);
    fs::copy(target, p, fs::copy_options::recursive);
}

void ProgramFolder::remove(const std::string& relative) const { fs::remove_all(path_ / relative); }

std::vector<std::string> leftovers(const ProgramFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        if (name.find(".tmp") != std::string::npos) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tk::test
