#include "data/demo/SeedWriter.h"

#include <cstdlib>

#include "data/Schema.h"
#include "platform/Format.h"
#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"

namespace hvx::demo {
namespace {

using data::ColumnType;

const data::ColumnDesc* FindColumn(const data::TableDesc& table, std::string_view name) {
    for (const data::ColumnDesc& column : table.columns)
        if (name == column.name) return &column;
    return nullptr;
}

bool IsWholeNumber(const std::string& text) {
    if (text.empty()) return false;
    char* end = nullptr;
    std::strtoll(text.c_str(), &end, 10);
    return *end == '\0';
}

}  // namespace

double SeedWriter::NextRecno(std::string_view table) {
    const double recno = NextRecordNumber(table);
    if (recno < 1) Fail("Unable to take the next record number of " + std::string(table) + ".");
    return recno;
}

double SeedWriter::Insert(std::string_view tableName, const std::vector<SeedValue>& values,
                          double recno) {
    const data::TableDesc* table = data::FindTable(std::string(tableName));
    if (!table) {
        Fail("The schema has no table " + std::string(tableName) + ".");
        return 0;
    }
    std::string columns, format;
    std::vector<FmtArg> args;
    for (const SeedValue& v : values) {
        const data::ColumnDesc* column = FindColumn(*table, v.column);
        if (!column || column->type == ColumnType::Recno) {
            Fail(std::string("Table ") + table->name + " has no column " + v.column + " to seed.");
            return 0;
        }
        if (!columns.empty()) {
            columns += ',';
            format += ',';
        }
        columns += v.column;
        if (column->type == ColumnType::Date) {
            format += "{%s}";
        } else if (column->type == ColumnType::Integer) {
            if (!IsWholeNumber(v.value)) {
                Fail(std::string("Column ") + table->name + "." + v.column +
                     " takes a whole number, not \"" + v.value + "\".");
                return 0;
            }
            format += "%s";
        } else {
            format += "'%s'";
        }
        args.emplace_back(v.value);
    }

    if (!FindColumn(*table, "RECNO")) {
        recno = 1;
    } else {
        if (recno < 1) recno = NextRecno(table->name);
        if (recno < 1) return 0;
        columns += columns.empty() ? "RECNO" : ",RECNO";
        format += format.empty() ? "%.0f" : ",%.0f";
        args.emplace_back(recno);
    }

    const std::string insert =
        "INSERT INTO " + std::string(table->name) + " (" + columns + ") VALUES (" + format + ")";
    LiteralStatements sql(connection_);
    if (sql.Change({insert}, args) < 1) {
        Fail(std::string("Unable to insert into ") + table->name + ": " + sql.LastError());
        return 0;
    }
    return recno;
}

std::string SeedWriter::NewLink(std::string_view table, std::string_view column) {
    std::string link = NextCharLnk(nullptr, 1, table, column, 0);
    if (link.empty())
        Fail("Unable to take a new " + std::string(column) + " of " + std::string(table) + ".");
    return link;
}

// The statement is complete as it stands: it goes to the engine as a value
// of "%s", so no "%" in it is taken for a conversion.
bool SeedWriter::Update(const std::string& update) {
    LiteralStatements sql(connection_);
    if (sql.Change({"%s"}, {update}) < 1)
        return Fail("Unable to run \"" + update + "\": " + sql.LastError());
    return true;
}

bool SeedWriter::Fail(std::string message) {
    if (error_.empty()) error_ = std::move(message);
    return false;
}

std::string Units(double units) {
    return _HVXsprintf("%.4f", HVXRound(units, 4));
}
std::string Money(double amount) {
    return _HVXsprintf("%.2f", HVXRound(amount, 2));
}

}  // namespace hvx::demo
