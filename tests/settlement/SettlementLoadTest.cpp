// Loading a stored settlement by its link on every engine: the record set
// comes back as it was written, with its sources counted as saved, and each
// refusal shows its message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/HVXSConnection.h"
#include "rules/StoredText.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementRecordSet.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using namespace hvx::settlement;
using hvx::SettlementType;
using hvxtest::Exec;

// Literal SQL in the framework's dialect ({YYYY-MM-DD} dates).
void Dialect(const std::string& sql) {
    HVXSConnection connection(1, nullptr, 0);
    ASSERT_EQ(connection.ExecSQLChange(sql), 1) << sql << "\n" << connection.LastError();
}

// A date as the tables return it ("MM/DD/YYYY") in the dialect's braces, or NULL.
std::string DateSql(const std::string& mdy) {
    hvx::CivilDate d;
    return hvx::ReadDate(mdy, d) ? "{" + hvx::FormatIso(d) + "}" : "NULL";
}

SettlementDetailItem Line(const char* dlLink, const char* kind, const char* ref,
                          const char* sourceLink, double units, double dollars) {
    SettlementDetailItem l;
    l.source = kind;
    l.sourceRef = ref;
    l.sourceLink = sourceLink;
    l.dlLink = dlLink;
    l.commodity = "CORN";
    l.location = "1";
    l.fromDpr = "Storage Ticket";
    l.toDpr = "Priced";
    l.unitsSet = units;
    l.totPrice = l.grossAmt = l.netAmt = dollars;
    l.priceUnit = l.avgPrice = 3.5;
    l.setDte = "03/07/2024";
    l.patronage = l.submitted = "F";
    l.glCode = "21";
    l.stype = "0";
    l.status = "C";
    l.oUnits = "0.0000";
    return l;
}

// Stores the lines of settlement "S-17" under link 500 as a save would
// leave them, one destination record each for a single-source settlement.
void StoreLines(const SettlementDetailList& lines, int recno) {
    for (const SettlementDetailItem& l : lines.Items()) {
        Dialect(_HVXsprintf(
            "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,"
            "TODPR,CONTRACT,SETDTE,PATRONAGE,SOURCELINK,GLCODE,DLLINK,LOCATION,STYPE,PRICEUNIT,"
            "TOTPRICE,RECNO) VALUES ('S-17','500','%s','%s','%s','%.4f','%s','%s','%s',%s,'%s',"
            "'%s','%s','%s','%s','%s','%.4f','%.2f',%li)",
            l.source, l.sourceRef, l.commodity, l.unitsSet, l.fromDpr, l.toDpr, l.contract,
            DateSql(l.setDte), l.patronage, l.sourceLink, l.glCode, l.dlLink, l.location, l.stype,
            l.priceUnit, l.totPrice, static_cast<long>(recno)));
        if (l.stype == "0")
            Dialect(_HVXsprintf(
                "INSERT INTO HVXGR04F (SETLINK,DLLINK,ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,"
                "AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,AVGPRICE,GROSSAMT,NETAMT,"
                "SUBMITTED,STYPE,RECNO) VALUES ('500','%s',%s,'%s',%s,'%s',%s,'%s','%s','%s','%s',"
                "%s,'%s','%.4f','%.2f','%.2f','%s','0',%li)",
                l.dlLink, DateSql(l.isDate), l.isRate, DateSql(l.isDue), l.status,
                DateSql(l.pPaidDate), l.amtPrepaid, l.sRateDate, l.storeCol, l.oUnits,
                DateSql(l.ssDate), l.scRate, l.avgPrice, l.grossAmt, l.netAmt, l.submitted,
                static_cast<long>(recno)));
        ++recno;
    }
}

void StoreHeader(const char* stype) {
    Dialect(std::string("INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,"
                        "POSTED,REVERSED,CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO) VALUES ('S-17',"
                        "'C-1','O''Brien Farms',{2024-03-07},{2024-02-01},'500','T','F','1234',"
                        "'641.67','") + stype + "','0',500)");
}

class SettlementLoad : public hvxtest::DatabaseTest {
protected:
    hvxtest::ScriptedUi ui;
};
HVX_DATABASE_TEST_SUITE(SettlementLoad);

TEST_P(SettlementLoad, AStoredSettlementComesBackWithItsSourcesSaved) {
    Exec("INSERT INTO HVXGR52 (REFERENCE,ADVCODE,RECNO) VALUES ('ADV','1',1),('CHECKOFF','0',2)");
    SettlementRecordSet original;
    auto first = Line("11", "Assembly", "A-100", "LID-9", 100.25, 350.88);
    first.isDate = "04/01/2024";
    first.isRate = "6.5";
    auto second = Line("12", "Assembly", "A-100", "LID-9", 49.75, 174.12);
    second.toDpr = "Storage Ticket";
    second.contract = "C-7";
    second.status = "O";
    second.oUnits = "49.7500";
    second.pPaidDate = "03/31/2024";
    second.sRateDate = "0.0015";
    original.details.AddLine(first);
    original.details.AddLine(second);
    original.details.AddLine(Line("13", "Scale Ticket", "T-5", "STD-3", 33.3333, 116.67));
    original.units.Add("100.2500", "3.5000", "11");
    original.units.Add("33.3333", "3.5000", "13");
    original.deductions.Add("ADV", "25.00", "D", "T", "11", "A-100", "Assembly");
    original.deductions.Add("CHECKOFF", "0.50", "D", "F", "11", "A-100", "Assembly");
    original.deductions.Add("STOR", "4.10", "D", "F", "12", "A-100", "Assembly");
    original.grades.Add("MOIST", "14.500", "11", ui);
    original.payNames.Add("O'Brien Farms", false);
    original.payNames.Add("First Bank", true);

    StoreHeader("0");
    StoreLines(original.details, 11);
    HVXConnection prepared(1);
    std::string message;
    ASSERT_TRUE(original.units.Write(prepared, "S-17", "500", message) &&
                original.deductions.Write(prepared, "S-17", "500", message) &&
                original.grades.Write(prepared, "S-17", "500", message) &&
                original.payNames.Write(prepared, "S-17", "500", message))
        << message;

    SettlementRecordSet loaded;
    loaded.units.Add("stale", "stale", "99");
    ASSERT_TRUE(LoadSettlement(loaded, "500", SettlementType::SingleSource, ui));
    EXPECT_TRUE(ui.messages.empty());

    const SettlementHeader& h = loaded.header;
    EXPECT_EQ(h.setLink, "500");
    EXPECT_EQ(h.settlement, "S-17");
    EXPECT_EQ(h.custName, "O'Brien Farms");
    EXPECT_EQ(h.settDate, "03072024");  // from ADTE, in the window's form
    EXPECT_TRUE(h.posted);
    EXPECT_EQ(h.checkNum, "1234");
    EXPECT_EQ(h.checkAmt, "641.67");
    EXPECT_EQ(loaded.defaults.sourceKind, "Assembly");
    EXPECT_EQ(loaded.defaults.toCategory, "Priced");
    EXPECT_EQ(loaded.defaults.contract, "C-7");  // the first line that has one

    EXPECT_EQ(loaded.details.Items(), original.details.Items());
    const auto& want = original.details.UniqueSources();
    const auto& got = loaded.details.UniqueSources();
    ASSERT_EQ(got.size(), want.size());
    for (auto w = want.begin(), g = got.begin(); w != want.end(); ++w, ++g) {
        EXPECT_EQ(g->Key(), w->Key());
        EXPECT_EQ(g->count, w->count);
        EXPECT_DOUBLE_EQ(g->savedUnits, w->currentUnits);
        EXPECT_DOUBLE_EQ(g->savedDollars, w->currentDollars);
        EXPECT_EQ(g->UnitDelta(), 0);
        EXPECT_EQ(g->DollarDelta(), 0);
    }
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 183.3333);
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.dollars, 641.67);
    EXPECT_FALSE(loaded.details.Loading());
    EXPECT_FALSE(loaded.details.Changed());

    EXPECT_EQ(loaded.units.Nodes(), original.units.Nodes());
    // The advance flags come back from HVXGR52.ADVCODE.
    EXPECT_EQ(loaded.deductions.Nodes(), original.deductions.Nodes());
    EXPECT_EQ(loaded.grades.Nodes(), original.grades.Nodes());
    EXPECT_EQ(loaded.payNames.Nodes(), original.payNames.Nodes());

    // Lines added after the load raise only the current values.
    loaded.details.AddLine(Line("14", "Assembly", "A-100", "LID-9", 10, 35));
    EXPECT_DOUBLE_EQ(loaded.details.UniqueSources().front().UnitDelta(), 10);
}

TEST_P(SettlementLoad, AMultipleSourceSettlementReadsItsDestinationTerms) {
    StoreHeader("1");
    SettlementDetailList lines;
    auto a = Line("21", "Storage Ticket", "C-1", "801", 60, 0);
    a.stype = "1";
    auto b = Line("22", "Storage Ticket", "C-2", "802", 40, 0);
    b.stype = "1";
    lines.AddLine(a);
    lines.AddLine(b);
    StoreLines(lines, 21);
    Dialect("INSERT INTO HVXGR04F (SETLINK,DLLINK,ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,SRATEDATE,"
            "OUNITS,SCRATE,SUBMITTED,STYPE,RECNO) VALUES ('500','500',{2024-05-01},'6.5',"
            "{2024-11-01},'O',NULL,'0.0015','100.0000','0.02','T','1',30)");
    SettlementRecordSet loaded;
    ASSERT_TRUE(LoadSettlement(loaded, "500", SettlementType::MultipleSource, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(loaded.details.Count(), 2u);
    const DestinationTerms& t = loaded.terms;
    EXPECT_EQ(t.isDate, "05012024");
    EXPECT_EQ(t.isRate, "6.5");
    EXPECT_EQ(t.isDue, "11012024");
    EXPECT_EQ(t.pPaidDate, "");
    EXPECT_EQ(t.sRateDate, "0.0015");  // a rate, never read as a date
    EXPECT_EQ(t.oUnits, "100.0000");
    EXPECT_EQ(t.submitted, "T");
    EXPECT_DOUBLE_EQ(loaded.loadedTotals.units, 100);
}

TEST_P(SettlementLoad, RefusalsShowTheirMessage) {
    StoreHeader("0");
    SettlementDetailList lines;
    lines.AddLine(Line("11", "Assembly", "A-100", "LID-9", 10, 35));
    auto orphan = Line("12", "Assembly", "A-100", "LID-9", 5, 17.5);
    orphan.stype = "1";  // stored without a destination record
    lines.AddLine(orphan);
    StoreLines(lines, 11);
    Exec("UPDATE HVXGR04D SET STYPE='0' WHERE DLLINK='12'");
    const struct {
        const char* link;
        SettlementType window;
        const char* message;
        std::size_t linesLeft;
    } cases[] = {
        {"999", SettlementType::SingleSource,
         "Unable to find record with this settlement link <999>", 0},
        {"500", SettlementType::MultipleSource,
         "Incorrect settlement type for this settlement window.", 0},
        {"500", SettlementType::SingleSource,
         "Error retrieving record from HVXGR04F. Unable to load settlement.", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        hvxtest::ScriptedUi shown;
        SettlementRecordSet set;
        EXPECT_FALSE(LoadSettlement(set, c.link, c.window, shown));
        ASSERT_EQ(shown.messages.size(), 1u);
        EXPECT_EQ(shown.messages[0].text, c.message);
        EXPECT_EQ(shown.messages[0].caption, "Harvexa");
        EXPECT_EQ(set.header.setLink, c.link);
        EXPECT_EQ(set.details.Count(), c.linesLeft);
        EXPECT_FALSE(set.details.Loading());
    }
}

}  // namespace
