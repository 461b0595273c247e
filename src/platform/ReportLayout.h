#pragma once
// The printed documents of the suite (shipment batches, settlement
// statements, contracts …) as data, and their layout into pages.
//
// A document is a title block, one table (columns with a heading, a width in
// points and an alignment) and a list of items: table rows, group headings,
// totals and free text. LayOut places it on US Letter pages as text runs and
// rules, in points (1/72 inch) from the sheet's top-left corner. Every page
// repeats the title and the column headings and ends with "Page N of M".
//
// Character widths: every run is set in one monospaced font whose advance is
// kCharWidthEm of its size (the painter uses the same face and size). Text
// longer than its column is wrapped at spaces onto further lines, a word
// longer than the column is broken, so no run is ever wider than its column
// and nothing is drawn over the next one.
#include <string>
#include <utility>
#include <vector>

namespace hvx::report {

// The advance of one character of the monospaced face, in ems. The face's own
// advance is a little under 0.61 em; the layout reckons with 0.62 so a run
// drawn by any renderer stays inside what the layout gave it.
inline constexpr double kCharWidthEm = 0.62;

enum class Align { Left, Right, Center };

struct Column {
    std::string heading;
    double width = 0;  // points
    Align align = Align::Left;
};

struct Item {
    enum class Kind {
        Row,      // one cell per column (missing cells are empty)
        Group,    // a bold heading across the table, kept with the row after it
        Total,    // a bold row below a rule
        Text,     // a paragraph across the table
        Space,    // half a line of space
    };
    Kind kind = Kind::Row;
    std::vector<std::string> cells;  // Row, Total
    std::string text;                // Group, Text
    // Row, Total: the first cell spans this many columns (a label across the
    // descriptive columns); the cells it covers are not drawn.
    std::size_t labelSpan = 1;

    static Item Row(std::vector<std::string> cells, std::size_t span = 1) {
        return {Kind::Row, std::move(cells), {}, span};
    }
    static Item Total(std::vector<std::string> cells, std::size_t span = 1) {
        return {Kind::Total, std::move(cells), {}, span};
    }
    static Item Group(std::string text) { return {Kind::Group, {}, std::move(text), 1}; }
    static Item Text(std::string text) { return {Kind::Text, {}, std::move(text), 1}; }
    static Item Space() { return {Kind::Space, {}, {}, 1}; }
};

struct Document {
    std::string title;
    std::vector<std::string> titleBlock;  // lines under the title on the first page
    std::vector<Column> columns;
    std::vector<Item> items;
    bool landscape = false;
    double fontSize = 8;  // points, table and text
};

struct TextRun {
    double x = 0, y = 0;  // top-left corner of the run's box
    double width = 0;     // the box the run is aligned in
    double size = 0;      // font size in points
    bool bold = false;
    Align align = Align::Left;
    std::string text;
};

struct Rule {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Page {
    std::vector<TextRun> runs;
    std::vector<Rule> rules;
};

struct Layout {
    double width = 0, height = 0;  // the sheet, in points
    std::string title;
    std::vector<Page> pages;
};

inline constexpr double kMargin = 36;
inline constexpr double kLineFactor = 1.25;  // line height in font sizes

// Characters (UTF-8 code points) in text.
std::size_t CharCount(const std::string& text);

// The width in points that text takes at size.
double TextWidth(const std::string& text, double size);

// The lines text takes in a box of width points at size: wrapped at spaces,
// a longer word broken, never an empty result (an empty text is one empty
// line).
std::vector<std::string> Wrap(const std::string& text, double width, double size);

Layout LayOut(const Document& document);

}  // namespace hvx::report
