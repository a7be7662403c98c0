// Reading a verb's words with CLI11, each verb keeping its own usage text and messages.
#pragma once

#include <CLI/CLI.hpp>

#include <cstddef>
#include <string>

#include "verbs.h"

namespace tk::levels_tool {

// What reading the words found: go on, or stop with an exit status already told.
struct Parsed {
    bool stop = false;
    int status = 0;
};

// Reads `args` into the options declared on `app`. `-h`/`--help` prints `usage` on standard
// output (status 0); a word the verb does not know, or an option without its value, is a bad
// usage (status 2): an unknown option is named as such, and a word that is not an option
// takes the verb's own message `stray` ("one level file at a time"). The verb's files are
// what `files` collects. Options given twice take the last value.
Parsed parseVerb(CLI::App& app, const std::string& verb, const char* usage, const Args& args,
                 std::vector<std::string>* files, const std::string& stray);

// A whole number from `lo` to `hi`, the whole text and nothing else.
bool readInteger(const std::string& text, long long lo, long long hi, long long& out);

// The solver's budget from the text `app` took for --max-states, when that option was given
// (`out` is left as it is otherwise); false when the text is no number from 1 to 16000000.
bool readMaxStates(const CLI::App& app, const std::string& text, std::size_t& out);

}  // namespace tk::levels_tool
