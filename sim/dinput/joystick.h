#pragma once
// The stand-in's force-feedback joystick: its objects (two force axes and four trigger buttons)
// and the application's data format mapped onto them.

#include "tkl/platform/dinput.h"

struct SimJoyObject {
    const GUID* guidType;
    DWORD nativeOfs;  // its offset in the standard joystick format
    DWORD dwType;     // DIDFT_ type, instance and force-feedback bits
    DWORD dwFlags;    // DIDOI_ bits
    const char* name;
};

#define SIM_JOY_OBJECTS 6
#define SIM_JOY_AXES 2
#define SIM_JOY_BUTTONS 4

const SimJoyObject& sim_joy_object(unsigned index);

// The data format an application set, deep-copied, with each entry's joystick object.
class SimJoystickFormat {
public:
    SimJoystickFormat() = default;
    SimJoystickFormat(const SimJoystickFormat&) = delete;
    SimJoystickFormat& operator=(const SimJoystickFormat&) = delete;
    ~SimJoystickFormat();

    // Checks and takes a format: S_OK, DIERR_INVALIDPARAM, or DIERR_OUTOFMEMORY.
    HRESULT assign(const DIDATAFORMAT* format);
    bool is_set() const { return objects_ != nullptr; }
    DWORD data_size() const { return dataSize_; }
    // The joystick at rest in the format: axes at `axisValue`, no button down, POVs centred.
    void fill_state(BYTE* data, LONG axisValue) const;
    // The joystick object at a format offset, or -1.
    int object_at(DWORD offset) const;
    // The format offset of a joystick object, or -1 when the format does not carry it.
    long offset_of(unsigned object) const;

private:
    DIOBJECTDATAFORMAT* objects_ = nullptr;
    int* map_ = nullptr;
    DWORD count_ = 0;
    DWORD dataSize_ = 0;
};
