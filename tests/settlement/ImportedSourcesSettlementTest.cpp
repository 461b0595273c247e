// A settlement on imported deliveries, schedules, contracts and advances
// stores exactly the rows the same settlement stores on the demo's seeded ones.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "data/exchange/ExchangeKind.h"
#include "rules/GradeResults.h"
#include "rules/TicketPricing.h"
#include "settlement/SettlementSaveTestSupport.h"
#include "settlement/SourceLineBuilder.h"
#include "tools/AdminRun.h"

namespace {

namespace fs = std::filesystem;
using namespace hvxtest;
using namespace hvx::settlement;

class ImportedSourcesSettlement : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        hvx::SetTodayForTesting({2026, 4, 1});
        dir_ = fs::temp_directory_path() / ("imports-settle-" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        hvx::SetTodayForTesting({0, 0, 0});
        DatabaseTest::TearDown();
    }
    std::string Admin(std::vector<std::string> args) {
        hvx::Session::Close();
        args.push_back(connection_);
        const AdminResult r = hvxtest::Admin(args);
        std::string error;
        EXPECT_TRUE(hvx::Session::Open(connection_, error, hvx::OpenMode::Existing)) << error;
        EXPECT_EQ(r.code, 0) << r.err;
        return r.out;
    }
    fs::path File(const char* kind) const { return dir_ / (std::string(kind) + ".csv"); }

    // HALVORSEN sells 400 units of assembly 26008 on contract PC-26-003 at
    // the assembly's price (its tests priced by the contract's schedules),
    // repaying 500.00 of an advance, and stores the other 300 with the
    // assembly's grades. Returns every row the save added or removed.
    Texts Settle() {
        const std::vector<std::string> before = Everything();
        const std::string split = Column(
            "SELECT LINEID FROM HVXGR02S WHERE ASSEMBLY = '26008' AND CUSTREF = 'HALVORSEN'")[0];
        SettlementRecordSet set;
        set.header.custRef = "HALVORSEN", set.header.custName = "Halvorsen Brothers";
        set.header.settDate = "04012026";
        LineValues line{.source = {"Assembly", "26008", split, "PC-26-003", "Basis Fixed"},
                        .commodity = "WHEAT",
                        .location = "03",
                        .destination = "Priced",
                        .settDate = "04012026",
                        .units = 400,
                        .price = hvx::AssemblyPrice(split, "WHEAT")};
        SettlementDetailItem priced, stored;
        std::string message;
        EXPECT_TRUE(BuildSourceLine(line, priced, message)) << message;
        line.destination = "Storage Ticket", line.units = 300, line.price = 0;
        EXPECT_TRUE(BuildSourceLine(line, stored, message)) << message;
        set.details.AddLine(priced), set.details.AddLine(stored);
        set.deductions.Add("ADVANCE", "500.00", "D", "T", priced.dlLink, "26008", "Assembly");
        ScriptedUi ui;
        for (const hvx::GradeResult& g :
             hvx::DefaultGradeResults("Assembly", "Storage Ticket", "26008", "WHEAT"))
            set.grades.Add(g.factor, g.result, stored.dlLink, ui);
        ui.answers.push_back(hvx::MsgAnswer::Yes);  // repay the advances automatically
        FakeHost host;
        SettlementWindowValues values;
        SettlementSaveWindow window{set, values, ui, nullptr, message};
        EXPECT_TRUE(hvx::settlement::SaveSettlement(window)) << message;
        Texts changes;
        const std::vector<std::string> after = Everything();
        std::ranges::set_difference(after, before, std::back_inserter(changes));
        for (const std::string& gone : Without(before, after)) changes.push_back("- " + gone);
        return changes;
    }
    static Texts Without(const Texts& from, const Texts& these) {
        Texts rest;
        std::ranges::set_difference(from, these, std::back_inserter(rest));
        return rest;
    }
    static Texts Sorted(Texts rows) {
        std::ranges::sort(rows);
        return rows;
    }
    // Every row of every table, sorted.
    static Texts Everything() {
        Texts all;
        for (const hvx::data::TableDesc& table : hvx::data::AllTables())
            for (const std::string& row : Rows(std::string("SELECT * FROM ") + table.name))
                all.push_back(std::string(table.name) + "\t" + row);
        return Sorted(all);
    }
    // A row's fields as quoted SQL values.
    static std::string Listed(std::string row) {
        for (std::size_t tab; (tab = row.find('\t')) != std::string::npos;)
            row.replace(tab, 1, "','");
        return "'" + row + "'";
    }
    fs::path dir_;
};
HVX_DATABASE_TEST_SUITE(ImportedSourcesSettlement);

TEST_P(ImportedSourcesSettlement, StoresTheRowsTheSameSettlementStoresOnSeededRows) {
    Admin({"seed-demo"});
    const auto& kinds = hvx::exchange::ExchangeKinds();
    for (const hvx::exchange::ExchangeKind& kind : kinds)
        std::ofstream(File(kind.name), std::ios::binary) << Admin({"export", kind.name});
    // What no import brings: the office's configuration row, and the counters
    // the demo's seeded settlements advanced.
    const Texts config = Rows(
        "SELECT CONFIG8,CONFIG9,CONFIG18,CONFIG19,BCKOFFCE,DSERVICE,"
        "DSTORAGE,DINTEREST,SETTBYTICK,NEXTDPR,RECNO FROM HVXGR40");
    const Texts counters = Sorted(Rows("SELECT TABLENAME,COLNAME,NEXTVAL FROM HVXNEXTNUM"));
    const Texts seeded = Settle();

    Admin({"init", "--force"});
    for (const hvx::exchange::ExchangeKind& kind : kinds)
        Admin({"import", kind.name, File(kind.name).string()});
    const Texts imported = Sorted(Rows("SELECT TABLENAME,COLNAME,NEXTVAL FROM HVXNEXTNUM"));
    EXPECT_EQ(Without(imported, counters), Texts{}) << "an import drew other numbers";
    for (const std::string& row : config)
        Exec(
            "INSERT INTO HVXGR40 (CONFIG8,CONFIG9,CONFIG18,CONFIG19,BCKOFFCE,DSERVICE,DSTORAGE,"
            "DINTEREST,SETTBYTICK,NEXTDPR,RECNO) VALUES (" +
            Listed(row) + ")");
    for (const std::string& row : Without(counters, imported))
        Exec("INSERT INTO HVXNEXTNUM (TABLENAME,COLNAME,NEXTVAL) VALUES (" + Listed(row) + ")");
    EXPECT_EQ(Settle(), seeded);
}

}  // namespace
