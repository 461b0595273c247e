#include "platform/Comments.h"

#include <cstdlib>

#include "platform/Dates.h"
#include "platform/Format.h"
#include "platform/HVXConnection.h"
#include "platform/Lookups.h"
#include "platform/NextNumbers.h"
#include "platform/Statements.h"

namespace hvx {

CommentStore::CommentStore(std::string table, std::string link)
    : table_(std::move(table)), link_(std::move(link)) {}

namespace {

// The failure of a write: refused by the engine, or no row touched because
// the comment is gone.
bool WriteFailed(int result, const char* what, const HVXConnection& c, std::string& error) {
    if (result == 0)
        error = "The comment is no longer on file.";
    else
        error = std::string("Unable to ") + what + " the comment." +
                (c.LastError().empty() ? "" : " " + c.LastError());
    return false;
}

}  // namespace

bool CommentStore::CheckTable(std::string& error) const {
    if (IsSqlName(table_)) return true;
    error = "\"" + table_ + "\" is not a comments table.";
    return false;
}

bool CommentStore::CheckText(std::string_view text, std::string& error) const {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        error = "Enter the text of the comment first.";
        return false;
    }
    if (text.size() > kMaxLength) {
        error = "A comment holds at most " + std::to_string(kMaxLength) + " characters.";
        return false;
    }
    return true;
}

bool CommentStore::Load(std::vector<Comment>& out, std::string& error) const {
    out.clear();
    if (!CheckTable(error)) return false;
    const std::string sql = _HVXsprintf(
        "SELECT COMMDATE,COMMENT,RECNO FROM %s WHERE LINK = ? ORDER BY COMMDATE, RECNO", table_);
    HVXConnection c;
    PreparedStatements statements(c);
    std::vector<SqlRow> rows;
    if (!statements.Query({{}, sql}, {link_}, 3, rows)) {
        error = "Unable to read the comments. " + statements.LastError();
        return false;
    }
    for (SqlRow& row : rows)
        out.push_back({.recno = std::strtod(row[2].c_str(), nullptr),
                       .date = std::move(row[0]),
                       .text = std::move(row[1])});
    return true;
}

bool CommentStore::Add(std::string_view text, Comment* added, std::string& error) const {
    if (!CheckTable(error) || !CheckText(text, error)) return false;
    const double recno = NextRecordNumber(table_);
    if (recno < 1) {
        error = "Unable to get a record number for the comment.";
        return false;
    }
    Comment comment{recno, CurrentDate(), std::string(text)};
    const std::string sql =
        _HVXsprintf("INSERT INTO %s(LINK,COMMDATE,COMMENT,RECNO) VALUES(?,?,?,?)", table_);
    HVXConnection c;
    c.BindParam(sql, link_, 0);
    c.BindParam(sql, comment.date, 0);
    c.BindParam(sql, comment.text, 0);
    c.BindDoubleParam(sql, recno);
    // An insert that writes no row is refused, whatever the engine says.
    if (c.ExecuteSQL(sql) < 1) return WriteFailed(-1, "add", c, error);
    if (added) *added = std::move(comment);
    return true;
}

bool CommentStore::Change(double recno, std::string_view text, std::string& error) const {
    if (!CheckTable(error) || !CheckText(text, error)) return false;
    const std::string sql =
        _HVXsprintf("UPDATE %s SET COMMENT = ? WHERE RECNO = ? AND LINK = ?", table_);
    HVXConnection c;
    c.BindParam(sql, text, 0);
    c.BindDoubleParam(sql, recno);
    c.BindParam(sql, link_, 0);
    if (const int result = c.ExecuteSQL(sql); result < 1)
        return WriteFailed(result, "change", c, error);
    return true;
}

bool CommentStore::Delete(double recno, std::string& error) const {
    if (!CheckTable(error)) return false;
    const std::string sql = _HVXsprintf("DELETE FROM %s WHERE RECNO = ? AND LINK = ?", table_);
    HVXConnection c;
    c.BindDoubleParam(sql, recno);
    c.BindParam(sql, link_, 0);
    if (const int result = c.ExecuteSQL(sql); result < 1)
        return WriteFailed(result, "delete", c, error);
    return true;
}

}  // namespace hvx
