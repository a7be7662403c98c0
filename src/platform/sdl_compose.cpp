// The window's elements laid out from the look and drawn in their order, and the difference
// between two views.
#include "platform/sdl_compose.h"

#include "platform/window_look.h"

namespace tk::sdl {
namespace {

SDL_Rect Rect(const Box& b) { return SDL_Rect{b.left, b.top, b.width, b.height}; }

void DrawPicture(SDL_Renderer* r, PictureTable& pictures, PictureHandle picture, const SDL_Rect& dst) {
    if (SDL_Texture* t = pictures.Texture(picture, r)) SDL_RenderCopy(r, t, nullptr, &dst);
}

TextBlock MenuLine(const MenuView& menu, int i) {
    return TextBlock{menu.lines[i], look::MenuText(menu.page, i == menu.highlight), look::MenuLine(i)};
}
bool MenuLineShown(const MenuView& menu, int i) {
    return menu.shown && (i != MenuView::kLevelLine || menu.levelLineShown);
}

TextBlock CreditHeadings(const WindowView& v) {
    return TextBlock{v.creditHeadings, look::CreditHeadingsText(), look::kCreditHeadings};
}
TextBlock CreditNames(const WindowView& v) { return TextBlock{v.creditNames, look::CreditNamesText(), look::kCreditNames}; }
TextBlock Clock(const PlayView& p) { return TextBlock{p.clock, look::ClockText(), look::kClock}; }
TextBlock HintCost(const PlayView& p) { return TextBlock{p.hintCost, look::HintCostText(), look::kHintCost}; }
TextBlock Title(const PlayView& p) { return TextBlock{p.title, look::TitleText(), look::kTitle}; }

// A band as tall as its lines, with room round them: the notice round the window's middle,
// the result from its top on the board.
TextBlock Band(const std::string& text, const TextLook& textLook, Box box, int padding, int middle,
               TextCache& texts) {
    TextBlock block{text, textLook, box};
    block.box.left += padding;
    block.box.width -= 2 * padding;
    const BlockLayout lines = LayOutBlock(block, texts, 0, 0);
    const int height = lines.lineHeight * static_cast<int>(lines.lines.size());
    block.box.top = middle > 0 ? middle - height / 2 : block.box.top + padding;
    block.box.height = height;
    return block;
}
SDL_Rect BandAround(const TextBlock& text, int padding, int originX = 0, int originY = 0) {
    return SDL_Rect{originX + text.box.left - padding, originY + text.box.top - padding,
                    text.box.width + 2 * padding, text.box.height + 2 * padding};
}
TextBlock Notice(const NoticeView& n, TextCache& texts) {
    return Band(n.text, look::NoticeText(), look::kNotice, look::kNoticePadding, look::kNoticeMiddle, texts);
}
SDL_Rect NoticeBand(const TextBlock& text) { return BandAround(text, look::kNoticePadding); }
TextBlock Result(const PlayView& p, TextCache& texts) {
    return Band(p.result, look::ResultText(), look::kResult, look::kResultPadding, 0, texts);
}
SDL_Rect ResultBand(const TextBlock& text) {
    return BandAround(text, look::kResultPadding, look::kBoard.left, look::kBoard.top);
}

// What a block may touch on the window, when it shows.
SDL_Rect Inked(const TextBlock& block, TextCache& texts, int originX = 0, int originY = 0) {
    return LayOutBlock(block, texts, originX, originY).inked;
}

// The title and the result show only inside a shown board, clipped to it.
void AddTitle(const PlayView& p, TextCache& texts, DirtyRegion& changed) {
    if (!p.boardShown) return;
    const SDL_Rect board = Rect(look::kBoard);
    SDL_Rect inside;
    if (p.titleShown) {
        const SDL_Rect r = Inked(Title(p), texts, board.x, board.y);
        if (SDL_IntersectRect(&r, &board, &inside)) changed.Add(inside);
    }
    if (p.resultShown) {
        const SDL_Rect r = ResultBand(Result(p, texts));
        if (SDL_IntersectRect(&r, &board, &inside)) changed.Add(inside);
    }
}

void AddMenu(const WindowView& v, TextCache& texts, DirtyRegion& changed) {
    for (int i = 0; i < MenuView::kLines; ++i)
        if (MenuLineShown(v.menu, i)) changed.Add(Inked(MenuLine(v.menu, i), texts));
    if (v.menu.shown) changed.Add(Rect(look::Cursor(v.menu.page, v.menu.highlight)));
}

void AddNotice(const NoticeView& n, TextCache& texts, DirtyRegion& changed) {
    if (n.shown) changed.Add(NoticeBand(Notice(n, texts)));
}

}  // namespace

void PrepareText(const PlayView& p, TextCache& texts) {
    const auto prepare = [&texts](const TextBlock& block) {
        TTF_Font* font = TextFont(block.look);
        for (const std::string& line : texts.Lines(block, font)) {
            texts.Get(line, font, block.look.colour);
            if (block.look.outlined) texts.Get(line, font, block.look.outline);
        }
    };
    if (p.clockShown) prepare(Clock(p));
    if (p.clockShown && !p.hintCost.empty()) prepare(HintCost(p));
    if (p.titleShown) prepare(Title(p));
    if (p.resultShown) prepare(Result(p, texts));
}

void ComposeWindow(SDL_Renderer* r, const WindowView& v, PictureTable& pictures, TextCache& texts,
                   SDL_Texture* board, const HelpDrawer& drawHelp, const SDL_Rect& area) {
    ClipGuard clip(r, area);
    if (clip.Empty()) return;
    // The board's image is copied without blending, so an area within it (a step or a turn
    // of play) needs nothing drawn beneath.
    const SDL_Rect boardPlace = Rect(look::kBoard);
    SDL_Rect covered{};
    const bool underBoard = v.play.boardShown && board && SDL_IntersectRect(&area, &boardPlace, &covered) &&
                            SDL_RectEquals(&covered, &area);
    if (!underBoard) {
        FillRect(r, area, look::kBlack);
        // The window's picture sits at the top left at its own size.
        DrawPicture(r, pictures, v.background,
                    SDL_Rect{0, 0, pictures.Width(v.background), pictures.Height(v.background)});
    }
    for (int i = 0; i < MenuView::kLines; ++i)
        if (MenuLineShown(v.menu, i)) DrawBlock(r, texts, MenuLine(v.menu, i), 0, 0);
    if (v.menu.shown) DrawPicture(r, pictures, v.cursor, Rect(look::Cursor(v.menu.page, v.menu.highlight)));
    if (v.creditsShown) {
        DrawBlock(r, texts, CreditHeadings(v), 0, 0);
        DrawBlock(r, texts, CreditNames(v), 0, 0);
    }
    if (v.play.clockShown) DrawBlock(r, texts, Clock(v.play), 0, 0);
    if (v.play.clockShown && !v.play.hintCost.empty()) {
        FillRect(r, Rect(look::kHintCost), look::HintCostText().ground);
        DrawBlock(r, texts, HintCost(v.play), 0, 0);
    }
    if (v.play.boardShown) {
        const SDL_Rect place = Rect(look::kBoard);
        if (board) {
            SDL_SetTextureBlendMode(board, SDL_BLENDMODE_NONE);
            SDL_RenderCopy(r, board, nullptr, &place);
        }
        ClipGuard inside(r, place);
        if (!inside.Empty() && v.play.titleShown) DrawBlock(r, texts, Title(v.play), place.x, place.y);
        if (!inside.Empty() && v.play.resultShown) {
            const TextBlock text = Result(v.play, texts);
            FillRect(r, ResultBand(text), look::ResultText().ground);
            DrawBlock(r, texts, text, place.x, place.y);
        }
    }
    DrawLevelBox(r, v.levelBox);
    if (v.help.shown) {
        const SDL_Rect view = Rect(look::kHelp);
        FillRect(r, view, look::kHelpPaper);
        ClipGuard inside(r, view);
        if (!inside.Empty() && drawHelp) drawHelp(v.help, view);
    }
    if (v.notice.shown) {
        const TextBlock text = Notice(v.notice, texts);
        FillRect(r, NoticeBand(text), look::NoticeText().ground);
        DrawBlock(r, texts, text, 0, 0);
    }
}

void AddChangedAreas(const WindowView& a, const WindowView& b, TextCache& texts, DirtyRegion& changed) {
    if (a == b) return;
    if (a.background != b.background) {
        changed.Add(kWholeWindow);
        return;
    }
    if (a.menu != b.menu || a.cursor != b.cursor) {
        AddMenu(a, texts, changed);
        AddMenu(b, texts, changed);
    }
    if (a.creditsShown != b.creditsShown || a.creditHeadings != b.creditHeadings || a.creditNames != b.creditNames) {
        for (const WindowView* v : {&a, &b}) {
            if (!v->creditsShown) continue;
            changed.Add(Inked(CreditHeadings(*v), texts));
            changed.Add(Inked(CreditNames(*v), texts));
        }
    }
    if (a.play.clockShown != b.play.clockShown || a.play.clock != b.play.clock) {
        if (a.play.clockShown || b.play.clockShown) changed.Add(Rect(look::kClock));
    }
    if (a.play.clockShown != b.play.clockShown || a.play.hintCost != b.play.hintCost) changed.Add(Rect(look::kHintCost));
    if (a.play.boardShown != b.play.boardShown) {
        changed.Add(Rect(look::kBoard));
    } else if (a.play.titleShown != b.play.titleShown || a.play.title != b.play.title ||
               a.play.resultShown != b.play.resultShown || a.play.result != b.play.result) {
        AddTitle(a.play, texts, changed);
        AddTitle(b.play, texts, changed);
    }
    if (a.levelBox != b.levelBox && (a.levelBox.shown || b.levelBox.shown)) changed.Add(Rect(look::kLevelBox));
    if (a.help != b.help && (a.help.shown || b.help.shown)) changed.Add(Rect(look::kHelp));
    if (a.notice != b.notice) {
        AddNotice(a.notice, texts, changed);
        AddNotice(b.notice, texts, changed);
    }
}

void AddBoardPainting(const WindowView& v, DirtyRegion& painted, DirtyRegion& changed) {
    if (!v.play.boardShown) {
        painted.Take();
        return;
    }
    const SDL_Rect place = Rect(look::kBoard);
    changed.AddAll(painted.Take(place.x, place.y, &place));
}

}  // namespace tk::sdl
