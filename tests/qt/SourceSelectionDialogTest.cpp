// The source selection on screen, driven from the keyboard as a clerk would
// on the demo cooperative: limit to an assembly, check two tickets, OK.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "platform/Format.h"
#include "qt/windows/sources/SourceSelectionDialog.h"
#include "settlement/SettlementRecordSet.h"

namespace {

using hvx::SourceSelectionDialog;

class SourceSelectionDialogs : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SourceSelectionDialogs);

TEST_P(SourceSelectionDialogs, KeyboardLimitsChecksAndTakesTickets) {
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    hvx::settlement::SettlementRecordSet set;
    SourceSelectionDialog dialog;
    hvx::SourceSelectionController controller(
        dialog.Ui(), set,
        {"Scale Ticket", "NGUYEN", "Priced", hvx::SettlementType::MultipleSource, "03/24/2026"});
    QStringList shown;
    hvxtest::WhenModal<SourceSelectionDialog>([&](SourceSelectionDialog* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        shown << QString::number(d->Model()->rowCount());  // corn at 01, soybeans at 02
        QTest::keyClicks(d->AssemblyField(), "26009");
        QTest::keyClick(d->AssemblyField(), Qt::Key_Return);  // leaves for the list
        EXPECT_EQ(QApplication::focusWidget(), d->Grid());
        shown << QString::number(d->Model()->rowCount());
        QTest::keyClick(d->Grid(), Qt::Key_Space);
        QTest::keyClick(d->Grid(), Qt::Key_Down);
        QTest::keyClick(d->Grid(), Qt::Key_Space);
        shown << d->UnitsTotal()->text();
        QTest::keyClick(d->Grid(), Qt::Key_A, Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), d->AssemblyField());
        QTest::keyClick(d->AssemblyField(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), d->Grid());
        QTest::keyClick(d->Grid(), Qt::Key_Return);  // the default button: OK
    });
    ASSERT_TRUE(dialog.Run(controller));
    EXPECT_EQ(shown, (QStringList{"4", "2", "885.7500"}));
    std::vector<std::string> lines;
    for (const auto& l : set.details.Items())
        lines.push_back(l.sourceRef + _HVXsprintf(" %.4f ", l.unitsSet) + l.toDpr);
    EXPECT_EQ(lines, (std::vector<std::string>{"260131 455.5000 Priced", "260132 430.2500 Priced"}));
    EXPECT_EQ(controller.Result().linesBuilt.size(), 2u);
    EXPECT_NE(controller.Result().linesBuilt[0], controller.Result().linesBuilt[1]);
}

}  // namespace
