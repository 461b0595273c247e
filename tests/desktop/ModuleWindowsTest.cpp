// The module's windows opened through its entry points into a client area,
// as the host's menu opens them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "DesktopSupport.h"
#include "platform/HostPort.h"
#include "platform/ProfileFile.h"
#include "abi/ModuleAbi.h"

namespace {

using desktop::Entry;

constexpr Qt::WindowFlags kNoSizing = Qt::WindowMaximizeButtonHint;

class ModuleWindows : public ::testing::Test, private desktop::WithApp {
protected:
    void SetUp() override {
        ASSERT_NE(desktop::Module(), nullptr);
        ASSERT_NE(desktop::Screen("small"), nullptr);
        frame_.setScreen(desktop::Screen("small"));
        frame_.setCentralWidget(area_ = new QMdiArea);
        frame_.resize(780, 560);
        frame_.show();
    }

    // Opens a window with an entry point and returns the one new frame.
    QMdiSubWindow* Open(const std::function<int(void*)>& entry, void* parent = nullptr) {
        const auto before = area_->subWindowList();
        EXPECT_EQ(entry(parent ? parent : &frame_), 1);
        const auto added = desktop::NewFrames(*area_, before);
        return added.size() == 1 ? added.front() : nullptr;
    }

    // Runs `call` while a timer answers the modal dialog it shows.
    static QString AnswerModal(const std::function<void()>& call, const QString& button) {
        QString title;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog) return;
            title = dialog->windowTitle();
            for (auto* b : dialog->findChildren<QAbstractButton*>())
                if (b->text() == button) b->click();
            if (dialog->isVisible()) dialog->done(-1);  // the button was missing
        });
        call();
        return title;
    }

    QMainWindow frame_;
    QMdiArea* area_ = nullptr;
};

TEST_F(ModuleWindows, DocumentFramesFromEachEntryPoint) {
    const struct {
        const char* entry;
        bool keyed;
        const char* className;
        const char* caption;
        const char* startsAs;
    } cases[] = {
        {"CreateSourceSettlementMENU", false, "GRPVsettleDlg", "Enter By Settlement Source", "New settlement"},
        {"CreateSourceSettlement", true, "GRPVsettleDlg", "Enter By Settlement Source", "New settlement"},
        {"CreateDestSettlementMENU", false, "GRPVmsettleDlg", "Enter By Settlement Destination", "New settlement"},
        {"CreateDestSettlement", true, "GRPVmsettleDlg", "Enter By Settlement Destination", "New settlement"},
        {"CreateDirShipMENU", false, "GRPVdirshipDlg", "Direct Shipment", ""},
        {"CreateCWRMENU", false, "GRPVcwrDlg", "Collateral Warehouse Receipts", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        QMdiSubWindow* frame =
            c.keyed ? Open([&](void* p) { return Entry<HVXCreateKeyedWindowFn>(c.entry)(p, ""); })
                    : Open([&](void* p) { return Entry<HVXCreateWindowFn>(c.entry)(p); });
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->objectName(), c.className);
        EXPECT_EQ(frame->windowTitle(), c.caption);
        EXPECT_FALSE(frame->windowIcon().isNull());
        EXPECT_TRUE(frame->isVisible());
        // No maximise button and no sizing border.
        EXPECT_FALSE(frame->windowFlags() & kNoSizing);
        EXPECT_TRUE(frame->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
        // On an 800 x 600 screen every frame takes the corner, though the
        // frames before it are still open there.
        EXPECT_EQ(frame->pos(), QPoint(0, 0));
        EXPECT_EQ(frame->widget()->property("startsAs").toString(), c.startsAs);
        EXPECT_EQ(frame->widget()->property("settlementKey").toString(), "");
    }
}

TEST_F(ModuleWindows, SmallScreensPutFramesInTheCorner) {
    auto settlement = Entry<HVXCreateWindowFn>("CreateSourceSettlementMENU");
    auto search = Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch");
    const struct {
        const char* screen;
        bool documentInCorner, searchInCorner;
    } cases[] = {{"small", true, false}, {"large", false, false}, {"vga", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        area_->closeAllSubWindows();
        QApplication::processEvents();
        frame_.setScreen(desktop::Screen(c.screen));
        // A frame already in the corner: the area would place the next
        // ones elsewhere.
        ASSERT_NE(Open(settlement), nullptr);
        QMdiSubWindow* document = Open(settlement);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->pos() == QPoint(0, 0), c.documentInCorner) << document->pos().x();

        const auto before = area_->subWindowList();
        AnswerModal([&] { search(&frame_); }, "&Search");
        const auto results = desktop::NewFrames(*area_, before);
        ASSERT_EQ(results.size(), 1);
        EXPECT_EQ(results.front()->pos() == QPoint(0, 0), c.searchInCorner);
    }
}

TEST_F(ModuleWindows, KeyDecidesHowASettlementWindowStarts) {
    const struct {
        const char* key;
        const char* startsAs;
    } cases[] = {
        {nullptr, "New settlement"},
        {"#123", "New settlement from source line #123"},
        {"123", "Settlement 123"},
        {"1042", "Settlement 1042"},
        {"#", "The key \"#\" names no source line: a record number must follow the \"#\"."},
    };
    for (const char* entry : {"CreateSourceSettlement", "CreateDestSettlement"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(entry) + " " + (c.key ? c.key : "<null>"));
            QMdiSubWindow* frame =
                Open([&](void* p) { return Entry<HVXCreateKeyedWindowFn>(entry)(p, c.key); });
            ASSERT_NE(frame, nullptr);
            EXPECT_EQ(frame->widget()->property("settlementKey").toString(), c.key ? c.key : "");
            EXPECT_EQ(frame->widget()->property("startsAs").toString(), c.startsAs);
            // The window shows how it starts.
            auto* line = frame->widget()->findChild<QLabel*>("startsAs");
            ASSERT_NE(line, nullptr);
            EXPECT_EQ(line->text(), c.startsAs);
        }
    }
}

TEST_F(ModuleWindows, ParentIsFoundFromAnyWindowOfTheFrame) {
    auto open = Entry<HVXCreateWindowFn>("CreateDirShipMENU");
    QMdiSubWindow* first = Open(open);
    ASSERT_NE(first, nullptr);
    // A command coming from a document opens beside it in the same area.
    EXPECT_NE(Open(open, first->widget()), nullptr);
    EXPECT_NE(Open(open, area_), nullptr);
    EXPECT_EQ(area_->subWindowList().size(), 3);

    // A window with no client area anywhere in its frame opens nothing.
    QWidget lonely;
    EXPECT_EQ(open(&lonely), 0);
    // No parent and no host: nowhere to open.
    hvx::SetHostPort(nullptr);
    EXPECT_EQ(open(nullptr), 0);
    EXPECT_EQ(area_->subWindowList().size(), 3);
}

TEST_F(ModuleWindows, NewSettlementIsAModalDialogWithItsModalResult) {
    int result = -5;
    const QString title = AnswerModal(
        [&] { result = Entry<HVXNewSettlementFn>("NewSettlement")(&frame_); }, "Cancel");
    EXPECT_EQ(title, "Create New Settlement");
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_TRUE(area_->subWindowList().isEmpty());
}

TEST_F(ModuleWindows, SearchCancelledOpensNothing) {
    auto search = Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch");
    const QString title = AnswerModal([&] { search(&frame_); }, "Cancel");
    EXPECT_EQ(title, "Search For Settlements");
    EXPECT_TRUE(area_->subWindowList().isEmpty());
}

TEST_F(ModuleWindows, SearchResultsSizedFromTheProfile) {
    desktop::PrivateFolders folders;
    auto search = Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch");
    const struct {
        const char* stored;  // null: no key
        QSize size;
    } cases[] = {{nullptr, {590, 376}}, {"700,450", {700, 450}}, {"0,450", {590, 376}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "<none>");
        if (c.stored) {
            ASSERT_TRUE(WritePrivateProfileString("Grain", "SettlementSearchWindowPos", c.stored,
                                                  hvx::LocalProfilePath()));
        }
        const auto before = area_->subWindowList();
        EXPECT_EQ(AnswerModal([&] { search(&frame_); }, "&Search"), "Search For Settlements");
        const auto added = desktop::NewFrames(*area_, before);
        ASSERT_EQ(added.size(), 1);
        QMdiSubWindow* frame = added.front();
        EXPECT_EQ(frame->objectName(), "SettlementSearchFrame");
        EXPECT_EQ(frame->windowTitle(), "Settlement Search Results");
        EXPECT_EQ(frame->size(), c.size);
        // The results window keeps its sizing border, and comes to the top.
        EXPECT_TRUE(frame->windowFlags() & kNoSizing);
        EXPECT_NE(frame->minimumSize(), frame->maximumSize());
        EXPECT_EQ(area_->activeSubWindow(), frame);
        frame->close();
    }
}

}  // namespace
