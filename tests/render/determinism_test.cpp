// The renderer gives the same results on every target. Thousands of forces from every kind, at
// pointer samples and times no one picked by hand, fold into one digest both builds must
// reproduce; and its own sine must agree to the last bit. (A renderer built for x87's extended
// precision fails the second: it changes last bits, which only rarely reach a rounded force.)
#include "rendertest.h"

#include "sim/render/rendermath.h"

#include <cstring>
#include <vector>

namespace {

using rendertest::condition;
using rendertest::Effect;

const LONG kSamples[6] = {1200, -3400, 560, 7800, -90, 2345};

std::vector<SimRenderEffect> scene() {
    std::vector<SimRenderEffect> s;
    for (LONG i = 0; i < 3; ++i) {
        const LONG a = 1234 + 7919 * i;  // angles that are no round number
        const TACTRA_CONDITION c[2] = {condition(317 + i, 4321, -2345, 9000, 7000, 13),
                                       condition(-211, 1999, 3001, 10000, 6500, 7 * i)};
        s.push_back(Effect(SimRenderKind::Spring).block(c[0], 2).decoded());
        s.push_back(Effect(SimRenderKind::Spring).polar(a).block(c[0]).decoded());
        s.push_back(Effect(SimRenderKind::DeviceSpring).cartesian(3 + i, -7).block(c[1]).decoded());
        s.push_back(Effect(SimRenderKind::Damper).polar(a).block(c[1]).decoded());
        s.push_back(Effect(SimRenderKind::Inertia).block(c[0], 2).decoded());
        s.push_back(Effect(SimRenderKind::Friction).cartesian(-5, 2 + i).block(c[0]).decoded());
        const TACTRA_CONDITION g[2] = {condition(11 * i, 3777, 0, 3100, 0, 37),
                                       condition(-5, -2890, 0, 10000, 0, 23)};
        s.push_back(Effect(SimRenderKind::Grid).block(g[0], 2).decoded());
        const TACTRA_TEXTURE t = {sizeof(TACTRA_TEXTURE), 301 + i, 123, 33, 47, -77, 0, 13};
        s.push_back(Effect(SimRenderKind::Texture).polar(a).block(t).decoded());
        const TACTRA_CONSTANTFORCE k = {-4567 + i};
        s.push_back(Effect(SimRenderKind::Constant).polar(a).duration(777777).gain(8765)
                        .envelope(1234, 123457, 321, 234567).block(k).decoded());
        const TACTRA_RAMPFORCE r = {-3333, 7777 - i};
        s.push_back(Effect(SimRenderKind::Ramp).cartesian(2, 9).duration(654321).block(r).decoded());
        const SimRenderKind waves[5] = {SimRenderKind::Square, SimRenderKind::Sine,
                                        SimRenderKind::Triangle, SimRenderKind::SawtoothUp,
                                        SimRenderKind::SawtoothDown};
        for (SimRenderKind w : waves) {
            const TACTRA_PERIODIC p = {DWORD(3456 + i), -321, DWORD(4321 * (i + 1)), 33333};
            s.push_back(Effect(w).polar(a).duration(999999).envelope(500, 111111, 7000, 222222)
                            .block(p).decoded());
        }
        const TACTRA_CUSTOMFORCE cf = {2, 7001, 3, nullptr};
        s.push_back(Effect(SimRenderKind::Custom).block(cf).samples(kSamples, 6).decoded());
        TACTRA_ENCLOSURE e = {};
        e.dwSize = sizeof e;
        e.rectBoundary = {101 + i, 87, 503, 401 - i};
        e.dwTopAndBottomWallThickness = 37;
        e.dwLeftAndRightWallThickness = 53;
        e.lTopAndBottomWallStiffness = 6543;
        e.lLeftAndRightWallStiffness = -4321;
        e.dwStyle = 0xA5 + DWORD(i);
        e.dwTopAndBottomWallSaturation = 5555;
        e.dwLeftAndRightWallSaturation = 9999;
        s.push_back(Effect(SimRenderKind::Enclosure).block(e).decoded());
        TACTRA_ELLIPSE el = {};
        el.dwSize = sizeof el;
        el.rectBoundary = {150, 120 + i, 611, 433};
        el.dwWallThickness = 41;
        el.lWallStiffness = 7321;
        el.dwStyle = 0xFF;
        el.dwWallSaturation = 8888;
        s.push_back(Effect(SimRenderKind::Ellipse).block(el).decoded());
    }
    // The walls play the first effects of the scene inside them.
    s[s.size() - 1].inner = &s[9];
    s[s.size() - 2].inner = &s[10];
    return s;
}

// FNV-1a over the value's bytes, low first.
template <class Word>
uint64_t fold(uint64_t digest, Word value) {
    for (unsigned b = 0; b < sizeof value; ++b) {
        digest ^= (static_cast<uint64_t>(value) >> (8 * b)) & 0xFF;
        digest *= 1099511628211ull;
    }
    return digest;
}

TEST(Determinism, EveryTargetRendersTheSameBits) {
    const std::vector<SimRenderEffect> effects = scene();
    uint64_t digest = 14695981039346656037ull;
    uint64_t elapsed = 0;
    unsigned pushing = 0;
    for (LONG n = 0; n < 400; ++n) {
        SimPointer at = {(n * 37) % 1100 - 30, (n * 53) % 820 - 20, (n * 71) % 3001 - 1500,
                         (n * 29) % 2003 - 1001, (n * 113) % 40001 - 20000,
                         (n * 97) % 30011 - 15005, 0};
        const SimRenderScale scale = n % 3 ? SimRenderScale::Pixels : SimRenderScale::DeviceUnits;
        const SimRenderPointer p = sim_render_pointer(at, 1024 + n % 5, 768 - n % 7, scale);
        for (const SimRenderEffect& e : effects) {
            const SimForce f = sim_render_force(e, p, elapsed, 9000 + DWORD(n));
            digest = fold(fold(digest, uint32_t(f.x)), uint32_t(f.y));
            pushing += (f.x || f.y) ? 1 : 0;
        }
        elapsed += 4567 + 13 * uint64_t(n);
    }
    EXPECT_GT(pushing, 400 * effects.size() / 2) << "most samples must push for the digest to mean much";
    EXPECT_EQ(digest, 0x307f29541a246981ull) << std::hex << "digest 0x" << digest;
}

}  // namespace

namespace {

TEST(Determinism, TheSineIsTheSameToTheLastBit) {
    uint64_t digest = 14695981039346656037ull;
    for (int k = -20000; k < 20000; ++k) {
        const double s = sim_sin_turns(k / 16384.0);  // exact arguments on any unit
        uint64_t bits;
        std::memcpy(&bits, &s, sizeof bits);
        digest = fold(digest, bits);
    }
    EXPECT_EQ(digest, 0xc5e0d2e43d9773a2ull) << std::hex << "digest 0x" << digest;
}

}  // namespace
