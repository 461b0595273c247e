// The settlement contracts, the assembly sheet and the warehouse receipts
// report printed unattended from the report module to PDF and read back: the
// figures on the page are those of the stored rows, names with quotes and
// ampersands print as stored, and a long list carries its headings onto the
// next page. Each document's first page is kept as a PNG in test-output.

#include <filesystem>
#include <regex>

#include "ReportsTestSupport.h"
#include "abi/SiblingAbi.h"
#include "platform/Format.h"
#include "settlement/AmountInWords.h"
#include "support/ScriptedUi.h"

namespace {

namespace fs = std::filesystem;

// Blanks and line ends as one blank, so a name wrapped in its column reads whole.
std::string Flat(const std::string& text) {
    return std::regex_replace(text, std::regex(R"(\s+)"), " ");
}

std::string Money(const std::string& stored) {
    return hvx::settlement::AmountInFigures(std::stod(stored));
}

void AddReceipt(int recno, const std::string& ref, const std::string& vendor,
                const std::string& commodity, const std::string& units, bool settled) {
    hvxtest::Exec(_HVXsprintf(
        "INSERT INTO HVXGR08 (CWRREF,CWRLINK,VENREF,COMMODITY,LOCATION,ISSUDATE,UNITS,SETTDATE,"
        "OPENCLOSE,NUMCHANGE,RECNO) VALUES ('%s','%d','%s','%s','01','2026-03-01','%s',%s,'%s',"
        "'0',%d)",
        ref, recno, vendor, commodity, units, settled ? "'2026-03-20'" : "NULL",
        settled ? "C" : "O", recno));
}

class DocumentPdf : public hvxtest::ReportsTest {
protected:
    void SetUp() override {
        ReportsTest::SetUp();
        ASSERT_FALSE(QStandardPaths::findExecutable("pdftotext").isEmpty() &&
                     qgetenv("CI") == "true");
    }
    // Prints through the export into name.pdf and returns its text.
    template <class Call>
    std::string Print(const std::string& name, Call call) {
        const fs::path output =
            fs::path(HARVEXA_MODULES_DIR).parent_path().parent_path() / "test-output";
        fs::create_directories(output);
        const fs::path pdf = output / (name + "-" + hvxtest::BackendName({GetParam(), 0}) + ".pdf");
        fs::remove(pdf);
        setenv("HARVEXA_REPORT_PDF", pdf.c_str(), 1);
        call();
        unsetenv("HARVEXA_REPORT_PDF");
        const QString file = QString::fromStdString(pdf.string());
        hvxtest::ToolOutput("pdftoppm", {"-png", "-r", "60", "-f", "1", "-l", "1", "-singlefile",
                                         file, file.chopped(4)});
        return hvxtest::ToolOutput("pdftotext", {"-layout", file, "-"});
    }
};
HVX_DATABASE_TEST_SUITE(DocumentPdf);

TEST_P(DocumentPdf, FiguresAndNamesOnThePageAreThoseStored) {
    auto contract = Function<HVXPrintSettlementFn>("DoPrintSettlementContractEx");
    auto installment = Function<HVXPrintSettlementFn>("DoPrintInstallmentSaleContract");
    auto sheet = Function<HVXReportFn>("DoOneAssemblySheetEx");
    auto receipts = Function<HVXReportFn>("DoCWRReport");
    ASSERT_TRUE(contract && installment && sheet && receipts);
    const std::string longName =
        "O'Connor & Kowalski \"Prairie\" Grain and Livestock Family Farms Limited Partnership";
    hvxtest::Exec(_HVXsprintf("UPDATE HVXGR04 SET CUSTNAME='%s' WHERE SETTLEMENT='4'", longName));
    hvxtest::Exec("UPDATE HVXGR04F SET ISDOLUSED='2500.10' WHERE SETTLEMENT='4'");
    hvxtest::Exec("UPDATE HVXAR50 SET NAME='Pat O''Brien & Sons' WHERE REFERENCE='OBRIEN'");
    AddReceipt(1, "R-2", "DRYERPRO", "CORN", "500.25", false);
    AddReceipt(2, "R-1", "MIDSTATE", "CORN", "1200.50", true);
    AddReceipt(3, "R-3", "HAULRITE", "SOYBEANS", "75.00", false);

    std::vector<std::string> expected;  // read from the stored rows
    for (const std::string& row : hvxtest::Rows("SELECT TODPR,CONTRACT,UNITSSET,OUNITS FROM "
                                                "HVXGR04F WHERE SETTLEMENT='7' ORDER BY RECNO")) {
        const QStringList c = QString::fromStdString(row).split('\t');
        expected.push_back(c[0].toStdString() + " Contract " + c[1].toStdString());
        expected.push_back(
            _HVXsprintf("Units: %.4f Open Units: %.4f", c[2].toDouble(), c[3].toDouble()));
    }
    ASSERT_EQ(expected.size(), 4u) << "settlement 7 has two contracts";
    const QStringList sale =
        QString::fromStdString(
            hvxtest::Rows("SELECT GROSSAMT,NETAMT,ISRATE FROM HVXGR04F WHERE SETTLEMENT='4'").at(0))
            .split('\t');
    const struct {
        const char* name;
        std::function<void()> print;
        std::vector<std::string> shown;
    } cases[] = {
        {"settlement-contract",
         [&] { contract(nullptr, "7"); },
         {expected[0], expected[1], expected[2], expected[3], "Paid Through: 02/18/2026",
          "Service From: 02/18/2026", "Submitted for Guarantee: No", "Customer: ____"}},
        {"installment-contract",
         [&] { installment(nullptr, "4"); },
         {longName + " (KOWALSKI)", "Gross Amount: " + Money(sale[0].toStdString()),
          "Amount Due: " + Money(sale[1].toStdString()), "Paid: 2,500.10 Balance: 10,213.90",
          "Interest Rate: " + sale[2].toStdString() + "%", "Due Date: 01/15/2027",
          "3000.0000 4.2500 12,750.00", "For the company: ____"}},
        {"assembly-sheet",
         [&] { sheet(nullptr, "26002", "", "", 0); },
         {"Pat O'Brien & Sons (OBRIEN)", "Share Priced Later 60.00 1200.0000",
          "Share Storage Ticket 40.00 800.0000",
          "Ticket 260112 Priced Later 588.0000 0.0000 10.3500",
          "Assembly total 2000.0000 2000.0000"}},
        {"receipts-report",
         [&] { receipts(nullptr, "", "", "", 0); },
         // In reference order, whatever the order they were stored in.
         {"R-1 MIDSTATE Mid-State Grain Brokerage 03/01/2026 03/20/2026 1200.5000 "
          "R-2 DRYERPRO Dryer Pro Service & Parts 03/01/2026 500.2500",
          "Total at 01 500.2500 1200.5000", "Total SOYBEANS 75.0000 0.0000"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = Flat(Print(c.name, c.print));
        for (const std::string& shown : c.shown)
            EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
}

TEST_P(DocumentPdf, ALongListRunsOnWithItsHeadingsAndTotals) {
    double open = 0, settled = 0;
    for (int i = 1; i <= 150; ++i) {
        AddReceipt(i, _HVXsprintf("L-%03d", i), "MIDSTATE", "CORN", _HVXsprintf("%d.25", i),
                   i % 3 == 0);
        (i % 3 ? open : settled) += i + 0.25;
    }
    auto receipts = Function<HVXReportFn>("DoCWRReport");
    ASSERT_TRUE(receipts);
    const std::string text = Print("receipts-long", [&] { receipts(nullptr, "", "", "", 0); });
    const auto pages = std::count(text.begin(), text.end(), '\f');
    EXPECT_GE(pages, 2);
    std::size_t headings = 0;
    for (auto at = text.find("CWR Reference"); at != std::string::npos;
         at = text.find("CWR Reference", at + 1))
        ++headings;
    EXPECT_EQ(headings, std::size_t(pages));
    EXPECT_NE(text.find(_HVXsprintf("Page 2 of %d", int(pages))), std::string::npos) << text;
    EXPECT_NE(Flat(text).find(_HVXsprintf("Total at 01 %.4f %.4f", open, settled)),
              std::string::npos);
}

TEST_P(DocumentPdf, WithoutADocumentToPrintTheUserIsToldWhy) {
    auto contract = Function<HVXPrintSettlementFn>("DoPrintSettlementContractEx");
    auto installment = Function<HVXPrintSettlementFn>("DoPrintInstallmentSaleContract");
    auto sheet = Function<HVXReportFn>("DoOneAssemblySheetEx");
    ASSERT_TRUE(contract && installment && sheet);
    const struct {
        std::function<void()> print;
        const char* message;
    } cases[] = {
        {[&] { contract(nullptr, ""); }, "Save the settlement before printing its contract."},
        {[&] { contract(nullptr, "999"); }, "Settlement 999 was not found."},
        {[&] { contract(nullptr, "8"); }, "Settlement 8 has no open contract to print."},
        {[&] { installment(nullptr, "3"); },
         "Settlement 3 has no installment sale contract to print."},
        {[&] { sheet(nullptr, "99999", "", "", 0); }, "Assembly 99999 was not found."},
    };
    for (const auto& c : cases) {
        hvxtest::ScriptedUi ui;
        EXPECT_EQ(Print("not-printed", c.print), "");
        ASSERT_EQ(ui.messages.size(), 1u) << c.message;
        EXPECT_EQ(ui.messages[0].text, c.message);
    }
}

}  // namespace
