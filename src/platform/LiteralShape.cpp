#include "platform/LiteralShape.h"

#include <cctype>

namespace hvx {
namespace {

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What a value means where it stands, for the open parenthesis it is in.
enum class Clause {
    Values,     // a value like any other: taken out
    SelectList,  // a column of the result: its type would be lost
    Positions,   // ORDER BY / GROUP BY: a number names a column
};

std::string Upper(std::string_view word) {
    std::string upper(word);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

// The end of the quoted text or name starting at i, and its text with
// doubled quotes read as one.
size_t QuotedEnd(std::string_view sql, size_t i, std::string& text) {
    const char quote = sql[i];
    for (++i; i < sql.size(); ++i) {
        if (sql[i] != quote) {
            text += sql[i];
            continue;
        }
        if (i + 1 < sql.size() && sql[i + 1] == quote) {
            text += quote;
            ++i;
            continue;
        }
        return i + 1;
    }
    return std::string_view::npos;  // unterminated: not ours to shape
}

class Shaper {
public:
    Shaper(EngineKind engine, LiteralShape& shape) : postgres_(engine == EngineKind::PostgreSQL), shape_(shape) {}

    bool Run(std::string_view sql) {
        size_t i = 0;
        while (i < sql.size()) {
            const char c = sql[i];
            size_t next = 0;
            if (c == '\'') next = Text(sql, i);
            else if (c == '"') next = Name(sql, i);
            else if (c == '?' || c == '$' || (c == '-' && sql.substr(i, 2) == "--") ||
                     (c == '/' && sql.substr(i, 2) == "/*"))
                return false;  // placeholders or comments: left as they are
            else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') next = Word(sql, i);
            else if (IsDigit(c) && (i == 0 || (!IsWordChar(sql[i - 1]) && sql[i - 1] != '.')))
                next = Number(sql, i);
            else next = Punctuation(sql, i);
            if (next == std::string_view::npos) return false;
            i = next;
        }
        return !shape_.values.empty();
    }

private:
    void Placeholder(Param value) {
        shape_.values.push_back(std::move(value));
        shape_.text += postgres_ ? "$" + std::to_string(shape_.values.size()) : std::string("?");
    }

    size_t Text(std::string_view sql, size_t i) {
        std::string text;
        const size_t end = QuotedEnd(sql, i, text);
        if (end == std::string_view::npos) return end;
        // DATE '2024-03-07' is typed by its keyword, E'..' and X'..' by their prefix.
        const bool typed = (i > 0 && IsWordChar(sql[i - 1])) || lastWord_ == "DATE" ||
                           lastWord_ == "TIME" || lastWord_ == "TIMESTAMP" ||
                           lastWord_ == "INTERVAL";
        if (clauses_.back() == Clause::Values && !typed)
            Placeholder(Param::Text(std::move(text)));
        else
            shape_.text.append(sql.substr(i, end - i));
        lastWord_.clear();
        return end;
    }

    size_t Name(std::string_view sql, size_t i) {
        std::string name;
        const size_t end = QuotedEnd(sql, i, name);
        if (end != std::string_view::npos) shape_.text.append(sql.substr(i, end - i));
        lastWord_.clear();
        return end;
    }

    size_t Word(std::string_view sql, size_t i) {
        size_t end = i;
        while (end < sql.size() && IsWordChar(sql[end])) ++end;
        const std::string word = Upper(sql.substr(i, end - i));
        Clause& clause = clauses_.back();
        if (word == "SELECT" || word == "RETURNING") clause = Clause::SelectList;
        else if (word == "BY" && (lastWord_ == "ORDER" || lastWord_ == "GROUP"))
            clause = Clause::Positions;
        else if (word == "FROM" || word == "WHERE" || word == "SET" || word == "VALUES" ||
                 word == "HAVING" || word == "LIMIT" || word == "OFFSET" || word == "UNION" ||
                 word == "EXCEPT" || word == "INTERSECT")
            clause = Clause::Values;
        shape_.text.append(sql.substr(i, end - i));
        lastWord_ = word;
        return end;
    }

    size_t Number(std::string_view sql, size_t i) {
        size_t end = i;
        while (end < sql.size() && IsDigit(sql[end])) ++end;
        const bool whole = end >= sql.size() || (sql[end] != '.' && !IsWordChar(sql[end]));
        if (!whole) {  // 2.5, 1e3: the text says what type it is
            while (end < sql.size() && (IsWordChar(sql[end]) || sql[end] == '.' ||
                                        ((sql[end] == '+' || sql[end] == '-') &&
                                         (sql[end - 1] == 'e' || sql[end - 1] == 'E'))))
                ++end;
        }
        if (whole && end - i <= 15 && clauses_.back() == Clause::Values)
            Placeholder(Param::Number(std::stod(std::string(sql.substr(i, end - i)))));
        else
            shape_.text.append(sql.substr(i, end - i));
        lastWord_.clear();
        return end;
    }

    size_t Punctuation(std::string_view sql, size_t i) {
        const char c = sql[i];
        // A parenthesis starts in the clause around it; a subquery's SELECT
        // then starts its own select list.
        if (c == '(') clauses_.push_back(clauses_.back());
        else if (c == ')' && clauses_.size() > 1) clauses_.pop_back();
        shape_.text += c;
        if (c != ' ') lastWord_.clear();
        return i + 1;
    }

    bool postgres_;
    LiteralShape& shape_;
    std::vector<Clause> clauses_{Clause::Values};
    std::string lastWord_;  // the word just before, blanks skipped
};

}  // namespace

bool ShapeOf(std::string_view sql, EngineKind engine, LiteralShape& shape) {
    shape = {};
    shape.text.reserve(sql.size());
    return Shaper(engine, shape).Run(sql);
}

}  // namespace hvx
