#include "platform/ProfileFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Choices made here:
// - Keys are only "key=value" lines. A line with neither '=' nor brackets, and a
//   comment line that happens to hold '=', is kept but never read as a key.
// - Lines before the first section header belong to no section: no lookup
//   finds them and no write touches them.
// - Several sections of the same name act as one, in file order: the first key
//   line found wins on read and is the one rewritten; a new key goes to the
//   first of them. Removing a key removes every line of it (duplicates too),
//   removing a section removes every section of that name, so that a removed
//   key really reads as missing afterwards.
// - Rewriting a key keeps the key's spelling as the file has it and writes
//   "Key=value" with the line's own line end.
// - Values are written as given; reading trims them again.
// - A write that would not change the text does not touch the file.

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

// One line of the file as it was read: its text and its own line end ("\r\n",
// "\n", or nothing for a last line without one), so unchanged lines go back
// out byte for byte.
struct Line {
    std::string text;
    std::string eol;
};

enum class Kind { Blank, Comment, Section, Key, Other };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

Parsed Parse(std::string_view text) {
    const std::string_view t = Trim(text);
    if (t.empty()) return {Kind::Blank, {}, {}};
    if (t.front() == ';') return {Kind::Comment, {}, {}};
    if (t.front() == '[') {
        const auto close = t.find(']');
        const auto inner = t.substr(1, close == std::string_view::npos ? t.npos : close - 1);
        return {Kind::Section, Trim(inner), {}};
    }
    const auto eq = t.find('=');
    if (eq == std::string_view::npos) return {Kind::Other, {}, {}};
    return {Kind::Key, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))};
}

struct Profile {
    std::string bom;         // kept in front of the first line, never parsed
    std::vector<Line> lines;
    std::string eol = "\n";  // line end for new lines: the file's first one
};

Profile Split(std::string_view content) {
    Profile p;
    if (content.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        p.bom = kByteOrderMark;
        content.remove_prefix(kByteOrderMark.size());
    }
    bool eolSeen = false;
    while (!content.empty()) {
        const auto nl = content.find('\n');
        Line line;
        if (nl == std::string_view::npos) {
            line.text = content;
            content = {};
        } else {
            const bool crlf = nl > 0 && content[nl - 1] == '\r';
            line.text = content.substr(0, crlf ? nl - 1 : nl);
            line.eol = crlf ? "\r\n" : "\n";
            content.remove_prefix(nl + 1);
            if (!eolSeen) p.eol = line.eol;
            eolSeen = true;
        }
        p.lines.push_back(std::move(line));
    }
    return p;
}

std::string Join(const Profile& p) {
    std::string out = p.bom;
    for (const Line& line : p.lines) out += line.text + line.eol;
    return out;
}

// The file's profile; an empty one when there is no file. Nothing when
// something is there that cannot be read: writing over it would lose it.
std::optional<Profile> Load(const fs::path& file) {
    std::error_code ec;
    const auto type = fs::status(file, ec).type();
    if (type == fs::file_type::not_found) return Profile{};
    if (type != fs::file_type::regular) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string content{std::istreambuf_iterator<char>(in), {}};
    if (in.bad()) return std::nullopt;
    return Split(content);
}

// Lines [header, end) of one section; end is the next header or the file's end.
struct Range {
    std::size_t header;
    std::size_t end;
};

std::vector<Range> SectionsNamed(const Profile& p, std::string_view section) {
    std::vector<Range> ranges;
    bool open = false;
    for (std::size_t i = 0; i < p.lines.size(); ++i) {
        const Parsed parsed = Parse(p.lines[i].text);
        if (parsed.kind != Kind::Section) continue;
        if (open) ranges.back().end = i;
        open = SameName(parsed.name, section);
        if (open) ranges.push_back({i, p.lines.size()});
    }
    return ranges;
}

// Indexes of the key's lines in the section, in file order.
std::vector<std::size_t> KeyLines(const Profile& p, std::string_view section,
                                  std::string_view key) {
    std::vector<std::size_t> found;
    for (const Range& r : SectionsNamed(p, Trim(section))) {
        for (std::size_t i = r.header + 1; i < r.end; ++i) {
            const Parsed parsed = Parse(p.lines[i].text);
            if (parsed.kind == Kind::Key && SameName(parsed.name, Trim(key))) found.push_back(i);
        }
    }
    return found;
}

std::optional<std::string> ReadValue(std::string_view section, std::string_view key,
                                     const std::string& file) {
    const auto profile = Load(file);
    if (!profile) return std::nullopt;
    const auto found = KeyLines(*profile, section, key);
    if (found.empty()) return std::nullopt;
    return std::string(Parse(profile->lines[found.front()].text).value);
}

void RemoveSection(Profile& p, std::string_view section) {
    const auto ranges = SectionsNamed(p, section);
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) {
        p.lines.erase(p.lines.begin() + static_cast<std::ptrdiff_t>(r->header),
                      p.lines.begin() + static_cast<std::ptrdiff_t>(r->end));
    }
}

void RemoveKey(Profile& p, std::string_view section, std::string_view key) {
    const auto found = KeyLines(p, section, key);
    for (auto i = found.rbegin(); i != found.rend(); ++i) {
        p.lines.erase(p.lines.begin() + static_cast<std::ptrdiff_t>(*i));
    }
}

// Inserts a new line after line `after`; that line gets a line end first if it
// was the file's last line without one.
void InsertAfter(Profile& p, std::size_t after, std::string text) {
    if (p.lines[after].eol.empty()) p.lines[after].eol = p.eol;
    p.lines.insert(p.lines.begin() + static_cast<std::ptrdiff_t>(after) + 1,
                   Line{std::move(text), p.eol});
}

void SetKey(Profile& p, std::string_view section, std::string_view key, std::string_view value) {
    const auto found = KeyLines(p, section, key);
    if (!found.empty()) {
        Line& line = p.lines[found.front()];
        line.text = std::string(Parse(line.text).name) + "=" + std::string(value);
        return;
    }
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const auto ranges = SectionsNamed(p, section);
    if (!ranges.empty()) {
        // After the section's last key line, so trailing blank lines and a
        // comment that introduces the next section stay where they are.
        std::size_t after = ranges.front().header;
        for (std::size_t i = after + 1; i < ranges.front().end; ++i) {
            if (Parse(p.lines[i].text).kind == Kind::Key) after = i;
        }
        InsertAfter(p, after, newLine);
        return;
    }
    if (!p.lines.empty()) {
        // A blank line sets the new section apart from the previous one.
        if (Parse(p.lines.back().text).kind != Kind::Blank) InsertAfter(p, p.lines.size() - 1, "");
        InsertAfter(p, p.lines.size() - 1, "[" + std::string(section) + "]");
    } else {
        p.lines.push_back(Line{"[" + std::string(section) + "]", p.eol});
    }
    InsertAfter(p, p.lines.size() - 1, newLine);
}

// Names and values that could not be read back as written (a line break, a
// key holding '=' or looking like a comment or header) are refused rather
// than written into a file they would corrupt.
bool Writable(std::string_view section, const char* key, const char* value) {
    constexpr std::string_view kBreaks = "\r\n";
    if (section.find_first_of(kBreaks) != section.npos || section.find(']') != section.npos) {
        return false;
    }
    if (key != nullptr) {
        const std::string_view k = Trim(key);
        if (k.find_first_of("\r\n=") != k.npos) return false;
        if (!k.empty() && (k.front() == ';' || k.front() == '[')) return false;
    }
    return value == nullptr || std::string_view(value).find_first_of(kBreaks) == std::string_view::npos;
}

std::string UniqueSuffix() {
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(random()));
    return text;
}

// Profiles hold what the user chose (the database to open among them): the
// files are the user's alone, and so are the folders made for them.
constexpr mode_t kFileMode = 0600;
constexpr mode_t kFolderMode = 0700;

bool MakeFolders(const fs::path& folder) {
    std::error_code ec;
    if (folder.empty() || fs::is_directory(folder, ec)) return true;
    if (!MakeFolders(folder.parent_path())) return false;
    return ::mkdir(folder.c_str(), kFolderMode) == 0 ||
           (errno == EEXIST && fs::is_directory(folder, ec));
}

// A new file, readable by the user alone whatever the umask; null when the
// name is taken or the file cannot be made.
std::FILE* CreatePrivate(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) return nullptr;
    std::FILE* out = ::fchmod(fd, kFileMode) == 0 ? ::fdopen(fd, "wb") : nullptr;
    if (out == nullptr) {
        const int saved = errno;
        ::close(fd);
        ::unlink(path.c_str());
        errno = saved;
    }
    return out;
}

// Writes the whole text to a new file next to the target and renames it over
// the target: a reader sees the old file or the new one, never half of one,
// and a failure at any step leaves the old file as it was. The new file is
// the user's alone, also when the old one was readable by others.
bool ReplaceFile(const fs::path& file, const std::string& content) {
    std::error_code ec;
    const fs::path folder = file.parent_path();
    if (!MakeFolders(folder)) return false;
    fs::path temp;
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 8 && out == nullptr; ++attempt) {
        // A short fixed-length name, so a long profile name cannot push the
        // temporary one over the file system's name limit.
        temp = folder / (".hvxprofile-" + UniqueSuffix() + ".tmp");
        out = CreatePrivate(temp);
        if (out == nullptr && errno != EEXIST) return false;
    }
    if (out == nullptr) return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    ok = std::fflush(out) == 0 && ok;
    ok = std::fclose(out) == 0 && ok;
    if (ok) {
        fs::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

// A profile reached through a symbolic link is written where the link points,
// so the link itself survives the rename.
fs::path WriteTarget(const std::string& file) {
    std::error_code ec;
    if (fs::is_symlink(file, ec)) {
        const fs::path target = fs::canonical(file, ec);
        if (!ec) return target;
    }
    return file;
}

}  // namespace

std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& file) {
    return ReadValue(section, key, file).value_or(std::string(defaultValue));
}

long GetPrivateProfileInt(std::string_view section, std::string_view key, long defaultValue,
                          const std::string& file) {
    const auto value = ReadValue(section, key, file);
    if (!value) return defaultValue;
    std::string_view digits = *value;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '+' || negative)) digits.remove_prefix(1);
    if (digits.empty() || !std::isdigit(static_cast<unsigned char>(digits.front()))) {
        return defaultValue;
    }
    long number = 0;
    const char* first = negative ? digits.data() - 1 : digits.data();
    const auto result = std::from_chars(first, digits.data() + digits.size(), number);
    // A number too long for a long is read as the nearest one that fits.
    if (result.ec == std::errc::result_out_of_range) return negative ? LONG_MIN : LONG_MAX;
    return number;
}

bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               const std::string& file) {
    if (!Writable(section, key, value)) return false;
    const fs::path target = WriteTarget(file);
    auto profile = Load(target);
    if (!profile) return false;
    const std::string before = Join(*profile);
    const std::string_view name = Trim(section);
    if (key == nullptr) {
        RemoveSection(*profile, name);
    } else if (value == nullptr) {
        RemoveKey(*profile, name, Trim(key));
    } else {
        SetKey(*profile, name, Trim(key), value);
    }
    const std::string after = Join(*profile);
    if (after != before) return ReplaceFile(target, after);
    // Nothing to change, but a file others can read is made private all the same.
    std::error_code ec;
    if (fs::exists(target, ec)) {
        fs::permissions(target, fs::perms::group_all | fs::perms::others_all,
                        fs::perm_options::remove, ec);
    }
    return true;
}

bool ProfileHasKey(std::string_view section, std::string_view key, const std::string& file) {
    return ReadValue(section, key, file).has_value();
}

namespace hvx {

std::string LocalProfilePath() {
    // Only an absolute XDG_CONFIG_HOME counts; an empty or relative one is
    // treated as unset. Without HOME either, the folder is taken relative to
    // the working folder.
    fs::path base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (home != nullptr && home[0] != '\0') {
        base = fs::path(home) / ".config";
    }
    return (base / "harvexa" / "hvxlocal.ini").string();
}

std::string SuiteProfilePath() {
    // The suite's own file names ignore case, so a copy named "hvx32.ini" is
    // the same file to it. The exact name wins; among case variants the first
    // in name order, so the choice does not depend on directory order.
    constexpr std::string_view kName = "HVX32.INI";
    std::error_code ec;
    if (fs::exists(kName, ec)) return std::string(kName);
    std::vector<std::string> variants;
    for (fs::directory_iterator it(".", ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (SameName(name, kName) && it->is_regular_file(ec)) variants.push_back(name);
    }
    if (variants.empty()) return std::string(kName);
    return *std::min_element(variants.begin(), variants.end());
}

}  // namespace hvx
