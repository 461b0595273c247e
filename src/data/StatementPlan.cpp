#include "data/StatementPlan.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>

#include "platform/Session.h"

namespace hvx::data {
namespace {

// The growing tables, by name. The list is kept apart from the table
// descriptions because growth is a matter of use, not of layout: HVXAR50
// (customers) and HVXGR51A (commodity positions) are reference rows.
constexpr std::array<std::string_view, 29> kGrowingTables{
    "HVXGR04",  "HVXGR04D", "HVXGR04F", "HVXGR04A", "HVXGR04B", "HVXGR04C",
    "HVXGR04E", "HVXGR04H", "HVXGR04G", "HVXGR02",  "HVXGR02S", "HVXGR03A",
    "HVXGR03G", "HVXGR01",  "HVXGR01G", "HVXGR05",  "HVXGR29",  "HVXGR57",
    "HVXGR57A", "HVXGR07",  "HVXGR07A", "HVXGR07D", "HVXGR07G", "HVXGR07C",
    "HVXGR08",  "HVXGR08C", "HVXGRAR",  "HVXGR56A", "HVXLOCKS"};

std::string Upper(std::string_view text) {
    std::string upper;
    for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The table named right after `marker` in a plan line, in upper case; ""
// when the line does not hold the marker.
std::string TableAfter(const std::string& line, std::string_view marker) {
    const std::size_t at = line.find(marker);
    if (at == std::string::npos) return {};
    const std::size_t start = at + marker.size();
    const std::size_t end = line.find_first_of(" (", start);
    return Upper(std::string_view(line).substr(start, end == std::string::npos ? end : end - start));
}

// The table a plan line reads whole, or "".
std::string ScannedTable(const std::string& line) {
    // SQLite walks an index from end to end for an ORDER BY or a covering
    // read: that is a full scan too, of a narrower copy of the rows.
    if (line.rfind("SCAN ", 0) == 0) {
        if (line.find(" USING ") != std::string::npos) return {};
        return TableAfter(line, "SCAN ");
    }
    return TableAfter(line, "Seq Scan on ");
}

}  // namespace

bool IsGrowingTable(std::string_view table) {
    return std::ranges::find(kGrowingTables, Upper(table)) != kGrowingTables.end();
}

bool ExplainStatement(const std::string& sql, const std::vector<Param>& values,
                      std::vector<std::string>& plan, std::string& error) {
    plan.clear();
    Engine* engine = Session::Get();
    if (!engine) {
        error = "The database is not open.";
        return false;
    }
    const bool sqlite = engine->Kind() == EngineKind::SQLite;
    // PostgreSQL plans a prepared EXPLAIN with the values bound to it, as it
    // plans the statement itself when the module runs it with them.
    auto explain = engine->Prepare((sqlite ? "EXPLAIN QUERY PLAN " : "EXPLAIN ") + sql, !sqlite,
                                   error);
    if (!explain || !explain->Execute(values, error)) return false;
    // SQLite's plan rows are (id, parent, unused, detail); PostgreSQL's one column.
    const int detail = sqlite ? 3 : 0;
    for (std::string line; explain->Next();) {
        explain->Column(detail, line);
        plan.push_back(line);
    }
    return true;
}

std::vector<std::string> FullScans(const std::vector<std::string>& plan) {
    std::vector<std::string> tables;
    for (const std::string& line : plan) {
        const std::size_t step = line.find_first_not_of(" ->");
        if (step == std::string::npos) continue;
        std::string table = ScannedTable(line.substr(step));
        if (IsGrowingTable(table)) tables.push_back(std::move(table));
    }
    return tables;
}

std::vector<std::string> FullScanFindings(const std::vector<RanStatement>& statements,
                                          std::span<const std::string_view> readWhole) {
    std::vector<std::string> findings;
    std::set<std::string_view> seen;
    for (const RanStatement& s : statements) {
        const auto meant = [&](std::string_view start) { return s.sql.starts_with(start); };
        if (!seen.insert(s.sql).second || std::ranges::any_of(readWhole, meant)) continue;
        std::vector<std::string> plan;
        std::string error;
        if (!ExplainStatement(s.sql, s.values, plan, error)) {
            findings.push_back(s.sql + "\n  " + error);
            continue;
        }
        if (FullScans(plan).empty()) continue;
        std::string finding = s.sql;
        for (const std::string& step : plan) finding += "\n  " + step;
        findings.push_back(std::move(finding));
    }
    return findings;
}

}  // namespace hvx::data
