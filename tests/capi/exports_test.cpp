// tkl.dll exports the C interface under the plain names of the header, which GetProcAddress
// finds, and the functions found that way are called with the header's convention.
#include "tkl/tkl_c.h"

#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include <cstring>
#include <string>

namespace {

TEST(CApiExports, PlainNamesFindTheHeadersFunctions) {
    HMODULE tkl = GetModuleHandleA("tkl.dll");
    ASSERT_NE(tkl, nullptr) << "the test program links tkl.dll";
    const char* const names[] = {
        "tkl_last_error", "tkl_error_text", "tkl_set_error_handling", "tkl_device_open",
        "tkl_device_type", "tkl_device_release", "tkl_condition_create", "tkl_grid_create",
        "tkl_texture_create", "tkl_force_create", "tkl_wall_create", "tkl_effect_from_project",
        "tkl_condition_change", "tkl_grid_change", "tkl_texture_change", "tkl_force_change",
        "tkl_wall_change", "tkl_wall_set_rect", "tkl_effect_set_center",
        "tkl_effect_set_direction", "tkl_effect_set_envelope", "tkl_effect_change_base",
        "tkl_effect_start", "tkl_effect_stop", "tkl_effect_status", "tkl_effect_kind",
        "tkl_effect_release", "tkl_project_open_file", "tkl_project_open_memory",
        "tkl_project_load_error",
        "tkl_project_open_resource", "tkl_project_start", "tkl_project_stop",
        "tkl_project_object_count", "tkl_project_object_name", "tkl_project_close",
        "tkl_project_list_create", "tkl_project_list_open_file", "tkl_project_list_get",
        "tkl_project_list_stop", "tkl_project_list_release",
    };
    for (const char* name : names) {
        EXPECT_NE(GetProcAddress(tkl, name), nullptr) << name;
        EXPECT_EQ(GetProcAddress(tkl, ("_" + std::string(name)).c_str()), nullptr) << name;
    }

    // Called through what GetProcAddress gives, with the header's types: a convention that
    // did not match would leave the stack unbalanced or the arguments read wrongly.
    typedef uint32_t(TKL_CALL * TextFn)(int32_t, char*, uint32_t);
    typedef tkl_status(TKL_CALL * TypeFn)(tkl_device, uint32_t*);
    // Through void (*)(), the type that stands for any function.
    typedef void (*AnyFn)();
    TextFn text = reinterpret_cast<TextFn>(reinterpret_cast<AnyFn>(GetProcAddress(tkl, "tkl_error_text")));
    TypeFn type = reinterpret_cast<TypeFn>(reinterpret_cast<AnyFn>(GetProcAddress(tkl, "tkl_device_type")));
    ASSERT_NE(text, nullptr);
    ASSERT_NE(type, nullptr);
    char buffer[32] = {};
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(text(5, buffer, sizeof buffer), 10u);  // "Wrong Form"
        uint32_t t = 0;
        ASSERT_EQ(type(nullptr, &t), 4);  // a null handle
    }
    EXPECT_STREQ(buffer, "Wrong Form");
}

}  // namespace
#endif
