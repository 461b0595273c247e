#pragma once
// Grade factor results carried from a source to its destination.
//
// A destination that stays an open position (every category except "Priced",
// "Installment Sale" and "Redelivered") starts with the grade results of its
// source, so the contract or storage terms describe the grain that went in.
// The caller loads them only while the destination's grade list is empty: a
// list the user has started is never replaced.
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

inline constexpr std::string_view kMsgGradeFactorRequired = "Grade factor is required.";
inline constexpr std::string_view kMsgResultRequired = "Result is required.";

struct GradeResult {
    std::string factor;  // GRADFACT
    std::string result;  // RESULT, as text
    bool operator==(const GradeResult&) const = default;
};

// True for the destinations that take their source's grade results.
bool TakesSourceGrades(std::string_view destination);

// The default grade results of a destination, in the order read. For an
// "Assembly" source, sourceRef is the assembly and every grade factor of the
// commodity gets the net-unit weighted average of the assembly's tests, as
// "%.03f" (0.000 when the tests weigh nothing). For any other source,
// sourceRef is the source line's DLLINK and its stored results are copied as
// they are. Nothing for a destination that takes no grades or an empty
// sourceRef (a "Direct In" or "Setup" line has no source record).
std::vector<GradeResult> DefaultGradeResults(std::string_view sourceKind,
                                             std::string_view destination,
                                             std::string_view sourceRef,
                                             std::string_view commodity);

// The message refusing a grade row, checked in this order; empty when the
// row has both parts. Blanks alone are no value.
std::string_view GradeRowProblem(std::string_view factor, std::string_view result);

}  // namespace hvx
