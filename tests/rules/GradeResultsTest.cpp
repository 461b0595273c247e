// Grade results and the paid-through date a new position starts with.
#include <gtest/gtest.h>

#include "platform/Dates.h"
#include "rules/ChargeTestData.h"
#include "rules/GradeResults.h"
#include "rules/PaidThroughDate.h"
#include "support/TestDatabase.h"

namespace {

using hvx::GradeResult;
using hvxtest::Exec;
using Grades = std::vector<GradeResult>;

TEST(GradeRowProblem, BothPartsRequiredInOrder) {
    EXPECT_EQ(hvx::GradeRowProblem("", ""), "Grade factor is required.");
    EXPECT_EQ(hvx::GradeRowProblem(" ", "12"), "Grade factor is required.");
    EXPECT_EQ(hvx::GradeRowProblem("MOIST", " "), "Result is required.");
    EXPECT_EQ(hvx::GradeRowProblem("MOIST", "0"), "");
}

class GradeResults : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(GradeResults);

TEST_P(GradeResults, AssemblyAveragesAndSourceLineCopies) {
    Exec("INSERT INTO HVXGR51B (COMMODITY,GRADFACT,RECNO) VALUES ('CORN','MOIST',1),"
         "('CORN','TW',2),('SOY','FM',3)");
    Exec("INSERT INTO HVXGR03G (ASSEMBLY,TEST,RESULT,NETUNITS,RECNO) VALUES "
         "('AS1','MOIST','15.0','100',1),('AS1','MOIST','16.0','200',2),"
         "('AS1','MOIST','','500',3),('AS1','TW','56','0',4),('AS2','MOIST','20','100',5)");
    Exec("INSERT INTO HVXGR04A (DLLINK,GRADFACT,RESULT,RECNO) VALUES "
         "('D1','MOIST','14.5',1),('D1','TW','57',2),('D2','FM','1',3)");

    // (1500 + 3200) / 300; the test without a result weighs nothing, and TW's
    // tests weigh nothing at all.
    const Grades assembly{{"MOIST", "15.667"}, {"TW", "0.000"}};
    EXPECT_EQ(hvx::DefaultGradeResults("Assembly", "Priced Later", "AS1", "CORN"), assembly);
    EXPECT_EQ(hvx::DefaultGradeResults("Assembly", "Storage Ticket", "AS9", "CORN"),
              (Grades{{"MOIST", "0.000"}, {"TW", "0.000"}}));
    const Grades line{{"MOIST", "14.5"}, {"TW", "57"}};
    EXPECT_EQ(hvx::DefaultGradeResults("Storage Ticket", "CCC", "D1", "CORN"), line);
    for (const char* none : {"Priced", "Installment Sale", "Redelivered"})
        EXPECT_EQ(hvx::DefaultGradeResults("Storage Ticket", none, "D1", "CORN"), Grades{});
    EXPECT_EQ(hvx::DefaultGradeResults("Direct In", "Grain Bank", "", "CORN"), Grades{});
}

TEST_P(GradeResults, PaidThroughDateOfANewStoragePosition) {
    hvxtest::Insert("INSERT INTO HVXGR04F (DLLINK,PPAIDDATE,RECNO) VALUES ('S1',{2024-01-15},1)");
    Exec("INSERT INTO HVXGR04F (DLLINK,RECNO) VALUES ('S2',2)");
    hvx::SetTodayForTesting({2024, 3, 7});
    const struct {
        const char *source, *destination, *link, *date;
    } cases[] = {
        {"Storage Ticket", "Storage Ticket", "S1", "01152024"},
        {"CCC", "CCC", "S1", "01152024"},
        {"Storage Ticket", "CCC", "S1", "03072024"},
        {"Assembly", "Storage Ticket", "", "03072024"},
        {"CCC", "CCC", "S2", ""},  // no date to carry over
        {"CCC", "CCC", "S9", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.source) + " -> " + c.destination + " " + c.link);
        EXPECT_EQ(hvx::PaidThroughDate(c.source, c.destination, c.link), c.date);
    }
    hvx::SetTodayForTesting({});
}

}  // namespace
