#pragma once
// A small client of a software device's control interface (sim/simcontrol.h): loads the module
// by name, as the library does, and resolves the control functions. While the client lives it
// holds a load reference, so the device's state survives the library freeing the module.

#include "sim/simcontrol.h"

#include <string>

class SimClient {
public:
    // The software force mouse.
    static SimClient mouse() { return SimClient("tactra.dll", "tactrasim_"); }
    // The DirectInput stand-in.
    static SimClient directInput() { return SimClient("dinput.dll", "dinputsim_"); }

    SimClient(const char* module, const char* prefix) : prefix_(prefix) {
        module_ = LoadLibraryA(module);
        if (!module_)
            return;
        reset = get<SimResetFn>("reset");
        attach = get<SimAttachFn>("attach");
        detach_all = get<SimDetachAllFn>("detach_all");
        device_count = get<SimCountFn>("device_count");
        fail_next = get<SimFailNextFn>("fail_next");
        set_capacity = get<SimSetCapacityFn>("set_capacity");
        log_count = get<SimCountFn>("log_count");
        log_get = get<SimLogGetFn>("log_get");
        log_clear = get<SimLogClearFn>("log_clear");
        effect_count = get<SimCountFn>("effect_count");
        effect_get = get<SimEffectGetFn>("effect_get");
        live_objects = get<SimCountFn>("live_objects");
        get_property = get<SimGetPropertyFn>("get_property");
        fail_after = get<SimFailAfterFn>("fail_after");
        set_pointer = get<SimSetPointerFn>("set_pointer");
        get_pointer = get<SimGetPointerFn>("get_pointer");
        advance = get<SimAdvanceFn>("advance");
        now = get<SimNowFn>("now");
        force = get<SimForceFn>("force");
        render_path = get<SimRenderPathFn>("render_path");
    }
    SimClient(SimClient&& other) noexcept { *this = static_cast<SimClient&&>(other); }
    SimClient& operator=(SimClient&& other) noexcept {
        if (this != &other) {
            release();
            prefix_ = other.prefix_;
            module_ = other.module_;
            other.module_ = nullptr;
            reset = other.reset; attach = other.attach; detach_all = other.detach_all;
            device_count = other.device_count; fail_next = other.fail_next;
            set_capacity = other.set_capacity; log_count = other.log_count;
            log_get = other.log_get; log_clear = other.log_clear;
            effect_count = other.effect_count; effect_get = other.effect_get;
            live_objects = other.live_objects; get_property = other.get_property;
            fail_after = other.fail_after;
            set_pointer = other.set_pointer; get_pointer = other.get_pointer;
            advance = other.advance; now = other.now; force = other.force;
            render_path = other.render_path;
        }
        return *this;
    }
    SimClient(const SimClient&) = delete;
    SimClient& operator=(const SimClient&) = delete;
    ~SimClient() { release(); }

    // True when the module loaded and exports the whole control interface.
    bool ok() const {
        return module_ && reset && attach && detach_all && device_count && fail_next &&
               set_capacity && log_count && log_get && log_clear && effect_count &&
               effect_get && live_objects && get_property && fail_after && set_pointer &&
               get_pointer && advance && now && force && render_path;
    }

    // The total force now (the effects' shares are not asked for).
    SimForce total_force() const {
        SimForce total = {0, 0};
        force(&total, nullptr, 0);
        return total;
    }

    // The calls of one method since the last reset or log_clear, in order.
    template <typename Visit>
    void for_each_call(Visit visit) const {
        const unsigned n = log_count();
        for (unsigned i = 0; i < n; ++i) {
            SimCall call;
            if (log_get(i, &call))
                visit(call);
        }
    }

    SimResetFn reset = nullptr;
    SimAttachFn attach = nullptr;
    SimDetachAllFn detach_all = nullptr;
    SimCountFn device_count = nullptr;
    SimFailNextFn fail_next = nullptr;
    SimSetCapacityFn set_capacity = nullptr;
    SimCountFn log_count = nullptr;
    SimLogGetFn log_get = nullptr;
    SimLogClearFn log_clear = nullptr;
    SimCountFn effect_count = nullptr;
    SimEffectGetFn effect_get = nullptr;
    SimCountFn live_objects = nullptr;
    SimGetPropertyFn get_property = nullptr;
    SimFailAfterFn fail_after = nullptr;
    SimSetPointerFn set_pointer = nullptr;
    SimGetPointerFn get_pointer = nullptr;
    SimAdvanceFn advance = nullptr;
    SimNowFn now = nullptr;
    SimForceFn force = nullptr;
    SimRenderPathFn render_path = nullptr;

private:
    template <typename Fn>
    Fn get(const char* name) {
        const std::string full = prefix_ + name;
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, full.c_str())));
    }
    void release() {
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
    }

    std::string prefix_;
    HMODULE module_ = nullptr;
};
