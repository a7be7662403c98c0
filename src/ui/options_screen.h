// The options screen: full screen, music, and the level that "Play" starts with, typed into
// a small box; a name without a level file is refused with a notice that stands a second.
// Its side line leads to the levels the game makes.
#pragma once

#include <cstdint>

#include "platform/wake.h"
#include "platform/window_view.h"
#include "ui/language.h"
#include "ui/menu_host.h"

namespace tk {

class OptionsScreen {
public:
    // The lines of the screen, as the highlight numbers them; the side line, at the right
    // of "« back", opens the page of made levels.
    static constexpr int kLineBack = 0, kLineDisplay = 1, kLineMusic = 2, kLineChoose = 3, kLineLevel = 4,
                         kLineMade = MenuView::kSideLine;

    OptionsScreen(MenuView& menu, LevelBoxView& box, MenuHost& host, const Language& language)
        : menu_(menu), box_(box), host_(host), language_(language) {}

    // The screen's lines for the settings in force.
    void Show();
    void ToggleFullscreen();
    void ToggleMusic();
    // The box opens holding the level in force.
    void OpenEntry();
    // Takes the typed name exactly as typed; a name without a level file is refused and
    // its notice stands 1000 ms once it is on screen.
    void FinishEntry();
    // The notice, while it stands: its end, or a close request, brings the name back.
    Wake Advance(std::uint64_t now);
    void Shown(std::uint64_t at) { notice_.Shown(at); }
    bool NoticeShowing() const { return notice_.Standing(); }

private:
    void ShowLevelLine();

    MenuView& menu_;
    LevelBoxView& box_;
    MenuHost& host_;
    const Language& language_;
    Pause notice_;
};

}  // namespace tk
