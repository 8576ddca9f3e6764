// The condition and texture objects of the sample project files, built by the project
// library and played on both devices through each class's virtual Initialize, as projects will
// load them: on DirectInput a spring is a device-unit spring, and DirectInput refuses textures.
#include "tests/effects/conditiontest.h"

#include <cmath>
#include <memory>
#include <string>

using namespace fxtest;

namespace {

// The sample project files, as the build makes them from examples/projects/*.json.
const char* const kSampleFiles[] = {"showcase", "desktop"};

class Project {
public:
    explicit Project(HTVXPROJECT handle) : handle_(handle) {}
    ~Project() {
        if (handle_)
            TVXReleaseProject(handle_);
    }
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    HTVXPROJECT get() const { return handle_; }

private:
    HTVXPROJECT handle_;
};

// One object's effect records, released with the project's function.
class Records {
public:
    Records(HTVXPROJECT project, int index)
        : project_(project), list_(TVXCreateEffectStructsByIndex(project, index, &count_)) {}
    ~Records() {
        if (list_)
            TVXReleaseEffectStructs(project_, list_);
    }
    Records(const Records&) = delete;
    Records& operator=(const Records&) = delete;
    std::vector<TVXEffect*> effects() const {
        std::vector<TVXEffect*> out;
        for (TVXEffect** e = list_; e && *e; ++e)
            out.push_back(*e);
        return out;
    }
private:
    HTVXPROJECT project_;
    int count_ = 0;
    TVXEffect** list_;
};

bool same(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class SampleProjects : public Conditions {
protected:
    // The class a project makes for the kind on this test's device.
    std::unique_ptr<CTactraEffect> object_for(const GUID& kind) const {
        CTactraEffect* e = nullptr;
        if (same(kind, GUID_Tactra_Spring))
            e = directInput() ? static_cast<CTactraEffect*>(new CTactraCondition(GUID_Tactra_DeviceSpring))
                              : new CTactraSpring;
        else if (same(kind, GUID_Tactra_Damper))
            e = new CTactraDamper;
        else if (same(kind, GUID_Tactra_Inertia))
            e = new CTactraInertia;
        else if (same(kind, GUID_Tactra_Friction))
            e = new CTactraFriction;
        else if (same(kind, GUID_Tactra_Texture))
            e = new CTactraTexture;
        return std::unique_ptr<CTactraEffect>(e);
    }

    // What the device must receive for a condition record: the record's axes and block, the
    // fixed values, directions 1 in forms 1 to 3; a directional spring on the force mouse
    // takes the offset of its line through (offset, 0).
    Created expected_condition(const TVXEffect& effect) const {
        const TACTRA_EFFECT& r = *effect.lpEffect;
        Created c;
        c.flags = CART;
        c.axes.assign(r.rgdwAxes, r.rgdwAxes + r.cAxes);
        c.block.resize(r.cbTypeSpecificParams / sizeof(LONG));
        std::memcpy(c.block.data(), r.lpvTypeSpecificParams, r.cbTypeSpecificParams);
        const bool directional = r.cAxes == 2 && r.cbTypeSpecificParams == sizeof(Cond);
        if (!directional) {
            c.direction.assign(r.cAxes, 1);
            return c;
        }
        const LONG x = r.rglDirection[0], y = r.rglDirection[1];
        c.direction = {x, y};
        if (same(effect.guid, GUID_Tactra_Spring) && !directInput())
            c.block[0] = LONG(std::trunc(double(c.block[0]) * x / std::sqrt(double(x) * x + double(y) * y)));
        return c;
    }

    void play(const TVXEffect& effect) {
        std::unique_ptr<CTactraEffect> object = object_for(effect.guid);
        ASSERT_NE(object, nullptr) << "no class for " << effect.guid;
        GUID kind = effect.guid;
        EXPECT_TRUE(object->GetIsCompatibleGUID(kind));
        sim().log_clear();
        const BOOL created = object->Initialize(device(), *effect.lpEffect);
        if (same(effect.guid, GUID_Tactra_Texture)) {
            if (directInput()) {
                EXPECT_FALSE(created);
                EXPECT_EQ(CTKLErrors::GetLastErrorCode(), DIERR_DEVICENOTREG);
                return;
            }
            ASSERT_TRUE(created) << "code " << CTKLErrors::GetLastErrorCode();
            const TACTRA_EFFECT& r = *effect.lpEffect;
            const SimEffectParams p = last("CreateEffect").params;
            EXPECT_EQ(p.dwFlags, r.dwFlags);
            EXPECT_EQ(p.dwDuration, r.dwDuration);
            EXPECT_EQ(p.cAxes, r.cAxes);
            EXPECT_EQ(p.rgdwAxes[0], r.rgdwAxes[0]);
            std::vector<LONG> block(r.cbTypeSpecificParams / sizeof(LONG));
            std::memcpy(block.data(), r.lpvTypeSpecificParams, r.cbTypeSpecificParams);
            EXPECT_EQ(block_words(p), block);
        } else {
            ASSERT_TRUE(created) << "code " << CTKLErrors::GetLastErrorCode();
            EXPECT_EQ(last("CreateEffect").params.guid, device_kind(effect.guid));
            expect_created(expected_condition(effect));
        }
        EXPECT_TRUE(object->Start(1, 0)) << "code " << CTKLErrors::GetLastErrorCode();
        EXPECT_TRUE(object->Stop()) << "code " << CTKLErrors::GetLastErrorCode();
    }
};
FX_ON_BOTH_DEVICES(SampleProjects);

// Every condition and texture record of every sample object plays; the samples hold at least
// one of each such kind.
TEST_P(SampleProjects, ConditionAndTextureObjectsPlay) {
    const GUID kinds[] = {GUID_Tactra_Spring, GUID_Tactra_Damper, GUID_Tactra_Inertia,
                          GUID_Tactra_Friction, GUID_Tactra_Texture};
    bool played[5] = {};
    for (const char* stem : kSampleFiles) {
        const std::string path = std::string(TKL_SAMPLE_PROJECTS) + "/" + stem + ".tvx";
        Project project(TVXLoadProjectFile(path.c_str(), nullptr));
        ASSERT_NE(project.get(), nullptr) << path;
        for (int i = 0; const char* name = TVXGetObjectNameByIndex(project.get(), i); ++i) {
            SCOPED_TRACE(std::string(stem) + ": " + name);
            Records records(project.get(), i);
            for (TVXEffect* effect : records.effects()) {
                for (int k = 0; k < 5; ++k) {
                    if (same(effect->guid, kinds[k])) {
                        play(*effect);
                        played[k] = true;
                    }
                }
            }
        }
    }
    for (int k = 0; k < 5; ++k)
        EXPECT_TRUE(played[k]) << "no sample object of kind " << kinds[k];
}

}  // namespace
