#include "platform/Format.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace hvx {
namespace {

// Width and precision beyond this are typing errors in a format; capping them
// keeps one bad format from asking for gigabytes.
constexpr int kMaxField = 4096;

long long truncateToInteger(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 9.2233720368547758e18) return LLONG_MAX;
    if (v <= -9.2233720368547758e18) return LLONG_MIN;
    return static_cast<long long>(v);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A number read from a text argument. Only texts that start like a number
// count, so "info" or "nan" typed into a field read as 0 rather than as
// infinity or not-a-number.
struct ParsedNumber {
    long long integer = 0;
    double real = 0;
};

ParsedNumber parseNumber(std::string_view text) {
    const std::string s(text);
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (i >= s.size() || !(isDigit(s[i]) || s[i] == '.')) return {};
    char* endInt = nullptr;
    char* endReal = nullptr;
    const long long integer = std::strtoll(s.c_str(), &endInt, 10);
    const double real = std::strtod(s.c_str(), &endReal);
    // "12.7" or "1e3" reads further as a real number; its truncation is the
    // integer. A plain integer keeps all its digits, beyond double precision.
    if (endReal > endInt) return {truncateToInteger(real), real};
    return {integer, real};
}

struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conv = 0;
};

// Reads digits for a width or precision, capped at kMaxField.
int readCount(std::string_view f, std::size_t& pos) {
    int n = 0;
    while (pos < f.size() && isDigit(f[pos])) {
        n = std::min(kMaxField, n * 10 + (f[pos] - '0'));
        ++pos;
    }
    return n;
}

// Parses the conversion after a '%' at pos. Returns the position after it;
// cv.conv stays 0 when the text is no conversion this formatter knows.
std::size_t parseConversion(std::string_view f, std::size_t pos, Conversion& cv) {
    while (pos < f.size() && std::string_view("-+ 0#").find(f[pos]) != std::string_view::npos)
        cv.flags += f[pos++];
    if (pos < f.size() && isDigit(f[pos])) cv.width = readCount(f, pos);
    if (pos < f.size() && f[pos] == '.') {
        ++pos;
        cv.precision = readCount(f, pos);
    }
    // Length modifiers only say what the caller passed; the argument carries its own type.
    while (pos < f.size() && std::string_view("hlLqjzt").find(f[pos]) != std::string_view::npos) ++pos;
    if (pos < f.size() && std::string_view("diouxXfFeEgGaAsc%").find(f[pos]) != std::string_view::npos)
        cv.conv = f[pos++];
    return pos;
}

std::string conversionText(const Conversion& cv, std::string_view length) {
    std::string s = "%" + cv.flags;
    if (cv.width >= 0) s += std::to_string(cv.width);
    if (cv.precision >= 0) s += "." + std::to_string(cv.precision);
    s += length;
    s += cv.conv;
    return s;
}

// One conversion, formatted once into a buffer that holds any ordinary
// number; only a wide field is measured and formatted again.
template <class T>
std::string printOne(const std::string& cv, T value) {
    char buffer[128];
    const int n = std::snprintf(buffer, sizeof buffer, cv.c_str(), value);
    if (n <= 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buffer) return std::string(buffer, buffer + n);
    std::string out(static_cast<std::size_t>(n), '\0');
    std::snprintf(out.data(), out.size() + 1, cv.c_str(), value);
    return out;
}

std::string realText(double v) { return printOne("%.15g", v); }

// "%.Nf", the form of nearly every amount and quantity in a statement.
// to_chars writes the same correctly rounded digits as printf, far faster;
// infinities and NaN keep printf's spelling.
std::string fixedText(double v, int precision) {
    char buffer[512];
    const auto written = std::isfinite(v) ? std::to_chars(buffer, buffer + sizeof buffer, v,
                                                          std::chars_format::fixed, precision)
                                          : std::to_chars_result{buffer, std::errc::invalid_argument};
    if (written.ec != std::errc()) return printOne("%." + std::to_string(precision) + "f", v);
    return std::string(buffer, written.ptr);
}

std::string withoutNul(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\0') out += c;
    return out;
}

// The text a %s or %c stands for, before quoting and padding. A NUL byte is
// dropped from a message, but kept in a value inside an SQL string literal,
// where the connection refuses it: a stored text is never changed unseen.
std::string textValue(const Conversion& cv, const FmtArg* arg, bool inQuotedRun) {
    if (!arg) return {};
    if (cv.conv == 'c') {
        char c = arg->kind() == FmtArg::Kind::Text
                     ? (arg->text().empty() ? '\0' : arg->text().front())
                     : static_cast<char>(arg->integer());
        return c == '\0' ? std::string() : std::string(1, c);
    }
    std::string s;
    switch (arg->kind()) {
    case FmtArg::Kind::Text:
        s = inQuotedRun ? std::string(arg->text()) : withoutNul(arg->text());
        break;
    case FmtArg::Kind::Integer: s = std::to_string(arg->integer()); break;
    case FmtArg::Kind::Real: s = realText(arg->real()); break;
    }
    if (cv.precision >= 0 && static_cast<std::size_t>(cv.precision) < s.size())
        s.resize(static_cast<std::size_t>(cv.precision));
    return s;
}

std::string padded(std::string s, const Conversion& cv) {
    if (cv.width < 0 || s.size() >= static_cast<std::size_t>(cv.width)) return s;
    const std::string fill(static_cast<std::size_t>(cv.width) - s.size(), ' ');
    return cv.flags.find('-') != std::string::npos ? s + fill : fill + s;
}

std::string formatOne(Conversion cv, const FmtArg* arg, bool inQuotedRun) {
    switch (cv.conv) {
    case 's':
    case 'c': {
        std::string s = textValue(cv, arg, inQuotedRun);
        // Quoting after the precision cut: a cut must never leave half of a doubled quote.
        if (inQuotedRun) s = QuoteSqlText(s);
        return padded(std::move(s), cv);
    }
    case 'd':
    case 'i':
        return printOne(conversionText(cv, "ll"), arg ? arg->integer() : 0LL);
    case 'o':
    case 'u':
    case 'x':
    case 'X':
        return printOne(conversionText(cv, "ll"),
                        static_cast<unsigned long long>(arg ? arg->integer() : 0LL));
    default:
        // "%0f" is the record-number format; "%0.2f" is a zero flag with a precision.
        if (cv.conv == 'f' && cv.flags == "0" && cv.width < 0 && cv.precision < 0) {
            cv.flags.clear();
            cv.precision = 0;
        }
        return cv.conv == 'f' && cv.flags.empty() && cv.width < 0
                   ? fixedText(arg ? arg->real() : 0.0, cv.precision < 0 ? 6 : cv.precision)
                   : printOne(conversionText(cv, ""), arg ? arg->real() : 0.0);
    }
}

// Letters and digits keep an apostrophe from opening a quoted run ("Can't").
// Bytes of multi-byte UTF-8 characters count as letters ("Müller's").
bool isWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || u >= 0x80;
}

}  // namespace

long long FmtArg::integer() const {
    switch (kind_) {
    case Kind::Integer: return i_;
    case Kind::Real: return truncateToInteger(d_);
    case Kind::Text: return parseNumber(s_).integer;
    }
    return 0;
}

double FmtArg::real() const {
    switch (kind_) {
    case Kind::Integer: return static_cast<double>(i_);
    case Kind::Real: return d_;
    case Kind::Text: return parseNumber(s_).real;
    }
    return 0;
}

std::string QuoteSqlText(std::string_view value) {
    std::string out;
    out.reserve(value.size() + 2);
    for (char c : value) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out;
}

std::string FormatArgs(std::string_view format, const std::vector<FmtArg>& args) {
    std::string out;
    out.reserve(format.size() + 16 * args.size());
    bool inQuotedRun = false;
    char prev = '\0';
    std::size_t nextArg = 0;
    std::size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        if (c == '%') {
            Conversion cv;
            const std::size_t end = parseConversion(format, i + 1, cv);
            if (cv.conv == '%') {
                out += '%';
            } else if (cv.conv != 0) {
                const FmtArg* arg = nextArg < args.size() ? &args[nextArg] : nullptr;
                ++nextArg;
                out += formatOne(cv, arg, inQuotedRun);
            }
            if (cv.conv != 0) {
                prev = format[end - 1];
                i = end;
                continue;
            }
            // Not a conversion: the '%' stands for itself and the rest reads as text.
        } else if (c == '\'') {
            if (inQuotedRun && i + 1 < format.size() && format[i + 1] == '\'') {
                out += "''";
                prev = '\'';
                i += 2;
                continue;
            }
            if (inQuotedRun)
                inQuotedRun = false;
            else if (!isWordChar(prev))
                inQuotedRun = true;
        }
        out += c;
        prev = c;
        ++i;
    }
    return out;
}

}  // namespace hvx

std::string _Fmt(std::string_view format, double value) {
    return hvx::FormatArgs(format, {hvx::FmtArg(value)});
}
