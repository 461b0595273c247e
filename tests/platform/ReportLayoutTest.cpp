// The document layout: wrapping within a column, and pages that each carry
// the title, the column headings and "Page N of M", with no run wider than
// the box it is drawn in.
#include "platform/ReportLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace hvx::report;

TEST(ReportLayout, WrapsAtSpacesAndBreaksOverlongWordsWithinTheWidth) {
    const double size = 10, ten = 10 * kCharWidthEm * size;  // room for ten characters
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {""}},
        {"exactly 10", {"exactly 10"}},
        {"O'Neil & Sons Farms", {"O'Neil &", "Sons Farms"}},
        {"ABCDEFGHIJKLMNO", {"ABCDEFGHIJ", "KLMNO"}},
        {"a  b\nccc", {"a  b", "ccc"}},
        {"déjà vu déjà vu", {"déjà vu", "déjà vu"}},  // characters, not bytes
    };
    for (const auto& c : cases) EXPECT_EQ(Wrap(c.text, ten, size), c.lines) << c.text;
}

TEST(ReportLayout, PaginatesWithHeadingsOnEveryPageAndKeepsRunsInTheirColumns) {
    Document d{"Statement", {"Customer: A very long customer name & co"}, {}, {}, false, 8};
    d.columns = {{"Description", 80, Align::Left}, {"Amount", 60, Align::Right}};
    for (int i = 0; i < 60; ++i)
        d.items.push_back(Item::Row({"Line " + std::to_string(i) + " of a long text", "1.00"}));
    d.items.push_back(Item::Group("Totals"));
    d.items.push_back(Item::Total({"Net", "60.00"}));
    const Layout layout = LayOut(d);

    ASSERT_GE(layout.pages.size(), 2u);
    int rowsPlaced = 0;
    for (std::size_t n = 0; n < layout.pages.size(); ++n) {
        int headings = 0, footers = 0;
        for (const TextRun& run : layout.pages[n].runs) {
            EXPECT_LE(TextWidth(run.text, run.size), run.width) << run.text;
            EXPECT_GE(run.x, kMargin);
            EXPECT_LE(run.x + run.width, layout.width - kMargin);
            EXPECT_LE(run.y + run.size * kLineFactor, layout.height - kMargin) << run.text;
            headings += run.bold && (run.text == "Description" || run.text == "Amount");
            footers += run.text == "Page " + std::to_string(n + 1) + " of " +
                                       std::to_string(layout.pages.size());
            rowsPlaced += run.text.rfind("Line ", 0) == 0;
        }
        EXPECT_EQ(headings, 2) << "page " << n + 1;
        EXPECT_EQ(footers, 1) << "page " << n + 1;
    }
    EXPECT_EQ(rowsPlaced, 60) << "each row's first line once, none lost at a page break";
    // The heading "Totals" is kept on the page of the total it heads.
    const auto& last = layout.pages.back().runs;
    EXPECT_TRUE(std::any_of(last.begin(), last.end(), [](const TextRun& r) { return r.text == "Totals"; }));
}

}  // namespace
