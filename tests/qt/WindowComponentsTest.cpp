// The window components: date field, lookup field and picture button.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QLineEdit>
#include <QPixmap>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "qt/ui/DateField.h"
#include "qt/ui/LookupField.h"
#include "qt/ui/PictureButton.h"

namespace {

class DateFields : public ::testing::Test {
protected:
    void SetUp() override {
        window.setLayout(new QVBoxLayout);
        window.layout()->addWidget(date = new hvx::DateField);
        window.layout()->addWidget(next = new QLineEdit);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWidget window;
    hvx::DateField* date = nullptr;
    QLineEdit* next = nullptr;
};

TEST_F(DateFields, LeavingTheFieldCompletesTheTypedDate) {
    const struct {
        const char* typed;
        const char* shown;
        bool valid;
    } cases[] = {
        {"3/7/24", "03/07/2024", true}, {"030724", "03/07/2024", true},
        {"12252000", "12/25/2000", true}, {"  ", "", true},
        {"", "", true}, {"3/7/2400", "03/07/2024", true},
        {"02/30/2024", "02/30/2024", false}, {"soon", "soon", false},
    };
    for (const auto& c : cases) {
        QSignalSpy committed(date, &hvx::DateField::dateCommitted);
        QSignalSpy invalid(date, &hvx::DateField::invalidDate);
        date->LineEdit()->setFocus();
        date->LineEdit()->clear();
        QTest::keyClicks(date->LineEdit(), c.typed);
        next->setFocus();
        EXPECT_EQ(date->Text(), c.shown) << c.typed;
        ASSERT_EQ(committed.count(), c.valid ? 1 : 0) << c.typed;
        ASSERT_EQ(invalid.count(), c.valid ? 0 : 1) << c.typed;
        if (c.valid) {
            EXPECT_EQ(committed.at(0).at(0).toString(), c.shown);
        }
    }
}

TEST_F(DateFields, CalendarOpensOnTheFieldsDateAndEnterChoosesTheDay) {
    date->SetText("3/7/24");
    date->CalendarButton()->click();
    QCalendarWidget* calendar = date->Calendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 7));
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
    field.SetSearchHint("Search for a location.");
    EXPECT_EQ(field.SearchButton()->toolTip(), "Search for a location.");
}

TEST(PictureButton, ShowsThePictureOrFallsBackToItsText) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QPixmap picture(16, 16);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(folder.filePath("print.png")));
    qputenv("HARVEXA_PICTURES_DIR", folder.path().toLocal8Bit());

    hvx::PictureButton found("print", "P&rint");
    hvx::PictureButton missing("nosuchpicture", "&Report");
    qunsetenv("HARVEXA_PICTURES_DIR");
    EXPECT_TRUE(found.HasPicture());
    EXPECT_FALSE(found.icon().isNull());
    EXPECT_EQ(found.toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_FALSE(missing.HasPicture());
    EXPECT_TRUE(missing.icon().isNull());
    EXPECT_EQ(missing.text(), "&Report");
    EXPECT_EQ(missing.toolButtonStyle(), Qt::ToolButtonTextOnly);
}

}  // namespace
