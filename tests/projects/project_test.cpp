// CTactraProject: opening, creating compounds by name and position, playing by name, adding
// the application's effects and closing, through both software devices.
#include "tests/projects/projectsfixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <typeinfo>

namespace {

using prtest::CountedEffect;
using prtest::project_bytes;
using prtest::project_path;

const HRESULT kRefused = TACTRA_ERROR_INPUTLOST;

std::string text_of(const CTactraProject& project) {
    char line[256];
    const DWORD length = project.GetLoadErrorText(line, sizeof line);
    EXPECT_EQ(length, std::strlen(line));
    return line;
}

class ProjectOn : public prtest::ProjectDevices {
protected:
    void open(CTactraProject& project, const std::string& path = project_path("play")) {
        ASSERT_TRUE(project.OpenFile(path.c_str(), device()))
            << path << ": code " << CTKLErrors::GetLastErrorCode();
    }
    std::vector<GUID> kinds_made() {
        std::vector<GUID> kinds;
        for (const auto& made : created())
            kinds.push_back(made.kind);
        return kinds;
    }
    std::vector<GUID> on_device(std::vector<GUID> kinds) {
        for (GUID& kind : kinds)
            kind = device_kind(kind);
        return kinds;
    }
};

TEST_P(ProjectOn, StartByNameCreatesOnFirstUseAndReusesAfter) {
    CTactraProject project;
    open(project);
    ASSERT_TRUE(project.Start("Three", 1, 0, nullptr));
    EXPECT_EQ(kinds_made(), on_device({GUID_Tactra_ConstantForce, GUID_Tactra_Square,
                                       GUID_Tactra_RampForce}));
    EXPECT_EQ(started().size(), 3u);
    CTactraCompoundEffect* compound = project.GetCreatedEffect("Three");
    ASSERT_NE(compound, nullptr);
    EXPECT_STREQ(compound->GetName(), "Three");

    sim().log_clear();
    ASSERT_TRUE(project.Start("Three", 1, 0, nullptr));
    EXPECT_TRUE(created().empty()) << "the second Start reuses the compound";
    EXPECT_EQ(started().size(), 3u);
    EXPECT_EQ(project.GetCreatedEffect("Three"), compound);
    for (const char* other : {"three", "THREE", "Three ", "Thre"})
        EXPECT_EQ(project.GetCreatedEffect(other), nullptr) << other;
    EXPECT_EQ(project.GetCreatedEffect(nullptr), nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
}

TEST_P(ProjectOn, NewestCompoundOfANameIsFoundAndAllStopAndClose) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* first = project.CreateEffect("Click");
    CTactraCompoundEffect* second = project.CreateEffect("Click");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(project.GetCreatedEffect("Click"), second);
    EXPECT_EQ(live_effects(), 2u);
    ASSERT_TRUE(first->Start(1, 0));
    ASSERT_TRUE(second->Start(1, 0));
    EXPECT_EQ(playing().size(), 2u);

    EXPECT_TRUE(project.Stop(nullptr));
    EXPECT_TRUE(playing().empty());
    project.Close();
    EXPECT_EQ(live_effects(), 0u);
    EXPECT_FALSE(project.GetIsOpen());
    EXPECT_EQ(project.GetCreatedEffect("Click"), nullptr);
    EXPECT_EQ(project.GetDevice(), device()) << "Close keeps the device";
}

TEST_P(ProjectOn, StopAndStartOfEveryCompoundGoOnAfterAFailure) {
    CTactraProject project;
    open(project);
    EXPECT_TRUE(project.Stop(nullptr)) << "no compounds";
    CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
    EXPECT_FALSE(project.Stop("Click")) << "never created";
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_TRUE(created().empty()) << "Stop creates nothing";

    ASSERT_NE(project.CreateEffect("Click"), nullptr);
    ASSERT_NE(project.CreateEffect("Hum"), nullptr);
    sim().fail_next("Start", kRefused);
    EXPECT_FALSE(project.Start(nullptr, 1, 0, nullptr));
    EXPECT_EQ(playing().size(), 1u) << "the older compound still started";

    ASSERT_TRUE(project.Start(nullptr, 1, 0, nullptr));
    EXPECT_EQ(playing().size(), 2u);
    sim().fail_next("Stop", kRefused);
    EXPECT_FALSE(project.Stop(nullptr));
    EXPECT_EQ(playing().size(), 1u) << "the older compound still stopped";
    EXPECT_TRUE(project.Stop("Hum"));
    EXPECT_TRUE(playing().empty());
}

TEST_P(ProjectOn, CreationRefusalsLeaveNothingListed) {
    CTactraProject project;
    open(project);
    const struct {
        const char* name;
        LONG code;
    } rows[] = {
        {"Nope", TKL_ERR_CANT_CREATE_EFFECT},
        {nullptr, TKL_ERR_CANT_CREATE_EFFECT},
        {"Odd Wave", TKL_ERR_INVALID_GUID},  // a record of no known kind
    };
    for (const auto& row : rows) {
        const char* name = row.name ? row.name : "(null)";
        EXPECT_EQ(project.CreateEffect(row.name), nullptr) << name;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << name;
        if (row.name) {  // a null name starts every compound
            EXPECT_FALSE(project.Start(row.name, 1, 0, nullptr)) << name;
            EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << name;
        }
    }
    EXPECT_TRUE(project.Stop(nullptr));
    EXPECT_EQ(project.GetCreatedEffect("Odd Wave"), nullptr);
    EXPECT_EQ(live_effects(), 0u);
    EXPECT_TRUE(started().empty());
}

TEST_P(ProjectOn, AFailedInitializationDestroysTheCompoundWithACode) {
    CTactraProject project;
    open(project);
    // The first effect fails and the later ones succeed, clearing the code on their way.
    sim().fail_next("CreateEffect", TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(project.CreateEffect("Three"), nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_CREATE_EFFECT);
    EXPECT_EQ(live_effects(), 0u);
    sim().fail_after("CreateEffect", 2, TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(project.CreateEffect("Three"), nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TACTRA_ERROR_DEVICEFULL);
    EXPECT_EQ(live_effects(), 0u);
    EXPECT_EQ(project.GetCreatedEffect("Three"), nullptr);
}

TEST_P(ProjectOn, AnObjectWithoutEffectsIsANamedEmptyCompound) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* label = project.CreateEffect("Label");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(label->GetNumberOfContainedEffects(), 0);
    EXPECT_EQ(project.GetCreatedEffect("Label"), label);
    EXPECT_TRUE(project.Start("Label", 1, 0, nullptr));
    EXPECT_EQ(sim().log_count(), 0u);
}

TEST_P(ProjectOn, CompoundsByPosition) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* hum = project.CreateEffectByIndex(1);
    ASSERT_NE(hum, nullptr);
    EXPECT_STREQ(hum->GetName(), "Hum");
    EXPECT_EQ(project.GetCreatedEffect("Hum"), hum);
    EXPECT_EQ(hum->GetContainedEffect(0)->GetGUID(), GUID_Tactra_Square);
    for (int index : {-1, 13}) {
        EXPECT_EQ(project.CreateEffectByIndex(index), nullptr) << index;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_CREATE_EFFECT) << index;
    }
}

TEST_P(ProjectOn, ClassesOfTheContainedEffects) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* nested = project.CreateEffect("Nested");
    ASSERT_NE(nested, nullptr);
    ASSERT_EQ(nested->GetNumberOfContainedEffects(), 4);
    EXPECT_EQ(kinds_made(), on_device({GUID_Tactra_ConstantForce, GUID_Tactra_Square,
                                       GUID_Tactra_RampForce, GUID_Tactra_Triangle}));
    EXPECT_EQ(typeid(*nested->GetContainedEffect(0)), typeid(CTactraConstant));
    EXPECT_EQ(typeid(*nested->GetContainedEffect(1)), typeid(CTactraPeriodic));
    EXPECT_EQ(typeid(*nested->GetContainedEffect(2)), typeid(CTactraRamp));
    EXPECT_EQ(nested->GetContainedEffect(3)->GetGUID(), GUID_Tactra_Triangle);

}

TEST_P(ProjectOn, AddedEffectsNeedNoOpenProjectAndBelongToIt) {
    int destroyed = 0;
    {
        CTactraProject project;
        EXPECT_EQ(project.CreateEffect("Click"), nullptr);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_PROJECT_NOT_OPEN);
        EXPECT_EQ(project.CreateEffectByIndex(0), nullptr);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_PROJECT_NOT_OPEN);

        CountedEffect* mine = new CountedEffect(destroyed);
        ASSERT_TRUE(mine->Initialize(device(), 0, 1, 100, 5000, nullptr));
        sim().log_clear();
        CTactraCompoundEffect* added = project.AddEffect("Mine", mine);
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->GetContainedEffect(0), mine);
        EXPECT_EQ(sim().log_count(), 0u) << "AddEffect does not initialise";
        EXPECT_TRUE(project.Start("Mine", 1, 0, nullptr));
        EXPECT_EQ(playing().size(), 1u);

        project.Close();
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(live_effects(), 0u);
        EXPECT_EQ(project.GetCreatedEffect("Mine"), nullptr);
    }
    EXPECT_EQ(destroyed, 1);
}

TEST_P(ProjectOn, AddEffectRefusalsLeaveTheEffectWithTheCaller) {
    int destroyed = 0;
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* click = project.CreateEffect("Click");
    ASSERT_NE(click, nullptr);
    CountedEffect* mine = new CountedEffect(destroyed);
    ASSERT_NE(project.AddEffect("Mine", mine), nullptr);
    CountedEffect* spare = new CountedEffect(destroyed);
    const struct {
        const char* what;
        const char* name;
        CTactraEffect* effect;
        LONG code;
    } rows[] = {
        {"null name", nullptr, spare, TKL_ERR_NULL_PARAMETER},
        {"null effect", "Spare", nullptr, TKL_ERR_NULL_PARAMETER},
        {"added before", "Again", mine, TKL_ERR_INVALID_PARAMETER},
        {"created by the project", "Taken", click->GetContainedEffect(0),
         TKL_ERR_INVALID_PARAMETER},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(project.AddEffect(row.name, row.effect), nullptr) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.what;
    }
    project.Close();
    EXPECT_EQ(destroyed, 1) << "only the added effect";
    delete spare;
    EXPECT_EQ(destroyed, 2);
}

TEST_P(ProjectOn, OpeningAnOpenProjectAndReplacingItsData) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* three = project.CreateEffect("Three");
    ASSERT_NE(three, nullptr);
    EXPECT_FALSE(project.OpenFile(project_path("second").c_str(), device()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_PROJECT_ALREADY_OPEN);
    EXPECT_NE(project.CreateEffect("Hum"), nullptr) << "the open project is untouched";

    // One object record: the first of the file, after the magic and the count.
    std::vector<unsigned char> bytes = project_bytes("second");
    ASSERT_GT(bytes.size(), 8u);
    ASSERT_TRUE(project.LoadProjectObjectPointer(bytes.data() + 8, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(project.GetDevice(), device());
    EXPECT_EQ(project.CreateEffect("Hum"), nullptr);
    EXPECT_NE(project.CreateEffect("Bump"), nullptr);
    EXPECT_TRUE(three->Start(1, 0)) << "compounds outlive the data they came from";
    EXPECT_TRUE(project.Stop("Three"));

    EXPECT_FALSE(project.LoadProjectObjectPointer(nullptr, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_FALSE(project.GetIsOpen());
    EXPECT_EQ(project.GetCreatedEffect("Three"), three);
}

TEST_P(ProjectOn, OpenRefusalsAndAMissingFile) {
    const std::string missing = project_path("missing");
    const struct {
        const char* what;
        const char* path;
        bool withDevice;
        LONG code;
    } rows[] = {
        {"null path", nullptr, true, TKL_ERR_NULL_PARAMETER},
        {"empty path", "", true, TKL_ERR_NULL_PARAMETER},
        {"null path and device", nullptr, false, TKL_ERR_NULL_PARAMETER},
        {"null device", missing.c_str(), false, TKL_ERR_DEVICE_IS_NULL},
        {"missing file", missing.c_str(), true, TKL_ERR_NONE},
    };
    for (const auto& row : rows) {
        CTactraProject project;
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(project.OpenFile(row.path, row.withDevice ? device() : nullptr)) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.what;
        EXPECT_FALSE(project.GetIsOpen()) << row.what;
        EXPECT_EQ(project.GetDevice(), row.code == TKL_ERR_NONE ? device() : nullptr) << row.what;
    }

    CTactraProject project;
    EXPECT_FALSE(project.LoadProjectObjectPointer(project_bytes("play").data() + 8, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_FALSE(project.OpenResource(nullptr, nullptr, device()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
    EXPECT_FALSE(project.OpenPointer(nullptr, 100, device()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NULL_PARAMETER);
    EXPECT_FALSE(project.OpenResource(nullptr, "No Such Project", device()));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
    EXPECT_EQ(project.GetDevice(), device());
}

// A failed load keeps code 0; the project says why, for files, resources and memory alike.
TEST_P(ProjectOn, FailedOpensKeepCodeZeroAndSayWhy) {
    const std::vector<unsigned char> play = project_bytes("play");
    ASSERT_GT(play.size(), 8u);
    const std::string dir = ::testing::TempDir();
    const auto write = [&](const char* name, const void* bytes, size_t size) {
        const std::string path = dir + name;
        std::ofstream(path, std::ios::binary).write(static_cast<const char*>(bytes),
                                                    std::streamsize(size));
        return path;
    };
    const std::string empty = write("tkl_empty.tvx", "", 0);
    const std::string text = write("tkl_text.tvx", "hello\n", 6);
    const std::string cut = write("tkl_cut.tvx", play.data(), play.size() - 1);
    const std::string missing = project_path("missing");
    const std::string folder = TKL_TEST_PROJECTS;

    CTactraProject reference;
    ASSERT_FALSE(reference.OpenPointer(play.data(), DWORD(play.size() - 1), device()));
    const std::string cutReason = text_of(reference);
    EXPECT_EQ(cutReason.rfind("object ", 0), 0u) << cutReason;

    const struct {
        const char* what;
        std::function<int(CTactraProject&)> open;
        std::string reason;
    } rows[] = {
        {"missing file", [&](CTactraProject& p) { return p.OpenFile(missing.c_str(), device()); },
         "cannot open: no such file"},
        {"folder", [&](CTactraProject& p) { return p.OpenFile(folder.c_str(), device()); },
         "cannot open: a folder, not a file"},
        {"empty file", [&](CTactraProject& p) { return p.OpenFile(empty.c_str(), device()); },
         "header at byte 0: empty: no project data"},
        {"not a project", [&](CTactraProject& p) { return p.OpenFile(text.c_str(), device()); },
         "header at byte 0: not a project: the data does not begin with \"tvxp\""},
        {"truncated file", [&](CTactraProject& p) { return p.OpenFile(cut.c_str(), device()); },
         cutReason},
        {"missing resource",
         [&](CTactraProject& p) { return p.OpenResource(nullptr, "No Such Project", device()); },
         "cannot open: no such resource"},
        {"memory not a project",
         [&](CTactraProject& p) { return p.OpenPointer("tvxq", 4, device()); },
         "header at byte 0: not a project: the data does not begin with \"tvxp\""},
    };
    for (const auto& row : rows) {
        CTactraProject project;
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_FALSE(row.open(project)) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE) << row.what;
        EXPECT_EQ(text_of(project), row.reason) << row.what;
        // A later open that loads clears the reason; one refused with a code leaves none.
        EXPECT_TRUE(project.OpenFile(project_path("play").c_str(), device())) << row.what;
        EXPECT_EQ(text_of(project), "") << row.what;
        EXPECT_FALSE(project.OpenFile(missing.c_str(), device())) << row.what;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_PROJECT_ALREADY_OPEN);
        EXPECT_EQ(project.GetLoadError().szReason[0], '\0') << row.what;
    }

    CTactraProjects list;
    EXPECT_EQ(list.OpenFile(empty.c_str(), device()), -2);
    char line[128];
    const DWORD length = list.GetLoadErrorText(line, sizeof line);
    EXPECT_STREQ(line, "header at byte 0: empty: no project data");
    EXPECT_EQ(length, std::strlen(line));
    EXPECT_EQ(list.GetLoadError().lObject, -1);
    EXPECT_EQ(list.OpenFile(project_path("play").c_str(), device()), 0);
    EXPECT_EQ(list.GetLoadErrorText(nullptr, 0), 0u);
    for (const std::string& path : {empty, text, cut})
        std::remove(path.c_str());
}

TEST_P(ProjectOn, FileResourceAndMemoryPlayAlike) {
    const std::vector<unsigned char> bytes = project_bytes("play");
    ASSERT_FALSE(bytes.empty());
    const std::string path = project_path("play");
    const struct {
        const char* road;
        std::function<int(CTactraProject&)> open;
    } roads[] = {
        {"file", [&](CTactraProject& p) { return p.OpenFile(path.c_str(), device()); }},
        {"resource",
         [&](CTactraProject& p) { return p.OpenResource(nullptr, "Play", device()); }},
        {"memory",
         [&](CTactraProject& p) {
             return p.OpenPointer(bytes.data(), DWORD(bytes.size()), device());
         }},
    };
    std::vector<SimEffectParams> reference;
    for (const auto& road : roads) {
        sim().log_clear();
        CTactraProject project;
        ASSERT_TRUE(road.open(project)) << road.road;
        ASSERT_TRUE(project.Start("Nested", 1, 0, nullptr)) << road.road;
        EXPECT_EQ(playing().size(), 4u) << road.road;
        std::vector<SimEffectParams> sent;
        for (const SimCall& call : calls("CreateEffect"))
            sent.push_back(call.params);
        ASSERT_EQ(sent.size(), 4u) << road.road;
        if (reference.empty())
            reference = sent;
        for (size_t i = 0; i < sent.size(); ++i) {
            EXPECT_EQ(sent[i].dwDuration, reference[i].dwDuration) << road.road << " " << i;
            EXPECT_EQ(sent[i].rglDirection[0], reference[i].rglDirection[0]) << road.road;
            EXPECT_EQ(fxtest::block_words(sent[i]), fxtest::block_words(reference[i])) << road.road << " " << i;
        }
    }
    EXPECT_EQ(live_effects(), 0u);
}

TEST_P(ProjectOn, NothingReachesTheDeviceAfterClose) {
    CTactraProject project;
    open(project);
    ASSERT_TRUE(project.Start("Nested", 1, 0, nullptr));
    project.Close();
    EXPECT_EQ(live_effects(), 0u);
    sim().log_clear();
    EXPECT_FALSE(project.Start("Nested", 1, 0, nullptr));
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_PROJECT_NOT_OPEN);
    EXPECT_TRUE(project.Start(nullptr, 1, 0, nullptr));
    EXPECT_TRUE(project.Stop(nullptr));
    project.Close();
    EXPECT_EQ(sim().log_count(), 0u);
}

TEST_P(ProjectOn, NestedCompoundsOfASampleProject) {
    CTactraProject project;
    open(project, prtest::sample_path("showcase"));
    CTactraCompoundEffect* feel = project.CreateEffect("Button Feel");
    ASSERT_NE(feel, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(kinds_made(), on_device({GUID_Tactra_ConstantForce, GUID_Tactra_ConstantForce}));
    EXPECT_TRUE(project.Start("Button Feel", 1, 0, nullptr));
    EXPECT_EQ(playing().size(), 2u);

    // Crash holds Vehicle, which holds Rough Terrain: Gravel's two textures, Syrup and
    // Turbulence; then Engine Hum and Centering Spring; then Alarm and Click.
    sim().log_clear();
    CTactraCompoundEffect* crash = project.CreateEffect("Crash");
    if (directInput()) {
        // DirectInput has no texture: those effects fail, the later ones clear the code.
        EXPECT_EQ(crash, nullptr);
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_CANT_CREATE_EFFECT);
        EXPECT_EQ(live_effects(), 2u) << "only Button Feel's";
        return;
    }
    ASSERT_NE(crash, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    EXPECT_EQ(kinds_made(),
              (std::vector<GUID>{GUID_Tactra_Texture, GUID_Tactra_Texture, GUID_Tactra_Damper,
                                 GUID_Tactra_Sine, GUID_Tactra_Triangle, GUID_Tactra_Spring,
                                 GUID_Tactra_Square, GUID_Tactra_ConstantForce}));
    EXPECT_EQ(typeid(*crash->GetContainedEffect(0)), typeid(CTactraTexture));
    EXPECT_EQ(typeid(*crash->GetContainedEffect(2)), typeid(CTactraDamper));
    EXPECT_EQ(typeid(*crash->GetContainedEffect(5)), typeid(CTactraSpring));
    EXPECT_TRUE(project.Start("Crash", 1, 0, nullptr));
    EXPECT_EQ(playing().size(), 10u);
}

TEST_P(ProjectOn, ProjectSpringsOnDirectInputAreDeviceUnitConditions) {
    CTactraProject project;
    open(project);
    CTactraCompoundEffect* both = project.CreateEffect("Spring And Click");
    ASSERT_NE(both, nullptr) << "code " << CTKLErrors::GetLastErrorCode();
    CTactraEffect* spring = both->GetContainedEffect(0);
    if (directInput()) {
        EXPECT_EQ(typeid(*spring), typeid(CTactraCondition));
        EXPECT_EQ(spring->GetGUID(), GUID_Tactra_DeviceSpring);
    } else {
        EXPECT_EQ(typeid(*spring), typeid(CTactraSpring));
        EXPECT_EQ(spring->GetGUID(), GUID_Tactra_Spring);
    }
    EXPECT_EQ(kinds_made(), on_device({GUID_Tactra_Spring, GUID_Tactra_ConstantForce}));
    EXPECT_TRUE(project.Start("Spring And Click", 1, 0, nullptr));
    // The project's own records keep the spring kind for the next creation.
    CTactraCompoundEffect* again = project.CreateEffect("Centering");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetContainedEffect(0)->GetGUID(), spring->GetGUID());
}

FX_ON_BOTH_DEVICES(ProjectOn);

}  // namespace
