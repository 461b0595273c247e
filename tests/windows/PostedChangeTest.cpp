// Changes to a posted settlement on every engine: each change reaches its own record only, and a
// change that is cancelled, refused or reaches no row leaves the tables and the record set alone.
#include "platform/Session.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "windows/posted/PostedChange.h"

namespace {

using namespace hvxtest;
using namespace hvx::posted;
using hvx::settlement::SettlementDetailItem;

// Each dialog records what it showed, runs `during` while open, leaves `typed` in its fields
// and answers `ok`.
struct ScriptedDialogs final : PostedChangeDialogs {
    Texts typed, opened;
    bool ok = true;
    std::function<void()> during;
    bool Answer(const char* name, std::vector<std::string*> fields) {
        std::string shown = name;
        for (std::string* field : fields) shown += "|" + *field;
        opened.push_back(shown);
        if (during) during();
        for (std::size_t i = 0; i < fields.size() && i < typed.size(); ++i) *fields[i] = typed[i];
        return ok;
    }
    bool EditStorage(StorageChange& c) override {
        return Answer("storage", {&c.paidThrough, &c.prepaid, &c.storageField, &c.ratePerDay});
    }
    bool EditInstallment(InstallmentChange& c) override {
        return Answer("interest", {&c.interestDate, &c.rate, &c.dueDate});
    }
    bool EditService(ServiceChange& c) override {
        return Answer("service", {&c.startDate, &c.rate});
    }
    bool EditCheckNumber(CheckNumberChange& c) override { return Answer("check", {&c.checkNumber}); }
};

constexpr const char* kTerms =
    "SELECT DLLINK,PPAIDDATE,AMTPREPAID,STORECOL,SRATEDATE,ISDATE,ISRATE,ISDUE,SSDATE,SCRATE "
    "FROM HVXGR04F ORDER BY DLLINK";

class PostedChange : public SettlementSaveFixture {
protected:
    // The fixture's priced and storage lines, an installment sale, a grain bank contract and a
    // redelivery; or one installment sale of a multiple-source settlement. Saved, posted and
    // opened again as the window opens a posted settlement, beside another settlement's contract.
    void PostAndOpen(hvx::SettlementType type) {
        if (type == hvx::SettlementType::MultipleSource) {
            set.details.Clear(), set.deductions.Clear();
            SettlementDetailItem line = AssemblyLine("9201", "Installment Sale", 100, 4.1, 0);
            line.stype = "1", set.details.AddLine(line);
            set.terms.isDate = "05012024", set.terms.isRate = "6.5", set.terms.sRateDate = "0.0015";
            values = {"Installment Sale", 4.1, 410, 410};
        } else {
            for (const auto& [dlLink, category] : {std::pair{"9103", "Installment Sale"},
                                                   {"9104", "Grain Bank"}, {"9105", "Redelivered"}})
                set.details.AddLine(AssemblyLine(dlLink, category, 10, 0, 0));
        }
        set.header.type = type;
        SaveAndPost();
        const std::string link = set.header.setLink;
        set = {};
        ASSERT_TRUE(hvx::settlement::LoadSettlement(set, link, type, ui));
        Exec("INSERT INTO HVXGR04F (DLLINK,SETLINK,TODPR,RECNO) VALUES ('77','70','Grain Bank',90)");
    }

    // Every destination record's terms, keyed by DLLINK, then the header's check number.
    static Texts Stored() {
        Texts rows = Rows(kTerms);
        for (const std::string& number : Column("SELECT CHECKNUM FROM HVXGR04"))
            rows.push_back("HVXGR04\t" + number);
        for (std::string& row : rows) std::ranges::replace(row, '\t', ' ');
        return rows;
    }

    enum class Behind { Nothing, RowDeleted, EngineFails };
    struct Case {
        const char* destination;  // of the selected line ("" none selected, "?" past the last)
        bool ok;                  // the dialog's answer
        Texts typed;
        const char* opened;       // what the dialog showed; "" when none opened
        const char* row;          // the changed row after its key; "" nothing written
        const char* message;
        Behind behind = Behind::Nothing;  // what happens to the row before the change
    };
    // One change: key is the DLLINK of the destination record changed, or "HVXGR04".
    void Expect(const Case& c, const std::string& key, const std::function<bool()>& change) {
        SCOPED_TRACE(c.destination + (" " + Joined(c.typed)));
        if (c.behind == Behind::RowDeleted)
            Exec(key == "HVXGR04" ? "DELETE FROM HVXGR04"
                                  : "DELETE FROM HVXGR04F WHERE DLLINK='" + key + "'");
        Texts expected = Stored();
        const hvx::settlement::SettlementRecordSet before = set;
        ui.messages.clear(), dialogs.opened.clear(), dialogs.typed = c.typed, dialogs.ok = c.ok;
        if (c.behind == Behind::EngineFails) hvx::Session::FailStatementForTesting(1);
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
        const hvx::settlement::SettlementRecordSet shown = wrote ? Reloaded() : before;
        EXPECT_EQ(set.details.Items(), shown.details.Items());
        EXPECT_EQ(set.header.checkNum, shown.header.checkNum);
        EXPECT_EQ(Terms(set.terms), Terms(shown.terms));
    }
    static Texts Terms(const hvx::settlement::DestinationTerms& t) {
        return {t.pPaidDate, t.amtPrepaid, t.storeCol, t.sRateDate, t.isDate, t.isRate, t.isDue,
                t.ssDate, t.scRate};
    }
    hvx::settlement::SettlementRecordSet Reloaded() {
        hvx::settlement::SettlementRecordSet stored;
        EXPECT_TRUE(hvx::settlement::LoadSettlement(stored, set.header.setLink, set.header.type, ui));
        return stored;
    }
    ScriptedDialogs dialogs;
};
HVX_DATABASE_TEST_SUITE(PostedChange);

std::optional<std::size_t> LineOf(const hvx::settlement::SettlementRecordSet& set,
                                  std::string_view destination) {
    if (destination.empty()) return std::nullopt;
    std::size_t i = 0;
    for (const SettlementDetailItem& line : set.details.Items()) {
        if (line.toDpr == destination) break;
        ++i;
    }
    return i;
}

// The selected line's own destination record, or the header for a priced line, takes what was
// typed; the record set takes what was stored.
TEST_P(PostedChange, SingleSourceChangesTheSelectedLinesRecordOnly) {
    PostAndOpen(hvx::SettlementType::SingleSource);
    const char* const kStorage = "storage||||0.0020";
    const Case cases[] = {
        {"", true, {}, "", "", kMsgNoItemSelected.data()},
        {"?", true, {}, "", "", kMsgLineNotInList.data()},
        {"Redelivered", true, {}, "", "", ""},
        {"Storage Ticket", false, {"4/1/24"}, kStorage, "", ""},
        {"Storage Ticket", true, {"13/45/2024"}, kStorage, "",
         "The paid-through date \"13/45/2024\" is not a date."},
        {"Grain Bank", true, {"", "1,5"}, "service|03/07/2024|", "",
         "The service-charge rate \"1,5\" is not a number."},
        {"Priced", true, {"12345678901234567890"}, "check|", "",
         "The check number \"12345678901234567890\" is longer than 19 characters."},
        {"Grain Bank", true, {"6/1/24"}, "service|03/07/2024|", "",
         "Error updating information in HVXGR04F.\nStatement failed (test hook).",
         Behind::EngineFails},
        {"Installment Sale", true, {" 5/1/2024", "7.5 ", "110124"}, "interest|||",
         "<NULL>   0.0020 05/01/2024 7.5 11/01/2024 03/07/2024 ", ""},
        {"Grain Bank", true, {"", "0.0010"}, "service|03/07/2024|",
         "<NULL>   0.0020 <NULL>  <NULL> <NULL> 0.0010", ""},
        {"Priced", true, {"10042"}, "check|", "10042", ""},
        {"Storage Ticket", true, {"4/1/24"}, kStorage, "", kMsgLineNotUpdated.data(),
         Behind::RowDeleted},
    };
    for (const Case& c : cases) {
        const std::optional<std::size_t> index = LineOf(set, c.destination);
        std::string key = "HVXGR04";
        if (index && *index < set.details.Count() && std::string(c.destination) != "Priced")
            key = std::next(set.details.Items().begin(), *index)->dlLink;
        Expect(c, key, [&] { return ChangePostedLine(set, index, dialogs, ui); });
        if (HasFailure()) return;
    }
}

// Every change of the multiple-source window reaches the settlement's one destination record by
// the settlement's link, whatever its DLLINK, and its terms take the window's date form.
TEST_P(PostedChange, MultipleSourceChangesTheSettlementsDestinationRecord) {
    PostAndOpen(hvx::SettlementType::MultipleSource);
    const Case cases[] = {
        {"Redelivered", true, {}, "", "", ""},
        {"Installment Sale", false, {"6/1/24"}, "interest|05/01/2024|6.5|", "", ""},
        {"Installment Sale", true, {"6/1/24", "7.25", "12/1/2024"}, "interest|05/01/2024|6.5|",
         "<NULL>   0.0015 06/01/2024 7.25 12/01/2024 <NULL> ", ""},
        {"Storage Ticket", true, {"", "3.00", "Bin 4 'north'", ""}, "storage||||0.0015",
         "<NULL> 3.00 Bin 4 'north'  06/01/2024 7.25 12/01/2024 <NULL> ", ""},
        {"Basis Fixed", true, {"7/4/2024", "0.0008"}, "service||",
         "<NULL> 3.00 Bin 4 'north'  06/01/2024 7.25 12/01/2024 07/04/2024 0.0008", ""},
        {"Priced", true, {"20077"}, "check|", "20077", ""},
        {"Basis Fixed", true, {"7/5/2024"}, "service|07/04/2024|0.0008", "",
         kMsgDestinationNotWritten.data(), Behind::RowDeleted},
        {"Priced", true, {"20078"}, "check|20077", "", kMsgCheckNumberNotWritten.data(),
         Behind::RowDeleted},
    };
    for (const Case& c : cases) {
        const bool priced = std::string(c.destination) == "Priced";
        Expect(c, priced ? "HVXGR04" : set.header.setLink,
               [&] { return ChangePostedDestination(set, c.destination, dialogs, ui); });
        if (HasFailure()) return;
    }
    EXPECT_EQ(Terms(set.terms), (Texts{"", "3.00", "Bin 4 'north'", "", "06012024", "7.25",
                                       "12012024", "07042024", "0.0008"}));
}

}  // namespace
