#include "platform/SqlDialect.h"

#include <cctype>
#include <vector>

#include "platform/Dates.h"
#include "platform/Text.h"

namespace hvx {
namespace {

// ASCII only: the result must not depend on the program's locale.
bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Copies a quoted run (literal or identifier) starting at sql[i] and returns
// the index just past it. A doubled quote inside the run is part of it.
size_t CopyQuoted(std::string_view sql, size_t i, std::string& out) {
    const char quote = sql[i];
    out += quote;
    ++i;
    while (i < sql.size()) {
        out += sql[i];
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                out += quote;
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

// The keyword at sql[i] as a whole word, in any case.
bool WordAt(std::string_view sql, size_t i, std::string_view word) {
    if (i > 0 && IsWordChar(sql[i - 1])) return false;
    if (sql.size() - i < word.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if (std::toupper(static_cast<unsigned char>(sql[i + k])) != word[k]) return false;
    return i + word.size() == sql.size() || !IsWordChar(sql[i + word.size()]);
}

// PostgreSQL sorts empty values (a date never entered is NULL there) after
// every other value, SQLite before them. Each sort key of a PostgreSQL
// statement is given SQLite's place for them, so that lists such as the
// advances repaid oldest first come out in one order on both engines.
class SqliteNullOrder {
public:
    explicit SqliteNullOrder(std::string& out) : out_(out) {}

    // Called before each character of the statement is copied at depth.
    void Before(std::string_view sql, size_t i, int depth) {
        if (lists_.empty() || lists_.back().depth != depth) return;
        if (sql[i] == ',') {
            EndKey();
            lists_.back().keyStart = out_.size() + 1;
        } else if (sql[i] == ')' || WordAt(sql, i, "LIMIT") || WordAt(sql, i, "OFFSET") ||
                   WordAt(sql, i, "FOR")) {
            EndKey();
            lists_.pop_back();
        }
    }
    // After "ORDER BY" was copied at depth.
    void Open(int depth) { lists_.push_back({depth, out_.size()}); }
    void Finish() {
        while (!lists_.empty()) {
            EndKey();
            lists_.pop_back();
        }
    }

private:
    void EndKey() {
        size_t end = out_.size();
        while (end > lists_.back().keyStart && out_[end - 1] == ' ') --end;
        const std::string_view key(out_.data() + lists_.back().keyStart,
                                   end - lists_.back().keyStart);
        for (size_t k = 0; k < key.size(); ++k)
            if (WordAt(key, k, "NULLS")) return;
        const bool descending = key.size() >= 4 && WordAt(key, key.size() - 4, "DESC");
        out_.insert(end, descending ? " NULLS LAST" : " NULLS FIRST");
    }

    struct List {
        int depth;
        size_t keyStart;  // in the output
    };
    std::string& out_;
    std::vector<List> lists_;
};

bool DateLiteral(std::string_view body, EngineKind engine, std::string& out, std::string& error) {
    std::string text(body);
    TRIM(text);
    // Tolerate the ODBC escape form {d '2024-03-07'} as well.
    if (text.size() > 2 && (text[0] == 'd' || text[0] == 'D') && text[1] == ' ') {
        text.erase(0, 2);
        TRIM(text);
        if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'')
            text = text.substr(1, text.size() - 2);
    }
    if (text.empty()) {
        out += "NULL";
        return true;
    }
    CivilDate date;
    if (!ParseDate(text, date)) {
        error = "Invalid date in SQL: {" + std::string(body) + "}";
        return false;
    }
    out += engine == EngineKind::PostgreSQL ? "DATE '" : "'";
    out += FormatIso(date);
    out += '\'';
    return true;
}

// A character the SQLite rewrite copies as it stands: not a quote, brace,
// placeholder or parenthesis, and not the first letter of STR or FOR.
bool PlainForSqlite(std::string_view sql, size_t i) {
    const char c = sql[i];
    switch (c) {
    case '\'': case '"': case '{': case '?': case '(': case ')': return false;
    case 'S': case 's': case 'F': case 'f': return i > 0 && IsWordChar(sql[i - 1]);
    default: return true;
    }
}

// Whether the statement holds nothing the engine's dialect changes: no brace
// date, no STR(, no FOR UPDATE on SQLite, and on PostgreSQL no placeholder and
// no ORDER BY. It looks at letters only, without reading quotes, so a word
// inside a quoted text can only send the statement the long way round. Most
// statements pass, and are then copied as they stand.
bool Untouched(std::string_view sql, bool postgres) {
    const auto upper = [](char c) { return static_cast<char>(c & ~0x20); };
    bool wordStart = true;
    for (size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '{' || (postgres && c == '?')) return false;
        const bool letter = upper(c) >= 'A' && upper(c) <= 'Z';
        if (wordStart && letter && i + 2 < sql.size()) {
            const char u0 = upper(c), u1 = upper(sql[i + 1]), u2 = upper(sql[i + 2]);
            if ((u0 == 'S' && u1 == 'T' && u2 == 'R') || (u0 == 'F' && u1 == 'O' && u2 == 'R') ||
                (postgres && u0 == 'O' && u1 == 'R' && u2 == 'D'))
                return false;
        }
        wordStart = !IsWordChar(c);
    }
    return true;
}

}  // namespace

bool TranslateSql(std::string_view sql, EngineKind engine, std::string& out, std::string& error) {
    if (Untouched(sql, engine == EngineKind::PostgreSQL)) {
        out.assign(sql);
        return true;
    }
    out.clear();
    out.reserve(sql.size() + 16);
    std::vector<bool> parenIsStr;  // one entry per open parenthesis
    SqliteNullOrder nullOrder(out);
    const bool postgres = engine == EngineKind::PostgreSQL;
    int placeholder = 0;
    size_t i = 0;
    while (i < sql.size()) {
        if (!postgres) {
            // Runs of characters SQLite keeps as they are, copied at once.
            const size_t from = i;
            while (i < sql.size() && PlainForSqlite(sql, i)) ++i;
            out.append(sql.substr(from, i - from));
            if (i == sql.size()) break;
        }
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            i = CopyQuoted(sql, i, out);
            continue;
        }
        if (postgres) {
            nullOrder.Before(sql, i, static_cast<int>(parenIsStr.size()));
            if (WordAt(sql, i, "ORDER")) {
                size_t j = i + 5;
                while (j < sql.size() && sql[j] == ' ') ++j;
                if (WordAt(sql, j, "BY")) {
                    out.append(sql.substr(i, j + 2 - i));
                    i = j + 2;
                    nullOrder.Open(static_cast<int>(parenIsStr.size()));
                    continue;
                }
            }
        }
        // SQLite has no row locks: its write transaction holds the whole
        // database, so a row read in it already stays as read until commit.
        if (!postgres && WordAt(sql, i, "FOR")) {
            size_t j = i + 3;
            while (j < sql.size() && sql[j] == ' ') ++j;
            if (WordAt(sql, j, "UPDATE")) {
                while (!out.empty() && out.back() == ' ') out.pop_back();
                i = j + 6;
                continue;
            }
        }
        if (c == '{') {
            const size_t close = sql.find('}', i + 1);
            if (close == std::string_view::npos) {
                error = "Unterminated date literal in SQL";
                return false;
            }
            if (!DateLiteral(sql.substr(i + 1, close - i - 1), engine, out, error)) return false;
            i = close + 1;
            continue;
        }
        if (c == '?') {
            if (engine == EngineKind::PostgreSQL)
                out += "$" + std::to_string(++placeholder);
            else
                out += '?';
            ++i;
            continue;
        }
        // STR(x) -> CAST((x) AS TEXT): the whole-number text of a record number.
        if ((c == 'S' || c == 's') && (i == 0 || !IsWordChar(sql[i - 1])) && i + 3 < sql.size() &&
            (sql[i + 1] == 'T' || sql[i + 1] == 't') && (sql[i + 2] == 'R' || sql[i + 2] == 'r')) {
            size_t j = i + 3;
            while (j < sql.size() && sql[j] == ' ') ++j;
            if (j < sql.size() && sql[j] == '(') {
                out += "CAST((";
                parenIsStr.push_back(true);
                i = j + 1;
                continue;
            }
        }
        if (c == '(') {
            parenIsStr.push_back(false);
        } else if (c == ')' && !parenIsStr.empty()) {
            const bool isStr = parenIsStr.back();
            parenIsStr.pop_back();
            if (isStr) {
                out += ") AS TEXT)";
                ++i;
                continue;
            }
        }
        out += c;
        ++i;
    }
    if (postgres) nullOrder.Finish();
    return true;
}

}  // namespace hvx
