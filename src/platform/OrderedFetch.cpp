#include "platform/OrderedFetch.h"

#include <algorithm>
#include <cstdlib>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/KeyOrder.h"

namespace hvx {
namespace {

double RecnoOf(const SqlRow& row) { return std::strtod(row[1].c_str(), nullptr); }

int ColumnCount(std::string_view columns) {
    return 1 + static_cast<int>(std::count(columns.begin(), columns.end(), ','));
}

}  // namespace

bool OrderedFetch::Load(std::string& error) {
    const SqlRow* current = Current();
    const double stayOn = current ? RecnoOf(*current) : 0;
    rows_.clear();
    at_ = kNowhere;
    // The engine orders by record number only; the key order is ours.
    const std::string sql = _HVXsprintf(source_.listQuery, source_.columns) + " ORDER BY RECNO";
    HVXSConnection connection(1, nullptr, 0);
    LiteralStatements statements(connection);
    if (!statements.Query({sql}, {}, ColumnCount(source_.columns), rows_)) {
        error = statements.LastError();
        rows_.clear();
        return false;
    }
    std::ranges::stable_sort(rows_, [](const SqlRow& a, const SqlRow& b) {
        return KeyLess(a[0], b[0]);
    });
    if (stayOn != 0) FindRecno(stayOn);
    return true;
}

bool OrderedFetch::MoveTo(std::size_t at) {
    if (at >= rows_.size()) return false;
    at_ = at;
    return true;
}

bool OrderedFetch::First() { return MoveTo(0); }

bool OrderedFetch::Last() { return !rows_.empty() && MoveTo(rows_.size() - 1); }

bool OrderedFetch::Next() { return at_ == kNowhere ? First() : MoveTo(at_ + 1); }

bool OrderedFetch::Previous() { return at_ == kNowhere ? Last() : at_ > 0 && MoveTo(at_ - 1); }

bool OrderedFetch::Find(std::string_view key) {
    const auto found = std::ranges::find(rows_, key, [](const SqlRow& row) -> std::string_view {
        return row[0];
    });
    return MoveTo(static_cast<std::size_t>(found - rows_.begin()));
}

bool OrderedFetch::FindRecno(double recno) {
    const auto found = std::ranges::find(rows_, recno, RecnoOf);
    return MoveTo(static_cast<std::size_t>(found - rows_.begin()));
}

const SqlRow* OrderedFetch::Current() const {
    return at_ == kNowhere ? nullptr : &rows_[at_];
}

}  // namespace hvx
