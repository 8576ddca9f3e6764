// Effects, compounds, projects and project lists deleted before or after their device, on both
// devices. Without a software device client the device's module really goes when the device
// does, so an object that still called into it afterwards would crash the program.
#include "tests/projects/projectsfixture.h"

#include <functional>
#include <memory>

namespace {

using prtest::project_path;

// What an application keeps beside its device: a single effect, a project with a compound
// playing, and a project list with one.
struct Objects {
    CTactraConstant single;
    CTactraProject project;
    CTactraProjects list;

    void open(CTactraDevice* device) {
        ASSERT_TRUE(single.InitializePolar(device, 9000, TACTRA_INFINITE, 5000, nullptr))
            << CTKLErrors::GetLastErrorCode();
        ASSERT_TRUE(single.Start(1, 0));
        ASSERT_TRUE(project.OpenFile(project_path("play").c_str(), device));
        ASSERT_TRUE(project.Start("Spring And Click", 1, 0)) << CTKLErrors::GetLastErrorCode();
        ASSERT_EQ(list.OpenFile(project_path("play").c_str(), device), 0);
        ASSERT_TRUE(list.GetProject(0)->Start("Hum", 1, 0));
    }

    // After the device closed: every call that needs it fails with a code, and none crashes.
    void expect_inert() {
        DWORD status = 7;
        const struct {
            const char* call;
            std::function<BOOL()> run;
            LONG code;
        } rows[] = {
            {"effect Start", [&] { return single.Start(1, 0); }, TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"effect change", [&] { return single.ChangeDirection(4500); },
             TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"effect status", [&] { return single.GetStatus(&status); },
             TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"effect Stop", [&] { return single.Stop(); }, TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"compound Start", [&] { return project.Start("Spring And Click", 1, 0); },
             TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"new compound", [&] { return project.Start("Hum", 1, 0); }, TKL_ERR_DEVICE_IS_NULL},
            {"listed compound Stop", [&] { return list.GetProject(0)->Stop("Hum"); },
             TKL_ERR_EFFECT_NOT_INITIALIZED},
            {"list Stop", [&] { return BOOL(list.Stop()); }, TKL_ERR_EFFECT_NOT_INITIALIZED},
        };
        for (const auto& row : rows) {
            CTKLErrors::SetErrorCode(TKL_ERR_NONE);
            EXPECT_FALSE(row.run()) << row.call;
            EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.call;
        }
        EXPECT_EQ(status, 7u) << "untouched";
        EXPECT_EQ(project.GetDevice(), nullptr);
        EXPECT_EQ(list.GetProject(0)->GetDevice(), nullptr);
    }
};

std::unique_ptr<CTactraDevice> open_device(bool directInput) {
    if (directInput) {
        auto device = std::make_unique<CTactraDXDevice>();
        if (!device->Initialize(GetModuleHandleA(nullptr), nullptr, nullptr, nullptr))
            return nullptr;
        return device;
    }
    auto device = std::make_unique<CTactraMouse>();
    if (!device->Initialize(GetModuleHandleA(nullptr), nullptr, 4))
        return nullptr;
    return device;
}

TEST(DeleteOrder, ObjectsSurviveTheirDeviceInEitherOrder) {
    CTKLErrors::SetErrorHandling(0);
    for (bool directInput : {false, true}) {
        const char* module = directInput ? "dinput.dll" : "tactra.dll";
        for (bool deviceFirst : {false, true}) {
            for (bool watched : {true, false}) {
                SCOPED_TRACE(std::string(module) + (deviceFirst ? ", device first" : ", objects first") +
                             (watched ? ", module watched" : ", module unwatched"));
                // A client keeps the module loaded and counts its live objects.
                std::unique_ptr<SimClient> sim;
                if (watched) {
                    sim = std::make_unique<SimClient>(module, directInput ? "dinputsim_" : "tactrasim_");
                    ASSERT_TRUE(sim->ok());
                    sim->reset();
                }
                std::unique_ptr<CTactraDevice> device = open_device(directInput);
                ASSERT_NE(device, nullptr) << CTKLErrors::GetLastErrorCode();
                auto objects = std::make_unique<Objects>();
                objects->open(device.get());
                if (HasFatalFailure())
                    return;
                if (deviceFirst) {
                    device.reset();
                    if (sim) {
                        EXPECT_EQ(sim->live_objects(), 0u) << "the effects' device-side objects went with the device";
                    } else {
                        EXPECT_EQ(GetModuleHandleA(module), nullptr) << "the module went with the device";
                    }
                    objects->expect_inert();
                    // Made again on a device that is open, the effect plays.
                    device = open_device(directInput);
                    ASSERT_NE(device, nullptr);
                    ASSERT_TRUE(objects->single.InitializePolar(device.get(), 0, TACTRA_INFINITE, 100, nullptr));
                    EXPECT_TRUE(objects->single.Start(1, 0)) << CTKLErrors::GetLastErrorCode();
                    device.reset();
                    objects.reset();
                } else {
                    objects.reset();
                    device.reset();
                }
                if (sim) {
                    EXPECT_EQ(sim->live_objects(), 0u);
                }
                EXPECT_EQ(watched, GetModuleHandleA(module) != nullptr);
            }
        }
    }
    CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
}

}  // namespace
