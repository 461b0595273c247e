// Settlements drawing on assemblies, scale tickets and open contracts are
// changed, saved and read again at random (fixed seed). After every step each
// source holds exactly what the stored lines take from it, and saving a
// settlement that did not change moves nothing.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "platform/Format.h"
#include "platform/Rounding.h"
#include "rules/StoredText.h"
#include "settlement/SettlementLoad.h"
#include "settlement/SettlementRecordSet.h"
#include "settlement/SourceAllocation.h"
#include "settlement/SourceValidation.h"
#include "support/ScriptedUi.h"
#include "SourceAllocationTestSupport.h"

namespace {

using namespace hvx::settlement;
using namespace hvxtest;
using hvx::SettlementType;
using hvx::TextNumber;

struct Source {
    const char *kind, *ref, *link;
};
const Source kSources[] = {
    {"Assembly", "A-1", "L1"},         {"Assembly", "A-1", "L2"},
    {"Assembly", "A-2", "L3"},         {"Scale Ticket", "U1", "ST-1"},
    {"Scale Ticket", "U2", "ST-2"},    {"Scale Ticket", "U3", "ST-3"},
    {"Storage Ticket", "S-1", "9001"}, {"Installment Sale", "IS-1", "9002"},
    {"Priced Later", "PL-1", "9003"},
};

struct Settlement {
    std::string link;
    SettlementType type;
    int source;  // the one source of a single-source settlement, else -1
    SettlementRecordSet set{};
    bool stored = false;
};

// What the save stores as far as loading needs it.
void Store(Settlement& s) {
    for (const char* table : {"HVXGR04", "HVXGR04D", "HVXGR04F"})
        Exec(std::string("DELETE FROM ") + table + " WHERE SETLINK='" + s.link + "'");
    const std::string stype = s.type == SettlementType::SingleSource ? "0" : "1";
    Insert("HVXGR04", "SETTLEMENT,SETLINK,STYPE,POSTED", {s.link, s.link, stype, "F"});
    for (const SettlementDetailItem& l : s.set.details.Items()) {
        Insert("HVXGR04D",
               "SETLINK,SOURCE,SOURCEREF,SOURCELINK,UNITSSET,TOTPRICE,TODPR,CONTRACT,DLLINK,STYPE",
               {s.link, l.source, l.sourceRef, l.sourceLink, _HVXsprintf("%.4f", l.unitsSet),
                _HVXsprintf("%.2f", l.totPrice), l.toDpr, l.contract, l.dlLink, stype});
        if (stype == "0") Insert("HVXGR04F", "SETLINK,DLLINK,STYPE", {s.link, l.dlLink, "0"});
    }
    s.stored = true;
}

// Each source against the stored lines that draw on it.
void ExpectBookkeeping(const std::string& step) {
    std::map<std::string, double> units, dollars;
    for (const std::string& row :
         Rows("SELECT SOURCE,SOURCELINK,UNITSSET,TOTPRICE FROM HVXGR04D")) {
        const Texts f = Fields(row);
        for (const std::string& link : {f[1], f[0] == "Scale Ticket" ? std::string("L4") : ""}) {
            units[link] = HVXRound(units[link] + TextNumber(f[2]), 4);
            dollars[link] = HVXRound(dollars[link] + TextNumber(f[3]), 2);
        }
    }
    std::map<std::string, Texts> splits;
    for (const std::string& row :
         Rows("SELECT LINEID,SHAREUNITS,SETTUNITS,SETTLED FROM HVXGR02S")) {
        const Texts f = splits[Fields(row)[0]] = Fields(row);
        const double share = TextNumber(f[1]);
        const bool full = share != 0 && HVXRound(share, 5) <= HVXRound(TextNumber(f[2]), 5);
        EXPECT_EQ(TextNumber(f[2]), units[f[0]]) << step << ": split " << f[0];
        EXPECT_EQ(f[3], full ? "T" : "F") << step << ": split " << f[0];
    }
    // L1's tickets are covered in ticket order by its settled units; L4's are sources.
    double rest = TextNumber(splits["L1"][2]);
    for (const std::string& row : Rows("SELECT STDLINEID,UNITS,UNITSSET,SETTLED,ASSEMLINK FROM "
                                       "HVXGR03A ORDER BY SCALETICK")) {
        const Texts f = Fields(row);
        const double ticket = TextNumber(f[1]);
        const bool own = f[4] == "L4";
        const bool covered = own ? ticket == units[f[0]] : splits["L1"][3] == "T" || rest >= ticket;
        EXPECT_EQ(TextNumber(f[2]), own       ? units[f[0]]
                                    : covered ? ticket
                                              : rest)
            << step << ": " << f[0];
        EXPECT_EQ(f[3], !covered ? "F" : own ? "D" : "T") << step << ": ticket " << f[0];
        if (!own) rest = covered ? HVXRound(rest - ticket, 4) : 0;
    }
    for (const std::string& row :
         Rows("SELECT DLLINK,UNITSSET,OUNITS,STATUS,ISDOLUSED FROM HVXGR04F "
              "WHERE DLLINK IN ('9001','9002','9003')")) {
        const Texts f = Fields(row);
        const double open = HVXRound(TextNumber(f[1]) - units[f[0]], 4);
        EXPECT_EQ(TextNumber(f[2]), open) << step << ": contract " << f[0];
        EXPECT_EQ(f[3], open == 0 ? "C" : "O") << step << ": contract " << f[0];
        EXPECT_EQ(TextNumber(f[4]), f[0] == "9002" ? dollars[f[0]] : 0) << step << ": " << f[0];
    }
}

class SourceBookkeeping : public DatabaseTest {};
HVX_DATABASE_TEST_SUITE(SourceBookkeeping);

TEST_P(SourceBookkeeping, SourcesHoldWhatTheStoredLinesTakeAfterEveryChangeAndSave) {
    Exec("INSERT INTO HVXGR40 (SETTBYTICK,RECNO) VALUES ('T',1)");
    SeedSplit("A-1", "L1", "200");
    SeedSplit("A-1", "L2", "120");
    SeedSplit("A-2", "L3", "150");
    SeedSplit("A-3", "L4", "1000");
    SeedTicket("T1", "L1", "TL-1", "60");
    SeedTicket("T2", "L1", "TL-2", "49.5");
    SeedTicket("T3", "L1", "TL-3", "60.5");
    SeedTicket("T4", "L1", "TL-4", "30");
    SeedTicket("U1", "L4", "ST-1", "200");
    SeedTicket("U2", "L4", "ST-2", "300");
    SeedTicket("U3", "L4", "ST-3", "500");
    SeedContract("9001", "Storage Ticket", "1000.0000");
    SeedContract("9002", "Installment Sale", "800.0000");
    SeedContract("9003", "Priced Later", "600.0000");

    const SettlementType single = SettlementType::SingleSource;
    std::vector<Settlement> all;
    for (int source : {0, 4, 6, 7, -1, -1})
        all.push_back({std::to_string(1001 + all.size()),
                       source < 0 ? SettlementType::MultipleSource : single, source});
    ScriptedUi ui;
    std::mt19937 random(20240307);
    const auto pick = [&](size_t n) {
        return std::uniform_int_distribution<size_t>(0, n - 1)(random);
    };
    int nextLine = 20000, saves = 0, refusals = 0;
    for (int step = 1; step <= 400 && !HasFailure(); ++step) {
        Settlement& s = all[pick(all.size())];
        SettlementDetailList& details = s.set.details;
        s.set.header.type = s.type;
        const std::string name = "step " + std::to_string(step) + ", settlement " + s.link;
        const auto someLine = [&] {
            return std::next(details.Items().begin(), pick(details.Count()))->dlLink;
        };
        const auto addLine = [&](const std::string& dlLink) {
            const Source& src =
                kSources[s.source >= 0 ? size_t(s.source) : pick(std::size(kSources))];
            const bool priced = s.type != single || pick(2) == 0;
            SettlementDetailItem l;
            l.source = src.kind;
            l.sourceRef = src.ref;
            l.sourceLink = src.link;
            l.dlLink = dlLink;
            l.unitsSet = (1 + pick(600000)) / 10000.0;
            l.totPrice = pick(20000) / 100.0;
            l.toDpr = priced ? "Priced" : "Storage Ticket";
            l.contract = priced ? "" : "C" + dlLink;
            s.set.defaults.FillFrom(l);
            details.AddLine(l);
        };
        const auto apply = [&](auto& connection, std::string& message) {
            return ApplySettlementToSources(connection, s.set, ContractSourceOf(s.set), message);
        };
        const size_t action = pick(10);
        std::string message;
        if (action < 4 || details.Empty()) {
            addLine(std::to_string(++nextLine));
        } else if (action < 6) {  // a line removed, or its units changed
            const std::string dlLink = someLine();
            details.RemoveLine(dlLink, ui);
            if (action == 5) addLine(dlLink);
        } else if (action < 9 && !ValidateSources(details, s.link, message)) {
            EXPECT_EQ(message.find("Saving this settlement will make settled units greater"), 0u)
                << name;
            ++refusals;  // the changes are dropped and the settlement read again
            s.set = SettlementRecordSet{};
            if (s.stored) {
                EXPECT_TRUE(LoadSettlement(s.set, s.link, s.type, ui)) << name;
            }
        } else if (action < 9) {
            const Form form = pick(4) == 0 ? Form::Literal : Form::Prepared;
            ASSERT_TRUE(InForm(form, [&](auto& cn) { return apply(cn, message); }))
                << name << message;
            Store(s);
            ++saves;
            const Texts before = SourceRecords();
            ASSERT_TRUE(InForm(form, [&](auto& cn) { return apply(cn, message); }))
                << name << message;
            EXPECT_EQ(SourceRecords(), before) << name << ": saved again unchanged";
        } else if (s.stored) {
            s.set = SettlementRecordSet{};
            ASSERT_TRUE(LoadSettlement(s.set, s.link, s.type, ui)) << name;
            const Texts before = SourceRecords();
            HVXConnection connection(1);
            ASSERT_TRUE(apply(connection, message)) << name << message;
            EXPECT_EQ(SourceRecords(), before) << name << ": read again and saved unchanged";
        }
        ExpectBookkeeping(name);
    }
    EXPECT_GT(saves, 50);  // the walk really saved, and really ran into shares
    EXPECT_GT(refusals, 0);
}

}  // namespace
