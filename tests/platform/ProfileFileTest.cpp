#include "platform/ProfileFile.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <tuple>

namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "hvxprofile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        file_ = (dir_ / "test.ini").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    static void Put(const fs::path& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Slurp(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Files in the test folder: a leftover temporary file shows up here.
    long Entries() const { return std::distance(fs::directory_iterator(dir_), {}); }
    fs::path dir_;
    std::string file_;
};

TEST_F(ProfileFileTest, ReadsValuesAndDefaults) {
    Put(file_,
        "top=before any section\n[Grain]\n; Filter=from a comment\nNetworkLockTryCount = 25 \n"
        "Filter=a=b\nEmpty=\nBare line\nDup=first\nDup=second\n\n[Other]\nKey=other\n[grain]\n"
        "Later=from the second Grain section\n");
    // clang-format off
    const struct { const char *section, *key, *expected; } cases[] = {
        {"Grain", "NetworkLockTryCount", "25"}, {"GRAIN", "networklocktrycount", "25"},
        {"Grain", "Filter", "a=b"}, {"Grain", "Empty", ""}, {"Grain", "Dup", "first"},
        {"Grain", "Later", "from the second Grain section"}, {"Other", "Key", "other"},
        {"Missing", "Key", "(default)"}, {"Grain", "top", "(default)"}, {"", "top", "(default)"},
        {"Grain", "Bare line", "(default)"}};
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key);
        EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "(default)", file_), c.expected);
        EXPECT_EQ(ProfileHasKey(c.section, c.key, file_), std::string(c.expected) != "(default)");
    }

    Put(file_,
        "[N]\nneg=-3\nword=abc\nempty=\nlead=12abc\nplus=+7\nsign=-\nhuge=99999999999999999999\n"
        "low=-99999999999999999999\n");
    const std::pair<const char*, long> numbers[] = {
        {"neg", -3},  {"word", 42},    {"empty", 42},      {"lead", 12},     {"plus", 7},
        {"sign", 42}, {"missing", 42}, {"huge", LONG_MAX}, {"low", LONG_MIN}};
    for (const auto& [key, expected] : numbers)
        EXPECT_EQ(GetPrivateProfileInt("N", key, 42, file_), expected) << key;
}

// A write changes its own line and keeps every other line, comment and line end.
TEST_F(ProfileFileTest, WriteChangesOnlyItsOwnLine) {
    const struct {
        const char* name;
        std::string before;
        const char *section, *key, *value;
        std::string after;
    } cases[] = {
        {"replace keeps the rest",
         "top=1\n[Grain]\n; lock retries\nnetworkLockTryCount = 10\nPos=590,376\n\n[Other]\n"
         "NetworkLockTryCount=3\n",
         "GRAIN", "NetworkLockTryCount", "25",
         "top=1\n[Grain]\n; lock retries\nnetworkLockTryCount=25\nPos=590,376\n\n[Other]\n"
         "NetworkLockTryCount=3\n"},
        {"new key lands inside its section", "[Grain]\nA=1\n; about Other\n\n[Other]\nB=2\n",
         "Grain", "New", "x", "[Grain]\nA=1\nNew=x\n; about Other\n\n[Other]\nB=2\n"},
        {"new section after a last line without line end", "[Grain]\nA=1", "Parameters", "Type",
         "v", "[Grain]\nA=1\n\n[Parameters]\nType=v\n"},
        {"delete key and its duplicates", "[S]\nk=1\nother=2\nK=dup\n[T]\nk=3\n", "S", "k", nullptr,
         "[S]\nother=2\n[T]\nk=3\n"},
        {"delete section", "a=0\n[S]\nk=1\n; note\n\n[T]\nk=3\n[s]\nx=1\n", "S", nullptr, nullptr,
         "a=0\n[T]\nk=3\n"},
        {"crlf kept, new key too", "[S]\r\nk=1\r\n; c\r\n\r\n[T]\r\nx=2\r\n", "T", "new", "9",
         "[S]\r\nk=1\r\n; c\r\n\r\n[T]\r\nx=2\r\nnew=9\r\n"},
        {"byte order mark kept", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2",
         "\xEF\xBB\xBF[S]\nk=2\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(file_);
        Put(file_, c.before);
        ASSERT_TRUE(WritePrivateProfileString(c.section, c.key, c.value, file_));
        EXPECT_EQ(Slurp(file_), c.after);
        EXPECT_EQ(Entries(), 1);
        if (c.value != nullptr) {
            EXPECT_EQ(GetPrivateProfileString(c.section, c.key, "?", file_), c.value);
        } else if (c.key != nullptr) {
            EXPECT_FALSE(ProfileHasKey(c.section, c.key, file_));
        }
    }
}

TEST_F(ProfileFileTest, WritesThatCannotBeDoneFailAndKeepTheOldFile) {
    // Missing folders are made for a write, but a delete creates nothing.
    const fs::path nested = dir_ / "a" / "b" / "x.ini";
    EXPECT_TRUE(WritePrivateProfileString("S", "k", nullptr, nested.string()));
    EXPECT_TRUE(WritePrivateProfileString("S", nullptr, nullptr, nested.string()));
    EXPECT_FALSE(fs::exists(nested));
    EXPECT_TRUE(WritePrivateProfileString("S", "k", "v", nested.string()));
    EXPECT_EQ(Slurp(nested), "[S]\nk=v\n");

    // A folder where the file should be is not written over.
    EXPECT_FALSE(WritePrivateProfileString("S", "k", "v", dir_.string()));
    // Texts that would read back as other lines are refused.
    const std::string original = "[S]\nk=1\n";
    Put(file_, original);
    for (const auto& [section, key, value] :
         {std::tuple{"S", "k", "1\n[T]"}, {"S", "a=b", "1"}, {"S", ";k", "1"}, {"S]x", "k", "1"}})
        EXPECT_FALSE(WritePrivateProfileString(section, key, value, file_)) << key << value;
    EXPECT_EQ(Slurp(file_), original);
    EXPECT_EQ(Entries(), 2) << "no temporary file is left behind";
}

TEST_F(ProfileFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile) {
    const std::string original = "; keep\r\n[S]\r\nk=1\r\n";
    Put(file_, original);
    // Only the folder stands in the way: a write past the temporary file would pass.
    fs::permissions(file_, fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                               ~fs::perms::others_exec);
    fs::permissions(dir_, fs::perms::all & ~fs::perms::owner_write & ~fs::perms::group_write &
                              ~fs::perms::others_write);
    // The write runs in a child, as an ordinary user (folders do not stop root).
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
        _exit(WritePrivateProfileString("S", "k", "2", file_) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "1: written anyway, 2: could not drop privileges";
    EXPECT_EQ(Slurp(file_), original);
    EXPECT_EQ(Entries(), 1);
}

// Whatever the old file's mode: a rewritten file, one left as it was and a new
// one in new folders are all the user's alone.
TEST_F(ProfileFileTest, FilesWrittenAndFoldersMadeAreTheUsersAlone) {
    const fs::path same = dir_ / "same.ini", made = dir_ / "a" / "b" / "new.ini";
    for (const fs::path& path : {fs::path(file_), same}) {
        Put(path, "[S]\nk=1\n");
        fs::permissions(path, fs::perms(0666));
    }
    EXPECT_TRUE(WritePrivateProfileString("S", "k", "2", file_));
    EXPECT_TRUE(WritePrivateProfileString("S", "k", "1", same));
    EXPECT_TRUE(WritePrivateProfileString("S", "k", "1", made.string()));
    for (const fs::path& path : {fs::path(file_), same, made, dir_ / "a", dir_ / "a" / "b"})
        EXPECT_EQ(static_cast<int>(fs::status(path).permissions()),
                  fs::is_directory(path) ? 0700 : 0600)
            << path;
}

// The suite's file name ignores case: the exact name wins, then the first variant.
TEST_F(ProfileFileTest, SuiteProfileIgnoresCaseOfTheName) {
    const fs::path previous = fs::current_path();
    fs::current_path(dir_);
    EXPECT_EQ(hvx::SuiteProfilePath(), "HVX32.INI");
    fs::create_directory("Hvx32.ini");
    EXPECT_EQ(hvx::SuiteProfilePath(), "HVX32.INI") << "a folder is no profile";
    Put("hvx32.ini", "[HVXGRP.DLL]\nDllDate=2001-05-04\n");
    EXPECT_EQ(hvx::SuiteProfilePath(), "hvx32.ini");
    EXPECT_TRUE(ProfileHasKey("hvxgrp.dll", "DllDate", hvx::SuiteProfilePath()));
    Put("HVX32.INI", "");
    EXPECT_EQ(hvx::SuiteProfilePath(), "HVX32.INI");
    fs::current_path(previous);
}

}  // namespace
