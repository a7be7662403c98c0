// The help view: a local HTML page laid out with litehtml and drawn with SDL.
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

namespace tk {

class HtmlView {
public:
    HtmlView();
    ~HtmlView();
    HtmlView(const HtmlView&) = delete;
    HtmlView& operator=(const HtmlView&) = delete;

    // Reads the page at `path` for the given width; it is laid out when it is first
    // drawn or measured. A page that cannot be read, or that is refused, leaves the view
    // empty and returns false; nothing is reported.
    bool Load(const std::string& path, int width);
    // Takes a page given as text, laid out when it is first drawn or measured; its
    // pictures are looked for in `folder`. A page larger or nested deeper than the bounds
    // of page_bounds.h is refused before it is read any further, and false returned.
    bool Show(const std::string& html, const std::string& folder, int width);
    // Load, and where the page cannot be read, like a browser a page that says so: the
    // text and the path; `refusedText` for a page refused, `missingText` for one that
    // cannot be read (nothing at all when the text is empty). Returns, for standard
    // error, why a page was refused, naming it; empty otherwise.
    std::string LoadOrSay(const std::string& path, int width, const std::string& missingText,
                          const std::string& refusedText);
    void Clear();
    int ContentHeight() const;  // pixels; 0 when empty
    // The page's words as laid out, one string per line of text, in the order they are
    // drawn: words that touch are joined, others have a blank between them. Lets a
    // check see where the layout broke the lines.
    std::vector<std::string> TextLines() const;
    // Draws the page scrolled down by scrollY pixels into `viewport` of the renderer's
    // current target, clipped to it.
    // Words and pictures are kept as textures of the renderer last drawn with; a
    // new renderer replaces them. Call this before destroying that renderer while
    // the view lives on (the view's own destructor also needs it alive or released).
    void Draw(SDL_Renderer* renderer, const SDL_Rect& viewport, int scrollY);
    void ReleaseTextures();
    // How many rectangles the last Draw filled: the measure of its work, which stays
    // near the view's height in rows however tall the page's boxes are.
    long FillsInLastDraw() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tk
