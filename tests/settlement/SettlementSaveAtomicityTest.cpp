// The save is all or nothing, on every engine: whichever of its statements
// fails, every table is as it was before the save, every lock taken has been
// released, and the record set is as it was, so that the next save does the
// whole work once.
#include <functional>

#include "platform/Session.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using hvxtest::Texts;

const char* const kUnnoticed = "statements whose failure the save did not notice";

class SettlementSaveAtomicity : public hvxtest::SettlementSaveFixture {
public:
    // Every failed save leaves the header as it was; the commit is the last
    // statement that can fail it.
    std::vector<long> FailEachStatementInTurn(const std::function<void()>& arrange) {
        hvx::settlement::SettlementHeader header;
        const auto failures = SettlementSaveFixture::FailEachStatementInTurn(
            [&] {
                arrange();
                header = set.header;
            },
            [this] { return Save(); }, [this] { return message; },
            [&] {
                EXPECT_EQ(set.header.recno, header.recno);
                EXPECT_EQ(set.header.settlement, header.settlement);
            });
        EXPECT_EQ(failures.lastFailure, "Unable to commit transaction.");
        EXPECT_GT(failures.failedRuns, 40);
        return failures.unnoticed;
    }
};
HVX_DATABASE_TEST_SUITE(SettlementSaveAtomicity);

TEST_P(SettlementSaveAtomicity, NewSettlementWithAnAdvanceRepayment) {
    EXPECT_EQ(FailEachStatementInTurn([] {}), std::vector<long>{}) << kUnnoticed;
    // Saved once, under the first number: no failed attempt kept a number,
    // a unit or a repayment.
    EXPECT_EQ(hvxtest::Rows("SELECT SETTLEMENT,SETLINK,CHECKAMT FROM HVXGR04"),
              Texts{"41\t1\t808.75"});
    EXPECT_EQ(hvxtest::Rows("SELECT COUNT(*) FROM HVXGR04D"), Texts{"2"});
    EXPECT_EQ(hvxtest::Rows("SELECT SETTUNITS FROM HVXGR02S"), Texts{"350.5000"});
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t40.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t40.00\t1\t9101\t"}));
}

TEST_P(SettlementSaveAtomicity, ResaveThatGivesUnitsAndRepaymentsBack) {
    const auto arrange = [this] {
        ASSERT_TRUE(Save()) << message;
        hvx::settlement::SettlementDetailItem stored = *set.details.FindLine("9102");
        set.details.RemoveLine("9102", ui);
        stored.unitsSet = 100;
        stored.oUnits = "100.0000";
        set.details.AddLine(stored);
        set.deductions.RemoveLink("9101");
        set.deductions.Add("ADV", "25.00", "D", "T", "9101", "A100", "Assembly");
    };
    EXPECT_EQ(FailEachStatementInTurn(arrange), std::vector<long>{}) << kUnnoticed;
    EXPECT_EQ(hvxtest::Rows("SELECT RECNO FROM HVXGR04"), Texts{"1"});
    EXPECT_EQ(hvxtest::Rows("SELECT SETTUNITS FROM HVXGR02S"), Texts{"300.0000"});
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t25.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t25.00\t1\t9101\t"}));
}

}  // namespace
