#include "data/DatabaseFacts.h"

#include <cstdlib>

#include "data/Schema.h"
#include "platform/Engine.h"
#include "platform/HVXSConnection.h"
#include "platform/Session.h"
#include "platform/Statements.h"

namespace hvx {
namespace {

bool HasRecno(const data::TableDesc& table) {
    for (const data::ColumnDesc& column : table.columns)
        if (column.type == data::ColumnType::Recno) return true;
    return false;
}

}  // namespace

long CountRows(const std::string& table) {
    HVXSConnection c;
    std::string count;
    if (!LiteralStatements(c).Value({"%s"}, {"SELECT COUNT(*) FROM " + table}, count)) return -1;
    return std::atol(count.c_str());
}

std::string FirstHarvexaTable() {
    Engine* engine = Session::Get();
    if (!engine) return "";
    for (const data::TableDesc& table : data::AllTables())
        if (engine->TableExists(table.name)) return table.name;
    return "";
}

std::string FirstTableWithData(long& rows) {
    for (const data::TableDesc& table : data::AllTables()) {
        if (!HasRecno(table)) continue;
        rows = CountRows(table.name);
        if (rows != 0) return table.name;
    }
    rows = 0;
    return "";
}

std::string OneLine(std::string message) {
    std::string out;
    bool gap = false;
    for (char c : message) {
        if (c == '\n' || c == '\r' || c == '\t') {
            gap = !out.empty();
            continue;
        }
        if (gap) out += out.back() == '.' || out.back() == ':' ? " " : "; ";
        gap = false;
        out += c;
    }
    return out;
}

}  // namespace hvx
