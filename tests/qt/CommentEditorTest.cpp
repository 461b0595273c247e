// The dated-comment editor: adding, changing and deleting rows, and the port
// opening it for a record.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "QtTestSupport.h"
#include "platform/Dates.h"
#include "qt/ui/CommentEditor.h"
#include "qt/ui/QtUiPort.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvxtest::Rows;

class CommentEditors : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
    }
    void TearDown() override {
        hvx::SetTodayForTesting({});
        DatabaseTest::TearDown();
    }
    static QStringList Shown(const hvx::CommentEditor& e) {
        QStringList rows;
        for (int r = 0; r < e.List()->rowCount(); ++r)
            rows << e.List()->item(r, 0)->text() + " " + e.List()->item(r, 1)->text();
        return rows;
    }
};
HVX_DATABASE_TEST_SUITE(CommentEditors);

TEST_P(CommentEditors, AddChangeAndDeleteRows) {
    hvxtest::ScriptedUi ui;
    hvx::CommentEditor editor("HVXGR08C", "CWR'9", ui);
    ASSERT_TRUE(editor.Reload());
    EXPECT_EQ(editor.List()->rowCount(), 0);
    EXPECT_FALSE(editor.ChangeButton()->isEnabled());

    editor.TextEdit()->setPlainText("Pledged to O'Neil Bank\nuntil harvest");
    editor.AddButton()->click();
    EXPECT_EQ(Shown(editor), QStringList{"03/07/2024 Pledged to O'Neil Bank until harvest"});
    EXPECT_TRUE(editor.DeleteButton()->isEnabled()) << "the new comment is selected";
    EXPECT_EQ(Rows("SELECT LINK,COMMDATE,COMMENT FROM HVXGR08C"),
              std::vector<std::string>{"CWR'9\t03/07/2024\tPledged to O'Neil Bank\nuntil harvest"});

    editor.TextEdit()->setPlainText("Released");
    editor.ChangeButton()->click();
    editor.TextEdit()->setPlainText("  ");
    editor.AddButton()->click();
    EXPECT_EQ(Shown(editor), QStringList{"03/07/2024 Released"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Enter the text of the comment first.");

    editor.List()->selectRow(0);
    ui.answers = {hvx::MsgAnswer::No, hvx::MsgAnswer::Yes};
    editor.DeleteButton()->click();
    EXPECT_EQ(editor.List()->rowCount(), 1);
    editor.DeleteButton()->click();
    EXPECT_EQ(editor.List()->rowCount(), 0);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text, "Delete the selected comment?");
    EXPECT_EQ(ui.messages[2].caption, "Comments");
    EXPECT_EQ(ui.messages[2].buttons, hvx::MsgButtons::YesNo);
    EXPECT_TRUE(Rows("SELECT RECNO FROM HVXGR08C").empty());
}

TEST_P(CommentEditors, PortOpensTheEditorForTheRecord) {
    hvxtest::Exec("INSERT INTO HVXGR04G (LINK,COMMENT,RECNO) VALUES ('41','other record',1)");
    hvx::QtUiPort port;
    QStringList shown;
    hvxtest::WhenModal<hvx::CommentEditor>([&](hvx::CommentEditor* e) {
        e->TextEdit()->setPlainText("Check mailed");
        e->AddButton()->click();
        shown = Shown(*e);
        e->accept();
    });
    port.DoComment("HVXGR04G", "40");
    EXPECT_EQ(shown, QStringList{"03/07/2024 Check mailed"});
    EXPECT_EQ(Rows("SELECT LINK,COMMENT FROM HVXGR04G ORDER BY RECNO"),
              (std::vector<std::string>{"41\tother record", "40\tCheck mailed"}));
}

}  // namespace
