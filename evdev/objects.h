#pragma once
// The COM objects of the DirectInput module over evdev: the DirectInput object, one device
// per opened event node (IDirectInputDevice2A, also answering as IDirectInputDeviceA) and its
// effects. A device holds a reference on its DirectInput object and an effect on its device;
// the device owns the node's fd and closes it when it goes or when the node is unplugged.

#include "evdev/params.h"

// QueryInterface for an object that answers as IUnknown, `a` and `b` (when given): the object
// itself, with a reference.
template <class T>
HRESULT evdev_query(T* self, REFIID iid, void** out, const IID& a, const IID* b = nullptr) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (!IsEqualGUID(iid, IID_IUnknown) && !IsEqualGUID(iid, a) && !(b && IsEqualGUID(iid, *b)))
        return E_NOINTERFACE;
    self->AddRef();
    *out = self;
    return S_OK;
}

class EvdevRoot final : public IDirectInputA {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID instance, LPDIRECTINPUTDEVICEA* out,
                                           LPUNKNOWN outer) override;
    HRESULT STDMETHODCALLTYPE EnumDevices(DWORD devType, LPDIENUMDEVICESCALLBACKA callback,
                                          LPVOID ref, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) override;
    HRESULT STDMETHODCALLTYPE RunControlPanel(HWND owner, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) override;

private:
    ULONG refs_ = 1;
};

class EvdevEffect;

class EvdevDevice final : public IDirectInputDevice2A {
public:
    EvdevDevice(EvdevRoot& root, const EvdevNode& node, int fd);
    EvdevDevice(const EvdevDevice&) = delete;
    EvdevDevice& operator=(const EvdevDevice&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
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

    // For the device's effects.
    const EvdevNode& node() const { return node_; }
    // DIERR_INPUTLOST once unplugged, DIERR_NOTEXCLUSIVEACQUIRED unless acquired exclusively.
    HRESULT check_exclusive() const;
    HRESULT check_attached() const { return fd_ < 0 ? DIERR_INPUTLOST : DI_OK; }
    // EVIOCSFF: a new effect for id -1, else an update in place; sets the id.
    HRESULT upload(ff_effect& effect);
    HRESULT erase(int id);
    // Writes one EV_FF event: an effect's play count (0 stops), FF_GAIN or FF_AUTOCENTER.
    HRESULT write_ff(unsigned code, int value);
    // Reads what the node has sent: force-feedback status events reach their effects.
    HRESULT drain_events();
    // Stops every playing effect but `except`.
    HRESULT stop_all(const EvdevEffect* except = nullptr);
    void link(EvdevEffect* effect);
    void unlink(EvdevEffect* effect);

private:
    ~EvdevDevice();
    // The result for a failed call's errno; ENODEV closes the node: it is gone.
    HRESULT failed(int error);
    HRESULT unload_all();
    // The format offset and object ID of object `index` (axes, then the hat, then buttons).
    bool describe_object(unsigned index, DIDEVICEOBJECTINSTANCEA& info) const;
    unsigned object_count() const;

    ULONG refs_ = 1;
    EvdevRoot& root_;
    EvdevNode node_;
    int fd_;
    bool formatSet_ = false;
    DWORD cooperation_ = 0;
    bool acquired_ = false;
    DWORD gain_ = DI_FFNOMINALMAX;
    DWORD autocenter_ = DIPROPAUTOCENTER_ON;
    LONG rangeMin_ = 0;
    LONG rangeMax_ = 0xFFFF;
    EvdevEffect* effects_ = nullptr;
};

class EvdevEffect final : public IDirectInputEffect {
public:
    EvdevEffect(EvdevDevice& device, const EvdevKind& kind);
    EvdevEffect(const EvdevEffect&) = delete;
    EvdevEffect& operator=(const EvdevEffect&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
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
    friend class EvdevDevice;
    ~EvdevEffect();
    // Uploads the parameters (in place when the effect is on the device already).
    HRESULT upload();
    // Forgets the kernel's effect without asking the kernel (it is gone with the node or erased).
    void forget();

    ULONG refs_ = 1;
    EvdevDevice& device_;
    const EvdevKind& kind_;
    EvdevParams params_;
    int id_ = -1;  // the kernel's id while uploaded
    bool started_ = false;
    uint64_t startedAt_ = 0;
    DWORD iterations_ = 0;
    int kernelStatus_ = -1;  // the last FF_STATUS_* the node sent since the start, or -1
    EvdevEffect* next_ = nullptr;
};

// The versions DirectInput 5 accepts (3.0 and 5.0), and the answer for any other.
HRESULT evdev_check_version(DWORD version);
// Fills a device instance record (either size) for a node.
void evdev_fill_instance(DIDEVICEINSTANCEA* info, DWORD size, const EvdevNode& node);
