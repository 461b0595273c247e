#pragma once
// The document tests: the demo cooperative seeded on the test's engine and
// the reports sibling loaded as the host loads it, its exports called as the
// module calls them.
#include <dlfcn.h>

#include "QtTestSupport.h"
#include "data/demo/DemoSeed.h"
#include "support/TestDatabase.h"

namespace hvxtest {

class ReportsTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        std::string error;
        ASSERT_TRUE(hvx::demo::SeedDemoData(error)) << error;
        module_ = dlopen(HARVEXA_MODULES_DIR "/H32GRR.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module_, nullptr) << dlerror();
    }
    void TearDown() override {
        if (module_) dlclose(module_);
        module_ = nullptr;
        DatabaseTest::TearDown();
    }
    template <class Fn>
    Fn Function(const char* name) const {
        return reinterpret_cast<Fn>(dlsym(module_, name));
    }

private:
    void* module_ = nullptr;
};

}  // namespace hvxtest
