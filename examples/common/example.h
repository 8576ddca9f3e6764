#pragma once
// What the example programs share: opening a device, reporting failures, and printing what a
// software device received from its call log (one line per call, and the record of each
// CreateEffect and SetParameters with its block as 32-bit words).

#include "tkl/tkl.h"

#include "sim/simclient.h"

#include <cstdio>
#include <cstring>

namespace example {

// Prints what failed, with the library's error code and its text; returns whether `ok`.
inline bool check(BOOL ok, const char* what) {
    if (!ok) {
        const LONG code = CTKLErrors::GetLastErrorCode();
        char text[128];
        CTKLErrors::GetErrorText(code, text, sizeof text);
        std::printf("%s failed: error 0x%08lX (%s)\n", what,
                    static_cast<unsigned long>(DWORD(code)), text);
    }
    return ok != FALSE;
}

inline void print_record(const SimEffectParams& p) {
    std::printf("    flags 0x%02lX  duration %lu us  gain %lu  direction (%ld, %ld)  envelope %s\n",
                static_cast<unsigned long>(p.dwFlags), static_cast<unsigned long>(p.dwDuration),
                static_cast<unsigned long>(p.dwGain), long(p.rglDirection[0]),
                long(p.rglDirection[1]), p.hasEnvelope ? "yes" : "none");
    if (!p.hasTypeSpecific)
        return;
    std::printf("    block (%lu bytes):", static_cast<unsigned long>(p.cbTypeSpecificParams));
    for (DWORD at = 0; at + sizeof(LONG) <= p.cbTypeSpecificParams && at < SIM_MAX_BLOCK;
         at += sizeof(LONG)) {
        LONG word;
        std::memcpy(&word, p.typeSpecific + at, sizeof word);
        std::printf(" %ld", long(word));
    }
    std::printf("\n");
}

inline void print_log(const SimClient& sim) {
    sim.for_each_call([](const SimCall& call) {
        std::printf("%3u %-20s object %u  result 0x%08lX", call.seq, call.op, call.object,
                    static_cast<unsigned long>(DWORD(call.result)));
        if (std::strcmp(call.op, "SetParameters") == 0)
            std::printf("  mask 0x%03lX", static_cast<unsigned long>(call.args[0]));
        if (std::strcmp(call.op, "Start") == 0)
            std::printf("  iterations %lu", static_cast<unsigned long>(call.args[0]));
        std::printf("\n");
        if (call.hasParams)
            print_record(call.params);
    });
}

// Opens the device (the force mouse, else DirectInput), plays, and prints what the device
// received. With the argument "--directinput" the software force mouse is detached first, so
// that the DirectInput stand-in is used. The effects must be gone when `play` returns.
inline int run(int argc, char** argv, void (*play)(CTactraDevice*)) {
    const bool wantDirectInput = argc > 1 && std::strcmp(argv[1], "--directinput") == 0;
    SimClient mouse = SimClient::mouse();
    if (wantDirectInput) {
        if (!mouse.ok()) {
            std::printf("--directinput needs the software force mouse to detach\n");
            return 2;
        }
        mouse.detach_all();
    }
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!device) {
        std::printf("no force-feedback device: error %ld\n", long(CTKLErrors::GetLastErrorCode()));
        return 1;
    }
    const bool directInput = device->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT;
    std::printf("device: %s\n", directInput ? "DirectInput" : "force mouse");
    SimClient sim = directInput ? SimClient::directInput() : SimClient::mouse();
    if (sim.ok())
        sim.log_clear();

    play(device);

    if (sim.ok()) {
        std::printf("what the device received (a change reads only the fields in its mask):\n");
        print_log(sim);
    } else {
        std::printf("(a hardware device: no call log to show)\n");
    }
    delete device;
    if (wantDirectInput)
        mouse.reset();
    return 0;
}

}  // namespace example
