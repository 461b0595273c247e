#include <gtest/gtest.h>

#include "shipments/LoadCalculation.h"

namespace {

using hvx::shipments::CalculateLoad;
using hvx::shipments::LoadFigures;

// Typed figures ("*") stay as typed and feed the figures after them; the
// others are recalculated from the figures as shown.
TEST(LoadCalculation, FiguresFollowFromTheOnesBeforeThemUnlessTyped) {
    struct Case {
        const char* name;
        LoadFigures in;
        double poundsPerUnit;
        LoadFigures out;
    };
    const Case cases[] = {
        {"all calculated",
         {"50000", "2", "", "", "", "2.5", "", "100", "50.25", ""}, 56,
         {"50000", "2", "1000.00", "49000.00", "875.00", "2.5", "2187.50", "100", "50.25",
          "2037.25"}},
        {"typed dock weight; the amount comes from the units as shown",
         {"50000", "2", "900*", "1.00", "3", "2.5", "", "", "", ""}, 56,
         {"50000", "2", "900*", "49100.00", "876.79", "2.5", "2191.98", "", "", "2191.98"}},
        {"no pounds per unit",
         {"50000", "2", "", "", "", "2.5", "", "", "", ""}, 0,
         {"50000", "2", "1000.00", "49000.00", "0.00", "2.5", "0.00", "", "", "0.00"}},
        {"typed net weight, units and gross amount",
         {"50000", "2", "", "48000*", "1.15*", "1.5", "", "", "", ""}, 60,
         {"50000", "2", "1000.00", "48000*", "1.15*", "1.5", "1.73", "", "", "1.73"}},
        {"typed gross and net amounts",
         {"1000", "", "", "", "", "3", "99*", "10", "", "5*"}, 50,
         {"1000", "", "0.00", "1000.00", "20.00", "3", "99*", "10", "", "5*"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadFigures f = c.in;
        CalculateLoad(f, c.poundsPerUnit);
        EXPECT_EQ(f.dockWt, c.out.dockWt);
        EXPECT_EQ(f.netWt, c.out.netWt);
        EXPECT_EQ(f.netUnits, c.out.netUnits);
        EXPECT_EQ(f.grossAmt, c.out.grossAmt);
        EXPECT_EQ(f.netAmt, c.out.netAmt);
    }
}

}  // namespace
