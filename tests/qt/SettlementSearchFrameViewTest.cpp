// The results window on screen over the demo cooperative, used with the
// mouse and keyboard: rows arrive, the matched cell is red, a heading sorts,
// Enter views, the settle menu refuses by destination, research clears,
// cancel stops a run, and closing keeps the size.
#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "platform/ProfileFile.h"
#include "qt/windows/search/SettlementSearchFrameView.h"

namespace {

using hvx::SettlementSearchFrameView;
using hvx::search::SettlementSearchObject;

class SearchResultsWindow : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SearchResultsWindow);

TEST_P(SearchResultsWindow, AClerkViewsSortsResearchesCancelsAndCloses) {
    std::string error;
    ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
    const QString config = QDir::temp().filePath(QString("hvx-search-ui-%1").arg(::getpid()));
    qputenv("XDG_CONFIG_HOME", config.toUtf8());

    auto criteria = std::make_shared<SettlementSearchObject>();
    criteria->SearchString = "anderson";
    criteria->Locations[1] = true;  // customer name
    criteria->SearchAll = false;
    QStringList opened;
    bool clearOnResearch = true;
    hvx::SearchFrameCalls calls;
    calls.openSettlement = [&](bool byDestination, const std::string& key) {
        opened << QString(byDestination ? "dest " : "source ") + QString::fromStdString(key);
    };
    calls.runCriteria = [&](SettlementSearchObject& c, bool& clear) {
        c.SearchAll = true;
        clear = clearOnResearch;
        return true;
    };
    QMdiArea area;
    auto* view = new SettlementSearchFrameView(criteria, calls);
    QMdiSubWindow* frame = area.addSubWindow(view);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    view->AddToSystemMenu(frame->systemMenu());
    area.resize(900, 500);
    area.show();
    frame->resize(700, 380);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    view->Start();

    auto* grid = view->findChild<QTableView*>("Results");
    QAbstractItemModel* model = grid->model();
    const auto nguyen = hvxtest::Column(
        "SELECT SETTLEMENT FROM HVXGR04D WHERE CUSTNAME LIKE 'Anderson%' AND POSTED<>'T' "
        "AND REVERSED<>'T' ORDER BY SETTLEMENT");
    ASSERT_FALSE(nguyen.empty());
    EXPECT_EQ(model->rowCount(), static_cast<int>(nguyen.size()));
    EXPECT_EQ(view->findChild<QLabel*>("Matches")->text(),
              QString("%1 settlement entry matches found.").arg(nguyen.size()));
    EXPECT_EQ(frame->windowTitle(), "Settlement Search Results");
    EXPECT_EQ(model->index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
    EXPECT_FALSE(model->index(0, 0).data(Qt::ForegroundRole).isValid());

    // "Sett #" twice: descending, so the highest number comes first; Enter views it.
    const int settColumn = grid->columnViewportPosition(0) + 5;
    for (int i = 0; i < 2; ++i)
        QTest::mouseClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {},
                          QPoint(settColumn, 5));
    EXPECT_EQ(model->index(0, 0).data().toString().toStdString(), nguyen.back());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(model->index(0, 2)).center());
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].endsWith(" " + QString::fromStdString(nguyen.back()))) << opened[0].toStdString();

    // "&Settle", then its second entry from the keyboard: refused.
    QString refusal;
    hvxtest::WhenModal<QMessageBox>([&](QMessageBox* box) {
        refusal = box->text();
        box->accept();
    });
    // The menu opens when the button's mnemonic click lands; choose from it then.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        poll.stop();
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start(10);
    QTest::keyClick(view, Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !refusal.isEmpty(); }));
    EXPECT_EQ(refusal, "Settle by destination option is currently unavailable.");

    // "&Research" with the results cleared: every unposted, unreversed line.
    // The message box gave the window back; the clerk is in it again.
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    QTest::keyClick(view, Qt::Key_R, Qt::AltModifier);
    const auto all = hvxtest::Column(
        "SELECT RECNO FROM HVXGR04D WHERE POSTED<>'T' AND REVERSED<>'T' AND STATUS LIKE 'O%'");
    EXPECT_TRUE(QTest::qWaitFor([&] { return model->rowCount() == static_cast<int>(all.size()); }))
        << model->rowCount();
    EXPECT_FALSE(grid->horizontalHeader()->isSortIndicatorShown());

    // "&Cancel" clicked as soon as the run lets events through: one line read.
    auto* close = view->findChild<QPushButton*>("Close");
    QStringList duringRun;
    QTimer::singleShot(0, [&] {
        duringRun << close->text() << frame->windowTitle();
        close->click();
    });
    frame->systemMenu()->actions().last()->trigger();  // "R&esearch"
    EXPECT_EQ(duringRun, (QStringList{"&Cancel", "Searching Settlements..."}));
    EXPECT_EQ(model->rowCount(), 1);
    EXPECT_EQ(close->text(), "&Close");
    EXPECT_TRUE(frame->isVisible());

    // Closing writes the frame's size back.
    const QSize size = frame->size();
    QTest::keyClick(view, Qt::Key_C, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return area.subWindowList().isEmpty(); }));
    EXPECT_EQ(GetPrivateProfileString("Grain", "SettlementSearchWindowPos", "",
                                      hvx::LocalProfilePath()),
              QString("%1,%2").arg(size.width()).arg(size.height()).toStdString());
    QDir(config).removeRecursively();
    qunsetenv("XDG_CONFIG_HOME");
}

}  // namespace
