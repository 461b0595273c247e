#include "data/exchange/AssemblyRows.h"

#include <cstdlib>
#include <set>

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

bool Keep(const std::string& assembly, std::string& error) {
    bool settled = false;
    std::vector<SqlRow> found;
    if (!Settled(assembly, settled, error) ||
        !RunNative(nullptr, "SELECT SETTLED FROM HVXGR02 WHERE ASSEMBLY = ?",
                   {Param::Text(assembly)}, &found, error, 1))
        return false;
    const std::string flag = settled ? "T" : "F";
    if (!found.empty())
        return found.front().front() == flag ||
               RunNative(nullptr, "UPDATE HVXGR02 SET SETTLED = ? WHERE ASSEMBLY = ?",
                         {Param::Text(flag), Param::Text(assembly)}, nullptr, error);
    const double recno = NextRecordNumber("HVXGR02");
    if (recno < 1) {
        error = "Unable to take the next record number of HVXGR02.";
        return false;
    }
    return RunNative(nullptr, "INSERT INTO HVXGR02 (ASSEMBLY,SETTLED,RECNO) VALUES (?,?,?)",
                     {Param::Text(assembly), Param::Text(flag), Param::Number(recno)}, nullptr,
                     error);
}

}  // namespace

bool KeepAssemblyRows(const ExchangeKind& kind, const std::vector<ImportRow>& splits,
                      std::string& error) {
    std::set<std::string> done;
    const std::size_t place = kind.Place("ASSEMBLY");
    for (const ImportRow& split : splits) {
        const std::string& assembly = split.values[place];
        if (done.insert(assembly).second && !Keep(assembly, error)) {
            error = "assembly " + assembly + ": " + error;
            return false;
        }
    }
    return true;
}

}  // namespace hvx::exchange
