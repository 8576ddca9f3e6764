// The last-error code and its two reports (debugger line and message box).
#include "tkl/core/tklerrors.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/outputcapture.h"

namespace {

class ErrorReporting : public ::testing::Test {
protected:
    void SetUp() override { CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT); }
    void TearDown() override {
        CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    }
    tkltest::OutputCapture capture;
};

struct Row {
    LONG code;
    const char* message;
    const char* id;
};

TEST_F(ErrorReporting, DebuggerLineForEveryKindOfCode) {
    const Row rows[] = {
        {1, "Unknown Error", "[ID = 1]"},
        {2, "Allocation Failed", "[ID = 2]"},
        {3, "Invalid Parameter", "[ID = 3]"},
        {4, "Null Parameter", "[ID = 4]"},
        {5, "Wrong Form", "[ID = 5]"},
        {6, "Device is NULL", "[ID = 6]"},
        {7, "Invalid GUID", "[ID = 7]"},
        {8, "Effect Not Initialized", "[ID = 8]"},
        {9, "Can't Initialize Device", "[ID = 9]"},
        {10, "Can't Create Effect", "[ID = 10]"},
        {11, "Can't Create Effect From TVX", "[ID = 11]"},
        {12, "No Effects Found", "[ID = 12]"},
        {13, "Effect is a Compound Effect", "[ID = 13]"},
        {14, "CTactraProject Already Open", "[ID = 14]"},
        {15, "CTactraProject Not Open", "[ID = 15]"},
        {16, "Tactra/DirectInput Error", "[HRESULT = 0x10 (CODE = 16)]"},
        {-1, "Tactra/DirectInput Error", "[HRESULT = 0xFFFFFFFF (CODE = 65535)]"},
        {LONG(0x80004005), "Tactra/DirectInput Error", "[HRESULT = 0x80004005 (CODE = 16389)]"},
        {LONG(0x8007000E), "Tactra/DirectInput Error", "[HRESULT = 0x8007000E (CODE = 14)]"},
    };
    for (const Row& row : rows) {
        capture.clear();
        CTKLErrors::SetErrorCode(row.code);
        const std::string expected =
            std::string("*** TKL Error!  \"") + row.message + "\" " + row.id + "\n";
        ASSERT_EQ(capture.entries().size(), 1u) << "code " << row.code;
        EXPECT_FALSE(capture.entries()[0].messageBox) << "code " << row.code;
        EXPECT_EQ(capture.entries()[0].text, expected) << "code " << row.code;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code);
    }
}

TEST_F(ErrorReporting, ZeroIsStoredButNeverReported) {
    CTKLErrors::SetErrorCode(4);
    for (DWORD flags : {0u, 1u, 2u, 3u}) {
        CTKLErrors::SetErrorHandling(flags);
        capture.clear();
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), 0) << "flags " << flags;
        EXPECT_TRUE(capture.entries().empty()) << "flags " << flags;
    }
}

TEST_F(ErrorReporting, FlagsChooseTheOutputsAndOtherBitsAreIgnored) {
    struct Case {
        DWORD flags;
        bool debugLine;
        bool messageBox;
    } cases[] = {
        {0, false, false}, {1, true, false}, {2, false, true}, {3, true, true},
        {0xFFFFFFFCu, false, false}, {0x101u, true, false}, {0xF0000002u, false, true},
    };
    for (const Case& c : cases) {
        CTKLErrors::SetErrorHandling(c.flags);
        capture.clear();
        CTKLErrors::SetErrorCode(TKL_ERR_NULL_PARAMETER);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
        size_t expected = (c.debugLine ? 1 : 0) + (c.messageBox ? 1 : 0);
        ASSERT_EQ(capture.entries().size(), expected) << "flags 0x" << std::hex << c.flags;
        if (c.debugLine) {
            EXPECT_FALSE(capture.entries()[0].messageBox) << "debugger output comes first";
        }
        if (c.messageBox) {
            EXPECT_TRUE(capture.entries().back().messageBox);
        }
    }
}

TEST_F(ErrorReporting, MessageBoxTextCaptionAndStyle) {
    CTKLErrors::SetErrorHandling(TKL_ERRH_MESSAGE_BOX);
    CTKLErrors::SetErrorCode(LONG(0x80004005));
    ASSERT_EQ(capture.entries().size(), 1u);
    const tkltest::CapturedOutput& box = capture.entries()[0];
    EXPECT_TRUE(box.messageBox);
    EXPECT_EQ(box.caption, "TKL Error");
    EXPECT_EQ(box.style, 0x10u);
    EXPECT_EQ(box.text,
              "TKL has detected the following error:\n\n\"Tactra/DirectInput Error\"\n"
              "[HRESULT = 0x80004005 (CODE = 16389)]\n");
}

TEST_F(ErrorReporting, ReadingDoesNotClearAndHandlingChangeAppliesToNextCode) {
    CTKLErrors::SetErrorCode(TKL_ERR_INVALID_GUID);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);

    CTKLErrors::SetErrorHandling(0);
    capture.clear();
    CTKLErrors::SetErrorCode(TKL_ERR_WRONG_FORM);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_WRONG_FORM);
    EXPECT_TRUE(capture.entries().empty());
}

TEST_F(ErrorReporting, InstancesCanBeMadeAndAssigned) {
    CTKLErrors a;
    CTKLErrors b(a);
    b = a;
    CTKLErrors::SetErrorCode(TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
}

}  // namespace

namespace {

std::string errorText(LONG code) {
    char buffer[256];
    const DWORD length = CTKLErrors::GetErrorText(code, buffer, sizeof buffer);
    EXPECT_EQ(length, std::strlen(buffer)) << "code " << code;
    return buffer;
}

TEST_F(ErrorReporting, ErrorTextOfLibraryCodesIsTheReportedMessage) {
    EXPECT_EQ(errorText(TKL_ERR_NONE), "No Error");
    for (LONG code = 1; code <= 15; ++code) {
        capture.clear();
        CTKLErrors::SetErrorCode(code);
        ASSERT_EQ(capture.entries().size(), 1u);
        const std::string& line = capture.entries()[0].text;
        const size_t open = line.find('"'), close = line.rfind('"');
        EXPECT_EQ(errorText(code), line.substr(open + 1, close - open - 1)) << "code " << code;
    }
}

TEST_F(ErrorReporting, ErrorTextOfLowerLayerCodesIsHexWithTheirNames) {
    const struct {
        LONG code;
        const char* text;
    } rows[] = {
        {16, "Tactra/DirectInput Error 0x00000010"},
        {-1, "Tactra/DirectInput Error 0xFFFFFFFF"},
        {LONG(0x80004005), "Tactra/DirectInput Error 0x80004005 (E_FAIL/DIERR_GENERIC)"},
        {LONG(0x80040201),
         "Tactra/DirectInput Error 0x80040201 (DIERR_DEVICEFULL/TACTRA_ERROR_DEVICEFULL)"},
        {LONG(0x8007000C),
         "Tactra/DirectInput Error 0x8007000C (DIERR_NOTACQUIRED/TACTRA_ERROR_NOTACQUIRED)"},
        {LONG(0x80040110), "Tactra/DirectInput Error 0x80040110 "
                           "(CLASS_E_NOAGGREGATION/DIERR_NOAGGREGATION/TACTRA_ERROR_NOAGGREGATION)"},
        {LONG(0x80040299), "Tactra/DirectInput Error 0x80040299"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(errorText(row.code), row.text) << "code " << row.code;
}

TEST_F(ErrorReporting, ErrorTextIsCutToTheBufferAndCountsTheWholeText) {
    const std::string whole = "Effect is a Compound Effect";
    for (DWORD size : {1u, 2u, 10u, DWORD(whole.size()), DWORD(whole.size() + 1)}) {
        char buffer[64];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(CTKLErrors::GetErrorText(TKL_ERR_EFFECT_IS_COMPOUND, buffer, size),
                  whole.size());
        EXPECT_EQ(std::string(buffer), whole.substr(0, size - 1)) << "size " << size;
        EXPECT_EQ(buffer[size], '#') << "wrote past the size " << size;
    }
    EXPECT_EQ(CTKLErrors::GetErrorText(TKL_ERR_EFFECT_IS_COMPOUND, nullptr, 0), whole.size());
    char untouched = '#';
    CTKLErrors::GetErrorText(LONG(0x80004005), &untouched, 0);
    EXPECT_EQ(untouched, '#');
    CTKLErrors::SetErrorCode(TKL_ERR_WRONG_FORM);
    CTKLErrors::GetErrorText(TKL_ERR_NONE, nullptr, 0);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_WRONG_FORM) << "reading a text sets no code";
}

}  // namespace
