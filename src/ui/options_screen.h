// The options screen: full screen, music, and the level that "Play" starts with, typed into
// a small box; a name without a level file is refused with a notice that stands a second.
#pragma once

#include <cstdint>

#include "platform/wake.h"
#include "platform/window_view.h"
#include "ui/language.h"
#include "ui/menu_host.h"

namespace tk {

class OptionsScreen {
public:
    // The lines of the screen, as the highlight numbers them.
    static constexpr int kLineBack = 0, kLineDisplay = 1, kLineMusic = 2, kLineChoose = 3, kLineLevel = 4;

    OptionsScreen(MenuView& menu, LevelBoxView& box, MenuHost& host, const Language& language)
        : menu_(menu), box_(box), host_(host), language_(language) {}

    // The screen's lines for the settings in force.
    void Show();
    void ToggleFullscreen();
    void ToggleMusic();
    // The box opens holding the level in force.
    void OpenEntry();
    // Takes the typed name exactly as typed; a name without a level file is refused and
    // its notice stands until `now` + 1000 ms.
    void FinishEntry(std::uint64_t now);
    // The notice, while it stands: its end, or a close request, brings the name back.
    Wake Advance(std::uint64_t now);
    bool NoticeShowing() const { return noticeUntil_ != 0; }

private:
    void ShowLevelLine();

    MenuView& menu_;
    LevelBoxView& box_;
    MenuHost& host_;
    const Language& language_;
    std::uint64_t noticeUntil_ = 0;
};

}  // namespace tk
