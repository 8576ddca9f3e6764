// Opens whichever device is attached, plays a constant force and a square wave, changes both,
// and prints what the device received, read from the software device's log.
#include "tkl/tkl.h"

#include "sim/simclient.h"

#include <cstdio>
#include <cstring>

namespace {

const LONG kNotGiven = LONG(TKL_NOT_GIVEN);

bool check(BOOL ok, const char* what) {
    if (!ok)
        std::printf("%s failed: error %ld\n", what, long(CTKLErrors::GetLastErrorCode()));
    return ok != FALSE;
}

void print_record(const SimEffectParams& p) {
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

void print_log(const SimClient& sim) {
    sim.for_each_call([](const SimCall& call) {
        std::printf("%3u %-20s object %u  result 0x%08lX", call.seq, call.op, call.object,
                    static_cast<unsigned long>(call.result));
        if (std::strcmp(call.op, "SetParameters") == 0)
            std::printf("  mask 0x%03lX", static_cast<unsigned long>(call.args[0]));
        if (std::strcmp(call.op, "Start") == 0)
            std::printf("  iterations %lu", static_cast<unsigned long>(call.args[0]));
        std::printf("\n");
        if (call.hasParams)
            print_record(call.params);
    });
}

// The two effects, created, started, changed and stopped; destroyed before the device.
void play(CTactraDevice* device) {
    CTactraConstant push;
    if (!check(push.Initialize(device, 0, 1, 2000, 5000, nullptr), "constant force"))
        return;
    check(push.Start(1, 0), "starting the constant force");
    // Stronger, same direction and duration.
    check(push.ChangeParameters(kNotGiven, kNotGiven, TKL_NOT_GIVEN, 7500,
                                TKL_ENVELOPE_NOT_GIVEN),
          "changing the constant force");

    CTactraPeriodic wave(GUID_Tactra_Square);
    TACTRA_ENVELOPE fadeIn = {sizeof(TACTRA_ENVELOPE), 0, 500000, 10000, 0};
    if (!check(wave.InitializePolar(device, 3000, 50, TACTRA_INFINITE, 9000, 0, 0, &fadeIn),
               "square wave"))
        return;
    check(wave.Start(TACTRA_INFINITE, 0), "starting the wave");
    // Twice as fast, a quarter period later, and without the envelope.
    check(wave.ChangeParametersPolar(TKL_NOT_GIVEN, 25, TKL_NOT_GIVEN, kNotGiven, kNotGiven, 90,
                                     nullptr),
          "changing the wave");
    check(wave.ChangeDirection(18000), "turning the wave");
    check(wave.Stop(), "stopping the wave");
    check(push.Stop(), "stopping the constant force");
}

}  // namespace

int main() {
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
    return 0;
}
