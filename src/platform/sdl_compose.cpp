// The window's elements drawn in their order, and the difference between two states of them.
#include "platform/sdl_compose.h"

namespace tk::sdl {
namespace {

SDL_Rect BoardRect(const PictureBox& b) { return SDL_Rect{b.Left, b.Top, b.Width, b.Height}; }

SDL_Rect CursorRect(const ImageBox& c) { return SDL_Rect{c.Left, c.Top, c.Width, c.Height}; }

SDL_Rect BoxRect(const TextBox& t) { return SDL_Rect{t.Left, t.Top, t.Width, t.Height}; }

SDL_Rect ViewRect(const BrowserView& v) { return SDL_Rect{v.Left, v.Top, v.Width, v.Height}; }

void DrawPicture(SDL_Renderer* r, PictureTable& pictures, PictureHandle picture, const SDL_Rect& dst) {
    if (SDL_Texture* t = pictures.Texture(picture, r)) SDL_RenderCopy(r, t, nullptr, &dst);
}

// The rectangle a label covers on the window, or an empty one when it does not show.
SDL_Rect LabelRect(const Label& label, TextCache& texts, int originX = 0, int originY = 0) {
    if (!label.Visible) return SDL_Rect{};
    return LayOutLabel(label, texts, originX, originY).box;
}

void AddLabel(const Label& before, const Label& after, TextCache& texts, DirtyRegion& changed) {
    if (before == after) return;
    changed.Add(LabelRect(before, texts));
    changed.Add(LabelRect(after, texts));
}

// The title labels show only inside a shown board, clipped to it.
void AddTitles(const Controls& c, TextCache& texts, DirtyRegion& changed) {
    if (!c.board.Visible) return;
    const SDL_Rect board = BoardRect(c.board);
    for (const Label& title : c.titles) {
        const SDL_Rect r = LabelRect(title, texts, board.x, board.y);
        SDL_Rect inside;
        if (SDL_IntersectRect(&r, &board, &inside)) changed.Add(inside);
    }
}

}  // namespace

void ComposeWindow(SDL_Renderer* r, const Controls& c, PictureTable& pictures, TextCache& texts,
                   SDL_Texture* board, const HelpDrawer& drawHelp, const SDL_Rect& area) {
    ClipGuard clip(r, area);
    if (clip.Empty()) return;
    FillRect(r, area, Rgb{0, 0, 0});
    // The window picture sits at the top left at its own size, as a form's picture does.
    DrawPicture(r, pictures, c.windowPicture,
                SDL_Rect{0, 0, pictures.Width(c.windowPicture), pictures.Height(c.windowPicture)});
    for (const Label& l : c.menuLines) DrawLabel(r, texts, l, 0, 0);
    if (c.cursor.Visible) DrawPicture(r, pictures, c.cursor.Picture, CursorRect(c.cursor));
    DrawLabel(r, texts, c.creditHeadings, 0, 0);
    DrawLabel(r, texts, c.creditNames, 0, 0);
    DrawLabel(r, texts, c.clock, 0, 0);
    if (c.board.Visible) {
        const SDL_Rect place = BoardRect(c.board);
        if (board) {
            SDL_SetTextureBlendMode(board, SDL_BLENDMODE_NONE);
            SDL_RenderCopy(r, board, nullptr, &place);
        }
        ClipGuard inside(r, place);
        // The outline copies (1..4) lie beneath the face (0): draw from the back.
        if (!inside.Empty())
            for (int i = 4; i >= 0; --i) DrawLabel(r, texts, c.titles[i], place.x, place.y);
    }
    DrawTextBox(r, texts, c.levelBox);
    if (c.help.Visible) {
        const SDL_Rect view = ViewRect(c.help);
        FillRect(r, view, Rgb{255, 255, 255});
        ClipGuard inside(r, view);
        if (!inside.Empty() && drawHelp) drawHelp(c.help, view);
    }
}

void AddChangedAreas(const Controls& a, const Controls& b, TextCache& texts, DirtyRegion& changed) {
    if (a == b) return;
    if (a.windowPicture != b.windowPicture) {
        changed.Add(kWholeWindow);
        return;
    }
    for (int i = 0; i < 5; ++i) AddLabel(a.menuLines[i], b.menuLines[i], texts, changed);
    if (!(a.cursor == b.cursor)) {
        if (a.cursor.Visible) changed.Add(CursorRect(a.cursor));
        if (b.cursor.Visible) changed.Add(CursorRect(b.cursor));
    }
    AddLabel(a.creditHeadings, b.creditHeadings, texts, changed);
    AddLabel(a.creditNames, b.creditNames, texts, changed);
    AddLabel(a.clock, b.clock, texts, changed);
    if (!(a.board == b.board)) {
        if (a.board.Visible) changed.Add(BoardRect(a.board));
        if (b.board.Visible) changed.Add(BoardRect(b.board));
    }
    bool titles = false;
    for (int i = 0; i < 5; ++i) titles = titles || !(a.titles[i] == b.titles[i]);
    if (titles) {
        AddTitles(a, texts, changed);
        AddTitles(b, texts, changed);
    }
    if (!(a.levelBox == b.levelBox)) {
        if (a.levelBox.Visible) changed.Add(BoxRect(a.levelBox));
        if (b.levelBox.Visible) changed.Add(BoxRect(b.levelBox));
    }
    if (!(a.help == b.help)) {
        if (a.help.Visible) changed.Add(ViewRect(a.help));
        if (b.help.Visible) changed.Add(ViewRect(b.help));
    }
}

void AddBoardPainting(const Controls& c, DirtyRegion& painted, DirtyRegion& changed) {
    if (!c.board.Visible) {
        painted.Take();
        return;
    }
    const SDL_Rect place = BoardRect(c.board);
    changed.AddAll(painted.Take(place.x, place.y, &place));
}

}  // namespace tk::sdl
