// The Qt UI port: message boxes and their answers, focus, the wait cursor,
// the information popup and the file dialogs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include "QtTestSupport.h"
#include "qt/ui/FileFilter.h"
#include "qt/ui/InfoPopup.h"
#include "qt/ui/QtUiPort.h"

namespace {

using hvx::MsgAnswer;
using hvx::MsgButtons;
using hvx::MsgIcon;

enum class Press { Enter, Escape, No, Cancel };

TEST(QtUiPort, MessageBoxShowsTextCaptionIconButtonsAndMapsTheAnswer) {
    const struct {
        MsgButtons buttons;
        MsgIcon icon;
        Press press;
        MsgAnswer answer;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon qtIcon;
    } cases[] = {
        {MsgButtons::Ok, MsgIcon::Exclamation, Press::Enter, MsgAnswer::Ok, QMessageBox::Ok,
         QMessageBox::Warning},
        {MsgButtons::Ok, MsgIcon::Stop, Press::Escape, MsgAnswer::Ok, QMessageBox::Ok,
         QMessageBox::Critical},
        {MsgButtons::OkCancel, MsgIcon::Information, Press::Enter, MsgAnswer::Ok,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Information},
        {MsgButtons::OkCancel, MsgIcon::Question, Press::Escape, MsgAnswer::Cancel,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question},
        {MsgButtons::YesNo, MsgIcon::Question, Press::Enter, MsgAnswer::Yes,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Question},
        {MsgButtons::YesNo, MsgIcon::Question, Press::No, MsgAnswer::No,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Question},
        {MsgButtons::YesNo, MsgIcon::Question, Press::Escape, MsgAnswer::No,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::Question},
        {MsgButtons::YesNoCancel, MsgIcon::Question, Press::No, MsgAnswer::No,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question},
        {MsgButtons::YesNoCancel, MsgIcon::Question, Press::Cancel, MsgAnswer::Cancel,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question},
        {MsgButtons::YesNoCancel, MsgIcon::Question, Press::Escape, MsgAnswer::Cancel,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question},
    };
    const std::string text = "Customer <b>O'Brien</b> & Sons has no address.";
    hvx::QtUiPort port;
    for (const auto& c : cases) {
        QString caption, shownText;
        QMessageBox::StandardButtons shown;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        hvxtest::WhenModal<QMessageBox>([&](QMessageBox* box) {
            caption = box->windowTitle();
            shownText = box->text();
            shown = box->standardButtons();
            icon = box->icon();
            switch (c.press) {
                case Press::Enter: QTest::keyClick(box, Qt::Key_Return); break;
                case Press::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
                case Press::No: box->button(QMessageBox::No)->click(); break;
                case Press::Cancel: box->button(QMessageBox::Cancel)->click(); break;
            }
        });
        EXPECT_EQ(port.MessageBox(text, "Delete Item?", c.buttons, c.icon), c.answer)
            << static_cast<int>(c.buttons) << " " << static_cast<int>(c.press);
        EXPECT_EQ(caption, "Delete Item?");
        EXPECT_EQ(shownText.toStdString(), text);
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(icon, c.qtIcon);
    }
}

TEST(QtUiPort, WaitCursorNestsAndLeavesOtherCursorsAlone) {
    hvx::QtUiPort port;
    QApplication::setOverrideCursor(Qt::CrossCursor);
    port.SetWaitCursor(false);  // not ours to restore
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    port.SetWaitCursor(true);
    port.SetWaitCursor(true);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    port.SetWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    port.SetWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

class QtUiPortWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.setLayout(new QVBoxLayout);
        window.layout()->addWidget(customer = new QLineEdit);
        window.layout()->addWidget(amount = new QLineEdit);
        port.RegisterField("Customer", customer);
        port.RegisterField("Amount", amount);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        customer->setFocus();
    }
    QWidget window;
    QLineEdit* customer = nullptr;
    QLineEdit* amount = nullptr;
    hvx::QtUiPort port{&window};
};

TEST_F(QtUiPortWindow, SetFocusMovesToTheNamedFieldOnly) {
    port.SetFocus("Amount");
    EXPECT_EQ(QApplication::focusWidget(), amount);
    port.SetFocus("No Such Field");
    EXPECT_EQ(QApplication::focusWidget(), amount);
    port.SetFocus("Customer");
    EXPECT_EQ(QApplication::focusWidget(), customer);
}

TEST_F(QtUiPortWindow, InfoPopupShowsBelowTheFocusFieldInDialogUnits) {
    amount->setFocus();
    port.InfoPopup("Advances", "Display advance information for this settlement.", 120, 14);
    hvx::InfoPopup* popup = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<hvx::InfoPopup*>(w); p && p->isVisible()) popup = p;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Title(), "Advances");
    EXPECT_EQ(popup->Text(), "Display advance information for this settlement.");
    EXPECT_EQ(popup->width(), 120 * amount->fontMetrics().averageCharWidth() / 4);
    EXPECT_EQ(popup->pos().x(), amount->mapToGlobal(QPoint(0, 0)).x());
    EXPECT_EQ(popup->pos().y(),
              amount->mapToGlobal(QPoint(0, 14 * amount->fontMetrics().height() / 8)).y());
    QTest::keyClick(popup, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());
}

TEST(QtFileFilter, WindowsFiltersBecomeQtFiltersWithADefaultSuffix) {
    const struct {
        const char* in;
        const char* filters;
        const char* suffix;
    } cases[] = {
        {"Grain Search Set (*.gss)|*.gss|", "Grain Search Set (*.gss)", "gss"},
        {"Search Sets|*.gss|All Files|*.*|", "Search Sets (*.gss);;All Files (*.*)", "gss"},
        {"Text|*.txt;*.csv|", "Text (*.txt *.csv)", "txt"},
        {"Grain Search Sets (*.gss)", "Grain Search Sets (*.gss)", "gss"},
        {"All Files (*)", "All Files (*)", ""},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        const hvx::QtFileFilter f = hvx::ToQtFileFilter(c.in);
        EXPECT_EQ(f.filters, c.filters) << c.in;
        EXPECT_EQ(f.defaultSuffix, c.suffix) << c.in;
    }
}

// Types a name into the file dialog's name field and presses Enter, as a user does.
void TypeFileName(QFileDialog* dialog, const char* name) {
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
}

TEST(QtUiPort, FileDialogsReturnTheChosenPathOrNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    hvx::QtUiPort port;
    const std::string filter = "Grain Search Set (*.gss)|*.gss|";

    QStringList filters;
    hvxtest::WhenModal<QFileDialog>([&](QFileDialog* d) {
        filters = d->nameFilters();
        TypeFileName(d, "harvest");
    });
    const std::string saved =
        port.SaveFileName("Save Search Set", filter, folder.path().toStdString());
    EXPECT_EQ(saved, QDir(folder.path()).filePath("harvest.gss").toStdString());
    EXPECT_EQ(filters, QStringList{"Grain Search Set (*.gss)"});

    QFile existing(QDir(folder.path()).filePath("fall.gss"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    hvxtest::WhenModal<QFileDialog>([&](QFileDialog* d) {
        TypeFileName(d, "fall.gss");
    });
    EXPECT_EQ(port.OpenFileName("Load Search Set", filter, folder.path().toStdString()),
              existing.fileName().toStdString());

    hvxtest::WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_EQ(port.OpenFileName("Load Search Set", filter, folder.path().toStdString()), "");
}

}  // namespace
