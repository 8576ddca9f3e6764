// Compound effects made directly from a project object's records: slots, codes, playing as one
// and ownership of the contained effects.
#include "tests/projects/projectsfixture.h"

namespace {

using prtest::CountedEffect;
using prtest::Records;
using prtest::TestCompound;

const HRESULT kRefused = TACTRA_ERROR_INPUTLOST;

TEST(Compound, SlotsFollowTheRecordOrder) {
    Records three("play", "Three");
    ASSERT_EQ(three.count(), 3);
    TestCompound compound(three.list(), three.count());
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    ASSERT_EQ(compound.GetNumberOfContainedEffects(), 3);
    for (int i = 0; i < 3; ++i) {
        CTactraEffect* effect = compound.GetContainedEffect(i);
        ASSERT_NE(effect, nullptr) << "slot " << i;
        EXPECT_EQ(effect->GetGUID(), three.list()[i]->guid) << "slot " << i;
        EXPECT_EQ(effect->GetEffect(), nullptr) << "bound before initialize";
    }
    EXPECT_NE(dynamic_cast<CTactraConstant*>(compound.GetContainedEffect(0)), nullptr);
    EXPECT_NE(dynamic_cast<CTactraPeriodic*>(compound.GetContainedEffect(1)), nullptr);
    EXPECT_NE(dynamic_cast<CTactraRamp*>(compound.GetContainedEffect(2)), nullptr);

    for (LONG index : {3L, -1L, 0x7FFFFFFFL}) {
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        EXPECT_EQ(compound.GetContainedEffect(index), nullptr) << "index " << index;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER) << "index " << index;
    }
}

TEST(Compound, ConstructionCodesAndEmptySlots) {
    Records click("play", "Click");
    Records odd("play", "Odd Wave");  // a waveform of no kind: an all-zero GUID
    TVXEffect* clickThenNull[] = {click.list()[0], nullptr};
    TVXEffect* oddThenClick[] = {odd.list()[0], click.list()[0]};
    const struct {
        const char* what;
        TVXEffect** records;
        LONG count;
        LONG slots;
        LONG code;
        std::vector<bool> filled;
    } rows[] = {
        {"count 0", clickThenNull, 0, 0, TKL_ERR_NULL_PARAMETER, {}},
        {"negative count", clickThenNull, -2, 0, TKL_ERR_INVALID_PARAMETER, {}},
        {"null record last", clickThenNull, 2, 2, TKL_ERR_NULL_PARAMETER, {true, false}},
        {"unknown kind first", oddThenClick, 2, 2, TKL_ERR_NONE, {false, true}},
        {"unknown kind alone", oddThenClick, 1, 1, TKL_ERR_INVALID_GUID, {false}},
        {"no records", nullptr, 2, 2, TKL_ERR_NONE, {false, false}},
    };
    for (const auto& row : rows) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        TestCompound compound(row.records, row.count);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.what;
        ASSERT_EQ(compound.GetNumberOfContainedEffects(), row.slots) << row.what;
        for (LONG i = 0; i < row.slots; ++i)
            EXPECT_EQ(compound.GetContainedEffect(i) != nullptr, bool(row.filled[i]))
                << row.what << ", slot " << i;
        EXPECT_EQ(compound.GetName(), nullptr);
    }
}

TEST(Compound, NamesAndFilling) {
    int destroyed = 0;
    {
        TestCompound compound(nullptr, 1);
        EXPECT_TRUE(compound.set_name("Left"));
        EXPECT_TRUE(compound.set_name(compound.GetName()));  // its own text
        EXPECT_STREQ(compound.GetName(), "Left");
        EXPECT_FALSE(compound.set_name(nullptr));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
        EXPECT_STREQ(compound.GetName(), "Left");

        CountedEffect* effect = new CountedEffect(destroyed);
        EXPECT_FALSE(compound.set_contained_effect(nullptr, 0));
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
        for (int index : {1, -1}) {
            EXPECT_FALSE(compound.set_contained_effect(effect, index)) << index;
            EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_PARAMETER) << index;
        }
        EXPECT_TRUE(compound.set_contained_effect(effect, 0));
        EXPECT_EQ(compound.GetContainedEffect(0), effect);
        EXPECT_EQ(destroyed, 0);
    }
    EXPECT_EQ(destroyed, 1);
}

class CompoundOn : public prtest::ProjectDevices {};

TEST_P(CompoundOn, InitializeBindsEverySlotInOrder) {
    Records three("play", "Three");
    TestCompound compound(three.list(), three.count());
    ASSERT_TRUE(compound.initialize(device(), three.list()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    const auto made = created();
    ASSERT_EQ(made.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(made[i].kind, device_kind(three.list()[i]->guid)) << "slot " << i;
}

TEST_P(CompoundOn, InitializeTriesEverySlotAndKeepsTheLastCode) {
    Records three("play", "Three");
    TestCompound compound(three.list(), three.count());
    sim().fail_next("CreateEffect", TACTRA_ERROR_DEVICEFULL);
    EXPECT_FALSE(compound.initialize(device(), three.list()));
    // The later effects initialised after the failure, each clearing the code.
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(calls("CreateEffect").size(), 3u);
    EXPECT_EQ(live_effects(), 2u);

    sim().fail_after("CreateEffect", 2, TACTRA_ERROR_DEVICEFULL);
    EXPECT_FALSE(compound.initialize(device(), three.list()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_DEVICEFULL);
}

TEST_P(CompoundOn, EmptySlotsFailInitializeWithTheirCauseAndReachNoDevice) {
    Records click("play", "Click");
    Records odd("play", "Odd Wave");
    TVXEffect* const oddOne = odd.list()[0];
    TVXEffect* const clickOne = click.list()[0];
    // With two empty slots, the first one's cause is the code.
    const struct {
        const char* what;
        std::vector<TVXEffect*> records;
        LONG code;
    } rows[] = {
        {"unknown kind", {oddOne, clickOne}, TKL_ERR_INVALID_GUID},
        {"null record", {nullptr, clickOne}, TKL_ERR_NULL_PARAMETER},
        {"unknown kind, then null record", {oddOne, clickOne, nullptr}, TKL_ERR_INVALID_GUID},
        {"null record, then unknown kind", {nullptr, oddOne, clickOne}, TKL_ERR_NULL_PARAMETER},
    };
    for (const auto& row : rows) {
        sim().log_clear();
        std::vector<TVXEffect*> records = row.records;
        TestCompound compound(records.data(), LONG(records.size()));
        EXPECT_FALSE(compound.initialize(device(), records.data())) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.what;
        const auto made = created();
        ASSERT_EQ(made.size(), 1u) << row.what;
        EXPECT_EQ(made[0].kind, device_kind(GUID_Tactra_ConstantForce)) << row.what;
    }
}

TEST_P(CompoundOn, StartStopsAtTheFirstFailingEffect) {
    Records three("play", "Three");
    TestCompound compound(three.list(), three.count());
    ASSERT_TRUE(compound.initialize(device(), three.list()));
    const auto made = created();
    ASSERT_EQ(made.size(), 3u);

    sim().fail_after("Start", 1, kRefused);
    EXPECT_FALSE(compound.Start(2, 0));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kRefused);
    EXPECT_EQ(calls("Start").size(), 2u) << "the third is never started";
    EXPECT_EQ(started(), std::vector<unsigned>{made[0].id});
    EXPECT_EQ(playing(), std::vector<unsigned>{made[0].id});
    EXPECT_EQ(last("Start").args[0], 2u);

    sim().log_clear();
    EXPECT_TRUE(compound.Start(1, 0));
    EXPECT_EQ(started(), (std::vector<unsigned>{made[0].id, made[1].id, made[2].id}));

    sim().log_clear();
    sim().fail_after("Stop", 1, kRefused);
    EXPECT_FALSE(compound.Stop());
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kRefused);
    EXPECT_EQ(playing(), (std::vector<unsigned>{made[1].id, made[2].id}));
    EXPECT_TRUE(compound.Stop());
    EXPECT_TRUE(playing().empty());
}

TEST_P(CompoundOn, AnEmptyCompoundPlaysWithoutTouchingTheDevice) {
    TestCompound compound(nullptr, 0);
    CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
    EXPECT_TRUE(compound.Start(1, 0));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_TRUE(compound.Stop());
    EXPECT_TRUE(compound.initialize(device(), nullptr));
    EXPECT_EQ(sim().log_count(), 0u);
}

TEST_P(CompoundOn, DestroysEachContainedEffectOnce) {
    Records three("play", "Three");
    TestCompound* fromRecords = new TestCompound(three.list(), three.count());
    ASSERT_TRUE(fromRecords->initialize(device(), three.list()));
    ASSERT_TRUE(fromRecords->Start(1, 0));
    const auto made = created();
    delete fromRecords;
    EXPECT_EQ(live_effects(), 0u);
    for (const auto& effect : made) {
        unsigned unloads = 0;
        for (const SimCall& call : calls("Unload"))
            unloads += call.object == effect.id;
        EXPECT_EQ(unloads, 1u) << "effect " << effect.id;
    }

    int destroyed = 0;
    TestCompound* filled = new TestCompound(nullptr, 2);
    for (int i = 0; i < 2; ++i) {
        CountedEffect* effect = new CountedEffect(destroyed);
        ASSERT_TRUE(effect->Initialize(device(), 0, 1, 100, 1000, nullptr));
        ASSERT_TRUE(filled->set_contained_effect(effect, i));
    }
    delete filled;
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(live_effects(), 0u);
}

FX_ON_BOTH_DEVICES(CompoundOn);

}  // namespace
