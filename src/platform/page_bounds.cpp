// Measuring a help page's elements with a small reader of tags, and its style sheets' selectors, before the HTML library builds it.
#include "platform/page_bounds.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tk {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <std::size_t N>
bool oneOf(std::string_view name, const std::array<std::string_view, N>& names) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Elements that never hold anything.
constexpr std::array<std::string_view, 18> kVoid{"area", "base",  "basefont", "bgsound", "br",    "col",
                                                  "embed", "frame", "hr",     "img",     "input", "keygen",
                                                  "link", "meta",  "param",  "source",  "track", "wbr"};
// Elements whose text is no markup: everything up to their own end tag is text.
constexpr std::array<std::string_view, 9> kRawText{"script", "style",    "textarea", "title", "xmp",
                                                    "iframe", "noembed", "noframes", "noscript"};
// Elements whose end tag may be left out: an end tag of an element around them closes them.
constexpr std::array<std::string_view, 10> kImpliedEnd{"p",  "li", "dd", "dt", "option",
                                                        "optgroup", "rb", "rp", "rt", "rtc"};

constexpr std::array<std::string_view, 3> kTableParts{"tbody", "thead", "tfoot"};

// An element that a new one of `opening` closes when it is the innermost: another list
// item, paragraph, definition, option or table cell or row.
bool closedBy(std::string_view open, std::string_view opening) {
    if (opening == "li") return open == "li";
    if (opening == "p") return open == "p";
    if (opening == "dt" || opening == "dd") return open == "dt" || open == "dd";
    if (opening == "option") return open == "option";
    if (opening == "td" || opening == "th") return open == "td" || open == "th";
    if (opening == "tr") return open == "td" || open == "th" || open == "tr";
    return false;
}

class TagReader {
public:
    explicit TagReader(std::string_view html) : s_(html) {}

    PageShape Measure(int limit) {
        while (at_ < s_.size() && shape_.depth <= limit) {
            const std::size_t lt = s_.find('<', at_);
            if (lt == std::string_view::npos) break;
            at_ = lt + 1;
            if (StartsHere("!--")) {
                SkipPast("-->");
            } else if (Next() == '!' || Next() == '?') {
                SkipPast(">");
            } else if (Next() == '/') {
                ++at_;
                if (isLetter(Next())) {
                    Close(Name());
                    SkipTag();
                } else if (Next() != '>') {
                    SkipPast(">");  // a bogus comment
                }
            } else if (isLetter(Next())) {
                const std::string name = Name();
                SkipTag();
                Open(name);
            }
        }
        return std::move(shape_);
    }

private:
    char Next() const { return at_ < s_.size() ? s_[at_] : '\0'; }

    bool StartsHere(std::string_view what) const { return s_.substr(at_, what.size()) == what; }

    // Moves past the next `end` (a comment's "-->" may already start at its "!", as in
    // "<!-->").
    void SkipPast(std::string_view end) {
        const std::size_t found = s_.find(end, at_);
        at_ = found == std::string_view::npos ? s_.size() : found + end.size();
    }

    std::string Name() {
        std::string name;
        while (at_ < s_.size() && !isSpace(s_[at_]) && s_[at_] != '/' && s_[at_] != '>') name += lower(s_[at_++]);
        return name;
    }

    // Past the attributes and the closing '>'; a quote opens a value only after '='.
    void SkipTag() {
        while (at_ < s_.size()) {
            const char c = s_[at_++];
            if (c == '>') return;
            if (c != '=') continue;
            while (at_ < s_.size() && isSpace(s_[at_])) ++at_;
            if (Next() == '"' || Next() == '\'') {
                const std::size_t close = s_.find(s_[at_], at_ + 1);
                at_ = close == std::string_view::npos ? s_.size() : close + 1;
            }
        }
    }

    void Count(int depth) {
        ++shape_.elements;
        shape_.depth = std::max(shape_.depth, depth);
    }

    void Open(const std::string& name) {
        if (oneOf(name, kVoid)) {
            Count(static_cast<int>(open_.size()) + 1);
            return;
        }
        if (name == "plaintext") {
            at_ = s_.size();  // the rest of the page is its text
        } else if (oneOf(name, kRawText)) {
            SkipRawText(name);
            return;
        }
        while (!open_.empty() && closedBy(open_.back(), name)) open_.pop_back();
        open_.push_back(name);
        Count(static_cast<int>(open_.size()));
        if (name == "table")
            shape_.tableDepth = std::max(shape_.tableDepth, static_cast<int>(std::count(open_.begin(), open_.end(), "table")));
    }

    void Close(const std::string& name) {
        std::size_t top = open_.size();
        while (top > 0 && open_[top - 1] != name && closes(name, open_[top - 1])) --top;
        if (top > 0 && open_[top - 1] == name) open_.resize(top - 1);
    }

    // Whether an end tag of `name` closes the innermost element `open` on its way to its
    // own: those whose end tags may be left out, and inside a table its rows and cells.
    static bool closes(std::string_view name, std::string_view open) {
        if (oneOf(open, kImpliedEnd)) return true;
        if (open == "td" || open == "th") return name == "tr" || oneOf(name, kTableParts) || name == "table";
        if (open == "tr") return oneOf(name, kTableParts) || name == "table";
        return name == "table" && (oneOf(open, kTableParts) || open == "caption" || open == "colgroup");
    }

    // Up to the element's own end tag, in any case; it is an element too while it lasts.
    // A style element's text is kept for its selectors.
    void SkipRawText(const std::string& name) {
        Count(static_cast<int>(open_.size()) + 1);
        const std::size_t from = at_;
        const auto keep = [&](std::size_t end) {
            if (name == "style") shape_.styles.append(s_.substr(from, end - from)).append("\n");
        };
        while (at_ < s_.size()) {
            const std::size_t lt = s_.find("</", at_);
            if (lt == std::string_view::npos) break;
            at_ = lt + 2;
            std::size_t i = 0;
            while (i < name.size() && at_ + i < s_.size() && lower(s_[at_ + i]) == name[i]) ++i;
            const char after = at_ + i < s_.size() ? s_[at_ + i] : '>';
            if (i == name.size() && (isSpace(after) || after == '/' || after == '>')) {
                keep(lt);
                at_ += i;
                SkipTag();
                return;
            }
        }
        keep(s_.size());
        at_ = s_.size();
    }

    std::string_view s_;
    std::size_t at_ = 0;
    std::vector<std::string> open_;
    PageShape shape_;
};

// Whether one selector (no commas) is cheap to try on every element: its parts joined by
// ">" or "+" (each a step to one other element), with at most one blank among them (a
// search of all the ancestors), and no "~" (a search of all the earlier siblings) nor a
// function. Attribute tests in brackets may hold anything.
bool cheapSelector(std::string_view selector, bool& searching) {
    int parts = 0, searches = 0;
    bool inPart = false, blank = false;
    for (std::size_t i = 0; i < selector.size(); ++i) {
        const char c = selector[i];
        if (c == '>' || c == '+') {
            inPart = blank = false;
            continue;
        }
        if (isSpace(c)) {
            blank = inPart;
            inPart = false;
            continue;
        }
        if (c == '[') {
            const std::size_t close = selector.find(']', i);
            if (close == std::string_view::npos) return false;
            i = close;
        } else if (c == '~' || c == '(' || c == ')' || c == '\\') {
            return false;
        }
        if (!inPart) {
            ++parts;
            if (blank) ++searches;
        }
        inPart = true;
        blank = false;
    }
    searching = searches > 0;
    return parts <= 4 && searches <= 1;
}

}  // namespace

PageShape measurePage(std::string_view html, int depthLimit) { return TagReader(html).Measure(depthLimit); }

std::string styleRefusal(std::string_view css, int& selectors, int& searches) {
    // Comments out first; quoted text cannot hide a brace from what follows, as the
    // sheet is read one rule at a time up to its "{" and then past its "}".
    std::string text;
    for (std::size_t i = 0; i < css.size();) {
        if (css.substr(i, 2) == "/*") {
            const std::size_t end = css.find("*/", i + 2);
            i = end == std::string_view::npos ? css.size() : end + 2;
            text += ' ';
        } else {
            text += css[i++];
        }
    }
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find_first_of("{};", at);
        if (open == std::string::npos) break;
        std::string_view prelude = std::string_view(text).substr(at, open - at);
        while (!prelude.empty() && isSpace(prelude.front())) prelude.remove_prefix(1);
        at = open + 1;
        if (text[open] != '{' || prelude.empty()) continue;
        if (prelude.front() == '@') {
            // Rules inside @media and @supports are read as the others; the body of any
            // other at-rule (@font-face, @page) holds no selectors.
            if (prelude.starts_with("@media") || prelude.starts_with("@supports")) continue;
            int depth = 1;
            while (at < text.size() && depth > 0) depth += text[at] == '{' ? 1 : text[at] == '}' ? -1 : 0, ++at;
            continue;
        }
        for (std::size_t from = 0; from <= prelude.size();) {
            const std::size_t comma = std::min(prelude.find(',', from), prelude.size());
            ++selectors;
            bool searching = false;
            if (!cheapSelector(prelude.substr(from, comma - from), searching))
                return "its style sheets use the selector \"" + std::string(prelude.substr(0, 60)) +
                       "\", which is too costly: at most four parts, one search of the ancestors, "
                       "no \"~\" nor functions";
            if (searching) ++searches;
            from = comma + 1;
        }
        const std::size_t close = text.find('}', at);
        at = close == std::string::npos ? text.size() : close + 1;
    }
    if (selectors > kMostSelectors)
        return "its style sheets have more than " + std::to_string(kMostSelectors) + " selectors";
    return {};
}

bool searchesFit(const PageShape& page, int moreSearches) {
    const long searches = page.searches + moreSearches + kMasterSearches;
    return searches * page.elements * page.depth <= kMostSearchSteps;
}

std::string pageRefusal(std::string_view html, PageShape* measured) {
    if (html.size() > kMostPageBytes)
        return "it is larger than " + std::to_string(kMostPageBytes >> 10) + " KB; larger pages are not shown";
    PageShape shape = measurePage(html, kDeepestNesting);
    std::string why;
    if (shape.depth > kDeepestNesting)
        why = "its elements are nested more than " + std::to_string(kDeepestNesting) +
              " deep; deeper pages are not shown";
    else if (shape.elements > kMostElements)
        why = "it has more than " + std::to_string(kMostElements) + " elements; larger pages are not shown";
    else if (shape.tableDepth > kDeepestTables)
        why = "its tables are nested more than " + std::to_string(kDeepestTables) + " deep";
    else
        why = styleRefusal(shape.styles, shape.selectors, shape.searches);
    if (why.empty() && !searchesFit(shape, 0))
        why = "its " + std::to_string(shape.searches) + " selectors that search the ancestors of its " +
              std::to_string(shape.elements) + " elements, " + std::to_string(shape.depth) + " deep, are too costly";
    if (measured) *measured = std::move(shape);
    return why;
}

}  // namespace tk
