// What a help page may be before the HTML library sees it: how large, how deeply and how many its elements, how costly its style sheets.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tk {

// The shipped pages are 9 KB of about 200 elements nesting a dozen deep, styled by 35
// selectors of at most two parts. The HTML library builds and lays out a page by
// recursion, so a page nested thousands deep freezes the window and then overflows its
// stack; and its time grows with the text, the elements, and the selectors times the
// elements they are tried on. These bounds keep every page quick to lay out.
inline constexpr std::size_t kMostPageBytes = 32 << 10;  // a page, and each style sheet
inline constexpr int kDeepestNesting = 200;
inline constexpr int kMostElements = 1000;
// A table is laid out over and over to size its cells, so each table inside another
// costs twice or more the one around it.
inline constexpr int kDeepestTables = 4;
inline constexpr int kMostSelectors = 60;  // in the page's own style sheets, all together
// The steps the selectors that search an element's ancestors ("a b") may take on a page:
// each such selector on each element, up the page's depth. The view's own sheet brings
// kMasterSearches of them ("ul ul").
inline constexpr long kMostSearchSteps = 2'000'000;
inline constexpr int kMasterSearches = 6;

// The elements of `html` as a browser's parser builds them, counted never fewer nor
// shallower than by a constant factor of it: an end tag closes only the element it names
// when that is the innermost one (past the elements whose end tags may be left out), and
// the text of scripts, styles and comments holds no elements. Counting stops past
// `depthLimit`.
struct PageShape {
    int depth = 0;
    int elements = 0;
    int tableDepth = 0;  // tables inside tables
    std::string styles;  // the text of its style elements, one after another
    int selectors = 0;   // in them (counted by pageRefusal)
    int searches = 0;    // of them, those that search the ancestors
};
PageShape measurePage(std::string_view html, int depthLimit);

// Why a style sheet may not be used, in words, or nothing when it may: the library tries
// a selector on an element by searching its ancestors ("a b") or earlier siblings
// ("a ~ b") for each part in turn, so two searches in one selector cost the depth times
// the depth. At most one search of the ancestors, no "~" and no function such as
// ":not()", at most four parts; and at most kMostSelectors in all. Adds the sheet's
// selectors to `selectors`, and those that search the ancestors to `searches`.
std::string styleRefusal(std::string_view css, int& selectors, int& searches);

// Why the page may not be shown, in words ("its elements are nested more than 200 deep;
// deeper pages are not shown"), or nothing when it may. `shape` (when given) gets what
// was measured.
std::string pageRefusal(std::string_view html, PageShape* shape = nullptr);
// Whether the page's selectors that search the ancestors, with `moreSearches` more of a
// sheet it links, stay within kMostSearchSteps.
bool searchesFit(const PageShape& page, int moreSearches);

}  // namespace tk
