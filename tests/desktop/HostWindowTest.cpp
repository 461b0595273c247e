// The host's frame with the module started: the Grain menu opens the module's
// windows and the Window menu lists them.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>

#include "DesktopSupport.h"
#include "host/app/HostPortImpl.h"
#include "host/app/HostWindow.h"
#include "host/app/ModuleLoader.h"

namespace {

QMenu* MenuOf(QMainWindow& window, const QString& title) {
    for (QAction* action : window.menuBar()->actions())
        if (action->text() == title) return action->menu();
    return nullptr;
}

QStringList Texts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << (action->isSeparator() ? "-" : action->text() + (action->isChecked() ? " *" : ""));
    return texts;
}

class HostFrame : public ::testing::Test, private desktop::WithApp {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(loader_.Load(error)) << error;
        ASSERT_TRUE(loader_.Start(port_, error)) << error;
        window_.show();
    }
    void TearDown() override { hvx::SetHostPort(nullptr); }

    hvx::host::HostWindow window_;
    hvx::host::SiblingLibraries siblings_{desktop::ModulesDir()};
    hvx::host::HostPortImpl port_{&window_, window_.Area(), siblings_, nullptr};
    hvx::host::ModuleLoader loader_{siblings_};
};

TEST_F(HostFrame, GrainMenuWaitsForTheModule) {
    QMenu* grain = MenuOf(window_, "&Grain");
    ASSERT_NE(grain, nullptr);
    EXPECT_EQ(Texts(grain), (QStringList{"Enter By Settlement &Source", "Enter By Settlement &Destination",
                                         "&New Settlement...", "Settlement S&earch...",
                                         "Direct S&hipment", "&Collateral Warehouse Receipts"}));
    for (QAction* action : grain->actions()) EXPECT_FALSE(action->isEnabled());
    window_.SetModule(&loader_.Entry());
    for (QAction* action : grain->actions()) EXPECT_TRUE(action->isEnabled());

    grain->actions().at(0)->trigger();
    grain->actions().at(4)->trigger();
    QStringList titles;
    for (QMdiSubWindow* frame : window_.Area()->subWindowList()) titles << frame->windowTitle();
    EXPECT_EQ(titles, (QStringList{"Enter By Settlement Source", "Direct Shipment"}));
}

TEST_F(HostFrame, WindowMenuListsTheOpenWindows) {
    window_.SetModule(&loader_.Entry());
    QMenu* menu = MenuOf(window_, "&Window");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    EXPECT_EQ(Texts(menu), (QStringList{"&Cascade", "&Tile"}));

    window_.Run(hvx::host::GrainCommand::SourceSettlement);
    window_.Run(hvx::host::GrainCommand::WarehouseReceipts);
    emit menu->aboutToShow();
    EXPECT_EQ(Texts(menu), (QStringList{"&Cascade", "&Tile", "-", "&1 Enter By Settlement Source",
                                        "&2 Collateral Warehouse Receipts *"}));
    // Choosing an entry brings that window to the front.
    menu->actions().at(3)->trigger();
    EXPECT_EQ(window_.Area()->activeSubWindow()->windowTitle(), "Enter By Settlement Source");
    emit menu->aboutToShow();
    EXPECT_EQ(Texts(menu).at(3), "&1 Enter By Settlement Source *");
}

}  // namespace
