// The contract view on screen: pressing its button shows the contracts of the
// category the window holds at that moment.

#include "QtTestSupport.h"
#include "qt/ui/ContractViewDialog.h"

namespace {

class ContractViewDialogs : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(ContractViewDialogs);

TEST_P(ContractViewDialogs, ButtonShowsTheContractsOfTheWindowsCategory) {
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
