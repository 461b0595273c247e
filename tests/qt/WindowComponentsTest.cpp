// The window components: date, lookup and picture fields, and the help window.
#include "QtTestSupport.h"
#include "qt/ui/DateField.h"
#include "qt/ui/HelpMap.h"
#include "qt/ui/HelpViewer.h"
#include "qt/ui/LookupField.h"
#include "qt/ui/PictureButton.h"
#include "qt/ui/QtUiPort.h"

namespace {

TEST(DateField, LeavingTheFieldCompletesTheTypedDateAndTheCalendarChoosesOne) {
    QWidget window;
    auto* date = new hvx::DateField(&window);
    new QLineEdit(&window);  // where the clerk tabs on to
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const struct {
        const char *typed, *shown;  // shown null: refused as no date
    } cases[] = {{"3/7/24", "03/07/2024"}, {"  ", ""}, {"02/30/2024", nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QSignalSpy committed(date, &hvx::DateField::dateCommitted);
        QSignalSpy invalid(date, &hvx::DateField::invalidDate);
        date->LineEdit()->setFocus();
        date->LineEdit()->clear();
        QTest::keyClicks(date->LineEdit(), c.typed);
        QTest::keyClick(date->LineEdit(), Qt::Key_Tab);  // the clerk tabs on
        EXPECT_EQ(date->Text(), c.shown ? c.shown : c.typed);
        ASSERT_EQ(committed.count(), c.shown ? 1 : 0);
        ASSERT_EQ(invalid.count(), c.shown ? 0 : 1);
        EXPECT_EQ(committed.isEmpty() ? "" : committed.at(0).at(0).toString(),
                  c.shown ? c.shown : "");
    }

    date->SetText("3/7/24");
    date->CalendarButton()->click();
    QCalendarWidget* calendar = date->Calendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 7)) << "opens on the field's date";
    QSignalSpy committed(date, &hvx::DateField::dateCommitted);
    calendar->setSelectedDate(QDate(2024, 3, 9));
    QTest::keyClick(calendar->findChild<QTableView*>(), Qt::Key_Return);
    EXPECT_EQ(date->Text(), "03/09/2024");
    EXPECT_EQ(committed.count(), 1);
    EXPECT_EQ(date->Calendar(), nullptr) << "the popup closes once a day is chosen";
}

TEST(LookupField, ButtonAndF4AskForTheLookup) {
    hvx::LookupField field;
    QSignalSpy asked(&field, &hvx::LookupField::lookupRequested);
    field.SearchButton()->click();
    QTest::keyClick(field.LineEdit(), Qt::Key_F4);
    QTest::keyClicks(field.LineEdit(), "MILL");
    EXPECT_EQ(asked.count(), 2);
    EXPECT_EQ(field.Text(), "MILL");
}

TEST(PictureButton, ShowsThePictureOrFallsBackToItsText) {
    QTemporaryDir folder;
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(folder.filePath("print.png")));
    qputenv("HARVEXA_PICTURES_DIR", folder.path().toLocal8Bit());
    hvx::PictureButton found("print", "P&rint"), missing("nosuchpicture", "&Report");
    qunsetenv("HARVEXA_PICTURES_DIR");
    EXPECT_TRUE(!found.icon().isNull() && found.toolButtonStyle() == Qt::ToolButtonIconOnly);
    EXPECT_TRUE(missing.icon().isNull() && missing.toolButtonStyle() == Qt::ToolButtonTextOnly &&
                missing.text() == "&Report");
}

TEST(Help, ContextsOpenTheirPagesAndUnknownOnesTheContents) {
    const struct {
        const char* file;
        int context;
        const char *page, *title;  // page: file name and anchor
    } cases[] = {
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
    ASSERT_TRUE(map.open(QIODevice::WriteOnly) && page.open(QIODevice::WriteOnly));
    map.write("# contexts\n 10 = a.html \n11=missing.html\nx=a.html\n12\n13=\n14=a.html#part\n");
    map.close();
    const hvx::HelpMap help(folder.path());
    for (const auto& [context, shown] : {std::pair{10, "a.html"},
                                         {14, "a.html#part"},
                                         {0, "index.html"},
                                         {11, "index.html"},
                                         {12, "index.html"},
                                         {13, "index.html"}})
        EXPECT_EQ(help.PageFor("HVXGRP.HLP", context), folder.filePath(shown)) << context;
    EXPECT_EQ(hvx::HelpMap(folder.filePath("nowhere")).PageFor("HVXGRP.HLP", 10),
              folder.filePath("nowhere/index.html"));
}

}  // namespace
