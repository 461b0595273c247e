// Changes to a posted settlement on every engine: each change reaches its own record only, and a
// change that is cancelled, refused or reaches no row leaves the tables and the record set alone.
#include "platform/Session.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "windows/posted/PostedChange.h"

namespace {

using namespace hvxtest;
using namespace hvx::posted;
using namespace hvx::settlement;

// Each dialog records what it showed and leaves `typed` in its fields; nothing typed cancels.
struct ScriptedDialogs final : PostedChangeDialogs {
    Texts typed, opened;
    bool On(std::string shown, std::vector<std::string*> fields) {
        for (std::string* field : fields) shown += "|" + *field;
        opened.push_back(shown);
        for (std::size_t i = 0; i < fields.size() && i < typed.size(); ++i) *fields[i] = typed[i];
        return !typed.empty();
    }
    bool EditStorage(StorageChange& c) override {
        return On("storage", {&c.paidThrough, &c.prepaid, &c.storageField, &c.ratePerDay});
    }
    bool EditInstallment(InstallmentChange& c) override {
        return On("interest", {&c.interestDate, &c.rate, &c.dueDate});
    }
    bool EditService(ServiceChange& c) override { return On("service", {&c.startDate, &c.rate}); }
    bool EditCheckNumber(CheckNumberChange& c) override { return On("check", {&c.checkNumber}); }
};

class PostedChange : public SettlementSaveFixture {
protected:
    // The fixture's lines with an installment sale, a grain bank contract and a redelivery, or one
    // multiple-source installment sale: posted, opened again, beside another settlement's contract.
    void PostAndOpen(hvx::SettlementType type) {
        if (type == hvx::SettlementType::MultipleSource) {
            set.details.Clear(), set.deductions.Clear();
            SettlementDetailItem line = AssemblyLine("9201", "Installment Sale", 100, 4.1, 0);
            line.stype = "1", set.details.AddLine(line);
            set.terms.isDate = "05012024", set.terms.isRate = "6.5", set.terms.sRateDate = "0.0015";
            values = {"Installment Sale", 4.1, 410, 410};
        } else {
            for (const auto& [link, to] : {std::pair{"9103", "Installment Sale"},
                                           {"9104", "Grain Bank"}, {"9105", "Redelivered"}})
                set.details.AddLine(AssemblyLine(link, to, 10, 0, 0));
        }
        set.header.type = type;
        SaveAndPost();
        const std::string link = set.header.setLink;
        set = {};
        ASSERT_TRUE(LoadSettlement(set, link, type, ui));
        Exec("INSERT INTO HVXGR04F (DLLINK,SETLINK,TODPR,RECNO) VALUES ('77','70','Grain Bank',"
             "90)");
    }

    // Every destination record's terms, keyed by DLLINK, then the header's check number.
    static Texts Stored() {
        Texts rows = Rows("SELECT DLLINK,PPAIDDATE,AMTPREPAID,STORECOL,SRATEDATE,ISDATE,ISRATE,"
                          "ISDUE,SSDATE,SCRATE FROM HVXGR04F ORDER BY DLLINK");
        for (const std::string& number : Column("SELECT CHECKNUM FROM HVXGR04"))
            rows.push_back("HVXGR04\t" + number);
        for (std::string& row : rows) std::ranges::replace(row, '\t', ' ');
        return rows;
    }

    struct Case {
        const char* destination;  // of the selected line ("" none selected, "?" past the last)
        Texts typed;
        const char* opened;  // what the dialog showed; "" when none opened
        const char* row;     // the changed row after its key; "" nothing written
        const char* message;
        char behind = 0;  // 'd': the row is deleted first, 'e': the engine refuses the update
    };
    // One change: key is the DLLINK of the destination record changed, or "HVXGR04".
    void Expect(const Case& c, const std::string& key, const std::function<bool()>& change) {
        SCOPED_TRACE(c.destination + (" " + Joined(c.typed)));
        if (c.behind == 'd')
            Exec(key == "HVXGR04" ? "DELETE FROM HVXGR04"
                                  : "DELETE FROM HVXGR04F WHERE DLLINK='" + key + "'");
        Texts expected = Stored();
        const SettlementRecordSet before = set;
        ui.messages.clear(), dialogs.opened.clear(), dialogs.typed = c.typed;
        if (c.behind == 'e') hvx::Session::FailStatementForTesting(1);
        const bool wrote = change();
        hvx::Session::FailStatementForTesting(0);
        EXPECT_EQ(wrote, *c.row != 0);
        EXPECT_EQ(Joined(dialogs.opened), c.opened);
        EXPECT_EQ(ui.messages.empty() ? "" : ui.messages[0].caption + ": " + ui.messages[0].text,
                  *c.message ? std::string("Harvexa: ") + c.message : "");
        for (std::string& row : expected)
            if (*c.row && row.starts_with(key + " ")) row = key + " " + c.row;
        EXPECT_EQ(Stored(), expected);
        // Unchanged, or as the window would show the stored settlement opened afresh.
        SettlementRecordSet shown = before;
        EXPECT_TRUE(!wrote || LoadSettlement(shown = {}, set.header.setLink, set.header.type, ui));
        EXPECT_EQ(set.details.Items(), shown.details.Items());
        EXPECT_EQ(set.header.checkNum, shown.header.checkNum);
        EXPECT_EQ(Terms(set.terms), Terms(shown.terms));
    }
    static Texts Terms(const DestinationTerms& t) {
        return {t.pPaidDate, t.amtPrepaid, t.storeCol, t.sRateDate, t.isDate,
                t.isRate,    t.isDue,      t.ssDate,   t.scRate};
    }
    ScriptedDialogs dialogs;
};
HVX_DATABASE_TEST_SUITE(PostedChange);

// Only the selected line's own record, or the header for a priced line, takes what was typed.
TEST_P(PostedChange, SingleSourceChangesTheSelectedLinesRecordOnly) {
    PostAndOpen(hvx::SettlementType::SingleSource);
    const char* const kStorage = "storage||||0.0020";
    const Case cases[] = {
        {"", {}, "", "", hvx::kMsgNoItemSelected.data()},
        {"?", {}, "", "", kMsgLineNotInList.data()},
        {"Redelivered", {}, "", "", ""},
        {"Storage Ticket", {}, kStorage, "", ""},
        {"Storage Ticket", {"13/45/2024"}, kStorage, "",
         "The paid-through date \"13/45/2024\" is not a date."},
        {"Grain Bank", {"", "1,5"}, "service|03/07/2024|", "",
         "The service-charge rate \"1,5\" is not a number."},
        {"Priced", {"12345678901234567890"}, "check|", "",
         "The check number \"12345678901234567890\" is longer than 19 characters."},
        {"Grain Bank", {"6/1/24"}, "service|03/07/2024|", "",
         "Error updating information in HVXGR04F.\nStatement failed (test hook).",
         'e'},
        {"Installment Sale", {" 5/1/2024", "7.5 ", "110124"}, "interest|||",
         "<NULL>   0.0020 05/01/2024 7.5 11/01/2024 03/07/2024 ", ""},
        {"Grain Bank", {"", "0.0010"}, "service|03/07/2024|",
         "<NULL>   0.0020 <NULL>  <NULL> <NULL> 0.0010", ""},
        {"Priced", {"10042"}, "check|", "10042", ""},
        {"Storage Ticket", {"4/1/24"}, kStorage, "", kMsgLineNotUpdated.data(), 'd'},
    };
    for (const Case& c : cases) {
        const auto& lines = set.details.Items();
        const auto line = std::ranges::find(lines, c.destination, &SettlementDetailItem::toDpr);
        std::optional<std::size_t> index;
        if (*c.destination) index = std::distance(lines.begin(), line);
        const bool own = line != lines.end() && line->toDpr != "Priced";
        Expect(c, own ? line->dlLink : "HVXGR04",
               [&] { return ChangePostedLine(set, index, dialogs, ui); });
    }
}

// The multiple-source window reaches the settlement's one destination record by its SETLINK.
TEST_P(PostedChange, MultipleSourceChangesTheSettlementsDestinationRecord) {
    PostAndOpen(hvx::SettlementType::MultipleSource);
    const Case cases[] = {
        {"Installment Sale", {"6/1/24", "7.25", "12/1/2024"}, "interest|05/01/2024|6.5|",
         "<NULL>   0.0015 06/01/2024 7.25 12/01/2024 <NULL> ", ""},
        {"Storage Ticket", {"", "3.00", "Bin 4 'north'", ""}, "storage||||0.0015",
         "<NULL> 3.00 Bin 4 'north'  06/01/2024 7.25 12/01/2024 <NULL> ", ""},
        {"Basis Fixed", {"7/4/2024", "0.0008"}, "service||",
         "<NULL> 3.00 Bin 4 'north'  06/01/2024 7.25 12/01/2024 07/04/2024 0.0008", ""},
        {"Priced", {"20077"}, "check|", "20077", ""},
        {"Basis Fixed", {"7/5/2024"}, "service|07/04/2024|0.0008", "",
         kMsgDestinationNotWritten.data(), 'd'},
        {"Priced", {"20078"}, "check|20077", "", kMsgCheckNumberNotWritten.data(),
         'd'},
    };
    for (const Case& c : cases) {
        const bool priced = std::string(c.destination) == "Priced";
        Expect(c, priced ? "HVXGR04" : set.header.setLink,
               [&] { return ChangePostedDestination(set, c.destination, dialogs, ui); });
    }
}

}  // namespace
