// A stand-in program for the browser page, built in place of the game until the game's
// browser platform exists: it shows the start-up picture, then the window's picture with a
// line of text, and answers keys with every kind of call the page offers, so that the page's
// tests (page_test.py) can drive the whole page from C++ the way the game will.
#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "platform/web_page.h"

extern const unsigned char kStartupPicture[];
extern const unsigned long kStartupPictureSize;

namespace {

constexpr double kStartupMs = 1250;
constexpr int kYellowGreen = 0xE0FF00, kDarkGreen = 0x004000, kBlack = 0, kWhite = 0xFFFFFF, kGrey = 0x808080;
const char* const kKeys[] = {"Back", "Return", "Escape", "Space", "Left", "Up", "Right", "Down",
                             "C", "F", "H", "M", "Q", "S", "T"};

struct Probe {
    double startedAt = 0;
    int startup = 0, window = 0, piece = 0, background = 0, outcome = 0;
    int keys = 0;              // keys pressed, kept in the player's folder
    int cells = 0;             // cells painted along the top row
    bool boardShown = false, helpShown = false, fullscreen = false;
    int helpScroll = 0;
    std::string typed;
    std::string lastKey;
    std::string folder;
};

Probe probe;

int KeyNumber(const std::string& name) {
    for (int i = 0; i < static_cast<int>(sizeof kKeys / sizeof *kKeys); ++i)
        if (name == kKeys[i]) return i + 1;
    return 0;
}

std::string KeysFile() { return probe.folder + "/probe.txt"; }

void Remember() {
    std::ofstream out(KeysFile(), std::ios::trunc);
    out << probe.keys << "\r\n";
}

void OnKey(int key) {
    const std::string name = key >= 1 && key <= static_cast<int>(sizeof kKeys / sizeof *kKeys) ? kKeys[key - 1] : "?";
    probe.lastKey = name;
    ++probe.keys;
    Remember();
    if (name == "Right") {
        probe.boardShown = true;
        tk_board_cell(probe.cells % 11, 0, probe.background, 0, probe.piece);
        ++probe.cells;
    } else if (name == "T") {
        probe.boardShown = true;
        tk_board_turned(probe.piece, 5, 3, 45);
    } else if (name == "C") {
        probe.boardShown = true;
        tk_board_cover(probe.outcome);
    } else if (name == "S") {
        tk_sound_play("/game/sound/move.wav");
    } else if (name == "M") {
        tk_music_play("/game/music/Lumfex - Little bit of happiness.mp3");
    } else if (name == "F") {
        probe.fullscreen = !probe.fullscreen;
        tk_display_fullscreen(probe.fullscreen);
    } else if (name == "H") {
        probe.helpShown = !probe.helpShown;
    } else if (name == "Down" && probe.helpShown) {
        probe.helpScroll = std::min(probe.helpScroll + 40, std::max(0, tk_help_height() - 490));
    } else if (name == "Up" && probe.helpShown) {
        probe.helpScroll = std::max(0, probe.helpScroll - 40);
    } else if (name == "Back" && !probe.typed.empty()) {
        probe.typed.pop_back();
    }
}

void Present(bool started) {
    tk_window_begin();
    tk_window_picture(started ? probe.window : probe.startup, 0, 0, 0, 0);
    if (started) {
        const std::string line = "Keys pressed: " + std::to_string(probe.keys);
        tk_window_text(line.c_str(), 36, 1, kYellowGreen, 0, -1, -1, 0, 103, 150, 660, 61, 0, 0);
        if (!probe.lastKey.empty()) {
            const std::string last = "Last key: " + probe.lastKey;
            tk_window_text(last.c_str(), 12, 0, kBlack, 2, -1, -1, 0, 552, 519, 106, 81, 0, 0);
        }
        tk_window_level_box(probe.typed.c_str(), static_cast<int>(probe.typed.size()), 139, 410, 240, 49, 30, 1, kBlack,
                            kGrey, kWhite);
    }
    if (probe.boardShown) {
        tk_window_board(15, 15, 770, 490);
        tk_window_clip(15, 15, 770, 490);
        tk_window_text("Probe", 48, 1, kYellowGreen, 1, -1, kDarkGreen, 2, 0, 120, 770, 360, 15, 15);
        tk_window_unclip();
    }
    if (probe.helpShown) tk_window_help("/game/help/help.html", probe.helpScroll, 15, 15, 770, 490, "");
    tk_window_end();
}

}  // namespace

extern "C" {

// One pass: what arrived, the window, and when to come back. 0 once the program has ended.
__attribute__((used)) int tk_pass() {
    TkPageEvent event{};
    while (tk_input_next(&event)) {
        if (event.kind == 1) OnKey(event.key);
        if (event.kind == 3 && probe.helpShown == false && std::string(event.text) != " ") probe.typed += event.text;
        if (event.kind == 12) probe.fullscreen = false;
        if (event.kind == 9) probe.lastKey = "Pointer " + std::to_string(event.x) + "," + std::to_string(event.y);
    }
    if (tk_input_close_requested() || probe.lastKey == "Q") {
        tk_window_begin();
        tk_window_end();
        return 0;
    }
    const double now = tk_now();
    const bool started = now >= probe.startedAt + kStartupMs;
    if (started && !probe.window) {
        probe.window = tk_picture_load_file("/game/graphics/okno.jpg");
        probe.piece = tk_picture_load_file("/game/graphics/trubka1A.png");
        probe.background = tk_picture_load_file("/game/graphics/pozadi1.jpg");
        probe.outcome = tk_picture_load_file("/game/graphics/hura.png");
        if (!probe.window) tk_page_fatal("Cannot load the window picture /game/graphics/okno.jpg: file not found");
    }
    Present(started);
    if (started)
        tk_wake(INFINITY, 1);
    else
        tk_wake(probe.startedAt + kStartupMs, 0);
    return 1;
}

}  // extern "C"

int main() {
    probe.startedAt = tk_now();
    char home[256];
    tk_config_home(home, sizeof home);
    probe.folder = std::string(home) + "/tramolkulap";
    for (const char* name : kKeys) tk_input_define_key(name, KeyNumber(name));
    std::ifstream in(KeysFile());
    in >> probe.keys;
    probe.startup = tk_picture_load_bytes(kStartupPicture, static_cast<int>(kStartupPictureSize));
    if (!tk_text_ready()) tk_page_notice("The game's font did not load: its text falls back to the browser's.");
    return 0;
}
