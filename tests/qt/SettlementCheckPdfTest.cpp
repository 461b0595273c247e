// The report module as the grain module meets it: loaded by file name from the
// modules folder, asked for a check of a stored settlement, and writing a PDF
// whose amount in words agrees with the amount in figures. The PDF and a PNG
// of it stay in the build's test-output folder for a person to look at.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "QtTestSupport.h"

#include "settlement/AmountInWords.h"
#include "abi/SiblingAbi.h"
#include "support/CheckSeed.h"

namespace {

namespace fs = std::filesystem;

fs::path OutputFolder() {
    const fs::path folder = fs::path(HARVEXA_MODULES_DIR).parent_path().parent_path() / "test-output";
    fs::create_directories(folder);
    return folder;
}

bool HaveTool(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// The report module loaded by file name, as the host loads it, with its two
// check functions; unloaded again at the end of the test.
struct ReportModule {
    void* module = dlopen(HARVEXA_MODULES_DIR "/H32GRR.so", RTLD_NOW | RTLD_LOCAL);
    std::string error = module ? "" : dlerror();
    HVXCheckPrinterSelectFn select =
        module ? reinterpret_cast<HVXCheckPrinterSelectFn>(dlsym(module, "CheckPrinterSelect"))
               : nullptr;
    HVXPrintSettlementCheckFn print =
        module ? reinterpret_cast<HVXPrintSettlementCheckFn>(
                     dlsym(module, hvx::kPrintSettlementCheckFunction))
               : nullptr;
    ReportModule() = default;
    ReportModule(const ReportModule&) = delete;
    ReportModule& operator=(const ReportModule&) = delete;
    ~ReportModule() {
        if (module) dlclose(module);
    }
};

class SettlementCheckPdf : public hvxtest::DatabaseTest {};

TEST_P(SettlementCheckPdf, PrintsACheckWhoseWordsAndFiguresAgree) {
    hvxtest::SeedCheckSettlement("", "5001");
    const ReportModule reports;
    ASSERT_TRUE(reports.select && reports.print) << reports.error;
    const auto select = reports.select;
    const auto print = reports.print;

    const std::string backend = GetParam() == hvxtest::Backend::SQLite ? "sqlite" : "postgresql";
    const fs::path pdf = OutputFolder() / ("settlement-check-" + backend + ".pdf");
    fs::remove(pdf);
    setenv("HARVEXA_CHECK_PDF", pdf.c_str(), 1);
    HVXCheckPrintOptions options{};
    const int selected = select(nullptr, "Print Source Detail", 1, &options);
    print(nullptr, hvxtest::kCheckSetLink, "5001", options.extraOption ? "T" : "F", &options);
    unsetenv("HARVEXA_CHECK_PDF");

    ASSERT_EQ(selected, 1);
    EXPECT_EQ(options.toFile, 1);
    EXPECT_EQ(std::string(options.fileName), pdf.string());
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(fs::file_size(pdf), 2000u);

    if (HaveTool("pdftoppm")) {
        const fs::path png = OutputFolder() / ("settlement-check-" + backend);
        Output("pdftoppm -png -r 60 -singlefile '" + pdf.string() + "' '" + png.string() + "'");
        EXPECT_TRUE(fs::exists(png.string() + ".png"));
    }
    // The test command installs poppler-utils: in CI a missing reader is a fault.
    const char* ci = std::getenv("CI");
    if (!HaveTool("pdftotext") && ci && std::string(ci) == "true")
        FAIL() << "pdftotext (poppler-utils) is missing in CI: the check's text was not read";
    if (!HaveTool("pdftotext"))
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed: the check's text was not read";

    const std::string text = Output("pdftotext -layout '" + pdf.string() + "' -");
    std::smatch figures;
    ASSERT_TRUE(std::regex_search(text, figures, std::regex(R"(\$([0-9,]+\.[0-9]{2}))"))) << text;
    std::string digits = figures[1];
    std::erase(digits, ',');
    EXPECT_EQ(digits, "1234.56");
    EXPECT_NE(text.find(hvx::settlement::AmountInWords(std::stod(digits))), std::string::npos)
        << text;
    for (const char* shown : {"One Thousand Two Hundred Thirty-Four and 56/100 Dollars",
                              "Check No. 5001", "O'Neil Farms and Farm Credit West",
                              "Drying <& Shrink>", "Assembly A-17", "Net"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
}

// The printer selection as the clerk meets it: with no printer on this
// machine it offers a PDF file; the extra option starts as the caller asks;
// OK hands back the choice, Cancel nothing. The chosen file then receives the
// check, its stub listing the sources only when the option stays on.
TEST_P(SettlementCheckPdf, SelectionChoosesAFileAndTheSourceDetail) {
    if (!HaveTool("pdftotext")) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    hvxtest::SeedCheckSettlement("", "5001");
    const ReportModule reports;
    ASSERT_TRUE(reports.select && reports.print) << reports.error;
    const auto select = reports.select;
    const auto print = reports.print;
    unsetenv("HARVEXA_CHECK_PDF");

    const struct {
        const char* name;
        bool keepDetail;  // leaves "Print Source Detail" on
        bool ok;
    } cases[] = {{"with-detail", true, true}, {"without-detail", false, true},
                 {"cancelled", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path pdf = OutputFolder() / (std::string("check-selection-") + c.name + ".pdf");
        fs::remove(pdf);
        bool asked = false;
        hvxtest::WhenModal<QDialog>([&](QDialog* dialog) {
            asked = true;
            auto* detail = dialog->findChild<QCheckBox*>();
            auto* file = dialog->findChild<QLineEdit*>();
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_TRUE(detail && file && buttons);
            EXPECT_EQ(detail->text(), "Print Source Detail");
            EXPECT_TRUE(detail->isChecked());
            for (auto* choice : dialog->findChildren<QRadioButton*>()) {
                if (choice->text().contains("file")) {
                    EXPECT_TRUE(choice->isChecked());
                }
            }
            detail->setChecked(c.keepDetail);
            file->setText(QString::fromStdString(pdf.string()));
            buttons->button(c.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        });
        HVXCheckPrintOptions options{};
        const int selected = select(nullptr, "Print Source Detail", 1, &options);
        EXPECT_TRUE(asked);
        if (!c.ok) {
            EXPECT_NE(selected, 1);
            continue;
        }
        ASSERT_EQ(selected, 1);
        EXPECT_EQ(options.toFile, 1);
        EXPECT_EQ(std::string(options.fileName), pdf.string());
        EXPECT_EQ(options.extraOption, c.keepDetail ? 1 : 0);

        print(nullptr, hvxtest::kCheckSetLink, "5001", options.extraOption ? "T" : "F", &options);
        ASSERT_TRUE(fs::exists(pdf));
        const std::string text = Output("pdftotext -layout '" + pdf.string() + "' -");
        EXPECT_NE(text.find("Check No. 5001"), std::string::npos) << text;
        EXPECT_EQ(text.find("Assembly A-17") != std::string::npos, c.keepDetail) << text;
    }
}

HVX_DATABASE_TEST_SUITE(SettlementCheckPdf);

}  // namespace
