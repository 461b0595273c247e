// The contract view on screen: its button names what it does, and pressing
// it shows the contracts of the category the window holds at that moment.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QWidget>
#include <string>

#include "QtTestSupport.h"
#include "qt/ui/ContractViewDialog.h"
#include "support/TestDatabase.h"

namespace {

using hvx::ContractViewDialog;

QStringList Cells(const QTableWidget* list) {
    QStringList cells;
    for (int r = 0; r < list->rowCount(); ++r)
        for (int c = 0; c < list->columnCount(); ++c) cells << list->item(r, c)->text();
    return cells;
}

class ContractViewDialogs : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvxtest::Exec("INSERT INTO HVXGR04F (SETTLEMENT,COMMODITY,SETDTE,TODPR,RECNO) VALUES "
                      "('10','CORN','2024-03-09','Grain Bank',1),"
                      "('3','BEANS','2024-02-01','Storage Ticket',2)");
    }
};
HVX_DATABASE_TEST_SUITE(ContractViewDialogs);

TEST_P(ContractViewDialogs, ButtonShowsTheContractsOfTheWindowsCategory) {
    QWidget window;
    std::string category = "Storage Ticket";
    QPushButton* button = ContractViewDialog::NewButton([&] { return category; }, &window);
    EXPECT_EQ(button->toolTip(), "View existing contracts of the current type.");

    for (const auto& [held, expected] :
         {std::pair<std::string, QStringList>{"Storage Ticket", {"3", "BEANS", "02/01/2024"}},
          {"Grain Bank", {"10", "CORN", "03/09/2024"}},
          {"CCC", {}}}) {
        SCOPED_TRACE(held);
        category = held;
        bool shown = false;
        hvxtest::WhenModal<ContractViewDialog>([&](ContractViewDialog* view) {
            shown = true;
            EXPECT_EQ(view->windowTitle(), "View Window");
            EXPECT_EQ(Cells(view->List()), expected);
            view->reject();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(shown);
    }
}

}  // namespace
