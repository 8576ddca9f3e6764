#include "sim/common/playback.h"

#include "sim/common/effectcore.h"
#include "sim/common/hostdesktop.h"
#include "sim/render/renderer.h"

namespace {

const LONG kDefaultWidth = 1024;
const LONG kDefaultHeight = 768;

// The screen the device's scales span: its own screen property when set, else the system's.
void screen(const SimModule& m, int slot, LONG* width, LONG* height) {
    const DWORD property = m.config().screenProperty;
    if (property && slot >= 0) {
        const DWORD* size = m.slot(slot).props[property];
        if (size[0] && size[1]) {
            *width = LONG(size[0]);
            *height = LONG(size[1]);
            return;
        }
    }
    if (!sim_host_screen(width, height)) {
        *width = kDefaultWidth;
        *height = kDefaultHeight;
    }
}

LONG clamp(LONG v, LONG last) { return v < 0 ? 0 : (v > last ? last : v); }

// The effect an enclosure's or ellipse's block names, among the live effects on the same
// device; a pointer the device never handed out, or one since released, names none.
const SimRenderEffect* find_inner(const SimModule& m, const SimEffectCore& outer) {
    const void* handle = sim_render_inner_handle(outer.render);
    if (!handle)
        return nullptr;
    for (SimEffectCore* e = m.first_effect(); e; e = e->next_listed())
        if (e->iface == handle && e != &outer && e->device.slot == outer.device.slot)
            return &e->render;
    return nullptr;
}

}  // namespace

void sim_set_pointer(SimModule& m, const SimPointer& pointer) {
    SimPointer p = pointer;
    POINT at;
    if (sim_host_move_cursor(p.x, p.y) && sim_host_cursor(&at)) {
        p.x = at.x;
        p.y = at.y;
    } else {
        LONG width, height;
        screen(m, m.current_device(), &width, &height);
        p.x = clamp(p.x, width - 1);
        p.y = clamp(p.y, height - 1);
    }
    const DWORD before = m.pointer().buttons;
    m.set_pointer(p);
    const DWORD pressed = p.buttons & ~before, released = before & ~p.buttons;
    if (!pressed && !released)
        return;
    for (SimEffectCore* e = m.first_effect(); e; e = e->next_listed()) {
        const DWORD button = e->render.triggerButton;
        if (button >= 32)
            continue;
        if (released & (1u << button))
            e->trigger_released();
        if (pressed & (1u << button))
            e->trigger_pressed();
    }
}

SimPointer sim_get_pointer(const SimModule& m) {
    SimPointer p = m.pointer();
    POINT at;
    if (sim_host_cursor(&at)) {
        p.x = at.x;
        p.y = at.y;
    }
    return p;
}

void sim_advance(SimModule& m, DWORD microseconds) {
    m.advance_clock(microseconds);
    for (SimEffectCore* e = m.first_effect(); e; e = e->next_listed())
        e->trigger_repeat();
}

unsigned sim_read_force(SimModule& m, SimForce* total, SimEffectForce* each, unsigned capacity) {
    if (total)
        total->x = total->y = 0;
    const int slot = m.current_device();
    if (slot < 0)
        return 0;
    LONG width, height;
    screen(m, slot, &width, &height);
    const SimRenderPointer pointer =
        sim_render_pointer(sim_get_pointer(m), width, height, m.config().scale);
    const DWORD gain = m.slot(slot).props[TACTRA_PROP_FFGAIN][0];
    SimForceSum sum;
    unsigned playing = 0;
    for (SimEffectCore* e = m.first_effect(); e; e = e->next_listed()) {
        if (e->device.slot != slot || !e->device.attached() || !e->is_playing())
            continue;
        e->render.inner = find_inner(m, *e);
        const SimForce f = sim_render_force(e->render, pointer, e->elapsed(), gain);
        // A paused device's effects hold still and push no more.
        if (!e->device.paused)
            sum.add(f);
        if (each && playing < capacity) {
            each[playing].object = e->id;
            each[playing].x = f.x;
            each[playing].y = f.y;
        }
        ++playing;
    }
    if (total && m.slot(slot).props[TACTRA_PROP_FORCEOUTPUT][0])
        *total = sum.total();
    return playing;
}

unsigned sim_render_path(SimModule& m, const SimPathSample* samples, unsigned count,
                         SimForce* totals) {
    if (!samples || !totals)
        return 0;
    for (unsigned i = 0; i < count; ++i) {
        sim_advance(m, samples[i].step);
        sim_set_pointer(m, samples[i].pointer);
        sim_read_force(m, &totals[i], nullptr, 0);
    }
    return count;
}
