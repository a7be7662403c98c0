// The window's elements in their order, as the desktop's painter (sdl_compose.cpp) draws
// them, for the page to paint on its canvas.
#include "platform/web_window.h"

#include "platform/web_page.h"
#include "platform/window_look.h"

namespace tk::web {
namespace {

int Colour(Rgb c) { return c.r << 16 | c.g << 8 | c.b; }

void Fill(const Box& b, Rgb colour) { tk_window_fill(b.left, b.top, b.width, b.height, Colour(colour)); }

void Text(const std::string& text, const TextLook& look, const Box& box, int originX = 0, int originY = 0) {
    const int align = look.align == Align::Left ? 0 : look.align == Align::Center ? 1 : 2;
    tk_window_text(text.c_str(), look.points, look.bold ? 1 : 0, Colour(look.colour), align,
                   look.grounded ? Colour(look.ground) : -1, look.outlined ? Colour(look.outline) : -1,
                   look.outlineWidth, box.left, box.top, box.width, box.height, originX, originY);
}

void Menu(const MenuView& menu, PictureHandle cursor) {
    if (!menu.shown) return;
    for (int i = 0; i < MenuView::kLines; ++i) {
        if (i == MenuView::kLines - 1 && !menu.levelLineShown) continue;
        Text(menu.lines[i], look::MenuText(menu.page, i == menu.highlight), look::MenuLine(i));
    }
    const Box c = look::Cursor(menu.page, menu.highlight);
    if (cursor) tk_window_picture(static_cast<int>(cursor), c.left, c.top, c.width, c.height);
}

void Board(const PlayView& play) {
    if (!play.boardShown) return;
    const Box& b = look::kBoard;
    tk_window_board(b.left, b.top, b.width, b.height);
    if (!play.titleShown) return;
    tk_window_clip(b.left, b.top, b.width, b.height);
    Text(play.title, look::TitleText(), look::kTitle, b.left, b.top);
    tk_window_unclip();
}

void LevelBox(const LevelBoxView& box) {
    if (!box.shown) return;
    const Box& b = look::kLevelBox;
    const TextLook t = look::LevelBoxText();
    tk_window_level_box(box.text.c_str(), box.caret, b.left, b.top, b.width, b.height, t.points, t.bold ? 1 : 0,
                        Colour(t.colour), Colour(look::kLevelBoxFrame), Colour(look::kLevelBoxPaper));
}

void Help(const HelpView& help, bool missing) {
    if (!help.shown) return;
    const Box& b = look::kHelp;
    Fill(b, look::kHelpPaper);
    const std::string missingText = help.missingText + (help.missingText.empty() ? "" : "\n") + help.page;
    tk_window_help(missing || help.page.empty() ? nullptr : help.page.c_str(), help.scrollY, b.left, b.top, b.width,
                   b.height, missing ? missingText.c_str() : "");
}

// A band across the window's middle, as tall as the notice's lines.
void Notice(const NoticeView& notice) {
    if (!notice.shown) return;
    const TextLook t = look::NoticeText();
    const int pad = look::kNoticePadding;
    Box text = look::kNotice;
    text.left += pad;
    text.width -= 2 * pad;
    text.height = tk_text_block_height(notice.text.c_str(), t.points, t.bold ? 1 : 0, text.width);
    text.top = look::kNoticeMiddle - text.height / 2;
    Fill(Box{text.left - pad, text.top - pad, text.width + 2 * pad, text.height + 2 * pad}, t.ground);
    Text(notice.text, t, text);
}

}  // namespace

void PaintWindow(const WindowView& v, bool helpMissing) {
    tk_window_begin();
    // The window's picture sits at the top left at its own size.
    if (v.background) tk_window_picture(static_cast<int>(v.background), 0, 0, 0, 0);
    Menu(v.menu, v.cursor);
    if (v.creditsShown) {
        Text(v.creditHeadings, look::CreditHeadingsText(), look::kCreditHeadings);
        Text(v.creditNames, look::CreditNamesText(), look::kCreditNames);
    }
    if (v.play.clockShown) Text(v.play.clock, look::ClockText(), look::kClock);
    // A hint's price beside the clock, on its own ground.
    if (v.play.clockShown && !v.play.hintCost.empty()) {
        Fill(look::kHintCost, look::HintCostText().ground);
        Text(v.play.hintCost, look::HintCostText(), look::kHintCost);
    }
    Board(v.play);
    LevelBox(v.levelBox);
    Help(v.help, helpMissing);
    Notice(v.notice);
    tk_window_end();
}

}  // namespace tk::web
