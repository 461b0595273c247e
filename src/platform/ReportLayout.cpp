#include "platform/ReportLayout.h"

#include <algorithm>
#include <cmath>

namespace hvx::report {
namespace {

constexpr double kTitleSize = 12;
constexpr double kCellGap = 4;  // blank space kept at the right of every cell

bool Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// The first count characters of text (whole UTF-8 sequences).
std::size_t BytesOf(const std::string& text, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if (Continuation(static_cast<unsigned char>(text[i]))) continue;
        if (seen++ == count) break;
    }
    return i;
}

std::size_t Fitting(double width, double size) {
    return std::max<std::size_t>(1, static_cast<std::size_t>(width / (kCharWidthEm * size)));
}

void WrapParagraph(std::string rest, std::size_t fit, std::vector<std::string>& lines) {
    while (CharCount(rest) > fit) {
        const std::size_t limit = BytesOf(rest, fit);
        // Break at the last space that keeps the line within the column; a
        // word longer than the column is broken where the column ends.
        const std::size_t space = rest.rfind(' ', limit);
        const bool atSpace = space != std::string::npos && space > 0;
        std::string line = rest.substr(0, atSpace ? space : limit);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        lines.push_back(line);
        rest.erase(0, atSpace ? space + 1 : limit);
        while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
    }
    lines.push_back(rest);
}

struct Geometry {
    double width, height, bodyBottom, lineHeight;
    std::vector<double> x, w;  // column left edges and widths
};

Geometry GeometryOf(const Document& d) {
    Geometry g;
    g.width = d.landscape ? 792 : 612;
    g.height = d.landscape ? 612 : 792;
    g.lineHeight = d.fontSize * kLineFactor;
    g.bodyBottom = g.height - kMargin - 2 * g.lineHeight;
    double total = 0;
    for (const Column& c : d.columns) total += c.width;
    // Columns wider than the sheet together are narrowed in proportion.
    const double usable = g.width - 2 * kMargin;
    const double scale = total > usable ? usable / total : 1;
    double x = kMargin;
    for (const Column& c : d.columns) {
        g.x.push_back(x);
        g.w.push_back(c.width * scale);
        x += c.width * scale;
    }
    return g;
}

class Pager {
public:
    Pager(const Document& d, Layout& out) : d_(d), g_(GeometryOf(d)), out_(out) {
        out_.width = g_.width;
        out_.height = g_.height;
        out_.title = d.title;
    }

    void Run() {
        StartPage();
        for (std::size_t i = 0; i < d_.items.size(); ++i) Place(i);
        Footers();
    }

private:
    double FullWidth() const { return g_.width - 2 * kMargin; }

    Page& Current() { return out_.pages.back(); }

    void Text(double x, double width, Align align, bool bold, double size, const std::string& t) {
        Current().runs.push_back({x, y_, width, size, bold, align, t});
    }

    void Line(double y) { Current().rules.push_back({kMargin, y, g_.width - kMargin, y}); }

    // Title on every page, the title block on the first only, then the column
    // headings.
    void StartPage() {
        out_.pages.emplace_back();
        y_ = kMargin;
        for (const std::string& line : Wrap(d_.title, FullWidth(), kTitleSize)) {
            Text(kMargin, FullWidth(), Align::Left, true, kTitleSize, line);
            y_ += kTitleSize * kLineFactor;
        }
        if (out_.pages.size() == 1)
            for (const std::string& block : d_.titleBlock)
                for (const std::string& line : Wrap(block, FullWidth(), d_.fontSize)) {
                    Text(kMargin, FullWidth(), Align::Left, false, d_.fontSize, line);
                    y_ += g_.lineHeight;
                }
        y_ += g_.lineHeight / 2;
        std::vector<std::string> headings;
        for (const Column& c : d_.columns) headings.push_back(c.heading);
        PlaceCells(headings, true);
        Line(y_ + 1);
        y_ += 3;
        top_ = y_;
    }

    // The width of the cell that starts at column c: a spanning label takes
    // the columns it covers.
    double CellWidth(std::size_t c, std::size_t span) const {
        double width = 0;
        for (std::size_t i = c; i < std::min(c + span, g_.w.size()); ++i) width += g_.w[i];
        return width - kCellGap;
    }

    // The wrapped lines of each cell; a column covered by the label has none.
    std::vector<std::vector<std::string>> CellLines(const std::vector<std::string>& cells,
                                                    std::size_t span = 1) const {
        std::vector<std::vector<std::string>> lines;
        for (std::size_t c = 0; c < g_.w.size(); ++c) {
            if (c > 0 && c < span) {
                lines.emplace_back();
                continue;
            }
            lines.push_back(Wrap(c < cells.size() ? cells[c] : "",
                                 CellWidth(c, c == 0 ? span : 1), d_.fontSize));
        }
        return lines;
    }

    void PlaceCells(const std::vector<std::string>& cells, bool bold, std::size_t span = 1) {
        std::size_t tallest = 1;
        const auto lines = CellLines(cells, span);
        for (std::size_t c = 0; c < lines.size(); ++c) {
            const double start = y_;
            for (const std::string& line : lines[c]) {
                Text(g_.x[c], CellWidth(c, c == 0 ? span : 1), d_.columns[c].align, bold,
                     d_.fontSize, line);
                y_ += g_.lineHeight;
            }
            tallest = std::max(tallest, lines[c].size());
            y_ = start;
        }
        y_ += tallest * g_.lineHeight;
    }

    double Height(const Item& item) const {
        switch (item.kind) {
            case Item::Kind::Row:
            case Item::Kind::Total: {
                std::size_t tallest = 1;
                for (const auto& lines : CellLines(item.cells, item.labelSpan))
                    tallest = std::max(tallest, lines.size());
                return tallest * g_.lineHeight + (item.kind == Item::Kind::Total ? 3 : 0);
            }
            case Item::Kind::Group:
            case Item::Kind::Text:
                return Wrap(item.text, FullWidth(), d_.fontSize).size() * g_.lineHeight;
            case Item::Kind::Space: return g_.lineHeight / 2;
        }
        return 0;
    }

    // A new page when the height does not fit under what is placed; a page
    // that holds nothing yet takes anything, so an overlong item cannot loop.
    void Room(double height) {
        if (y_ + height > g_.bodyBottom && y_ > top_) StartPage();
    }

    void Place(std::size_t index) {
        const Item& item = d_.items[index];
        switch (item.kind) {
            case Item::Kind::Space:
                if (y_ > top_) y_ += Height(item);
                return;
            case Item::Kind::Row:
                Room(Height(item));
                return PlaceCells(item.cells, false, item.labelSpan);
            case Item::Kind::Total:
                Room(Height(item));
                Line(y_ + 1);
                y_ += 3;
                return PlaceCells(item.cells, true, item.labelSpan);
            case Item::Kind::Group: {
                // A heading is never left alone at the foot of a page.
                const double next = index + 1 < d_.items.size() ? Height(d_.items[index + 1]) : 0;
                Room(Height(item) + next);
                return PlaceParagraph(item.text, true);
            }
            case Item::Kind::Text: return PlaceParagraph(item.text, false);
        }
    }

    void PlaceParagraph(const std::string& text, bool bold) {
        for (const std::string& line : Wrap(text, FullWidth(), d_.fontSize)) {
            Room(g_.lineHeight);
            Text(kMargin, FullWidth(), Align::Left, bold, d_.fontSize, line);
            y_ += g_.lineHeight;
        }
    }

    void Footers() {
        const std::size_t count = out_.pages.size();
        for (std::size_t n = 0; n < count; ++n) {
            y_ = g_.height - kMargin - g_.lineHeight;
            out_.pages[n].runs.push_back({kMargin, y_, FullWidth(), d_.fontSize, false,
                                          Align::Right,
                                          "Page " + std::to_string(n + 1) + " of " +
                                              std::to_string(count)});
        }
    }

    const Document& d_;
    Geometry g_;
    Layout& out_;
    double y_ = 0;
    double top_ = 0;  // where the body of the current page starts
};

}  // namespace

std::size_t CharCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return !Continuation(static_cast<unsigned char>(c));
    }));
}

double TextWidth(const std::string& text, double size) {
    return CharCount(text) * kCharWidthEm * size;
}

std::vector<std::string> Wrap(const std::string& text, double width, double size) {
    const std::size_t fit = Fitting(width, size);
    std::vector<std::string> lines;
    std::size_t start = 0;
    // A line break in the text always starts a new line.
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        WrapParagraph(text.substr(start, end - start), fit, lines);
    WrapParagraph(text.substr(start), fit, lines);
    return lines;
}

Layout LayOut(const Document& document) {
    Layout out;
    Pager(document, out).Run();
    return out;
}

}  // namespace hvx::report
