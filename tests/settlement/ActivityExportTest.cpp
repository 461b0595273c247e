// The activity exports and the positive-pay file on every engine, over a
// settlement saved, paid by a check printed twice and reversed through the
// core as the settlement window does it.
#include "abi/SiblingAbi.h"
#include "settlement/CheckPrinting.h"
#include "settlement/SettlementReversal.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "settlement/exchange/DateRange.h"
#include "settlement/exchange/ExportMoney.h"
#include "tools/AdminRun.h"

namespace {

using namespace hvxtest;
using hvx::MsgAnswer;

int SelectPrinter(void*, const char*, int, HVXCheckPrintOptions*) {
    return 1;
}
void PrintCheck(void*, const char*, const char*, const char*, const HVXCheckPrintOptions*) {}

class ActivityExport : public SettlementSaveFixture {
protected:
    // Settlement 41 of 03/07/2024 is posted, its check 5001 printed, found
    // wrong, printed again and kept, and the settlement reversed on 03/08 by
    // copy 42; its checkoff makes a receivable entry. Another workstation
    // gave 5001 to settlement 43 of 03/09 as well.
    void PrintAndReverse() {
        Exec("INSERT INTO HVXREP4 (CHECKNUM,RECNO) VALUES ('5001',1)");
        Exec(
            "UPDATE HVXGR52 SET MAKEENTRY='1',ARACCT1='1200',DESCRIPT='Checkoff' "
            "WHERE REFERENCE='CHECKOFF'");
        SaveAndPost();
        host.AddModule("H32GRR.DLL")
            .Export("CheckPrinterSelect", &SelectPrinter)
            .Export("DoPrintSettlementCheck", &PrintCheck);
        ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
        std::string field;
        ASSERT_TRUE(hvx::settlement::CheckPrinting(ui, &host).PrintSettlementCheck(
            field, set.header.setLink, set.header.recno));
        ASSERT_TRUE(hvx::settlement::ReverseSettlement(window)) << message;
        Exec(
            "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,SETTDATE,SETLINK,POSTED,REVERSED,"
            "CHECKNUM,CHECKAMT,STYPE,RECNO) VALUES ('43','C2','Dale Ross','2024-03-09','90',"
            "'T','F','5001','12.5','0',90)");
    }
    AdminResult Run(const std::vector<std::string>& args) { return AdminOn(connection_, args); }
};
HVX_DATABASE_TEST_SUITE(ActivityExport);

TEST(ExportMoney, TwoDecimalsRoundedAsTheModuleRoundsMoneyAndOddTextsKept) {
    for (const auto& [stored, money] : {std::pair{"1234.5", "1234.50"},
                                        {"-25", "-25.00"},
                                        {" 0.005", "0.01"},
                                        {"2.675", "2.68"},
                                        {"-0.004", "0.00"},
                                        {"-1.995", "-2.00"},
                                        {".5", "0.50"},
                                        {"", ""},
                                        {"1e3", "1e3"},
                                        {"1.2.3", "1.2.3"},
                                        {"-", "-"}})
        EXPECT_EQ(hvx::exchange::MoneyText(stored), money) << stored;
}

TEST(DateRange, TakesBothFormsOfRealDaysAndKeepsBothEnds) {
    using hvx::exchange::RangeDay;
    EXPECT_EQ(RangeDay("02/29/2024"), RangeDay("2024-02-29"));
    for (const char* bad : {"02/29/2025", "3/7/2024", "2024-13-01", "", "03/07/24"})
        EXPECT_FALSE(RangeDay(bad)) << bad;
    const hvx::exchange::DateRange march{RangeDay("03/01/2024"), RangeDay("03/31/2024")};
    for (const auto& [date, in] : {std::pair{"03/01/2024", true},
                                   {"03/31/2024", true},
                                   {"02/29/2024", false},
                                   {"04/01/2024", false},
                                   {"", false}})
        EXPECT_EQ(march.Contains(date), in) << date;
    EXPECT_TRUE(hvx::exchange::DateRange{}.Contains(""));
}

// The check is one line however often it was printed; reversed, it is void,
// in the file for its issue day and for its void day.
TEST_P(ActivityExport, PositivePayListsEachCheckOnceAndFlagsANumberGivenTwice) {
    PrintAndReverse();
    const std::string heading = "CHECKNUM,ISSUEDATE,AMOUNT,PAYEE,STATUS\r\n";
    const std::string voided = "5001,03/07/2024,808.75,O'Brien Farms and First Bank,V\r\n";
    const std::string warning =
        "harvexa-admin positive-pay: warning: check number 5001 was given "
        "to more than one settlement: 41, 43.\n";
    for (const auto& [from, to, out, err] :
         {std::tuple{"03/07/2024", "03/07/2024", heading + voided, warning},
          {"2024-03-08", "2024-03-08", heading + voided, warning},
          {"03/01/2024", "03/31/2024", heading + voided + "5001,03/09/2024,12.50,Dale Ross,I\r\n",
           warning},
          {"03/10/2024", "03/31/2024", heading, std::string()}}) {
        const AdminResult r = Run({"positive-pay", "--from", from, "--to", to});
        EXPECT_EQ(r.code, 0) << from;
        EXPECT_EQ(r.out, out) << from;
        EXPECT_EQ(r.err, err) << from;
    }
}

TEST_P(ActivityExport, EachKindWritesTheRowsOfItsOwnDays) {
    PrintAndReverse();
    const AdminResult register_ = Run({"export", "check-register", "--to", "03/08/2024"});
    EXPECT_EQ(register_.out,
              "CHECKNUM,DATE,PAYEE,AMOUNT,SETTLEMENT,CUSTREF,STATUS,VOIDDATE,VOIDSETTLEMENT\r\n"
              "5001,03/07/2024,O'Brien Farms and First Bank,808.75,41,C1,Void,03/08/2024,42\r\n");
    const AdminResult lines = Run({"export", "settlements", "--from", "03/07/2024"});
    EXPECT_EQ(Fields(lines.out, '\n'),
              (Texts{"SETTLEMENT,SETTDATE,ENTERED,TYPE,STATUS,CUSTREF,CUSTNAME,SOURCE,SOURCEREF,"
                     "COMMODITY,LOCATION,FROMDPR,TODPR,CONTRACT,UNITS,PRICE,AMOUNT,GROSS,NET,"
                     "CHECKNUM,CHECKAMT\r",
                     "41,03/07/2024,03/08/2024,0,Reversed,C1,Casey Farms,Assembly,A100,CORN,1,"
                     "Storage Ticket,Priced,,200.0000,4.2500,850.00,850.00,808.75,5001,808.75\r",
                     "41,03/07/2024,03/08/2024,0,Reversed,C1,Casey Farms,Assembly,A100,CORN,1,"
                     "Storage Ticket,Storage Ticket,ST-88,150.5000,0.0000,0.00,850.00,808.75,5001,"
                     "808.75\r",
                     // The copy keeps the settlement date of the settlement it reverses.
                     "42,03/07/2024,03/08/2024,0,Reversal,C1,Casey Farms,Assembly,A100,CORN,1,"
                     "Storage Ticket,Priced,,-200.0000,4.2500,-850.00,-850.00,-808.75,5001,"
                     "-808.75\r",
                     "42,03/07/2024,03/08/2024,0,Reversal,C1,Casey Farms,Assembly,A100,CORN,1,"
                     "Storage Ticket,Storage Ticket,ST-88,-150.5000,0.0000,0.00,-850.00,-808.75,"
                     "5001,-808.75\r"}));
    EXPECT_EQ(Run({"export", "settlements", "--to", "03/06/2024"}).out,
              Fields(lines.out, '\n')[0] + "\n");
    // Journal rows and the receivable entry were made by the reversal's posting on 03/08, and
    // the repayment and its negated copy are dated that day; the two advances are older.
    for (const auto& [kind, before, from] : {std::tuple{"position-journal", 1u, 3u},
                                             {"receivables", 1u, 2u},
                                             {"advance-activity", 3u, 3u}}) {
        EXPECT_EQ(Fields(Run({"export", kind, "--to", "03/07/2024"}).out, '\n').size(), before)
            << kind;
        EXPECT_EQ(Fields(Run({"export", kind, "--from", "03/08/2024"}).out, '\n').size(), from)
            << kind;
    }
}

TEST_P(ActivityExport, RefusesBadDatesAndKindsWithUsageErrors) {
    const std::string help = " See \"harvexa-admin --help\".\n";
    for (const auto& [args, err] : {
             std::pair{Texts{"export", "settlements", "--from", "02/30/2024"},
                       "export: --from takes a date as MM/DD/YYYY or YYYY-MM-DD, not "
                       "\"02/30/2024\"."},
             {Texts{"export", "settlements", "--to", "3/7/2024"},
              "export: --to takes a date as MM/DD/YYYY or YYYY-MM-DD, not \"3/7/2024\"."},
             {Texts{"export", "check-register", "--from", "03/09/2024", "--to", "2024-03-08"},
              "export: --from 03/09/2024 is after --to 2024-03-08."},
             {Texts{"export", "receivables", "--from", "03/01/2024", "--from", "03/02/2024"},
              "export: --from is given twice."},
             {Texts{"export", "customers", "--from", "03/01/2024"},
              "export: --from and --to are for the dated kinds (settlements, position-journal, "
              "receivables, advance-activity, check-register), not customers."},
             {Texts{"import", "settlements", "file.csv"},
              "import: unknown kind \"settlements\"; the kinds are locations, customers, vendors, "
              "grade-factors, commodities, commodity-factors, discount-schedules, deductions, "
              "liens, purchase-contracts, contract-schedules, sales-contracts, assembly-splits, "
              "scale-tickets, ticket-tests, advances."},
             {Texts{"positive-pay", "--from", "03/01/2024"},
              "positive-pay: --from and --to are required."},
         }) {
        const AdminResult r = Run(args);
        EXPECT_EQ(r.code, 2) << args[1];
        EXPECT_EQ(r.err, "harvexa-admin: " + std::string(err) + help);
        EXPECT_EQ(r.out, "");
    }
}

}  // namespace
