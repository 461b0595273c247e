// The Qt UI port: message boxes, focus, the information popup, file dialogs.

#include "QtTestSupport.h"
#include "qt/ui/InfoPopup.h"
#include "qt/ui/QtUiPort.h"

namespace {

using A = hvx::MsgAnswer;
using B = hvx::MsgButtons;
using I = hvx::MsgIcon;
using QB = QMessageBox;

TEST(QtUiPort, MessageBoxShowsTextCaptionIconButtonsAndMapsTheKeyPressed) {
    const struct {
        B buttons;
        I icon;
        Qt::Key key;
        A answer;
        QB::StandardButtons shown;
        QB::Icon qtIcon;
    } cases[] = {
        {B::Ok, I::Exclamation, Qt::Key_Return, A::Ok, QB::Ok, QB::Warning},
        {B::Ok, I::Stop, Qt::Key_Escape, A::Ok, QB::Ok, QB::Critical},
        {B::OkCancel, I::Information, Qt::Key_Escape, A::Cancel, QB::Ok | QB::Cancel,
         QB::Information},
        {B::YesNo, I::Question, Qt::Key_Return, A::Yes, QB::Yes | QB::No, QB::Question},
        {B::YesNoCancel, I::Question, Qt::Key_N, A::No, QB::Yes | QB::No | QB::Cancel,
         QB::Question},
    };
    const std::string text = "Customer <b>O'Brien</b> & Sons has no address.";
    hvx::QtUiPort port;
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        hvxtest::WhenModal<QB>([&](QB* box) {
            EXPECT_EQ(box->standardButtons(), c.shown);
            EXPECT_EQ(box->icon(), c.qtIcon);
            EXPECT_EQ((box->windowTitle() + ": " + box->text()).toStdString(),
                      "Delete Item?: " + text);
            QTest::keyClick(box, c.key);
        });
        EXPECT_EQ(port.MessageBox(text, "Delete Item?", c.buttons, c.icon), c.answer);
    }
}

TEST(QtUiPort, FocusMovesToTheNamedFieldAndThePopupShowsBelowIt) {
    QWidget window;
    hvx::QtUiPort port{&window};
    auto* layout = new QVBoxLayout(&window);
    QLineEdit* amount = nullptr;
    for (const char* name : {"Customer", "Amount"}) {
        layout->addWidget(amount = new QLineEdit);
        port.RegisterField(name, amount);
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    port.SetFocus("Amount");
    EXPECT_EQ(QApplication::focusWidget(), amount);
    port.SetFocus("No Such Field");
    EXPECT_EQ(QApplication::focusWidget(), amount);

    // Width and offset are in dialog units: a quarter character, an eighth line.
    port.InfoPopup("Advances", "Display advance information for this settlement.", 120, 14);
    hvx::InfoPopup* popup = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<hvx::InfoPopup*>(w); p && p->isVisible()) popup = p;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Title() + ": " + popup->Text(),
              "Advances: Display advance information for this settlement.");
    const QFontMetrics font = amount->fontMetrics();
    EXPECT_EQ(popup->width(), 120 * font.averageCharWidth() / 4);
    EXPECT_EQ(popup->pos(), amount->mapToGlobal(QPoint(0, 14 * font.height() / 8)));
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !popup->isVisible(); }));
}

// Filters come in the suite's form, "Text|*.txt;*.csv|", or already in Qt's;
// the first pattern gives the suffix a saved name receives.
TEST(QtUiPort, FileDialogsOfferTheFiltersAndReturnTheChosenPathOrNothing) {
    QTemporaryDir folder;
    QFile(folder.filePath("fall.gss")).open(QIODevice::WriteOnly);
    hvx::QtUiPort port;
    const struct {
        bool save;
        const char *filter, *shown, *typed, *chosen;  // shown: Qt's; typed null: cancelled
    } cases[] = {
        {true, "Text|*.txt;*.csv|All Files|*.*|", "Text (*.txt *.csv);;All Files (*.*)", "harvest",
         "harvest.txt"},
        {false, "Grain Search Sets (*.gss)", "Grain Search Sets (*.gss)", "fall.gss", "fall.gss"},
        {false, "All Files (*)", "All Files (*)", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        hvxtest::WhenModal<QFileDialog>([&](QFileDialog* d) {
            EXPECT_EQ(d->nameFilters().join(";;"), c.shown);
            if (!c.typed) return d->reject();
            // Types the name and presses Enter, as a user does.
            auto* edit = d->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            edit->clear();
            QTest::keyClicks(edit, c.typed);
            QTest::keyClick(edit, Qt::Key_Return);
        });
        const std::string in = folder.path().toStdString();
        EXPECT_EQ(c.save ? port.SaveFileName("Save", c.filter, in)
                         : port.OpenFileName("Load", c.filter, in),
                  c.chosen ? folder.filePath(c.chosen).toStdString() : "");
    }
}

}  // namespace
