#include "data/exchange/ImportWriter.h"

#include <map>

#include "platform/Dates.h"
#include "platform/HVXConnection.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"
#include "platform/Transaction.h"

namespace hvx::exchange {
namespace {

constexpr std::size_t kProgressStep = 1000;

struct Stored {
    std::string recno;
    std::vector<std::string> values;
};

class Writer {
public:
    explicit Writer(const ExchangeKind& kind) : kind_(kind) {
        for (const char* key : kind.keys)
            keyPlaces_.push_back(kind.Find(key) - kind.columns.data());
    }

    // Every row of the table by its key, read once: reference tables are small
    // next to the cost of a lookup per imported row.
    bool ReadStored(std::string& error) {
        std::string sql = "SELECT RECNO";
        for (const ExchangeColumn& column : kind_.columns) sql += std::string(",") + column.name;
        std::vector<SqlRow> rows;
        if (!RunNative(nullptr, sql + " FROM " + kind_.table, {}, &rows, error)) return false;
        for (SqlRow& row : rows) {
            Stored stored{row.front(), {row.begin() + 1, row.end()}};
            stored_.emplace(Key(stored.values), std::move(stored));
        }
        return true;
    }

    bool Write(const ImportRow& row, ImportCounts& counts, std::string& error) {
        const auto found = stored_.find(Key(row.values));
        if (found == stored_.end()) {
            ++counts.added;
            return Insert(row, error);
        }
        if (found->second.values == row.values) {
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
        return params;
    }

    bool Insert(const ImportRow& row, std::string& error) {
        const double recno = NextRecordNumber(kind_.table);
        if (recno < 1) {
            error = std::string("Unable to take the next record number of ") + kind_.table + ".";
            return false;
        }
        std::string columns, places;
        for (const ExchangeColumn& column : kind_.columns) {
            columns += std::string(column.name) + ",";
            places += "?,";
        }
        std::vector<Param> params = Params(row);
        params.push_back(Param::Number(recno));
        return RunNative(nullptr,
                         std::string("INSERT INTO ") + kind_.table + " (" + columns +
                             "RECNO) VALUES (" + places + "?)",
                         params, nullptr, error) ||
               Failed(row, error);
    }

    bool Update(const ImportRow& row, const std::string& recno, std::string& error) {
        std::string sets;
        for (const ExchangeColumn& column : kind_.columns)
            sets += (sets.empty() ? "" : ",") + std::string(column.name) + " = ?";
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
    std::map<std::vector<std::string>, Stored> stored_;
};

}  // namespace

bool WriteImport(const ExchangeKind& kind, const std::vector<ImportRow>& rows,
                 const ImportProgress& progress, ImportCounts& counts, std::string& error) {
    HVXConnection carrier;
    Transaction tran(carrier, std::string("SELECT RECNO FROM ") + kind.table);
    if (!tran.Begun()) {
        error = "Unable to begin the transaction: " + carrier.LastError();
        return false;
    }
    Writer writer(kind);
    if (!writer.ReadStored(error)) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!writer.Write(rows[i], counts, error)) return false;
        if (progress && ((i + 1) % kProgressStep == 0 || i + 1 == rows.size())) progress(i + 1);
    }
    if (!tran.Commit()) {
        error = "Unable to commit the import: " + carrier.LastError();
        return false;
    }
    return true;
}

}  // namespace hvx::exchange
