// The device: lifetime, identity, acquisition, cooperative level and properties.
#include "evdev/objects.h"

#include "evdev/system.h"

#include <cstdint>
#include <cstring>

namespace {

// A property named by MAKEDIPROP(n) is the small number n in place of a GUID's address (read as
// an address: the reference is never bound again).
DWORD property_number(const GUID* prop) {
    const uintptr_t n = reinterpret_cast<uintptr_t>(prop);
    return n <= 0xFFFF ? DWORD(n) : 0;
}

// A device-wide property record of a header and `values` DWORDs.
bool device_record(const DIPROPHEADER* h, unsigned values) {
    return h && h->dwHeaderSize == sizeof(DIPROPHEADER) &&
           h->dwSize == sizeof(DIPROPHEADER) + values * sizeof(DWORD) && h->dwHow == DIPH_DEVICE &&
           h->dwObj == 0;
}

DWORD* values_of(const DIPROPHEADER* h) {
    return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(const_cast<DIPROPHEADER*>(h)) +
                                    sizeof(DIPROPHEADER));
}

// The kernel's 0..0xFFFF scale for a 0..10000 level.
int kernel_scale(DWORD v) { return int((uint64_t(v) * 0xFFFF + DI_FFNOMINALMAX / 2) / DI_FFNOMINALMAX); }

}  // namespace

EvdevDevice::EvdevDevice(EvdevRoot& root, const EvdevNode& node, int fd)
    : root_(root), node_(node), fd_(fd) {
    root_.AddRef();
}

EvdevDevice::~EvdevDevice() {
    if (acquired_)
        Unacquire();
    if (fd_ >= 0)
        evdev_system().close(fd_);
    root_.Release();
}

HRESULT EvdevDevice::QueryInterface(REFIID iid, void** out) {
    return evdev_query(this, iid, out, IID_IDirectInputDeviceA, &IID_IDirectInputDevice2A);
}

ULONG EvdevDevice::AddRef() { return ++refs_; }

ULONG EvdevDevice::Release() {
    const ULONG left = --refs_;
    if (left == 0)
        delete this;
    return left;
}

HRESULT EvdevDevice::GetCapabilities(LPDIDEVCAPS caps) {
    if (!caps || (caps->dwSize != sizeof(DIDEVCAPS) && caps->dwSize != sizeof(DIDEVCAPS_DX3)))
        return DIERR_INVALIDPARAM;
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    const DWORD size = caps->dwSize;
    std::memset(reinterpret_cast<BYTE*>(caps) + sizeof(DWORD), 0, size - sizeof(DWORD));
    // The kernel's effect record has envelopes, saturations, both-sided coefficients and
    // saturations, and dead bands for every device.
    caps->dwFlags = DIDC_ATTACHED | DIDC_FORCEFEEDBACK | DIDC_FFATTACK | DIDC_FFFADE |
                    DIDC_SATURATION | DIDC_POSNEGCOEFFICIENTS | DIDC_POSNEGSATURATION | DIDC_DEADBAND;
    caps->dwDevType = DIDEVTYPE_JOYSTICK | (DIDEVTYPEJOYSTICK_TRADITIONAL << 8);
    caps->dwAxes = node_.axisCount;
    caps->dwButtons = node_.buttonCount;
    caps->dwPOVs = node_.pov ? 1 : 0;
    if (size == sizeof(DIDEVCAPS)) {
        caps->dwFFSamplePeriod = 1000;  // the kernel's times are milliseconds
        caps->dwFFMinTimeResolution = 1000;
        caps->dwFirmwareRevision = node_.id.version;
        caps->dwHardwareRevision = node_.id.version;
    }
    return DI_OK;
}

HRESULT EvdevDevice::GetProperty(REFGUID prop, LPDIPROPHEADER header) {
    const DWORD number = property_number(&prop);
    const bool range = number == 4;
    if (!device_record(header, range ? 2 : 1))
        return DIERR_INVALIDPARAM;
    DWORD* v = values_of(header);
    switch (number) {
    case 1:  // the buffer size: no buffered data
        v[0] = 0;
        return DI_OK;
    case 4:
        v[0] = DWORD(rangeMin_);
        v[1] = DWORD(rangeMax_);
        return DI_OK;
    case 7:
        v[0] = gain_;
        return DI_OK;
    case 9:
        v[0] = autocenter_;
        return DI_OK;
    default:
        return DIERR_UNSUPPORTED;
    }
}

HRESULT EvdevDevice::SetProperty(REFGUID prop, LPCDIPROPHEADER header) {
    const DWORD number = property_number(&prop);
    if (number != 4 && number != 7 && number != 9)
        return DIERR_UNSUPPORTED;
    if (!device_record(header, number == 4 ? 2 : 1))
        return DIERR_INVALIDPARAM;
    const DWORD* v = values_of(header);
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (number == 4) {
        if (LONG(v[0]) >= LONG(v[1]))
            return DIERR_INVALIDPARAM;
        if (acquired_)
            return DIERR_ACQUIRED;
        rangeMin_ = LONG(v[0]);
        rangeMax_ = LONG(v[1]);
        return DI_OK;
    }
    if (number == 7) {
        if (v[0] > DI_FFNOMINALMAX)
            return DIERR_INVALIDPARAM;
        if (!node_.has_ff(FF_GAIN))
            return DIERR_UNSUPPORTED;
        const HRESULT hr = write_ff(FF_GAIN, kernel_scale(v[0]));
        if (SUCCEEDED(hr))
            gain_ = v[0];
        return hr;
    }
    if (v[0] > DIPROPAUTOCENTER_ON)
        return DIERR_INVALIDPARAM;
    if (!node_.has_ff(FF_AUTOCENTER))
        return DIERR_UNSUPPORTED;
    if (acquired_)
        return DIERR_ACQUIRED;
    const HRESULT hr = write_ff(FF_AUTOCENTER, v[0] ? 0xFFFF : 0);
    if (SUCCEEDED(hr))
        autocenter_ = v[0];
    return hr;
}

HRESULT EvdevDevice::Acquire() {
    // DirectInput will not acquire a device before it knows the data format.
    if (!formatSet_)
        return DIERR_INVALIDPARAM;
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (acquired_)
        return DI_NOEFFECT;
    // The kernel keeps the gain of whoever used the device last: start from ours.
    if ((cooperation_ & DISCL_EXCLUSIVE) && node_.has_ff(FF_GAIN)) {
        const HRESULT hr = write_ff(FF_GAIN, kernel_scale(gain_));
        if (FAILED(hr))
            return hr;
    }
    acquired_ = true;
    return DI_OK;
}

HRESULT EvdevDevice::Unacquire() {
    if (!acquired_)
        return DI_NOEFFECT;
    // Leaving exclusive use stops and unloads every effect, as DirectInput does.
    if (cooperation_ & DISCL_EXCLUSIVE)
        unload_all();
    acquired_ = false;
    return DI_OK;
}

HRESULT EvdevDevice::SetCooperativeLevel(HWND, DWORD flags) {
    const DWORD access = flags & (DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE);
    const DWORD when = flags & (DISCL_FOREGROUND | DISCL_BACKGROUND);
    if ((flags & ~(access | when)) || (access != DISCL_EXCLUSIVE && access != DISCL_NONEXCLUSIVE) ||
        (when != DISCL_FOREGROUND && when != DISCL_BACKGROUND))
        return DIERR_INVALIDPARAM;
    if (acquired_)
        return DIERR_ACQUIRED;
    cooperation_ = flags;
    return DI_OK;
}

HRESULT EvdevDevice::check_exclusive() const {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    return acquired_ && (cooperation_ & DISCL_EXCLUSIVE) ? DI_OK : DIERR_NOTEXCLUSIVEACQUIRED;
}

HRESULT EvdevDevice::GetDeviceInfo(LPDIDEVICEINSTANCEA info) {
    if (!info || (info->dwSize != sizeof(DIDEVICEINSTANCEA) &&
                  info->dwSize != sizeof(DIDEVICEINSTANCE_DX3A)))
        return DIERR_INVALIDPARAM;
    evdev_fill_instance(info, info->dwSize, node_);
    return DI_OK;
}

HRESULT EvdevDevice::RunControlPanel(HWND, DWORD flags) {
    return flags ? DIERR_INVALIDPARAM : DIERR_UNSUPPORTED;
}

HRESULT EvdevDevice::Initialize(HINSTANCE instance, DWORD version, REFGUID guid) {
    if (!instance)
        return DIERR_INVALIDPARAM;
    const HRESULT hr = evdev_check_version(version);
    if (FAILED(hr))
        return hr;
    // The object stays on the node it was opened on.
    return IsEqualGUID(guid, node_.instance) ? DI_OK : DIERR_DEVICENOTREG;
}

HRESULT EvdevDevice::SetEventNotification(HANDLE) {
    // Nothing here runs on its own to signal an event.
    return DIERR_UNSUPPORTED;
}

HRESULT EvdevDevice::Escape(LPDIEFFESCAPE) { return DIERR_UNSUPPORTED; }

HRESULT EvdevDevice::SendDeviceData(DWORD, LPCDIDEVICEOBJECTDATA, LPDWORD, DWORD) {
    return DIERR_UNSUPPORTED;
}
