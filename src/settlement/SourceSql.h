#pragma once
// The statements of the unit allocation, run on either connection.
//
// Every source operation exists twice: with literal SQL on the simple
// connection (deletion and reversal) and with prepared statements on the
// prepared connection (the save). The arithmetic is the same, so each
// operation is written once against this small interface and each statement
// is written once as the pair of its two texts. A prepared value is bound as
// the very text the literal form would put between its quotes, so the two
// forms store the same characters.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Format.h"

class HVXConnection;
class HVXSConnection;

namespace hvx::settlement {

// One statement in its two forms: a format whose values are "%…"
// conversions in order, and the same statement with "?" in their place.
struct SqlPair {
    std::string_view literal;
    std::string_view prepared;
};

using SqlRow = std::vector<std::string>;
using SqlValues = std::vector<FmtArg>;

class SourceSql {
public:
    virtual ~SourceSql() = default;

    // Every row of a query, `columns` texts each, read to the end before the
    // caller writes anything. False on a database error.
    virtual bool Query(const SqlPair& sql, const SqlValues& values, int columns,
                       std::vector<SqlRow>& rows) = 0;
    // An INSERT, UPDATE or DELETE: the rows changed, or -1 on a database error.
    virtual long Change(const SqlPair& sql, const SqlValues& values) = 0;
    // How the settle routines judge their updates: a literal update fails
    // only on a database error, a prepared one whenever it changed no row.
    virtual bool SettleUpdateFailed(long changed) const = 0;
};

class LiteralSourceSql final : public SourceSql {
public:
    explicit LiteralSourceSql(HVXSConnection& connection) : connection_(connection) {}
    bool Query(const SqlPair& sql, const SqlValues& values, int columns,
               std::vector<SqlRow>& rows) override;
    long Change(const SqlPair& sql, const SqlValues& values) override;
    bool SettleUpdateFailed(long changed) const override { return changed < 0; }

private:
    HVXSConnection& connection_;
};

class PreparedSourceSql final : public SourceSql {
public:
    explicit PreparedSourceSql(HVXConnection& connection) : connection_(connection) {}
    bool Query(const SqlPair& sql, const SqlValues& values, int columns,
               std::vector<SqlRow>& rows) override;
    long Change(const SqlPair& sql, const SqlValues& values) override;
    bool SettleUpdateFailed(long changed) const override { return changed < 1; }

private:
    bool Bind(const SqlPair& sql, const SqlValues& values);
    HVXConnection& connection_;
};

// The text a literal format writes for its n-th value (from 0), without the
// quote doubling of a value inside a literal: what a prepared form binds.
std::string BoundText(std::string_view literalFormat, std::size_t n, const FmtArg& value);

// Units as they are stored: rounded to 4 decimals first, so a sum that comes
// to 0.00004999… is written "0.0000", never "-0.0000".
std::string UnitsText(double units);

// Two unit quantities are compared at 5 decimals.
bool UnitsBelow(double a, double b);
bool UnitsAtMost(double a, double b);
bool UnitsEqual(double a, double b);

}  // namespace hvx::settlement
