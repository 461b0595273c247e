// The schema as the module's statements meet it: every described column,
// the statements themselves, dates, text quantities and record numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Schema.h"
#include "platform/HVXConnection.h"
#include "platform/Session.h"
#include "support/TestDatabase.h"

namespace {

using hvx::data::AllTables;
using hvx::data::ColumnType;
using hvxtest::Column;
using hvxtest::Exec;
using hvxtest::Rows;

class Schema : public hvxtest::DatabaseTest {};
HVX_DATABASE_TEST_SUITE(Schema);

bool Runs(const std::string& sql, std::string& error) {
    auto statement = hvx::Session::Prepare(sql, false, error);
    return statement && statement->Execute({}, error);
}

// Fills the printf fields of a literal statement as the module would: a date
// between braces, a fresh number elsewhere (quoted or not), so that inserts
// never collide on RECNO.
std::string Fill(const std::string& sql) {
    static int next = 100;
    std::string out;
    for (size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] != '%') {
            out += sql[i];
            continue;
        }
        const size_t end = sql.find_first_of("sfd", i);
        const bool date = i > 0 && sql[i - 1] == '{';
        out += date ? "2024-03-07" : std::to_string(++next);
        i = end;
    }
    return out;
}

TEST_P(Schema, EveryDescribedTableAndColumnExists) {
    for (const auto& table : AllTables()) {
        int recnos = 0;
        for (const auto& column : table.columns) {
            std::string error;
            EXPECT_TRUE(Runs(std::string("SELECT ") + column.name + " FROM " + table.name +
                                 " WHERE 1=0",
                             error))
                << table.name << "." << column.name << ": " << error;
            recnos += column.type == ColumnType::Recno;
        }
        // Every suite table is keyed by RECNO; only our keyed stand-ins and
        // the version row go without.
        EXPECT_EQ(recnos, table.primaryKey || std::string(table.name) == "HVXSCHEMA" ? 0 : 1)
            << table.name;
    }
    EXPECT_EQ(hvx::data::FindTable("hvxgr04f"), hvx::data::FindTable("HVXGR04F"));
    EXPECT_EQ(hvx::data::FindTable("HVXGR99"), nullptr);
}

// The module's statements, as it writes them, run against the schema. On
// PostgreSQL this also checks the column types: a text written quoted into a
// date column, or a date literal into a number, is refused there.
TEST_P(Schema, ModuleStatementsRunAgainstTheSchema) {
    const char* literal[] = {
        "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETLINK,POSTED,CHECKNUM,CHECKAMT,REVERSED,STYPE,SETTDATE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s',{%s},'%s','%s','%s','%s','%s','%s',{%s},'%s',%.0f)",
        "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,CONTRACT,SETDTE,PATRONAGE,POSTED,GLCODE,LOCATION,CUSTREF,CUSTNAME,STYPE,SOURCELINK,DLLINK,PRICEUNIT,TOTPRICE,GLPOSTED,STATUS,REVERSED,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%s','%s',{%s},'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',%.0f)",
        "SELECT SETTLEMENT,DESTLINK,COMMODITY,SETDTE,ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,CONTRACT,UNITSSET,TODPR,CUSTREF,CUSTNAME,AVGPRICE,GROSSAMT,NETAMT,STYPE,LOCATION,SUBMITTED,RECNO FROM HVXGR04F WHERE DLLINK='%s'",
        "UPDATE HVXGR04F SET PPAIDDATE={%s},AMTPREPAID='%s',STORECOL='%s',SRATEDATE='%s' WHERE DLLINK='%s'",
        "UPDATE HVXGR04F SET ISDATE={%s},ISRATE='%s',ISDUE={%s} WHERE SETLINK='%s'",
        "UPDATE HVXGR04F SET SSDATE={%s},SCRATE='%s' WHERE SETLINK='%s'",
        "SELECT OUNITS,ISDOLUSED,TODPR FROM HVXGR04F WHERE DLLINK='%.0f'",
        "INSERT INTO HVXGR04A (SETTLEMENT,SETLINK,DLLINK,GRADFACT,RESULT,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR04B (SETTLEMENT,SETLINK,DLLINK,UNITS,PRICE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR04C (SETTLEMENT,SETLINK,DLLINK,DEDUCT,AMOUNT,DA,ASSEMBLY,SOURCE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR04E (SETTLEMENT,SETLINK,PAYNAME,PNTYPE,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR04H (FLINK,ASSEMBLY,SETTLINK,RECNO) VALUES ('%s','%s','%s',%.0f)",
        "UPDATE HVXGR02S SET SETTUNITS='%.04f',SETTLED='%s' WHERE LINEID='%s'",
        "SELECT COMMODITY,DPR,LOCATION,SHAREUNITS,SETTUNITS,LINEID FROM HVXGR02S WHERE RECNO=%.0f",
        "UPDATE HVXGR02 SET SETTLED = 'T' WHERE ASSEMBLY = '%s'",
        "SELECT HVXGR03A.SCALETICK,HVXGR03A.ASSEMBLY,HVXGR02S.COMMODITY,HVXGR02S.LOCATION,HVXGR03A.CONTRACT,HVXGR03A.UNITS,HVXGR03A.UNITSSET,HVXGR03A.PRICE,HVXGR03A.DPRSTATUS,HVXGR03A.STDLINEID,HVXGR03A.RECNO FROM HVXGR03A,HVXGR02S WHERE HVXGR03A.ASSEMLINK = HVXGR02S.LINEID AND HVXGR03A.CUSTREF = '%s' AND HVXGR03A.SETTLED = 'F' AND HVXGR03A.ASSEMBLY = '%s' ORDER BY SCALETICK",
        "SELECT RESULT,NETUNITS FROM HVXGR03G WHERE ASSEMBLY='%s' AND TEST='%s'",
        "SELECT CUSTNAME,CUSTREF,CONTRACT,COMMODITY,BUYREF,CTYPE,DATEEST,CQTY,QTYRECV,STR(RECNO) FROM HVXGR05 WHERE COMMODITY='%s' AND STATUS <> 'Closed'",
        "UPDATE HVXGR05 SET QTYRECV='%.4f',OCQTY='%.4f' WHERE CONTRACT='%s'",
        "INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,URECVM,URECVY,PRINTDPR,PRINTTP,NUMCHANGE,RECNO) VALUES ('%s','%s','%.4f','%.4f','%.4f','%s','%s','0',%0f)",
        "INSERT INTO HVXGR51A (REFERENCE,LOCATION,USHIPD,USHIPM,USHIPY,NUMCHANGE,RECNO) VALUES ('%s','%s','%.4f','%.4f','%.4f','F',%0f)",
        "INSERT INTO HVXGR29 (TRANNUM,COMMODITY,LOCATION,ACTDATE,PROGRAM,SOURCE,DEST,NETUNITS,REFERENCE,STATUS,NUMCHANGE,RECNO) VALUES ('%s','%s','%s',{%s},'%s','%s','%s','%.4f','%s','%s','',%.0f)",
        "SELECT LBSUNIT,UOM,DECIMALS,SERVEDAY,TAXCODE FROM HVXGR51 WHERE REFERENCE='%s'",
        "SELECT GRADFACT FROM HVXGR51B WHERE COMMODITY='%s'",
        "SELECT GRADFACT,GRADNAME,STR(RECNO) FROM HVXGR50",
        "SELECT DRYCHARGE FROM HVXGR50 WHERE GRADFACT = '%s'",
        "SELECT TABLINK,STEPSIZE,DOPERCENT FROM HVXGR54 WHERE COMMODITY='%s' AND GRADFACT='%s' AND SCHEDULE='%s'",
        "SELECT TYPE,VALUE,DISCOUNT,ADDITION FROM HVXGR54B WHERE TABLINK='%s'",
        "SELECT MAKEENTRY,ARACCT1,ARACCT2,ARACCT3,DESCRIPT FROM HVXGR52 WHERE REFERENCE='%s'",
        "SELECT REFERENCE,DESCRIPT,TYPE,STR(RECNO) FROM HVXGR52",
        "SELECT RAMOUNT FROM HVXGR57 WHERE SETTLELINK='%s'",
        "SELECT AMOUNT,RAMOUNT,RECNO,ADVLINK FROM HVXGR57 WHERE OPENPAID='O' AND CUSTREF='%s' AND (SOURCE <> '%s' OR SOURCEREF <> '%s') ORDER BY ADVDATE",
        "INSERT INTO HVXGR57A (ADVLINK,CHECKNUM,AMOUNT,RDATE,SOURCELINK,PAIDLINK,NUMCHANGE,RECNO) VALUES ('%s','%s','%0.2f',{%s},'%s','%s','%s',%.0f)",
        "SELECT REFERENCE,DESCRIPT,STR(RECNO) FROM HVXGR59",
        "SELECT REFERENCE,DESCRIPT,STR(RECNO) FROM HVXGR61",
        "SELECT CONFIG8,CONFIG9,CONFIG18,CONFIG19,BCKOFFCE,DSERVICE,DSTORAGE,DINTEREST,SETTBYTICK,NEXTDPR FROM HVXGR40",
        "INSERT INTO HVXGR07 (REFERENCE,SHIPDATE,COMMODITY,LOCATION,PERXREF,CARNUM,CARINIT,CUSTNAME,CUSTREF,CONTRACT,BASEPRICE,ESTWGHT,ESTUNITS,INTRANP,FROMDPR,BINREF,VENDOR,GLPOSTED,STATUS,POSTED,COMPLETED,ADVAMT,ADVDATE,BUYREF,SHIPDEST,COMLINK,VENPAID,ADJUST,SETTPOST,SHIPLINK,NUMCHANGE,RECNO) VALUES ('%s',{%s},'%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',{},'%s','%s','%s','%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR07A (REFERENCE,CONTRACT,GRADE,DOCKAGE,GROSSWGHT,DOCKWGHT,NETWGHT,NETUNITS,PRICE,GROSSAMT,ADVANCE,DEDUCT,NETAMT,WGHTDATE,SETDATE,GLACCT1,GLACCT2,GLACCT3,POSTED,GLPOSTED,SHIPLINK,NUMCHANGE,DLLINK,RECNO) VALUES ('%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s','%s',{%s},{%s},'%s','%s','%s','%s','%s','%s','%s','%s',%.0f)",
        "INSERT INTO HVXGR07D (DEDUCTION,AMOUNT,DLLINK,SHIPLINK,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','0',%.0f)",
        "INSERT INTO HVXGR07G(GRADFACT,RESULT,DLLINK,SHIPLINK,NUMCHANGE,RECNO) VALUES ('%s','%s','%s','%s','0',%.0f)",
        "SELECT CWRREF,VENREF,COMMODITY,LOCATION,ISSUDATE,UNITS,SETTDATE,STR(RECNO) FROM HVXGR08",
        "SELECT CWRLINK,OPENCLOSE,LMODUSER,LMODDATE,LMODTIME,NUMCHANGE FROM HVXGR08 WHERE CWRREF='%s'",
        "SELECT SSTAXIDNUM FROM HVXAR50 WHERE REFERENCE = '%s'",
        "SELECT REFERENCE,NAME,ADDRESS1,ADDRESS2,CITY,STATE,ZIP,STR(RECNO) FROM HVXAP50",
        "UPDATE HVXREP4 SET CHECKNUM='%s'",
    };
    for (const char* sql : literal) {
        std::string error;
        EXPECT_TRUE(Runs(Fill(sql), error)) << sql << "\n" << error;
    }

    // Prepared statements: the engine checks their columns and infers the
    // parameter types when it prepares them.
    const char* prepared[] = {
        "INSERT INTO HVXGR04 (SETTLEMENT,CUSTREF,CUSTNAME,ADTE,SETTDATE,SETLINK,POSTED,REVERSED,CHECKNUM,CHECKAMT,STYPE,NUMCHANGE,RECNO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?)",
        "INSERT INTO HVXGR04D (SETTLEMENT,SETLINK,SOURCE,SOURCEREF,COMMODITY,UNITSSET,FROMDPR,TODPR,CONTRACT,SETDTE,PATRONAGE,STATUS,REVERSED,SOURCELINK,GLCODE,DLLINK,NUMCHANGE,RECNO,LOCATION,STYPE,CUSTREF,CUSTNAME,POSTED,GLPOSTED,PRICEUNIT,TOTPRICE) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        "INSERT INTO HVXGR04F (SETTLEMENT,DESTLINK,SETLINK,COMMODITY,SETDTE,ISDATE,ISRATE,ISDUE,STATUS,PPAIDDATE,AMTPREPAID,SRATEDATE,STORECOL,OUNITS,SSDATE,SCRATE,NUMCHANGE,RECNO,CONTRACT,UNITSSET,TODPR,CUSTREF,CUSTNAME,DLLINK,STYPE,AVGPRICE,GROSSAMT,NETAMT,LOCATION,SUBMITTED) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        "UPDATE HVXGR03A SET UNITSSET = ?, SETTLED = ? WHERE STDLINEID = ?",
        "SELECT TEST,RESULT,PREMDISC FROM HVXGR03G WHERE TICKETNUM = ?",
        "SELECT SCHEDULE FROM HVXGR01G WHERE CONTRACT = ? AND GRADFACT = ?",
        "SELECT SERVEDAY,STOREDAY,SERVDAY2,STOREDAY2 FROM HVXGR51 WHERE (REFERENCE = ?)",
        "SELECT LIENHOLD,COMMODITY,EXPDATE FROM HVXGR56A WHERE CUSTREF = ?",
        "INSERT INTO HVXGR57 (CUSTREF,CUSTNAME,ADVDATE,SOURCE,SOURCEREF,SETTLEMENT,AMOUNT,RAMOUNT,CHECKNUM,OPENPAID,SETTLELINK,SETITEM,ADVLINK,NUMCHANGE,RECNO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
        "INSERT INTO HVXGR07C(LINK,COMMDATE,COMMENT,RECNO) VALUES(?,?,?,?)",
        "SELECT RECNO FROM HVXGR01 WHERE CONTRACT = ?",
        "SELECT RECNO FROM HVXGR55 WHERE REFERENCE = ?",
        "SELECT LINK,COMMDATE,COMMENT,RECNO FROM HVXGR04G WHERE LINK = ?",
        "SELECT LINK,COMMDATE,COMMENT,RECNO FROM HVXGR08C WHERE LINK = ?",
    };
    for (const char* sql : prepared) {
        std::string error;
        EXPECT_NE(hvx::Session::Prepare(sql, true, error), nullptr) << sql << "\n" << error;
    }
}

// Every date column takes a brace literal and a bound window date, reads
// both back as "MM/DD/YYYY", keeps an empty date empty and sorts as a date.
TEST_P(Schema, DateColumnsRoundTripAndSortAsDates) {
    const std::vector<std::string> expected{
        "HVXGR04.ADTE",      "HVXGR04.SETTDATE",  "HVXGR04D.SETDTE",  "HVXGR04F.SETDTE",
        "HVXGR04F.ISDATE",   "HVXGR04F.ISDUE",    "HVXGR04F.PPAIDDATE", "HVXGR04F.SSDATE",
        "HVXGR04G.COMMDATE", "HVXGR05.DATEEST",   "HVXGR29.ACTDATE",  "HVXGR56A.EXPDATE",
        "HVXGR57.ADVDATE",   "HVXGR57A.RDATE",    "HVXGR07.SHIPDATE", "HVXGR07.ADVDATE",
        "HVXGR07A.WGHTDATE", "HVXGR07A.SETDATE",  "HVXGR07C.COMMDATE", "HVXGR08.ISSUDATE",
        "HVXGR08.SETTDATE",  "HVXGR08.LMODDATE",  "HVXGR08C.COMMDATE"};
    std::vector<std::string> dates;
    for (const auto& table : AllTables()) {
        for (const auto& column : table.columns) {
            if (column.type != ColumnType::Date) continue;
            const std::string t = table.name, c = column.name;
            dates.push_back(t + "." + c);
            SCOPED_TRACE(dates.back());
            Exec("DELETE FROM " + t);
            std::string error;
            EXPECT_TRUE(Runs("INSERT INTO " + t + " (" + c + ",RECNO) VALUES ({2024-03-07},1)",
                             error))
                << error;
            HVXConnection p;
            const std::string insert = "INSERT INTO " + t + " (" + c + ",RECNO) VALUES (?,?)";
            for (const char* bound : {"12/31/2023", ""}) {
                p.BindParam(insert, bound);
                p.BindDoubleParam(insert, bound[0] ? 2 : 3);
                EXPECT_EQ(p.ExecuteSQL(insert), 1) << p.LastError();
            }
            EXPECT_EQ(Rows("SELECT RECNO," + c + " FROM " + t + " WHERE RECNO IN (1,2) ORDER BY " +
                           c),
                      (std::vector<std::string>{"2\t12/31/2023", "1\t03/07/2024"}));
            EXPECT_EQ(Column("SELECT " + c + " FROM " + t + " WHERE RECNO=3"),
                      (std::vector<std::string>{"<NULL>"}))
                << "an empty date is no date";
        }
    }
    EXPECT_EQ(dates, expected);
}

TEST_P(Schema, TextColumnsKeepTheirTextAndRecnoIsANumber) {
    Exec("INSERT INTO HVXGR02S (SHAREUNITS,SETTUNITS,PSETUNITS,LINEID,RECNO) "
         "VALUES ('12.5000','0012','1e3','007',5)");
    EXPECT_EQ(Rows("SELECT SHAREUNITS,SETTUNITS,PSETUNITS,LINEID,STR(RECNO) FROM HVXGR02S"),
              (std::vector<std::string>{"12.5000\t0012\t1e3\t007\t5"}));

    // RECNO is found by a bound text and by the unquoted "%.0f" of a number.
    HVXConnection p;
    const char* byRecno = "SELECT LINEID FROM HVXGR02S WHERE RECNO = ?";
    p.BindParam(byRecno, "5");
    ASSERT_EQ(p.ExecuteSQL(byRecno), 1) << p.LastError();
    ASSERT_TRUE(p.FetchNext(byRecno));
    EXPECT_STREQ(p.ColumnVar(byRecno, 1), "007");
    EXPECT_EQ(Column("SELECT LINEID FROM HVXGR02S WHERE RECNO=5"), std::vector<std::string>{"007"});

    // A RECNO is unique in its table.
    std::string error;
    EXPECT_FALSE(Runs("INSERT INTO HVXGR02S (LINEID,RECNO) VALUES ('008',5)", error));

    // Columns a statement leaves out read as empty text, and a guarded update
    // that repeats the empty value it read finds its row.
    Exec("INSERT INTO HVXGR51A (REFERENCE,LOCATION,URECVD,NUMCHANGE,RECNO) "
         "VALUES ('CORN','MAIN','1.0000','0',1)");
    EXPECT_EQ(Column("SELECT DPRCO FROM HVXGR51A"), std::vector<std::string>{""});
    Exec("UPDATE HVXGR51A SET DPRCO='3.0000' WHERE REFERENCE='CORN' AND LOCATION='MAIN' "
         "AND DPRCO=''");
    EXPECT_EQ(Column("SELECT DPRCO FROM HVXGR51A"), std::vector<std::string>{"3.0000"});
}

}  // namespace
