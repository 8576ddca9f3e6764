// The texture on the force mouse (DirectInput refuses it): forms, size fields, markers, change
// checks and masks, and a texture loaded from a project record.
#include "tests/effects/conditiontest.h"

#include <functional>
#include <memory>
#include <string>

using namespace fxtest;

namespace {

typedef TACTRA_TEXTURE Tex;

Tex tex(LONG offset, LONG p1, DWORD p2, DWORD pr, LONG n1, DWORD n2, DWORD nr,
        DWORD size = sizeof(Tex)) {
    const Tex t = {size, offset, p1, p2, pr, n1, n2, nr};
    return t;
}

// Callers' records with a size field of 0: the stored records keep 32.
const Tex TX = tex(50, 100, 20, 3, -100, 20, 3, 0);
const Tex TY = tex(60, 7, 8, 9, -7, 8, 9, 0);
const Tex* const KEEP_TEXTURE = TKL_RECORD_NOT_GIVEN(TACTRA_TEXTURE);

// A record as the device receives it, with the size field the object always sets.
Tex stored(Tex t) {
    t.dwSize = sizeof(Tex);
    return t;
}

using Init = std::function<BOOL(CTactraTexture&, CTactraDevice*)>;
using Texture = std::unique_ptr<CTactraTexture>;

const Init kXOnly = [](CTactraTexture& t, CTactraDevice* d) { return t.InitTexture(d, &TX, nullptr); };
const Init kTwoAxes = [](CTactraTexture& t, CTactraDevice* d) { return t.InitTexture(d, &TX, &TY); };
const Init kDirectional = [](CTactraTexture& t, CTactraDevice* d) {
    return t.InitTexturePolar(d, &TX, 9000);
};

class TextureOnMouse : public Conditions {
protected:
    Texture made(const Init& init) {
        Texture texture(new CTactraTexture);
        EXPECT_TRUE(init(*texture, device())) << "code " << CTKLErrors::GetLastErrorCode();
        sim().log_clear();
        return texture;
    }
};
INSTANTIATE_TEST_SUITE_P(, TextureOnMouse, ::testing::Values(DeviceKind::ForceMouse), kind_suffix);

TEST_P(TextureOnMouse, EveryFormFromRecordsAndValues) {
    const Tex values = tex(50, 100, 20, 3, -100, 20, 3);
    Tex valuesY = values;
    valuesY.lOffset = 60;
    const struct {
        const char* name;
        Init init;
        Created created;
    } rows[] = {
        {"X record", kXOnly, {CART, {0}, {1}, words({stored(TX)})}},
        {"Y record", [](CTactraTexture& t, CTactraDevice* d) { return t.InitTexture(d, nullptr, &TY); },
         {CART, {4}, {1}, words({stored(TY)})}},
        {"both records", kTwoAxes, {CART, {0, 4}, {1, 1}, words({stored(TX), stored(TY)})}},
        {"record and x, y", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexture(d, &TX, 3, -4); },
         {CART, {0, 4}, {3, -4}, words({stored(TX)})}},
        {"record and angle", kDirectional, {POLAR, {0, 4}, {9000, 0}, words({stored(TX)})}},
        {"values, form 1", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexture(d, 100, 20, 3, -100, 20, 3, 1, pt(50, 60), 0, 0); },
         {CART, {0}, {1}, words({values})}},
        {"values, form 2", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexture(d, 100, 20, 3, -100, 20, 3, 2, pt(50, 60), 0, 0); },
         {CART, {4}, {1}, words({valuesY})}},
        {"values, form 3", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexture(d, 100, 20, 3, -100, 20, 3, 3, pt(50, 60), 0, 0); },
         {CART, {0, 4}, {1, 1}, words({values, valuesY})}},
        {"values, form 4", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexture(d, 100, 20, 3, -100, 20, 3, 4, pt(50, 60), 0, 7); },
         {CART, {0, 4}, {0, 7}, words({values})}},
        {"polar values", [](CTactraTexture& t, CTactraDevice* d) {
             return t.InitTexturePolar(d, 100, 20, 3, -100, 20, 3, pt(50, 60), 4500); },
         {POLAR, {0, 4}, {4500, 0}, words({values})}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        CTactraTexture texture;
        sim().log_clear();
        ASSERT_TRUE(row.init(texture, device())) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_EQ(last("CreateEffect").params.guid, GUID_Tactra_Texture);
        expect_created(row.created);
    }
}

TEST_P(TextureOnMouse, ChangesKeepWhatIsNotGivenAndSendTheirMasks) {
    const LONG N = NG;
    const Tex roughnessOnly = tex(N, N, NGD, 44, N, NGD, NGD);
    const Tex offsetMinusOne = tex(-1, N, NGD, NGD, N, NGD, NGD);
    Tex rough = stored(TX);
    rough.dwPositiveRoughness = 44;
    Tex atMinusOne = stored(TX);
    atMinusOne.lOffset = -1;
    const struct {
        const char* name;
        Init init;
        std::function<BOOL(CTactraTexture&)> change;
        Sent sent;
    } rows[] = {
        {"record and direction", kDirectional,
         [&](CTactraTexture& t) { return t.ChangeTextureParams(&roughnessOnly, 1000, 0); },
         Sent(DIR | BLOCK).direction(CART, 1000, 0).block(words({rough}))},
        {"angle alone", kDirectional,
         [](CTactraTexture& t) { return t.ChangeTextureParamsPolar(KEEP_TEXTURE, 4500); },
         Sent(DIR).direction(POLAR, 4500, 0)},
        {"an offset of -1 is stored", kXOnly,
         [&](CTactraTexture& t) { return t.ChangeTextureParams(&offsetMinusOne, nullptr); },
         Sent(BLOCK).block(words({atMinusOne}))},
        {"offset", kTwoAxes, [](CTactraTexture& t) { return t.SetOffset(pt(10, 20)); },
         Sent(BLOCK).block(words({tex(10, 100, 20, 3, -100, 20, 3), tex(20, 7, 8, 9, -7, 8, 9)}))},
        {"offset (-1, -1)", kTwoAxes, [](CTactraTexture& t) { return t.SetOffset(pt(-1, -1)); },
         Sent(0)},
        {"a value alone", kTwoAxes, [](CTactraTexture& t) {
             return t.ChangeTextureParamsPolar(N, NGD, NGD, 5, NGD, NGD, pt(-1, 3), N); },
         Sent(BLOCK).block(words({tex(-1, 100, 20, 3, 5, 20, 3), tex(3, 7, 8, 9, 5, 8, 9)}))},
        {"values and angle", kDirectional, [](CTactraTexture& t) {
             return t.ChangeTextureParamsPolar(N, NGD, NGD, N, NGD, NGD, pt(-1, 0), 0); },
         Sent(DIR).direction(POLAR, 0, 0)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Texture texture = made(row.init);
        EXPECT_TRUE(row.change(*texture)) << "code " << CTKLErrors::GetLastErrorCode();
        expect_sent(row.sent);
    }
}

// The offsets of (-1, -1) are stored though not sent; the next change of the block sends
// them. An offset change is always Cartesian.
TEST_P(TextureOnMouse, OffsetsAreStoredAsGiven) {
    Texture texture = made(kDirectional);
    ASSERT_TRUE(texture->SetOffset(pt(-1, -1)));
    EXPECT_EQ(sent_mask(), 0u);
    EXPECT_EQ(last("SetParameters").params.dwFlags, CART);
    ASSERT_TRUE(texture->ChangeTextureParams(NG, NGD, 77, NG, NGD, NGD, NO_POINT, NG, NG));
    Tex expected = stored(TX);
    expected.lOffset = -1;
    expected.dwPositiveRoughness = 77;
    EXPECT_EQ(sent_block(), words({expected}));
}

TEST_P(TextureOnMouse, ChangesMustFitTheForm) {
    const LONG OK = TKL_ERR_NONE, BAD = TKL_ERR_INVALID_PARAMETER;
    using Change = std::function<BOOL(CTactraTexture&)>;
    auto records = [](const Tex* x, const Tex* y) -> Change {
        return [=](CTactraTexture& t) { return t.ChangeTextureParams(x, y); };
    };
    const struct {
        Init init;
        Change change;
        LONG code;
    } rows[] = {
        {kXOnly, records(&TX, KEEP_TEXTURE), OK},
        {kXOnly, records(nullptr, &TY), BAD},
        {kTwoAxes, records(KEEP_TEXTURE, &TY), OK},
        {kTwoAxes, records(KEEP_TEXTURE, KEEP_TEXTURE), BAD},
        {kDirectional, records(&TX, &TY), TKL_ERR_WRONG_FORM},
        {kDirectional, [](CTactraTexture& t) { return t.ChangeTextureParams(&TX, 1, 1); }, OK},
        {kXOnly, [](CTactraTexture& t) { return t.ChangeTextureParams(&TX, 1, 1); }, BAD},
        {kTwoAxes, [](CTactraTexture& t) { return t.ChangeTextureParamsPolar(&TX, 1); }, BAD},
    };
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        Texture texture = made(rows[i].init);
        EXPECT_EQ(bool(rows[i].change(*texture)), rows[i].code == OK);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].code);
        EXPECT_EQ(calls("SetParameters").size(), rows[i].code == OK ? 1u : 0u);
    }
}

// Loaded as a project loads it, a texture has no form: it plays, but its changes fail.
TEST_P(TextureOnMouse, TextureFromAProjectRecordCannotBeChanged) {
    DWORD axes[1] = {TACTRA_AXIS_Y};
    LONG direction[1] = {10000};
    Tex block = stored(TY);
    TACTRA_EFFECT record = {};
    record.dwSize = sizeof record;
    record.dwFlags = CART;
    record.dwDuration = TACTRA_INFINITE;
    record.dwGain = 10000;
    record.dwTriggerButton = TACTRA_NOTRIGGER;
    record.cAxes = 1;
    record.rgdwAxes = axes;
    record.rglDirection = direction;
    record.cbTypeSpecificParams = sizeof block;
    record.lpvTypeSpecificParams = &block;
    CTactraTexture texture;
    ASSERT_TRUE(texture.Initialize(device(), record));
    EXPECT_EQ(block_words(last("CreateEffect").params), words({block}));
    EXPECT_EQ(last("CreateEffect").params.rglDirection[0], 10000);
    ASSERT_TRUE(texture.Start(1, 0));
    const std::pair<LONG, std::function<BOOL()>> rows[] = {
        {TKL_ERR_INVALID_PARAMETER, [&] { return texture.ChangeTextureParams(&TX, nullptr); }},
        {TKL_ERR_INVALID_PARAMETER, [&] { return texture.ChangeTextureParams(&TX, 1, 1); }},
        {TKL_ERR_INVALID_PARAMETER, [&] { return texture.ChangeTextureParamsPolar(&TX, 1); }},
        {TKL_ERR_NONE, [&] { return texture.ChangeTextureParams(1, 2, 3, 4, 5, 6, pt(1, 1), 1, 1); }},
        {TKL_ERR_NONE, [&] { return texture.ChangeTextureParamsPolar(1, 2, 3, 4, 5, 6, pt(1, 1), 1); }},
        {TKL_ERR_NONE, [&] { return texture.SetOffset(pt(1, 1)); }},
    };
    sim().log_clear();
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(rows[i].second()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), rows[i].first) << "row " << i;
    }
    EXPECT_TRUE(calls("SetParameters").empty());
}

TEST_P(TextureOnMouse, CopiesReferToTheirOwnRecords) {
    struct Probe : CTactraTexture {
        bool record_is_own() const {
            return m_Effect.rgdwAxes == m_dwaAxes && m_Effect.rglDirection == m_laDirection &&
                   m_Effect.lpvTypeSpecificParams == m_Textures;
        }
    };
    Probe source;
    ASSERT_TRUE(source.InitTexture(device(), &TX, &TY));
    Probe copy(source), assigned;
    assigned = source;
    EXPECT_TRUE(copy.record_is_own());
    EXPECT_TRUE(assigned.record_is_own());
    EXPECT_EQ(copy.GetEffect(), nullptr);
    ASSERT_TRUE(copy.InitTexture(device(), KEEP_TEXTURE, KEEP_TEXTURE));
    EXPECT_EQ(block_words(last("CreateEffect").params), words({stored(TX), stored(TY)}));
}

class TextureOnDirectInput : public Conditions {};
INSTANTIATE_TEST_SUITE_P(, TextureOnDirectInput, ::testing::Values(DeviceKind::DirectInput),
                         kind_suffix);

TEST_P(TextureOnDirectInput, IsRefusedWithTheDevicesResult) {
    CTactraTexture texture;
    EXPECT_FALSE(texture.InitTexture(device(), &TX, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_DEVICENOTREG);
    EXPECT_EQ(last("CreateEffect").guid, GUID_Tactra_Texture);
}

TEST(TextureWithoutDevice, FailuresBeforeTheDevice) {
    CTactraTexture texture;
    // Initialisations that fail before reaching the device leave the last code as it was.
    const std::function<BOOL()> quiet[] = {
        [&] { return texture.InitTexture(nullptr, nullptr, nullptr); },
        [&] { return texture.InitTexture(nullptr, nullptr, 1, 1); },
        [&] { return texture.InitTexturePolar(nullptr, nullptr, 1); },
        [&] { return texture.InitTexture(nullptr, 1, 2, 3, 4, 5, 6, 0, pt(0, 0), 1, 1); },
        [&] { return texture.InitTexture(nullptr, 1, 2, 3, 4, 5, 6, 5, pt(0, 0), 1, 1); },
    };
    for (size_t i = 0; i < sizeof quiet / sizeof quiet[0]; ++i) {
        CTKLErrors::SetErrorCode(TKL_ERR_CANT_INIT_DEVICE);
        EXPECT_FALSE(quiet[i]()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_INIT_DEVICE) << "row " << i;
    }
    EXPECT_FALSE(texture.InitTexture(nullptr, &TX, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    const std::function<BOOL()> changes[] = {
        [&] { return texture.ChangeTextureParams(&TX, &TY); },
        [&] { return texture.ChangeTextureParams(&TX, 1, 1); },
        [&] { return texture.ChangeTextureParamsPolar(&TX, 1); },
        [&] { return texture.ChangeTextureParams(1, 2, 3, 4, 5, 6, pt(0, 0), 1, 1); },
        [&] { return texture.ChangeTextureParamsPolar(1, 2, 3, 4, 5, 6, pt(0, 0), 1); },
        [&] { return texture.SetOffset(pt(0, 0)); },
    };
    for (size_t i = 0; i < sizeof changes / sizeof changes[0]; ++i) {
        EXPECT_FALSE(changes[i]()) << "row " << i;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_EFFECT_NOT_INITIALIZED) << "row " << i;
    }
}

}  // namespace
