// Help: context numbers of the help file to pages, and the help window.
#include "QtTestSupport.h"
#include "qt/ui/HelpMap.h"
#include "qt/ui/HelpViewer.h"
#include "qt/ui/QtUiPort.h"

namespace {

TEST(Help, ContextsOpenTheirPagesAndUnknownOnesTheContents) {
    const struct {
        const char* file;
        int context;
        const char* page;  // file name and anchor
        const char* title;
    } cases[] = {
        {"HVXGRP.HLP", 2029, "settlement-search.html#", "Settlement search"},
        {"HVXGRP.HLP", 2024, "settlement-entry.html#single-source", "Entering settlements"},
        {"hvxgrp.hlp", 2025, "settlement-entry.html#multiple-source", "Entering settlements"},
        {"HVXGRP.HLP", 9999, "index.html#", "Harvexa Grain Help"},
        {"OTHER.HLP", 2029, "index.html#", "Harvexa Grain Help"},
    };
    hvx::QtUiPort port;
    hvx::HelpViewer* first = nullptr;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.context);
        port.ShowHelp(c.file, c.context);
        hvx::HelpViewer* viewer = hvx::HelpViewer::Current();
        ASSERT_NE(viewer, nullptr);
        if (!first) first = viewer;
        EXPECT_EQ(viewer, first) << "one help window, reused";
        EXPECT_TRUE(viewer->isVisible());
        const QUrl source = viewer->Browser()->source();
        EXPECT_EQ(source.fileName() + "#" + source.fragment(), c.page);
        EXPECT_EQ(viewer->Browser()->documentTitle(), c.title);
    }
}

TEST(Help, MapSkipsCommentsAndBadLinesAndMissingPages) {
    QTemporaryDir folder;
    QFile map(folder.filePath("index.map")), page(folder.filePath("a.html"));
    ASSERT_TRUE(map.open(QIODevice::WriteOnly | QIODevice::Text) &&
                page.open(QIODevice::WriteOnly));
    map.write("# contexts\n 10 = a.html \n11=missing.html\nx=a.html\n12\n13=\n14=a.html#part\n");
    map.close();
    const hvx::HelpMap help(folder.path());
    EXPECT_EQ(help.PageFor("HVXGRP.HLP", 10), folder.filePath("a.html"));
    EXPECT_EQ(help.PageFor("HVXGRP.HLP", 14), folder.filePath("a.html#part"));
    for (int context : {0, 11, 12, 13})
        EXPECT_EQ(help.PageFor("HVXGRP.HLP", context), folder.filePath("index.html"));
    EXPECT_EQ(hvx::HelpMap(folder.filePath("nowhere")).PageFor("HVXGRP.HLP", 10),
              folder.filePath("nowhere/index.html"));
}

}  // namespace
