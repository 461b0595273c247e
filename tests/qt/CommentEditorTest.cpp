// The dated-comment editor: adding, changing and deleting rows of one record.

#include "QtTestSupport.h"
#include "platform/Dates.h"
#include "qt/ui/CommentEditor.h"
#include "qt/ui/QtUiPort.h"
#include "support/ScriptedUi.h"

namespace {

using hvxtest::Rows;
using Lines = std::vector<std::string>;

class CommentEditors : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2024, 3, 7});
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
    hvxtest::Exec(
        "INSERT INTO HVXGR08C (LINK,COMMDATE,COMMENT,RECNO) VALUES ('41','2024-01-05','other "
        "record',1)");
    hvxtest::ScriptedUi ui;
    hvx::CommentEditor editor("HVXGR08C", "CWR'9", ui);
    ASSERT_TRUE(editor.Reload());
    EXPECT_FALSE(editor.ChangeButton()->isEnabled());
    editor.TextEdit()->setPlainText("Pledged to O'Neil Bank\nuntil harvest");
    editor.AddButton()->click();
    EXPECT_EQ(Shown(editor), QStringList{"03/07/2024 Pledged to O'Neil Bank until harvest"});
    EXPECT_TRUE(editor.DeleteButton()->isEnabled()) << "the new comment is selected";
    EXPECT_EQ(Rows("SELECT LINK,COMMDATE,COMMENT FROM HVXGR08C WHERE LINK <> '41'"),
              Lines{"CWR'9\t03/07/2024\tPledged to O'Neil Bank\nuntil harvest"});

    editor.TextEdit()->setPlainText("Released");
    editor.ChangeButton()->click();
    editor.TextEdit()->setPlainText("  ");
    editor.AddButton()->click();
    EXPECT_EQ(Shown(editor), QStringList{"03/07/2024 Released"});

    editor.List()->selectRow(0);
    ui.answers = {hvx::MsgAnswer::No, hvx::MsgAnswer::Yes};
    editor.DeleteButton()->click();
    EXPECT_EQ(editor.List()->rowCount(), 1);
    editor.DeleteButton()->click();
    EXPECT_EQ(editor.List()->rowCount(), 0);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "Enter the text of the comment first.");
    EXPECT_EQ(ui.messages[2].caption + ": " + ui.messages[2].text,
              "Comments: Delete the selected comment?");
    EXPECT_EQ(ui.messages[2].buttons, hvx::MsgButtons::YesNo);
    EXPECT_EQ(Rows("SELECT LINK FROM HVXGR08C"), Lines{"41"});

    // The port opens the editor on the record's own comments.
    hvxtest::WhenModal<hvx::CommentEditor>([](hvx::CommentEditor* e) {
        EXPECT_EQ(Shown(*e), QStringList{"01/05/2024 other record"});
        e->accept();
    });
    hvx::QtUiPort().DoComment("HVXGR08C", "41");
}

}  // namespace
