#pragma once
/// @file
/// The pointer as the force laws read it: the control API's pointer sample (pixels, pixels per
/// second, pixels per second squared) put on the device's scales once per sample.

#include "sim/simcontrol.h"

/// Which scale a device's conditions read the pointer on.
enum class SimRenderScale {
    Pixels,       ///< screen pixels (the force mouse)
    DeviceUnits   ///< −10000..10000 across the screen on each axis (DirectInput)
};

/// One pointer sample on the renderer's scales, per screen axis (0 x, 1 y).
struct SimRenderPointer {
    double pixel[2];         ///< position in screen pixels
    double unit[2];          ///< position in device units: −10000 at the left or top edge
    double position[2];      ///< position on the device's condition scale
    double velocity[2];      ///< condition-scale units per second
    double acceleration[2];  ///< condition-scale units per second, gained per tenth of a second
    double toUnits[2];       ///< device units per condition-scale unit: 20000 / screen size
                             ///< on a pixel scale, 1 on device units
    bool pixelScale;         ///< the condition scale is pixels
    DWORD buttons;           ///< bit n: button n is down
};

/// Puts a pointer sample on a device's scales for a screen of `width` × `height` pixels.
SimRenderPointer sim_render_pointer(const SimPointer& pointer, LONG width, LONG height,
                                    SimRenderScale scale);
