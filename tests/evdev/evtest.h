#pragma once
// The evdev suite's fixture: the module beside the test program, the kernel stand-in installed
// in it, and DirectInput objects opened on the stand-in's nodes.

#include "evdev/params.h"
#include "tests/evdev/fakekernel.h"
#include "tkl/platform/dinput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace evtest {

// The evdev module the library loads as dinput.dll (this program's folder holds it).
void* module();
// A DirectInput 5 object of the module (the caller releases it), or null.
IDirectInputA* direct_input();
// The devices a DirectInput object offers, in its order.
std::vector<DIDEVICEINSTANCEA> enumerate(IDirectInputA* root,
                                         DWORD flags = DIEDFL_ATTACHEDONLY | DIEDFL_FORCEFEEDBACK);

// Every test starts with an empty stand-in and ends with every fd it handed out closed.
class EvdevTest : public ::testing::Test {
protected:
    void SetUp() override { kernel_ = &FakeKernel::install(module()); }
    void TearDown() override { EXPECT_EQ(kernel().open_fds(), 0) << "fds left open"; }
    FakeKernel& kernel() { return *kernel_; }

private:
    FakeKernel* kernel_ = nullptr;
};

// SetProperty with DirectInput's property number n (MAKEDIPROP(n)): the reference the API takes
// is bound to the small number itself, which the sanitizers would report in the caller.
HRESULT set_property(IDirectInputDeviceA* device, DWORD number, const DIPROPHEADER& header);

// The first enumerated device, opened as the library opens it: standard joystick format,
// exclusive background use, acquired.
class Joystick {
public:
    Joystick();
    ~Joystick();
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    HRESULT result() const { return hr_; }
    IDirectInputDevice2A* operator->() const { return device_; }
    IDirectInputDevice2A* get() const { return device_; }

private:
    IDirectInputA* root_ = nullptr;
    IDirectInputDevice2A* device_ = nullptr;
    HRESULT hr_ = DIERR_GENERIC;
};

// A DirectInput effect record with storage for its arrays and blocks: two axes (X, Y) by
// offset, polar direction 0, 1 s, full gain, no trigger, no envelope.
struct Record {
    DIEFFECT e;
    DWORD axes[2] = {DIJOFS_X, DIJOFS_Y};
    LONG direction[2] = {0, 0};
    DIENVELOPE envelope = {sizeof(DIENVELOPE), 0, 0, 0, 0};
    LONG block[12] = {};

    Record();
    Record(const Record& other);
    Record& operator=(const Record&) = delete;
    Record& polar(LONG angle);
    Record& cartesian(LONG x, LONG y);
    Record& one_axis(DWORD axis);
    Record& with_envelope(DWORD attackLevel, DWORD attackTime, DWORD fadeLevel, DWORD fadeTime);
    Record& constant(LONG magnitude);
    Record& ramp(LONG start, LONG end);
    Record& periodic(DWORD magnitude, LONG offset, DWORD phase, DWORD period);
    // One condition per axis (or one along the direction with `count` 1 on two axes).
    Record& condition(const DICONDITION* conditions, DWORD count);
};

}  // namespace evtest
