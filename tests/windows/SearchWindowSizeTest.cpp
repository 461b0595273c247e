// The search results window's size from "hvxlocal.ini" in a private
// configuration folder.
#include "windows/SearchWindowSize.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/ProfileFile.h"

namespace {

namespace fs = std::filesystem;
const hvx::WindowSize kDefault{590, 376};

TEST(SearchWindowSize, ReadFromTheLocalProfileOrTheDefault) {
    std::string folder = (fs::temp_directory_path() / "hvxsearchsize-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(hvx::SearchWindowSize(), kDefault) << "no file";
    ASSERT_TRUE(
        WritePrivateProfileString("Grain", "NetworkLockTryCount", "5", hvx::LocalProfilePath()));
    EXPECT_EQ(hvx::SearchWindowSize(), kDefault) << "no key";
    ASSERT_TRUE(WritePrivateProfileString("Grain", "SettlementSearchWindowPos", " 700,450",
                                          hvx::LocalProfilePath()));
    EXPECT_EQ(hvx::SearchWindowSize(), (hvx::WindowSize{700, 450}));
    old ? setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    fs::remove_all(folder);
}

TEST(SearchWindowSize, ValueIsTwoPositiveNumbersInTheFirst99Characters) {
    // The value was read into a 100-byte buffer: a height cut off there is not seen.
    const std::string padded = "700," + std::string(94, ' ') + "9";
    // clang-format off
    const std::pair<std::string, hvx::WindowSize> cases[] = {
        {"700,450", {700, 450}}, {"1,1", {1, 1}},
        {" 800, 500", {800, 500}},   // %d skips the blanks before a number
        {"800 ,500", kDefault},      // ...but not those before the ','
        {"640,400,12", {640, 400}}, {"700,450px", {700, 450}},  // what follows is ignored
        {"0,450", kDefault}, {"700,-3", kDefault}, {"700", kDefault}, {"700;450", kDefault},
        {"wide,tall", kDefault}, {"", kDefault},
        {padded, {700, 9}}, {padded.substr(0, 98) + " 9", kDefault}};
    // clang-format on
    for (const auto& [value, size] : cases)
        EXPECT_EQ(hvx::ParseSearchWindowSize(value), size) << value;
}

}  // namespace
