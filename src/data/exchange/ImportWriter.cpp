#include "data/exchange/ImportWriter.h"

#include <map>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "platform/Transaction.h"

namespace hvx::exchange {
namespace {

constexpr std::size_t kProgressStep = 1000;

struct Stored {
    std::string recno;
    std::vector<std::string> values;  // the file's columns, then the worked ones
};

class Writer {
public:
    explicit Writer(const ExchangeKind& kind) : kind_(kind) {
        for (const char* key : kind.keys) keyPlaces_.push_back(kind.Place(key));
        for (const ExchangeColumn& column : kind.columns) compared_.push_back(column.name);
        for (const FilledColumn& column : kind.filled)
            if (column.fill == Fill::Worked) compared_.push_back(column.name);
    }

    // Every row of the table by its key, read once: one read of the table
    // costs less than a lookup per imported row.
    bool ReadStored(std::string& error) {
        std::string sql = "SELECT RECNO";
        for (const char* column : compared_) sql += std::string(",") + column;
        std::vector<SqlRow> rows;
        if (!RunNative(nullptr, sql + " FROM " + kind_.table, {}, &rows, error)) return false;
        for (SqlRow& row : rows) {
            Stored stored{row.front(), {row.begin() + 1, row.end()}};
            stored_.emplace(Key(stored.values), std::move(stored));
        }
        return true;
    }

    // The numbers of the rows to add, each counter advanced once for all of them.
    bool TakeNumbers(const std::vector<ImportRow>& rows, std::string& error) {
        long long adding = 0;
        for (const ImportRow& row : rows) adding += stored_.count(Key(row.values)) == 0;
        if (adding == 0) return true;
        nextRecno_ = NextNumberRun(kind_.table, "RECNO", adding);
        if (nextRecno_ < 1) {
            error = std::string("Unable to take the next record number of ") + kind_.table + ".";
            return false;
        }
        nextLinks_.assign(kind_.filled.size(), 0);
        for (std::size_t i = 0; i < kind_.filled.size(); ++i) {
            if (kind_.filled[i].fill != Fill::NewLink) continue;
            nextLinks_[i] = NextNumberRun(kind_.table, kind_.filled[i].name, adding);
            if (nextLinks_[i] < 1) {
                error = std::string("Unable to take a new ") + kind_.filled[i].name + " of " +
                        kind_.table + ".";
                return false;
            }
        }
        return true;
    }

    bool Write(const ImportRow& row, ImportCounts& counts, std::string& error) {
        const auto found = stored_.find(Key(row.values));
        if (found == stored_.end()) {
            ++counts.added;
            return Insert(row, error);
        }
        if (found->second.values == Compared(row)) {
            ++counts.unchanged;
            return true;
        }
        ++counts.changed;
        return Update(row, found->second.recno, error);
    }

private:
    std::vector<std::string> Key(const std::vector<std::string>& values) const {
        std::vector<std::string> key;
        for (std::size_t place : keyPlaces_) key.push_back(values[place]);
        return key;
    }

    std::vector<std::string> Compared(const ImportRow& row) const {
        std::vector<std::string> values = row.values;
        for (std::size_t i = 0; i < kind_.filled.size(); ++i)
            if (kind_.filled[i].fill == Fill::Worked) values.push_back(row.worked[i]);
        return values;
    }

    // Dates go to the engine as "YYYY-MM-DD", an empty one as no value.
    std::vector<Param> Params(const ImportRow& row) const {
        std::vector<Param> params;
        for (std::size_t i = 0; i < kind_.columns.size(); ++i) {
            std::string value = row.values[i];
            if (kind_.columns[i].type != FieldType::Date) {
                params.push_back(Param::Text(std::move(value)));
            } else if (value.empty()) {
                params.push_back(Param::Null());
            } else {
                SQLFmtDate(value);
                params.push_back(Param::Text(std::move(value)));
            }
        }
        for (std::size_t i = 0; i < kind_.filled.size(); ++i)
            if (kind_.filled[i].fill == Fill::Worked) params.push_back(Param::Text(row.worked[i]));
        return params;
    }

    // The columns filled once, when the row is added.
    void AddFilled(double recno, std::string& columns, std::vector<Param>& params) {
        for (std::size_t i = 0; i < kind_.filled.size(); ++i) {
            const FilledColumn& column = kind_.filled[i];
            std::string value;
            switch (column.fill) {
                case Fill::Worked: continue;
                case Fill::Constant: value = column.constant; break;
                case Fill::OwnRecno: value = _HVXsprintf("%.0f", recno); break;
                case Fill::NewLink: value = std::to_string(nextLinks_[i]++); break;
            }
            columns += std::string(column.name) + ",";
            params.push_back(Param::Text(std::move(value)));
        }
    }

    bool Insert(const ImportRow& row, std::string& error) {
        const double recno = static_cast<double>(nextRecno_++);
        std::string columns;
        for (const char* column : compared_) columns += std::string(column) + ",";
        std::vector<Param> params = Params(row);
        AddFilled(recno, columns, params);
        params.push_back(Param::Number(recno));
        std::string places;
        for (std::size_t i = 1; i < params.size(); ++i) places += "?,";
        return RunNative(nullptr,
                         std::string("INSERT INTO ") + kind_.table + " (" + columns +
                             "RECNO) VALUES (" + places + "?)",
                         params, nullptr, error) ||
               Failed(row, error);
    }

    bool Update(const ImportRow& row, const std::string& recno, std::string& error) {
        std::string sets;
        for (const char* column : compared_)
            sets += (sets.empty() ? "" : ",") + std::string(column) + " = ?";
        std::vector<Param> params = Params(row);
        params.push_back(Param::Number(std::stod(recno)));
        return RunNative(nullptr,
                         std::string("UPDATE ") + kind_.table + " SET " + sets + " WHERE RECNO = ?",
                         params, nullptr, error) ||
               Failed(row, error);
    }

    static bool Failed(const ImportRow& row, std::string& error) {
        error = "line " + std::to_string(row.line) + ": " + error;
        return false;
    }

    const ExchangeKind& kind_;
    std::vector<std::size_t> keyPlaces_;
    std::vector<const char*> compared_;
    std::map<std::vector<std::string>, Stored> stored_;
    long long nextRecno_ = 0;
    std::vector<long long> nextLinks_;  // by the kind's filled columns
};

bool WriteRows(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
               const ImportProgress& progress, ImportCounts& counts, std::string& error) {
    if (kind.write) return kind.write(kind, rows, counts, error);
    Writer writer(kind);
    if (!writer.ReadStored(error) || !writer.TakeNumbers(rows, error)) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!writer.Write(rows[i], counts, error)) return false;
        if (progress && ((i + 1) % kProgressStep == 0 || i + 1 == rows.size())) progress(i + 1);
    }
    return true;
}

}  // namespace

bool WriteImport(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                 const ImportProgress& progress, ImportCounts& counts, std::string& error) {
    HVXConnection carrier;
    Transaction tran(carrier, std::string("SELECT RECNO FROM ") + kind.table);
    if (!tran.Begun()) {
        error = "Unable to begin the transaction: " + carrier.LastError();
        return false;
    }
    if (!WriteRows(kind, rows, progress, counts, error) ||
        (kind.after && !kind.after(kind, rows, error)))
        return false;
    if (!tran.Commit()) {
        error = "Unable to commit the import: " + carrier.LastError();
        return false;
    }
    return true;
}

}  // namespace hvx::exchange
