// Effect evaluations per second of the force renderer on one core: the device's work for one
// pointer sample, with 1, 16 and 10,000 playing effects of every kind in turn, and with 10,000
// of one kind at a time. Goal: 10 million evaluations per second (10,000 effects at 1 kHz).
#include "sim/render/renderer.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

const LONG kSamples[8] = {1000, -2000, 3000, -4000, 500, 0, -500, 2500};

SimEffectParams base(DWORD flags, LONG d0, LONG d1) {
    SimEffectParams p;
    std::memset(&p, 0, sizeof p);
    p.dwFlags = TACTRA_FEFFECT_OBJECTOFFSETS | flags;
    p.dwDuration = TACTRA_INFINITE;
    p.dwGain = 9000;
    p.dwTriggerButton = TACTRA_NOTRIGGER;
    p.cAxes = 2;
    p.rgdwAxes[1] = TACTRA_AXIS_Y;
    p.rglDirection[0] = d0;
    p.rglDirection[1] = d1;
    p.hasTypeSpecific = TRUE;
    return p;
}

template <class Block>
void put(SimEffectParams& p, const Block* b, unsigned count) {
    p.cbTypeSpecificParams = DWORD(sizeof(Block) * count);
    std::memcpy(p.typeSpecific, b, sizeof(Block) * count);
}

// Effect number `i` of a scene: the kinds take turns, their values vary with i.
SimRenderEffect make(SimRenderKind kind, unsigned i) {
    const LONG v = LONG(i % 97);
    SimEffectParams p = base(TACTRA_FEFFECT_POLAR, LONG(i * 1234 % 36000), 0);
    switch (kind) {
    case SimRenderKind::Spring:
    case SimRenderKind::Damper:
    case SimRenderKind::Friction: {
        const TACTRA_CONDITION c[2] = {{300 + v, 5000, 4000, 9000, 8000, 20},
                                       {200 - v, 3000, 6000, 7000, 10000, 0}};
        put(p, c, kind == SimRenderKind::Damper ? 1 : 2);  // the damper acts along its direction
        break;
    }
    case SimRenderKind::Constant: {
        const TACTRA_CONSTANTFORCE c = {4000 + v};
        put(p, &c, 1);
        p.dwDuration = 2000000;
        p.hasEnvelope = TRUE;
        const TACTRA_ENVELOPE e = {sizeof(TACTRA_ENVELOPE), 1000, 300000, 0, 500000};
        p.envelope = e;
        break;
    }
    case SimRenderKind::Ramp: {
        const TACTRA_RAMPFORCE r = {-3000, 6000 + v};
        put(p, &r, 1);
        p.dwDuration = 1500000;
        break;
    }
    case SimRenderKind::Sine:
    case SimRenderKind::Triangle: {
        const TACTRA_PERIODIC w = {3000, LONG(v), DWORD(i * 700 % 36000), 25000 + DWORD(v)};
        put(p, &w, 1);
        break;
    }
    case SimRenderKind::Texture: {
        const TACTRA_TEXTURE t = {sizeof(TACTRA_TEXTURE), 100 + v, 0, 30, 40, 0, 0, 60};
        put(p, &t, 1);
        break;
    }
    case SimRenderKind::Grid: {
        const TACTRA_CONDITION g[2] = {{v, 4000, 0, 10000, 0, 40}, {-v, 3000, 0, 10000, 0, 25}};
        put(p, g, 2);
        break;
    }
    case SimRenderKind::Enclosure: {
        TACTRA_ENCLOSURE b = {};
        b.dwSize = sizeof b;
        b.rectBoundary = {200 + v, 150, 600 + v, 450};
        b.dwTopAndBottomWallThickness = 40;
        b.dwLeftAndRightWallThickness = 60;
        b.lTopAndBottomWallStiffness = b.lLeftAndRightWallStiffness = 6000;
        b.dwStyle = 0xFF;
        b.dwTopAndBottomWallSaturation = b.dwLeftAndRightWallSaturation = 10000;
        put(p, &b, 1);
        break;
    }
    case SimRenderKind::Ellipse: {
        TACTRA_ELLIPSE b = {};
        b.dwSize = sizeof b;
        b.rectBoundary = {300, 200 + v, 700, 500 + v};
        b.dwWallThickness = 50;
        b.lWallStiffness = 7000;
        b.dwStyle = 0xFF;
        b.dwWallSaturation = 10000;
        put(p, &b, 1);
        break;
    }
    default: {
        const TACTRA_CUSTOMFORCE c = {1, 10000, 8, nullptr};
        put(p, &c, 1);
        break;
    }
    }
    SimRenderEffect e;
    sim_render_decode(kind, p, kSamples, 8, 0, &e);
    return e;
}

const SimRenderKind kKinds[] = {
    SimRenderKind::Spring,   SimRenderKind::Damper,    SimRenderKind::Friction,
    SimRenderKind::Constant, SimRenderKind::Ramp,      SimRenderKind::Sine,
    SimRenderKind::Triangle, SimRenderKind::Texture,   SimRenderKind::Grid,
    SimRenderKind::Enclosure, SimRenderKind::Ellipse,  SimRenderKind::Custom,
};
const char* const kNames[] = {"spring", "damper", "friction", "constant", "ramp", "sine",
                              "triangle", "texture", "grid", "enclosure", "ellipse", "custom"};
const unsigned kKindCount = sizeof kKinds / sizeof kKinds[0];

// One sample per iteration: the pointer moves on, 1 ms passes, every effect is evaluated. The
// effects were started for ever so that none drops out as the time runs on.
void render(benchmark::State& state, const std::vector<SimRenderEffect>& effects) {
    uint64_t elapsed = 0;
    LONG step = 0;
    for (auto _ : state) {
        SimPointer at = {100 + step % 700, 120 + step % 500, 300, -200, 1500, 900, 0};
        const SimRenderPointer p = sim_render_pointer(at, 1024, 768, SimRenderScale::Pixels);
        SimForceSum sum;
        for (const SimRenderEffect& e : effects)
            if (sim_render_playing(e, TACTRA_INFINITE, elapsed))
                sum.add(sim_render_force(e, p, elapsed, 10000));
        SimForce total = sum.total();
        benchmark::DoNotOptimize(total);
        elapsed += 1000;
        step += 7;
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(effects.size()));
}

void BM_MixedEffects(benchmark::State& state) {
    std::vector<SimRenderEffect> effects;
    for (unsigned i = 0; i < unsigned(state.range(0)); ++i)
        effects.push_back(make(kKinds[i % kKindCount], i));
    render(state, effects);
}
BENCHMARK(BM_MixedEffects)->Arg(1)->Arg(16)->Arg(10000);

void BM_OneKind(benchmark::State& state) {
    const SimRenderKind kind = kKinds[state.range(0)];
    state.SetLabel(kNames[state.range(0)]);
    std::vector<SimRenderEffect> effects;
    for (unsigned i = 0; i < 10000; ++i)
        effects.push_back(make(kind, i));
    render(state, effects);
}
BENCHMARK(BM_OneKind)->DenseRange(0, kKindCount - 1);

}  // namespace

BENCHMARK_MAIN();
