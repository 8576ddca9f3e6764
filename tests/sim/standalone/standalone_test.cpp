// Without a platform desktop in the process the software devices keep a pointer of their own,
// clamped to the default screen as the cursor would be.
#include "sim/simcontrol.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

namespace {

struct Module {
    const char* file;
    const char* prefix;
};

TEST(Standalone, ThePointerIsClampedToTheDefaultScreen) {
    ASSERT_EQ(dlsym(RTLD_DEFAULT, "tkl_SetCursorPos"), nullptr) << "the platform layer is loaded";
    const Module modules[] = {{TKL_SIM_TACTRA, "tactrasim_"}, {TKL_SIM_DINPUT, "dinputsim_"}};
    const struct {
        SimPointer asked;
        LONG x, y;
    } rows[] = {
        {{100, 200, 5, -5, 0, 0, 0}, 100, 200},
        {{5000, -5, 0, 0, 0, 0, 0}, 1023, 0},
        {{-3, 900, 0, 0, 0, 0, 0}, 0, 767},
        {{1024, 768, 0, 0, 0, 0, 0}, 1023, 767},
    };
    for (const Module& m : modules) {
        SCOPED_TRACE(m.file);
        void* module = dlopen(m.file, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(module, nullptr) << dlerror();
        const std::string prefix = m.prefix;
        auto set = reinterpret_cast<SimSetPointerFn>(dlsym(module, (prefix + "set_pointer").c_str()));
        auto get = reinterpret_cast<SimGetPointerFn>(dlsym(module, (prefix + "get_pointer").c_str()));
        ASSERT_NE(set, nullptr);
        ASSERT_NE(get, nullptr);
        for (const auto& row : rows) {
            set(&row.asked);
            SimPointer seen = {};
            ASSERT_TRUE(get(&seen));
            EXPECT_EQ(seen.x, row.x) << "asked " << row.asked.x << ", " << row.asked.y;
            EXPECT_EQ(seen.y, row.y) << "asked " << row.asked.x << ", " << row.asked.y;
            EXPECT_EQ(seen.vx, row.asked.vx) << "the motion is kept as given";
        }
        dlclose(module);
    }
}

}  // namespace
