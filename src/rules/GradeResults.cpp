#include "rules/GradeResults.h"

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
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
    double weighted = 0, units = 0;
    if (connection.ExecSQL(_HVXsprintf(
            "SELECT RESULT,NETUNITS FROM HVXGR03G WHERE ASSEMBLY='%s' AND TEST='%s'", assembly,
            test))) {
        while (connection.FetchNext()) {
            const std::string result = connection.Column(1);
            if (IsBlank(result)) continue;
            const double net = TextNumber(connection.Column(2));
            weighted += TextNumber(result) * net;
            units += net;
        }
    }
    return units == 0 ? 0 : weighted / units;
}

std::vector<GradeResult> AssemblyGrades(std::string_view assembly, std::string_view commodity) {
    std::vector<std::string> factors;
    HVXSConnection connection(1, nullptr, 0);
    if (connection.ExecSQL(
            _HVXsprintf("SELECT GRADFACT FROM HVXGR51B WHERE COMMODITY='%s'", commodity)))
        while (connection.FetchNext()) factors.push_back(connection.Column(1));
    std::vector<GradeResult> grades;
    for (std::string& factor : factors) {
        std::string result = _HVXsprintf("%.03f", AssemblyAverage(assembly, factor) + 0.0);
        grades.push_back({std::move(factor), std::move(result)});
    }
    return grades;
}

std::vector<GradeResult> SourceLineGrades(std::string_view link) {
    std::vector<GradeResult> grades;
    HVXSConnection connection(1, nullptr, 0);
    if (connection.ExecSQL(
            _HVXsprintf("SELECT GRADFACT,RESULT FROM HVXGR04A WHERE DLLINK='%s'", link)))
        while (connection.FetchNext())
            grades.push_back({connection.Column(1), connection.Column(2)});
    return grades;
}

}  // namespace

bool TakesSourceGrades(std::string_view destination) {
    return destination != kPriced && destination != kInstallmentSale &&
           destination != kRedelivered;
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

