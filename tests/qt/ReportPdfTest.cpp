// The documents of the report module, printed unattended to PDF from the demo
// cooperative and read back: the figures agree with the stored rows, names
// with quotes and ampersands print as typed, a long settlement runs to several
// pages with its column headings on each. The PDFs and a PNG of each first
// page stay in the build's test-output folder.

#include <filesystem>
#include <regex>

#include "ReportsTestSupport.h"
#include "abi/SiblingAbi.h"
#include "platform/Format.h"
#include "platform/ReportLayout.h"
#include "settlement/AmountInWords.h"

namespace {

namespace fs = std::filesystem;
using hvx::settlement::AmountInFigures;

const std::string kLongName = "O'Malley & Daughters Grain and Cattle Partnership of Story County";

class ReportPdf : public hvxtest::ReportsTest {
protected:
    // Runs the print with the PDF named for it; its text, pages apart at "\f".
    std::string Print(const std::string& name, const std::function<void()>& print) {
        const fs::path output =
            fs::path(HARVEXA_MODULES_DIR).parent_path().parent_path() / "test-output";
        fs::create_directories(output);
        const std::string engine =
            GetParam() == hvxtest::Backend::SQLite ? "-sqlite" : "-postgresql";
        const fs::path pdf = output / (name + engine + ".pdf");
        fs::remove(pdf);
        setenv("HARVEXA_REPORT_PDF", pdf.c_str(), 1);
        print();
        unsetenv("HARVEXA_REPORT_PDF");
        EXPECT_GT(fs::exists(pdf) ? fs::file_size(pdf) : 0, 1000u) << pdf;
        const QString file = QString::fromStdString(pdf.string());
        hvxtest::ToolOutput("pdftoppm",
                            {"-png", "-r", "80", "-f", "1", "-singlefile", file, file.chopped(4)});
        return hvxtest::ToolOutput("pdftotext", {"-layout", file, "-"});
    }

};
HVX_DATABASE_TEST_SUITE(ReportPdf);

// The amount printed after a label at the start of a row, as stored text.
std::string AmountAfter(const std::string& text, const std::string& label) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex("\\n\\s*" + label + "\\s+.*?(-?[0-9,]+\\.[0-9]{2})\\s*\\n")))
        return "(no " + label + ")";
    return m[1];
}

bool PdfReaderMissing() {
    const bool missing = QStandardPaths::findExecutable("pdftotext").isEmpty();
    EXPECT_TRUE(!missing || qgetenv("CI") != "true") << "pdftotext is missing in CI";
    return missing;
}

TEST_P(ReportPdf, SettlementStatementsShowTheStoredFiguresAndNetToTheCent) {
    if (PdfReaderMissing()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const auto print = Function<HVXPrintSettlementFn>("DoPrintSettlementEx");
    ASSERT_NE(print, nullptr);
    const struct {
        const char* number;
        std::vector<std::string> shown;
    } cases[] = {
        {"8", {"Schmidt Acres", "Check No. 10238"}},
        {"9", {"Anderson Family Farms", "2150 County Road 14", "Total charges", "-56.40",
               "Total advances repaid", "-1,500.00", "Storage Ticket", "ST-1001", "4.3100"}},
        {"10", {"Patrick O'Brien", "Prairie City, IA 50228", "Priced Later", "PL-1003"}},
        {"6", {"Martinez Land & Cattle Co."}},
        {"11", {"Multiple source", "ST-1007", "PL-1007"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        const std::string text =
            Print(std::string("statement-") + c.number, [&] { print(nullptr, c.number); });
        const auto stored = hvxtest::Rows(
            std::string("SELECT H.CHECKAMT,D.TOTPRICE FROM HVXGR04 H JOIN HVXGR04D D ON "
                        "D.SETLINK=H.SETLINK WHERE H.SETTLEMENT='") + c.number + "'");
        ASSERT_FALSE(stored.empty());
        double gross = 0;
        for (const std::string& row : stored) gross += std::stod(row.substr(row.find('\t') + 1));
        // Only a priced settlement pays its net by check.
        const std::string checkAmount = stored[0].substr(0, stored[0].find('\t'));
        if (std::stod(checkAmount) != 0) {
            EXPECT_EQ(AmountAfter(text, "Net"), AmountInFigures(std::stod(checkAmount))) << text;
        }
        EXPECT_EQ(AmountAfter(text, "Gross"), AmountInFigures(gross)) << text;
        for (const std::string& shown : c.shown)
            EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    }
}

TEST_P(ReportPdf, ASixtyLineSettlementRepeatsItsHeadingsOnEveryPage) {
    if (PdfReaderMissing()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    hvxtest::Exec("INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,SETLINK,CHECKAMT,STYPE,RECNO) "
                  "VALUES ('9001','OMALLEY','O''Malley & Daughters Grain and Cattle Partnership "
                  "of Story County','9001','2520.36','0',9001)");
    for (int i = 1; i <= 60; ++i)
        hvxtest::Exec(_HVXsprintf(
            "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,LOCATION,UNITSSET,"
            "FROMDPR,TODPR,PRICEUNIT,TOTPRICE,RECNO) VALUES ('9001','9001','Scale Ticket',"
            "'T-%d','CORN','01','10.0000','Open Storage','Priced','4.2500','42.50',%d)",
            i, 9000 + i));
    hvxtest::Exec("INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DEDUCT,AMOUNT,DA,RECNO) VALUES "
                  "('9001','9001','CORNCHK','6.00','D',9001),('9001','9001','QUALITY','1.36','A',9002),"
                  "('9001','9001','ADVANCE','25.00','D',9003)");
    const std::string text = Print("statement-sixty-lines", [&] {
        Function<HVXPrintSettlementFn>("DoPrintSettlementEx")(nullptr, "9001");
    });
    EXPECT_NE(text.find(kLongName), std::string::npos) << text;
    EXPECT_EQ(AmountAfter(text, "Gross"), "2,550.00");
    EXPECT_EQ(AmountAfter(text, "Net"), "2,520.36");  // 2550.00 - 6.00 + 1.36 - 25.00
    std::vector<std::string> pages;
    for (std::size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos;
         start = end + 1)
        pages.push_back(text.substr(start, end - start));
    ASSERT_GE(pages.size(), 2u) << text;
    for (std::size_t n = 0; n < pages.size(); ++n) {
        SCOPED_TRACE(n + 1);
        EXPECT_TRUE(std::regex_search(pages[n], std::regex("Source +Reference +From +To")));
        EXPECT_NE(pages[n].find(_HVXsprintf("Page %d of %d", int(n + 1), int(pages.size()))),
                  std::string::npos);
    }
    for (int i : {1, 30, 60})
        EXPECT_NE(text.find(_HVXsprintf("T-%d ", i)), std::string::npos) << i;
}

TEST_P(ReportPdf, ShipmentBatchShowsEachLoadItsLinesAndTheTotals) {
    if (PdfReaderMissing()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    hvxtest::Exec(
        "INSERT INTO HVXGR07 (REFERENCE,SHIPDATE,COMMODITY,LOCATION,CARNUM,CARINIT,CUSTNAME,"
        "CUSTREF,CONTRACT,BASEPRICE,ESTWGHT,ESTUNITS,FROMDPR,VENDOR,SHIPDEST,SHIPLINK,RECNO) VALUES "
        "('1','2026-03-07','CORN','01','4471','UP','O''Malley & Daughters Grain and Cattle "
        "Partnership of Story County','OMALLEY','SC-26-101','4.4500','49000.00','875.00',"
        "'Company Owned','Ray''s Trucking & Hauling','Cedar Ethanol','801',801),"
        "('2','2026-03-07','CORN','01','4472','UP','Cedar Ethanol','CIETHANOL','SC-26-101',"
        "'4.4500','28000','500','Priced Later','','Cedar Ethanol','802',802)");
    hvxtest::Exec(
        "INSERT INTO HVXGR07A (REFERENCE,CONTRACT,GROSSWGHT,DOCKWGHT,NETWGHT,NETUNITS,PRICE,"
        "GROSSAMT,ADVANCE,DEDUCT,NETAMT,SHIPLINK,DLLINK,RECNO) VALUES ('1','SC-26-101','50000.00',"
        "'1000.00','49000.00','875.00','4.4500','3893.75','100.00','21.13','3772.62','801','901',1)");
    hvxtest::Exec("INSERT INTO HVXGR07D (DEDUCTION,AMOUNT,DLLINK,SHIPLINK,RECNO) VALUES "
                  "('CORNCHK','8.75','901','801',1),('TRUCKING','12.38','901','801',2)");
    hvxtest::Exec("INSERT INTO HVXGR07G (GRADFACT,RESULT,DLLINK,SHIPLINK,RECNO) VALUES "
                  "('MOISTURE','15.5','901','801',1)");
    const std::string text = Print("shipment-batch", [&] {
        Function<HVXReportFn>(hvx::kShipmentReportFunction)(nullptr, "801,802", "", "", 0);
    });
    for (const char* shown :
         {"Date: 03/07/2026", "Commodity: CORN Yellow Corn No. 2 (BU)", "Location: 01",
          "Deduction CORNCHK", "8.75", "12.38", "Grade MOISTURE: 15.5", "UP 4471", "875.0000",
          "500.0000", "3,893.75", "3,772.62", "Total: 2 loads", "O'Malley", "&"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
    // Totals row: units, gross, deductions, advances, net.
    EXPECT_TRUE(std::regex_search(
        text, std::regex("Total: 2 loads +1375.0000 +3,893.75 +21.13 +100.00 +3,772.62")))
        << text;
    for (const char* word : {"Daughters", "Partnership", "Story", "County", "Hauling"})
        EXPECT_NE(text.find(word), std::string::npos) << word;
}

// The layout reckons every character at kCharWidthEm of the size: the face
// the painter asks for must be installed, monospaced and no wider, or runs
// would spill into the next column.
TEST(ReportFont, TheMonospacedFaceIsNoWiderThanTheLayoutReckons) {
    for (int size : {7, 8, 12})
        for (bool bold : {false, true}) {
            QFont font("DejaVu Sans Mono");
            font.setPixelSize(size);
            font.setBold(bold);
            EXPECT_TRUE(QFontInfo(font).fixedPitch()) << QFontInfo(font).family().toStdString();
            const QFontMetricsF metrics(font);
            for (const QChar c : QString("MW@#0&'é"))
                EXPECT_LE(metrics.horizontalAdvance(c), hvx::report::kCharWidthEm * size)
                    << size << (bold ? " bold " : " ") << QString(c).toStdString();
        }
}

}  // namespace
