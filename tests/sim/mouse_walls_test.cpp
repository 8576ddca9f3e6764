// The software force mouse's wall kinds: the inner effect an enclosure or ellipse refers to is
// one of the mouse's own live effects, is never followed, and is dropped when released.
#include "simtest.h"

#include <cstddef>
#include <cstring>

namespace {

using simtest::MouseRecord;
using simtest::MouseRig;

struct WallKind {
    const char* name;
    const GUID* kind;
    size_t innerAt;  // where the block keeps its inner effect
};

const WallKind kWalls[] = {
    {"enclosure", &GUID_Tactra_Enclosure, offsetof(TACTRA_ENCLOSURE, piInnerEffect)},
    {"ellipse", &GUID_Tactra_Ellipse, offsetof(TACTRA_ELLIPSE, piInnerEffect)},
};

class MouseWallTest : public MouseRig {
protected:
    void TearDown() override {
        for (ITactraEffect* e : made)
            if (e)
                e->Release();
        MouseRig::TearDown();
    }
    // An effect of the kind; the record's block refers to `inner`. S_OK or the device's answer.
    HRESULT make(const WallKind& wall, ITactraEffect* inner, ITactraEffect** out,
                 ITactraDevice* on = nullptr) {
        MouseRecord r(*wall.kind);
        set_inner(r, wall, inner);
        *out = nullptr;
        const HRESULT hr = (on ? on : device)->CreateEffect(&r.e, out, nullptr);
        made[count++] = *out;
        return hr;
    }
    ITactraEffect* plain() {
        MouseRecord r(GUID_Tactra_ConstantForce);
        ITactraEffect* e = nullptr;
        EXPECT_EQ(device->CreateEffect(&r.e, &e, nullptr), S_OK);
        made[count++] = e;
        return e;
    }
    // Sends a whole block whose inner effect is `inner`.
    HRESULT change(const WallKind& wall, ITactraEffect* effect, ITactraEffect* inner) {
        MouseRecord r(*wall.kind);
        set_inner(r, wall, inner);
        return effect->SetParameters(&r.e, TACTRA_EP_TYPESPECIFICPARAMS);
    }
    static void set_inner(MouseRecord& r, const WallKind& wall, ITactraEffect* inner) {
        std::memcpy(r.block + wall.innerAt, &inner, sizeof inner);
    }
    // The inner effect the device keeps for the effect with that log id.
    ITactraEffect* stored_inner(const WallKind& wall, unsigned object) {
        for (unsigned i = 0; i < sim.effect_count(); ++i) {
            SimEffectState s = {};
            sim.effect_get(i, &s);
            if (s.object != object)
                continue;
            ITactraEffect* inner;
            std::memcpy(&inner, s.params.typeSpecific + wall.innerAt, sizeof inner);
            return inner;
        }
        ADD_FAILURE() << "no live effect " << object;
        return nullptr;
    }
    unsigned id_of_last_created() {
        SimCall call = {};
        for (unsigned i = 0; i < sim.log_count(); ++i) {
            SimCall c = {};
            sim.log_get(i, &c);
            if (std::strcmp(c.op, "CreateEffect") == 0)
                call = c;
        }
        return call.args[0];
    }

    ITactraEffect* made[16] = {};
    unsigned count = 0;
};

// Plain memory where an interface would be: a device that called through it would crash.
alignas(8) BYTE notAnEffect[64] = {};

TEST_F(MouseWallTest, OnlyTheDevicesOwnLiveEffectsAreInnerEffects) {
    ITactraDevice* second = nullptr;
    ASSERT_EQ(api->CreateDevice(first_instance(), &second, nullptr), S_OK);
    ASSERT_EQ(second->Acquire(), S_OK);
    for (const WallKind& wall : kWalls) {
        SCOPED_TRACE(wall.name);
        std::memset(notAnEffect, 0xCC, sizeof notAnEffect);
        ITactraEffect* const foreign = reinterpret_cast<ITactraEffect*>(notAnEffect);
        ITactraEffect* elsewhere = nullptr;
        MouseRecord r(GUID_Tactra_Sine);
        ASSERT_EQ(second->CreateEffect(&r.e, &elsewhere, nullptr), S_OK);

        ITactraEffect* wallEffect = nullptr;
        EXPECT_EQ(make(wall, foreign, &wallEffect), TACTRA_ERROR_INVALIDPARAM);
        EXPECT_EQ(wallEffect, nullptr);
        EXPECT_EQ(make(wall, elsewhere, &wallEffect), TACTRA_ERROR_INVALIDPARAM)
            << "an effect of another device object";

        ITactraEffect* inner = plain();
        ASSERT_EQ(make(wall, inner, &wallEffect), S_OK);
        const unsigned id = id_of_last_created();
        EXPECT_EQ(stored_inner(wall, id), inner);
        EXPECT_EQ(change(wall, wallEffect, foreign), TACTRA_ERROR_INVALIDPARAM);
        EXPECT_EQ(change(wall, wallEffect, wallEffect), TACTRA_ERROR_INVALIDPARAM) << "itself";
        EXPECT_EQ(stored_inner(wall, id), inner) << "a refused change keeps the block";

        // Walls inside walls, but never in a circle.
        ITactraEffect* outer = nullptr;
        ASSERT_EQ(make(wall, wallEffect, &outer), S_OK);
        EXPECT_EQ(change(wall, wallEffect, outer), TACTRA_ERROR_INVALIDPARAM);
        EXPECT_EQ(change(wall, wallEffect, nullptr), S_OK);
        EXPECT_EQ(stored_inner(wall, id), nullptr);

        // A change that does not send the block does not look at it.
        MouseRecord spoilt(*wall.kind);
        set_inner(spoilt, wall, foreign);
        EXPECT_EQ(wallEffect->SetParameters(&spoilt.e, TACTRA_EP_GAIN), S_OK);
        elsewhere->Release();
    }
    second->Release();
}

TEST_F(MouseWallTest, AReleasedInnerEffectIsDroppedFromTheWallsThatReferToIt) {
    for (const WallKind& wall : kWalls) {
        SCOPED_TRACE(wall.name);
        ITactraEffect* inner = plain();
        ITactraEffect* kept = plain();
        ITactraEffect *first = nullptr, *second = nullptr, *other = nullptr;
        ASSERT_EQ(make(wall, inner, &first), S_OK);
        const unsigned firstId = id_of_last_created();
        ASSERT_EQ(make(wall, inner, &second), S_OK);
        const unsigned secondId = id_of_last_created();
        ASSERT_EQ(make(wall, kept, &other), S_OK);
        const unsigned otherId = id_of_last_created();

        inner->AddRef();   // a second reference of the application's
        inner->Release();  // one of two: still alive, still referred to
        EXPECT_EQ(stored_inner(wall, firstId), inner);
        for (ITactraEffect*& e : made)
            if (e == inner)
                e = nullptr;
        inner->Release();  // the last reference

        EXPECT_EQ(stored_inner(wall, firstId), nullptr);
        EXPECT_EQ(stored_inner(wall, secondId), nullptr);
        EXPECT_EQ(stored_inner(wall, otherId), kept) << "other walls keep theirs";

        // What the wall reports and how it goes on.
        TACTRA_EFFECT back = {};
        BYTE block[sizeof(TACTRA_ENCLOSURE)];
        std::memset(block, 0xAB, sizeof block);
        back.dwSize = sizeof back;
        back.cbTypeSpecificParams = sizeof block;
        back.lpvTypeSpecificParams = block;
        ASSERT_EQ(first->GetParameters(&back, TACTRA_EP_TYPESPECIFICPARAMS), S_OK);
        ITactraEffect* reported;
        std::memcpy(&reported, block + wall.innerAt, sizeof reported);
        EXPECT_EQ(reported, nullptr);
        EXPECT_EQ(first->Start(1, 0), S_OK);
        EXPECT_EQ(change(wall, first, inner), TACTRA_ERROR_INVALIDPARAM)
            << "the released interface is no effect of the device any more";
    }
}

TEST_F(MouseWallTest, WallBlocksAreDeepCopies) {
    for (const WallKind& wall : kWalls) {
        SCOPED_TRACE(wall.name);
        ITactraEffect* inner = plain();
        MouseRecord r(*wall.kind);
        RECT box = {10, 20, 109, 219};
        std::memcpy(r.block + sizeof(DWORD), &box, sizeof box);
        set_inner(r, wall, inner);
        ITactraEffect* effect = nullptr;
        ASSERT_EQ(device->CreateEffect(&r.e, &effect, nullptr), S_OK);
        made[count++] = effect;
        const unsigned id = id_of_last_created();
        std::memset(r.block + sizeof(DWORD), 0, r.e.cbTypeSpecificParams - sizeof(DWORD));

        SimEffectState s = {};
        for (unsigned i = 0; i < sim.effect_count(); ++i)
            if (sim.effect_get(i, &s) && s.object == id)
                break;
        ASSERT_EQ(s.object, id);
        EXPECT_EQ(s.params.cbTypeSpecificParams, r.e.cbTypeSpecificParams);
        RECT kept;
        std::memcpy(&kept, s.params.typeSpecific + sizeof(DWORD), sizeof kept);
        EXPECT_EQ(kept.left, 10);
        EXPECT_EQ(kept.bottom, 219);
        EXPECT_EQ(stored_inner(wall, id), inner);
    }
}

}  // namespace
