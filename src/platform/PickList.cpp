#include "platform/PickList.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>

#include "platform/Dates.h"
#include "platform/HVXSConnection.h"
#include "platform/KeyOrder.h"
#include "platform/Lookups.h"
#include "platform/Statements.h"
#include "platform/Text.h"

namespace hvx {
namespace {

std::vector<std::string> SplitCommas(std::string_view list) {
    std::vector<std::string> items;
    size_t start = 0;
    while (true) {
        const size_t comma = list.find(',', start);
        std::string item(
            list.substr(start, comma == std::string_view::npos ? comma : comma - start));
        TRIM(item);
        items.push_back(std::move(item));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return items;
}

bool ReadInt(const std::string& text, int& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ReadFlag(int value, PickFlag& out) {
    switch (value) {
        case 0:
        case -1:
        case -3:
        case -4:
        case -5: out = static_cast<PickFlag>(value); return true;
        default: return false;
    }
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// Dates sort by day, not by their "MM/DD/YYYY" text; a text that is no date
// sorts first.
long DateKey(const std::string& text) {
    CivilDate d;
    return ParseDate(text, d) ? DaysFromCivil(d) : -1000000;
}

}  // namespace

bool ParsePickColumns(std::string_view list, std::vector<PickColumn>& out, std::string& error) {
    out.clear();
    std::string whole(list);
    TRIM(whole);
    if (whole.empty()) {
        error = "Column list is empty.";
        return false;
    }
    const std::vector<std::string> items = SplitCommas(list);
    std::vector<PickColumn> parsed;
    if (items.size() % 4 != 0) {
        error = "Column list \"" + whole + "\" is not in groups of four.";
        return false;
    }
    for (size_t i = 0; i < items.size(); i += 4) {
        PickColumn column;
        column.name = items[i];
        column.title = items[i + 1];
        const std::string where =
            " of column " + std::to_string(i / 4 + 1) + " in \"" + std::string(list) + "\"";
        if (!IsSqlName(column.name)) {
            error = "Bad column name \"" + column.name + "\"" + where + ".";
            return false;
        }
        if (!ReadInt(items[i + 2], column.width) || column.width <= 0) {
            error = "Bad width \"" + items[i + 2] + "\"" + where + ".";
            return false;
        }
        int flag = 0;
        if (!ReadInt(items[i + 3], flag) || !ReadFlag(flag, column.flag)) {
            error = "Bad flag \"" + items[i + 3] + "\"" + where + ".";
            return false;
        }
        parsed.push_back(std::move(column));
    }
    out = std::move(parsed);
    return true;
}

bool PickList::Load(std::string_view columns, std::string_view select, std::string_view keyColumn,
                    std::string& error) {
    rows_.clear();
    key_ = 0;
    if (!ParsePickColumns(columns, columns_, error)) return false;
    for (size_t i = 0; i < columns_.size(); ++i)
        if (!keyColumn.empty() && columns_[i].name == keyColumn) key_ = static_cast<int>(i);

    const int shown = static_cast<int>(columns_.size());
    HVXSConnection connection;
    LiteralStatements sql(connection);
    std::vector<SqlRow> read;
    // The select is the caller's text, handed over as a value so that a '%'
    // in it (a LIKE pattern) reaches the engine as written.
    if (!sql.Query({"%s"}, {select}, shown + 1, read)) {
        error = "The list could not be read: " + sql.LastError();
        return false;
    }
    for (SqlRow& cells : read) {
        PickRow row;
        // STR(RECNO) follows the shown columns; a row without it means the
        // select and the column list do not agree.
        std::string recno = std::move(cells.back());
        cells.pop_back();
        row.cells = std::move(cells);
        TRIM(recno);
        char* end = nullptr;
        row.recno = std::strtod(recno.c_str(), &end);
        if (recno.empty() || *end != '\0' || row.recno <= 0) {
            error = "The list's select does not return " + std::to_string(shown) +
                    " columns followed by STR(RECNO).";
            rows_.clear();
            return false;
        }
        rows_.push_back(std::move(row));
    }

    const int k = key_;
    if (columns_[k].flag == PickFlag::Date) {
        std::stable_sort(rows_.begin(), rows_.end(), [k](const PickRow& a, const PickRow& b) {
            return DateKey(a.cells[k]) < DateKey(b.cells[k]);
        });
    } else {
        std::stable_sort(rows_.begin(), rows_.end(), [k](const PickRow& a, const PickRow& b) {
            return KeyLess(a.cells[k], b.cells[k]);
        });
    }
    return true;
}

const std::string& PickList::KeyText(int row) const {
    return rows_.at(row).cells.at(key_);
}

int PickList::RowFor(std::string_view start) const {
    const std::string wanted = Lower(start);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const std::string& key = rows_[i].cells[key_];
        if (key.size() >= wanted.size() && Lower(key.substr(0, wanted.size())) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace hvx
