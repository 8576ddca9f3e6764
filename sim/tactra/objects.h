#pragma once
// The COM objects of the software force mouse: the API's root object, an opened device and an
// effect on it. Each logs every call, takes armed failures, and counts its references; a
// device holds a reference on its root and an effect on its device.

#include "sim/common/calls.h"
#include "sim/common/effectcore.h"
#include "sim/common/hold.h"
#include "sim/common/unknown.h"
#include "tkl/devices/tactraapi.h"

class SimTactraDevice;

class SimTactra final : public SimUnknown<SimTactra, ITactra, SIM_E_POINTER, IID_ITactra> {
public:
    unsigned id() const { return 0; }
    ULONG& refs() { return refs_; }

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID instance, ITactraDevice** out,
                                           IUnknown* outer) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD deviceType, LPTACTRAENUMDEVICESCALLBACK callback,
                                          void* context, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) override;

private:
    ULONG refs_ = 1;
};

class SimTactraDevice final
    : public SimUnknown<SimTactraDevice, ITactraDevice, SIM_E_POINTER, IID_ITactraDevice> {
public:
    SimTactraDevice(SimTactra& root, int slot);
    ~SimTactraDevice();

    unsigned id() const { return core_.id; }
    ULONG& refs() { return refs_; }

    HRESULT STDMETHODCALLTYPE GetCapabilities(TACTRA_DEVCAPS* caps) override;
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(TACTRA_DEVICEINSTANCE* instance) override;
    HRESULT STDMETHODCALLTYPE GetProperty(DWORD property, TACTRA_PROPHEADER* header) override;
    HRESULT STDMETHODCALLTYPE SetProperty(DWORD property, const TACTRA_PROPHEADER* header) override;
    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE Unacquire() override;
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(DWORD* state) override;
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD command) override;
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(LPTACTRAENUMCREATEDEFFECTSCALLBACK callback,
                                                       void* context, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Poll() override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Escape(DWORD command, void* data, DWORD size) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version, REFGUID device) override;
    HRESULT STDMETHODCALLTYPE CreateEffect(const TACTRA_EFFECT* effect, ITactraEffect** out,
                                           IUnknown* outer) override;

private:
    SimHold<SimTactra> root_;
    SimDeviceCore core_;
    ULONG refs_ = 1;
};

class SimTactraEffect final
    : public SimUnknown<SimTactraEffect, ITactraEffect, SIM_E_POINTER, IID_ITactraEffect> {
public:
    SimTactraEffect(SimTactraDevice& device, SimDeviceCore& core, const GUID& kind, SimBlock block);
    // Walls that held this effect as their inner effect hold none from now on.
    ~SimTactraEffect();

    SimEffectCore& core() { return core_; }
    unsigned id() const { return core_.id; }
    ULONG& refs() { return core_.refs; }

    HRESULT STDMETHODCALLTYPE GetEffectGuid(GUID* kind) override;
    HRESULT STDMETHODCALLTYPE GetParameters(TACTRA_EFFECT* effect, DWORD mask) override;
    HRESULT STDMETHODCALLTYPE SetParameters(const TACTRA_EFFECT* effect, DWORD mask) override;
    HRESULT STDMETHODCALLTYPE Start(DWORD iterations, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE GetEffectStatus(DWORD* status) override;
    HRESULT STDMETHODCALLTYPE Download() override;
    HRESULT STDMETHODCALLTYPE Unload() override;

private:
    SimHold<SimTactraDevice> device_;
    GUID kind_;
    SimEffectCore core_;
};

// A wall block's inner effect, when the mask sends the block: null, or an effect of this device
// whose own inner effects do not lead back to `wall` (null while it is being created); anything
// else is TACTRA_ERROR_INVALIDPARAM. The pointer is compared, never followed.
HRESULT tactra_check_inner(SimDeviceCore& device, SimBlock block, const SimEffectInput& in,
                           DWORD mask, const SimTactraEffect* wall);
// Clears the stored inner effect of every wall of the device that refers to `released`.
void tactra_drop_inner(SimDeviceCore& device, const SimTactraEffect& released);
// An effect record as the shared effect code reads it, as of kind `kind`; the API's record also
// carries a reserved word the effect keeps.
SimEffectInput tactra_view(const TACTRA_EFFECT& effect, const GUID& kind);
// Logs, when given, the fields of an effect record the mask names and its kind (a record of the
// wrong size only by its size).
void tactra_log_params(SimCall& call, const TACTRA_EFFECT* effect, DWORD mask);
// The version the API accepts, and the answer for any other.
HRESULT tactra_check_version(DWORD version);
// The mouse's device limits.
const SimDeviceLimits& tactra_limits();
// Fills a device instance record (its size already checked) for an attached mouse.
void tactra_fill_instance(TACTRA_DEVICEINSTANCE* info, const GUID& instance);
