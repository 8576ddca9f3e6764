// tkl.dll exports the project library's functions under their stdcall-decorated names only;
// 64-bit Windows has one convention and no decoration, so there they are the plain names.
#include <gtest/gtest.h>

#if defined(_WIN32)
#include <windows.h>

#include <string>

namespace {

TEST(ProjectExports, DecoratedNamesOnly) {
    HMODULE tkl = GetModuleHandleA("tkl.dll");
    ASSERT_NE(tkl, nullptr) << "the test program links tkl.dll";
    const char* const names[] = {
        "TVXLoadProjectFile@8", "TVXLoadProjectResource@12", "TVXLoadProjectPointer@8",
        "TVXLoadProjectObjectPointer@8", "TVXReleaseProject@4", "TVXGetObjectNameByIndex@8",
        "TVXCreateEffectStructs@12", "TVXCreateEffectStructsByIndex@12",
        "TVXReleaseEffectStructs@8", "TVXCreateEffects@12", "TVXReleaseEffects@8",
        "TVXLoadProjectPointerSized@12", "TVXLoadProjectPointerEx@16",
    };
    for (const char* name : names) {
        const std::string decorated = std::string("_") + name;
        const std::string plain = std::string(name).substr(0, std::string(name).find('@'));
#if defined(_WIN64)
        EXPECT_NE(GetProcAddress(tkl, plain.c_str()), nullptr) << plain;
        EXPECT_EQ(GetProcAddress(tkl, decorated.c_str()), nullptr) << decorated;
        continue;
#endif
        EXPECT_NE(GetProcAddress(tkl, decorated.c_str()), nullptr) << decorated;
        EXPECT_EQ(GetProcAddress(tkl, name), nullptr) << name;
        EXPECT_EQ(GetProcAddress(tkl, plain.c_str()), nullptr) << plain;
        EXPECT_EQ(GetProcAddress(tkl, ("_" + plain).c_str()), nullptr) << "_" << plain;
    }
}

}  // namespace
#endif
