#pragma once
// Text formatting of the framework: printf-style formats with type-safe arguments.
//
// _HVXsprintf builds both messages and literal SQL. A "%s" that stands inside a
// single-quoted run of the format ("... WHERE CUSTREF='%s'", "LIKE '%%%s%%'") is
// a value inside an SQL string literal, so its quotes are doubled: a customer
// named O'Brien can neither break the statement nor end the literal early.
// An apostrophe that follows a letter or digit ("Can't") opens no quoted run,
// so messages keep their text as typed.
//
// "%0f" is the framework's record-number format and is written like "%.0f".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace hvx {

// One argument of a format: a number or a text.
class FmtArg {
public:
    enum class Kind { Integer, Real, Text };
    FmtArg(int v) : kind_(Kind::Integer), i_(v) {}
    FmtArg(long v) : kind_(Kind::Integer), i_(v) {}
    FmtArg(long long v) : kind_(Kind::Integer), i_(v) {}
    FmtArg(unsigned v) : kind_(Kind::Integer), i_(static_cast<long long>(v)) {}
    FmtArg(unsigned long v) : kind_(Kind::Integer), i_(static_cast<long long>(v)) {}
    FmtArg(double v) : kind_(Kind::Real), d_(v) {}
    FmtArg(const char* v) : kind_(Kind::Text), s_(v ? v : "") {}
    FmtArg(char* v) : kind_(Kind::Text), s_(v ? v : "") {}
    FmtArg(const std::string& v) : kind_(Kind::Text), s_(v) {}
    FmtArg(std::string_view v) : kind_(Kind::Text), s_(v) {}

    Kind kind() const { return kind_; }
    long long integer() const;
    double real() const;
    std::string_view text() const { return s_; }

private:
    Kind kind_;
    long long i_ = 0;
    double d_ = 0;
    std::string_view s_;
};

std::string FormatArgs(std::string_view format, const std::vector<FmtArg>& args);

// Doubles every single quote, for a value placed inside an SQL string literal.
std::string QuoteSqlText(std::string_view value);

}  // namespace hvx

// Formats text like sprintf, with the quoting rule above.
template <class... A>
std::string _HVXsprintf(std::string_view format, const A&... args) {
    return hvx::FormatArgs(format, std::vector<hvx::FmtArg>{hvx::FmtArg(args)...});
}

// The text of a number for binding; the formats used are "%.0f" and "%li".
std::string _Fmt(std::string_view format, double value);
