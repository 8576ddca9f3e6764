// Every allocation of each operation failing in turn: loading the sample projects from a file,
// a resource and memory, handing out their effect lists and effects, playing their objects
// through the project classes on both kinds of device, opening the devices, making every kind
// with the effect factory and initialising every effect class on both kinds of device.
//
// Adding an operation is one row below; adding an effect class is one row of kEffectClasses.
#include "tests/allocfail/failuresweep.h"
#include "tests/support/outputcapture.h"
#include "tkl/tkl.h"
#include "tkl/project/tvxproject.h"
#include "tools/tvx/effectdescription.h"
#include "sim/simclient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

namespace {

using allocfail::Operation;

// Project functions set no error code: a run must leave this one in place.
const LONG kUntouched = 0x7654321;

// What the sweeps share: both software devices, one open device of each kind, the samples.
struct Context {
    SimClient mouseSim = SimClient::mouse();
    SimClient diSim = SimClient::directInput();
    CTactraDevice* mouse = nullptr;
    CTactraDevice* dinput = nullptr;
    // Each sample loaded (unarmed) with the force mouse as its device, and the objects whose
    // effects the device accepts (it refuses a force profile without samples).
    std::vector<HTVXPROJECT> projects;
    std::vector<std::vector<std::string>> creatable;
    // The objects a project on DirectInput can play (its springs become the device-unit spring).
    std::vector<std::vector<std::string>> creatableOnDirectInput;
    std::vector<int> objects;  // each sample's object count, from its unarmed load
    std::vector<std::vector<std::string>> singles;  // the creatable objects of one effect
    std::vector<std::vector<std::string>> contents;  // and what its objects hold
    // Each test writes the samples to files of its own: tests may run in parallel processes.
    std::string fileTag;
};
Context* g_context = nullptr;

// A sample project, embedded as a "TACTRA" resource (from the seed corpus of the fuzz tests).
struct Sample {
    const char* resource;
    std::string bytes() const {
        HRSRC found = FindResourceA(nullptr, resource, "TACTRA");
        const void* data = found ? LockResource(LoadResource(nullptr, found)) : nullptr;
        return data ? std::string(static_cast<const char*>(data), SizeofResource(nullptr, found))
                    : std::string();
    }
    std::string path() const;
};
const Sample kSamples[] = {{"Showcase"}, {"Desktop"}};

int object_count(HTVXPROJECT project) {
    int names = 0;
    while (TVXGetObjectNameByIndex(project, names))
        ++names;
    return names;
}

std::string Sample::path() const {
    return ::testing::TempDir() + "tkl_allocfail_" + g_context->fileTag + "_" + resource + ".tvx";
}

// Each object of a loaded project as text: a line of its name, type, identifier and member
// count, then a line per effect. Read from the project itself: reading allocates nothing in
// the library.
std::vector<std::string> contents(HTVXPROJECT project) {
    std::vector<std::string> out;
    for (LONG i = 0; i < project->cObjects; ++i) {
        const TVXObject& o = project->paObjects[i];
        char id[24];
        std::snprintf(id, sizeof id, "%08lX-%04X", static_cast<unsigned long>(o.guidID.Data1),
                      unsigned(o.guidID.Data2));
        out.push_back(std::string(o.lpszName) + ", " + o.lpszType + ", " + id + ", " +
                      std::to_string(o.cContainedObjects) + " members");
        for (LONG e = 0; e < o.cEffects; ++e)
            out.push_back("  " + tvx::describe_effect(*o.paEffects[e]));
    }
    return out;
}

// The object lines of contents().
std::vector<std::string> objects_of(const std::vector<std::string>& contents) {
    std::vector<std::string> objects;
    for (const std::string& line : contents)
        if (line.compare(0, 2, "  ") != 0)
            objects.push_back(line);
    return objects;
}

// A project load that ends as documented: the whole project, or null and no code. A load that
// succeeds although an allocation failed holds what the unarmed one does, unless the failed
// allocation was a compound's member list (the compound then has no members, and no effects
// from them).
bool loaded(HTVXPROJECT project, size_t sample) {
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kUntouched) << "a project function set a code";
    if (!project)
        return false;
    EXPECT_EQ(object_count(project), g_context->objects[sample]);
    const std::vector<std::string> got = contents(project);
    const std::vector<std::string>& unarmed = g_context->contents[sample];
    if (objects_of(got) == objects_of(unarmed)) {
        EXPECT_EQ(got, unarmed);
    }
    EXPECT_TRUE(TVXReleaseProject(project));
    return true;
}

// An exact heap copy, so that reading past the data shows under a memory checker.
struct Copy {
    explicit Copy(const std::string& bytes) : size(bytes.size()), data(new char[bytes.size()]) {
        std::memcpy(data.get(), bytes.data(), size);
    }
    size_t size;
    std::unique_ptr<char[]> data;
};

// The sample's effect lists for every object in turn, by name or by index; a list that can't be
// made is null with the count untouched.
bool every_list(size_t sample, bool byName) {
    HTVXPROJECT project = g_context->projects[sample];
    bool ok = true;
    for (int i = 0; ok && i < g_context->objects[sample]; ++i) {
        int count = -1;
        TVXEffect** list = byName
                               ? TVXCreateEffectStructs(project, TVXGetObjectNameByIndex(project, i), &count)
                               : TVXCreateEffectStructsByIndex(project, i, &count);
        ok = list != nullptr;
        if (list) {
            EXPECT_TRUE(TVXReleaseEffectStructs(project, list));
        } else {
            EXPECT_EQ(count, -1) << "the count written on failure";
        }
    }
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kUntouched);
    return ok;
}

// The sample's effects created on the force mouse and released, object by object.
bool every_effect_list(size_t sample) {
    HTVXPROJECT project = g_context->projects[sample];
    for (const std::string& name : g_context->creatable[sample]) {
        int count = -1;
        ITactraEffect** effects = TVXCreateEffects(project, name.c_str(), &count);
        if (!effects) {
            EXPECT_EQ(count, -1) << "the count written on failure";
            return false;
        }
        EXPECT_TRUE(TVXReleaseEffects(project, effects));
    }
    return true;
}

// A project class's null or 0 result must carry one of the codes its contract names.
bool refused_with(bool ok, std::initializer_list<LONG> codes) {
    if (!ok) {
        const LONG code = CTKLErrors::GetLastErrorCode();
        EXPECT_NE(std::find(codes.begin(), codes.end(), code), codes.end()) << "code " << code;
    }
    return ok;
}

// The sample opened as a project on a device, with every object it can play there created,
// started and stopped as a compound, then closed. The device holds them all at once.
bool every_compound(size_t sample, bool onDirectInput) {
    Context& c = *g_context;
    CTactraDevice* device = onDirectInput ? c.dinput : c.mouse;
    const std::vector<std::string>& names =
        onDirectInput ? c.creatableOnDirectInput[sample] : c.creatable[sample];
    c.mouseSim.set_capacity(1024);
    CTactraProject project;
    // A load that fails for memory is no error of the project's: 0 with code 0.
    if (!refused_with(project.OpenFile(kSamples[sample].path().c_str(), device), {TKL_ERR_NONE}))
        return false;
    for (const std::string& name : names) {
        // The object's records (code 10) or the compound, its slots or its name (code 2).
        if (!refused_with(project.CreateEffect(name.c_str()) != nullptr,
                          {TKL_ERR_CANT_CREATE_EFFECT, TKL_ERR_ALLOCATION_FAILED}))
            return false;
    }
    EXPECT_TRUE(project.Start(nullptr, 1, 0));
    EXPECT_TRUE(project.Stop(nullptr));
    return true;
}

// The effect factory once for every kind of the kinds table: out of memory it answers null and
// leaves the code cleared.
bool every_kind_made() {
    unsigned count = 0;
    const tkl::EffectKind* kinds = tkl::effect_kinds(&count);
    for (unsigned i = 0; i < count; ++i) {
        CTactraEffect* effect = CTactraEffect::NewObjectFromGUID(*kinds[i].kind);
        if (!effect) {
            EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_NONE);
            return false;
        }
        delete effect;
    }
    return count > 0;
}

// An effect of the application's own handed to a project, played by name and closed with it.
// The library makes the effect (the project deletes it with the library's own delete).
bool added_effect() {
    CTactraProject project;
    CTactraEffect* made = CTactraEffect::NewObjectFromGUID(GUID_Tactra_ConstantForce);
    if (!refused_with(made != nullptr, {TKL_ERR_NONE}))
        return false;
    CTactraConstant* effect = static_cast<CTactraConstant*>(made);
    EXPECT_TRUE(effect->InitializePolar(g_context->mouse, 27000, 100, 5000, nullptr));
    if (!refused_with(project.AddEffect("Push", effect) != nullptr, {TKL_ERR_ALLOCATION_FAILED})) {
        delete effect;  // a refused effect stays the caller's
        return false;
    }
    EXPECT_TRUE(project.Start("Push", 1, 0));
    return true;
}

// The sample opened through a project list, its first playable object started by name.
bool project_list(size_t sample) {
    g_context->mouseSim.set_capacity(1024);
    CTactraProjects list;
    const LONG position = list.OpenFile(kSamples[sample].path().c_str(), g_context->mouse);
    if (position < 0) {
        // -3: the project itself (code 2); -2: the load (code 0).
        EXPECT_TRUE(position == -3 ? CTKLErrors::GetLastErrorCode() == TKL_ERR_ALLOCATION_FAILED
                                   : position == -2 && CTKLErrors::GetLastErrorCode() == TKL_ERR_NONE)
            << position << ", code " << CTKLErrors::GetLastErrorCode();
        return false;
    }
    EXPECT_EQ(position, 0);
    const std::string& name = g_context->creatable[sample].front();
    return refused_with(list.GetProject(0)->Start(name.c_str(), 1, 0) != 0,
                        {TKL_ERR_CANT_CREATE_EFFECT, TKL_ERR_ALLOCATION_FAILED});
}

// Each single-effect object of the sample loaded into an effect object of the application's.
bool single_effects(size_t sample) {
    CTactraProject project;
    if (!refused_with(project.OpenFile(kSamples[sample].path().c_str(), g_context->mouse),
                      {TKL_ERR_NONE}))
        return false;
    for (const std::string& name : g_context->singles[sample]) {
        CTactraEffect effect(GUID_Tactra_ConstantForce);  // takes the object's kind
        // No list for memory: code 11.
        if (!refused_with(effect.InitializeFromProject(project, name.c_str(), nullptr) != 0,
                          {TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX}))
            return false;
    }
    return true;
}

// The operations on one sample project.
std::vector<Operation> project_operations(size_t sample) {
    const Sample& s = kSamples[sample];
    const std::string n = std::string(s.resource) + " ";
    return {
        {n + "file", [s, sample] { return loaded(TVXLoadProjectFile(s.path().c_str(), nullptr), sample); }},
        {n + "resource", [s, sample] { return loaded(TVXLoadProjectResource(nullptr, s.resource, nullptr), sample); }},
        {n + "memory", [s, sample] { Copy c(s.bytes()); return loaded(TVXLoadProjectPointer(c.data.get(), nullptr), sample); }},
        {n + "sized memory", [s, sample] {
             Copy c(s.bytes());
             TVXLoadError error = {};
             HTVXPROJECT p = TVXLoadProjectPointerEx(c.data.get(), DWORD(c.size), nullptr, &error);
             if (!p) {
                 EXPECT_STREQ(error.szReason, "out of memory");
             }
             return loaded(p, sample);
         }},
        {n + "first record", [s, sample] {
             Copy c(s.bytes().substr(8));
             HTVXPROJECT p = TVXLoadProjectObjectPointer(c.data.get(), nullptr);
             EXPECT_EQ(CTKLErrors::GetLastErrorCode(), kUntouched);
             return p && TVXReleaseProject(p);
         }},
        {n + "effect lists by name", [sample] { return every_list(sample, true); }},
        {n + "effect lists by index", [sample] { return every_list(sample, false); }},
        {n + "effects on the force mouse", [sample] { return every_effect_list(sample); }},
        {n + "compounds of a project", [sample] { return every_compound(sample, false); }},
        {n + "compounds of a project on DirectInput", [sample] { return every_compound(sample, true); }},
        {n + "project list", [sample] { return project_list(sample); }},
        {n + "single effects from a project", [sample] { return single_effects(sample); }},
    };
}

// Opening devices. A failed allocation of the force mouse is skipped: the factory goes on to
// DirectInput; with neither, the code is the one the force mouse's Initialize left (with no
// force mouse attached it finds no device to open: TKL_ERR_INVALID_GUID). A device that opens
// may keep a code its Initialize tolerated.
bool create_device(bool mouseAttached) {
    if (!mouseAttached)
        g_context->mouseSim.detach_all();
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (!device) {
        EXPECT_FALSE(mouseAttached) << "with a force mouse attached, DirectInput is found";
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_GUID);
    }
    delete device;
    if (!mouseAttached)
        g_context->mouseSim.attach(nullptr);
    return device != nullptr;
}

std::vector<Operation> device_operations() {
    return {
        {"CreateDevice, force mouse attached", [] { return create_device(true); }},
        {"CreateDevice, DirectInput only", [] { return create_device(false); }},
        {"CTactraMouse::Initialize", [] {
             CTactraMouse mouse;
             return bool(mouse.Initialize(GetModuleHandleA(nullptr), nullptr, TACTRA_SCL_FOREGROUND));
         }},
        {"CTactraDXDevice::Initialize", [] {
             CTactraDXDevice dx;
             return bool(dx.Initialize(GetModuleHandleA(nullptr), nullptr, nullptr, nullptr));
         }},
    };
}

// A full record, as projects hand effects to the classes.
TACTRA_EFFECT constant_record() {
    static DWORD axes[2] = {TACTRA_AXIS_X, TACTRA_AXIS_Y};
    static LONG direction[2] = {9000, 0};
    static TACTRA_CONSTANTFORCE force = {5000};
    TACTRA_EFFECT r = {};
    r.dwSize = sizeof r;
    r.dwFlags = TACTRA_FEFFECT_POLAR | TACTRA_FEFFECT_OBJECTOFFSETS;
    r.dwDuration = 100000;
    r.dwGain = 10000;
    r.dwTriggerButton = TACTRA_NOTRIGGER;
    r.cAxes = 2;
    r.rgdwAxes = axes;
    r.rglDirection = direction;
    r.cbTypeSpecificParams = sizeof force;
    r.lpvTypeSpecificParams = &force;
    return r;
}

// One effect class: a fresh object on the stack, initialised on the device (its destructor
// releases the device-side effect). A failure must say why with the allocation code.
typedef std::function<BOOL(CTactraDevice*)> EffectInit;

const std::pair<const char*, EffectInit> kEffectClasses[] = {
    {"CTactraEffect", [](CTactraDevice* d) {
         CTactraEffect e(GUID_Tactra_ConstantForce); return e.Initialize(d, constant_record()); }},
    {"CTactraConstant", [](CTactraDevice* d) {
         CTactraConstant e; return e.InitializePolar(d, 9000, 100, 5000, nullptr); }},
    {"CTactraRamp", [](CTactraDevice* d) {
         CTactraRamp e; return e.Initialize(d, 1, 0, 100, -1000, 1000, nullptr); }},
    {"CTactraPeriodic", [](CTactraDevice* d) {
         CTactraPeriodic e; return e.InitializePolar(d, 5000, 20, 100, 9000, 0, 0, nullptr); }},
    {"CTactraCondition", [](CTactraDevice* d) {
         const TACTRA_CONDITION x = {0, 3000, 3000, 10000, 10000, 0};
         CTactraCondition e(GUID_Tactra_Damper); return e.InitCondition(d, &x, nullptr, 0); }},
    {"CTactraSpring", [](CTactraDevice* d) {
         CTactraSpring e;
         return e.Initialize(d, 5000, 8000, 100, 3, POINT{512, 384}, 0, 0, 0); }},
    {"CTactraDamper", [](CTactraDevice* d) {
         CTactraDamper e; return e.InitializePolar(d, 4000, 10000, 0, 9000); }},
    {"CTactraInertia", [](CTactraDevice* d) {
         CTactraInertia e; return e.Initialize(d, 4000, 10000, 0, 1, 0, 0); }},
    {"CTactraFriction", [](CTactraDevice* d) {
         CTactraFriction e; return e.Initialize(d, 2500, 0, 3, 0, 0); }},
};

// The product's own kinds, which DirectInput refuses: on the force mouse only.
const std::pair<const char*, EffectInit> kMouseEffectClasses[] = {
    {"CTactraGrid", [](CTactraDevice* d) {
         CTactraGrid e; return e.Initialize(d, 50, 50, 4000, 4000, 0, 0, 10000, 10000); }},
    {"CTactraTexture", [](CTactraDevice* d) {
         CTactraTexture e;
         return e.InitTexture(d, 100, 20, 3, -100, 20, 3, 3, POINT{0, 0}, 0, 0); }},
    {"CTactraEnclosure", [](CTactraDevice* d) {
         CTactraEnclosure e;
         return e.Initialize(d, 200, 100, 5000, 5000, TKL_WALL_DEFAULT, TKL_WALL_DEFAULT, 10000,
                             10000, 255, 0, POINT{500, 400}, nullptr); }},
    {"CTactraBox", [](CTactraDevice* d) {
         CTactraBox e; return e.Initialize(d, 100, TKL_WALL_DEFAULT, 5000, TKL_WALL_DEFAULT,
                                           POINT{500, 400}, nullptr); }},
    {"CTactraEllipse", [](CTactraDevice* d) {
         CTactraEllipse e;
         return e.Initialize(d, 200, TKL_WALL_DEFAULT, 4000, TKL_WALL_DEFAULT, 10000, 0, 0,
                             POINT{300, 300}, nullptr); }},
};

bool initialized(const EffectInit& init, CTactraDevice* device) {
    const bool ok = init(device);
    EXPECT_EQ(CTKLErrors::GetLastErrorCode(), ok ? TKL_ERR_NONE : TKL_ERR_ALLOCATION_FAILED);
    return ok;
}

std::vector<Operation> all_operations() {
    std::vector<Operation> all;
    for (size_t sample = 0; sample < sizeof kSamples / sizeof kSamples[0]; ++sample)
        for (const Operation& op : project_operations(sample))
            all.push_back(op);
    for (const Operation& op : device_operations())
        all.push_back(op);
    for (const auto& effect : kEffectClasses) {
        const EffectInit init = effect.second;
        all.push_back({std::string(effect.first) + " on the force mouse",
                       [init] { return initialized(init, g_context->mouse); }});
        all.push_back({std::string(effect.first) + " on DirectInput",
                       [init] { return initialized(init, g_context->dinput); }});
    }
    for (const auto& effect : kMouseEffectClasses) {
        const EffectInit init = effect.second;
        all.push_back({std::string(effect.first) + " on the force mouse",
                       [init] { return initialized(init, g_context->mouse); }});
    }
    all.push_back({"NewObjectFromGUID, every kind", [] { return every_kind_made(); }});
    all.push_back({"AddEffect", [] { return added_effect(); }});
    return all;
}

// An operation's name as a test name (and a file name): letters and digits, the rest '_'.
std::string test_name_of(const std::string& operation) {
    std::string name;
    for (char c : operation)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

class AllocationFailures : public ::testing::TestWithParam<Operation> {
protected:
    static void SetUpTestSuite() {
        CTKLErrors::SetErrorHandling(0);
        g_context = new Context;
    }
    static void TearDownTestSuite() {
        delete g_context;
        g_context = nullptr;
        CTKLErrors::SetErrorHandling(TKL_ERRH_DEBUG_OUTPUT);
    }
    void SetUp() override {
        Context& c = *g_context;
        ASSERT_TRUE(c.mouseSim.ok() && c.diSim.ok()) << "the software devices must load";
        c.diSim.reset();
        c.mouseSim.reset();
        c.mouseSim.detach_all();
        c.dinput = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
        c.mouseSim.reset();
        c.mouse = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(c.dinput && c.dinput->GetDeviceType() == TKL_DEVICE_TYPE_DIRECTINPUT);
        ASSERT_TRUE(c.mouse && c.mouse->GetDeviceType() == TKL_DEVICE_TYPE_MOUSE);
        for (const Sample& sample : kSamples) {
            const std::string bytes = sample.bytes();
            ASSERT_FALSE(bytes.empty()) << sample.resource << " is not embedded";
            c.fileTag = test_name_of(GetParam().name);
            std::ofstream(sample.path(), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
            HTVXPROJECT project = TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()),
                                                             c.mouse->GetDevice());
            ASSERT_NE(project, nullptr);
            c.projects.push_back(project);
            c.creatable.emplace_back();
            c.singles.emplace_back();
            c.objects.push_back(object_count(project));
            c.contents.push_back(contents(project));
            tkltest::OutputCapture quiet;  // the lines of the creations the device refuses
            for (int i = 0; i < c.objects.back(); ++i) {
                const char* name = TVXGetObjectNameByIndex(project, i);
                int count = 0;
                if (ITactraEffect** effects = TVXCreateEffects(project, name, &count)) {
                    c.creatable.back().push_back(name);
                    if (count == 1)
                        c.singles.back().push_back(name);
                    TVXReleaseEffects(project, effects);
                }
            }
            c.creatableOnDirectInput.emplace_back();
            CTactraProject onDirectInput;
            ASSERT_TRUE(onDirectInput.OpenFile(sample.path().c_str(), c.dinput));
            for (const std::string& name : c.creatable.back())
                if (onDirectInput.CreateEffect(name.c_str()))
                    c.creatableOnDirectInput.back().push_back(name);
        }
    }
    void TearDown() override {
        for (const Sample& sample : kSamples)
            std::remove(sample.path().c_str());
        for (HTVXPROJECT project : g_context->projects)
            TVXReleaseProject(project);
        g_context->projects.clear();
        g_context->creatable.clear();
        g_context->creatableOnDirectInput.clear();
        g_context->objects.clear();
        g_context->singles.clear();
        g_context->contents.clear();
        delete g_context->mouse;
        delete g_context->dinput;
        g_context->mouse = g_context->dinput = nullptr;
    }
};

TEST_P(AllocationFailures, EveryAllocationFailingInTurnEndsAsDocumented) {
    const Operation& op = GetParam();
    // Project functions leave the code alone; device and effect operations set their own.
    CTKLErrors::SetErrorCode(kUntouched);
    const allocfail::Sweep sweep = allocfail::fail_each_allocation(
        {op.name, [&op] { CTKLErrors::SetErrorCode(kUntouched); return op.run(); }},
        {[] { return g_context->mouseSim.live_objects(); },
         [] { return g_context->diSim.live_objects(); }});
    std::printf("%s: %lu allocations, %lu runs failed as documented, %lu succeeded despite a failed allocation\n",
                op.name.c_str(), sweep.allocations, sweep.failed, sweep.tolerated);
}

std::string test_name(const ::testing::TestParamInfo<Operation>& info) {
    return test_name_of(info.param.name);
}

INSTANTIATE_TEST_SUITE_P(, AllocationFailures, ::testing::ValuesIn(all_operations()), test_name);

}  // namespace
