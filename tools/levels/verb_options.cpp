// The verbs' shared reading of their words: CLI11 recognises the options, the verb keeps its words.
#include "verb_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tk::levels_tool {

Parsed parseVerb(CLI::App& app, const std::string& verb, const char* usage, const Args& args,
                 std::vector<std::string>* files, const std::string& stray) {
    bool help = false;
    app.set_help_flag();
    app.add_flag("-h,--help", help);
    app.allow_extras();
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // CLI11 takes the words last first.
    std::vector<std::string> words(args.rbegin(), args.rend());
    try {
        app.parse(words);
    } catch (const CLI::ArgumentMismatch& e) {
        const std::string what = e.what();
        return {true, badUsage(usage, verb + ": " + what.substr(0, what.find(':')) + " needs a value")};
    } catch (const CLI::ParseError& e) {
        if (help) {
            std::fputs(usage, stdout);
            return {true, 0};
        }
        return {true, badUsage(usage, verb + ": " + e.what())};
    }
    if (help) {
        std::fputs(usage, stdout);
        return {true, 0};
    }
    // What CLI11 did not take: after "--" everything is a file; before it, a word that looks
    // like an option is an unknown one.
    bool optionsDone = false;
    for (const std::string& word : app.remaining()) {
        if (!optionsDone && word == "--") {
            optionsDone = true;
        } else if (!optionsDone && word.size() > 1 && word[0] == '-') {
            return {true, badUsage(usage, verb + ": unknown option '" + word + "'")};
        } else if (files && (stray.empty() || files->empty())) {
            files->push_back(word);
        } else {
            return {true, badUsage(usage, verb + ": " + (stray.empty() ? "unexpected argument '" + word + "'" : stray))};
        }
    }
    return {};
}

bool readInteger(const std::string& text, long long lo, long long hi, long long& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text.c_str(), &end, 10);
    return end && *end == '\0' && errno == 0 && out >= lo && out <= hi;
}

bool readMaxStates(const CLI::App& app, const std::string& text, std::size_t& out) {
    if (!app.count("--max-states")) return true;
    long long n = 0;
    if (!readInteger(text, 1, 16'000'000, n)) return false;
    out = static_cast<std::size_t>(n);
    return true;
}

}  // namespace tk::levels_tool
