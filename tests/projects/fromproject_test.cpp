// InitializeFromProject: one project object into an effect object of the application's own.
#include "tests/projects/projectsfixture.h"

#include <memory>

namespace {

using prtest::project_path;

class FromProjectOn : public prtest::ProjectDevices {
protected:
    void SetUp() override {
        prtest::ProjectDevices::SetUp();
        ASSERT_TRUE(project_.OpenFile(project_path("play").c_str(), device()));
        sim().log_clear();
    }
    void TearDown() override {
        project_.Close();
        prtest::ProjectDevices::TearDown();
    }
    CTactraProject project_;
};

TEST_P(FromProjectOn, RefusalsCreateNothing) {
    CTactraProject closed;
    const struct {
        const char* what;
        CTactraProject* project;
        const char* name;
        LONG code;
    } rows[] = {
        {"no such object", &project_, "Nope", TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX},
        {"null name", &project_, nullptr, TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX},
        {"closed project", &closed, "Hum", TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX},
        {"no effect", &project_, "Label", TKL_ERR_NO_EFFECTS_FOUND},
        {"a compound", &project_, "Three", TKL_ERR_EFFECT_IS_COMPOUND},
        {"another kind", &project_, "Wind Up", TKL_ERR_INVALID_GUID},
    };
    for (const auto& row : rows) {
        CTactraPeriodic wave;
        EXPECT_FALSE(wave.InitializeFromProject(*row.project, row.name, device())) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.what;
        EXPECT_EQ(wave.GetGUID(), GUID_Tactra_Sine) << row.what;
    }
    EXPECT_EQ(sim().log_count(), 0u);
}

TEST_P(FromProjectOn, TakesTheObjectsKindOnTheProjectsDevice) {
    CTactraPeriodic wave;  // a sine until loaded
    ASSERT_TRUE(wave.InitializeFromProject(project_, "Hum", nullptr))
        << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(wave.GetGUID(), GUID_Tactra_Square);
    const auto made = created();
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].kind, device_kind(GUID_Tactra_Square));
    EXPECT_EQ(fxtest::block_word(last("CreateEffect").params, 0), 3000) << "magnitude";
    EXPECT_TRUE(wave.Start(1, 0));


    // The project's force profiles carry no samples, which the devices refuse; the plain
    // effect still takes the kind and asks the device for it.
    CTactraEffect plain(GUID_Tactra_ConstantForce);
    sim().log_clear();
    EXPECT_FALSE(plain.InitializeFromProject(project_, "Recorded", device()));
    EXPECT_EQ(plain.GetGUID(), GUID_Tactra_CustomForce);
    ASSERT_EQ(calls("CreateEffect").size(), 1u);
    EXPECT_FALSE(SUCCEEDED(last("CreateEffect").result));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), last("CreateEffect").result);
}

TEST_P(FromProjectOn, MadeOnTheDeviceGivenRatherThanTheProjects) {
    CTactraDevice* other = directInput() ? mouse_ : dinput_;
    SimClient& otherSim = directInput() ? mouseSim_ : diSim_;
    otherSim.log_clear();
    CTactraConstant click;
    ASSERT_TRUE(click.InitializeFromProject(project_, "Click", other))
        << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_TRUE(created().empty()) << "nothing on the project's device";
    EXPECT_EQ(otherSim.effect_count(), 1u);
    ASSERT_TRUE(click.Start(1, 0));
    SimEffectState state = {};
    ASSERT_TRUE(otherSim.effect_get(0, &state));
    EXPECT_TRUE(state.playing);
}

TEST_P(FromProjectOn, ConditionClassesTakeTheirKinds) {
    CTactraSpring spring;
    EXPECT_FALSE(spring.InitializeFromProject(project_, "Syrup", nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
    EXPECT_TRUE(created().empty());

    // A project spring stays a spring here, also on DirectInput.
    ASSERT_TRUE(spring.InitializeFromProject(project_, "Centering", nullptr))
        << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(spring.GetGUID(), GUID_Tactra_Spring);
    ASSERT_FALSE(created().empty());
    EXPECT_EQ(created().back().kind, device_kind(GUID_Tactra_Spring));

    // The plain condition accepts a texture object: it takes the kind and asks the device.
    CTactraCondition condition(GUID_Tactra_Damper);
    sim().log_clear();
    const BOOL loaded = condition.InitializeFromProject(project_, "Ridges", nullptr);
    EXPECT_EQ(condition.GetGUID(), GUID_Tactra_Texture);
    ASSERT_EQ(calls("CreateEffect").size(), 1u);
    const SimCall asked = last("CreateEffect");
    EXPECT_EQ(bool(loaded), SUCCEEDED(asked.result));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), SUCCEEDED(asked.result) ? TKL_ERR_NONE : asked.result);
}

TEST_P(FromProjectOn, AFailedInitializeKeepsItsCode) {
    CTactraConstant click;
    sim().fail_next("CreateEffect", TACTRA_ERROR_DEVICEFULL);
    EXPECT_FALSE(click.InitializeFromProject(project_, "Click", nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_DEVICEFULL);
    EXPECT_TRUE(click.InitializeFromProject(project_, "Click", nullptr));
    EXPECT_EQ(live_effects(), 1u);
}

FX_ON_BOTH_DEVICES(FromProjectOn);

}  // namespace
