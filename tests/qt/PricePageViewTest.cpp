// The price page and the terms pages on screen, driven from the keyboard as
// a clerk would on the demo cooperative: units at two prices, the corn
// checkoff figured from the units, an amount typed by hand, a grade factor,
// a removed row; then storage terms typed into their fields.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/ui/DateField.h"
#include "qt/ui/LookupField.h"
#include "qt/windows/entry/pages/InstallmentTermsPanel.h"
#include "qt/windows/entry/pages/NumberField.h"
#include "qt/windows/entry/pages/StorageTermsPage.h"
#include "qt/windows/pricing/GradeFactorsView.h"
#include "qt/windows/pricing/PriceDeductionsView.h"
#include "qt/windows/pricing/PricePageView.h"
#include "qt/windows/pricing/PriceUnitsView.h"

namespace {

using hvx::PricePage;
using hvx::PricePageView;
using hvx::SettlementType;

class PricePageViews : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(PricePageViews);

// What the event loop brings about a little later: a mnemonic clicks its
// button about 100 ms after the key, a refusal shows after the focus moved.
// (QTRY_ macros would return silently from a GoogleTest test on failure.)
bool Soon(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 3000); }

void Type(const char* text, Qt::Key end = Qt::Key_Tab) {
    QWidget* field = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, end);
}

std::string Totals(const PricePageView& view) {
    return (view.AverageLabel()->text() + " " + view.GrossLabel()->text() + " " +
            view.NetLabel()->text())
        .toStdString();
}

TEST_P(PricePageViews, KeyboardPricesDeductsGradesAndRemoves) {
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    QWidget window;
    hvx::QtUiPort ui(&window);
    PricePage page(ui, SettlementType::SingleSource);
    page.SetUnitsSettled(1500);
    auto* view = new PricePageView(page, ui, &window);
    (new QVBoxLayout(&window))->addWidget(view);
    int changes = 0;
    QObject::connect(view, &PricePageView::changed, [&] { ++changes; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    QLineEdit* units = view->Units()->UnitsField();
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(units->text(), "1500.00");  // the units still to price
    Type("1000");
    Type("4.12", Qt::Key_Return);
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(Soon([&] { return units->text().isEmpty(); }));
    QTest::keyClick(&window, Qt::Key_U, Qt::AltModifier);
    EXPECT_EQ(units->text(), "500.00");
    QTest::keyClick(units, Qt::Key_Tab);
    Type("4.085", Qt::Key_Return);
    EXPECT_EQ(view->Units()->List()->model()->rowCount(), 2);
    EXPECT_EQ(Totals(*view), "Avg : $4.1083 Gross : $6162.50 Net : $6162.50");

    // A typed reference is figured on leaving it; Enter in Amount accepts.
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    Type("CORNCHK");
    EXPECT_EQ(view->Deductions()->AmountField()->text(), "15.00");
    EXPECT_EQ(view->Deductions()->DAField()->currentText(), "D");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // An amount typed by hand and accepted with Enter is marked as typed.
    QTest::keyClick(&window, Qt::Key_W, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_D, Qt::AltModifier);
    EXPECT_TRUE(Soon([&] { return QApplication::focusWidget() == view->Deductions()->DeductionField()->LineEdit(); }));
    Type("TRUCKING");
    Type("12.00", Qt::Key_Return);
    const QAbstractItemModel* deductions = view->Deductions()->List()->model();
    ASSERT_EQ(deductions->rowCount(), 2);
    EXPECT_EQ(deductions->index(1, 1).data().toString(), "12.00*");
    EXPECT_EQ(view->NetLabel()->text(), "Net : $6135.50");

    QTest::keyClick(&window, Qt::Key_G, Qt::AltModifier);
    Type("MOISTURE");
    Type("15.5", Qt::Key_Return);
    EXPECT_EQ(page.Grades(), (std::vector<hvx::PriceGradeRow>{{"MOISTURE", "15.5"}}));
    EXPECT_TRUE(view->Grades()->GradeFactorField()->text().isEmpty());

    // The first price row picked comes into the fields; Remove takes it.
    QTableView* prices = view->Units()->List();
    // Tabbing into the list picks no row; Space picks the current one.
    prices->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(units->text().toStdString(), "500.00");
    QTest::keyClick(prices, Qt::Key_Space);
    EXPECT_EQ(units->text().toStdString(), "1000");
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(Soon([&] { return prices->model()->rowCount() == 1; }));
    EXPECT_EQ(Totals(*view), "Avg : $4.0850 Gross : $2042.50 Net : $2015.50");
    EXPECT_EQ(changes, 6);  // four accepted rows, a grade, a removal

    // A refusal shows its message and brings the focus to its field.
    QTest::keyClick(&window, Qt::Key_N, Qt::AltModifier);
    EXPECT_TRUE(Soon([&] { return units->text().isEmpty(); }));
    QString refusal;
    hvxtest::WhenModal<QMessageBox>([&](QMessageBox* box) {
        refusal = box->text();
        box->accept();
    });
    view->Units()->PriceField()->setFocus();
    QTest::keyClick(view->Units()->PriceField(), Qt::Key_Return);
    EXPECT_EQ(refusal.toStdString(), "Units are required.");
    // Offscreen, the window is not made active again when the box closes:
    // the field it gives the focus to is the one the refusal named.
    EXPECT_TRUE(Soon([&] { return window.focusWidget() == units; }));
    EXPECT_EQ(changes, 6);

    view->setReadOnly(true);
    const QWidget* const entry[] = {units, view->Units()->AcceptButton(),
                                    view->Deductions()->DeductionField(),
                                    view->Deductions()->RemoveButton(),
                                    view->Grades()->ResultField(), view->Grades()->NewButton()};
    for (const QWidget* w : entry)
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(prices->isEnabled());
    EXPECT_TRUE(view->ArButton()->isEnabled());
}

TEST(PricePageView, InstallmentSaleTakesOnlyDeductions) {
    hvx::QtUiPort ui;
    PricePage page(ui, SettlementType::SingleSource);
    PricePageView view(page, ui);
    view.show();
    page.SetSourceKind("Installment Sale");
    view.Refresh();
    EXPECT_FALSE(view.Units()->isEnabled());
    EXPECT_EQ(view.PageHint()->text().toStdString(),
              "A single source can go to multiple destination DPRs.");
    EXPECT_TRUE(view.PageHint()->isVisible());
    EXPECT_TRUE(view.Deductions()->toolTip().startsWith("Enter the deduction to subtract"));
    page.SetSourceKind("Assembly");
    view.Refresh();
    EXPECT_TRUE(view.Units()->isEnabled());
    EXPECT_FALSE(view.PageHint()->isVisible());
}

TEST(TermsPages, NumbersAreKeptAsStoredOrRefused) {
    // {typed, decimals, kept}; "!" marks a refusal.
    const char* const cases[][3] = {
        {"", "2", ""},         {"  ", "4", ""},      {" 5 ", "2", "5.00"},
        {"0.00015", "4", "0.00015"}, {".5", "4", "0.5000"}, {"-12.5", "2", "-12.50"},
        {"12,5", "2", "!"},    {"1e3", "2", "!"},    {"12.50*", "2", "!"},
        {"-", "2", "!"},       {"1.2.3", "2", "!"},  {"$5", "2", "!"},
    };
    for (const auto& [typed, decimals, kept] : cases) {
        std::string stored = "unchanged";
        const bool ok = hvx::NumberField::Stored(typed, std::atoi(decimals), stored);
        EXPECT_EQ(ok ? stored : "!", kept) << '"' << typed << '"';
    }
}

TEST(TermsPages, TypedTermsReachTheBoundTerms) {
    QWidget window;
    hvx::QtUiPort ui(&window);
    PricePage page(ui, SettlementType::SingleSource);
    auto* storage = new hvx::StorageTermsPage(page, ui, &window);
    auto* installment = new hvx::InstallmentTermsPanel(ui, &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(storage);
    layout->addWidget(installment);
    hvx::settlement::DestinationTerms terms;
    terms.pPaidDate = "01222026";
    terms.amtPrepaid = "25.00";
    terms.submitted = "F";
    storage->Bind(&terms);
    installment->Bind(&terms);
    int changes = 0;
    QObject::connect(storage, &hvx::TermsPage::changed, [&] { ++changes; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(storage->PaidThroughField()->Text(), "01/22/2026");
    EXPECT_TRUE(storage->RateField()->text().isEmpty());

    QTest::keyClick(&window, Qt::Key_A, Qt::AltModifier);
    Type("3/7/26");
    EXPECT_EQ(storage->PaidThroughField()->Text(), "03/07/2026");
    Type("30");
    EXPECT_EQ(storage->PrepaidField()->text(), "30.00");
    Type("Bin 4");
    Type("0.00015");
    // Passing through an empty rate keeps it empty: the commodity's default.
    EXPECT_EQ(terms.pPaidDate, "03072026");
    EXPECT_EQ(terms.amtPrepaid, "30.00");
    EXPECT_EQ(terms.storeCol, "Bin 4");
    EXPECT_EQ(terms.sRateDate, "0.00015");

    // What is no date or no number is refused, the focus comes back, the
    // terms keep what they had; the field is then put right again.
    const struct {
        Qt::Key mnemonic;
        const char* typed;
        QWidget* field;
        const char* message;
        const char* good;
    } refusals[] = {
        {Qt::Key_A, "13/45", storage->PaidThroughField()->LineEdit(),
         "Paid Through is not a valid date.", "03/07/2026"},
        {Qt::Key_R, "x0.002", storage->RateField(), "Storage Rate per Day must be a number.",
         "0.00015"},
    };
    for (const auto& r : refusals) {
        const int before = changes;
        QString refusal;
        hvxtest::WhenModal<QMessageBox>([&](QMessageBox* box) {
            refusal = box->text();
            box->accept();
        });
        QTest::keyClick(&window, r.mnemonic, Qt::AltModifier);
        Type(r.typed);
        EXPECT_TRUE(Soon([&] { return refusal == r.message; })) << r.message;
        EXPECT_TRUE(Soon([&] { return window.focusWidget() == r.field; })) << r.message;
        EXPECT_EQ(terms.pPaidDate + " " + terms.sRateDate, "03072026 0.00015");
        EXPECT_EQ(changes, before);
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        Type(r.good);
    }

    installment->SubmittedField()->setFocus();
    QTest::keyClick(installment->SubmittedField(), Qt::Key_Space);
    EXPECT_EQ(terms.submitted, "T");
    storage->setReadOnly(true);
    EXPECT_FALSE(storage->RateField()->isEnabled());
    EXPECT_FALSE(storage->Grades()->AcceptButton()->isEnabled());
}

}  // namespace
