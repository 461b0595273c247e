// The search criteria dialog on screen, driven by keys and clicks over the demo
// cooperative: criteria typed, saved, cleared, loaded back and searched with.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "qt/ui/DateField.h"
#include "qt/ui/LookupField.h"
#include "qt/ui/PickListDialog.h"
#include "qt/windows/search/SearchCriteriaDialogView.h"

namespace {

using hvx::SearchCriteriaDialogView;
using hvxtest::WhenModal;
using Field = hvx::SearchCriteriaController::CustomerField;

class SearchCriteriaDialogViewTest : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SearchCriteriaDialogViewTest);

const auto Focus = [] { return QApplication::focusWidget(); };

// Runs the action that opens a modal of type Modal and answers it: a file
// dialog with the path typed, a message box with the button, a pick list with
// Enter. Returns the box's text; the criteria dialog, when still open, is
// active again after.
template <class Modal>
QString Answered(QDialog* criteria, const std::function<void()>& open, const QString& path = {},
                 QMessageBox::StandardButton button = QMessageBox::Yes) {
    QString text;
    bool answered = false;
    WhenModal<Modal>([&](Modal* m) {
        answered = true;
        if constexpr (std::is_same_v<Modal, QMessageBox>) {
            text = m->text();
            m->button(button)->click();
        } else if constexpr (std::is_same_v<Modal, QFileDialog>) {
            EXPECT_EQ(m->nameFilters().join(";;") + m->directory().path(),
                      "Grain Search Set (*.gss)" + QDir::currentPath());
            m->setDirectory(QFileInfo(path).path());  // the clerk goes to the folder
            auto* name = m->template findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClicks(name, QFileInfo(path).fileName());
            QTest::keyClick(name, Qt::Key_Return);
        } else {
            QTest::keyClick(m->SearchLine(), Qt::Key_Return);
        }
    });
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }));  // a mnemonic clicks later
    if (!criteria->isVisible()) return text;                 // "&Search" closed it
    criteria->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(criteria));
    return text;
}

TEST_P(SearchCriteriaDialogViewTest, ClerkSavesClearsLoadsAndSearchesAgain) {
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    QTemporaryDir folder;
    const QString path = folder.filePath("anderson.gss");
    hvx::search::SettlementSearchObject criteria;
    SearchCriteriaDialogView dialog(criteria, true);
    QStringList asked;
    WhenModal<SearchCriteriaDialogView>([&](SearchCriteriaDialogView* d) {
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClicks(Focus(), "PC-26");
        QTest::keyClick(Focus(), Qt::Key_Tab);
        QTest::keyClick(Focus(), Qt::Key_Space);  // "Settlement Number"
        for (int down = 0; down < 5; ++down) QTest::keyClick(Focus(), Qt::Key_Down);
        QTest::keyClick(Focus(), Qt::Key_Space);  // "Storage Ticket (Source)"
        QTest::keyClick(d, Qt::Key_C, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->Customer(Field::Reference)->isEnabled(); }));
        QTest::keyClick(d, Qt::Key_R, Qt::AltModifier);
        QTest::keyClicks(Focus(), "ANDERSON");
        Answered<hvx::PickListDialog>(d, [&] { QTest::keyClick(Focus(), Qt::Key_Return); });
        EXPECT_EQ(Focus(), d->SearchString());
        QTest::mouseClick(d->Control("Exact Match Results Only"), Qt::LeftButton);
        EXPECT_FALSE(d->Control("Match anywhere in field")->isEnabled());
        d->SettlementTypes()->setFocus();
        QTest::keyClick(Focus(), Qt::Key_Down);  // "Only Settled By Source"
        const auto file = [&](const char* button) {
            Answered<QFileDialog>(
                d, [&] { d->Control(button)->click(); }, path);
        };
        file("Save");
        asked << Answered<QMessageBox>(d, [&] { QTest::keyClick(d, Qt::Key_L, Qt::AltModifier); });
        EXPECT_EQ(d->SearchString()->text() + d->Customer(Field::Name)->Text(), "");
        EXPECT_FALSE(d->Locations()->selectedItems().size() ||
                     d->Customer(Field::Name)->isEnabled());
        file("Load");
        // Saving over the set asks once, in the system's words, and No keeps it.
        asked << Answered<QMessageBox>(
            d, [&] { file("Save"); }, {}, QMessageBox::No);
        asked << Answered<QMessageBox>(
            d, [&] { QTest::keyClick(d, Qt::Key_S, Qt::AltModifier); }, {}, QMessageBox::No);
    });
    ASSERT_TRUE(dialog.Run());
    EXPECT_FALSE(dialog.ClearPrevious());
    EXPECT_EQ(asked.join("\n").toStdString(),
              "Do you wish to clear all search parameters?\n"
              "This file already existed. Do you wish to overwrite it?\n"
              "Do you wish to clear the results of the previous search?\n\nChoosing 'No' will "
              "append new search results to the end of the previous results.");
    EXPECT_EQ(criteria.SearchString + "|" + criteria.CustRef + "|" + criteria.CustName + "|" +
                  std::to_string(criteria.SettlementType),
              "PC-26|ANDERSON|Anderson Family Farms|1");
    EXPECT_TRUE(criteria.Locations[0] && criteria.Locations[5] && !criteria.Locations[1] &&
                criteria.RestrictByCustomer && criteria.ExactMatchOnly && !criteria.SearchAll);
}

}  // namespace
