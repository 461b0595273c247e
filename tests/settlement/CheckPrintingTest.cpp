// Printing a settlement check on every engine, with the report module played
// by fake functions that count the prints: which number is printed, how often,
// and what the counter and the settlement hold afterwards.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settlement/CheckPrinting.h"
#include "abi/SiblingAbi.h"
#include "support/CheckSeed.h"
#include "support/FakeHost.h"
#include "support/ScriptedUi.h"

namespace {

using hvx::MsgAnswer;
using hvxtest::Column;

constexpr const char* kQuestion = "Did the check print correctly?.\n\nNo will reprint this check.";

struct Fakes {
    int selectAnswer = 1;
    int detail = 1;
    std::string selectCall;
    std::vector<std::string> prints;  // "link/number/detail/file" of each print
    std::string duringPrint;          // SQL another workstation runs meanwhile
};
Fakes gFakes;

int SelectFake(void*, const char* caption, int on, HVXCheckPrintOptions* options) {
    gFakes.selectCall = std::string(caption) + ":" + std::to_string(on);
    options->toFile = 1;
    std::strcpy(options->fileName, "/tmp/check.pdf");
    options->extraOption = gFakes.detail;
    return gFakes.selectAnswer;
}

void PrintFake(void*, const char* setLink, const char* number, const char* detail,
               const HVXCheckPrintOptions* options) {
    gFakes.prints.push_back(std::string(setLink) + "/" + number + "/" + detail + "/" +
                            options->fileName);
    if (!gFakes.duringPrint.empty()) hvxtest::Exec(gFakes.duringPrint);
}

class CheckPrinting_ : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        gFakes = Fakes{};
        host.AddModule("H32GRR.DLL")
            .Export("CheckPrinterSelect", &SelectFake)
            .Export("DoPrintSettlementCheck", &PrintFake);
    }
    std::string Counter() {
        auto c = Column("SELECT CHECKNUM FROM HVXREP4");
        return c.empty() ? "<none>" : c[0];
    }
    std::string Stored() { return Column("SELECT CHECKNUM FROM HVXGR04 WHERE RECNO=77")[0]; }

    hvxtest::FakeHost host;
    hvxtest::ScriptedUi ui;
};

TEST_P(CheckPrinting_, UsesUpACounterNumberOnlyOnYesAndReprintsWithTheSameNumber) {
    const struct {
        const char* name;
        const char* own;  // the settlement's own check number
        std::vector<MsgAnswer> answers;
        int detail;
        bool confirmed;
        std::vector<std::string> prints;
        const char* counter;
        const char* stored;
    } cases[] = {
        {"counter, Yes", "", {MsgAnswer::Yes}, 1, true, {"77/5001/T/"}, "5002", "5001"},
        {"own number, No No Yes", "1001",
         {MsgAnswer::No, MsgAnswer::No, MsgAnswer::Yes}, 0, true,
         {"77/1001/F/", "77/1001/F/", "77/1001/F/"}, "5001", "1001"},
        {"counter, No then Cancel", "", {MsgAnswer::No, MsgAnswer::Cancel}, 1, false,
         {"77/5001/T/", "77/5001/T/"}, "5001", ""},
        {"own number, Cancel", "1001", {MsgAnswer::Cancel}, 1, false, {"77/1001/T/"}, "5001",
         "1001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        hvxtest::Exec("DELETE FROM HVXGR04");
        hvxtest::Exec("DELETE FROM HVXGR04D");
        hvxtest::Exec("DELETE FROM HVXGR04C");
        hvxtest::Exec("DELETE FROM HVXGR04E");
        hvxtest::Exec("DELETE FROM HVXGR52");
        hvxtest::Exec("DELETE FROM HVXREP4");
        hvxtest::SeedCheckSettlement(c.own, "5001");
        gFakes.prints.clear();
        gFakes.detail = c.detail;
        ui.messages.clear();
        ui.answers.assign(c.answers.begin(), c.answers.end());

        std::string field = c.own;
        hvx::settlement::CheckPrinting printing(ui, &host);
        EXPECT_EQ(printing.PrintSettlementCheck(field, hvxtest::kCheckSetLink, hvxtest::kCheckRecno),
                  c.confirmed);

        std::vector<std::string> expected;
        for (const auto& p : c.prints) expected.push_back(p + "/tmp/check.pdf");
        EXPECT_EQ(gFakes.prints, expected);
        EXPECT_EQ(gFakes.selectCall, "Print Source Detail:1");
        ASSERT_EQ(ui.messages.size(), c.answers.size());
        for (const auto& m : ui.messages) {
            EXPECT_EQ(m.text, kQuestion);
            EXPECT_EQ(m.caption, "Harvexa");
            EXPECT_EQ(m.buttons, hvx::MsgButtons::YesNoCancel);
        }
        EXPECT_EQ(Counter(), c.counter);
        EXPECT_EQ(Stored(), c.stored);
        EXPECT_EQ(field, c.confirmed ? c.stored : c.own);
        EXPECT_EQ(ui.waitDepth, 0);
    }
}

// Another workstation took the same counter number and printed two checks
// while this one printed: the clerk is told, the settlement keeps the number
// its check bears, and the counter is not set back over the other's checks.
TEST_P(CheckPrinting_, NumberTakenMeanwhileByAnotherWorkstationIsToldAndTheCounterKept) {
    hvxtest::SeedCheckSettlement("", "5001");
    gFakes.duringPrint = "UPDATE HVXREP4 SET CHECKNUM='5003'";
    ui.answers = {MsgAnswer::Yes};
    std::string field;
    hvx::settlement::CheckPrinting printing(ui, &host);
    EXPECT_TRUE(printing.PrintSettlementCheck(field, hvxtest::kCheckSetLink, hvxtest::kCheckRecno));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text,
              "Check number 5001 was also given to a check printed at another workstation while "
              "this one printed. Please void one of the two checks.");
    EXPECT_EQ(ui.messages[1].caption, "Harvexa");
    EXPECT_EQ(Counter(), "5003");
    EXPECT_EQ(Stored(), "5001");
    EXPECT_EQ(field, "5001");
}

TEST_P(CheckPrinting_, StopsBeforePrintingWhenTheSelectionIsCancelledOrNoNumberIsAvailable) {
    hvxtest::SeedCheckSettlement("", "");
    std::string field;
    hvx::settlement::CheckPrinting printing(ui, &host);

    gFakes.selectAnswer = 0;
    EXPECT_FALSE(printing.PrintSettlementCheck(field, hvxtest::kCheckSetLink, 77));
    EXPECT_TRUE(ui.messages.empty());

    gFakes.selectAnswer = 1;
    EXPECT_FALSE(printing.PrintSettlementCheck(field, hvxtest::kCheckSetLink, 77));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Unable to retrieve current check number from HVXREP4.");
    EXPECT_EQ(ui.messages[0].caption, "Harvexa");
    EXPECT_TRUE(gFakes.prints.empty());
    EXPECT_EQ(Stored(), "");
}

// A settlement not saved yet has nothing stored to print from or to keep
// the number with: no selection, no print, no number used.
TEST_P(CheckPrinting_, UnsavedSettlementPrintsNothingAndUsesNoNumber) {
    hvxtest::SeedCheckSettlement("", "5001");
    std::string field;
    hvx::settlement::CheckPrinting printing(ui, &host);
    for (const auto& [link, recno] : {std::pair<const char*, double>{"", 0}, {"", 77},
                                      {hvxtest::kCheckSetLink, 0}}) {
        ui.messages.clear();
        EXPECT_FALSE(printing.PrintSettlementCheck(field, link, recno));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Please save this settlement before printing its check.");
    }
    EXPECT_EQ(gFakes.selectCall, "");
    EXPECT_TRUE(gFakes.prints.empty());
    EXPECT_EQ(Counter(), "5001");
    EXPECT_EQ(field, "");
}

TEST_P(CheckPrinting_, TellsWhenTheReportIsMissingAndStillAsks) {
    hvxtest::SeedCheckSettlement("", "12");
    host.modules["H32GRR.DLL"].functions.erase("DoPrintSettlementCheck");
    ui.answers = {MsgAnswer::Ok, MsgAnswer::Cancel};  // the report message, then the question
    std::string field;
    hvx::settlement::CheckPrinting printing(ui, &host);
    EXPECT_FALSE(printing.PrintSettlementCheck(field, hvxtest::kCheckSetLink, 77));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Unable to find report (DoPrintSettlementCheck) in H32GRR.DLL");
    EXPECT_EQ(ui.messages[1].text, kQuestion);
    EXPECT_EQ(Counter(), "12");
}

TEST_P(CheckPrinting_, CurrentCheckNumberKeepsAtMostTheBufferOfTheCounter) {
    hvxtest::SeedCheckSettlement("", "123456789012345678901234");
    std::string number;
    ASSERT_TRUE(hvx::settlement::CurrentCheckNumber(ui, number));
    EXPECT_EQ(number, "1234567890123456789");
}

HVX_DATABASE_TEST_SUITE(CheckPrinting_);

}  // namespace
