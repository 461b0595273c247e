// The lists beside a settlement's fields, run on every engine: the settlement
// lookup lists the lines of one settlement type keyed by settlement number,
// and the contract view lists the destination records of one category.
#include <algorithm>

#include "platform/PickList.h"
#include "settlement/SettlementLookups.h"
#include "support/ScriptedUi.h"
#include "support/TestDatabase.h"

namespace {

using hvx::SettlementType;
using hvx::settlement::ContractViewRow;
using hvxtest::Exec;

class SettlementLookups : public hvxtest::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        // Lines of single-source settlements 7, 10 and 3 (two lines) and of
        // multiple-source settlement 12.
        Exec("INSERT INTO HVXGR04D (CUSTNAME,CUSTREF,SETTLEMENT,SETDTE,SOURCE,SOURCEREF,UNITSSET,"
             "FROMDPR,TODPR,CONTRACT,STYPE,RECNO) VALUES "
             "('Casey Farms','C1','7','2024-03-07','Assembly','A100','200.0000','Storage Ticket',"
             "'Priced','','0',1),"
             "('Able Acres','C2','10','2024-03-09','Assembly','A200','50.0000','Storage Ticket',"
             "'Grain Bank','GB-4','0',2),"
             "('Casey Farms','C1','12','2024-03-10','Scale Ticket','2001','75.0000',"
             "'Storage Ticket','Priced','','1',3),"
             "('O''Brien Farms','C3','3','2024-02-01','Assembly','A100','10.0000',"
             "'Storage Ticket','Priced','','0',4),"
             "('O''Brien Farms','C3','3','2024-02-01','Assembly','A100','5.0000',"
             "'Storage Ticket','Storage Ticket','ST-9','0',5)");
        Exec("INSERT INTO HVXGR04F (SETTLEMENT,COMMODITY,SETDTE,TODPR,RECNO) VALUES "
             "('10','CORN','2024-03-09','Grain Bank',1),('3','BEANS','2024-02-01',"
             "'Storage Ticket',2),('8','CORN','2023-12-30','Storage Ticket',3),"
             "('12','CORN','2024-03-10','Priced',4)");
    }
};
HVX_DATABASE_TEST_SUITE(SettlementLookups);

// The list the lookup shows, loaded as the pick list loads it.
hvx::PickList ShownList(const hvxtest::ScriptedUi& ui) {
    hvx::PickList list;
    std::string error;
    EXPECT_TRUE(list.Load(ui.pickColumns.back(), ui.pickLists.back(), ui.pickKeys.back(), error))
        << error;
    return list;
}

TEST_P(SettlementLookups, ListsTheLinesOfOneTypeKeyedBySettlementNumber) {
    const struct {
        SettlementType type;
        std::vector<std::string> settlements;  // the key column, in list order
        const char* typed;
        const char* picked;
    } cases[] = {
        {SettlementType::SingleSource, {"3", "3", "7", "10"}, "1", "10"},
        {SettlementType::MultipleSource, {"12"}, "", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picked);
        hvxtest::ScriptedUi ui;
        std::string field = c.typed;
        // Cancelled: nothing picked, the field keeps what was typed.
        EXPECT_FALSE(hvx::settlement::LookupSettlement(ui, c.type, field));
        EXPECT_EQ(field, c.typed);

        const hvx::PickList list = ShownList(ui);
        ASSERT_EQ(list.Columns().size(), 10u);
        EXPECT_EQ(list.Columns()[0].title, "Name");
        EXPECT_EQ(list.Columns()[6].title, "Units Settled");
        std::vector<std::string> keys;
        for (int r = 0; r < static_cast<int>(list.Rows().size()); ++r)
            keys.push_back(list.KeyText(r));
        EXPECT_EQ(keys, c.settlements);

        // Typing the start of a number lands on its settlement; the pick
        // hands back the settlement number, not the customer's name.
        const int row = list.RowFor(c.typed);
        ASSERT_GE(row, 0);
        ui.picks.push_back({list.Rows()[row].recno, list.KeyText(row)});
        EXPECT_TRUE(hvx::settlement::LookupSettlement(ui, c.type, field));
        EXPECT_EQ(field, c.picked);
    }
}

TEST_P(SettlementLookups, ContractViewListsTheDestinationRecordsOfOneCategory) {
    const struct {
        const char* category;
        std::vector<ContractViewRow> rows;
    } cases[] = {
        {"Storage Ticket", {{"3", "BEANS", "02/01/2024"}, {"8", "CORN", "12/30/2023"}}},
        {"Grain Bank", {{"10", "CORN", "03/09/2024"}}},
        {"Priced Later", {}},
        {"O'Brien", {}},  // a quote in the text is a value, not SQL
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.category);
        std::vector<ContractViewRow> rows{{"stale", "", ""}};
        std::string error;
        ASSERT_TRUE(hvx::settlement::ReadContractView(c.category, rows, error)) << error;
        std::ranges::sort(rows, {}, &ContractViewRow::settlement);
        EXPECT_EQ(rows, c.rows);
    }
}

}  // namespace
