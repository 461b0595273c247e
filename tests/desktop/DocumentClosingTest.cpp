// The host frame with the module's document windows in it, driven from the
// keyboard and the menus: the title names the document in front, and every
// way of closing lets a document with unsaved changes refuse.
#include <functional>

#include "DesktopSupport.h"
#include "host/app/HostPortImpl.h"
#include "host/app/HostWindow.h"
#include "host/app/ModuleLoader.h"
#include "host/app/SiblingLibraries.h"

namespace {

// Stands in for a settlement view inside a document window: it answers
// the changes question with Cancel while `refuse` is set.
// The count outlives the guard, which goes with its window.
class ChangesGuard : public QWidget {
public:
    ChangesGuard(QWidget* parent, int& asked) : QWidget(parent), asked_(asked) {}
    bool refuse = false;

protected:
    void closeEvent(QCloseEvent* event) override {
        ++asked_;
        event->setAccepted(!refuse);
    }

private:
    int& asked_;
};

constexpr const char* kSource = "Enter By Settlement Source";
constexpr const char* kDest = "Enter By Settlement Destination";

class FrameClosing : public ::testing::Test, private desktop::WithApp {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(loader_.Load(error) && loader_.Start(port_, error)) << error;
        frame_.SetModule(&loader_.Entry());
        Show();
    }
    void TearDown() override {
        CloseAll();
        hvx::SetHostPort(nullptr);
    }

    // Every guard gives way, so nothing is left open for the next case.
    void CloseAll() {
        for (const QPointer<ChangesGuard>& guard : guards_)
            if (guard) guard->refuse = false;
        frame_.CloseAllDocuments();
        Settle();
        guards_.clear();
    }
    void Show() {
        frame_.show();
        frame_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
    }
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    QMenu* Menu(const QString& title) {
        for (QMenu* menu : frame_.menuBar()->findChildren<QMenu*>())
            if (menu->title() == title) return menu;
        return nullptr;
    }
    QAction* MenuCommand(const QString& menuTitle, const QString& text) {
        QMenu* menu = Menu(menuTitle);
        emit menu->aboutToShow();
        for (QAction* action : menu->actions())
            if (action->text() == text) return action;
        return nullptr;
    }
    QAction* WindowCommand(const QString& text) { return MenuCommand("&Window", text); }
    // Source first, then Destination (in front), each from the Grain menu,
    // each with a guard inside.
    void OpenBoth() {
        const QList<QAction*> grain = Menu("&Grain")->actions();
        for (int i : {0, 1}) {
            grain.at(i)->trigger();
            asked_[i] = 0;
            guards_ << new ChangesGuard(area_->subWindowList().back()->widget(), asked_[i]);
        }
        Settle();
    }
    // The captions of the open documents, in the order opened, and of the
    // one in front, "S" and "D" for short.
    static std::string Short(QString captions) {
        return captions.replace(kSource, "S").replace(kDest, "D").toStdString();
    }
    std::string Open() const {
        QStringList captions;
        for (QMdiSubWindow* frame : area_->subWindowList()) captions << frame->windowTitle();
        return Short(captions.join("|"));
    }
    std::string Front() const {
        QMdiSubWindow* front = area_->currentSubWindow();
        return Short(front ? front->windowTitle() : "");
    }
    std::string Title() const { return frame_.windowTitle().toStdString(); }
    void Key(QKeyCombination key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &frame_, key.key(), key.keyboardModifiers());
    }

    hvx::host::HostWindow frame_;
    QMdiArea* area_ = frame_.Area();
    hvx::host::SiblingLibraries siblings_{desktop::ModulesDir()};
    hvx::host::HostPortImpl port_{&frame_, area_, siblings_, nullptr};
    hvx::host::ModuleLoader loader_{siblings_};
    QList<QPointer<ChangesGuard>> guards_;
    int asked_[2] = {};
};

TEST_F(FrameClosing, TitleNamesTheDocumentInFrontAndFollowsItsCaption) {
    QAction* close = WindowCommand("Cl&ose");
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(Title(), "Harvexa");
    EXPECT_FALSE(close->isEnabled() || WindowCommand("Close &All")->isEnabled());
    OpenBoth();
    EXPECT_EQ(Title(), std::string("Harvexa - [") + kDest + "]");
    EXPECT_TRUE(close->isEnabled() && WindowCommand("Close &All")->isEnabled());
    EXPECT_EQ(close->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+F4"), QKeySequence("Ctrl+W")}));
    // Ctrl+Tab brings the other document to the front.
    Key(Qt::CTRL | Qt::Key_Tab);
    Settle();
    ASSERT_EQ(area_->activeSubWindow(), area_->subWindowList().front());
    EXPECT_EQ(Title(), std::string("Harvexa - [") + kSource + "]");
    // A record lock taken by another workstation renames the frame.
    area_->activeSubWindow()->setWindowTitle(QString("%1 (Locked)").arg(kSource));
    EXPECT_EQ(Title(), std::string("Harvexa - [") + kSource + " (Locked)]");
    // Closing the front one hands the title to the one left; the last one
    // closed leaves the product's name, and nothing to close.
    Key(Qt::CTRL | Qt::Key_F4);
    Settle();
    EXPECT_EQ(Title(), std::string("Harvexa - [") + kDest + "]");
    Key(Qt::CTRL | Qt::Key_W);
    Settle();
    EXPECT_EQ(Title(), "Harvexa");
    EXPECT_FALSE(close->isEnabled() || WindowCommand("Close &All")->isEnabled());
}

// Every way of closing, with the document that refuses (-1: none). The
// Destination window is in front when the clerk acts.
TEST_F(FrameClosing, EveryWayOfClosingAsksTheDocumentAndStopsWhenItRefuses) {
    const auto closeButton = [this] {
        QMdiSubWindow* front = area_->activeSubWindow();
        QStyleOptionTitleBar bar;
        bar.initFrom(front);
        bar.titleBarFlags = front->windowFlags();
        bar.subControls = QStyle::SC_All;
        bar.rect.setHeight(front->style()->pixelMetric(QStyle::PM_TitleBarHeight, &bar, front));
        const QRect button = front->style()->subControlRect(QStyle::CC_TitleBar, &bar,
                                                            QStyle::SC_TitleBarCloseButton, front);
        // The frame presses the button the pointer is over.
        QMouseEvent move(QEvent::MouseMove, button.center(), front->mapToGlobal(button.center()),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(front, &move);
        QTest::mouseClick(front, Qt::LeftButton, {}, button.center());
    };
    const struct {
        const char* way;
        std::function<void()> act;
        int refusing;
        const char* left;   // the documents still open, in the order opened
        const char* front;  // the one in front afterwards
        const char* asked;  // how often each was asked
        bool hostOpen;
    } cases[] = {
        {"Ctrl+F4", [&] { Key(Qt::CTRL | Qt::Key_F4); }, 1, "S|D", "D", "0,1", true},
        {"Ctrl+F4", [&] { Key(Qt::CTRL | Qt::Key_F4); }, -1, "S", "S", "0,1", true},
        {"Ctrl+W", [&] { Key(Qt::CTRL | Qt::Key_W); }, 1, "S|D", "D", "0,1", true},
        {"Ctrl+W", [&] { Key(Qt::CTRL | Qt::Key_W); }, -1, "S", "S", "0,1", true},
        {"Cl&ose", [&] { WindowCommand("Cl&ose")->trigger(); }, 1, "S|D", "D", "0,1", true},
        {"close button", closeButton, 1, "S|D", "D", "0,1", true},
        {"close button", closeButton, -1, "S", "S", "0,1", true},
        // Close All goes in the order opened and stops at the first refusal,
        // bringing that document to the front; the later one is not asked.
        {"Close &All", [&] { WindowCommand("Close &All")->trigger(); }, 0, "S|D", "S", "1,0", true},
        {"Close &All", [&] { WindowCommand("Close &All")->trigger(); }, 1, "D", "D", "1,1", true},
        {"Close &All", [&] { WindowCommand("Close &All")->trigger(); }, -1, "", "", "1,1", true},
        {"E&xit", [&] { MenuCommand("&File", "E&xit")->trigger(); }, 1, "D", "D", "1,1", true},
        {"E&xit", [&] { MenuCommand("&File", "E&xit")->trigger(); }, -1, "", "", "1,1", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.way << ", refusing " << c.refusing);
        if (!frame_.isVisible()) Show();
        OpenBoth();
        ASSERT_EQ(Open(), "S|D");
        if (c.refusing >= 0) guards_[c.refusing]->refuse = true;
        c.act();
        Settle();
        EXPECT_EQ(Open(), c.left);
        EXPECT_EQ(Front(), c.front);
        EXPECT_EQ(std::to_string(asked_[0]) + "," + std::to_string(asked_[1]), c.asked);
        EXPECT_EQ(frame_.isVisible(), c.hostOpen);
        CloseAll();
    }
}

}  // namespace
