// Help: context numbers of the help file to pages, and the help window.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "qt/ui/HelpMap.h"
#include "qt/ui/HelpViewer.h"
#include "qt/ui/QtUiPort.h"

namespace {

TEST(Help, ContextsOpenTheirPagesAndUnknownOnesTheContents) {
    const struct {
        const char* file;
        int context;
        const char* page;
        const char* anchor;
        const char* title;
    } cases[] = {
        {"HVXGRP.HLP", 2029, "settlement-search.html", "", "Settlement search"},
        {"HVXGRP.HLP", 2024, "settlement-entry.html", "single-source", "Entering settlements"},
        {"hvxgrp.hlp", 2025, "settlement-entry.html", "multiple-source", "Entering settlements"},
        {"HVXGRP.HLP", 2112, "new-settlement.html", "", "Starting a new settlement"},
        {"HVXGRP.HLP", 9999, "index.html", "", "Harvexa Grain Help"},
        {"OTHER.HLP", 2029, "index.html", "", "Harvexa Grain Help"},
    };
    hvx::QtUiPort port;
    for (const auto& c : cases) {
        port.ShowHelp(c.file, c.context);
        hvx::HelpViewer* viewer = hvx::HelpViewer::Current();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        const QUrl source = viewer->Browser()->source();
        EXPECT_EQ(source.fileName(), c.page) << c.context;
        EXPECT_EQ(source.fragment(), c.anchor) << c.context;
        EXPECT_EQ(viewer->Browser()->documentTitle(), c.title) << c.context;
    }
    hvx::HelpViewer* first = hvx::HelpViewer::Current();
    port.ShowHelp("HVXGRP.HLP", 2029);
    EXPECT_EQ(hvx::HelpViewer::Current(), first) << "one help window, reused";
}

TEST(Help, MapSkipsCommentsAndBadLinesAndMissingPages) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile map(folder.filePath("index.map"));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly | QIODevice::Text));
    map.write("# contexts\n 10 = a.html \n11=missing.html\nx=a.html\n12\n13=\n14=a.html#part\n");
    map.close();
    QFile page(folder.filePath("a.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    const hvx::HelpMap help(folder.path());
    const QString contents = folder.filePath("index.html");
    EXPECT_EQ(help.PageFor("HVXGRP.HLP", 10), folder.filePath("a.html"));
    EXPECT_EQ(help.PageFor("HVXGRP.HLP", 14), folder.filePath("a.html#part"));
    for (int context : {0, 11, 12, 13}) EXPECT_EQ(help.PageFor("HVXGRP.HLP", context), contents);
    EXPECT_EQ(hvx::HelpMap(folder.filePath("nowhere")).PageFor("HVXGRP.HLP", 10),
              folder.filePath("nowhere/index.html"));
}

}  // namespace
