// Reading files, snapshots of trees and shell commands for tests.
#include "file_tree.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace tk::test {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::map<std::string, std::string> treeSnapshot(const fs::path& root) {
    std::map<std::string, std::string> out;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::directory_entry& e = *it;
        std::string what = e.is_symlink() ? "link" : e.is_directory() ? "dir" : "file";
        if (e.is_regular_file() && !e.is_symlink())
            what += " " + std::to_string(e.file_size()) + " " +
                    std::to_string(e.last_write_time().time_since_epoch().count());
        out[fs::relative(e.path(), root).string()] = what;
    }
    return out;
}

CommandRun runCommand(const std::string& command) {
    static std::atomic<int> counter{0};
    const fs::path errFile = fs::temp_directory_path() / ("tk-command-err-" + std::to_string(::getpid()) + "-" +
                                                          std::to_string(counter++));
    const std::string cmd = "(" + command + ") 2>'" + errFile.string() + "'";
    CommandRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    r.err = readFile(errFile);
    std::error_code ec;
    fs::remove(errFile, ec);
    return r;
}

}  // namespace tk::test
