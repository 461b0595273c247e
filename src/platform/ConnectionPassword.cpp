#include "platform/ConnectionPassword.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "platform/DatabaseName.h"

namespace hvx {
namespace {

constexpr auto npos = std::string_view::npos;

// A password in a connection text: the part that goes when the password is
// dropped, and the password both as written and as libpq reads it.
struct Secret {
    std::size_t begin = 0, end = 0;
    std::string written;
    std::string value;  // unquoted, unescaped, percent-decoded
};

bool Blank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool WordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

bool SameLetters(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

bool EndsWithNoCase(std::string_view text, std::string_view word) {
    return text.size() >= word.size() &&
           std::equal(word.begin(), word.end(),
                      text.end() - static_cast<std::ptrdiff_t>(word.size()), SameLetters);
}

std::size_t FindNoCase(std::string_view text, std::string_view word, std::size_t from) {
    const auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(std::min(from, text.size())),
                    text.end(), word.begin(), word.end(), SameLetters);
    return it == text.end() ? npos : static_cast<std::size_t>(it - text.begin());
}

std::size_t SkipBlanks(std::string_view text, std::size_t at) {
    while (at < text.size() && Blank(text[at])) ++at;
    return at;
}

// Where a conninfo value starting at `at` ends, read as libpq reads it: a
// quoted value after its closing quote (or with the text, when it has none),
// an unquoted one at the next blank; a backslash takes the next character as
// it is in both. The value read is appended to `value` when one is given.
std::size_t ConninfoValueEnd(std::string_view text, std::size_t at, std::string* value = nullptr) {
    const bool quoted = at < text.size() && text[at] == '\'';
    for (std::size_t i = at + (quoted ? 1 : 0); i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size()) {
            c = text[++i];
        } else if (quoted ? c == '\'' : Blank(c)) {
            return quoted ? i + 1 : i;
        }
        if (value != nullptr) value->push_back(c);
    }
    return text.size();
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "%xx" as the byte it stands for; a '%' without two hex digits stays as it is.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// "keyword = value" pairs separated by blanks. libpq gives up at a word
// without '=', and its message quotes that word: right after a password it
// is most likely the second half of a password typed without quotes.
std::vector<Secret> ConninfoSecrets(std::string_view text) {
    std::vector<Secret> found;
    bool afterPassword = false;
    for (std::size_t i = SkipBlanks(text, 0); i < text.size(); i = SkipBlanks(text, i)) {
        const std::size_t key = i;
        while (i < text.size() && !Blank(text[i]) && text[i] != '=') ++i;
        const std::string word(text.substr(key, i - key));
        i = SkipBlanks(text, i);
        if (i == text.size() || text[i] != '=') {
            if (afterPassword) found.push_back({key, key + word.size(), word, word});
            break;
        }
        const std::size_t value = SkipBlanks(text, i + 1);
        Secret secret{key, 0, {}, {}};
        i = ConninfoValueEnd(text, value, &secret.value);
        afterPassword = word == "password";
        if (!afterPassword) continue;
        // The blanks after it go with it, so the pairs left keep one separator.
        secret.end = SkipBlanks(text, i);
        secret.written = text.substr(value, i - value);
        found.push_back(std::move(secret));
    }
    return found;
}

// A URL "scheme://[user[:password]@]hosts[/dbname][?key=value&…]" from
// `start`, just past the scheme. libpq ends the user part at the first '@'
// before any '/', and its password at the first ':' of it.
std::vector<Secret> UrlSecrets(std::string_view text, std::size_t start) {
    std::vector<Secret> found;
    std::size_t rest = start;
    const std::size_t at = text.find_first_of("@/", start);
    if (at != npos && text[at] == '@') {
        const std::size_t colon = text.find(':', start);
        if (colon < at) {
            const std::string_view written = text.substr(colon + 1, at - colon - 1);
            found.push_back({colon, at, std::string(written), PercentDecoded(written)});
        }
        rest = at + 1;
    }
    for (std::size_t p = text.find('?', rest); p != npos;) {
        const std::size_t begin = p + 1;
        const std::size_t end = std::min(text.find('&', begin), text.size());
        const std::size_t eq = text.find('=', begin);
        if (eq < end && PercentDecoded(text.substr(begin, eq - begin)) == "password") {
            const std::string_view written = text.substr(eq + 1, end - eq - 1);
            // Dropped with the separator in front of it, or with the one
            // after it when it is the first of several parameters.
            const bool firstOfMore = text[p] == '?' && end < text.size();
            found.push_back({firstOfMore ? begin : p, firstOfMore ? end + 1 : end,
                             std::string(written), PercentDecoded(written)});
        }
        p = end < text.size() ? end : npos;
    }
    return found;
}

std::vector<Secret> Secrets(std::string_view connection) {
    for (std::string_view scheme : {"postgresql://", "postgres://"}) {
        if (connection.substr(0, scheme.size()) == scheme) {
            return UrlSecrets(connection, scheme.size());
        }
    }
    return ConninfoSecrets(connection);
}

// Every place the password stands in the text, but not inside a longer word:
// a short password must not eat the letters of the message around it.
void MaskOccurrences(std::string& text, std::string_view password) {
    std::size_t p = text.find(password);
    while (p != npos) {
        const std::size_t end = p + password.size();
        const bool inWord = (p > 0 && WordChar(text[p - 1]) && WordChar(password.front())) ||
                            (end < text.size() && WordChar(text[end]) && WordChar(password.back()));
        if (!inWord) text.replace(p, password.size(), kPasswordMask);
        p = text.find(password, inWord ? p + 1 : p + kPasswordMask.size());
    }
}

// True when the mask already stands at `at` by itself: an unquoted value is
// read up to the next blank, and would take the message's own punctuation
// after the mask with it.
bool AlreadyMasked(std::string_view text, std::size_t at) {
    const std::size_t next = at + kPasswordMask.size();
    return text.substr(at, kPasswordMask.size()) == kPasswordMask &&
           (next == text.size() || std::string_view(" \t\r\n\"',.;:)").find(text[next]) != npos);
}

// Every "password=…" (a conninfo pair or a URL parameter) written anywhere in
// the text, in any letter case, whatever else is around it.
void MaskPasswordPairs(std::string& text) {
    constexpr std::string_view kWord = "password";
    for (std::size_t p = FindNoCase(text, kWord, 0); p != npos;
         p = FindNoCase(text, kWord, p + 1)) {
        const char before = p > 0 ? text[p - 1] : ' ';
        if (WordChar(before) || before == '_') continue;
        std::size_t value = SkipBlanks(text, p + kWord.size());
        if (value == text.size() || text[value] != '=') continue;
        value = SkipBlanks(text, value + 1);
        if (AlreadyMasked(text, value)) continue;
        const std::size_t end = before == '?' || before == '&'
                                    ? std::min(text.find_first_of("& \t\r\n", value), text.size())
                                    : ConninfoValueEnd(text, value);
        if (end > value) text.replace(value, end - value, kPasswordMask);
    }
}

// Every URL user password written anywhere in the text. A user part read up
// to the last '@' before the hosts end hides more rather than less.
void MaskUrlPasswords(std::string& text) {
    for (std::size_t p = text.find("://"); p != npos; p = text.find("://", p + 1)) {
        const std::string_view head = std::string_view(text).substr(0, p);
        if (!EndsWithNoCase(head, "postgresql") && !EndsWithNoCase(head, "postgres")) continue;
        const std::size_t start = p + 3;
        const std::size_t end = std::min(text.find_first_of("/ \t\r\n", start), text.size());
        const std::size_t at = text.rfind('@', end - 1);
        if (at == npos || at < start) continue;
        const std::size_t colon = text.find(':', start);
        if (colon + 1 < at) text.replace(colon + 1, at - colon - 1, kPasswordMask);
    }
}

}  // namespace

std::string MaskPasswords(std::string_view text, std::string_view connection) {
    std::string masked(text);
    std::vector<std::string> known;
    for (const Secret& secret : Secrets(connection)) {
        for (const std::string* shown : {&secret.written, &secret.value}) {
            if (!shown->empty()) known.push_back(*shown);
        }
    }
    // The longest first, so that no piece of a longer one is left over.
    std::sort(known.begin(), known.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    for (const std::string& password : known) MaskOccurrences(masked, password);
    MaskPasswordPairs(masked);
    MaskUrlPasswords(masked);
    return masked;
}

std::string WithoutPassword(std::string_view connection) {
    if (!IsPostgresConnection(std::string(connection))) return std::string(connection);
    const std::vector<Secret> secrets = Secrets(connection);
    std::string kept(connection);
    for (auto s = secrets.rbegin(); s != secrets.rend(); ++s)
        kept.erase(s->begin, s->end - s->begin);
    if (!secrets.empty()) {
        while (!kept.empty() && Blank(kept.back())) kept.pop_back();
    }
    return kept;
}

}  // namespace hvx
