#pragma once
// The control API of sim/simcontrol.h, defined once for both modules: each module expands
// SIM_DEFINE_CONTROL_API with its prefix, and the functions act on its sim_module().

#include "sim/common/module.h"
#include "sim/common/playback.h"
#include "sim/common/simexport.h"

// The module's state; each module defines it.
SimModule& sim_module();

int sim_control_effect_get(SimModule& module, unsigned index, SimEffectState* out);
int sim_control_get_property(SimModule& module, DWORD number, DWORD* values, unsigned count);

#define SIM_DEFINE_CONTROL_API(P)                                                              \
    extern "C" {                                                                               \
    SIM_EXPORT void SIM_CALL P##reset(void) { sim_module().reset(); }                          \
    SIM_EXPORT int SIM_CALL P##attach(const GUID* instance) { return sim_module().attach(instance); } \
    SIM_EXPORT void SIM_CALL P##detach_all(void) { sim_module().detach_all(); }                \
    SIM_EXPORT unsigned SIM_CALL P##device_count(void) { return sim_module().device_count(); } \
    SIM_EXPORT void SIM_CALL P##fail_next(const char* op, HRESULT result) {                    \
        sim_module().faults.arm(op, result);                                                   \
    }                                                                                          \
    SIM_EXPORT void SIM_CALL P##fail_after(const char* op, unsigned skip, HRESULT result) {   \
        sim_module().faults.arm(op, result, skip);                                             \
    }                                                                                          \
    SIM_EXPORT void SIM_CALL P##set_capacity(unsigned effects) {                               \
        sim_module().set_capacity(effects);                                                    \
    }                                                                                          \
    SIM_EXPORT unsigned SIM_CALL P##log_count(void) { return sim_module().log.count(); }       \
    SIM_EXPORT int SIM_CALL P##log_get(unsigned index, SimCall* out) {                         \
        return sim_module().log.get(index, out) ? 1 : 0;                                      \
    }                                                                                          \
    SIM_EXPORT void SIM_CALL P##log_clear(void) { sim_module().log.clear(); }                  \
    SIM_EXPORT unsigned SIM_CALL P##effect_count(void) { return sim_module().effect_count(); } \
    SIM_EXPORT int SIM_CALL P##effect_get(unsigned index, SimEffectState* out) {               \
        return sim_control_effect_get(sim_module(), index, out);                               \
    }                                                                                          \
    SIM_EXPORT unsigned SIM_CALL P##live_objects(void) { return sim_module().live_objects(); } \
    SIM_EXPORT int SIM_CALL P##get_property(DWORD number, DWORD* values, unsigned count) {     \
        return sim_control_get_property(sim_module(), number, values, count);                  \
    }                                                                                          \
    SIM_EXPORT void SIM_CALL P##set_pointer(const SimPointer* pointer) {                       \
        if (pointer)                                                                           \
            sim_set_pointer(sim_module(), *pointer);                                           \
    }                                                                                          \
    SIM_EXPORT int SIM_CALL P##get_pointer(SimPointer* out) {                                  \
        if (!out)                                                                              \
            return 0;                                                                          \
        *out = sim_get_pointer(sim_module());                                                  \
        return 1;                                                                              \
    }                                                                                          \
    SIM_EXPORT void SIM_CALL P##advance(DWORD microseconds) {                                  \
        sim_advance(sim_module(), microseconds);                                               \
    }                                                                                          \
    SIM_EXPORT unsigned long long SIM_CALL P##now(void) { return sim_module().now(); }         \
    SIM_EXPORT unsigned SIM_CALL P##force(SimForce* total, SimEffectForce* each,               \
                                          unsigned capacity) {                                 \
        return sim_read_force(sim_module(), total, each, capacity);                            \
    }                                                                                          \
    SIM_EXPORT unsigned SIM_CALL P##render_path(const SimPathSample* samples, unsigned count,   \
                                                SimForce* totals) {                            \
        return sim_render_path(sim_module(), samples, count, totals);                          \
    }                                                                                          \
    }

#if defined(__EMSCRIPTEN__)
#include "tkl/platform/linkedmodules.h"

// The control API as entries of a linked module's export table (tkl/platform/linkedmodules.h),
// for the program that links a device into itself.
#define SIM_LINKED_EXPORT(name) {#name, reinterpret_cast<FARPROC>(&name)}
#define SIM_LINKED_CONTROL_EXPORTS(P)                                                          \
    SIM_LINKED_EXPORT(P##reset), SIM_LINKED_EXPORT(P##attach),                                 \
    SIM_LINKED_EXPORT(P##detach_all), SIM_LINKED_EXPORT(P##device_count),                      \
    SIM_LINKED_EXPORT(P##fail_next), SIM_LINKED_EXPORT(P##fail_after),                         \
    SIM_LINKED_EXPORT(P##set_capacity), SIM_LINKED_EXPORT(P##log_count),                       \
    SIM_LINKED_EXPORT(P##log_get), SIM_LINKED_EXPORT(P##log_clear),                            \
    SIM_LINKED_EXPORT(P##effect_count), SIM_LINKED_EXPORT(P##effect_get),                      \
    SIM_LINKED_EXPORT(P##live_objects), SIM_LINKED_EXPORT(P##get_property),                    \
    SIM_LINKED_EXPORT(P##set_pointer), SIM_LINKED_EXPORT(P##get_pointer),                      \
    SIM_LINKED_EXPORT(P##advance), SIM_LINKED_EXPORT(P##now), SIM_LINKED_EXPORT(P##force),     \
    SIM_LINKED_EXPORT(P##render_path)
#endif
