// The joystick device: its objects, data format, state and data.
#include "sim/dinput/objects.h"

#include <cstdio>
#include <cstring>

namespace {

void fill_object(DIDEVICEOBJECTINSTANCEA* info, DWORD size, unsigned index, DWORD offset) {
    const SimJoyObject& o = sim_joy_object(index);
    std::memset(reinterpret_cast<BYTE*>(info) + sizeof(DWORD), 0, size - sizeof(DWORD));
    info->guidType = *o.guidType;
    info->dwOfs = offset;
    info->dwType = o.dwType;
    info->dwFlags = o.dwFlags;
    std::snprintf(info->tszName, sizeof info->tszName, "%s", o.name);
    if (size == sizeof(DIDEVICEOBJECTINSTANCEA) && index < SIM_JOY_AXES) {
        info->dwFFMaxForce = DI_FFNOMINALMAX;
        info->dwFFForceResolution = 1;
        info->wUsagePage = 0x01;
        info->wUsage = WORD(0x30 + index);  // X, Y
    }
}

bool object_size_ok(DWORD size) {
    return size == sizeof(DIDEVICEOBJECTINSTANCEA) || size == sizeof(DIDEVICEOBJECTINSTANCE_DX3A);
}

// Whether EnumObjects' type filter takes the object.
bool wanted(DWORD filter, DWORD type) {
    const DWORD kinds = filter & 0xFF;
    if (kinds != DIDFT_ALL && !(kinds & type & 0xFF))
        return false;
    const DWORD ff = filter & (DIDFT_FFACTUATOR | DIDFT_FFEFFECTTRIGGER);
    return (type & ff) == ff;
}

}  // namespace

HRESULT SimDIDevice::EnumObjects(LPDIENUMDEVICEOBJECTSCALLBACKA callback, LPVOID ref, DWORD flags) {
    SimCallScope c(sim_module(), "EnumObjects", id());
    c.call.args[0] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!callback)
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    for (unsigned i = 0; i < SIM_JOY_OBJECTS; ++i) {
        const SimJoyObject& o = sim_joy_object(i);
        if (!wanted(flags, o.dwType))
            continue;
        const long mapped = format_.offset_of(i);
        DIDEVICEOBJECTINSTANCEA info;
        info.dwSize = sizeof info;
        fill_object(&info, sizeof info, i, mapped >= 0 ? DWORD(mapped) : o.nativeOfs);
        if (callback(&info, ref) == DIENUM_STOP)
            break;
    }
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetDeviceState(DWORD cbData, LPVOID data) {
    SimCallScope c(sim_module(), "GetDeviceState", id());
    c.call.args[0] = cbData;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!data || !format_.is_set() || cbData != format_.data_size())
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    if (!core_.acquired)
        return c.done(DIERR_NOTACQUIRED);
    // The stick rests in the middle of its range with no button down.
    const LONG middle = LONG((core_.prop(4, 0) + core_.prop(4, 1)) / 2);
    format_.fill_state(static_cast<BYTE*>(data), middle);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetDeviceData(DWORD cbObjectData, LPDIDEVICEOBJECTDATA rgdod, LPDWORD inOut,
                                   DWORD flags) {
    SimCallScope c(sim_module(), "GetDeviceData", id());
    c.call.args[0] = cbObjectData;
    c.call.args[1] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (cbObjectData != sizeof(DIDEVICEOBJECTDATA) || !inOut || (flags & ~DWORD(DIGDD_PEEK)))
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    if (!core_.acquired)
        return c.done(DIERR_NOTACQUIRED);
    if (core_.prop(1, 0) == 0)
        return c.done(DIERR_NOTBUFFERED);
    // The stick never moves by itself, so no event is ever queued.
    *inOut = 0;
    return c.done(DI_OK);
}

HRESULT SimDIDevice::SetDataFormat(LPCDIDATAFORMAT format) {
    SimCallScope c(sim_module(), "SetDataFormat", id());
    if (format) {
        c.call.dataFormat[0] = format->dwDataSize;
        c.call.dataFormat[1] = format->dwNumObjs;
        c.call.dataFormat[2] = format->dwFlags;
        c.call.args[0] = format->dwSize;
        c.call.args[1] = format->dwObjSize;
    }
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (core_.acquired)
        return c.done(DIERR_ACQUIRED);
    return c.done(format_.assign(format));
}

HRESULT SimDIDevice::SetEventNotification(HANDLE event) {
    SimCallScope c(sim_module(), "SetEventNotification", id());
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (core_.acquired)
        return c.done(DIERR_ACQUIRED);
    event_ = event;
    return c.done(DI_OK);
}

HRESULT SimDIDevice::GetObjectInfo(LPDIDEVICEOBJECTINSTANCEA info, DWORD obj, DWORD how) {
    SimCallScope c(sim_module(), "GetObjectInfo", id());
    c.call.args[0] = obj;
    c.call.args[1] = how;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (!info || !object_size_ok(info->dwSize) || (how != DIPH_BYOFFSET && how != DIPH_BYID))
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    int index = -1;
    if (how == DIPH_BYOFFSET) {
        if (!format_.is_set())
            return c.done(DIERR_INVALIDPARAM);
        index = format_.object_at(obj);
    } else {
        for (unsigned i = 0; i < SIM_JOY_OBJECTS && index < 0; ++i)
            if ((sim_joy_object(i).dwType & ~DWORD(DIDFT_FFACTUATOR | DIDFT_FFEFFECTTRIGGER)) ==
                (obj & ~DWORD(DIDFT_FFACTUATOR | DIDFT_FFEFFECTTRIGGER)))
                index = int(i);
    }
    if (index < 0)
        return c.done(DIERR_OBJECTNOTFOUND);
    const long mapped = format_.offset_of(unsigned(index));
    fill_object(info, info->dwSize, unsigned(index),
                mapped >= 0 ? DWORD(mapped) : sim_joy_object(unsigned(index)).nativeOfs);
    return c.done(DI_OK);
}

HRESULT SimDIDevice::Poll() { return sim_call_poll(core_); }

HRESULT SimDIDevice::SendDeviceData(DWORD cbObjectData, LPCDIDEVICEOBJECTDATA rgdod, LPDWORD inOut,
                                    DWORD flags) {
    SimCallScope c(sim_module(), "SendDeviceData", id());
    c.call.args[0] = cbObjectData;
    c.call.args[1] = inOut ? *inOut : 0;
    c.call.args[2] = flags;
    HRESULT hr;
    if (c.injected(&hr))
        return c.done(hr);
    if (cbObjectData != sizeof(DIDEVICEOBJECTDATA) || !inOut || flags || (*inOut && !rgdod))
        return c.done(DIERR_INVALIDPARAM);
    if (!core_.attached())
        return c.done(DIERR_INPUTLOST);
    if (!core_.acquired)
        return c.done(DIERR_NOTACQUIRED);
    // The joystick has no output objects: nothing can be sent to it.
    const DWORD asked = *inOut;
    *inOut = 0;
    return c.done(asked ? DIERR_OBJECTNOTFOUND : DI_OK);
}
