#pragma once
// A force-feedback event node: what the kernel says about it, and how its axes and buttons
// appear in DirectInput's joystick state.

#include "tkl/platform/dinput.h"

#include <linux/input.h>

#include <climits>

#define EVDEV_MAX_NODES 32
#define EVDEV_MAX_AXES 8
#define EVDEV_MAX_BUTTONS 32

// An absolute axis and where it lands in DIJOYSTATE.
struct EvdevAxis {
    unsigned short code;  // ABS_*
    DWORD ofs;            // DIJOFS_*
    const GUID* guid;
};

struct EvdevNode {
    char path[PATH_MAX];
    char name[MAX_PATH];
    char phys[MAX_PATH];
    input_id id;
    unsigned long ff[(FF_CNT + 8 * sizeof(unsigned long) - 1) / (8 * sizeof(unsigned long))];
    int maxEffects;
    EvdevAxis axes[EVDEV_MAX_AXES];
    unsigned axisCount;
    bool pov;  // HAT0X and HAT0Y: point-of-view hat 0
    unsigned short buttons[EVDEV_MAX_BUTTONS];  // key codes, in button order
    unsigned buttonCount;
    GUID instance;
    GUID product;

    bool has_ff(unsigned code) const;
};

// The folder of device nodes: $TKL_EVDEV_DIR, else /dev/input.
const char* evdev_folder();
// Opens `path` read-write and reads its description into `node`. The open fd, or -1 with
// errno set (ENOTTY: not an event node; EOPNOTSUPP: no force feedback).
int evdev_open_node(const char* path, EvdevNode& node);
// The force-feedback nodes of the folder in their number order; each is opened to be read and
// closed again. A node that cannot be opened read-write is skipped with a debugger line that
// says why.
unsigned evdev_scan(EvdevNode* nodes, unsigned max);
// Finds the node of an instance GUID in a fresh scan; false when it is not there.
bool evdev_find(REFGUID instance, EvdevNode& node);
// Writes one diagnostic line (stderr is the debugger's output off Windows).
void evdev_debug(const char* format, ...) __attribute__((format(printf, 1, 2)));
