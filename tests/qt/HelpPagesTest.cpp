// The help pages as shipped: every context a window opens and every link
// between the pages lands on a page and an anchor that exist.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "qt/ui/HelpMap.h"

namespace {

QString Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll())
                                                            : QString();
}

// "page.html#anchor" or "page.html": empty when it lands, else why not.
QString Landing(const QDir& folder, const QString& target) {
    const QString page = target.section('#', 0, 0), anchor = target.section('#', 1);
    if (!QFile::exists(folder.filePath(page))) return "no page " + page;
    if (anchor.isEmpty()) return {};
    const QString text = Read(folder.filePath(page));
    const bool found = text.contains(QString("name=\"%1\"").arg(anchor)) ||
                       text.contains(QString("id=\"%1\"").arg(anchor));
    return found ? QString() : "no anchor " + target;
}

TEST(HelpPages, EveryContextAndEveryLinkLandsOnAPageAndAnchorThatExist) {
    const QDir folder(hvx::HelpMap::Folder());
    QStringList broken;
    const QStringList lines = Read(folder.filePath("index.map")).split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.startsWith('#')) continue;
        const QString why = Landing(folder, line.section('=', 1).trimmed());
        if (!why.isEmpty()) broken << "index.map " + line + ": " + why;
    }
    // A link within the same page ("#anchor") names that page.
    const QRegularExpression link(R"(href="([^":#]*)(#[^"]*)?")");
    for (const QString& page : folder.entryList({"*.html"}, QDir::Files)) {
        for (const auto& match : link.globalMatch(Read(folder.filePath(page)))) {
            const QString target = (match.captured(1).isEmpty() ? page : match.captured(1)) +
                                   match.captured(2);
            const QString why = Landing(folder, target);
            if (!why.isEmpty()) broken << page + " links to " + target + ": " + why;
        }
    }
    EXPECT_EQ(broken.join('\n').toStdString(), "");
    // The settlement windows and the posted-change dialogs have pages of
    // their own, not the contents page.
    const hvx::HelpMap help;
    for (int context : {2024, 2025, 2026, 2027})
        EXPECT_NE(help.PageFor("HVXGRP.HLP", context).toStdString(),
                  help.ContentsPage().toStdString());
}

}  // namespace
