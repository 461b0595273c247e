// The report module loaded by file name: its printer selection offers a PDF file
// (no printer here), and the check written there has its amount in words agree
// with its figures. The PDFs and a PNG stay in the build's test-output folder.
#include <dlfcn.h>

#include <filesystem>
#include <regex>

#include "QtTestSupport.h"
#include "abi/SiblingAbi.h"
#include "settlement/AmountInWords.h"
#include "support/CheckSeed.h"

namespace {

namespace fs = std::filesystem;

class SettlementCheckPdf : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SettlementCheckPdf);

TEST_P(SettlementCheckPdf, PrintsToTheChosenFileACheckWhoseWordsAndFiguresAgree) {
    // The test command installs poppler-utils: in CI a missing reader is a fault.
    const bool canRead = !QStandardPaths::findExecutable("pdftotext").isEmpty();
    ASSERT_TRUE(canRead || qgetenv("CI") != "true") << "pdftotext is missing in CI";
    hvxtest::SeedCheckSettlement("", "5001");
    void* reports = dlopen(HARVEXA_MODULES_DIR "/H32GRR.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(reports, nullptr) << dlerror();
    const auto select =
        reinterpret_cast<HVXCheckPrinterSelectFn>(dlsym(reports, "CheckPrinterSelect"));
    const auto print = reinterpret_cast<HVXPrintSettlementCheckFn>(
        dlsym(reports, hvx::kPrintSettlementCheckFunction));
    ASSERT_TRUE(select && print);

    const fs::path output =
        fs::path(HARVEXA_MODULES_DIR).parent_path().parent_path() / "test-output";
    fs::create_directories(output);
    const std::string engine = GetParam() == hvxtest::Backend::SQLite ? "-sqlite" : "-postgresql";
    const struct {
        const char* name;
        bool asked, keepDetail, ok;  // not asked: the file comes from $HARVEXA_CHECK_PDF
    } cases[] = {{"settlement-check", false, true, true},
                 {"check-with-detail", true, true, true},
                 {"check-without-detail", true, false, true},
                 {"check-cancelled", true, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path pdf = output / (c.name + engine + ".pdf");
        fs::remove(pdf);
        if (!c.asked) setenv("HARVEXA_CHECK_PDF", pdf.c_str(), 1);
        if (c.asked)
            hvxtest::WhenModal<QDialog>([&](QDialog* dialog) {
                auto* detail = dialog->findChild<QCheckBox*>();
                auto* file = dialog->findChild<QLineEdit*>();
                auto* buttons = dialog->findChild<QDialogButtonBox*>();
                ASSERT_TRUE(detail && file && buttons);
                EXPECT_TRUE(detail->isChecked()) << "starts as the caller asks";
                detail->setChecked(c.keepDetail);  // "Print Source Detail" on or off
                file->setText(QString::fromStdString(pdf.string()));
                buttons->button(c.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
            });
        HVXCheckPrintOptions options{};
        const int selected = select(nullptr, "Print Source Detail", 1, &options);
        unsetenv("HARVEXA_CHECK_PDF");
        EXPECT_EQ(selected == 1, c.ok);
        if (!c.ok) continue;
        EXPECT_EQ(options.toFile, 1);
        EXPECT_EQ(std::string(options.fileName), pdf.string());
        EXPECT_EQ(options.extraOption, c.keepDetail ? 1 : 0);
        print(nullptr, hvxtest::kCheckSetLink, "5001", options.extraOption ? "T" : "F", &options);
        ASSERT_GT(fs::exists(pdf) ? fs::file_size(pdf) : 0, 2000u);
        const QString file = QString::fromStdString(pdf.string());
        if (!c.asked)
            hvxtest::ToolOutput("pdftoppm",
                                {"-png", "-r", "60", "-singlefile", file, file.chopped(4)});
        if (!canRead) continue;

        const std::string text = hvxtest::ToolOutput("pdftotext", {"-layout", file, "-"});
        std::smatch figures;
        ASSERT_TRUE(std::regex_search(text, figures, std::regex(R"(\$([0-9,]+\.[0-9]{2}))")))
            << text;
        std::string digits = figures[1];
        std::erase(digits, ',');
        EXPECT_EQ(digits, "1234.56");
        EXPECT_NE(text.find(hvx::settlement::AmountInWords(std::stod(digits))), std::string::npos);
        for (const char* shown :
             {"One Thousand Two Hundred Thirty-Four and 56/100 Dollars", "Check No. 5001",
              "O'Neil Farms and Farm Credit West", "Drying <& Shrink>", "Net"})
            EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
        EXPECT_EQ(text.find("Assembly A-17") != std::string::npos, c.keepDetail) << text;
    }
    dlclose(reports);
    if (!canRead) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: no text was read";
}

}  // namespace
