// Running the built levels tool from tests.
#include "levels_tool_run.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace tk::test {

ToolRun runLevelsTool(const fs::path& workDir, const std::string& args) {
    static std::atomic<int> counter{0};
    const fs::path errFile = fs::temp_directory_path() / ("tk-levels-err-" + std::to_string(::getpid()) +
                                                          "-" + std::to_string(counter++));
    const std::string cmd = "cd '" + workDir.string() + "' && '" TK_LEVELS_TOOL "' " + args + " 2>'" +
                            errFile.string() + "'";
    ToolRun r;
    std::FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    std::ifstream e(errFile, std::ios::binary);
    std::ostringstream ss;
    ss << e.rdbuf();
    r.err = ss.str();
    std::error_code ec;
    fs::remove(errFile, ec);
    return r;
}

}  // namespace tk::test
