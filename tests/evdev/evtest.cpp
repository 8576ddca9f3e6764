#include "tests/evdev/evtest.h"

#include <dlfcn.h>
#include <limits.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace evtest {

void* module() {
    static void* handle = [] {
        char exe[PATH_MAX] = {};
        if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0)
            std::abort();
        std::string path(exe);
        path = path.substr(0, path.rfind('/')) + "/libdinput.so";
        void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!h)
            std::abort();
        return h;
    }();
    return handle;
}

IDirectInputA* direct_input() {
    auto create = reinterpret_cast<HRESULT(WINAPI*)(HINSTANCE, DWORD, LPDIRECTINPUTA*, LPUNKNOWN)>(
        dlsym(module(), "DirectInputCreateA"));
    IDirectInputA* root = nullptr;
    if (!create || FAILED(create(reinterpret_cast<HINSTANCE>(module()), 0x0500, &root, nullptr)))
        return nullptr;
    return root;
}

std::vector<DIDEVICEINSTANCEA> enumerate(IDirectInputA* root, DWORD flags) {
    std::vector<DIDEVICEINSTANCEA> found;
    root->EnumDevices(DIDEVTYPE_JOYSTICK, [](LPCDIDEVICEINSTANCEA i, LPVOID ref) -> BOOL {
        static_cast<std::vector<DIDEVICEINSTANCEA>*>(ref)->push_back(*i);
        return DIENUM_CONTINUE;
    }, &found, flags);
    return found;
}

__attribute__((no_sanitize("alignment", "null"))) HRESULT
set_property(IDirectInputDeviceA* device, DWORD number, const DIPROPHEADER& header) {
    return device->SetProperty(*reinterpret_cast<const GUID*>(uintptr_t(number)), &header);
}

Joystick::Joystick() {
    root_ = direct_input();
    if (!root_)
        return;
    const std::vector<DIDEVICEINSTANCEA> found = enumerate(root_);
    if (found.empty()) {
        hr_ = DIERR_DEVICENOTREG;
        return;
    }
    IDirectInputDeviceA* first = nullptr;
    hr_ = root_->CreateDevice(found[0].guidInstance, &first, nullptr);
    if (FAILED(hr_))
        return;
    hr_ = first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&device_));
    first->Release();
    if (SUCCEEDED(hr_))
        hr_ = device_->SetDataFormat(&c_dfDIJoystick);
    if (SUCCEEDED(hr_))
        hr_ = device_->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_BACKGROUND);
    if (SUCCEEDED(hr_))
        hr_ = device_->Acquire();
}

Joystick::~Joystick() {
    if (device_) {
        device_->Unacquire();
        device_->Release();
    }
    if (root_)
        root_->Release();
}

Record::Record() {
    std::memset(&e, 0, sizeof e);
    e.dwSize = sizeof e;
    e.dwFlags = DIEFF_OBJECTOFFSETS | DIEFF_POLAR;
    e.dwDuration = 1000000;
    e.dwGain = DI_FFNOMINALMAX;
    e.dwTriggerButton = DIEB_NOTRIGGER;
    e.cAxes = 2;
    e.rgdwAxes = axes;
    e.rglDirection = direction;
    e.lpvTypeSpecificParams = block;
}

Record::Record(const Record& other) : e(other.e), envelope(other.envelope) {
    std::memcpy(axes, other.axes, sizeof axes);
    std::memcpy(direction, other.direction, sizeof direction);
    std::memcpy(block, other.block, sizeof block);
    e.rgdwAxes = axes;
    e.rglDirection = direction;
    e.lpEnvelope = other.e.lpEnvelope ? &envelope : nullptr;
    e.lpvTypeSpecificParams = block;
}

Record& Record::polar(LONG angle) {
    e.dwFlags = (e.dwFlags & ~DWORD(DIEFF_CARTESIAN)) | DIEFF_POLAR;
    direction[0] = angle;
    direction[1] = 0;
    return *this;
}

Record& Record::cartesian(LONG x, LONG y) {
    e.dwFlags = (e.dwFlags & ~DWORD(DIEFF_POLAR)) | DIEFF_CARTESIAN;
    direction[0] = x;
    direction[1] = y;
    return *this;
}

Record& Record::one_axis(DWORD axis) {
    e.dwFlags = (e.dwFlags & ~DWORD(DIEFF_POLAR)) | DIEFF_CARTESIAN;
    e.cAxes = 1;
    axes[0] = axis;
    direction[0] = 1;
    return *this;
}

Record& Record::with_envelope(DWORD attackLevel, DWORD attackTime, DWORD fadeLevel, DWORD fadeTime) {
    envelope = {sizeof(DIENVELOPE), attackLevel, attackTime, fadeLevel, fadeTime};
    e.lpEnvelope = &envelope;
    return *this;
}

Record& Record::constant(LONG magnitude) {
    block[0] = magnitude;
    e.cbTypeSpecificParams = sizeof(DICONSTANTFORCE);
    return *this;
}

Record& Record::ramp(LONG start, LONG end) {
    block[0] = start;
    block[1] = end;
    e.cbTypeSpecificParams = sizeof(DIRAMPFORCE);
    return *this;
}

Record& Record::periodic(DWORD magnitude, LONG offset, DWORD phase, DWORD period) {
    const DIPERIODIC p = {magnitude, offset, phase, period};
    std::memcpy(block, &p, sizeof p);
    e.cbTypeSpecificParams = sizeof p;
    return *this;
}

Record& Record::condition(const DICONDITION* conditions, DWORD count) {
    std::memcpy(block, conditions, count * sizeof(DICONDITION));
    e.cbTypeSpecificParams = count * sizeof(DICONDITION);
    return *this;
}

}  // namespace evtest
