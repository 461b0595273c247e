#include "search/SearchResults.h"

#include <algorithm>
#include <cstring>

#include "platform/Dates.h"
#include "platform/Text.h"

namespace hvx::search {

namespace {

constexpr std::size_t kBlockBytes = 1 << 20;
// The search reads its columns into 49-byte buffers, the status and the
// reversed flag into 19-byte ones.
constexpr std::size_t kColumnBytes = 48;
constexpr std::size_t kFlagBytes = 18;
constexpr int kCheckAmtField = kSearchColumnCount;
constexpr int kCheckNumField = kSearchColumnCount + 1;

// At most max bytes of text, not ending inside a character.
std::string_view Cut(std::string_view text, std::size_t max) {
    if (text.size() <= max) return text;
    std::size_t end = max;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// The field of the row a cell shows, or -1 for a cell derived from others.
constexpr std::array<int, kSearchCellCount> kFieldOfCell{
    -1, kColSettlement, kColCustRef, kColCustName, kColSetDate, kColSource, kColSourceRef,
    kColToDpr, kColContract, kColCommodity, -1, kColPosted, -1, kColUnits, kCheckAmtField,
    kCheckNumField, -1, kColRecno, kColReversed};

enum class SortKind { Text, Number, Date };

SortKind SortKindOf(int cell) {
    switch (cell) {
        case kCellSettlement: case kCellUnits: case kCellCheckAmt: case kCellLink:
            return SortKind::Number;
        case kCellDate:
            return SortKind::Date;
        default:
            return SortKind::Text;
    }
}

// A "MM/DD/YYYY" date as a number that sorts as the date does; 0 for no date.
double DateKey(std::string_view text) {
    CivilDate date;
    if (!ParseDate(text, date)) return 0;
    return date.year * 10000.0 + date.month * 100.0 + date.day;
}

}  // namespace

const std::array<SearchCellInfo, kSearchCellCount>& SearchCells() {
    static const std::array<SearchCellInfo, kSearchCellCount> cells{{
        {"", 0, 0, 0},
        {"Sett #", 20, 30, 0},
        {"Cust Ref.", 24, 30, 0},
        {"Cust Name", 60, 40, 0},
        {"Date", 34, 30, 0},
        {"Source", 30, 30, 0},
        {"Source Ref", 30, 30, 0},
        {"To DPR", 30, 30, 0},
        {"Contract", 30, 30, 0},
        {"Commodity", 25, 30, 0},
        {"Rev", 15, 30, 0},
        {"Posted", 20, 30, 0},
        {"Status", 20, 5, 0},
        {"Units", 30, 30, 0},
        {"Check Amount", 40, 30, 128},
        {"Check #", 40, 30, 0},
        {"Settlement Type", 140, 50, 0},
        {"Link", 40, 50, 32},
        {"Reversed", 40, 5, 32},
    }};
    return cells;
}

int CellOfColumn(int column) {
    for (int cell = 0; cell < kSearchCellCount; ++cell)
        if (kFieldOfCell[cell] == column) return cell;
    return kNoCell;
}

SearchResults::SearchResults() = default;
SearchResults::~SearchResults() = default;

void SearchResults::Append(const FetchedLine& line, int highlighted, std::string_view checkAmt,
                           std::string_view checkNum) {
    std::array<std::string_view, kSearchColumnCount + 2> fields;
    std::size_t bytes = 0;
    for (int i = 0; i < kSearchColumnCount; ++i) {
        const bool flag = i == kColStatus || i == kColReversed;
        fields[i] = Cut(line[i], flag ? kFlagBytes : kColumnBytes);
        bytes += fields[i].size();
    }
    fields[kCheckAmtField] = Cut(checkAmt, kColumnBytes);
    fields[kCheckNumField] = Cut(checkNum, kColumnBytes);
    bytes += fields[kCheckAmtField].size() + fields[kCheckNumField].size();

    if (blocks_.empty() || used_ + bytes > kBlockBytes) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockBytes));
        used_ = 0;
    }
    Row row{static_cast<std::uint32_t>(blocks_.size() - 1), static_cast<std::uint32_t>(used_), {},
            static_cast<std::int8_t>(highlighted)};
    char* out = blocks_.back().get() + used_;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        // An empty view may have no address at all.
        if (!fields[i].empty()) std::memcpy(out, fields[i].data(), fields[i].size());
        out += fields[i].size();
        row.length[i] = static_cast<std::uint8_t>(fields[i].size());
    }
    used_ += bytes;
    order_.push_back(static_cast<std::uint32_t>(rows_.size()));
    rows_.push_back(row);
}

void SearchResults::Clear() {
    blocks_.clear();
    used_ = 0;
    rows_.clear();
    rows_.shrink_to_fit();
    order_.clear();
    order_.shrink_to_fit();
}

std::string_view SearchResults::Field(const Row& row, int field) const {
    std::size_t offset = row.offset;
    for (int i = 0; i < field; ++i) offset += row.length[i];
    return {blocks_[row.block].get() + offset, row.length[field]};
}

std::string_view SearchResults::View(const Row& row, int cell) const {
    const bool byDestination = Field(row, kColSType) == "1";
    switch (cell) {
        case kCellPicture: return byDestination ? "SGRP1" : "SGRP2";
        case kCellRev: return "F";
        case kCellStatus: return Field(row, kColStatus).starts_with('O') ? "O" : "C";
        case kCellSettlementType:
            return byDestination ? "Settled By Destination" : "Settled By Source";
        default:
            if (cell < 0 || cell >= kSearchCellCount) return {};
            return Field(row, kFieldOfCell[cell]);
    }
}

std::string SearchResults::Cell(std::size_t shown, int cell) const {
    return std::string(View(RowAt(shown), cell));
}

int SearchResults::Highlighted(std::size_t shown) const { return RowAt(shown).highlighted; }

void SearchResults::SortBy(int cell, bool ascending) {
    if (cell <= kCellPicture || cell >= kSearchCellCount) return;
    const SortKind kind = SortKindOf(cell);
    auto before = [ascending](const auto& a, const auto& b) { return ascending ? a < b : b < a; };
    if (kind == SortKind::Text) {
        std::stable_sort(order_.begin(), order_.end(), [&](std::uint32_t a, std::uint32_t b) {
            return before(View(rows_[a], cell), View(rows_[b], cell));
        });
        return;
    }
    std::vector<double> keys(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const std::string_view text = Field(rows_[i], kFieldOfCell[cell]);
        keys[i] = kind == SortKind::Date ? DateKey(text) : TextNumber(text);
    }
    std::stable_sort(order_.begin(), order_.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return before(keys[a], keys[b]); });
}

}  // namespace hvx::search
