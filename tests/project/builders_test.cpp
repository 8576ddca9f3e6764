// What each object type builds: the defaults of every type, then the rules that properties
// switch (axes, angles, envelopes, clamps, texture styles, waveforms).
#include "tests/project/projecttest.h"

#include <gtest/gtest.h>

namespace {

using projecttest::build;

struct BuildCase {
    const char* type;
    tvx::Pairs props;
    std::vector<std::string> expected;
};

// Shared tails of the expected descriptions.
const std::string kOneX = "axes=0 direction=10000 envelope=none";
const std::string kCommon = "duration=-1 gain=10000 trigger=-1 repeat=-1";
const std::string kFullCondition = "block=0,10000,10000,10000,10000,0";
const std::string kPolar0 = "axes=0,4 direction=0,0";
const std::string kDefaultEnvelope = "envelope=20,0,100000,0,100000";

std::string condition(const char* kind) {
    return std::string("kind=") + kind + " flags=0x12 " + kCommon + " " + kOneX + " " + kFullCondition;
}

void expect_built(const BuildCase& c) {
    EXPECT_EQ(build(c.type, c.props), c.expected) << "type \"" << c.type << "\"";
}

TEST(Builders, DefaultsOfEveryType) {
    const BuildCase cases[] = {
        {"Spring", {}, {condition("spring")}},
        {"Slope", {}, {condition("spring")}},
        {"Damper", {}, {condition("damper")}},
        {"Inertia", {}, {condition("inertia")}},
        {"Friction", {}, {condition("friction")}},
        {"Axis Wall", {}, {"kind=spring flags=0x12 " + kCommon + " " + kOneX + " block=0,0,0,10000,0,0"}},
        {"Angle Wall", {}, {"kind=spring flags=0x12 " + kCommon +
                            " axes=0,4 direction=0,-10000 envelope=none block=0,0,0,10000,0,0"}},
        {"Texture", {}, {"kind=texture flags=0x12 " + kCommon + " " + kOneX + " block=32,0,0,0,1,0,0,1",
                         "kind=texture flags=0x12 " + kCommon +
                             " axes=4 direction=10000 envelope=none block=32,0,0,0,1,0,0,1"}},
        {"Vector Force", {}, {"kind=constant flags=0x22 " + kCommon + " " + kPolar0 + " " +
                              kDefaultEnvelope + " block=5000"}},
        {"Jolt", {}, {"kind=constant flags=0x22 " + kCommon + " " + kPolar0 + " envelope=none block=5000"}},
        {"Pop", {}, {"kind=constant flags=0x22 " + kCommon + " " + kPolar0 + " " + kDefaultEnvelope +
                     " block=5000"}},
        {"Periodic", {}, {"kind=sine flags=0x22 " + kCommon + " " + kPolar0 + " " + kDefaultEnvelope +
                          " block=5000,0,0,1000000"}},
        {"Vibration", {}, {"kind=square flags=0x22 " + kCommon + " " + kPolar0 +
                           " envelope=none block=5000,0,0,1000000"}},
        {"Buffeting", {}, {"kind=sine flags=0x22 duration=-1 gain=10000 trigger=0 repeat=0 " + kPolar0 +
                           " envelope=none block=5000,0,0,1000000"}},
        {"Ramp", {}, {"kind=ramp flags=0x22 " + kCommon + " " + kPolar0 + " " + kDefaultEnvelope +
                      " block=5000,5000"}},
        {"Force Profile", {}, {"kind=customforce flags=0x22 " + kCommon + " " + kPolar0 + " " +
                               kDefaultEnvelope + " block=1,0,0,null"}},
    };
    for (const BuildCase& c : cases)
        expect_built(c);
}

TEST(Builders, UnknownTypesAndCaseYieldNothing) {
    for (const char* type : {"Compound", "spring", "Springs", "", "Grid"})
        EXPECT_EQ(build(type, {{"Magnitude", "1"}}), std::vector<std::string>{}) << "type \"" << type << "\"";
}

TEST(Builders, CommonFieldsAndNumberReading) {
    const std::string dir = " " + kOneX + " " + kFullCondition;
    const BuildCase cases[] = {
        {"Spring", {{"Duration", "250000"}, {"Gain", "7000"}, {"TriggerButton", "2"}, {"RepeatInterval", "500"}},
         {"kind=spring flags=0x12 duration=250000 gain=7000 trigger=2 repeat=500" + dir}},
        // InfiniteDuration wins over Duration.
        {"Spring", {{"Duration", "250000"}, {"InfiniteDuration", "1"}},
         {"kind=spring flags=0x12 " + kCommon + dir}},
        // atol reading: white space, sign, trailing text; no digits is 0; the first pair wins.
        {"Spring", {{"Duration", "  +42ms"}, {"Gain", "abc"}, {"Gain", "9"}},
         {"kind=spring flags=0x12 duration=42 gain=0 trigger=-1 repeat=-1" + dir}},
        // Beyond 32 bits the value saturates.
        {"Spring", {{"Duration", "99999999999"}, {"Gain", "-99999999999"}},
         {"kind=spring flags=0x12 duration=2147483647 gain=-2147483648 trigger=-1 repeat=-1" + dir}},
        // Buffeting ignores the trigger keys.
        {"Buffeting", {{"TriggerButton", "3"}, {"RepeatInterval", "4"}},
         {"kind=sine flags=0x22 duration=-1 gain=10000 trigger=0 repeat=0 " + kPolar0 +
          " envelope=none block=5000,0,0,1000000"}},
    };
    for (const BuildCase& c : cases)
        expect_built(c);
}

TEST(Builders, ConditionAxesAndAngles) {
    const std::string head = "kind=damper flags=0x12 " + kCommon;
    const BuildCase cases[] = {
        {"Damper", {{"Axes", "1"}}, {head + " axes=4 direction=10000 envelope=none " + kFullCondition}},
        {"Damper", {{"Axes", "2"}, {"Offset2", "-5"}, {"PosCoefficient2", "1"}, {"NegCoefficient2", "2"},
                    {"PosSaturation2", "3"}, {"NegSaturation2", "4"}, {"DeadBand2", "6"}},
         {head + " axes=0,4 direction=10000,10000 envelope=none block=0,10000,10000,10000,10000,0,-5,1,2,3,4,6"}},
        {"Damper", {{"Axes", "3"}, {"Direction", "9000"}, {"Offset", "7"}},
         {head + " axes=0,4 direction=10000,0 envelope=none block=7,10000,10000,10000,10000,0"}},
        // Truncated toward zero: 7071.07 and -7071.07.
        {"Damper", {{"Axes", "3"}, {"Direction", "4500"}},
         {head + " axes=0,4 direction=7071,-7071 envelope=none " + kFullCondition}},
        {"Damper", {{"Axes", "3"}, {"Direction", "18000"}},
         {head + " axes=0,4 direction=0,10000 envelope=none " + kFullCondition}},
        // Any other value is X alone.
        {"Damper", {{"Axes", "7"}}, {head + " " + kOneX + " " + kFullCondition}},
    };
    for (const BuildCase& c : cases)
        expect_built(c);
}

TEST(Builders, Walls) {
    const std::string head = "kind=spring flags=0x12 " + kCommon;
    const BuildCase cases[] = {
        {"Axis Wall", {{"WallSense", "1"}, {"Hardness", "8000"}, {"Offset", "-300"}, {"Axis", "1"}},
         {head + " axes=4 direction=10000 envelope=none block=-300,0,8000,0,10000,0"}},
        {"Axis Wall", {{"Hardness", "8000"}},
         {head + " " + kOneX + " block=0,8000,0,10000,0,0"}},
        {"Angle Wall", {{"Direction", "27000"}, {"Hardness", "500"}},
         {head + " axes=0,4 direction=-10000,0 envelope=none block=0,500,0,10000,0,0"}},
    };
    for (const BuildCase& c : cases)
        expect_built(c);
}

TEST(Builders, EnvelopeRule) {
    const std::string head = "kind=constant flags=0x22 " + kCommon + " " + kPolar0;
    const std::string head0 = "kind=constant flags=0x22 duration=-1 gain=10000 trigger=-1 repeat=-1 " + kPolar0;
    const BuildCase cases[] = {
        {"Vector Force", {{"AttackDuration", "0"}, {"FadeDuration", "0"}}, {head + " envelope=none block=5000"}},
        // Levels equal to the magnitude change nothing.
        {"Vector Force", {{"AttackLevel", "5000"}, {"FadeLevel", "5000"}}, {head + " envelope=none block=5000"}},
        // Only one side flat: an envelope with both sides as given.
        {"Vector Force", {{"AttackDuration", "0"}}, {head + " envelope=20,0,0,0,100000 block=5000"}},
        {"Vector Force", {{"AttackLevel", "5000"}, {"FadeLevel", "100"}, {"FadeDuration", "9"}},
         {head + " envelope=20,5000,100000,100,9 block=5000"}},
        // Infinite: the fade is ignored for the decision and replaced by the magnitude over 0.
        {"Pop", {{"InfiniteDuration", "1"}, {"Magnitude", "3000"}},
         {"kind=constant flags=0x22 " + kCommon + " " + kPolar0 + " envelope=20,0,100000,3000,0 block=3000"}},
        {"Pop", {{"InfiniteDuration", "1"}, {"AttackDuration", "0"}}, {head0 + " envelope=none block=5000"}},
        {"Jolt", {{"AttackDuration", "5"}, {"Magnitude", "8000"}, {"Direction", "4500"}},
         {"kind=constant flags=0x22 " + kCommon + " axes=0,4 direction=4500,0 envelope=none block=8000"}},
    };
    for (const BuildCase& c : cases)
        expect_built(c);
}

TEST(Builders, RampStartEndAndClamp) {
    const std::string head = "kind=ramp flags=0x22 " + kCommon + " " + kPolar0 + " envelope=none block=";
    const tvx::Pairs flat = {{"AttackDuration", "0"}, {"FadeDuration", "0"}};
    struct { const char* magnitude; const char* change; const char* block; } cases[] = {
        {"9000", "4000", "7000,10000"},
        {"5000", "-3", "5001,4998"},
        {"-9000", "-4000", "-7000,-10000"},
        {"0", "30000", "-10000,10000"},
        {"2147483647", "-2147483648", "10000,10000"},  // no 32-bit wrap
    };
    for (const auto& c : cases) {
        tvx::Pairs props = flat;
        props.push_back({"Magnitude", c.magnitude});
        props.push_back({"MagnitudeChange", c.change});
        EXPECT_EQ(build("Ramp", props), std::vector<std::string>{head + c.block})
            << "magnitude " << c.magnitude << " change " << c.change;
    }
}

TEST(Builders, TextureStyles) {
    const std::string head = "kind=texture flags=0x12 " + kCommon;
    auto x = [&](const char* block) { return head + " " + kOneX + " block=" + block; };
    auto y = [&](const char* block) { return head + " axes=4 direction=10000 envelope=none block=" + block; };
    const tvx::Pairs rough = {{"PosRoughness", "7"}, {"NegRoughness", "9"}};
    struct { const char* style; std::vector<std::string> expected; } cases[] = {
        {"0", {x("32,0,0,0,7,0,0,1")}},
        {"16", {x("32,0,0,0,7,0,0,1")}},
        {"2", {x("32,0,0,0,1,0,0,9")}},
        {"4", {y("32,0,0,0,7,0,0,1")}},
        {"12", {y("32,0,0,0,7,0,0,9")}},
        {"9", {x("32,0,0,0,7,0,0,1"), y("32,0,0,0,1,0,0,9")}},
        {"15", {x("32,0,0,0,7,0,0,9"), y("32,0,0,0,7,0,0,9")}},
    };
    for (const auto& c : cases) {
        tvx::Pairs props = rough;
        props.push_back({"TextureStyle", c.style});
        EXPECT_EQ(build("Texture", props), c.expected) << "style " << c.style;
    }
}

TEST(Builders, PeriodicWaveformsPhaseAndKind) {
    const tvx::Pairs base = {{"AttackDuration", "0"}, {"FadeDuration", "0"}, {"Phase", "9000"},
                             {"Period", "20000"}, {"ValueOffset", "-10"}, {"Magnitude", "600"}};
    const std::string tail = " flags=0x22 " + kCommon + " " + kPolar0 + " envelope=none block=600,-10,9000,20000";
    struct { const char* waveform; const char* kind; } cases[] = {
        {"0", "sine"}, {"1", "square"}, {"2", "triangle"}, {"3", "sawtoothup"}, {"4", "sawtoothdown"},
    };
    for (const auto& c : cases) {
        tvx::Pairs props = base;
        props.push_back({"Waveform", c.waveform});
        EXPECT_EQ(build("Periodic", props), std::vector<std::string>{std::string("kind=") + c.kind + tail})
            << "waveform " << c.waveform;
    }
    // Outside 0-4: the all-zero kind, whose block has no copier, so the copy has none.
    for (const char* waveform : {"5", "7", "-1"}) {
        tvx::Pairs props = base;
        props.push_back({"Waveform", waveform});
        EXPECT_EQ(build("Periodic", props),
                  std::vector<std::string>{"kind=none flags=0x22 " + kCommon + " " + kPolar0 +
                                           " envelope=none block=none(16)"})
            << "waveform " << waveform;
    }
    // Vibration always starts at phase 0.
    EXPECT_EQ(build("Vibration", base),
              std::vector<std::string>{"kind=square flags=0x22 " + kCommon + " " + kPolar0 +
                                       " envelope=none block=600,-10,0,20000"});
}

TEST(Builders, ForceProfileBlock) {
    EXPECT_EQ(build("Force Profile", {{"ProfileChannels", "2"}, {"ProfileSamplingPeriod", "1000"},
                                      {"AttackDuration", "0"}, {"FadeDuration", "0"}}),
              std::vector<std::string>{"kind=customforce flags=0x22 " + kCommon + " " + kPolar0 +
                                       " envelope=none block=2,1000,0,null"});
}

}  // namespace

namespace {

// Keys match exactly: texts that differ from a key by case, one character, a missing or extra
// character, or an empty key are other keys, whatever they resemble; the first exact one wins.
TEST(Builders, OnlyExactKeysAreRead) {
    const std::string jolt = "kind=constant flags=0x22 duration=-1 gain=10000 trigger=-1 repeat=-1 " +
                             kPolar0 + " envelope=none block=";
    const tvx::Pairs nearMisses = {{"magnitude", "1"},  {"Magnitud", "2"}, {"Magnitude ", "3"},
                                   {"Magnitude2", "4"}, {"MagnitudE", "5"}, {"", "6"},
                                   {"Mbgnitude", "7"},  {"Magnitvde", "8"}};
    expect_built({"Jolt", nearMisses, {jolt + "5000"}});
    tvx::Pairs withKey = nearMisses;
    withKey.push_back({"Magnitude", "9"});
    withKey.push_back({"Magnitude", "10"});
    expect_built({"Jolt", withKey, {jolt + "9"}});
    // Two known keys alike in length and ends.
    expect_built({"Spring", {{"Axis", "1"}, {"Axes", "2"}},
                  {"kind=spring flags=0x12 " + kCommon + " axes=0,4 direction=10000,10000 "
                   "envelope=none block=0,10000,10000,10000,10000,0,0,10000,10000,10000,10000,0"}});
}

}  // namespace
