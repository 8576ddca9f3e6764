// The Win32 surface the library calls: the same expectations hold for Windows' own functions
// and for the POSIX platform layer.
#include "tkl/platform/win32.h"

#include <gtest/gtest.h>

namespace {

// Wide literals in the width of OLECHAR on each target.
#if defined(_WIN32)
#define OLETEXT(s) L##s
#else
#define OLETEXT(s) u##s
#endif

HRESULT parse(const OLECHAR* text, CLSID* id) { return CLSIDFromString(const_cast<LPOLESTR>(text), id); }

TEST(LibraryLoading, FoundMissingAndMissingSymbol) {
    HMODULE module = LoadLibraryA("tkltestmodule.dll");
    ASSERT_NE(module, nullptr);
    typedef int (*Answer)();
    Answer answer = reinterpret_cast<Answer>(reinterpret_cast<void*>(GetProcAddress(module, "tkl_test_module_answer")));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(module, "no_such_function"), nullptr);
    EXPECT_TRUE(FreeLibrary(module));

    EXPECT_EQ(LoadLibraryA("tkl_no_such_module.dll"), nullptr);
}

TEST(GuidParsing, RegistryFormWithBraces) {
    CLSID id;
    ASSERT_EQ(parse(OLETEXT("{5959DF71-2911-11D1-B049-0020AF30269A}"), &id),
              S_OK);
    EXPECT_EQ(id.Data1, 0x5959DF71u);
    EXPECT_EQ(id.Data2, 0x2911u);
    EXPECT_EQ(id.Data3, 0x11D1u);
    const BYTE tail[8] = {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A};
    EXPECT_EQ(memcmp(id.Data4, tail, 8), 0);

    // Lower case digits parse the same.
    CLSID lower;
    ASSERT_EQ(parse(OLETEXT("{5959df71-2911-11d1-b049-0020af30269a}"), &lower),
              S_OK);
    EXPECT_TRUE(IsEqualGUID(id, lower));
}

TEST(GuidParsing, MalformedTextsFail) {
    const OLECHAR* bad[] = {
        OLETEXT("{5959DF71-2911-11D1-B049-0020AF30269}"),    // one digit short
        OLETEXT("{5959DF71-2911-11D1-B049-0020AF30269AA}"),  // one digit long
        OLETEXT("5959DF71-2911-11D1-B049-0020AF30269A"),     // no braces
        OLETEXT("{5959DF71-2911-11D1-B049-0020AF30269G}"),   // not a hex digit
        OLETEXT("{5959DF71+2911-11D1-B049-0020AF30269A}"),   // wrong separator
    };
    for (size_t i = 0; i < sizeof bad / sizeof bad[0]; ++i) {
        CLSID id;
        EXPECT_TRUE(FAILED(parse(bad[i], &id))) << "text " << i;
    }
}

TEST(TextConversion, WidensEveryByteAndReportsSizes) {
    const char text[] = "{ID}";
    WCHAR wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 5);
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 8), 5);
    EXPECT_EQ(wide[0], WCHAR('{'));
    EXPECT_EQ(wide[3], WCHAR('}'));
    EXPECT_EQ(wide[4], WCHAR(0));
    // A buffer too small gives 0 rather than a cut text.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 3), 0);
}

TEST(VirtualDesktop, ScreenSizeAndCursorClampedToIt) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0);

    POINT p;
    ASSERT_TRUE(SetCursorPos(100, 200));
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 200);

    SetCursorPos(-50, height + 500);
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, height - 1);

    SetCursorPos(width + 1, -1);
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, width - 1);
    EXPECT_EQ(p.y, 0);
}

}  // namespace
