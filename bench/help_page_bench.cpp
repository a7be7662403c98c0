// How long the help view takes to lay out a page: the shipped ones, the refused ones, and the worst pages within the bounds it keeps (target: 100 ms each).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/html_view.h"
#include "platform/page_bounds.h"

namespace {

// `piece` again and again, up to `bytes`.
std::string upTo(const std::string& piece, std::size_t bytes) {
    std::string out;
    while (out.size() + piece.size() <= bytes) out += piece;
    return out;
}

std::string times(const std::string& piece, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += piece;
    return out;
}

std::string shipped(const char* name) {
    std::ifstream in(std::string(TK_DATA_DIR) + "/help/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string deepest() {
    std::string page = "<html><body>";
    for (int i = 0; i < tk::kDeepestNesting - 2; ++i) page += "<div style='margin-left:1px'>" + std::to_string(i);
    return page + "</body></html>";
}

// `count` selectors, each searching the ancestors of every element the `right` part
// matches, for an ancestor that is never there.
std::string searches(int count, const std::string& right) {
    std::string sheet = "<style>";
    for (int i = 0; i < count; ++i) sheet += "x" + std::to_string(i) + " " + right + " {color:red}\n";
    return sheet + "</style>";
}

constexpr std::size_t kFill = tk::kMostPageBytes - 4096;
constexpr std::size_t kElements = tk::kMostElements - 10;

// Loads the page from a file and lays it out at the help view's width, as opening help does.
void LayOut(benchmark::State& state, const std::string& page) {
    const std::string path = "/tmp/tramolkulap-bench-page.html";
    std::ofstream(path, std::ios::binary) << page;
    for (auto _ : state) {
        tk::HtmlView view;
        view.Load(path, 770);
        benchmark::DoNotOptimize(view.ContentHeight());
    }
    std::remove(path.c_str());
    const tk::PageShape shape = tk::measurePage(page, tk::kDeepestNesting);
    state.counters["KB"] = static_cast<double>(page.size()) / 1024;
    state.counters["elements"] = shape.elements;
    state.counters["depth"] = shape.depth;
}

}  // namespace

BENCHMARK_CAPTURE(LayOut, ShippedEnglish, shipped("help.html"));
BENCHMARK_CAPTURE(LayOut, ShippedCzech, shipped("napoveda.html"));
// Refused before layout.
BENCHMARK_CAPTURE(LayOut, NestedDeeperRefused, times("<div>", 10000));
BENCHMARK_CAPTURE(LayOut, LargerRefused, upTo("<p>x</p>", 1 << 20));
BENCHMARK_CAPTURE(LayOut, TablesNestedDeeperRefused, times("<table><tr><td>", 12) + "water");
BENCHMARK_CAPTURE(LayOut, CostlySelectorRefused,
                  "<style>span div div div div div div div div {color:red}</style>" + times("<div>", 190));
// The worst within the bounds.
BENCHMARK_CAPTURE(LayOut, NestedToTheBound, deepest());
BENCHMARK_CAPTURE(LayOut, AllText, "<p>" + upTo("water flows ", kFill));
BENCHMARK_CAPTURE(LayOut, AllParagraphs, times("<p>" + upTo("water flows ", 32) + "</p>", kElements));
BENCHMARK_CAPTURE(LayOut, AllTableCells, "<table>" + times("<tr><td>water flows<td>on and on", kElements / 3));
BENCHMARK_CAPTURE(LayOut, AllInlineBlocks,
                  "<style>b{display:inline-block}</style>" + times("<b>water</b> ", kElements));
BENCHMARK_CAPTURE(LayOut, AllFloats, "<style>b{float:left}</style>" + times("<b>water</b>", kElements));
BENCHMARK_CAPTURE(LayOut, AllSelectorsOnEveryElement,
                  searches(tk::kMostSelectors, "p") + times("<p>water flows</p>", kElements));
// As many searches as the bound on their work lets through, in elements nested as deep as allowed.
BENCHMARK_CAPTURE(LayOut, SearchesThroughDeepElements,
                  searches(static_cast<int>(tk::kMostSearchSteps / (kElements * 190)) - tk::kMasterSearches, "div") +
                      times(times("<div>", 190) + "w" + times("</div>", 190), kElements / 190));
BENCHMARK_CAPTURE(LayOut, AllTextInDeepElements,
                  times(times("<div>", 190) + upTo("water flows ", (kFill - 8192) / (kElements / 190)) + times("</div>", 190),
                        kElements / 190));
BENCHMARK_CAPTURE(LayOut, TablesNestedToTheBound,
                  times(times("<table><tr><td>", tk::kDeepestTables) + "water" + times("</table>", tk::kDeepestTables),
                        kElements / (3 * tk::kDeepestTables)));
