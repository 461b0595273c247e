// The search results window's size from "hvxlocal.ini" in a private
// configuration folder.
#include "windows/search/SearchWindowSize.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "platform/ProfileFile.h"

namespace {

namespace fs = std::filesystem;

class SearchWindowSize : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "hvxsearchsize-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) old_ = old;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
    }
    void TearDown() override {
        if (old_)
            setenv("XDG_CONFIG_HOME", old_->c_str(), 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    static void Store(const char* value) {
        ASSERT_TRUE(WritePrivateProfileString("Grain", "SettlementSearchWindowPos", value,
                                              hvx::LocalProfilePath()));
    }
    fs::path dir_;
    std::optional<std::string> old_;
};

TEST_F(SearchWindowSize, MissingFileOrKeyGivesTheDefault) {
    EXPECT_EQ(hvx::SearchWindowSize(), (hvx::WindowSize{590, 376}));
    ASSERT_TRUE(WritePrivateProfileString("Grain", "NetworkLockTryCount", "5",
                                          hvx::LocalProfilePath()));
    EXPECT_EQ(hvx::SearchWindowSize(), (hvx::WindowSize{590, 376}));
}

TEST_F(SearchWindowSize, ValuesFromTheProfile) {
    const struct {
        const char* value;
        hvx::WindowSize size;
    } cases[] = {
        {"700,450", {700, 450}},
        {"1,1", {1, 1}},
        {" 800, 500", {800, 500}},          // %d skips the blanks before a number
        {"800 ,500", {590, 376}},           // ...but not those before the ','
        {"640,400,12", {640, 400}},         // what follows the two numbers is ignored
        {"700,450px", {700, 450}},
        {"0,450", {590, 376}},              // a window of no width
        {"700,-3", {590, 376}},
        {"700", {590, 376}},                // half a value: the whole default
        {"700;450", {590, 376}},
        {"wide,tall", {590, 376}},
        {"", {590, 376}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        Store(c.value);
        EXPECT_EQ(hvx::SearchWindowSize(), c.size);
    }
}

TEST(SearchWindowSizeText, OnlyTheFirst99CharactersAreRead) {
    // The value was read into a 100-byte buffer: a height cut off there is
    // not seen.
    const std::string padded = "700," + std::string(94, ' ') + "9";
    ASSERT_EQ(padded.size(), 99u);
    EXPECT_EQ(hvx::ParseSearchWindowSize(padded), (hvx::WindowSize{700, 9}));
    EXPECT_EQ(hvx::ParseSearchWindowSize(padded.substr(0, 98) + " 9"),
              (hvx::WindowSize{590, 376}));
}

}  // namespace
