// The pick list on screen: typing ahead, picking, cancelling, bad lists.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>

#include "QtTestSupport.h"
#include "qt/ui/PickListDialog.h"
#include "qt/ui/QtUiPort.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Exec;
using hvxtest::WhenModal;

constexpr const char* kColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
constexpr const char* kSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";

class PickListDialogs : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('NORTH','North Elevator',7)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('main','Main Street',3)");
        Exec("INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES ('MILL','Mill Road',12)");
    }
    static int SelectedRow(hvx::PickListDialog* d) {
        const auto ranges = d->Table()->selectedRanges();
        return ranges.isEmpty() ? -1 : ranges.first().topRow();
    }
    hvx::QtUiPort port;
};
HVX_DATABASE_TEST_SUITE(PickListDialogs);

TEST_P(PickListDialogs, TypingSelectsTheFirstMatchAndEnterPicksIt) {
    const struct {
        const char* typed;
        Qt::Key then;  // a key after typing, or Qt::Key_unknown
        double recno;
        const char* text;
    } cases[] = {
        {"mi", Qt::Key_unknown, 12, "MILL"},
        {"M", Qt::Key_unknown, 3, "main"},
        {"m", Qt::Key_Down, 12, "MILL"},
        {"n", Qt::Key_Up, 12, "MILL"},
    };
    for (const auto& c : cases) {
        std::string text = "x";
        QStringList titles;
        WhenModal<hvx::PickListDialog>([&](hvx::PickListDialog* d) {
            for (int i = 0; i < d->Table()->columnCount(); ++i)
                titles << d->Table()->horizontalHeaderItem(i)->text();
            d->SearchLine()->clear();
            QTest::keyClicks(d->SearchLine(), c.typed);
            if (c.then != Qt::Key_unknown) QTest::keyClick(d->SearchLine(), c.then);
            QTest::keyClick(d->SearchLine(), Qt::Key_Return);
        });
        EXPECT_EQ(port.SearchWin(text, kColumns, kSelect, ""), c.recno) << c.typed;
        EXPECT_EQ(text, c.text) << c.typed;
        EXPECT_EQ(titles, (QStringList{"Reference", "Description"}));
    }
}

TEST_P(PickListDialogs, StartTextSelectsItsRowAndCancelLeavesTheText) {
    std::string text = "nor";
    int selected = -2;
    WhenModal<hvx::PickListDialog>([&](hvx::PickListDialog* d) {
        selected = SelectedRow(d);
        QTest::keyClick(d->SearchLine(), Qt::Key_Escape);
    });
    EXPECT_EQ(port.SearchWin(text, kColumns, kSelect, ""), 0);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(text, "nor");

    // Nothing matches: nothing is selected, and Enter picks nothing.
    text = "zz";
    WhenModal<hvx::PickListDialog>([&](hvx::PickListDialog* d) {
        selected = SelectedRow(d);
        QTest::keyClick(d->SearchLine(), Qt::Key_Return);
        QTimer::singleShot(0, d, &QDialog::reject);
    });
    EXPECT_EQ(port.SearchWin(text, kColumns, kSelect, ""), 0);
    EXPECT_EQ(selected, -1);
    EXPECT_EQ(text, "zz");
}

TEST_P(PickListDialogs, DoubleClickPicksTheRow) {
    std::string text;
    WhenModal<hvx::PickListDialog>([](hvx::PickListDialog* d) {
        QTableWidget* table = d->Table();
        const QRect cell = table->visualItemRect(table->item(2, 1));
        // A double click is a click followed by the double-click event.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    });
    EXPECT_EQ(port.SearchWin(text, kColumns, kSelect, ""), 7);
    EXPECT_EQ(text, "NORTH");
}

TEST_P(PickListDialogs, BadColumnListIsReportedAndCancels) {
    std::string text = "MILL";
    QString message;
    WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->windowTitle() + ": " + box->text();
        box->accept();
    });
    EXPECT_EQ(port.SearchWin(text, "LOCREF,Reference,18", kSelect, ""), 0);
    EXPECT_EQ(message, "Harvexa: Column list \"LOCREF,Reference,18\" is not in groups of four.");
    EXPECT_EQ(text, "MILL");
}

}  // namespace
