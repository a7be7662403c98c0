// Reading the page's address into a StartRequest.
#include "app/page_address.h"

#include <charconv>
#include <map>
#include <string>

#include "puzzle/level_file.h"

namespace tk {

namespace {

// A parameter's value as the browser sent it: %XX and '+' undone. Nothing here needs more.
std::string Decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        unsigned value = 0;
        if (c == '%' && i + 2 < text.size() &&
            std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr == text.data() + i + 3) {
            out += static_cast<char>(value);
            i += 2;
        } else {
            out += c == '+' ? ' ' : c;
        }
    }
    return out;
}

}  // namespace

StartRequest StartRequestFromAddress(std::string_view query) {
    if (!query.empty() && query.front() == '?') query.remove_prefix(1);
    std::map<std::string, std::string> asked;
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        if (pair.empty()) continue;
        const std::size_t eq = pair.find('=');
        const std::string name = Decoded(pair.substr(0, eq));
        const std::string value = eq == std::string_view::npos ? "" : Decoded(pair.substr(eq + 1));
        // The same parameter twice is a doubt the page does not settle.
        if (!asked.emplace(name, value).second) return {};
    }
    const int ways = static_cast<int>(asked.count("daily") + asked.count("random") + asked.count("level"));
    if (ways != 1) return {};
    if (asked.count("seed") && !asked.count("random")) return {};

    StartRequest request;
    if (asked.count("daily")) {
        request.kind = StartRequest::Kind::Daily;
    } else if (asked.count("level")) {
        // Joined into a path of the levels folder, as the level chooser's names are.
        if (!isPlainLevelName(asked["level"])) return {};
        request.kind = StartRequest::Kind::Level;
        request.name = asked["level"];
    } else {
        request.band = difficultyNamed(asked["random"]);
        if (request.band == Difficulty::Any) return {};
        request.kind = StartRequest::Kind::Random;
        if (asked.count("seed")) {
            const std::string& seed = asked["seed"];
            std::uint64_t value = 0;
            const auto [end, error] = std::from_chars(seed.data(), seed.data() + seed.size(), value);
            if (seed.empty() || error != std::errc() || end != seed.data() + seed.size()) return {};
            request.seed = value;
        }
    }
    return request;
}

}  // namespace tk
