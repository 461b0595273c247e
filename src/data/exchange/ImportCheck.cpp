#include "data/exchange/ImportCheck.h"

#include <map>

#include "data/csv/CsvReader.h"
#include "data/csv/Utf8Check.h"
#include "data/exchange/FieldValue.h"
#include "data/exchange/ImportLookup.h"

namespace hvx::exchange {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string At(int line, std::string_view column) {
    return "line " + std::to_string(line) +
           (column.empty() ? "" : ", column " + std::string(column));
}

std::string KindOfTable(std::string_view table) {
    for (const ExchangeKind& kind : ExchangeKinds())
        if (table == kind.table) return kind.name;
    return std::string(table);
}

class Checker {
public:
    Checker(const ExchangeKind& kind, ImportCheck& out) : kind_(kind), out_(out) {}

    void Check(std::string_view text) {
        // The mark is no character of the first line, so positions count from after it.
        if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            text.remove_prefix(kByteOrderMark.size());
        csv::TextPosition bad;
        if (!csv::IsUtf8(text, bad)) {
            Error(bad.line, std::to_string(bad.column), "the file is not UTF-8 text");
            return;
        }
        std::vector<csv::Record> records;
        int badLine = 0;
        std::string fault;
        if (!csv::ReadRecords(text, records, badLine, fault)) {
            Error(badLine, "", "the file is not CSV: " + fault);
            return;
        }
        if (records.empty()) {
            Error(1, "", "the file has no heading row");
            return;
        }
        if (!ReadHeading(records.front())) return;
        for (std::size_t i = 1; i < records.size(); ++i) CheckRow(records[i]);
    }

private:
    void Error(int line, std::string_view column, const std::string& message) {
        out_.errors.push_back(At(line, column) + ": " + message);
    }

    // Which field of a row holds each column of the layout.
    bool ReadHeading(const csv::Record& heading) {
        place_.assign(kind_.columns.size(), -1);
        width_ = heading.fields.size();
        const std::size_t before = out_.errors.size();
        for (std::size_t field = 0; field < heading.fields.size(); ++field) {
            const std::string& name = heading.fields[field];
            const ExchangeColumn* column = kind_.Find(name);
            if (name.empty()) {
                // Most often a comma a spreadsheet left after the last column.
                Error(heading.line, std::to_string(field + 1),
                      "the heading names no column here; remove the empty column");
                continue;
            }
            if (!column) {
                Error(heading.line, name, std::string("is not a column of ") + kind_.name);
                continue;
            }
            int& place = place_[kind_.Place(name)];
            if (place >= 0)
                Error(heading.line, name, "is named twice");
            else
                place = static_cast<int>(field);
        }
        for (std::size_t i = 0; i < kind_.columns.size(); ++i)
            if (place_[i] < 0) Error(heading.line, kind_.columns[i].name, "is missing");
        return out_.errors.size() == before;
    }

    void CheckRow(const csv::Record& record) {
        if (record.fields.size() != width_) {
            Error(record.line, "",
                  "has " + std::to_string(record.fields.size()) + " fields, the heading " +
                      std::to_string(width_));
            return;
        }
        ImportRow row{record.line, std::vector<std::string>(kind_.columns.size()), {}};
        bool good = true;
        for (std::size_t i = 0; i < kind_.columns.size(); ++i) {
            const ExchangeColumn& column = kind_.columns[i];
            std::string message;
            if (!StoredValue(column, record.fields[place_[i]], row.values[i], message) ||
                !Referenced(column, row.values[i], message)) {
                Error(record.line, column.name, message);
                good = false;
            }
        }
        if (good && Worked(row) && FirstOfKey(row) && AgreesWithGroup(row))
            out_.rows.push_back(std::move(row));
    }

    bool Worked(ImportRow& row) {
        row.worked.resize(kind_.filled.size());
        const RowValues values(kind_, row.values);
        for (std::size_t i = 0; i < kind_.filled.size(); ++i) {
            WorkFault fault;
            if (kind_.filled[i].work &&
                !kind_.filled[i].work(values, lookup_, row.worked[i], fault)) {
                Error(row.line, fault.column, fault.message);
                return false;
            }
        }
        return true;
    }

    std::vector<std::string> ValuesOf(const ImportRow& row,
                                      const std::vector<const char*>& columns) const {
        std::vector<std::string> values;
        for (const char* name : columns) values.push_back(row.values[kind_.Place(name)]);
        return values;
    }

    bool FirstOfKey(const ImportRow& row) {
        const auto [first, added] = keys_.emplace(ValuesOf(row, kind_.keys), row.line);
        if (!added)
            Error(row.line, kind_.keys.front(),
                  "repeats the row of line " + std::to_string(first->second));
        return added;
    }

    // Rows of one group repeat its shared columns: each must be as on the group's first row.
    bool AgreesWithGroup(const ImportRow& row) {
        if (kind_.group.keys.empty()) return true;
        const auto [first, added] = groupHeads_.emplace(ValuesOf(row, kind_.group.keys), row);
        if (added) return true;
        const ImportRow& head = first->second;
        bool agrees = true;
        for (const char* name : kind_.group.shared)
            if (row.values[kind_.Place(name)] != head.values[kind_.Place(name)]) {
                Error(row.line, name,
                      "differs from line " + std::to_string(head.line) + " of the same " +
                          kind_.group.noun);
                agrees = false;
            }
        return agrees;
    }

    bool Referenced(const ExchangeColumn& column, const std::string& value, std::string& message) {
        if (!column.refTable || value.empty()) return true;
        const std::string table = column.refTable;
        std::string error;
        if (lookup_.One("SELECT " + std::string(column.refColumn) + " FROM " + table + " WHERE " +
                            column.refColumn + " = ?",
                        {value}, error))
            return true;
        if (!error.empty()) {
            message = "cannot be looked up in " + table + ": " + error;
            return false;
        }
        const std::string kind = KindOfTable(table);
        message = "\"" + value + "\" is not among the " + kind + " (" + table + "); import the " +
                  kind + " first";
        return false;
    }

    const ExchangeKind& kind_;
    ImportCheck& out_;
    std::vector<int> place_;
    std::size_t width_ = 0;
    std::map<std::vector<std::string>, int> keys_;
    std::map<std::vector<std::string>, ImportRow> groupHeads_;  // the first row of each group
    ImportLookup lookup_;
};

}  // namespace

ImportCheck CheckImport(const ExchangeKind& kind, std::string_view text) {
    ImportCheck out;
    Checker(kind, out).Check(text);
    return out;
}

}  // namespace hvx::exchange
