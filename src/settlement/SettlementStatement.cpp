#include "settlement/SettlementStatement.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "platform/Format.h"
#include "platform/HVXSConnection.h"
#include "platform/Rounding.h"
#include "platform/Statements.h"
#include "platform/Text.h"
#include "settlement/AmountInWords.h"

namespace hvx::settlement {
namespace {

using report::Align;
using report::Item;

long long Cents(const std::string& amount) { return std::llround(TextNumber(amount) * 100); }

std::string Money(long long cents) { return AmountInFigures(cents / 100.0); }

long long Sum(const std::vector<StatementAmount>& amounts) {
    return std::accumulate(amounts.begin(), amounts.end(), 0LL,
                           [](long long sum, const StatementAmount& a) { return sum + a.cents; });
}

std::string Trimmed(std::string text) {
    TRIM(text);
    return text;
}

class StatementReader {
public:
    StatementReader(SettlementStatementData& data, std::string& message)
        : connection_(1, nullptr, 0), sql_(connection_), data_(data), message_(message) {}

    bool Read(const std::string& number) {
        std::vector<SqlRow> rows;
        if (!Query({"SELECT SETTLEMENT,SETTDATE,CUSTREF,CUSTNAME,STYPE,CHECKNUM,SETLINK FROM "
                    "HVXGR04 WHERE SETTLEMENT='%s'"},
                   number, 7, rows))
            return false;
        if (rows.empty()) {
            message_ = _HVXsprintf("Settlement %s was not found.", number);
            return false;
        }
        const SqlRow& h = rows.front();
        data_.settlement = h[0], data_.date = h[1], data_.custRef = h[2], data_.custName = h[3];
        data_.type = h[4] == "1" ? "Multiple source" : "Single source";
        data_.checkNumber = h[5];
        return ReadAddress() && ReadLines(h[6]) && ReadCommodity() && ReadDeductions(h[6]);
    }

private:
    bool Query(const SqlPair& sql, const std::string& value, int columns,
               std::vector<SqlRow>& rows) {
        rows.clear();
        if (sql_.Query(sql, {value}, columns, rows)) return true;
        message_ = sql_.LastError();
        return false;
    }

    bool ReadAddress() {
        std::vector<SqlRow> rows;
        if (!Query({"SELECT ADDRESS1,ADDRESS2,CITY,STATE,ZIPCODE FROM HVXAR50 WHERE "
                    "REFERENCE='%s'"},
                   data_.custRef, 5, rows))
            return false;
        if (rows.empty()) return true;
        const SqlRow& a = rows.front();
        for (const std::string& line : {a[0], a[1]})
            if (!Trimmed(line).empty()) data_.address.push_back(Trimmed(line));
        const std::string city = Trimmed(Trimmed(a[2]) + ", " + Trimmed(a[3]) + " " + Trimmed(a[4]));
        if (city != ",") data_.address.push_back(city);
        return true;
    }

    bool ReadLines(const std::string& setLink) {
        std::vector<SqlRow> rows;
        if (!Query({"SELECT SOURCE,SOURCEREF,FROMDPR,TODPR,CONTRACT,UNITSSET,PRICEUNIT,TOTPRICE,"
                    "COMMODITY,LOCATION FROM HVXGR04D WHERE SETLINK='%s' ORDER BY RECNO"},
                   setLink, 10, rows))
            return false;
        for (SqlRow& r : rows) {
            if (data_.commodity.empty()) data_.commodity = r[8], data_.location = r[9];
            data_.lines.push_back({r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7]});
        }
        return true;
    }

    bool ReadCommodity() {
        std::vector<SqlRow> rows;
        if (!Query({"SELECT NAME,DECIMALS FROM HVXGR51 WHERE REFERENCE='%s'"}, data_.commodity, 2,
                   rows))
            return false;
        if (rows.empty()) return true;
        if (!Trimmed(rows.front()[0]).empty())
            data_.commodity += " " + Trimmed(rows.front()[0]);
        if (!Trimmed(rows.front()[1]).empty())
            data_.priceDecimals = static_cast<int>(TextNumber(rows.front()[1]));
        return true;
    }

    // The charge codes are the configuration's; a code set to nothing charges
    // nothing and so matches no row.
    bool ReadDeductions(const std::string& setLink) {
        std::vector<SqlRow> rows;
        if (!sql_.Query({"SELECT DSERVICE,DSTORAGE,DINTEREST FROM HVXGR40"}, {}, 3, rows)) {
            message_ = sql_.LastError();
            return false;
        }
        const SqlRow chargeCodes = rows.empty() ? SqlRow{} : rows.front();
        if (!Query({"SELECT D.DEDUCT,D.AMOUNT,D.DA,C.DESCRIPT,C.ADVCODE FROM HVXGR04C D LEFT JOIN "
                    "HVXGR52 C ON C.REFERENCE=D.DEDUCT WHERE D.SETLINK='%s' ORDER BY D.RECNO"},
                   setLink, 5, rows))
            return false;
        for (const SqlRow& r : rows) {
            const long long cents = r[2] == "A" ? Cents(r[1]) : -Cents(r[1]);
            const std::string description = Trimmed(r[3]).empty() ? r[0] : Trimmed(r[3]);
            const bool charge = !Trimmed(r[0]).empty() &&
                                std::find(chargeCodes.begin(), chargeCodes.end(), r[0]) !=
                                    chargeCodes.end();
            auto& section = charge ? data_.charges
                            : Trimmed(r[4]) == "1" ? data_.advances
                                                    : data_.deductions;
            section.push_back({description, cents});
        }
        return true;
    }

    HVXSConnection connection_;
    LiteralStatements sql_;
    SettlementStatementData& data_;
    std::string& message_;
};

constexpr std::size_t kColumns = 8;
constexpr std::size_t kUnitsColumn = 5, kAmountColumn = 7;

// A label across the descriptive columns with an amount at the right.
Item AmountRow(Item::Kind kind, const std::string& label, long long cents) {
    std::vector<std::string> cells(kColumns);
    cells[0] = label;
    cells[kAmountColumn] = Money(cents);
    return kind == Item::Kind::Total ? Item::Total(cells, kUnitsColumn)
                                     : Item::Row(cells, kUnitsColumn);
}

void AddSection(const char* heading, const char* total,
                const std::vector<StatementAmount>& amounts, std::vector<Item>& items) {
    if (amounts.empty()) return;
    items.push_back(Item::Space());
    items.push_back(Item::Group(heading));
    for (const StatementAmount& a : amounts)
        items.push_back(AmountRow(Item::Kind::Row, a.description, a.cents));
    items.push_back(AmountRow(Item::Kind::Total, total, Sum(amounts)));
}

}  // namespace

long long SettlementStatementData::GrossCents() const {
    long long gross = 0;
    for (const StatementLine& line : lines) gross += Cents(line.amount);
    return gross;
}

long long SettlementStatementData::NetCents() const {
    return GrossCents() + Sum(deductions) + Sum(charges) + Sum(advances);
}

bool LoadSettlementStatement(std::string_view settlementKey, SettlementStatementData& data,
                             std::string& message) {
    data = SettlementStatementData{};
    return StatementReader(data, message).Read(Trimmed(std::string(settlementKey)));
}

report::Document SettlementStatementDocument(const SettlementStatementData& data) {
    report::Document d;
    d.title = "Settlement Statement " + data.settlement;
    d.titleBlock = {"Date: " + data.date + "    Type: " + data.type +
                        (data.checkNumber.empty() ? "" : "    Check No. " + data.checkNumber),
                    "Customer: " + data.custName + " (" + data.custRef + ")"};
    for (const std::string& line : data.address) d.titleBlock.push_back("          " + line);
    d.titleBlock.push_back("Commodity: " + data.commodity + "    Location: " + data.location);
    d.columns = {{"Source", 84},      {"Reference", 60},           {"From", 78},
                 {"To", 78},          {"Contract", 56},            {"Units", 62, Align::Right},
                 {"Price", 52, Align::Right}, {"Amount", 70, Align::Right}};
    double units = 0;
    for (const StatementLine& l : data.lines) {
        d.items.push_back(Item::Row({l.source, l.sourceRef, l.fromDpr, l.toDpr, l.contract,
                                     HVXSRound(TextNumber(l.units), 4),
                                     HVXSRound(TextNumber(l.price), data.priceDecimals),
                                     Money(Cents(l.amount))}));
        units = HVXRound(units + HVXRound(TextNumber(l.units), 4), 4);
    }
    Item gross = AmountRow(Item::Kind::Total, "Gross", data.GrossCents());
    gross.cells[kUnitsColumn] = HVXSRound(units, 4);
    d.items.push_back(gross);
    AddSection("Discounts and deductions", "Total discounts and deductions", data.deductions,
               d.items);
    AddSection("Storage, service and interest charges", "Total charges", data.charges, d.items);
    AddSection("Advances repaid", "Total advances repaid", data.advances, d.items);
    d.items.push_back(Item::Space());
    d.items.push_back(AmountRow(Item::Kind::Total, "Net", data.NetCents()));
    return d;
}

}  // namespace hvx::settlement
