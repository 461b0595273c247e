#include "platform/ParameterPlaces.h"

#include <cctype>
#include <cstddef>
#include <functional>
#include <map>
#include <set>

namespace hvx {
namespace {

enum class Kind { Word, Literal, Parameter, Symbol };

struct Token {
    Kind kind;
    std::string text;  // a word in upper case, a symbol as written
};

bool WordByte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The index just past the run that starts at sql[i] and ends at `close`.
std::size_t PastClose(std::string_view sql, std::size_t i, std::string_view close) {
    const std::size_t end = sql.find(close, i);
    return end == std::string_view::npos ? sql.size() : end + close.size();
}

std::vector<Token> Tokens(std::string_view sql) {
    std::vector<Token> out;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        const std::string_view two = sql.substr(i, 2);
        std::size_t end = i + 1;
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (two == "--" || two == "/*") {
            i = PastClose(sql, i + 2, two == "--" ? "\n" : "*/");
            continue;
        }
        if (c == '\'') {
            // A doubled quote inside the literal is part of it.
            for (end = PastClose(sql, end, "'"); end < sql.size() && sql[end] == '\'';)
                end = PastClose(sql, end + 1, "'");
            out.push_back({Kind::Literal, {}});
        } else if (c == '"' || c == '`' || c == '[') {
            end = PastClose(sql, i + 1, c == '[' ? "]" : std::string_view(&c, 1));
            out.push_back({Kind::Word, Upper(sql.substr(i + 1, end - i - 2))});
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (end < sql.size() && (WordByte(sql[end]) || sql[end] == '.')) ++end;
            out.push_back({Kind::Literal, {}});
        } else if (WordByte(c)) {
            while (end < sql.size() && WordByte(sql[end])) ++end;
            out.push_back({Kind::Word, Upper(sql.substr(i, end - i))});
        } else if (c == '?') {
            while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end]))) ++end;
            out.push_back({Kind::Parameter, {}});
        } else {
            for (std::string_view pair : {"<=", ">=", "<>", "!=", "==", "||"})
                if (two == pair) end = i + 2;
            out.push_back({Kind::Symbol, std::string(sql.substr(i, end - i))});
        }
        i = end;
    }
    return out;
}

// Words that may follow a table name without being its alias.
const std::set<std::string, std::less<>> kClauseWords = {
    "WHERE",  "SET",     "ON",      "USING",     "JOIN",   "LEFT",    "RIGHT",  "INNER",
    "OUTER",  "CROSS",   "NATURAL", "FULL",      "ORDER",  "GROUP",   "HAVING", "LIMIT",
    "OFFSET", "UNION",   "EXCEPT",  "INTERSECT", "VALUES", "DEFAULT", "SELECT", "RETURNING",
    "WINDOW", "INDEXED", "NOT",     "DO",        "FOR"};
// Words that stand where a column could, and are none.
const std::set<std::string, std::less<>> kValueWords = {
    "NULL", "TRUE", "FALSE", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP"};
const std::set<std::string, std::less<>> kComparisons = {
    "=", "==", "<>", "!=", "<", "<=", ">", ">="};
// Symbols that make a placeholder a part of a larger value ("? || 'x'").
const std::set<std::string, std::less<>> kOperators = {"||", "+", "-", "*", "/", "%", "&", "|"};

class Reader {
public:
    explicit Reader(std::string_view sql) : t_(Tokens(sql)) {}

    StatementPlaces Read() {
        StatementPlaces out;
        for (std::size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].kind != Kind::Word) continue;
            const std::string& word = t_[i].text;
            if (word == "FROM" || word == "JOIN" || word == "UPDATE") {
                ReadTables(i + 1, word == "FROM", out.tables);
            } else if (word == "INTO") {
                const std::size_t next = ReadTables(i + 1, false, out.tables);
                if (next > i + 1) ReadInsert(next, out.tables.back());
            } else if (word == "IN") {
                ReadInList(i);
            }
        }
        for (std::size_t i = 0; i < t_.size(); ++i) {
            if (t_[i].kind != Kind::Parameter) continue;
            const auto placed = placed_.find(i);
            ParameterPlace place = placed != placed_.end() ? placed->second : PlaceOf(i);
            // An alias may be declared after its use ("SELECT t.A FROM T t").
            if (const auto alias = aliases_.find(place.table); alias != aliases_.end())
                place.table = alias->second;
            out.parameters.push_back(std::move(place));
        }
        return out;
    }

private:
    bool IsWord(std::ptrdiff_t i) const {
        return i >= 0 && static_cast<std::size_t>(i) < t_.size() && t_[i].kind == Kind::Word;
    }
    bool IsWord(std::ptrdiff_t i, std::string_view word) const {
        return IsWord(i) && t_[i].text == word;
    }
    bool IsSymbol(std::ptrdiff_t i, std::string_view symbol) const {
        return i >= 0 && static_cast<std::size_t>(i) < t_.size() && t_[i].kind == Kind::Symbol &&
               t_[i].text == symbol;
    }
    bool IsSymbolOf(std::ptrdiff_t i, const std::set<std::string, std::less<>>& symbols) const {
        return i >= 0 && static_cast<std::size_t>(i) < t_.size() && t_[i].kind == Kind::Symbol &&
               symbols.contains(t_[i].text);
    }
    bool IsColumnWord(std::ptrdiff_t i) const {
        return IsWord(i) && !kValueWords.contains(t_[i].text) && !IsSymbol(i + 1, "(");
    }

    // The column whose reference ("COL" or "T.COL") is the whole operand
    // that ends at token i; none when something else (a value, a call, an
    // expression) ends there.
    ParameterPlace ColumnEndingAt(std::ptrdiff_t i) const {
        if (!IsColumnWord(i)) return {};
        const bool qualified = IsSymbol(i - 1, ".") && IsWord(i - 2);
        if (IsSymbolOf(qualified ? i - 3 : i - 1, kOperators)) return {};
        return {qualified ? t_[i - 2].text : std::string(), t_[i].text};
    }
    // The same for the operand that starts at token i.
    ParameterPlace ColumnStartingAt(std::ptrdiff_t i) const {
        const std::ptrdiff_t end = IsWord(i) && IsSymbol(i + 1, ".") ? i + 2 : i;
        if (IsSymbolOf(end + 1, kOperators) || IsSymbol(end + 1, ".")) return {};
        return ColumnEndingAt(end);
    }

    // A comparison either way round, or a bound of "col [NOT] BETWEEN x AND y",
    // where the placeholder is the whole of its side.
    ParameterPlace PlaceOf(std::ptrdiff_t i) const {
        if (IsSymbolOf(i - 1, kOperators) || IsSymbolOf(i + 1, kOperators)) return {};
        if (IsSymbolOf(i - 1, kComparisons)) return ColumnEndingAt(i - 2);
        if (IsSymbolOf(i + 1, kComparisons)) return ColumnStartingAt(i + 2);
        std::ptrdiff_t between = -1;
        if (IsWord(i - 1, "BETWEEN")) between = i - 1;
        if (IsWord(i - 1, "AND") && IsWord(i - 3, "BETWEEN")) between = i - 3;
        if (between < 0) return {};
        return ColumnEndingAt(IsWord(between - 1, "NOT") ? between - 2 : between - 1);
    }

    // The table list after FROM (several, by commas) or one table after JOIN,
    // UPDATE or INTO, with aliases. Returns the index past the last table.
    std::size_t ReadTables(std::size_t i, bool list, std::vector<std::string>& tables) {
        while (IsWord(i)) {
            std::string table = t_[i++].text;
            if (IsSymbol(i, ".") && IsWord(i + 1)) {  // schema.table
                table = t_[i + 1].text;
                i += 2;
            }
            tables.push_back(table);
            aliases_[table] = table;
            if (IsWord(i, "AS")) ++i;
            if (IsWord(i) && !kClauseWords.contains(t_[i].text)) aliases_[t_[i++].text] = table;
            if (!list || !IsSymbol(i, ",")) break;
            ++i;
        }
        return i;
    }

    // Calls item(first, end, k) for the k-th item of the parenthesised list
    // that opens at token `open`; returns the index past its ")".
    std::size_t ForEachItem(
        std::size_t open, const std::function<void(std::size_t, std::size_t, std::size_t)>& item) {
        std::size_t first = open + 1, k = 0;
        int depth = 0;
        for (std::size_t i = first; i < t_.size(); ++i) {
            const bool comma = IsSymbol(i, ",") && depth == 0;
            if (IsSymbol(i, "(")) ++depth;
            if (IsSymbol(i, ")") && depth-- == 0) {
                item(first, i, k);
                return i + 1;
            }
            if (comma) {
                item(first, i, k++);
                first = i + 1;
            }
        }
        return t_.size();
    }

    // An item that is one placeholder stands for the column.
    void PlaceSingle(std::size_t first, std::size_t end, ParameterPlace place) {
        if (end == first + 1 && t_[first].kind == Kind::Parameter && !place.column.empty())
            placed_.emplace(first, std::move(place));
    }

    // "INSERT INTO t (c1, c2, …) VALUES (v1, v2, …)[, (…)]"
    void ReadInsert(std::size_t i, const std::string& table) {
        if (!IsSymbol(i, "(")) return;
        std::vector<std::string> columns;
        i = ForEachItem(i, [&](std::size_t first, std::size_t end, std::size_t) {
            columns.push_back(end == first + 1 && IsWord(first) ? t_[first].text : "");
        });
        if (!IsWord(i++, "VALUES")) return;
        while (IsSymbol(i, "(")) {
            i = ForEachItem(i, [&](std::size_t first, std::size_t end, std::size_t k) {
                if (k < columns.size()) PlaceSingle(first, end, {table, columns[k]});
            });
            if (!IsSymbol(i++, ",")) break;
        }
    }

    // "col [NOT] IN (?, ?, …)"; a subquery's placeholders are its own.
    void ReadInList(std::size_t in) {
        const auto in_ = static_cast<std::ptrdiff_t>(in);
        const ParameterPlace column = ColumnEndingAt(IsWord(in_ - 1, "NOT") ? in_ - 2 : in_ - 1);
        if (!IsSymbol(in + 1, "(") || IsWord(in + 2, "SELECT")) return;
        ForEachItem(in + 1, [&](std::size_t first, std::size_t end, std::size_t) {
            PlaceSingle(first, end, column);
        });
    }

    std::vector<Token> t_;
    std::map<std::string, std::string, std::less<>> aliases_;  // alias or table -> table
    std::map<std::size_t, ParameterPlace> placed_;             // by token index
};

}  // namespace

StatementPlaces ReadStatementPlaces(std::string_view sql) {
    return Reader(sql).Read();
}

}  // namespace hvx
