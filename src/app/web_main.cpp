// The program's entry point in a web page: main() sets the game up, with what the page's
// address asks for (?daily, ?random=hard&seed=7, ?level=07), and the page runs each of its
// passes (tk_pass) when the time the last one asked for comes or input arrives.
#include <filesystem>
#include <memory>
#include <string>

#include "app/page_address.h"
#include "app/paths.h"
#include "app/program.h"
#include "platform/web_page.h"
#include "platform/web_platform.h"

namespace {

std::unique_ptr<tk::Platform> platform;
std::unique_ptr<tk::Program> program;

}  // namespace

extern "C" {

// One pass; 0 once the game has ended (the page then shows it has).
__attribute__((used)) int tk_pass() {
    if (!program) return 0;
    const tk::Wake wake = program->Step();
    if (program->ended()) {
        program.reset();
        return 0;
    }
    // Tells the page when to come back; returns at once.
    platform->WaitUntil(wake.at, wake.onInput);
    return 1;
}

}  // extern "C"

int main() {
    platform = tk::CreateWebPlatform();
    char query[256];
    const int length = tk_page_query(query, sizeof query);
    // A query too long for any of the page's ways to start is none of them.
    tk::StartRequest request = length < static_cast<int>(sizeof query)
                                         ? tk::StartRequestFromAddress(std::string(query, length))
                                         : tk::StartRequest{};
    // The page waits for the data before it starts a level the address names: one the game
    // does not have opens the menu, with a word, rather than ending the game as the command
    // line's does.
    if (request.kind == tk::StartRequest::Kind::Level) {
        const std::string file = tk::LocatePaths(platform->ProgramFolder(), platform->UserConfigHome()).LevelFile(request.name);
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) {
            tk_page_notice(("The game has no level " + request.name + ": the menu opens instead.").c_str());
            request = {};
        }
    }
    program = std::make_unique<tk::Program>(*platform, request);
    return 0;
}
