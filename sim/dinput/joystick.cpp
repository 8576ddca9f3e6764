#include "sim/dinput/joystick.h"

#include <cstdlib>
#include <cstring>

namespace {

const SimJoyObject kObjects[SIM_JOY_OBJECTS] = {
    {&GUID_XAxis, 0, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(0) | DIDFT_FFACTUATOR,
     DIDOI_ASPECTPOSITION | DIDOI_FFACTUATOR, "X Axis"},
    {&GUID_YAxis, 4, DIDFT_ABSAXIS | DIDFT_MAKEINSTANCE(1) | DIDFT_FFACTUATOR,
     DIDOI_ASPECTPOSITION | DIDOI_FFACTUATOR, "Y Axis"},
    {&GUID_Button, 48, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(0) | DIDFT_FFEFFECTTRIGGER,
     DIDOI_FFEFFECTTRIGGER, "Button 0"},
    {&GUID_Button, 49, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(1) | DIDFT_FFEFFECTTRIGGER,
     DIDOI_FFEFFECTTRIGGER, "Button 1"},
    {&GUID_Button, 50, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(2) | DIDFT_FFEFFECTTRIGGER,
     DIDOI_FFEFFECTTRIGGER, "Button 2"},
    {&GUID_Button, 51, DIDFT_PSHBUTTON | DIDFT_MAKEINSTANCE(3) | DIDFT_FFEFFECTTRIGGER,
     DIDOI_FFEFFECTTRIGGER, "Button 3"},
};

bool is_axis(DWORD type) { return (type & DIDFT_AXIS) != 0; }
bool is_button(DWORD type) { return (type & DIDFT_BUTTON) != 0; }
bool is_pov(DWORD type) { return (type & DIDFT_POV) != 0; }

bool matches(const SimJoyObject& o, const DIOBJECTDATAFORMAT& f) {
    const DWORD want = f.dwType & 0xFF;
    const DWORD have = o.dwType & 0xFF;
    if (want != DIDFT_ALL && !(want & have))
        return false;
    if (f.pguid && !IsEqualGUID(*f.pguid, *o.guidType))
        return false;
    const DWORD instance = f.dwType & DIDFT_INSTANCEMASK;
    return instance == DIDFT_ANYINSTANCE || instance == (o.dwType & DIDFT_INSTANCEMASK);
}

}  // namespace

const SimJoyObject& sim_joy_object(unsigned index) { return kObjects[index]; }

SimJoystickFormat::~SimJoystickFormat() {
    std::free(objects_);
    std::free(map_);
}

HRESULT SimJoystickFormat::assign(const DIDATAFORMAT* f) {
    if (!f || f->dwSize != sizeof(DIDATAFORMAT) || f->dwObjSize != sizeof(DIOBJECTDATAFORMAT) ||
        f->dwDataSize == 0 || f->dwDataSize % 4 != 0 ||
        (f->dwFlags & ~(DWORD)(DIDF_ABSAXIS | DIDF_RELAXIS)) ||
        (f->dwFlags & (DIDF_ABSAXIS | DIDF_RELAXIS)) == (DIDF_ABSAXIS | DIDF_RELAXIS) ||
        (f->dwNumObjs && !f->rgodf) || f->dwNumObjs > 1024)
        return DIERR_INVALIDPARAM;
    const DWORD n = f->dwNumObjs;
    DIOBJECTDATAFORMAT* objects =
        static_cast<DIOBJECTDATAFORMAT*>(std::malloc((n ? n : 1) * sizeof(DIOBJECTDATAFORMAT)));
    int* map = static_cast<int*>(std::malloc((n ? n : 1) * sizeof(int)));
    if (!objects || !map) {
        std::free(objects);
        std::free(map);
        return DIERR_OUTOFMEMORY;
    }
    bool used[SIM_JOY_OBJECTS] = {};
    HRESULT hr = DI_OK;
    for (DWORD i = 0; i < n && hr == DI_OK; ++i) {
        const DIOBJECTDATAFORMAT& o = f->rgodf[i];
        objects[i] = o;
        const DWORD width = is_button(o.dwType) && !is_axis(o.dwType) ? 1 : 4;
        if (o.dwOfs + width > f->dwDataSize || (width == 4 && o.dwOfs % 4 != 0)) {
            hr = DIERR_INVALIDPARAM;
            break;
        }
        map[i] = -1;
        for (unsigned k = 0; k < SIM_JOY_OBJECTS; ++k) {
            if (!used[k] && matches(kObjects[k], o)) {
                used[k] = true;
                map[i] = int(k);
                break;
            }
        }
        if (map[i] < 0 && !(o.dwType & DIDFT_OPTIONAL))
            hr = DIERR_INVALIDPARAM;
    }
    if (hr != DI_OK) {
        std::free(objects);
        std::free(map);
        return hr;
    }
    std::free(objects_);
    std::free(map_);
    objects_ = objects;
    map_ = map;
    count_ = n;
    dataSize_ = f->dwDataSize;
    return DI_OK;
}

void SimJoystickFormat::fill_state(BYTE* data, LONG axisValue) const {
    std::memset(data, 0, dataSize_);
    for (DWORD i = 0; i < count_; ++i) {
        const DIOBJECTDATAFORMAT& o = objects_[i];
        if (is_axis(o.dwType)) {
            const LONG v = map_[i] >= 0 ? axisValue : 0;
            std::memcpy(data + o.dwOfs, &v, sizeof v);
        } else if (is_pov(o.dwType)) {
            const DWORD centred = 0xFFFFFFFF;
            std::memcpy(data + o.dwOfs, &centred, sizeof centred);
        }
    }
}

int SimJoystickFormat::object_at(DWORD offset) const {
    for (DWORD i = 0; i < count_; ++i)
        if (objects_[i].dwOfs == offset && map_[i] >= 0)
            return map_[i];
    return -1;
}

long SimJoystickFormat::offset_of(unsigned object) const {
    for (DWORD i = 0; i < count_; ++i)
        if (map_[i] == int(object))
            return long(objects_[i].dwOfs);
    return -1;
}
