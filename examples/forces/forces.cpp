// Opens whichever device is attached, plays a constant force and a square wave, changes both,
// and prints what the device received, read from the software device's log.
#include "examples/common/example.h"

namespace {

using example::check;

const LONG kNotGiven = LONG(TKL_NOT_GIVEN);

// The two effects, created, started, changed and stopped; destroyed before the device.
void play(CTactraDevice* device) {
    CTactraConstant push;
    if (!check(push.Initialize(device, 0, 1, 2000, 5000, nullptr), "constant force"))
        return;
    check(push.Start(1, 0), "starting the constant force");
    // Stronger, same direction and duration.
    check(push.ChangeParameters(kNotGiven, kNotGiven, TKL_NOT_GIVEN, 7500,
                                TKL_ENVELOPE_NOT_GIVEN),
          "changing the constant force");

    CTactraPeriodic wave(GUID_Tactra_Square);
    TACTRA_ENVELOPE fadeIn = {sizeof(TACTRA_ENVELOPE), 0, 500000, 10000, 0};
    if (!check(wave.InitializePolar(device, 3000, 50, TACTRA_INFINITE, 9000, 0, 0, &fadeIn),
               "square wave"))
        return;
    check(wave.Start(TACTRA_INFINITE, 0), "starting the wave");
    // Twice as fast, a quarter period later, and without the envelope.
    check(wave.ChangeParametersPolar(TKL_NOT_GIVEN, 25, TKL_NOT_GIVEN, kNotGiven, kNotGiven, 90,
                                     nullptr),
          "changing the wave");
    check(wave.ChangeDirection(18000), "turning the wave");
    check(wave.Stop(), "stopping the wave");
    check(push.Stop(), "stopping the constant force");
}

}  // namespace

int main(int argc, char** argv) { return example::run(argc, argv, play); }
