#pragma once
// The framework's next-number service.
//
// Counters live in the table HVXNEXTNUM, one row per table (and per link
// column), and are advanced inside the caller's transaction, so a cancelled
// save gives its numbers back. A counter that is missing starts after the
// highest number already in the table, and a number that is already taken
// (rows written by another program, or imported) is skipped. The record
// numbers of HVXGR04 and the line links of HVXGR04D share one counter, as both
// become links of destination records (HVXGR04F.DLLINK).
#include <string>
#include <string_view>

// The next free RECNO of the table; 0 when no number could be taken.
// Called as NextNum(instance, 1, table, 10, 0, 1).
double NextNum(const void* instance, int kind, std::string_view table, int width = 10,
               int flags = 0, int step = 1);

// The next record number of a table, as every insert of the module takes it.
inline double NextRecordNumber(std::string_view table) {
    return NextNum(nullptr, 1, table, 10, 0, 1);
}

// The next free link value of the table's column, as the "%.0f" text of a
// number ("" when none could be taken). Called as
// NextCharLnk(instance, 1, table, column, 0).
std::string NextCharLnk(const void* instance, int kind, std::string_view table,
                        std::string_view column, int flags = 0);

namespace hvx {
// The first of `count` consecutive free numbers of the table's column (RECNO
// or a link), taken with one advance of its counter; 0 when none could be
// taken. For a writer of many rows in one transaction: on PostgreSQL each
// advance of a counter row inside a transaction leaves a version of the row
// that the next advance must step over, so numbers drawn one by one for a
// hundred thousand rows cost in proportion to the square of the rows. The
// run starts where the next single number would, or after the highest
// number in use when numbers were taken behind the counter's back.
long long NextNumberRun(std::string_view table, std::string_view column, long long count);

// Name of the counters table and its columns, for the schema.
inline constexpr const char* kNextNumberTable = "HVXNEXTNUM";
}  // namespace hvx
