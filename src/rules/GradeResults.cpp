#include "rules/GradeResults.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Statements.h"
#include "rules/Categories.h"
#include "rules/SourceKinds.h"
#include "rules/StoredText.h"

namespace hvx {
namespace {

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The net-unit weighted average of an assembly's results for one test.
// Tests without a result carry no weight.
double AssemblyAverage(std::string_view assembly, std::string_view test) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    double weighted = 0, units = 0;
    if (LiteralStatements(connection)
            .Query({"SELECT RESULT,NETUNITS FROM HVXGR03G WHERE ASSEMBLY='%s' AND TEST='%s'"},
                   {assembly, test}, 2, rows)) {
        for (const SqlRow& row : rows) {
            const std::string& result = row[0];
            if (IsBlank(result)) continue;
            const double net = TextNumber(row[1]);
            weighted += TextNumber(result) * net;
            units += net;
        }
    }
    return units == 0 ? 0 : weighted / units;
}

std::vector<GradeResult> AssemblyGrades(std::string_view assembly, std::string_view commodity) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> factors;
    if (!LiteralStatements(connection)
             .Query({"SELECT GRADFACT FROM HVXGR51B WHERE COMMODITY='%s'"}, {commodity}, 1,
                    factors))
        return {};
    std::vector<GradeResult> grades;
    for (SqlRow& factor : factors) {
        std::string result = _HVXsprintf("%.03f", AssemblyAverage(assembly, factor[0]) + 0.0);
        grades.push_back({std::move(factor[0]), std::move(result)});
    }
    return grades;
}

std::vector<GradeResult> SourceLineGrades(std::string_view link) {
    HVXSConnection connection(1, nullptr, 0);
    std::vector<SqlRow> rows;
    if (!LiteralStatements(connection)
             .Query({"SELECT GRADFACT,RESULT FROM HVXGR04A WHERE DLLINK='%s'"}, {link}, 2, rows))
        return {};
    std::vector<GradeResult> grades;
    for (SqlRow& row : rows) grades.push_back({std::move(row[0]), std::move(row[1])});
    return grades;
}

}  // namespace

bool TakesSourceGrades(std::string_view destination) {
    return destination != kPriced && destination != kInstallmentSale && destination != kRedelivered;
}

std::vector<GradeResult> DefaultGradeResults(std::string_view sourceKind,
                                             std::string_view destination,
                                             std::string_view sourceRef,
                                             std::string_view commodity) {
    if (!TakesSourceGrades(destination) || IsBlank(sourceRef)) return {};
    if (sourceKind == kAssembly) return AssemblyGrades(sourceRef, commodity);
    return SourceLineGrades(sourceRef);
}

std::string_view GradeRowProblem(std::string_view factor, std::string_view result) {
    if (IsBlank(factor)) return kMsgGradeFactorRequired;
    if (IsBlank(result)) return kMsgResultRequired;
    return {};
}

}  // namespace hvx
