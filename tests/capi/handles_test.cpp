// Handles through the C interface: bad handles and null pointers fail with their codes, a
// released device's effects and projects fail cleanly, projects play objects by name, and
// nothing of the devices is left alive.
#include "tests/capi/capitest.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace capitest {
namespace {

class CApiHandles : public CApi {};

// One row per function that takes a handle: which sort it takes, and the call with that handle
// (all other arguments valid).
struct HandleRow {
    const char* name;
    char sort;  // 'd'evice, 'e'ffect, 'p'roject, 'l'ist
    std::function<tkl_status(void*)> call;
};

std::vector<HandleRow> handle_rows(const std::string& path) {
    static uint32_t u;
    static int32_t i;
    static tkl_kind k;
    static tkl_effect e;
    static tkl_project p;
    static char buffer[8];
    static const tkl_condition_params cp = {1000, 1000, 0, {0, 0}, 0};
    static const tkl_grid_params gp = {{1, 1}, {1, 1}, {0, 0}, {1, 1}};
    static const tkl_texture_params tp = {1, 1, 1, 1, 1, 1, {0, 0}};
    static const tkl_force_params fp = {100, 1000, 0, 0, 10, 0, 0};
    static const tkl_wall_params wp = {TKL_WALL_AT_CENTER, {100, 100}, 50, 50, {0, 0, 0, 0},
                                       {1000, 1000}, {5, 5}, {1000, 1000}, 0, 0, nullptr};
    static const tkl_direction cart = {TKL_FORM_CARTESIAN, 1, 0};
    static const tkl_base_params bp = {100, 0, 10000, 0, 0};
    static const tkl_rect rc = {0, 0, 10, 10};
    static std::string file;
    file = path;
    auto D = [](void* h) { return static_cast<tkl_device>(h); };
    auto E = [](void* h) { return static_cast<tkl_effect>(h); };
    auto P = [](void* h) { return static_cast<tkl_project>(h); };
    auto L = [](void* h) { return static_cast<tkl_project_list>(h); };
    return {
        {"device_type", 'd', [=](void* h) { return tkl_device_type(D(h), &u); }},
        {"device_release", 'd', [=](void* h) { return tkl_device_release(D(h)); }},
        {"condition_create", 'd', [=](void* h) { return tkl_condition_create(D(h), TKL_KIND_SPRING, &cp, &cart, &e); }},
        {"grid_create", 'd', [=](void* h) { return tkl_grid_create(D(h), &gp, &e); }},
        {"texture_create", 'd', [=](void* h) { return tkl_texture_create(D(h), &tp, &cart, &e); }},
        {"force_create", 'd', [=](void* h) { return tkl_force_create(D(h), TKL_KIND_SINE, &fp, &cart, nullptr, &e); }},
        {"wall_create", 'd', [=](void* h) { return tkl_wall_create(D(h), TKL_KIND_BOX, &wp, &e); }},
        {"project_open_file", 'd', [=](void* h) { return tkl_project_open_file(D(h), file.c_str(), &p); }},
        {"project_open_memory", 'd', [=](void* h) { return tkl_project_open_memory(D(h), buffer, 8, &p); }},
        {"project_open_resource", 'd', [=](void* h) { return tkl_project_open_resource(D(h), nullptr, "Showcase", &p); }},
        {"condition_change", 'e', [=](void* h) { return tkl_condition_change(E(h), &cp, nullptr); }},
        {"grid_change", 'e', [=](void* h) { return tkl_grid_change(E(h), &gp); }},
        {"texture_change", 'e', [=](void* h) { return tkl_texture_change(E(h), &tp, nullptr); }},
        {"force_change", 'e', [=](void* h) { return tkl_force_change(E(h), &fp, nullptr, nullptr); }},
        {"wall_change", 'e', [=](void* h) { return tkl_wall_change(E(h), &wp); }},
        {"wall_set_rect", 'e', [=](void* h) { return tkl_wall_set_rect(E(h), &rc); }},
        {"effect_set_center", 'e', [=](void* h) { return tkl_effect_set_center(E(h), tkl_point{1, 1}); }},
        {"effect_set_direction", 'e', [=](void* h) { return tkl_effect_set_direction(E(h), &cart); }},
        {"effect_set_envelope", 'e', [=](void* h) { return tkl_effect_set_envelope(E(h), nullptr); }},
        {"effect_change_base", 'e', [=](void* h) { return tkl_effect_change_base(E(h), &bp, nullptr, nullptr); }},
        {"effect_start", 'e', [=](void* h) { return tkl_effect_start(E(h), 1, 0); }},
        {"effect_stop", 'e', [=](void* h) { return tkl_effect_stop(E(h)); }},
        {"effect_status", 'e', [=](void* h) { return tkl_effect_status(E(h), &u); }},
        {"effect_kind", 'e', [=](void* h) { return tkl_effect_kind(E(h), &k); }},
        {"effect_release", 'e', [=](void* h) { return tkl_effect_release(E(h)); }},
        {"effect_from_project", 'p', [=](void* h) { return tkl_effect_from_project(P(h), "Syrup", nullptr, &e); }},
        {"project_start", 'p', [=](void* h) { return tkl_project_start(P(h), "Syrup", 1, 0); }},
        {"project_stop", 'p', [=](void* h) { return tkl_project_stop(P(h), nullptr); }},
        {"project_object_count", 'p', [=](void* h) { return tkl_project_object_count(P(h), &u); }},
        {"project_object_name", 'p', [=](void* h) { return tkl_project_object_name(P(h), 0, buffer, 8, &u); }},
        {"project_close", 'p', [=](void* h) { return tkl_project_close(P(h)); }},
        {"project_list_open_file", 'l', [=](void* h) { return tkl_project_list_open_file(L(h), nullptr, file.c_str(), &i); }},
        {"project_list_get", 'l', [=](void* h) { return tkl_project_list_get(L(h), 0, &p); }},
        {"project_list_stop", 'l', [=](void* h) { return tkl_project_list_stop(L(h)); }},
        {"project_list_release", 'l', [=](void* h) { return tkl_project_list_release(L(h)); }},
    };
}

TEST_P(CApiHandles, BadHandlesFailWithTheirCodes) {
    tkl_device device = open_c();
    tkl_effect effect = nullptr;
    const tkl_condition_params cp = {1000, 1000, 0, {0, 0}, 0};
    const tkl_direction x = {TKL_FORM_X, 0, 0};
    ASSERT_EQ(tkl_condition_create(device, TKL_KIND_DAMPER, &cp, &x, &effect), TKL_OK);
    tkl_project project = nullptr;
    ASSERT_EQ(tkl_project_open_file(device, sample_path("showcase").c_str(), &project), TKL_OK);
    tkl_project_list list = nullptr;
    ASSERT_EQ(tkl_project_list_create(&list), TKL_OK);
    // A stale handle of each sort: made and released.
    tkl_project_list staleList = nullptr;
    ASSERT_EQ(tkl_project_list_create(&staleList), TKL_OK);
    ASSERT_EQ(tkl_project_list_release(staleList), TKL_OK);
    tkl_effect staleEffect = nullptr;
    ASSERT_EQ(tkl_condition_create(device, TKL_KIND_DAMPER, &cp, &x, &staleEffect), TKL_OK);
    ASSERT_EQ(tkl_effect_release(staleEffect), TKL_OK);
    tkl_project staleProject = nullptr;
    ASSERT_EQ(tkl_project_open_file(device, sample_path("showcase").c_str(), &staleProject), TKL_OK);
    ASSERT_EQ(tkl_project_close(staleProject), TKL_OK);
    tkl_device staleDevice = open_c();
    ASSERT_EQ(tkl_device_release(staleDevice), TKL_OK);

    auto live = [&](char sort) -> void* {
        switch (sort) {
        case 'd': return device;
        case 'e': return effect;
        case 'p': return project;
        default: return list;
        }
    };
    auto stale = [&](char sort) -> void* {
        switch (sort) {
        case 'd': return staleDevice;
        case 'e': return staleEffect;
        case 'p': return staleProject;
        default: return staleList;
        }
    };
    static int local;
    void* foreign[] = {&local, reinterpret_cast<void*>(std::uintptr_t(0x0000FFFEu)),
                       reinterpret_cast<void*>(~std::uintptr_t(0))};
    for (const HandleRow& row : handle_rows(sample_path("showcase"))) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.call(nullptr), TKL_ERR_NULL_PARAMETER);
        EXPECT_EQ(tkl_last_error(), TKL_ERR_NULL_PARAMETER);
        EXPECT_EQ(row.call(stale(row.sort)), TKL_ERR_INVALID_PARAMETER);
        EXPECT_EQ(tkl_last_error(), TKL_ERR_INVALID_PARAMETER);
        for (void* h : foreign) EXPECT_EQ(row.call(h), TKL_ERR_INVALID_PARAMETER);
        for (char other : {'d', 'e', 'p', 'l'}) {
            if (other != row.sort) {
                EXPECT_EQ(row.call(live(other)), TKL_ERR_INVALID_PARAMETER) << other;
            }
        }
    }
    // The live handles still work after all that.
    EXPECT_EQ(tkl_effect_start(effect, 1, 0), TKL_OK);
    EXPECT_EQ(tkl_project_list_release(list), TKL_OK);
    EXPECT_EQ(tkl_project_close(project), TKL_OK);
    EXPECT_EQ(tkl_effect_release(effect), TKL_OK);
    EXPECT_EQ(tkl_device_release(device), TKL_OK);
}

TEST_P(CApiHandles, NullPointersAndWrongKindsFail) {
    tkl_device device = open_c();
    const tkl_condition_params cp = {1000, 1000, 0, {0, 0}, 0};
    const tkl_force_params fp = {100, 1000, 0, 0, 10, 0, 0};
    const tkl_direction cart = {TKL_FORM_CARTESIAN, 1, 0};
    const tkl_direction xy = {TKL_FORM_XY, 0, 0};
    static int marker;
    tkl_effect e = reinterpret_cast<tkl_effect>(&marker);  // every failure leaves null in *out
    struct Case {
        const char* name;
        tkl_status status;
        tkl_status expected;
    };
    const Case cases[] = {
        {"open without out", tkl_device_open(nullptr, nullptr, nullptr), TKL_ERR_NULL_PARAMETER},
        {"type without out", tkl_device_type(device, nullptr), TKL_ERR_NULL_PARAMETER},
        {"create without out", tkl_condition_create(device, TKL_KIND_SPRING, &cp, &cart, nullptr), TKL_ERR_NULL_PARAMETER},
        {"create without values", tkl_condition_create(device, TKL_KIND_SPRING, nullptr, &cart, &e), TKL_ERR_NULL_PARAMETER},
        {"a force as a condition", tkl_condition_create(device, TKL_KIND_SINE, &cp, &cart, &e), TKL_ERR_INVALID_PARAMETER},
        {"a condition as a force", tkl_force_create(device, TKL_KIND_DAMPER, &fp, &cart, nullptr, &e), TKL_ERR_INVALID_PARAMETER},
        {"a force without direction", tkl_force_create(device, TKL_KIND_SINE, &fp, nullptr, nullptr, &e), TKL_ERR_NULL_PARAMETER},
        {"a force in two axes", tkl_force_create(device, TKL_KIND_SINE, &fp, &xy, nullptr, &e), TKL_ERR_INVALID_PARAMETER},
        {"a kind out of range", tkl_wall_create(device, tkl_kind(99), nullptr, &e), TKL_ERR_INVALID_PARAMETER},
        {"list without out", tkl_project_list_create(nullptr), TKL_ERR_NULL_PARAMETER},
        {"project without out", tkl_project_open_file(device, "x", nullptr), TKL_ERR_NULL_PARAMETER},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.status, c.expected) << c.name;
    }
    EXPECT_EQ(e, nullptr);

    // Operations an effect's kind does not have, and changes in a form they cannot take.
    tkl_effect spring = nullptr;
    ASSERT_EQ(tkl_condition_create(device, TKL_KIND_SPRING, &cp, &cart, &spring), TKL_OK);
    const tkl_direction x = {TKL_FORM_X, 0, 0};
    const tkl_rect rc = {0, 0, 1, 1};
    EXPECT_EQ(tkl_force_change(spring, &fp, nullptr, nullptr), TKL_ERR_INVALID_PARAMETER);
    EXPECT_EQ(tkl_wall_set_rect(spring, &rc), TKL_ERR_INVALID_PARAMETER);
    EXPECT_EQ(tkl_condition_change(spring, &cp, &x), TKL_ERR_INVALID_PARAMETER);
    EXPECT_EQ(tkl_condition_change(spring, nullptr, nullptr), TKL_ERR_NULL_PARAMETER);
    EXPECT_EQ(tkl_effect_status(spring, nullptr), TKL_ERR_NULL_PARAMETER);
    EXPECT_EQ(tkl_effect_set_direction(spring, nullptr), TKL_ERR_NULL_PARAMETER);
    tkl_kind kind = TKL_KIND_OTHER;
    EXPECT_EQ(tkl_effect_kind(spring, &kind), TKL_OK);
    EXPECT_EQ(kind, TKL_KIND_SPRING);
    EXPECT_EQ(tkl_effect_release(spring), TKL_OK);
    EXPECT_EQ(tkl_effect_release(spring), TKL_ERR_INVALID_PARAMETER) << "double release";
    EXPECT_EQ(tkl_device_release(device), TKL_OK);
    EXPECT_EQ(tkl_device_release(device), TKL_ERR_INVALID_PARAMETER) << "double release";

    // The last code's text, whole or cut short, and its length in every case.
    char text[64], cut[5];
    ASSERT_EQ(tkl_last_error(), TKL_ERR_INVALID_PARAMETER);
    EXPECT_EQ(tkl_error_text(tkl_last_error(), text, sizeof text), 17u);
    EXPECT_STREQ(text, "Invalid Parameter");
    EXPECT_EQ(tkl_error_text(TKL_ERR_NULL_PARAMETER, cut, sizeof cut), 14u);
    EXPECT_STREQ(cut, "Null");
    EXPECT_EQ(tkl_error_text(TKL_ERR_NULL_PARAMETER, nullptr, 100), 14u);
    EXPECT_GT(tkl_error_text(int32_t(0x80070057), text, sizeof text), 24u);
    EXPECT_NE(std::string(text).find("0x80070057"), std::string::npos) << text;
}

TEST_P(CApiHandles, ReleasingTheDeviceEndsWhatWasOpenedOnIt) {
    tkl_device device = open_c();
    const tkl_force_params fp = {TKL_C_INFINITE, 3000, 0, 0, 0, 0, 0};
    const tkl_direction cart = {TKL_FORM_CARTESIAN, 1, 0};
    tkl_effect inner = nullptr, wall = nullptr;
    ASSERT_EQ(tkl_force_create(device, TKL_KIND_CONSTANT, &fp, &cart, nullptr, &inner), TKL_OK);
    tkl_wall_params wp = {TKL_WALL_AT_CENTER, {300, 300}, 100, 100, {0, 0, 0, 0},
                          {5000, 5000}, {5, 5}, {10000, 10000}, 255, 0, inner};
    const tkl_status made = tkl_wall_create(device, TKL_KIND_ENCLOSURE, &wp, &wall);
    tkl_project project = nullptr, listed = nullptr;
    ASSERT_EQ(tkl_project_open_file(device, sample_path("showcase").c_str(), &project), TKL_OK);
    ASSERT_EQ(tkl_project_start(project, "Syrup", 1, 0), TKL_OK);
    tkl_project_list list = nullptr;
    int32_t position = -1;
    ASSERT_EQ(tkl_project_list_create(&list), TKL_OK);
    ASSERT_EQ(tkl_project_list_open_file(list, device, sample_path("desktop").c_str(), &position), TKL_OK);
    EXPECT_EQ(position, 0);
    ASSERT_EQ(tkl_project_list_get(list, 0, &listed), TKL_OK);
    if (made == TKL_OK) {  // DirectInput devices have no enclosure
        // The inner effect stays while the enclosure refers to it.
        EXPECT_EQ(tkl_effect_release(inner), TKL_ERR_INVALID_PARAMETER);
        EXPECT_EQ(tkl_effect_start(wall, 1, 0), TKL_OK);
    }

    ASSERT_EQ(tkl_device_release(device), TKL_OK);
    EXPECT_EQ(sim().live_objects(), 0u) << "the device's objects are all released";
    uint32_t status = 0;
    EXPECT_EQ(tkl_effect_start(inner, 1, 0), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(tkl_effect_status(inner, &status), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(tkl_project_start(project, "Syrup", 1, 0), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(tkl_project_start(listed, "Syrup", 1, 0), TKL_ERR_DEVICE_IS_NULL);
    EXPECT_EQ(tkl_project_list_stop(list), TKL_ERR_DEVICE_IS_NULL);
    // Their own release still works, once.
    if (made == TKL_OK) {
        EXPECT_EQ(tkl_effect_release(wall), TKL_OK);
    }
    EXPECT_EQ(tkl_effect_release(inner), TKL_OK);
    EXPECT_EQ(tkl_project_close(listed), TKL_OK);
    EXPECT_EQ(tkl_project_close(project), TKL_OK);
    EXPECT_EQ(tkl_project_close(project), TKL_ERR_INVALID_PARAMETER);
    EXPECT_EQ(tkl_project_list_release(list), TKL_OK);
    EXPECT_EQ(tkl_project_list_release(list), TKL_ERR_INVALID_PARAMETER);
}

TEST_P(CApiHandles, ProjectsPlayObjectsByName) {
    const std::string path = sample_path("showcase");
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty()) << path;
    tkl_device device = open_c();
    tkl_project fromFile = nullptr, fromMemory = nullptr, fromResource = nullptr;
    ASSERT_EQ(tkl_project_open_file(device, path.c_str(), &fromFile), TKL_OK);
    ASSERT_EQ(tkl_project_open_memory(device, bytes.data(), uint32_t(bytes.size()), &fromMemory), TKL_OK);
    ASSERT_EQ(tkl_project_open_resource(device, nullptr, "Showcase", &fromResource), TKL_OK);
    tkl_project missing = reinterpret_cast<tkl_project>(&device);
    // A failed open leaves the loader's reason; an open that loads clears it.
    char reason[128];
    EXPECT_NE(tkl_project_open_file(device, "no such file.tvx", &missing), TKL_OK);
    EXPECT_EQ(missing, nullptr);
    const uint32_t length = tkl_project_load_error(reason, sizeof reason);
    EXPECT_STREQ(reason, "cannot open: no such file");
    EXPECT_EQ(length, std::strlen(reason));
    EXPECT_NE(tkl_project_open_memory(device, bytes.data(), 10, &missing), TKL_OK);
    tkl_project_load_error(reason, sizeof reason);
    EXPECT_NE(std::string(reason).find("header at byte"), std::string::npos) << reason;
    EXPECT_EQ(tkl_project_load_error(nullptr, 0), std::strlen(reason));
    tkl_project loaded = nullptr;
    ASSERT_EQ(tkl_project_open_memory(device, bytes.data(), uint32_t(bytes.size()), &loaded), TKL_OK);
    EXPECT_EQ(tkl_project_load_error(reason, sizeof reason), 0u);
    EXPECT_STREQ(reason, "");
    EXPECT_EQ(tkl_project_close(loaded), TKL_OK);

    for (tkl_project p : {fromFile, fromMemory, fromResource}) {
        uint32_t count = 0;
        ASSERT_EQ(tkl_project_object_count(p, &count), TKL_OK);
        EXPECT_GT(count, 20u);
        // Names come whole or cut short with their full length.
        char name[64], cut[4];
        uint32_t length = 0, cutLength = 0;
        ASSERT_EQ(tkl_project_object_name(p, 0, name, sizeof name, &length), TKL_OK);
        EXPECT_STREQ(name, "Centering Spring");
        EXPECT_EQ(length, 16u);
        ASSERT_EQ(tkl_project_object_name(p, 0, cut, sizeof cut, &cutLength), TKL_OK);
        EXPECT_STREQ(cut, "Cen");
        EXPECT_EQ(cutLength, 16u);
        EXPECT_EQ(tkl_project_object_name(p, count, name, sizeof name, &length), TKL_ERR_INVALID_PARAMETER);
        EXPECT_EQ(tkl_project_object_name(p, 0, nullptr, 0, &length), TKL_OK);

        sim().log_clear();
        EXPECT_EQ(tkl_project_start(p, "Button Feel", 1, 0), TKL_OK);
        EXPECT_EQ(effect_calls().size(), 4u) << "two effects made and started";
        EXPECT_EQ(tkl_project_stop(p, "Button Feel"), TKL_OK);
        EXPECT_EQ(tkl_project_start(p, "Nowhere", 1, 0), TKL_ERR_CANT_CREATE_EFFECT);
        EXPECT_EQ(tkl_project_stop(p, nullptr), TKL_OK);
    }

    // A single effect from an object takes the object's class.
    tkl_effect syrup = nullptr, compound = nullptr;
    ASSERT_EQ(tkl_effect_from_project(fromFile, "Syrup", nullptr, &syrup), TKL_OK);
    tkl_kind kind = TKL_KIND_OTHER;
    EXPECT_EQ(tkl_effect_kind(syrup, &kind), TKL_OK);
    EXPECT_EQ(kind, TKL_KIND_DAMPER);
    const tkl_condition_params cp = {4000, uint32_t(TKL_C_NOT_GIVEN), uint32_t(TKL_C_NOT_GIVEN), {0, 0}, 0};
    EXPECT_EQ(tkl_condition_change(syrup, &cp, nullptr), TKL_OK);
    EXPECT_EQ(tkl_effect_start(syrup, 1, 0), TKL_OK);
    EXPECT_EQ(tkl_effect_from_project(fromFile, "Button Feel", device, &compound), TKL_ERR_EFFECT_IS_COMPOUND);
    EXPECT_EQ(tkl_effect_from_project(fromFile, "Nowhere", device, &compound), TKL_ERR_CANT_CREATE_EFFECT_FROM_TVX);
    EXPECT_EQ(compound, nullptr);
    EXPECT_EQ(tkl_effect_release(syrup), TKL_OK);

    // A list's projects, by place.
    tkl_project_list list = nullptr;
    int32_t first = -1, second = -1;
    ASSERT_EQ(tkl_project_list_create(&list), TKL_OK);
    ASSERT_EQ(tkl_project_list_open_file(list, device, path.c_str(), &first), TKL_OK);
    ASSERT_EQ(tkl_project_list_open_file(list, device, sample_path("desktop").c_str(), &second), TKL_OK);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(tkl_project_list_open_file(list, device, "no such file.tvx", &second), TKL_ERR_UNKNOWN);
    EXPECT_EQ(second, -2);
    tkl_project listed = nullptr;
    ASSERT_EQ(tkl_project_list_get(list, 0, &listed), TKL_OK);
    EXPECT_EQ(tkl_project_start(listed, "Click", 1, 0), TKL_OK);
    EXPECT_EQ(tkl_project_list_get(list, 5, &listed), TKL_ERR_INVALID_PARAMETER);
    ASSERT_EQ(tkl_project_list_get(list, 0, &listed), TKL_OK);
    EXPECT_EQ(tkl_project_list_stop(list), TKL_OK);
    EXPECT_EQ(tkl_project_list_release(list), TKL_OK);
    EXPECT_EQ(tkl_project_start(listed, "Click", 1, 0), TKL_ERR_INVALID_PARAMETER)
        << "a list's project handles end with the list";

    for (tkl_project p : {fromFile, fromMemory, fromResource}) EXPECT_EQ(tkl_project_close(p), TKL_OK);
    EXPECT_EQ(tkl_device_release(device), TKL_OK);
}

CAPI_ON_BOTH_DEVICES(CApiHandles);

}  // namespace
}  // namespace capitest
