// The help pages as shipped: the help button of each settlement window and
// of the posted-change dialogs lands on a page and an anchor that exist.
#include <gtest/gtest.h>

#include <QFile>

#include "qt/ui/HelpMap.h"

namespace {

TEST(HelpPages, EachSettlementContextLandsOnItsOwnPageAndAnchor) {
    const hvx::HelpMap help;
    for (int context : {2024, 2025, 2026, 2027}) {
        // A missing map line or page gives the contents page instead.
        const QString target = help.PageFor("HVXGRP.HLP", context);
        ASSERT_NE(target.toStdString(), help.ContentsPage().toStdString()) << context;
        QFile page(target.section('#', 0, 0));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << context;
        const QString anchor = "name=\"" + target.section('#', 1) + "\"";
        EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(anchor)) << context;
    }
}

}  // namespace
