#include "sim/render/renderpointer.h"

SimRenderPointer sim_render_pointer(const SimPointer& p, LONG width, LONG height,
                                    SimRenderScale scale) {
    const double size[2] = {width > 0 ? double(width) : 1.0, height > 0 ? double(height) : 1.0};
    const double pixel[2] = {double(p.x), double(p.y)};
    const double velocity[2] = {double(p.vx), double(p.vy)};
    const double acceleration[2] = {double(p.ax), double(p.ay)};
    SimRenderPointer r;
    for (int i = 0; i < 2; ++i) {
        // The screen's pixel 0 is −10000 and its width +10000, as the library converts offsets.
        const double perPixel = 20000.0 / size[i];
        const double factor = scale == SimRenderScale::DeviceUnits ? perPixel : 1.0;
        r.pixel[i] = pixel[i];
        r.unit[i] = pixel[i] * perPixel - 10000.0;
        r.position[i] = scale == SimRenderScale::DeviceUnits ? r.unit[i] : pixel[i];
        r.velocity[i] = velocity[i] * factor;
        r.acceleration[i] = acceleration[i] * factor / 10.0;
        r.toUnits[i] = scale == SimRenderScale::DeviceUnits ? 1.0 : perPixel;
    }
    r.pixelScale = scale == SimRenderScale::Pixels;
    r.buttons = p.buttons;
    return r;
}
