// The bounds on a help page: deep nesting and sheer size are refused before layout, however the page hides them, and the shipped pages pass.
#include "platform/page_bounds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/html_view.h"
#include "ui/texts.h"

namespace {

int nestingDepth(const std::string& html, int limit) { return tk::measurePage(html, limit).depth; }

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

std::string readShipped(const char* name) {
    std::ifstream in(std::string(TK_DATA_DIR) + "/help/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PageBounds, NestingIsCountedAsTheParserBuildsIt) {
    struct Case {
        std::string html;
        int depth;
    };
    const Case cases[] = {
        {"", 0},
        {"plain text < 3 and a < b", 0},
        {"<div><p>x</p></div>", 2},
        {repeat("<div></div>", 1000), 1},
        {"<ul>" + repeat("<li>item", 500) + "</ul>", 2},               // list items close each other
        {"<div>" + repeat("<p>para", 500) + "</div>", 2},              // and so do paragraphs
        {"<table>" + repeat("<tr><td>a<td>b", 300) + "</table>", 3},  // and rows and cells
        {repeat("<table><tbody><tr><td>a<td>b</table>", 300), 4},     // and the end of a table all inside it
        {"<DIV><Span>x</SPAN></div>", 2},                             // in any case
        {"<div>" + repeat("<br><img src=x><hr/><meta>", 300) + "</div>", 2},
        {"<p class='a>b <div>' title=\"<div>\">x</p>", 1},            // markup inside quoted values
        {"<div><!-- <div><div> --><!--><!---><div></div></div>", 2},  // comments, even odd ones
        {"<div><!doctype html><?xml x?></div>", 1},
        // Scripts and styles are text to the parser, whatever they hold.
        {"<style>div > p {}</style><script>if (a<b) w(\"<div><div>\")</SCRIPT><p>x</p>", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html.substr(0, 60));
        EXPECT_EQ(nestingDepth(c.html, 1000), c.depth);
    }
}

TEST(PageBounds, HiddenNestingIsNeverCountedShallowerThanItIs) {
    const int deep = tk::kDeepestNesting + 1;
    const std::string pages[] = {
        repeat("<div>", deep),
        repeat("<div>", deep) + repeat("</div>", deep),
        repeat("<x-tag>", deep),
        repeat("<div/>", deep),  // a self-closed div is still open in HTML
        // End tags hidden where the parser sees only text: they close nothing.
        repeat("<div><script></div></script>", deep),
        repeat("<div><style>p{}</div></style>", deep),
        repeat("<div><textarea></div></TEXTAREA >", deep),
        repeat("<div><!-- </div> -->", deep),
        repeat("<div><p title='</div>'>", deep),
        // An end tag that does not name the innermost element closes nothing here.
        repeat("<div><table><tr><td></div>", deep),
        repeat("<b><div></b>", deep),
        repeat("<ul><li></div>", deep),
    };
    for (const std::string& page : pages) {
        SCOPED_TRACE(page.substr(0, 60));
        EXPECT_GT(nestingDepth(page, tk::kDeepestNesting), tk::kDeepestNesting);
        EXPECT_FALSE(tk::pageRefusal(page).empty());
    }
    // Counting stops soon past the limit, however deep the page goes.
    EXPECT_LE(nestingDepth(repeat("<div>", 100000), 200), 201);
    // And every element counts, also the void ones and those that close themselves.
    EXPECT_EQ(tk::measurePage(repeat("<br><img><li>x", 100) + repeat("<p>a</p>", 50), 200).elements, 350);
}

TEST(PageBounds, ThePagesShippedPassAndTheBoundsRefuseWithAReason) {
    for (const char* name : {"help.html", "napoveda.html"}) {
        const std::string page = readShipped(name);
        ASSERT_FALSE(page.empty()) << name;
        EXPECT_LT(nestingDepth(page, 1000), 30) << name;
        EXPECT_EQ(tk::pageRefusal(page), "") << name;
    }
    EXPECT_EQ(tk::pageRefusal(repeat("<div>", tk::kDeepestNesting)), "");
    EXPECT_NE(tk::pageRefusal(repeat("<div>", tk::kDeepestNesting + 1)).find("nested more than 200 deep"),
              std::string::npos);
    EXPECT_EQ(tk::pageRefusal(std::string(tk::kMostPageBytes, 'x')), "");
    EXPECT_NE(tk::pageRefusal(std::string(tk::kMostPageBytes + 1, 'x')).find("larger than 32 KB"), std::string::npos);
    EXPECT_EQ(tk::pageRefusal(repeat("<br>", tk::kMostElements)), "");
    EXPECT_NE(tk::pageRefusal(repeat("<p>x</p>", tk::kMostElements + 1)).find("more than 1000 elements"),
              std::string::npos);
    // Tables inside tables cost twice or more at each step.
    EXPECT_EQ(tk::pageRefusal(repeat("<table><tr><td>", tk::kDeepestTables)), "");
    EXPECT_NE(tk::pageRefusal(repeat("<table><tr><td>", tk::kDeepestTables + 1)).find("tables are nested more than 4"),
              std::string::npos);
    EXPECT_EQ(tk::pageRefusal(repeat("<table><tr><td>x</table>", 100)), "") << "tables one after another";
}

TEST(PageBounds, OnlyCheapSelectorsAndNotTooManyOfThemAreUsed) {
    int selectors = 0, searches = 0;
    const std::string shipped = [] {
        std::ifstream in(std::string(TK_DATA_DIR) + "/help/help.css", std::ios::binary);
        return std::string{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }();
    EXPECT_EQ(tk::styleRefusal(shipped, selectors, searches), "");
    EXPECT_GT(selectors, 30);
    EXPECT_EQ(searches, 6) << "table.keys td, its td.what, table.tiles td, td.cell img, .me div, .me img";
    const std::string cheap[] = {"p{}", "h1, h2 {x:y}", "table.keys td { a: b }", "a:link{}", "ul > li + li {}", "table.keys td > b + i {}",
                                 "[title~='a b c d'] {}", "@media screen { div p { } } p{}", "/* a b c { */ p {}",
                                 "@font-face { src: x } p {}"};
    for (const std::string& css : cheap) {
        selectors = 0;
        EXPECT_EQ(tk::styleRefusal(css, selectors, searches), "") << css;
    }
    const std::string costly[] = {"span div div {}", "a ~ b {}", "a > b c d {}", "a + b + c + d + e {}", "p:not(.x) {}", "li:nth-child(2n) {}",
                                  "p, a b > c d {}", "@media print { a b c {} }", "a\\ b c {}"};
    for (const std::string& css : costly) {
        selectors = 0;
        EXPECT_NE(tk::styleRefusal(css, selectors, searches), "") << css;
    }
    selectors = 0;
    EXPECT_EQ(tk::styleRefusal(repeat("p{}", tk::kMostSelectors), selectors, searches), "");
    EXPECT_NE(tk::styleRefusal("a{}", selectors, searches).find("more than 60 selectors"), std::string::npos);
    // A page's own style element is counted as the page's.
    EXPECT_NE(tk::pageRefusal("<style>span div div div {color:red}</style><div>x</div>"), "");
    EXPECT_EQ(tk::pageRefusal("<STYLE>div p {color:red}</STYLE><div><p>x</p></div>"), "");
    // Selectors that search the ancestors cost the elements times the depth, all together.
    const std::string deep = repeat(repeat("<div>", 190) + repeat("</div>", 190), 5);
    EXPECT_EQ(tk::pageRefusal("<style>x div {}</style>" + deep), "");
    tk::PageShape shape;
    const std::string why = tk::pageRefusal("<style>" + repeat("x div {}", 20) + "</style>" + deep, &shape);
    EXPECT_NE(why.find("20 selectors that search the ancestors of its 951 elements, 190 deep"), std::string::npos)
        << why;
    EXPECT_EQ(shape.searches, 20);
}

TEST(PageBounds, TheViewSaysARefusedPageCannotBeShownAndWhy) {
    const std::string folder = testing::TempDir();
    const std::string path = folder + "/deep.html";
    std::ofstream(path, std::ios::binary) << repeat("<div>", 5000) << "x";
    tk::HtmlView view;
    EXPECT_FALSE(view.Load(path, 770)) << "refused before it is laid out";
    EXPECT_EQ(view.ContentHeight(), 0);
    const std::string why = view.LoadOrSay(path, 770, tk::texts::helpPageMissing(false), tk::texts::helpPageRefused(false));
    EXPECT_NE(why.find(path), std::string::npos) << why;
    EXPECT_NE(why.find("nested more than 200 deep"), std::string::npos) << why;
    const std::vector<std::string> lines = view.TextLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "The help page cannot be shown.");
    EXPECT_EQ(lines[1], path);

    // A page that is merely missing says so, and nothing goes to standard error for it.
    EXPECT_EQ(view.LoadOrSay(folder + "/none.html", 770, "Missing.", "Refused."), "");
    EXPECT_EQ(view.TextLines(), (std::vector<std::string>{"Missing.", folder + "/none.html"}));
    std::remove(path.c_str());
}

}  // namespace
