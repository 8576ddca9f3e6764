// Plays a constant force on the software force mouse and prints the force a hand on it would
// feel, read through the device's control API (sim/simcontrol.h; installed as
// <tkl/sim/simcontrol.h>). The device's clock is virtual: it moves only when advanced, so the
// force is read at exact times of the effect's life.
#include "tkl/tkl.h"

#include "sim/simcontrol.h"

#include <cstdio>

namespace {

// The control functions this program uses, looked up in the module the library loads.
struct Control {
    SimAdvanceFn advance;
    SimNowFn now;
    SimForceFn force;
};

bool find_control(HMODULE module, Control& control) {
    control.advance = reinterpret_cast<SimAdvanceFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "tactrasim_advance")));
    control.now = reinterpret_cast<SimNowFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "tactrasim_now")));
    control.force = reinterpret_cast<SimForceFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "tactrasim_force")));
    return control.advance && control.now && control.force;
}

void print_force(const Control& control) {
    SimForce total = {0, 0};
    const unsigned playing = control.force(&total, nullptr, 0);
    std::printf("at %4llu ms: force (%ld, %ld) from %u playing effect(s)\n",
                control.now() / 1000, long(total.x), long(total.y), playing);
}

}  // namespace

int main() {
    // Loaded first by the program, so that the library's device opens this same instance.
    HMODULE module = LoadLibraryA("tactra.dll");
    Control control = {};
    if (!module || !find_control(module, control)) {
        std::printf("the software force mouse (tactra.dll) or its control API is missing\n");
        return 1;
    }
    int status = 1;
    CTactraDevice* device = CTactraDevice::CreateDevice(GetModuleHandleA(nullptr), nullptr);
    if (device && device->GetDeviceType() == TKL_DEVICE_TYPE_MOUSE) {
        {
            // Half strength for two seconds from 9000 (the right): it pushes the hand left.
            CTactraConstant push;
            if (push.InitializePolar(device, 9000, 2000, 5000, nullptr) && push.Start(1, 0)) {
                print_force(control);
                control.advance(1000000);
                print_force(control);
                control.advance(1500000);  // past its end: nothing pushes any more
                print_force(control);
                status = 0;
            }
        }  // the effect goes before its device
        if (status != 0) {
            char text[128];
            CTKLErrors::GetErrorText(CTKLErrors::GetLastErrorCode(), text, sizeof text);
            std::printf("the constant force failed: %s\n", text);
        }
    } else {
        std::printf("the software force mouse did not open\n");
    }
    delete device;
    FreeLibrary(module);
    return status;
}
