// A change operation of an effect class against the bare SetParameters it sends to the
// software force mouse with the same record and mask.
#include "sim/simclient.h"
#include "tkl/tkl.h"

#include <benchmark/benchmark.h>

namespace {

// The call log of the software device grows with every call; both sides clear it alike.
const unsigned kClearEvery = 1024;

struct Mouse {
    Mouse() : sim(SimClient::mouse()) {
        sim.reset();
        device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    }
    ~Mouse() { delete device; }
    SimClient sim;
    CTactraDevice* device;
};

const LONG NG = LONG(TKL_NOT_GIVEN);

// The record a force change sends: the kind, the form with object offsets, full gain, no
// trigger, X and Y, and the block.
TACTRA_EFFECT force_record(const GUID& kind, DWORD form, LONG* direction, void* block,
                           DWORD size) {
    static DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    TACTRA_EFFECT record = {};
    record.dwSize = sizeof record;
    record.guid = kind;
    record.dwFlags = form | TACTRA_FEFFECT_OBJECTOFFSETS;
    record.dwGain = 10000;
    record.dwTriggerButton = TACTRA_NOTRIGGER;
    record.cAxes = 2;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    record.cbTypeSpecificParams = size;
    record.lpvTypeSpecificParams = block;
    return record;
}

// A change operation of the effect class, run again and again.
template <class Change>
void run_change(benchmark::State& state, CTactraEffect& effect, Mouse& mouse, Change change) {
    unsigned n = 0;
    for (auto _ : state) {
        if (!change(effect, n))
            state.SkipWithError("the change failed");
        if (++n % kClearEvery == 0)
            mouse.sim.log_clear();
    }
}

// SetParameters straight on the device-side effect, `value` (in the record's block) changing.
void bare_set_parameters(benchmark::State& state, CTactraEffect& effect, Mouse& mouse,
                         TACTRA_EFFECT record, DWORD mask, LONG* value) {
    ITactraEffect* device = effect.GetEffect();
    unsigned n = 0;
    for (auto _ : state) {
        *value = LONG(n & 0x3FF);
        if (FAILED(device->SetParameters(&record, mask)))
            state.SkipWithError("SetParameters failed");
        if (++n % kClearEvery == 0)
            mouse.sim.log_clear();
    }
}

// The magnitude changes: a block with the direction kept.
void ConstantChangeParameters(benchmark::State& state) {
    Mouse mouse;
    CTactraConstant effect;
    effect.Initialize(mouse.device, 1, 0, 100, 5000, nullptr);
    run_change(state, effect, mouse, [](CTactraEffect& e, unsigned n) {
        return static_cast<CTactraConstant&>(e).ChangeParameters(NG, NG, TKL_NOT_GIVEN,
                                                                 LONG(n & 0x3FF), TKL_ENVELOPE_NOT_GIVEN);
    });
}
BENCHMARK(ConstantChangeParameters);

void ConstantSetParameters(benchmark::State& state) {
    Mouse mouse;
    CTactraConstant effect;
    effect.Initialize(mouse.device, 1, 0, 100, 5000, nullptr);
    LONG direction[2] = {1, 0};
    TACTRA_CONSTANTFORCE force = {5000};
    const TACTRA_EFFECT record = force_record(GUID_Tactra_ConstantForce, TACTRA_FEFFECT_CARTESIAN,
                                              direction, &force, sizeof force);
    bare_set_parameters(state, effect, mouse, record, TACTRA_EP_TYPESPECIFICPARAMS, &force.lMagnitude);
}
BENCHMARK(ConstantSetParameters);

// The period and phase change on a wave.
void PeriodicChangeParameters(benchmark::State& state) {
    Mouse mouse;
    CTactraPeriodic effect;
    effect.InitializePolar(mouse.device, 5000, 20, 100, 9000, 0, 0, nullptr);
    run_change(state, effect, mouse, [](CTactraEffect& e, unsigned n) {
        return static_cast<CTactraPeriodic&>(e).ChangeParametersPolar(
            TKL_NOT_GIVEN, DWORD(10 + (n & 0xFF)), TKL_NOT_GIVEN, NG, NG, 90, TKL_ENVELOPE_NOT_GIVEN);
    });
}
BENCHMARK(PeriodicChangeParameters);

void PeriodicSetParameters(benchmark::State& state) {
    Mouse mouse;
    CTactraPeriodic effect;
    effect.InitializePolar(mouse.device, 5000, 20, 100, 9000, 0, 0, nullptr);
    LONG direction[2] = {9000, 0};
    TACTRA_PERIODIC wave = {5000, 0, 9000, 20000};
    const TACTRA_EFFECT record = force_record(GUID_Tactra_Sine, TACTRA_FEFFECT_POLAR, direction,
                                              &wave, sizeof wave);
    bare_set_parameters(state, effect, mouse, record, TACTRA_EP_TYPESPECIFICPARAMS,
                        reinterpret_cast<LONG*>(&wave.dwPeriod));
}
BENCHMARK(PeriodicSetParameters);

}  // namespace
