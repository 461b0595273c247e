#pragma once
// Profile (INI) files with the semantics the module was written against:
// sections in brackets, key=value lines, section and key names compared
// without regard to case, values trimmed of surrounding blanks, and lines
// starting with ';' kept as comments. Writing one key rewrites only that line
// (or adds it at the end of its section, or adds the section at the end of the
// file) and keeps every other key, section and comment as it was.
#include <string>
#include <string_view>
#include <vector>

// Returns the value, or defaultValue when the file, section or key is missing.
std::string GetPrivateProfileString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, const std::string& file);

// Like GetPrivateProfileString, read as a whole number (leading digits, optional
// sign); defaultValue when missing or when no digits lead the value.
long GetPrivateProfileInt(std::string_view section, std::string_view key, long defaultValue,
                          const std::string& file);

// Writes one key. A null key removes the whole section; a null value removes
// the key. Creates the file (and its folder) when needed. The file written is
// readable by the user alone (0600, also when it was open to others before),
// and so is a folder made for it (0700). False when the file cannot be
// written, or when a name or value holds a line break (or the key an '=') and
// so could not be read back; the old file is then left untouched.
bool WritePrivateProfileString(std::string_view section, const char* key, const char* value,
                               const std::string& file);

// True when the section holds the key at all (even with an empty value).
bool ProfileHasKey(std::string_view section, std::string_view key, const std::string& file);

namespace hvx {

// "hvxlocal.ini" in the user's configuration folder: $XDG_CONFIG_HOME/harvexa,
// or ~/.config/harvexa when XDG_CONFIG_HOME is unset.
std::string LocalProfilePath();

// ".\HVX32.INI": the suite's installation file, read from the working folder.
// The suite ignores the case of file names, so when no file has exactly this
// name, one whose name differs only in case is used instead.
std::string SuiteProfilePath();

}  // namespace hvx
