// Saving a settlement on every engine: the exact rows of a new single-source
// settlement, what a change and a re-save leave behind, the one destination
// of a multiple-source settlement, and the check amount.
#include "settlement/CheckAmount.h"
#include "settlement/SettlementSaveTestSupport.h"

namespace {

using hvxtest::Rows;
using hvxtest::Texts;
using hvx::settlement::CheckAmount;

class SettlementSave : public hvxtest::SettlementSaveFixture {
protected:
    static Texts Header() {
        return Rows("SELECT SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,"
                    "CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO FROM HVXGR04");
    }
    static Texts Lines() {
        return Rows("SELECT RECNO,SETTLEMENT,SETLINK,SOURCE,SOURCEREF,UNITSSET,TODPR,CONTRACT,"
                    "SETDTE,PATRONAGE,STATUS,REVERSED,SOURCELINK,DLLINK,POSTED,GLPOSTED,"
                    "PRICEUNIT,TOTPRICE,STYPE,NUMCHANGE FROM HVXGR04D ORDER BY RECNO");
    }
    static Texts Destinations() {
        return Rows("SELECT RECNO,DESTLINK,SETLINK,DLLINK,SETDTE,STATUS,OUNITS,UNITSSET,TODPR,"
                    "CONTRACT,SRATEDATE,SSDATE,ISDATE,AVGPRICE,GROSSAMT,NETAMT,STYPE,SUBMITTED "
                    "FROM HVXGR04F ORDER BY RECNO");
    }
    static Texts Sources() {
        return Rows("SELECT 'split',SETTUNITS,SETTLED FROM HVXGR02S UNION ALL "
                    "SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A ORDER BY 1");
    }
};
HVX_DATABASE_TEST_SUITE(SettlementSave);

TEST_P(SettlementSave, NewSettlementWritesEveryRowUnderItsNewNumberAndLink) {
    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(message, "");
    EXPECT_EQ(set.header.recno, 1);
    EXPECT_EQ(set.header.setLink, "1");
    EXPECT_EQ(set.header.settlement, "41");
    EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});

    // The check pays the Priced line's net amount only.
    EXPECT_EQ(Header(), (Texts{"41\tC1\tCasey Farms\t03/08/2024\t03/07/2024\t1\tF\tF\t\t808.75\t"
                               "0\t0\t1"}));
    EXPECT_EQ(Lines(),
              (Texts{"1\t41\t1\tAssembly\tA100\t200.0000\tPriced\t\t03/07/2024\tT\tC\tF\t7001\t"
                     "9101\tF\tF\t4.2500\t850.00\t0\t0",
                     "2\t41\t1\tAssembly\tA100\t150.5000\tStorage Ticket\tST-88\t03/07/2024\tT\t"
                     "O\tF\t7001\t9102\tF\tF\t0.0000\t0.00\t0\t0"}));
    EXPECT_EQ(Destinations(),
              (Texts{"1\t1\t1\t9101\t03/07/2024\tC\t0.0000\t200.0000\tPriced\t\t\t<NULL>\t"
                     "<NULL>\t4.2500\t850.00\t808.75\t0\tF",
                     "2\t2\t1\t9102\t03/07/2024\tO\t150.5000\t150.5000\tStorage Ticket\tST-88\t"
                     "0.0020\t03/07/2024\t<NULL>\t0.0000\t0.00\t0.00\t0\tF"}));
    EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK,RECNO FROM HVXGR04H ORDER BY RECNO"),
              (Texts{"1\tA100\t1\t1", "2\tA100\t1\t2"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE FROM HVXGR04B ORDER BY RECNO"),
              (Texts{"41\t1\t9101\t120.0000\t4.2500", "41\t1\t9101\t80.0000\t4.2500"}));
    EXPECT_EQ(Rows("SELECT SETLINK,DLLINK,DEDUCT,AMOUNT,DA FROM HVXGR04C ORDER BY RECNO"),
              (Texts{"1\t9101\tADV\t40.00\tD", "1\t9101\tCHECKOFF\t1.25\tD"}));
    EXPECT_EQ(Rows("SELECT SETLINK,DLLINK,GRADFACT,RESULT FROM HVXGR04A"),
              (Texts{"1\t9101\tMOIST\t15.000"}));
    EXPECT_EQ(Rows("SELECT SETTLEMENT,SETLINK,PAYNAME,PNTYPE FROM HVXGR04E ORDER BY RECNO"),
              (Texts{"41\t1\tO'Brien Farms\t0", "41\t1\tFirst Bank\t1"}));

    // 350.5 units leave the split, spread over its tickets in ticket order.
    EXPECT_EQ(Sources(), (Texts{"1001\t300.0000\tT", "1002\t50.5000\tF", "split\t350.5000\tF"}));
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t40.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t40.00\t1\t9101\t"}));
    EXPECT_EQ(Rows("SELECT RDATE FROM HVXGR57A"), Texts{"03/08/2024"});
}

TEST_P(SettlementSave, ResaveRewritesLinesKeepsHeaderAndMovesOnlyTheChange) {
    ASSERT_TRUE(Save()) << message;

    // The stored line goes from 150.5 to 100 units, the repayment from 40.00
    // to 60.00, and the bank leaves the pay names.
    hvx::settlement::SettlementDetailItem stored = *set.details.FindLine("9102");
    set.details.RemoveLine("9102", ui);
    stored.unitsSet = 100;
    stored.oUnits = "100.0000";
    set.details.AddLine(stored);
    set.deductions.RemoveLink("9101");
    set.deductions.Add("ADV", "60.00", "D", "T", "9101", "A100", "Assembly");
    set.deductions.Add("CHECKOFF", "1.25", "D", "F", "9101", "A100", "Assembly");
    set.details.FindLine("9101")->netAmt = 788.75;
    set.payNames.Clear();
    set.payNames.Add("O'Brien Farms", false);

    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(Header(), (Texts{"41\tC1\tCasey Farms\t03/08/2024\t03/07/2024\t1\tF\tF\t\t788.75\t"
                               "0\t0\t1"}));
    EXPECT_EQ(Rows("SELECT CONFIG18 FROM HVXGR40"), Texts{"42"});
    EXPECT_EQ(Rows("SELECT RECNO,DLLINK,UNITSSET FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"3\t9101\t200.0000", "4\t9102\t100.0000"}));
    EXPECT_EQ(Rows("SELECT RECNO,DESTLINK,DLLINK,OUNITS FROM HVXGR04F ORDER BY RECNO"),
              (Texts{"3\t3\t9101\t0.0000", "4\t4\t9102\t100.0000"}));
    EXPECT_EQ(Rows("SELECT FLINK FROM HVXGR04H ORDER BY RECNO"), (Texts{"3", "4"}));
    EXPECT_EQ(Rows("SELECT PAYNAME FROM HVXGR04E"), Texts{"O'Brien Farms"});
    EXPECT_EQ(Sources(), (Texts{"1001\t300.0000\tT", "1002\t0.0000\tF", "split\t300.0000\tF"}));
    // The earlier repayment was given back before the new one was applied.
    EXPECT_EQ(hvxtest::AdvanceState(), (Texts{"1\t60.00\tO", "2\t0.00\tO"}));
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t60.00\t1\t9101\t"}));

    // Saved again unchanged, the settlement moves nothing.
    const Texts sources = Sources(), advances = hvxtest::AdvanceState();
    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(Sources(), sources);
    EXPECT_EQ(hvxtest::AdvanceState(), advances);
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t60.00\t1\t9101\t"}));
    EXPECT_TRUE(Held().empty());
}

TEST_P(SettlementSave, MultipleSourceSettlementHasOneDestinationUnderItsLink) {
    using hvx::settlement::SettlementDetailItem;
    set.details.Clear();
    set.deductions.Clear();
    set.header.type = hvx::SettlementType::MultipleSource;
    SettlementDetailItem fromSplit = hvxtest::AssemblyLine("9201", "Priced", 100, 4.1, 0);
    SettlementDetailItem fromTicket = hvxtest::AssemblyLine("9202", "Priced", 50, 4.1, 0);
    fromSplit.location.clear();
    fromSplit.status = "O";
    fromTicket.source = "Scale Ticket";
    fromTicket.sourceRef = "1002";
    fromTicket.sourceLink = "8002";
    fromTicket.location = "3";
    for (SettlementDetailItem* line : {&fromSplit, &fromTicket}) {
        line->stype = "1";
        set.details.AddLine(*line);
    }
    set.terms.submitted = "T";
    set.terms.ssDate = "04/01/2024";
    set.deductions.Add("ADV", "25.00", "D", "T", "", "A100", "Assembly");
    values = {"Priced", 4.1, 615, 590};

    ASSERT_TRUE(Save()) << message;
    EXPECT_EQ(Rows("SELECT CHECKAMT,STYPE FROM HVXGR04"), Texts{"590.00\t1"});
    EXPECT_EQ(Rows("SELECT RECNO,SOURCE,STYPE FROM HVXGR04D ORDER BY RECNO"),
              (Texts{"1\tAssembly\t1", "2\tScale Ticket\t1"}));
    // Status of the last line, location of the first line that has one.
    EXPECT_EQ(Rows("SELECT RECNO,DESTLINK,DLLINK,STYPE,UNITSSET,OUNITS,STATUS,LOCATION,TODPR,"
                   "AVGPRICE,GROSSAMT,NETAMT,SSDATE,SUBMITTED FROM HVXGR04F"),
              (Texts{"1\t\t1\t1\t150.0000\t150.0000\tC\t3\tPriced\t4.1000\t615.00\t590.00\t"
                     "04/01/2024\tT"}));
    // The ticket's assembly is the split's: one link.
    EXPECT_EQ(Rows("SELECT FLINK,ASSEMBLY,SETTLINK FROM HVXGR04H"), Texts{"1\tA100\t1"});
    EXPECT_EQ(Rows("SELECT SETTUNITS FROM HVXGR02S"), Texts{"150.0000"});
    // One destination repays for the whole settlement: no line is named.
    EXPECT_EQ(hvxtest::Repayments(), (Texts{"A1\t25.00\t1\t\t"}));
}

TEST(CheckAmount, PaysOnlyGrainSoldOutrightEachLineRoundedToTheCent) {
    hvx::settlement::SettlementRecordSet single, multiple;
    for (const char* link : {"1", "2"})
        single.details.AddLine(hvxtest::AssemblyLine(link, "Priced", 1, 0.125, 0.125));
    single.details.AddLine(hvxtest::AssemblyLine("3", "Storage Ticket", 1, 0, 7));
    multiple.header.type = hvx::SettlementType::MultipleSource;
    hvx::settlement::SettlementWindowValues sold{"Priced", 0, 0, 590.55}, stored = sold;
    stored.destination = "Storage Ticket";
    EXPECT_DOUBLE_EQ(CheckAmount(single, sold), 0.26);  // 0.13 + 0.13, not 0.25
    EXPECT_DOUBLE_EQ(CheckAmount(multiple, sold), 590.55);
    EXPECT_DOUBLE_EQ(CheckAmount(multiple, stored), 0);
}

}  // namespace
