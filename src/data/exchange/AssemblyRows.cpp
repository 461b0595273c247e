#include "data/exchange/AssemblyRows.h"

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "platform/NextNumbers.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"

namespace hvx::exchange {
namespace {

bool Settled(const std::string& assembly, bool& settled, std::string& error) {
    std::vector<SqlRow> splits;
    if (!RunNative(nullptr, "SELECT SHAREUNITS,PSETUNITS FROM HVXGR02S WHERE ASSEMBLY = ?",
                   {Param::Text(assembly)}, &splits, error))
        return false;
    settled = true;
    for (const SqlRow& split : splits) {
        const double share = std::atof(split[0].c_str()), posted = std::atof(split[1].c_str());
        if (share == 0 || HVXRound(posted, 5) < HVXRound(share, 5)) settled = false;
    }
    return true;
}

// The assemblies of the splits, in the order they first appear, with the
// flag of those that have their row already.
bool Gather(const ExchangeKind& kind, const std::vector<ImportRow>& splits,
            std::vector<std::string>& assemblies, std::map<std::string, std::string>& flags,
            std::string& error) {
    std::vector<SqlRow> rows;
    if (!RunNative(nullptr, "SELECT ASSEMBLY,SETTLED FROM HVXGR02 ORDER BY RECNO", {}, &rows,
                   error))
        return false;
    std::map<std::string, std::string> stored;
    for (const SqlRow& row : rows) stored.emplace(row[0], row[1]);
    const std::size_t place = kind.Place("ASSEMBLY");
    std::set<std::string> seen;
    for (const ImportRow& split : splits) {
        const std::string& assembly = split.values[place];
        if (!seen.insert(assembly).second) continue;
        assemblies.push_back(assembly);
        if (const auto found = stored.find(assembly); found != stored.end())
            flags.emplace(assembly, found->second);
    }
    return true;
}

}  // namespace

bool KeepAssemblyRows(const ExchangeKind& kind, const std::vector<ImportRow>& splits,
                      std::string& error) {
    std::vector<std::string> assemblies;
    std::map<std::string, std::string> flags;
    if (!Gather(kind, splits, assemblies, flags, error)) return false;
    const long long adding = static_cast<long long>(assemblies.size() - flags.size());
    long long recno = adding > 0 ? NextNumberRun("HVXGR02", "RECNO", adding) : 0;
    if (adding > 0 && recno < 1) {
        error = "Unable to take the next record number of HVXGR02.";
        return false;
    }
    for (const std::string& assembly : assemblies) {
        bool settled = false;
        if (!Settled(assembly, settled, error)) return false;
        const std::string flag = settled ? "T" : "F";
        const auto stored = flags.find(assembly);
        const bool written =
            stored == flags.end()
                ? RunNative(nullptr, "INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES (?,?,?)",
                            {Param::Text(assembly), Param::Text(flag),
                             Param::Number(static_cast<double>(recno++))},
                            nullptr, error)
                : stored->second == flag ||
                      RunNative(nullptr, "UPDATE HVXGR02 SET SETTLED = ? WHERE ASSEMBLY = ?",
                                {Param::Text(flag), Param::Text(assembly)}, nullptr, error);
        if (!written) {
            error = "assembly " + assembly + ": " + error;
            return false;
        }
    }
    return true;
}

}  // namespace hvx::exchange
