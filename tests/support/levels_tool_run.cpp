// Running the built levels tool from tests.
#include "levels_tool_run.h"

#include "file_tree.h"

namespace fs = std::filesystem;

namespace tk::test {

ToolRun runLevelsTool(const fs::path& workDir, const std::string& args) {
    const CommandRun run = runCommand("cd '" + workDir.string() + "' && '" TK_LEVELS_TOOL "' " + args);
    return ToolRun{run.status, run.out, run.err};
}

}  // namespace tk::test
