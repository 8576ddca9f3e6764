#pragma once
// The device and effect behaviour both software devices share: acquisition, the effects a
// device holds within its capacity, and an effect's stored parameters, download and playback.
// The COM objects of each module wrap these and translate their own records.

#include "sim/common/effectparams.h"
#include "sim/common/module.h"

class SimEffectCore;

class SimDeviceCore {
public:
    SimDeviceCore(SimModule& module, unsigned id, int slot, const SimDeviceLimits& limits,
                  bool needsExclusive);
    ~SimDeviceCore();

    SimModule& module;
    const unsigned id;  // the device object's id in the log
    const int slot;
    const unsigned generation;
    const SimDeviceLimits limits;
    const bool needsExclusive;  // effects download only under exclusive acquisition

    bool acquired = false;
    bool paused = false;
    uint64_t pausedAt = 0;  // the clock's time when the device was paused
    bool coopSet = false;
    DWORD coopFlags = 0;

    // Still the device that was opened (not detached, not reset away).
    bool attached() const { return module.still_attached(slot, generation); }
    // A property value of the hardware; a scratch value when detached.
    DWORD& prop(DWORD number, unsigned index);

    HRESULT acquire();
    HRESULT unacquire();
    // The cooperative level, once the module has found the flags valid.
    HRESULT set_cooperative_level(DWORD flags);
    // Initialize on an object already opened on this device, named by its instance GUID.
    HRESULT initialize(const GUID& instance) const;
    // S_OK when effects may be downloaded and played, else why not.
    HRESULT ready_for_effects() const;
    unsigned downloaded_count() const;
    void stop_all();
    void unload_all();
    // Force-feedback state bits (SIM_FFS_) and commands (SIM_FFC_).
    HRESULT ff_state(DWORD* state) const;
    HRESULT ff_command(DWORD command);

    SimEffectCore* first_effect() const { return effects_; }
    // The time its effects play by: the module's clock, held while the device is paused.
    uint64_t clock() const { return paused ? pausedAt : module.now(); }

private:
    friend class SimEffectCore;
    SimEffectCore* effects_ = nullptr;
    DWORD scratch_ = 0;
};

class SimEffectCore {
public:
    SimEffectCore(SimDeviceCore& device, unsigned id, SimBlock block);
    ~SimEffectCore();
    SimEffectCore(const SimEffectCore&) = delete;
    SimEffectCore& operator=(const SimEffectCore&) = delete;

    SimDeviceCore& device;
    const unsigned id;
    const SimBlock block;
    ULONG refs = 1;
    void* owner = nullptr;        // the COM object that wraps this effect
    const void* iface = nullptr;  // the interface pointer callers hold for it

    SimEffectParams params = {};
    bool hasParams = false;
    bool downloaded = false;
    bool playing = false;  // started and neither stopped nor unloaded; see is_playing()
    DWORD iterations = 0;
    uint64_t started = 0;  // the device's clock at the last start
    SimRenderEffect render = {};  // the parameters as the renderer reads them

    // Creation from a whole record (null: no parameters yet). With `requireAcquired` the
    // device must be acquired; otherwise an unacquired device keeps the effect undownloaded.
    HRESULT create(const SimEffectInput* in, bool requireAcquired);
    // SetParameters: the fields named by the mask, plus SIM_EP_ control bits.
    HRESULT set(const SimEffectInput& in, DWORD mask);
    HRESULT start(DWORD iterations, DWORD flags);
    HRESULT stop();
    HRESULT status(DWORD* status) const;
    HRESULT download();
    HRESULT unload();

    // Started, not stopped, and its duration times its iterations not yet run out.
    bool is_playing() const;
    // µs since the last start on the device's clock.
    uint64_t elapsed() const { return device.clock() - started; }
    // Its trigger button went down: it starts, if it is on the device. Then while the button
    // is held, trigger_repeat() restarts it every repeat interval.
    void trigger_pressed();
    void trigger_released() { triggerHeld_ = false; }
    void trigger_repeat();
    // The device's clock resumed after a pause of `held` µs: the effect resumes where it was.
    void resume(uint64_t held);

    const LONG* samples() const { return samples_; }
    DWORD sample_count() const { return sampleCount_; }

    SimEffectCore* next_on_device() const { return deviceNext_; }
    SimEffectCore* next_listed() const { return listNext_; }
    void fill_state(SimEffectState* out) const;

private:
    friend class SimModule;
    friend class SimDeviceCore;
    HRESULT store(const SimEffectInput& in, DWORD mask);
    void decode();

    LONG* samples_ = nullptr;
    DWORD sampleCount_ = 0;
    bool triggerHeld_ = false;
    uint64_t pressedAt_ = 0;
    SimEffectCore* deviceNext_ = nullptr;
    bool listed_ = false;
    SimEffectCore* listPrev_ = nullptr;
    SimEffectCore* listNext_ = nullptr;
};
