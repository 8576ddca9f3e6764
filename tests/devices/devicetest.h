#pragma once
// What the device tests share: both software devices, reset before each test and checked for
// leaked objects after it, and readers of their call logs.

#include "sim/simclient.h"
#include "tkl/tkl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace devtest {

inline bool is_refcount(const SimCall& c) {
    return std::string(c.op) == "AddRef" || std::string(c.op) == "Release";
}

// The calls logged since the last reset or log_clear; reference counting only when asked.
inline std::vector<SimCall> calls(const SimClient& sim, bool refCounts = false) {
    std::vector<SimCall> out;
    sim.for_each_call([&](const SimCall& c) {
        if (refCounts || !is_refcount(c))
            out.push_back(c);
    });
    return out;
}

// The method names of those calls, "A B C", for readable failure messages.
inline std::string ops(const SimClient& sim, bool refCounts = false) {
    std::string text;
    for (const SimCall& c : calls(sim, refCounts))
        text += (text.empty() ? "" : " ") + std::string(c.op);
    return text;
}

// The n-th call of a method (0 first), or an empty record with op "" when there is none.
inline SimCall nth(const SimClient& sim, const char* op, unsigned n = 0) {
    SimCall found = {};
    bool done = false;
    sim.for_each_call([&](const SimCall& c) {
        if (!done && std::string(c.op) == op && n-- == 0) {
            found = c;
            done = true;
        }
    });
    return found;
}

inline std::string text(const GUID& g) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}

inline HINSTANCE app() { return GetModuleHandleA(nullptr); }

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(mouse.ok()) << "software force mouse not found";
        ASSERT_TRUE(di.ok()) << "DirectInput stand-in not found";
        mouse.reset();
        di.reset();
        CTKLErrors::SetErrorHandling(0);
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
    }
    void TearDown() override {
        EXPECT_EQ(mouse.live_objects(), 0u) << "force-mouse objects left alive";
        EXPECT_EQ(di.live_objects(), 0u) << "DirectInput objects left alive";
        CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
    }

    SimClient mouse = SimClient::mouse();
    SimClient di = SimClient::directInput();
};

}  // namespace devtest
