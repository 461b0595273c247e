// The list dialogs on screen: the pick list (typing ahead, picking, cancelling,
// bad lists) and the contract view of the window's category.

#include "QtTestSupport.h"
#include "qt/ui/ContractViewDialog.h"
#include "qt/ui/PickListDialog.h"
#include "qt/ui/QtUiPort.h"

namespace {

using hvx::PickListDialog;
using hvxtest::WhenModal;

constexpr const char* kColumns = "LOCREF,Reference,18,-1,LOCDESC,Description,40,0";
constexpr const char* kSelect = "SELECT LOCREF,LOCDESC,STR(RECNO) FROM HVXINV16";

class ListDialogs : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec(
            "INSERT INTO HVXINV16 (LOCREF,LOCDESC,RECNO) VALUES "
            "('NORTH','North Elevator',7),('main','Main Street',3),('MILL','Mill Road',12)");
    }
    hvx::QtUiPort port;
};
HVX_DATABASE_TEST_SUITE(ListDialogs);

TEST_P(ListDialogs, TypingSelectsTheFirstMatchAndEnterOrADoubleClickPicksIt) {
    const struct {
        const char *start, *typed;
        Qt::Key arrow, last;  // pressed after typing; unknown: no arrow, a double click last
        int selected;         // the row selected as the list opens; -2: not checked
        double recno;
        const char* text;
    } cases[] = {
        {"", "mi", Qt::Key_unknown, Qt::Key_Return, -2, 12, "MILL"},
        {"", "M", Qt::Key_unknown, Qt::Key_Return, -2, 3, "main"},
        {"", "m", Qt::Key_Down, Qt::Key_Return, -2, 12, "MILL"},
        {"nor", "", Qt::Key_unknown, Qt::Key_Escape, 2, 0, "nor"},
        {"zz", "", Qt::Key_unknown, Qt::Key_Return, -1, 0, "zz"},  // nothing to pick
        {"nor", "", Qt::Key_unknown, Qt::Key_unknown, 2, 7, "NORTH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + c.typed);
        std::string text = c.start;
        QStringList titles;
        int selected = -2;
        WhenModal<PickListDialog>([&](PickListDialog* d) {
            for (int i = 0; i < d->Table()->columnCount(); ++i)
                titles << d->Table()->horizontalHeaderItem(i)->text();
            const auto ranges = d->Table()->selectedRanges();
            selected = ranges.isEmpty() ? -1 : ranges.first().topRow();
            QTest::keyClicks(d->SearchLine(), c.typed);
            if (c.arrow != Qt::Key_unknown) QTest::keyClick(d->SearchLine(), c.arrow);
            if (c.last != Qt::Key_unknown) {
                QTest::keyClick(d->SearchLine(), c.last);
            } else {  // a double click on NORTH: a click, then the double-click event
                QWidget* cells = d->Table()->viewport();
                const QPoint row = d->Table()->visualItemRect(d->Table()->item(2, 1)).center();
                QTest::mouseClick(cells, Qt::LeftButton, {}, row);
                QTest::mouseDClick(cells, Qt::LeftButton, {}, row);
            }
            if (d->isVisible()) d->reject();
        });
        EXPECT_EQ(port.SearchWin(text, kColumns, kSelect, ""), c.recno);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(titles, (QStringList{"Reference", "Description"}));
        EXPECT_EQ(c.selected == -2 ? -2 : selected, c.selected);
    }
}

TEST_P(ListDialogs, BadColumnListIsReportedAndCancels) {
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

TEST_P(ListDialogs, ButtonShowsTheContractsOfTheWindowsCategory) {
    hvxtest::Exec(
        "INSERT INTO HVXGR04F (SETTLEMENT,COMMODITY,SETDTE,TODPR,RECNO) VALUES "
        "('10','CORN','2024-03-09','Grain Bank',1),"
        "('3','BEANS','2024-02-01','Storage Ticket',2)");
    QWidget window;
    std::string category;
    QPushButton* button = hvx::ContractViewDialog::NewButton([&] { return category; }, &window);
    for (const auto& [held, expected] :
         {std::pair<std::string, QStringList>{"Storage Ticket", {"3", "BEANS", "02/01/2024"}},
          {"Grain Bank", {"10", "CORN", "03/09/2024"}},
          {"CCC", {}}}) {
        SCOPED_TRACE(held);
        category = held;
        QStringList cells{"not shown"};
        hvxtest::WhenModal<hvx::ContractViewDialog>([&](hvx::ContractViewDialog* view) {
            cells.clear();
            for (int r = 0; r < view->List()->rowCount(); ++r)
                for (int c = 0; c < view->List()->columnCount(); ++c)
                    cells << view->List()->item(r, c)->text();
            view->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_EQ(cells, expected);
    }
}

}  // namespace
