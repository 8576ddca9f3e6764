// The condition and texture objects of the sample projects (examples/projects/*.json), built
// by the project library and played on both devices through each class's virtual Initialize,
// as projects will load them: on DirectInput a spring is a device-unit spring, and DirectInput
// refuses textures.
#include "tests/effects/conditiontest.h"
#include "tools/tvx/effectdescription.h"
#include "tools/tvx/projectwriter.h"

#include <cmath>
#include <memory>
#include <string>

using namespace fxtest;

namespace {

struct SampleProject {
    const char* file;  // the sample's name in examples/projects
    std::vector<tvx::ObjectDescription> objects;
};

tvx::ObjectDescription object(const char* name, const char* type, const tvx::Pairs& props) {
    tvx::ObjectDescription o;
    o.name = name;
    o.type = type;
    o.typeProperties = props;
    return o;
}

// The objects of types "Spring", "Slope", "Damper", "Inertia", "Friction", "Axis Wall",
// "Angle Wall" and "Texture", with their properties as the samples give them.
const std::vector<SampleProject>& samples() {
    static const std::vector<SampleProject> kSamples = {
        {"showcase",
         {object("Centering Spring", "Spring",
                 {{"Axes", "2"}, {"PosCoefficient", "6000"}, {"NegCoefficient", "6000"},
                  {"DeadBand", "200"}, {"PosCoefficient2", "4000"}, {"NegCoefficient2", "4000"}}),
          object("Hill", "Slope",
                 {{"Axes", "3"}, {"Direction", "4500"}, {"PosCoefficient", "3000"},
                  {"NegCoefficient", "-3000"}}),
          object("Syrup", "Damper", {{"Axes", "2"}, {"PosCoefficient", "7000"}}),
          object("Heavy Load", "Inertia", {{"Axes", "1"}, {"PosCoefficient", "5000"}}),
          object("Sandpaper", "Friction",
                 {{"PosCoefficient", "2500"}, {"NegCoefficient", "2500"}, {"PosSaturation", "8000"}}),
          object("Left Edge", "Axis Wall",
                 {{"Axis", "0"}, {"Offset", "-4000"}, {"Hardness", "9000"}, {"WallSense", "1"}}),
          object("Diagonal Stop", "Angle Wall",
                 {{"Direction", "13500"}, {"Offset", "2000"}, {"Hardness", "7000"}}),
          object("Corduroy", "Texture",
                 {{"TextureStyle", "3"}, {"PosRoughness", "40"}, {"NegRoughness", "40"}}),
          object("Gravel", "Texture", {{"PosRoughness", "120"}, {"NegRoughness", "90"}})}},
        {"desktop",
         {object("Button Edge", "Axis Wall", {{"Axis", "1"}, {"Offset", "0"}, {"Hardness", "6000"}}),
          object("Scroll Detents", "Texture",
                 {{"TextureStyle", "12"}, {"PosRoughness", "60"}, {"NegRoughness", "60"}})}},
    };
    return kSamples;
}

class Project {
public:
    explicit Project(const std::string& bytes)
        : handle_(TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), nullptr)) {}
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
    Records(HTVXPROJECT project, const std::string& name)
        : project_(project), list_(TVXCreateEffectStructs(project, name.c_str(), &count_)) {}
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
    std::vector<std::string> described() const {
        std::vector<std::string> out;
        for (TVXEffect* e : effects())
            out.push_back(tvx::describe_effect(*e));
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

TEST_P(SampleProjects, ConditionAndTextureObjectsPlay) {
    for (const SampleProject& sample : samples()) {
        Project project(tvx::write_project(sample.objects));
        ASSERT_NE(project.get(), nullptr) << sample.file;
        for (const tvx::ObjectDescription& o : sample.objects) {
            SCOPED_TRACE(std::string(sample.file) + ": " + o.name);
            Records records(project.get(), o.name);
            const std::vector<TVXEffect*> effects = records.effects();
            ASSERT_FALSE(effects.empty());
            for (TVXEffect* effect : effects)
                play(*effect);
        }
    }
}

#if defined(TKL_SAMPLE_PROJECTS)
// The objects above are the samples' own: the built sample files give the same records.
TEST(SampleProjectFiles, HoldTheObjectsPlayedAbove) {
    for (const SampleProject& sample : samples()) {
        const std::string path = std::string(TKL_SAMPLE_PROJECTS) + "/" + sample.file + ".tvx";
        Project file(TVXLoadProjectFile(path.c_str(), nullptr));
        ASSERT_NE(file.get(), nullptr) << path;
        Project written(tvx::write_project(sample.objects));
        for (const tvx::ObjectDescription& o : sample.objects) {
            SCOPED_TRACE(path + ": " + o.name);
            const std::vector<std::string> fromFile = Records(file.get(), o.name).described();
            EXPECT_FALSE(fromFile.empty());
            EXPECT_EQ(fromFile, Records(written.get(), o.name).described());
        }
    }
}
#endif

}  // namespace
