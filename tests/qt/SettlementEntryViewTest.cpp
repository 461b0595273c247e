// Both settlement entry windows driven as a clerk drives them, keys and
// clicks, over a fresh demo cooperative on every engine: a settlement
// entered, accepted, its check printed to a PDF, posted by the ledger run,
// reversed, and every source, contract and advance back as it was.
#include <dlfcn.h>

#include <filesystem>

#include "QtTestSupport.h"
#include "abi/SiblingAbi.h"
#include "data/demo/DemoSeed.h"
#include "qt/ui/LookupField.h"
#include "qt/ui/PickListDialog.h"
#include "qt/windows/entry/SettlementEntryView.h"
#include "qt/windows/sources/SourceSelectionDialog.h"
#include "qt/windows/wizard/NewSettlementWizardDialog.h"
#include "support/FakeHost.h"

namespace {

namespace fs = std::filesystem;
using hvx::SettlementEntryView;
using hvxtest::Rows;
using hvxtest::WhenModal;
using Texts = std::vector<std::string>;

// Runs the action on the pop-up menu the next command opens.
void WhenPopUp(std::function<void(QMenu*)> action) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        timer->stop();
        timer->deleteLater();
        action(menu);
    });
    timer->start(10);
}

// The entry in a pop-up chosen by its mnemonic, or by moving down to it.
void Choose(char mnemonic) {
    WhenPopUp([mnemonic](QMenu* m) { QTest::keyClick(m, mnemonic); });
}
void ChooseRow(int downs) {
    WhenPopUp([downs](QMenu* m) {
        for (int i = 0; i <= downs; ++i) QTest::keyClick(m, Qt::Key_Down);  // the first lights the top
        QTest::keyClick(m, Qt::Key_Return);
    });
}

// The answer to the next message box or question.
void Answer(Qt::Key key) {
    WhenModal<QMessageBox>([key](QMessageBox* box) { QTest::keyClick(box, key); });
}

class SettlementEntryViewTest : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
        reports_ = dlopen(HARVEXA_MODULES_DIR "/H32GRR.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(reports_, nullptr) << dlerror();
        hvxtest::FakeModule& module = host_.AddModule("H32GRR.DLL");
        for (const char* name : {"CheckPrinterSelect", hvx::kPrintSettlementCheckFunction})
            module.functions[name] = dlsym(reports_, name);
        pdf_ = fs::path(HARVEXA_MODULES_DIR).parent_path().parent_path() / "test-output" /
               (std::string("entry-check-") +
                (GetParam() == hvxtest::Backend::SQLite ? "sqlite" : "postgresql") + ".pdf");
        fs::create_directories(pdf_.parent_path());
        fs::remove(pdf_);
        setenv("HARVEXA_CHECK_PDF", pdf_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("HARVEXA_CHECK_PDF");
        DatabaseTest::TearDown();
    }

    SettlementEntryView& Open(hvx::SettlementType type) {
        view_ = std::make_unique<SettlementEntryView>(type);
        view_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
        view_->Open(hvx::ParseSettlementKey(""));
        return *view_;
    }
    void Click(const char* button) {
        QPushButton* b = view_->Button(button);
        ASSERT_TRUE(b && b->isEnabled()) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Types into a field of the window (or its pages) and leaves it with the key.
    void Type(const char* field, const QString& text, Qt::Key leave = Qt::Key_Tab) {
        QWidget* named = view_->findChild<QWidget*>(field);
        auto* edit = qobject_cast<QLineEdit*>(named);
        if (!edit && named) edit = named->findChild<QLineEdit*>();  // a field with a search button
        ASSERT_NE(edit, nullptr) << field;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, leave);
    }
    // The wizard as a clerk answers it: the entry by its row, then the
    // customer by reference, picked from the list it opens at that reference.
    // `then` prepares the answers to what the new settlement opens next.
    void NewSettlement(int row, const char* customer, std::function<void()> then = {}) {
        WhenModal<hvx::NewSettlementWizardDialog>([row, customer, then](auto* d) {
            QTest::keyClick(d->List(), Qt::Key_Home);
            for (int i = 0; i < row; ++i) QTest::keyClick(d->List(), Qt::Key_Down);
            QTest::keyClick(d->List(), Qt::Key_Tab);  // on to the customer
            QLineEdit* reference =
                d->Field(hvx::NewSettlementWizard::Field::CustRef)->LineEdit();
            QTest::keyClicks(reference, customer);
            PickFromList("");
            QTest::keyClick(reference, Qt::Key_Return);
            if (then) then();
            QTest::mouseClick(d->NextButton(), Qt::LeftButton);  // "Finish"
        });
        Click("New");
    }
    // The open sources list: the row starting with the text, taken with Enter.
    static void PickFromList(const QString& text) {
        WhenModal<hvx::PickListDialog>([text](hvx::PickListDialog* d) {
            QTest::keyClicks(d->SearchLine(), text);
            QTest::keyClick(d->SearchLine(), Qt::Key_Return);
        });
    }
    // Prints the check to the PDF, confirms it came out right, then the
    // ledger run posts the settlement as it posts every printed one.
    void PrintCheckAndPost() {
        Answer(Qt::Key_Y);
        ChooseRow(1);  // "Settlement Check"
        Click("Print");
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view_->Controller().Header().checkNum.empty(); }));
        EXPECT_GT(fs::exists(pdf_) ? fs::file_size(pdf_) : 0, 2000u);
        const std::string link = "'" + view_->Controller().Header().setLink + "'";
        for (const char* table : {"HVXGR04", "HVXGR04D"})
            hvxtest::Exec(std::string("UPDATE ") + table + " SET POSTED='T' WHERE SETLINK=" + link);
        hvxtest::Exec("UPDATE HVXGR02S SET PSETUNITS=SETTUNITS");
        // Found again, the window shows the settlement as the ledger left it.
        PickFromList(QString::fromStdString(view_->Controller().Header().settlement));
        Click("Find");
        EXPECT_EQ(view_->Button("Delete")->text(), "R&everse");
    }
    void Reverse() {
        Answer(Qt::Key_Y);
        Click("Delete");
        EXPECT_TRUE(QTest::qWaitFor([&] { return view_->Controller().Header().reversed; }));
    }

    hvxtest::FakeHost host_;
    void* reports_ = nullptr;
    fs::path pdf_;
    std::unique_ptr<SettlementEntryView> view_;
};
HVX_DATABASE_TEST_SUITE(SettlementEntryViewTest);

// Schmidt's load 26007 (640 bushels of corn at 02): 400 sold at the ticket
// price less its moisture discount, the corn checkoff deducted, the rest put
// on a storage ticket.
TEST_P(SettlementEntryViewTest, BySourceAnAssemblySplitSoldAndStored) {
    const Texts before = Rows("SELECT ASSEMBLY,SETTUNITS,SETTLED FROM HVXGR02S ORDER BY RECNO");
    SettlementEntryView& v = Open(hvx::SettlementType::SingleSource);
    NewSettlement(0, "SCHMIDT", [] { PickFromList("26007"); });  // "Assembly"
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Controller().Line().sourceLoaded; }));
    EXPECT_EQ(v.Field("SourceReference")->text(), "26007");
    EXPECT_EQ(v.Field("UnitsSettled")->text(), "640.0000");

    Choose('p');  // "&Priced"
    Click("Menu");
    Type("UnitsSettled", "400");
    Type("Units", "400");
    Type("Price", "4.31", Qt::Key_Return);
    Type("Deduction", "CORNCHK");
    QTest::keyClick(view_->findChild<QLineEdit*>("Amount"), Qt::Key_Return);  // as figured
    Click("AcceptLine");
    ASSERT_EQ(v.LineTable()->rowCount(), 1);

    Choose('s');  // "&Storage Ticket"
    Click("Menu");
    EXPECT_EQ(v.Field("UnitsSettled")->text(), "240.0000");
    Type("Contract", "ST-1011");
    Click("AcceptLine");
    ASSERT_EQ(v.LineTable()->rowCount(), 2);
    Click("Accept");
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Controller().Stored(); }));

    const std::string settlement = v.Controller().Header().settlement;
    EXPECT_EQ(Rows("SELECT TODPR,UNITSSET,TOTPRICE FROM HVXGR04D WHERE SETTLEMENT='" + settlement +
                   "' ORDER BY RECNO"),
              (Texts{"Priced\t400.0000\t1724.00", "Storage Ticket\t240.0000\t0.00"}));
    EXPECT_EQ(Rows("SELECT CONTRACT,OUNITS,STATUS FROM HVXGR04F WHERE SETTLEMENT='" + settlement +
                   "' AND TODPR='Storage Ticket'"),
              Texts{"ST-1011\t240.0000\tO"});
    EXPECT_EQ(Rows("SELECT SETTUNITS FROM HVXGR02S WHERE ASSEMBLY='26007'"), Texts{"640.0000"});
    const Texts deductions = Rows("SELECT DEDUCT FROM HVXGR04C WHERE SETTLEMENT='" + settlement + "'");
    EXPECT_EQ(deductions, Texts{"CORNCHK"});
    EXPECT_EQ(v.Field("CheckAmt")->text().toStdString(),
              Rows("SELECT CHECKAMT FROM HVXGR04 WHERE SETTLEMENT='" + settlement + "'")[0]);

    PrintCheckAndPost();
    Reverse();
    EXPECT_EQ(Rows("SELECT ASSEMBLY,SETTUNITS,SETTLED FROM HVXGR02S ORDER BY RECNO"), before);
    EXPECT_EQ(Rows("SELECT OUNITS,STATUS FROM HVXGR04F WHERE CONTRACT='ST-1011' ORDER BY RECNO"),
              (Texts{"240.0000\tC", "-240.0000\tO"}));  // closed, and its negated copy
}

// Anderson's two loads of 26010 and 300 bushels off storage ticket ST-1001,
// all into Priced, part of the open advances repaid from the check.
TEST_P(SettlementEntryViewTest, ByDestinationTwoTicketsAndAContractSoldRepayingAnAdvance) {
    hvxtest::Exec("UPDATE HVXGR40 SET SETTBYTICK='T'");
    const auto sources = [] {
        return Rows("SELECT SCALETICK,UNITSSET,SETTLED FROM HVXGR03A WHERE ASSEMBLY='26010' "
                    "UNION ALL SELECT CONTRACT,OUNITS,STATUS FROM HVXGR04F WHERE CONTRACT='ST-1001' "
                    "UNION ALL SELECT ADVLINK,RAMOUNT,OPENPAID FROM HVXGR57 ORDER BY 1");
    };
    const Texts before = sources();
    SettlementEntryView& v = Open(hvx::SettlementType::MultipleSource);
    NewSettlement(0, "ANDERSON");  // "Priced"
    ASSERT_TRUE(QTest::qWaitFor([&] { return !v.Controller().Header().custRef.empty(); }));

    WhenModal<hvx::SourceSelectionDialog>([](hvx::SourceSelectionDialog* d) {
        // Keys typed before the dialog is active can be lost on a slow run.
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClicks(d->AssemblyField(), "26010");
        QTest::keyClick(d->AssemblyField(), Qt::Key_Return);  // the load's tickets only
        QTest::keyClick(d->Grid(), Qt::Key_Space);
        QTest::keyClick(d->Grid(), Qt::Key_Down);
        QTest::keyClick(d->Grid(), Qt::Key_Space);
        QTest::keyClick(d->Grid(), Qt::Key_Return);  // OK
    });
    Choose('t');  // "Scale &Ticket"
    Click("Menu");
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.LineTable()->rowCount() == 2; }));

    PickFromList("ST-1001");
    Choose('s');  // "&Storage Ticket"
    Click("Menu");
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Controller().Line().sourceLoaded; }));
    Type("UnitsSettled", "300");
    Type("UnitPrice", "4.31");
    Click("AcceptLine");
    ASSERT_EQ(v.LineTable()->rowCount(), 3);

    Choose('f');  // "<&Finish Settlement>": the storage charge of ST-1001
    Click("Menu");
    Type("Deduction", "ADVANCE");
    Type("Amount", "500.00");
    QTest::keyClick(view_->findChild<QWidget*>("DA"), Qt::Key_D);
    QTest::keyClick(view_->findChild<QLineEdit*>("Amount"), Qt::Key_Return);
    Answer(Qt::Key_Y);  // repay the advances as they come
    Click("Accept");
    ASSERT_TRUE(QTest::qWaitFor([&] { return v.Controller().Stored(); }));

    const std::string settlement = v.Controller().Header().settlement;
    EXPECT_EQ(Rows("SELECT SOURCE,SOURCEREF,UNITSSET FROM HVXGR04D WHERE SETTLEMENT='" +
                   settlement + "' ORDER BY RECNO"),
              (Texts{"Scale Ticket\t260141\t520.0000", "Scale Ticket\t260142\t480.0000",
                     "Storage Ticket\tST-1001\t300.0000"}));
    EXPECT_EQ(Rows("SELECT TODPR,UNITSSET FROM HVXGR04F WHERE SETTLEMENT='" + settlement + "'"),
              Texts{"Priced\t1300.0000"});
    double repaid = 0;
    for (const std::string& amount :
         Rows("SELECT AMOUNT FROM HVXGR57A WHERE SOURCELINK='" + v.Controller().Header().setLink + "'"))
        repaid += std::stod(amount);
    EXPECT_DOUBLE_EQ(repaid, 500.00);
    EXPECT_NE(sources(), before);

    PrintCheckAndPost();
    Reverse();
    EXPECT_EQ(sources(), before);
}

}  // namespace
