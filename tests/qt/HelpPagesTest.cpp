// The help pages as shipped: the help button of each settlement window, of
// the posted-change dialogs and of the search criteria lands on a page (and
// an anchor, where the map names one) that exist.
#include <gtest/gtest.h>

#include <QFile>

#include "qt/ui/HelpMap.h"

namespace {

TEST(HelpPages, EachSettlementContextLandsOnItsOwnPageAndAnchor) {
    const hvx::HelpMap help;
    for (int context : {2024, 2025, 2026, 2027, 2029}) {
        // A missing map line or page gives the contents page instead.
        const QString target = help.PageFor("HVXGRP.HLP", context);
        ASSERT_NE(target.toStdString(), help.ContentsPage().toStdString()) << context;
        QFile page(target.section('#', 0, 0));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << context;
        const QString anchor = target.section('#', 1);
        if (anchor.isEmpty()) continue;
        EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains("name=\"" + anchor + "\""))
            << context;
    }
}

}  // namespace
