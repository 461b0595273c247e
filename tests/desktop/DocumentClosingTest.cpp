// The host frame with the module's document windows, driven from the keyboard
// and the menus: the title names the document in front, and every way of
// closing lets a document with unsaved changes refuse.
#include <functional>

#include "DesktopSupport.h"
#include "host/app/HostPortImpl.h"
#include "host/app/HostWindow.h"
#include "host/app/ModuleLoader.h"
#include "host/app/SiblingLibraries.h"

namespace {

// Stands in for a settlement view: answers the changes question with Cancel
// while `refuse` is set. The count outlives the guard, which goes with its window.
struct ChangesGuard : QWidget {
    ChangesGuard(QWidget* parent, int& asked) : QWidget(parent), asked(asked) {}
    void closeEvent(QCloseEvent* event) override { ++asked, event->setAccepted(!refuse); }
    int& asked;
    bool refuse = false;
};

class FrameClosing : public ::testing::Test, private desktop::WithApp {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(loader_.Load(error) && loader_.Start(port_, error)) << error;
        frame_.SetModule(&loader_.Entry());
    }
    void TearDown() override { CloseAll(), hvx::SetHostPort(nullptr); }

    // Source, then Destination (in front), from the Grain menu, each guarded.
    void OpenBoth() {
        frame_.show();
        frame_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
        for (int i : {0, 1}) {
            Command(i ? "Enter By Settlement &Destination" : "Enter By Settlement &Source")();
            guards_[i] = new ChangesGuard(area_->subWindowList().back()->widget(), asked_[i] = 0);
        }
    }
    void CloseAll() {
        for (const QPointer<ChangesGuard>& guard : guards_)
            if (guard) guard->refuse = false;
        frame_.CloseAllDocuments();
    }
    // A menu command by its text, as the clerk chooses it.
    std::function<void()> Command(const QString& text) {
        return [=, this] {
            for (QAction* action : frame_.findChildren<QAction*>())
                if (action->text() == text) return action->trigger();
        };
    }
    std::function<void()> Key(QKeyCombination key) {
        return [=, this] {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &frame_, key.key(), key.keyboardModifiers());
        };
    }
    // "Harvexa - [D] S|D|| 0,1 shown": the frame's title, the documents open
    // in the order opened ("S" and "D" for the two captions), Close and Close
    // All grayed or not, how often each document was asked, the frame shown.
    std::string State() {
        QApplication::processEvents();
        QStringList open;
        for (QMdiSubWindow* frame : area_->subWindowList()) open << frame->windowTitle();
        for (QAction* closing : frame_.actions()) open << (closing->isEnabled() ? "" : "grayed");
        return QString("%1 %2 %3,%4 %5")
            .arg(frame_.windowTitle(), open.join("|"))
            .arg(asked_[0])
            .arg(asked_[1])
            .arg(frame_.isVisible() ? "shown" : "hidden")
            .replace("Enter By Settlement Source", "S")
            .replace("Enter By Settlement Destination", "D")
            .toStdString();
    }

    hvx::host::HostWindow frame_;
    QMdiArea* area_ = frame_.Area();
    hvx::host::SiblingLibraries siblings_{desktop::ModulesDir()};
    hvx::host::HostPortImpl port_{&frame_, area_, siblings_, nullptr};
    hvx::host::ModuleLoader loader_{siblings_};
    QPointer<ChangesGuard> guards_[2];
    int asked_[2] = {};
};

// Every way of closing, with the document that refuses (-1: none), and what
// else moves the title; the Destination window is in front when the clerk acts.
TEST_F(FrameClosing, TitleFollowsTheFrontAndEveryWayOfClosingStopsWhenADocumentRefuses) {
    const struct {
        std::function<void()> act;
        int refusing;
        const char* after;
    } cases[] = {
        {Key(Qt::CTRL | Qt::Key_Tab), -1, "Harvexa - [S] S|D|| 0,0 shown"},
        // A record held at another workstation renames the document's frame.
        {[this] {
             area_->currentSubWindow()->setWindowTitle("Enter By Settlement Destination (Locked)");
         },
         -1, "Harvexa - [D (Locked)] S|D (Locked)|| 0,0 shown"},
        {Key(Qt::CTRL | Qt::Key_F4), 1, "Harvexa - [D] S|D|| 0,1 shown"},
        {Key(Qt::CTRL | Qt::Key_F4), -1, "Harvexa - [S] S|| 0,1 shown"},
        {Key(Qt::CTRL | Qt::Key_W), 1, "Harvexa - [D] S|D|| 0,1 shown"},
        {Key(Qt::CTRL | Qt::Key_W), -1, "Harvexa - [S] S|| 0,1 shown"},
        {Command("Cl&ose"), 1, "Harvexa - [D] S|D|| 0,1 shown"},
        // In the order opened, stopping at the first refusal, which comes to
        // the front; the later one is not asked.
        {Command("Close &All"), 0, "Harvexa - [S] S|D|| 1,0 shown"},
        {Command("Close &All"), 1, "Harvexa - [D] D|| 1,1 shown"},
        {Command("Close &All"), -1, "Harvexa grayed|grayed 1,1 shown"},
        {Command("E&xit"), 1, "Harvexa - [D] D|| 1,1 shown"},
        {Command("E&xit"), -1, "Harvexa grayed|grayed 1,1 hidden"},
    };
    for (const auto& c : cases) {
        OpenBoth();
        ASSERT_EQ(State(), "Harvexa - [D] S|D|| 0,0 shown");
        if (c.refusing >= 0) guards_[c.refusing]->refuse = true;
        c.act();
        EXPECT_EQ(State(), c.after) << "refusing " << c.refusing;
        CloseAll();
    }
}

}  // namespace
