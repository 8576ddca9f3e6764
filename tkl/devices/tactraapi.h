#pragma once
/// @file
/// The product force API: COM-style interfaces exported by tactra.dll and entered through
/// TactraCreateA. The library loads the module at run time and never links it. Slots 0-2 are
/// IUnknown's; the slots the library calls are fixed (marked "fixed"), the rest follow
/// DirectInput's device and effect interfaces.

#include "tkl/devices/tactrarecords.h"

#define TACTRA_VERSION 0x0103u  ///< the API version the library asks TactraCreateA for

struct ITactraEffect;
struct ITactraDevice;

/// Called once per enumerated device; returns TACTRA_ENUM_STOP (0) to stop the enumeration.
typedef BOOL(CALLBACK* LPTACTRAENUMDEVICESCALLBACK)(const TACTRA_DEVICEINSTANCE* instance,
                                                    void* context);
#define TACTRA_ENUM_STOP 0      ///< stop the enumeration
#define TACTRA_ENUM_CONTINUE 1  ///< go on with the next device

/// Called once per effect object created on a device.
typedef BOOL(CALLBACK* LPTACTRAENUMCREATEDEFFECTSCALLBACK)(ITactraEffect* effect, void* context);

/// {5959DF90-2911-11D1-B049-0020AF30269A} and the following first groups.
#define TACTRA_DEFINE_IID(name, first) \
    inline constexpr IID name = {first, 0x2911, 0x11D1, {0xB0, 0x49, 0x00, 0x20, 0xAF, 0x30, 0x26, 0x9A}}
TACTRA_DEFINE_IID(IID_ITactra, 0x5959DF90);        ///< ITactra
TACTRA_DEFINE_IID(IID_ITactraDevice, 0x5959DF91);  ///< ITactraDevice
TACTRA_DEFINE_IID(IID_ITactraEffect, 0x5959DF92);  ///< ITactraEffect
#undef TACTRA_DEFINE_IID

/// The device-side effect.
struct ITactraEffect : public IUnknown {
    /// 3: the effect's kind.
    virtual HRESULT STDMETHODCALLTYPE GetEffectGuid(GUID* kind) = 0;
    /// 4: fills the fields named by the mask; the record's arrays and blocks must be large enough.
    virtual HRESULT STDMETHODCALLTYPE GetParameters(TACTRA_EFFECT* effect, DWORD mask) = 0;
    /// 5 (fixed): reads only the fields named by the TACTRA_EP_ mask.
    virtual HRESULT STDMETHODCALLTYPE SetParameters(const TACTRA_EFFECT* effect, DWORD mask) = 0;
    /// 6 (fixed): plays the effect `iterations` times (TACTRA_INFINITE: until stopped).
    virtual HRESULT STDMETHODCALLTYPE Start(DWORD iterations, DWORD flags) = 0;
    /// 7 (fixed)
    virtual HRESULT STDMETHODCALLTYPE Stop() = 0;
    /// 8 (fixed): TACTRA_EGES_ bits.
    virtual HRESULT STDMETHODCALLTYPE GetEffectStatus(DWORD* status) = 0;
    /// 9: places the effect on the device (creation and Start do it implicitly).
    virtual HRESULT STDMETHODCALLTYPE Download() = 0;
    /// 10 (fixed): removes the effect from the device; the object stays valid.
    virtual HRESULT STDMETHODCALLTYPE Unload() = 0;
};

/// An opened force mouse.
struct ITactraDevice : public IUnknown {
    /// 3
    virtual HRESULT STDMETHODCALLTYPE GetCapabilities(TACTRA_DEVCAPS* caps) = 0;
    /// 4
    virtual HRESULT STDMETHODCALLTYPE GetDeviceInfo(TACTRA_DEVICEINSTANCE* instance) = 0;
    /// 5: reads a property (TACTRA_PROP_) into a record of the right size.
    virtual HRESULT STDMETHODCALLTYPE GetProperty(DWORD property, TACTRA_PROPHEADER* header) = 0;
    /// 6 (fixed): sets a property from a record of the right size.
    virtual HRESULT STDMETHODCALLTYPE SetProperty(DWORD property,
                                                  const TACTRA_PROPHEADER* header) = 0;
    /// 7 (fixed)
    virtual HRESULT STDMETHODCALLTYPE Acquire() = 0;
    /// 8 (fixed)
    virtual HRESULT STDMETHODCALLTYPE Unacquire() = 0;
    /// 9
    virtual HRESULT STDMETHODCALLTYPE GetForceFeedbackState(DWORD* state) = 0;
    /// 10
    virtual HRESULT STDMETHODCALLTYPE SendForceFeedbackCommand(DWORD command) = 0;
    /// 11
    virtual HRESULT STDMETHODCALLTYPE EnumCreatedEffectObjects(
        LPTACTRAENUMCREATEDEFFECTSCALLBACK callback, void* context, DWORD flags) = 0;
    /// 12
    virtual HRESULT STDMETHODCALLTYPE Poll() = 0;
    /// 13 (fixed): TACTRA_SCL_ flags.
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) = 0;
    /// 14
    virtual HRESULT STDMETHODCALLTYPE Escape(DWORD command, void* data, DWORD size) = 0;
    /// 15
    virtual HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) = 0;
    /// 16
    virtual HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version,
                                                 REFGUID device) = 0;
    /// 17 (fixed): creates an effect from the whole record; its guid names the kind.
    virtual HRESULT STDMETHODCALLTYPE CreateEffect(const TACTRA_EFFECT* effect,
                                                   ITactraEffect** out, IUnknown* outer) = 0;
};

/// The API's root object.
struct ITactra : public IUnknown {
    /// 3 (fixed): opens the device with that instance GUID.
    virtual HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID instance, ITactraDevice** out,
                                                   IUnknown* outer) = 0;
    /// 4 (fixed): TACTRA_DEVTYPE_FORCEMOUSE, TACTRA_EDFL_ flags.
    virtual HRESULT STDMETHODCALLTYPE EnumDevices(DWORD deviceType,
                                                  LPTACTRAENUMDEVICESCALLBACK callback,
                                                  void* context, DWORD flags) = 0;
    /// 5: S_OK when attached, S_FALSE when not.
    virtual HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) = 0;
    /// 6
    virtual HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) = 0;
    /// 7
    virtual HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) = 0;
};

/// Exported undecorated by tactra.dll, like DirectInputCreateA.
typedef HRESULT(WINAPI* PFN_TactraCreateA)(HINSTANCE instance, DWORD version, ITactra** out,
                                           IUnknown* outer);
