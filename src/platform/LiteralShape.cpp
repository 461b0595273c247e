#include "platform/LiteralShape.h"

namespace hvx {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsWordChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

// What a value means where it stands, for the open parenthesis it is in.
enum class Clause {
    Values,     // a value like any other: taken out
    SelectList,  // a column of the result: its type would be lost
    Positions,   // ORDER BY / GROUP BY: a number names a column
};

// The words that change what a value means where it stands. Every other word
// is just a word: the shaper runs on every statement, so words are told
// apart without copying them.
enum class Keyword {
    None,
    Other,
    Select,     // SELECT, RETURNING: a select list follows
    By,
    OrderGroup,  // ORDER, GROUP: BY then starts column positions
    Typed,       // DATE, TIME, TIMESTAMP, INTERVAL: the quoted text after is typed
    Values,      // FROM, WHERE, SET, VALUES ...: values again
};

bool SameWord(std::string_view word, std::string_view upper) {
    if (word.size() != upper.size()) return false;
    for (size_t k = 0; k < word.size(); ++k)
        if ((word[k] & ~0x20) != upper[k]) return false;
    return true;
}

Keyword KeywordOf(std::string_view word) {
    struct Known {
        std::string_view text;
        Keyword keyword;
    };
    static constexpr Known kKnown[] = {
        {"SELECT", Keyword::Select},   {"RETURNING", Keyword::Select},
        {"BY", Keyword::By},           {"ORDER", Keyword::OrderGroup},
        {"GROUP", Keyword::OrderGroup}, {"DATE", Keyword::Typed},
        {"TIME", Keyword::Typed},      {"TIMESTAMP", Keyword::Typed},
        {"INTERVAL", Keyword::Typed},  {"FROM", Keyword::Values},
        {"WHERE", Keyword::Values},    {"SET", Keyword::Values},
        {"VALUES", Keyword::Values},   {"HAVING", Keyword::Values},
        {"LIMIT", Keyword::Values},    {"OFFSET", Keyword::Values},
        {"UNION", Keyword::Values},    {"EXCEPT", Keyword::Values},
        {"INTERSECT", Keyword::Values},
    };
    // Clearing the 0x20 bit upper-cases a letter and turns no other word
    // character into one, so a keyword is matched in any case.
    if (word.size() < 2 || word.size() > 9) return Keyword::Other;
    for (const Known& known : kKnown)
        if (SameWord(word, known.text)) return known.keyword;
    return Keyword::Other;
}

// The whole number written as digits, as the engine reads it: "007" is 7.
Param WholeNumber(std::string_view digits) {
    const size_t first = digits.find_first_not_of('0');
    return {Param::Kind::Number,
            first == std::string_view::npos ? std::string("0") : std::string(digits.substr(first))};
}

// The end of the quoted text or name starting at i, and its text with
// doubled quotes read as one.
size_t QuotedEnd(std::string_view sql, size_t i, std::string& text) {
    const char quote = sql[i];
    for (++i;;) {
        const size_t close = sql.find(quote, i);
        if (close == std::string_view::npos) return close;  // unterminated: not ours to shape
        text.append(sql.substr(i, close - i));
        if (close + 1 < sql.size() && sql[close + 1] == quote) {
            text += quote;
            i = close + 2;
            continue;
        }
        return close + 1;
    }
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
            else if (IsLetter(c) || c == '_') next = Word(sql, i);
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
        if (postgres_)
            shape_.text += "$" + std::to_string(shape_.values.size());
        else
            shape_.text += '?';
    }

    size_t Text(std::string_view sql, size_t i) {
        std::string text;
        const size_t end = QuotedEnd(sql, i, text);
        if (end == std::string_view::npos) return end;
        // DATE '2024-03-07' is typed by its keyword, E'..' and X'..' by their prefix.
        const bool typed = (i > 0 && IsWordChar(sql[i - 1])) || lastWord_ == Keyword::Typed;
        if (clauses_.back() == Clause::Values && !typed)
            Placeholder(Param::Text(std::move(text)));
        else
            shape_.text.append(sql.substr(i, end - i));
        lastWord_ = Keyword::None;
        return end;
    }

    size_t Name(std::string_view sql, size_t i) {
        std::string name;
        const size_t end = QuotedEnd(sql, i, name);
        if (end != std::string_view::npos) shape_.text.append(sql.substr(i, end - i));
        lastWord_ = Keyword::None;
        return end;
    }

    size_t Word(std::string_view sql, size_t i) {
        size_t end = i;
        while (end < sql.size() && IsWordChar(sql[end])) ++end;
        const Keyword word = KeywordOf(sql.substr(i, end - i));
        Clause& clause = clauses_.back();
        if (word == Keyword::Select) clause = Clause::SelectList;
        else if (word == Keyword::By && lastWord_ == Keyword::OrderGroup)
            clause = Clause::Positions;
        else if (word == Keyword::Values)
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
            Placeholder(WholeNumber(sql.substr(i, end - i)));
        else
            shape_.text.append(sql.substr(i, end - i));
        lastWord_ = Keyword::None;
        return end;
    }

    size_t Punctuation(std::string_view sql, size_t i) {
        const char c = sql[i];
        // A parenthesis starts in the clause around it; a subquery's SELECT
        // then starts its own select list.
        if (c == '(') clauses_.push_back(clauses_.back());
        else if (c == ')' && clauses_.size() > 1) clauses_.pop_back();
        shape_.text += c;
        if (c != ' ') lastWord_ = Keyword::None;
        return i + 1;
    }

    bool postgres_;
    LiteralShape& shape_;
    std::vector<Clause> clauses_{Clause::Values};
    Keyword lastWord_ = Keyword::None;  // the word just before, blanks skipped
};

}  // namespace

bool ShapeOf(std::string_view sql, EngineKind engine, LiteralShape& shape) {
    shape = {};
    shape.text.reserve(sql.size());
    return Shaper(engine, shape).Run(sql);
}

}  // namespace hvx
