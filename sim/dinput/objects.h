#pragma once
// The COM objects of the DirectInput stand-in: the DirectInput object, the force-feedback
// joystick device (IDirectInputDevice2A, also answering as IDirectInputDeviceA) and its effects.
// Each logs every call, takes armed failures and counts its references; a device holds a
// reference on its DirectInput object and an effect on its device.

#include "sim/common/calls.h"
#include "sim/common/effectcore.h"
#include "sim/common/hold.h"
#include "sim/common/unknown.h"
#include "sim/dinput/joystick.h"

class SimDirectInput final
    : public SimUnknown<SimDirectInput, IDirectInputA, E_POINTER, IID_IDirectInputA> {
public:
    unsigned id() const { return 0; }
    ULONG& refs() { return refs_; }

    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID rguid, LPDIRECTINPUTDEVICEA* out,
                                           LPUNKNOWN outer) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback,
                                          LPVOID ref, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) override;

private:
    ULONG refs_ = 1;
};

class SimDIDevice final : public SimUnknown<SimDIDevice, IDirectInputDevice2A, E_POINTER,
                                            IID_IDirectInputDeviceA, IID_IDirectInputDevice2A> {
public:
    SimDIDevice(SimDirectInput& root, int slot);
    ~SimDIDevice();

    unsigned id() const { return core_.id; }
    ULONG& refs() { return refs_; }

    // IDirectInputDeviceA
    HRESULT STDMETHODCALLTYPE GetCapabilities(LPDIDEVCAPS caps) override;
    HRESULT STDMETHODCALLTYPE EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref,
                                          DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetProperty(REFGUID prop, LPDIPROPHEADER header) override;
    HRESULT STDMETHODCALLTYPE SetProperty(REFGUID prop, LPCDIPROPHEADER header) override;
    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE Unacquire() override;
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD cbData, LPVOID data) override;
    HRESULT STDMETHODCALLTYPE GetDeviceData(DWORD cbObjectData, LPDIDEVICEOBJECTDATA rgdod,
                                            LPDWORD inOut, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override;
    HRESULT STDMETHODCALLTYPE SetEventNotification(HANDLE event) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA info, DWORD obj,
                                            DWORD how) override;
    HRESULT STDMETHODCALLTYPE GetDeviceInfo(LPDIDEVICEINSTANCEA info) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version, REFGUID guid) override;
    // IDirectInputDevice2A
    HRESULT STDMETHODCALLTYPE CreateEffect(REFGUID rguid, LPCDIEFFECT effect,
                                           LPDIRECTINPUTEFFECT* out, LPUNKNOWN outer) override;
    HRESULT STDMETHODCALLTYPE EnumEffects(LPDIENUMEFFECTSCALLBACKA callback, LPVOID ref,
                                          DWORD effType) override;
    HRESULT STDMETHODCALLTYPE GetEffectInfo(LPDIEFFECTINFOA info, REFGUID rguid) override;
    HRESULT STDMETHODCALLTYPE GetForceFeedbackState(LPDWORD state) override;
    HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(LPDIENUMCREATEDEFFECTOBJECTSCALLBACK callback,
                                                       LPVOID ref, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE escape) override;
    HRESULT STDMETHODCALLTYPE Poll() override;
    HRESULT STDMETHODCALLTYPE SendDeviceData(DWORD cbObjectData, LPCDIDEVICEOBJECTDATA rgdod,
                                             LPDWORD inOut, DWORD flags) override;

private:
    SimHold<SimDirectInput> root_;
    SimDeviceCore core_;
    SimJoystickFormat format_;
    HANDLE event_ = nullptr;
    ULONG refs_ = 1;
};

class SimDIEffect final
    : public SimUnknown<SimDIEffect, IDirectInputEffect, E_POINTER, IID_IDirectInputEffect> {
public:
    SimDIEffect(SimDIDevice& device, SimDeviceCore& core, const GUID& kind, SimBlock block);

    SimEffectCore& core() { return core_; }
    unsigned id() const { return core_.id; }
    ULONG& refs() { return core_.refs; }

    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version, REFGUID guid) override;
    HRESULT STDMETHODCALLTYPE GetEffectGuid(LPGUID guid) override;
    HRESULT STDMETHODCALLTYPE GetParameters(LPDIEFFECT effect, DWORD mask) override;
    HRESULT STDMETHODCALLTYPE SetParameters(LPCDIEFFECT effect, DWORD mask) override;
    HRESULT STDMETHODCALLTYPE Start(DWORD iterations, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE GetEffectStatus(LPDWORD status) override;
    HRESULT STDMETHODCALLTYPE Download() override;
    HRESULT STDMETHODCALLTYPE Unload() override;
    HRESULT STDMETHODCALLTYPE Escape(LPDIEFFESCAPE escape) override;

private:
    SimHold<SimDIDevice> device_;
    GUID kind_;
    SimEffectCore core_;
};

// The versions DirectInput 5 accepts (3.0 and 5.0), and the answer for any other.
HRESULT di_check_version(DWORD version);
// Initialize on a device object or an effect: it stays on the joystick it was opened on.
HRESULT di_call_initialize(unsigned object, SimDeviceCore& device, HINSTANCE instance,
                           DWORD version, REFGUID guid);
// Escape on a device object or an effect, with the joystick's readiness for effects.
HRESULT di_call_escape(unsigned object, const SimDeviceCore& device, const DIEFFESCAPE* escape);
// Logs the kind and, when given, the fields of an effect record the mask names (a record of the
// wrong size only by its size).
void di_log_params(SimCall& call, const DIEFFECT* effect, const GUID& kind, DWORD mask);
// The joystick's limits, with axes and trigger buttons as offsets of the standard format.
const SimDeviceLimits& di_limits();
// Fills a device instance record (either size) for an attached joystick.
void di_fill_instance(DIDEVICEINSTANCEA* info, DWORD size, const GUID& instance);
