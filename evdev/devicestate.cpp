// The device's objects and its joystick state in DirectInput's standard joystick format.
#include "evdev/objects.h"

#include "evdev/system.h"

#include <errno.h>

#include <cstdio>
#include <cstring>

namespace {

const DWORD kFFBits = DIDFT_FFACTUATOR | DIDFT_FFEFFECTTRIGGER;

const char* axis_name(unsigned short code) {
    switch (code) {
    case ABS_X: return "X Axis";
    case ABS_Y: return "Y Axis";
    case ABS_Z: return "Z Axis";
    case ABS_RX: return "X Rotation";
    case ABS_RY: return "Y Rotation";
    case ABS_RZ: return "Z Rotation";
    default: return "Slider";
    }
}

bool same_object(const DIOBJECTDATAFORMAT& a, const DIOBJECTDATAFORMAT& b) {
    const bool sameGuid = a.pguid == b.pguid || (a.pguid && b.pguid && IsEqualGUID(*a.pguid, *b.pguid));
    return sameGuid && a.dwOfs == b.dwOfs && a.dwType == b.dwType && a.dwFlags == b.dwFlags;
}

// The hat's two axes as a POV angle in hundredths of a degree, or centred.
DWORD pov_angle(int x, int y) {
    static const DWORD angles[3][3] = {{31500, 27000, 22500}, {0, 0xFFFFFFFF, 18000},
                                       {4500, 9000, 13500}};
    const int col = x < 0 ? 0 : x > 0 ? 2 : 1;
    const int row = y < 0 ? 0 : y > 0 ? 2 : 1;
    return row == 1 && col == 1 ? 0xFFFFFFFF : angles[col][row];
}

}  // namespace

unsigned EvdevDevice::object_count() const {
    return node_.axisCount + (node_.pov ? 1 : 0) + node_.buttonCount;
}

bool EvdevDevice::describe_object(unsigned index, DIDEVICEOBJECTINSTANCEA& info) const {
    if (index >= object_count())
        return false;
    std::memset(&info, 0, sizeof info);
    info.dwSize = sizeof info;
    if (index < node_.axisCount) {
        const EvdevAxis& a = node_.axes[index];
        const bool actuator = a.code == ABS_X || a.code == ABS_Y;
        info.guidType = *a.guid;
        info.dwOfs = a.ofs;
        info.dwType = DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(index) | (actuator ? DIDFT_FFACTUATOR : 0);
        info.dwFlags = DIDOI_ASPECTPOSITION | (actuator ? DIDOI_FFACTUATOR : 0);
        std::snprintf(info.tszName, sizeof info.tszName, "%s", axis_name(a.code));
        return true;
    }
    index -= node_.axisCount;
    if (node_.pov && index == 0) {
        info.guidType = GUID_POV;
        info.dwOfs = DIJOFS_POV(0);
        info.dwType = DIDFT_POV | DIDFT_MAKEINSTANCE(0);
        std::snprintf(info.tszName, sizeof info.tszName, "Hat Switch");
        return true;
    }
    index -= node_.pov ? 1 : 0;
    info.guidType = GUID_Button;
    info.dwOfs = DIJOFS_BUTTON(index);
    info.dwType = DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(index) | DIDFT_FFEFFECTTRIGGER;
    info.dwFlags = DIDOI_FFEFFECTTRIGGER;
    std::snprintf(info.tszName, sizeof info.tszName, "Button %u", index);
    return true;
}

HRESULT EvdevDevice::EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) {
    if (!callback)
        return DIERR_INVALIDPARAM;
    const DWORD types = DIDFT_GETTYPE(flags);
    for (unsigned i = 0; i < object_count(); ++i) {
        DIDEVICEOBJECTINSTANCEA info;
        describe_object(i, info);
        if (types && !(DIDFT_GETTYPE(info.dwType) & types))
            continue;
        if ((flags & kFFBits) && (info.dwType & flags & kFFBits) != (flags & kFFBits))
            continue;
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    return DI_OK;
}

HRESULT EvdevDevice::GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA info, DWORD obj, DWORD how) {
    if (!info || (info->dwSize != sizeof(DIDEVICEOBJECTINSTANCEA) &&
                  info->dwSize != sizeof(DIDEVICEOBJECTINSTANCE_DX3A)) ||
        (how != DIPH_BYOFFSET && how != DIPH_BYID))
        return DIERR_INVALIDPARAM;
    for (unsigned i = 0; i < object_count(); ++i) {
        DIDEVICEOBJECTINSTANCEA found;
        describe_object(i, found);
        const bool match = how == DIPH_BYOFFSET ? found.dwOfs == obj
                                                : (found.dwType & ~kFFBits) == (obj & ~kFFBits);
        if (match) {
            const DWORD size = info->dwSize;
            std::memcpy(info, &found, size);
            info->dwSize = size;
            return DI_OK;
        }
    }
    return DIERR_OBJECTNOTFOUND;
}

HRESULT EvdevDevice::SetDataFormat(LPCDIDATAFORMAT format) {
    if (!format || format->dwSize != sizeof(DIDATAFORMAT) ||
        format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) || (format->dwNumObjs && !format->rgodf))
        return DIERR_INVALIDPARAM;
    if (acquired_)
        return DIERR_ACQUIRED;
    // The state is kept in the standard joystick format only.
    const DIDATAFORMAT& joy = c_dfDIJoystick;
    bool standard = format->dwFlags == joy.dwFlags && format->dwDataSize == joy.dwDataSize &&
                    format->dwNumObjs == joy.dwNumObjs;
    for (DWORD i = 0; standard && i < joy.dwNumObjs; ++i)
        standard = same_object(format->rgodf[i], joy.rgodf[i]);
    if (!standard)
        return DIERR_UNSUPPORTED;
    formatSet_ = true;
    return DI_OK;
}

HRESULT EvdevDevice::GetDeviceState(DWORD cbData, LPVOID data) {
    if (!data || cbData != sizeof(DIJOYSTATE))
        return DIERR_INVALIDPARAM;
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (!acquired_)
        return DIERR_NOTACQUIRED;
    HRESULT hr = drain_events();
    if (FAILED(hr))
        return hr;
    const TklEvdevSystem& sys = evdev_system();
    DIJOYSTATE state;
    std::memset(&state, 0, sizeof state);
    for (DWORD& pov : state.rgdwPOV)
        pov = 0xFFFFFFFF;
    for (unsigned i = 0; i < node_.axisCount; ++i) {
        input_absinfo abs;
        if (sys.ioctl(fd_, EVIOCGABS(node_.axes[i].code), &abs) < 0)
            return failed(errno);
        const int64_t span = int64_t(abs.maximum) - abs.minimum;
        const int64_t to = int64_t(rangeMax_) - rangeMin_;
        const int64_t v = span <= 0 ? 0 : (int64_t(abs.value) - abs.minimum) * to / span;
        LONG value = LONG(rangeMin_ + (v < 0 ? 0 : v > to ? to : v));
        std::memcpy(reinterpret_cast<BYTE*>(&state) + node_.axes[i].ofs, &value, sizeof value);
    }
    if (node_.pov) {
        input_absinfo x, y;
        if (sys.ioctl(fd_, EVIOCGABS(ABS_HAT0X), &x) < 0 || sys.ioctl(fd_, EVIOCGABS(ABS_HAT0Y), &y) < 0)
            return failed(errno);
        state.rgdwPOV[0] = pov_angle(x.value, y.value);
    }
    unsigned long keys[(KEY_CNT + 8 * sizeof(unsigned long) - 1) / (8 * sizeof(unsigned long))] = {};
    if (node_.buttonCount && sys.ioctl(fd_, EVIOCGKEY(sizeof keys), keys) < 0)
        return failed(errno);
    const unsigned bits = 8 * sizeof(unsigned long);
    for (unsigned b = 0; b < node_.buttonCount; ++b) {
        const unsigned code = node_.buttons[b];
        state.rgbButtons[b] = (keys[code / bits] >> (code % bits)) & 1u ? 0x80 : 0;
    }
    std::memcpy(data, &state, sizeof state);
    return DI_OK;
}

HRESULT EvdevDevice::GetDeviceData(DWORD, LPDIDEVICEOBJECTDATA, LPDWORD inOut, DWORD) {
    if (!inOut)
        return DIERR_INVALIDPARAM;
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (!acquired_)
        return DIERR_NOTACQUIRED;
    return DIERR_NOTBUFFERED;  // the buffer size property is always 0
}

HRESULT EvdevDevice::Poll() {
    if (fd_ < 0)
        return DIERR_INPUTLOST;
    if (!acquired_)
        return DIERR_NOTACQUIRED;
    const HRESULT hr = drain_events();
    return FAILED(hr) ? hr : DI_NOEFFECT;  // the kernel pushes its state: nothing to poll
}
