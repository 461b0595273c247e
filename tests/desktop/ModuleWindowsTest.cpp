// The module as the host meets it: loaded with dlopen, answering its queries,
// and opening its windows into a client area, as the host's menu opens them.
#include <functional>

#include "DesktopSupport.h"
#include "platform/HostPort.h"
#include "platform/ProfileFile.h"
#include "abi/ModuleAbi.h"

namespace {

using desktop::Entry;

TEST(ModuleLibrary, AnswersOnlyTheQueriesItKnows) {
    auto whatCanIDo = Entry<HVXWhatCanIDoFn>("HVXWhatCanIDo");
    ASSERT_NE(whatCanIDo, nullptr);
    EXPECT_STREQ(whatCanIDo("REQUIREDDLLS"), "H32016.DLL");
    // Queries are exact; any other gets an empty text, never a null.
    for (const char* other : {"MAINTAINANCE", "requireddlls", static_cast<const char*>(nullptr)})
        EXPECT_STREQ(whatCanIDo(other), "");
}

// Run alone, as ctest runs each test, this process has no application: the
// entry points that open windows refuse instead of aborting.
TEST(ModuleLibrary, WindowsNeedAnApplication) {
    if (QCoreApplication::instance()) GTEST_SKIP() << "an application already exists";
    EXPECT_EQ(Entry<HVXCreateKeyedWindowFn>("CreateDestSettlement")(nullptr, "1042"), 0);
    EXPECT_EQ(Entry<HVXNewSettlementFn>("NewSettlement")(nullptr), 0);
    Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch")(nullptr);  // and returns
}

constexpr Qt::WindowFlags kSizing = Qt::WindowMaximizeButtonHint;

class ModuleWindows : public ::testing::Test, private desktop::WithApp {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop::ModuleSymbol("Setup") && desktop::Screen("small"));
        frame_.setScreen(desktop::Screen("small"));
        frame_.setCentralWidget(area_);
        frame_.resize(780, 560);
        frame_.show();
    }

    // Runs `call` and returns the one frame it added to the area.
    QMdiSubWindow* NewFrame(const std::function<void()>& call) {
        const qsizetype before = area_->subWindowList().size();
        call();
        const auto frames = area_->subWindowList();
        return frames.size() == before + 1 ? frames.back() : nullptr;
    }
    QMdiSubWindow* Open(const std::function<int(void*)>& entry, void* parent = nullptr) {
        return NewFrame([&] { EXPECT_EQ(entry(parent ? parent : &frame_), 1); });
    }

    // Runs `call` while a timer presses `key` in the modal dialog it shows, as
    // a clerk would (and `then` in a question the key asks); returns its title.
    static QString AnswerModal(const std::function<void()>& call, Qt::Key key,
                               Qt::Key then = Qt::Key_unknown) {
        QString title;
        QTimer::singleShot(0, [&] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                title = dialog->windowTitle();
                const auto press = [&] { QTest::keyClick(dialog, key); };
                then == Qt::Key_unknown ? press() : (void)AnswerModal(press, then);
                if (dialog->isVisible()) dialog->done(-1);  // the key did not close it
            }
        });
        call();
        return title;
    }
    void Search() { Entry<HVXCreateSettlementSearchFn>("CreateSettlementSearch")(&frame_); }

    QMainWindow frame_;
    QMdiArea* area_ = new QMdiArea;
};

TEST_F(ModuleWindows, DocumentFramesFromEachEntryPointAndHowTheKeyStartsThem) {
    const struct {
        const char *entry, *key;  // the entries without MENU take a key
        const char* shown;        // class name | caption | how a settlement window starts
    } cases[] = {
        {"CreateSourceSettlementMENU", nullptr,
         "GRPVsettleDlg|Enter By Settlement Source|New settlement"},
        {"CreateSourceSettlement", "#",
         "GRPVsettleDlg|Enter By Settlement Source|The key \"#\" names no source line: a record "
         "number must follow the \"#\"."},
        {"CreateDestSettlementMENU", nullptr,
         "GRPVmsettleDlg|Enter By Settlement Destination|New settlement"},
        {"CreateDestSettlement", "1042",
         "GRPVmsettleDlg|Enter By Settlement Destination|Settlement 1042"},
        {"CreateDirShipMENU", nullptr, "GRPVdirshipDlg|Direct Shipment|"},
        {"CreateCWRMENU", nullptr, "GRPVcwrDlg|Collateral Warehouse Receipts|"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        QMdiSubWindow* frame = nullptr;
        if (QString(c.entry).endsWith("MENU")) {
            frame = Open([&](void* p) { return Entry<HVXCreateWindowFn>(c.entry)(p); });
        } else {
            // This process has no database: the key cannot be followed, and
            // the window says why before it shows empty.
            EXPECT_EQ(AnswerModal([&] {
                          frame = Open([&](void* p) {
                              return Entry<HVXCreateKeyedWindowFn>(c.entry)(p, c.key);
                          });
                      }, Qt::Key_Return),
                      "Harvexa");
        }
        ASSERT_NE(frame, nullptr);
        const QString startsAs = frame->widget()->property("startsAs").toString();
        EXPECT_EQ(frame->objectName() + "|" + frame->windowTitle() + "|" + startsAs, c.shown);
        EXPECT_EQ(frame->widget()->property("settlementKey").toString(), c.key ? c.key : "");
        const bool settlementWindow = QString(c.entry).contains("Settlement");
        EXPECT_EQ(frame->widget()->findChild<QWidget*>(
                      QString(c.entry).contains("Source") ? "SourceSettlementView"
                                                          : "DestSettlementView") != nullptr,
                  settlementWindow)
            << "a settlement window holds its entry view";
        EXPECT_TRUE(frame->isVisible() && !frame->windowIcon().isNull());
        // A minimise button, but no maximise button and no sizing border.
        EXPECT_EQ(frame->windowFlags() & (kSizing | Qt::WindowMinimizeButtonHint),
                  Qt::WindowMinimizeButtonHint);
        EXPECT_EQ(frame->minimumSize(), frame->maximumSize());
        // On an 800 x 600 screen every frame takes the corner, though the
        // frames before it are still open there.
        EXPECT_EQ(frame->pos(), QPoint(0, 0));
    }
}

TEST_F(ModuleWindows, SmallScreensPutFramesInTheCornerAndTheProfileSizesTheResults) {
    desktop::PrivateFolders folders;
    // Any document frame follows the small-screen rule; the warehouse receipt
    // frame is small enough to leave the area room to place it elsewhere.
    auto settlement = Entry<HVXCreateWindowFn>("CreateCWRMENU");
    const struct {
        const char *screen, *stored;  // the results window's size in the profile; null: none
        bool documentInCorner, searchInCorner;
        QSize size;
    } cases[] = {{"small", nullptr, true, false, {590, 376}},
                 {"large", "700,450", false, false, {700, 450}},
                 {"vga", "0,450", true, true, {590, 376}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        area_->closeAllSubWindows();
        QApplication::processEvents();
        frame_.setScreen(desktop::Screen(c.screen));
        ASSERT_TRUE(!c.stored || WritePrivateProfileString("Grain", "SettlementSearchWindowPos",
                                                           c.stored, hvx::LocalProfilePath()));
        // A frame already in the corner: the area would place the next ones elsewhere.
        ASSERT_NE(Open(settlement), nullptr);
        QMdiSubWindow* document = Open(settlement);
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->pos() == QPoint(0, 0), c.documentInCorner) << document->pos().x();
        // Enter in the search criteria presses Search, the default button.
        QMdiSubWindow* results = NewFrame([&] {
            EXPECT_EQ(AnswerModal([&] { Search(); }, Qt::Key_Return, Qt::Key_Return),
                      "Search For Settlements");
        });
        ASSERT_NE(results, nullptr);
        EXPECT_EQ(results->pos() == QPoint(0, 0), c.searchInCorner);
        EXPECT_EQ(results->objectName() + "|" + results->windowTitle(),
                  "SettlementSearchFrame|Settlement Search Results");
        EXPECT_EQ(results->size(), c.size);
        // The results window keeps its sizing border, and comes to the top.
        EXPECT_TRUE(results->windowFlags() & kSizing);
        EXPECT_NE(results->minimumSize(), results->maximumSize());
        EXPECT_EQ(area_->activeSubWindow(), results);
    }
}

TEST_F(ModuleWindows, ParentIsFoundFromAnyWindowOfTheFrame) {
    auto open = Entry<HVXCreateWindowFn>("CreateDirShipMENU");
    QMdiSubWindow* first = Open(open);
    ASSERT_NE(first, nullptr);
    // A command coming from a document opens beside it in the same area.
    EXPECT_NE(Open(open, first->widget()), nullptr);
    EXPECT_NE(Open(open, area_), nullptr);
    // A window with no client area anywhere in its frame opens nothing, nor
    // does a call with no parent and no host.
    QWidget lonely;
    EXPECT_EQ(open(&lonely), 0);
    hvx::SetHostPort(nullptr);
    EXPECT_EQ(open(nullptr), 0);
    EXPECT_EQ(area_->subWindowList().size(), 3);
}

TEST_F(ModuleWindows, EscapeCancelsTheModalDialogsAndOpensNothing) {
    int result = -5;
    EXPECT_EQ(AnswerModal([&] { result = Entry<HVXNewSettlementFn>("NewSettlement")(&frame_); },
                          Qt::Key_Escape),
              "Create New Settlement");
    EXPECT_EQ(result, QDialog::Rejected) << "the dialog's modal result";
    EXPECT_EQ(AnswerModal([&] { Search(); }, Qt::Key_Escape), "Search For Settlements");
    EXPECT_TRUE(area_->subWindowList().isEmpty());
}

}  // namespace
