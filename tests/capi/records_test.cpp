// Every effect kind through the C interface sends the device exactly what the classes send for
// the same calls: one table row per kind, each run once through each road on both devices.
#include "tests/capi/capitest.h"

#include <utility>

namespace capitest {
namespace {

const int32_t NG = TKL_C_NOT_GIVEN;
const uint32_t NGU = uint32_t(TKL_C_NOT_GIVEN);

// Each step's outcome: success, or the failure code (a class failure without a code counts as
// TKL_ERR_UNKNOWN, which is what the C interface reports for it).
using Steps = std::vector<int32_t>;
int32_t step_c(tkl_status status) { return status; }
int32_t step_class(BOOL ok) {
    if (ok) return TKL_OK;
    const LONG code = CTKLErrors::GetLastErrorCode();
    return code ? int32_t(code) : int32_t(TKL_ERR_UNKNOWN);
}

struct Row {
    const char* name;
    std::function<void(tkl_device, Steps&)> c;
    std::function<void(CTactraDevice*, Steps&)> classes;
};

// Start, status and stop, then release, through the C interface.
void play_c(tkl_effect e, Steps& s) {
    uint32_t status = 0;
    s.push_back(step_c(tkl_effect_start(e, 2, 0)));
    s.push_back(step_c(tkl_effect_status(e, &status)));
    s.push_back(int32_t(status));
    s.push_back(step_c(tkl_effect_stop(e)));
    s.push_back(step_c(tkl_effect_release(e)));
}
void play_class(CTactraEffect& e, Steps& s) {
    DWORD status = 0;
    s.push_back(step_class(e.Start(2, 0)));
    s.push_back(step_class(e.GetStatus(&status)));
    s.push_back(int32_t(status));
    s.push_back(step_class(e.Stop()));
    s.push_back(TKL_OK);
}

tkl_direction dir(uint32_t form, int32_t x = 0, int32_t y = 0) { return {form, x, y}; }
POINT pt(LONG x, LONG y) { return POINT{x, y}; }

Row periodic_row(const char* name, tkl_kind kind, const GUID& guid) {
    return {name,
            [kind](tkl_device d, Steps& s) {
                tkl_effect e = nullptr;
                tkl_force_params p = {1000, 4000, 0, 0, 50, 100, 90};
                tkl_direction cart = dir(TKL_FORM_CARTESIAN, 1, -1);
                s.push_back(step_c(tkl_force_create(d, kind, &p, &cart, nullptr, &e)));
                tkl_force_params q = {NGU, 5000, 0, 0, NGU, NG, 180};
                tkl_direction polar = dir(TKL_FORM_POLAR, 13500);
                s.push_back(step_c(tkl_force_change(e, &q, &polar, TKL_C_ENVELOPE_KEEP)));
                play_c(e, s);
            },
            [&guid](CTactraDevice* d, Steps& s) {
                CTactraPeriodic e(guid);
                s.push_back(step_class(e.Initialize(d, 4000, 50, 1000, 1, -1, 100, 90, nullptr)));
                s.push_back(step_class(e.ChangeParametersPolar(5000, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                                                               13500, LONG(TKL_NOT_GIVEN), 180,
                                                               TKL_ENVELOPE_NOT_GIVEN)));
                play_class(e, s);
            }};
}

std::vector<Row> rows() {
    std::vector<Row> r;
    r.push_back({"spring in two axes, changed in both forms",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_condition_params p = {5000, 8000, 100, {300, 200}, 0};
                     tkl_direction xy = dir(TKL_FORM_XY);
                     s.push_back(step_c(tkl_condition_create(d, TKL_KIND_SPRING, &p, &xy, &e)));
                     tkl_condition_params q = {6000, NGU, NGU, {-1, -1}, 0};
                     s.push_back(step_c(tkl_condition_change(e, &q, nullptr)));
                     tkl_point c = {400, 300};
                     s.push_back(step_c(tkl_effect_set_center(e, c)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraSpring e;
                     s.push_back(step_class(e.Initialize(d, 5000, 8000, 100, 3, pt(300, 200), 0, 0, 0)));
                     s.push_back(step_class(e.ChangeParameters(pt(-1, -1), 6000, TKL_NOT_GIVEN,
                                                               TKL_NOT_GIVEN, LONG(TKL_NOT_GIVEN),
                                                               LONG(TKL_NOT_GIVEN))));
                     s.push_back(step_class(e.SetCenter(pt(400, 300))));
                     play_class(e, s);
                 }});
    r.push_back({"directional spring in device units, polar then Cartesian",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_condition_params p = {4000, 10000, 0, {512, 384}, 1};
                     tkl_direction polar = dir(TKL_FORM_POLAR, 9000);
                     s.push_back(step_c(tkl_condition_create(d, TKL_KIND_SPRING, &p, &polar, &e)));
                     tkl_condition_params q = {NG, 5000, NGU, {100, 100}, 0};
                     tkl_direction cart = dir(TKL_FORM_CARTESIAN, 1, 1);
                     s.push_back(step_c(tkl_condition_change(e, &q, &cart)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraSpring e;
                     s.push_back(step_class(e.InitializePolar(d, 4000, 10000, 0, pt(512, 384), 9000, 1)));
                     s.push_back(step_class(e.ChangeParameters(pt(100, 100), LONG(TKL_NOT_GIVEN), 5000,
                                                               TKL_NOT_GIVEN, 1, 1)));
                     play_class(e, s);
                 }});
    r.push_back({"damper on X, given a direction",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_condition_params p = {3000, 7000, 50, {0, 0}, 0};
                     tkl_direction x = dir(TKL_FORM_X);
                     s.push_back(step_c(tkl_condition_create(d, TKL_KIND_DAMPER, &p, &x, &e)));
                     tkl_condition_params q = {3500, NGU, 60, {0, 0}, 0};
                     tkl_direction polar = dir(TKL_FORM_POLAR, 4500);
                     s.push_back(step_c(tkl_condition_change(e, &q, &polar)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraDamper e;
                     s.push_back(step_class(e.Initialize(d, 3000, 7000, 50, 1, 0, 0)));
                     s.push_back(step_class(e.ChangeParametersPolar(3500, TKL_NOT_GIVEN, 60, 4500)));
                     play_class(e, s);
                 }});
    r.push_back({"inertia along an angle",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_condition_params p = {2000, 9000, 0, {0, 0}, 0};
                     tkl_direction polar = dir(TKL_FORM_POLAR, 27000);
                     s.push_back(step_c(tkl_condition_create(d, TKL_KIND_INERTIA, &p, &polar, &e)));
                     tkl_condition_params q = {2500, NGU, NGU, {0, 0}, 0};
                     tkl_direction cart = dir(TKL_FORM_CARTESIAN, -1, 0);
                     s.push_back(step_c(tkl_condition_change(e, &q, &cart)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraInertia e;
                     s.push_back(step_class(e.InitializePolar(d, 2000, 9000, 0, 27000)));
                     s.push_back(step_class(e.ChangeParameters(2500, TKL_NOT_GIVEN, TKL_NOT_GIVEN, -1, 0)));
                     play_class(e, s);
                 }});
    r.push_back({"friction on Y",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_condition_params p = {6000, 0, 20, {0, 0}, 0};
                     tkl_direction y = dir(TKL_FORM_Y);
                     s.push_back(step_c(tkl_condition_create(d, TKL_KIND_FRICTION, &p, &y, &e)));
                     tkl_condition_params q = {NG, 0, 30, {0, 0}, 0};
                     s.push_back(step_c(tkl_condition_change(e, &q, nullptr)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraFriction e;
                     s.push_back(step_class(e.Initialize(d, 6000, 20, 2, 0, 0)));
                     s.push_back(step_class(e.ChangeParameters(TKL_NOT_GIVEN, 30, LONG(TKL_NOT_GIVEN),
                                                               LONG(TKL_NOT_GIVEN))));
                     play_class(e, s);
                 }});
    r.push_back({"grid on both axes",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_grid_params p = {{10, 12}, {5000, 6000}, {40, 50}, {9000, 8000}};
                     s.push_back(step_c(tkl_grid_create(d, &p, &e)));
                     tkl_grid_params q = {{20, NGU}, {NG, NG}, {NGU, NGU},
                                          {NGU, NGU}};
                     s.push_back(step_c(tkl_grid_change(e, &q)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraGrid e;
                     s.push_back(step_class(e.Initialize(d, 10, 12, 5000, 6000, 40, 50, 9000, 8000)));
                     s.push_back(step_class(e.ChangeParameters(20, TKL_NOT_GIVEN, LONG(TKL_NOT_GIVEN),
                                                               LONG(TKL_NOT_GIVEN), TKL_NOT_GIVEN,
                                                               TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                                                               TKL_NOT_GIVEN)));
                     play_class(e, s);
                 }});
    r.push_back({"texture in two axes, moved",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_texture_params p = {3000, 20, 40, 2000, 25, 45, {5, 7}};
                     tkl_direction xy = dir(TKL_FORM_XY);
                     s.push_back(step_c(tkl_texture_create(d, &p, &xy, &e)));
                     tkl_texture_params q = {3500, NGU, NGU, NG, NGU,
                                             50, {-1, -1}};
                     s.push_back(step_c(tkl_texture_change(e, &q, nullptr)));
                     s.push_back(step_c(tkl_effect_set_center(e, tkl_point{9, 11})));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraTexture e;
                     s.push_back(step_class(e.InitTexture(d, 3000, 20, 40, 2000, 25, 45, 3, pt(5, 7), 0, 0)));
                     s.push_back(step_class(e.ChangeTextureParams(3500, TKL_NOT_GIVEN, TKL_NOT_GIVEN,
                                                                  LONG(TKL_NOT_GIVEN), TKL_NOT_GIVEN,
                                                                  50, pt(-1, -1), LONG(TKL_NOT_GIVEN),
                                                                  LONG(TKL_NOT_GIVEN))));
                     s.push_back(step_class(e.SetOffset(pt(9, 11))));
                     play_class(e, s);
                 }});
    r.push_back({"constant force with an envelope, then the shared values",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_force_params p = {2000, 5000, 0, 0, 0, 0, 0};
                     tkl_direction polar = dir(TKL_FORM_POLAR, 27000);
                     tkl_envelope env = {1000, 20000, 500, 30000};
                     s.push_back(step_c(tkl_force_create(d, TKL_KIND_CONSTANT, &p, &polar, &env, &e)));
                     tkl_force_params q = {NGU, -3000, 0, 0, 0, 0, 0};
                     tkl_direction cart = dir(TKL_FORM_CARTESIAN, 1, 0);
                     s.push_back(step_c(tkl_force_change(e, &q, &cart, nullptr)));
                     tkl_base_params b = {500, 1000, 8000, 1, 200};
                     s.push_back(step_c(tkl_effect_change_base(e, &b, nullptr, &env)));
                     tkl_direction polar2 = dir(TKL_FORM_POLAR, 18000);
                     s.push_back(step_c(tkl_effect_set_direction(e, &polar2)));
                     s.push_back(step_c(tkl_effect_set_envelope(e, nullptr)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraConstant e;
                     TACTRA_ENVELOPE env = {sizeof(TACTRA_ENVELOPE), 1000, 20000, 500, 30000};
                     s.push_back(step_class(e.InitializePolar(d, 27000, 2000, 5000, &env)));
                     s.push_back(step_class(e.ChangeParameters(1, 0, TKL_NOT_GIVEN, -3000, nullptr)));
                     s.push_back(step_class(e.ChangeBaseParams(LONG(TKL_NOT_GIVEN), LONG(TKL_NOT_GIVEN),
                                                               500, &env, 1000, 8000, 1, 200)));
                     s.push_back(step_class(e.ChangeDirection(18000)));
                     s.push_back(step_class(e.SetEnvelope(nullptr)));
                     play_class(e, s);
                 }});
    r.push_back({"ramp force, polar change",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_force_params p = {TKL_C_INFINITE, 0, -2000, 6000, 0, 0, 0};
                     tkl_direction cart = dir(TKL_FORM_CARTESIAN, 0, 1);
                     s.push_back(step_c(tkl_force_create(d, TKL_KIND_RAMP, &p, &cart, nullptr, &e)));
                     tkl_force_params q = {300, 0, NG, 7000, 0, 0, 0};
                     tkl_direction polar = dir(TKL_FORM_POLAR, 9000);
                     tkl_base_params b = {NGU, NGU, 5000, NGU, NGU};
                     s.push_back(step_c(tkl_force_change(e, &q, &polar, TKL_C_ENVELOPE_KEEP)));
                     s.push_back(step_c(tkl_effect_change_base(e, &b, &polar, TKL_C_ENVELOPE_KEEP)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraRamp e;
                     s.push_back(step_class(e.Initialize(d, 0, 1, TACTRA_INFINITE, -2000, 6000, nullptr)));
                     s.push_back(step_class(e.ChangeParametersPolar(9000, 300, LONG(TKL_NOT_GIVEN), 7000,
                                                                    TKL_ENVELOPE_NOT_GIVEN)));
                     s.push_back(step_class(e.ChangeBaseParamsPolar(9000, TKL_NOT_GIVEN,
                                                                    TKL_ENVELOPE_NOT_GIVEN,
                                                                    TKL_NOT_GIVEN, 5000,
                                                                    TKL_NOT_GIVEN, TKL_NOT_GIVEN)));
                     play_class(e, s);
                 }});
    r.push_back(periodic_row("square wave", TKL_KIND_SQUARE, GUID_Tactra_Square));
    r.push_back(periodic_row("sine wave", TKL_KIND_SINE, GUID_Tactra_Sine));
    r.push_back(periodic_row("triangle wave", TKL_KIND_TRIANGLE, GUID_Tactra_Triangle));
    r.push_back(periodic_row("sawtooth up", TKL_KIND_SAWTOOTH_UP, GUID_Tactra_SawtoothUp));
    r.push_back(periodic_row("sawtooth down", TKL_KIND_SAWTOOTH_DOWN, GUID_Tactra_SawtoothDown));
    r.push_back({"enclosure at a center, changed on a rectangle, moved, started once",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_wall_params p = {TKL_WALL_AT_CENTER, {500, 400}, 200, TKL_C_WALL_DEFAULT,
                                          {0, 0, 0, 0}, {6000, 7000}, {10, 12}, {9000, 8000},
                                          255, 0, nullptr};
                     s.push_back(step_c(tkl_wall_create(d, TKL_KIND_ENCLOSURE, &p, &e)));
                     tkl_wall_params q = p;
                     q.placement = TKL_WALL_ON_RECT;
                     q.rect = {100, 100, 300, 250};
                     q.stiffness[1] = NG;
                     q.inner = TKL_C_INNER_KEEP;
                     s.push_back(step_c(tkl_wall_change(e, &q)));
                     tkl_rect r = {50, 60, 150, 160};
                     s.push_back(step_c(tkl_wall_set_rect(e, &r)));
                     s.push_back(step_c(tkl_effect_set_center(e, tkl_point{200, 220})));
                     s.push_back(step_c(tkl_effect_start(e, 1, 0)));
                     s.push_back(step_c(tkl_effect_release(e)));
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraEnclosure e;
                     s.push_back(step_class(e.Initialize(d, 200, TKL_WALL_DEFAULT, 6000, 7000, 10, 12,
                                                         9000, 8000, 255, 0, pt(500, 400), nullptr)));
                     const RECT rect = {100, 100, 300, 250};
                     s.push_back(step_class(e.ChangeParameters(&rect, 6000, LONG(TKL_NOT_GIVEN), 10, 12,
                                                               9000, 8000, 255, 0,
                                                               TKL_INNER_EFFECT_NOT_GIVEN)));
                     const RECT r = {50, 60, 150, 160};
                     s.push_back(step_class(e.SetRect(&r)));
                     s.push_back(step_class(e.SetCenter(pt(200, 220))));
                     s.push_back(step_class(e.Start(DWORD(0))));
                     s.push_back(TKL_OK);
                 }});
    r.push_back({"box on a rectangle, changed at a center",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_wall_params p = {TKL_WALL_ON_RECT, {0, 0}, 0, 0, {10, 20, 210, 220},
                                          {5000, 0}, {8, 0}, {0, 0}, 0, 0, nullptr};
                     s.push_back(step_c(tkl_wall_create(d, TKL_KIND_BOX, &p, &e)));
                     tkl_wall_params q = p;
                     q.placement = TKL_WALL_AT_CENTER;
                     q.center = {-1, -1};
                     q.width = 120;
                     q.height = NGU;
                     q.thickness[0] = TKL_C_WALL_DEFAULT;
                     s.push_back(step_c(tkl_wall_change(e, &q)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraBox e;
                     const RECT rect = {10, 20, 210, 220};
                     s.push_back(step_class(e.Initialize(d, &rect, 5000, 8, nullptr)));
                     s.push_back(step_class(e.ChangeParameters(pt(-1, -1), 5000, 120, TKL_NOT_GIVEN,
                                                               TKL_WALL_DEFAULT, nullptr)));
                     play_class(e, s);
                 }});
    r.push_back({"ellipse following the cursor, started once",
                 [](tkl_device d, Steps& s) {
                     tkl_effect e = nullptr;
                     tkl_wall_params p = {TKL_WALL_AT_CENTER, {TKL_C_CURSOR_POINT, TKL_C_CURSOR_POINT},
                                          150, 100, {0, 0, 0, 0}, {7000, 0}, {9, 0}, {9500, 0},
                                          1, 2, nullptr};
                     s.push_back(step_c(tkl_wall_create(d, TKL_KIND_ELLIPSE, &p, &e)));
                     tkl_wall_params q = p;
                     q.center = {-1, -1};
                     q.width = NGU;
                     q.height = 80;
                     q.stiffness[0] = 7500;
                     s.push_back(step_c(tkl_wall_change(e, &q)));
                     s.push_back(step_c(tkl_effect_start(e, 1, 0)));
                     play_c(e, s);
                 },
                 [](CTactraDevice* d, Steps& s) {
                     CTactraEllipse e;
                     s.push_back(step_class(e.Initialize(d, 150, 100, 7000, 9, 9500, 1, 2,
                                                         pt(TKL_CURSOR_POINT, TKL_CURSOR_POINT),
                                                         nullptr)));
                     s.push_back(step_class(e.ChangeParameters(pt(-1, -1), TKL_NOT_GIVEN, 80, 7500, 9,
                                                               9500, 1, 2, nullptr)));
                     s.push_back(step_class(e.Start(DWORD(0))));
                     play_class(e, s);
                 }});
    return r;
}

class CApiRecords : public CApi {};

TEST_P(CApiRecords, EveryKindSendsWhatTheClassesSend) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        SetCursorPos(320, 240);
        reset_devices();
        Steps viaC;
        tkl_device device = open_c();
        sim().log_clear();
        row.c(device, viaC);
        const std::vector<SimCall> cCalls = effect_calls();
        EXPECT_EQ(tkl_device_release(device), TKL_OK);

        SetCursorPos(320, 240);
        reset_devices();
        Steps viaClasses;
        CTactraDevice* classes = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(classes, nullptr);
        sim().log_clear();
        row.classes(classes, viaClasses);
        const std::vector<SimCall> classCalls = effect_calls();
        delete classes;

        // A kind the device refuses fails at creation on both roads, and nothing follows.
        if (viaClasses.at(0) != TKL_OK) {
            EXPECT_EQ(viaC.at(0), viaClasses.at(0)) << "creation";
        } else {
            EXPECT_EQ(viaC, viaClasses) << "results of the steps";
        }
        EXPECT_FALSE(cCalls.empty());
        expect_same_calls(cCalls, classCalls);
    }
}

CAPI_ON_BOTH_DEVICES(CApiRecords);

}  // namespace
}  // namespace capitest
