// Installed sibling modules, as ".\HVX32.INI" in the working folder lists them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "shell/ModuleInstall.h"

namespace {

namespace fs = std::filesystem;

class ModuleInstall : public ::testing::Test {
protected:
    void SetUp() override {
        oldFolder_ = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "hvxinstall-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        fs::current_path(folder_);
    }
    void TearDown() override {
        fs::current_path(oldFolder_);
        fs::remove_all(folder_);
    }
    fs::path oldFolder_, folder_;
};

TEST_F(ModuleInstall, DllDateKeyMarksAModuleInstalled) {
    EXPECT_FALSE(hvx::IsModuleInstalled("H32GRR.DLL"));  // no installation file at all

    std::ofstream(folder_ / "HVX32.INI") << "[H32GRR.DLL]\n"
                                            "DllDate=01/02/2024\n"
                                            "[HVXCMP32.DLL]\n"
                                            "Version=3\n"
                                            "; DllDate=05/05/2020\n"
                                            "[H32GL.DLL]\n"
                                            "DllDate=\n";
    const struct {
        const char* module;
        bool installed;
    } cases[] = {{"H32GRR.DLL", true},    {"h32grr.dll", true}, {"HVXCMP32.DLL", false},
                 {"H32GL.DLL", true},     {"H32BKOF.DLL", false}, {"H32GRR", false},
                 {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        EXPECT_EQ(hvx::IsModuleInstalled(c.module), c.installed);
    }
}

}  // namespace
