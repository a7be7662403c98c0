// Looking at files and trees of files from tests, and running a shell command.
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace tk::test {

std::string readFile(const std::filesystem::path& path);

// Every file, folder and link under `root` (links not followed) with its size and time of
// writing: two snapshots are equal when nothing below `root` was written in between.
std::map<std::string, std::string> treeSnapshot(const std::filesystem::path& root);

struct CommandRun {
    int status = -1;  // exit status, -1 when it did not exit normally
    std::string out, err;
};

// Runs `command` with /bin/sh and keeps what it wrote.
CommandRun runCommand(const std::string& command);

}  // namespace tk::test
