#include "evdev/node.h"

#include "evdev/system.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const unsigned kLongBits = 8 * sizeof(unsigned long);

bool test_bit(const unsigned long* bits, unsigned bit) {
    return (bits[bit / kLongBits] >> (bit % kLongBits)) & 1u;
}

// The axes of DIJOYSTATE in their order; the two sliders take the first two of the rest.
struct AxisSlot {
    unsigned short code;
    DWORD ofs;
    const GUID* guid;
};
const AxisSlot kAxes[] = {
    {ABS_X, DIJOFS_X, &GUID_XAxis},    {ABS_Y, DIJOFS_Y, &GUID_YAxis},
    {ABS_Z, DIJOFS_Z, &GUID_ZAxis},    {ABS_RX, DIJOFS_RX, &GUID_RxAxis},
    {ABS_RY, DIJOFS_RY, &GUID_RyAxis}, {ABS_RZ, DIJOFS_RZ, &GUID_RzAxis},
};
const unsigned short kSliders[] = {ABS_THROTTLE, ABS_RUDDER, ABS_WHEEL, ABS_GAS, ABS_BRAKE};

// 64-bit FNV-1a, continued from `h`.
uint64_t fnv(uint64_t h, const void* data, size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 0x100000001B3ull;
    return h;
}

// The same device gives the same GUID in every run: it is made from the kernel's identity and
// the physical path (or, for a device without one, its name), and the number of identical
// devices met before it in the scan.
GUID identity_guid(const EvdevNode& node, unsigned twin) {
    uint64_t h[2] = {0xCBF29CE484222325ull, 0x84222325CBF29CE4ull};
    for (uint64_t& v : h) {
        v = fnv(v, &node.id, sizeof node.id);
        const char* where = node.phys[0] ? node.phys : node.name;
        v = fnv(v, where, std::strlen(where));
        v = fnv(v, &twin, sizeof twin);
    }
    GUID g;
    g.Data1 = DWORD(h[0]);
    g.Data2 = WORD(h[0] >> 32);
    g.Data3 = WORD(((h[0] >> 48) & 0x0FFF) | 0x5000);  // a name-based GUID
    for (int i = 0; i < 8; ++i)
        g.Data4[i] = BYTE(h[1] >> (8 * i));
    g.Data4[0] = BYTE((g.Data4[0] & 0x3F) | 0x80);
    return g;
}

// DirectInput's product GUID form: vendor and product in the first field, then "PIDVID".
GUID product_guid(const input_id& id) {
    GUID g = {DWORD(id.vendor) | (DWORD(id.product) << 16), 0, 0, {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'}};
    return g;
}

int ioctl_bits(int fd, unsigned type, unsigned long* bits, size_t size) {
    std::memset(bits, 0, size);
    return evdev_system().ioctl(fd, EVIOCGBIT(type, size), bits);
}

void read_axes(int fd, EvdevNode& node) {
    unsigned long abs[(ABS_CNT + kLongBits - 1) / kLongBits];
    node.axisCount = 0;
    node.pov = false;
    if (ioctl_bits(fd, EV_ABS, abs, sizeof abs) < 0)
        return;
    for (const AxisSlot& a : kAxes)
        if (test_bit(abs, a.code))
            node.axes[node.axisCount++] = {a.code, a.ofs, a.guid};
    unsigned sliders = 0;
    for (unsigned short code : kSliders)
        if (sliders < 2 && test_bit(abs, code))
            node.axes[node.axisCount++] = {code, DWORD(DIJOFS_SLIDER(sliders++)), &GUID_Slider};
    node.pov = test_bit(abs, ABS_HAT0X) && test_bit(abs, ABS_HAT0Y);
}

// Joystick and gamepad buttons: every key code from BTN_MISC up, in code order.
void read_buttons(int fd, EvdevNode& node) {
    unsigned long keys[(KEY_CNT + kLongBits - 1) / kLongBits];
    node.buttonCount = 0;
    if (ioctl_bits(fd, EV_KEY, keys, sizeof keys) < 0)
        return;
    for (unsigned code = BTN_MISC; code < KEY_CNT && node.buttonCount < EVDEV_MAX_BUTTONS; ++code)
        if (test_bit(keys, code))
            node.buttons[node.buttonCount++] = (unsigned short)code;
}

// The number in "eventN", or -1 for any other name.
long event_number(const char* name) {
    if (std::strncmp(name, "event", 5) != 0 || !name[5])
        return -1;
    char* end = nullptr;
    const long n = std::strtol(name + 5, &end, 10);
    return *end || n < 0 ? -1 : n;
}

}  // namespace

bool EvdevNode::has_ff(unsigned code) const { return code < FF_CNT && test_bit(ff, code); }

const char* evdev_folder() {
    const char* dir = std::getenv("TKL_EVDEV_DIR");
    return dir && *dir ? dir : "/dev/input";
}

void evdev_debug(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    std::fprintf(stderr, "%s\n", line);
}

int evdev_open_node(const char* path, EvdevNode& node) {
    std::memset(&node, 0, sizeof node);
    std::snprintf(node.path, sizeof node.path, "%s", path);
    const TklEvdevSystem& sys = evdev_system();
    const int fd = sys.open(path, O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    unsigned long types[(EV_CNT + kLongBits - 1) / kLongBits];
    int failure = 0;
    if (ioctl_bits(fd, 0, types, sizeof types) < 0 ||
        sys.ioctl(fd, EVIOCGID, &node.id) < 0)
        failure = errno == ENODEV ? ENODEV : ENOTTY;
    else if (!test_bit(types, EV_FF) || ioctl_bits(fd, EV_FF, node.ff, sizeof node.ff) < 0 ||
             sys.ioctl(fd, EVIOCGEFFECTS, &node.maxEffects) < 0 || node.maxEffects <= 0)
        failure = errno == ENODEV ? ENODEV : EOPNOTSUPP;
    if (failure) {
        sys.close(fd);
        errno = failure;
        return -1;
    }
    if (sys.ioctl(fd, EVIOCGNAME(sizeof node.name - 1), node.name) < 0)
        std::snprintf(node.name, sizeof node.name, "%s", path);
    if (sys.ioctl(fd, EVIOCGPHYS(sizeof node.phys - 1), node.phys) < 0)
        node.phys[0] = 0;
    read_axes(fd, node);
    read_buttons(fd, node);
    node.product = product_guid(node.id);
    node.instance = identity_guid(node, 0);
    return fd;
}

unsigned evdev_scan(EvdevNode* nodes, unsigned max) {
    const char* folder = evdev_folder();
    DIR* dir = opendir(folder);
    if (!dir)
        return 0;
    long numbers[EVDEV_MAX_NODES];
    unsigned found = 0;
    while (dirent* entry = readdir(dir)) {
        const long n = event_number(entry->d_name);
        if (n < 0 || found == EVDEV_MAX_NODES)
            continue;
        unsigned at = found++;
        while (at > 0 && numbers[at - 1] > n) {
            numbers[at] = numbers[at - 1];
            --at;
        }
        numbers[at] = n;
    }
    closedir(dir);
    unsigned count = 0;
    for (unsigned i = 0; i < found && count < max; ++i) {
        char path[PATH_MAX];
        std::snprintf(path, sizeof path, "%s/event%ld", folder, numbers[i]);
        EvdevNode& node = nodes[count];
        const int fd = evdev_open_node(path, node);
        if (fd < 0) {
            if (errno != ENOTTY && errno != EOPNOTSUPP)
                evdev_debug("evdev: %s skipped: it does not open read-write (%s)", path,
                            std::strerror(errno));
            continue;
        }
        evdev_system().close(fd);
        unsigned twins = 0;
        for (unsigned j = 0; j < count; ++j)
            if (std::memcmp(&nodes[j].id, &node.id, sizeof node.id) == 0 &&
                std::strcmp(nodes[j].phys, node.phys) == 0 &&
                (node.phys[0] || std::strcmp(nodes[j].name, node.name) == 0))
                ++twins;
        node.instance = identity_guid(node, twins);
        ++count;
    }
    return count;
}

bool evdev_find(REFGUID instance, EvdevNode& node) {
    EvdevNode* nodes = new (std::nothrow) EvdevNode[EVDEV_MAX_NODES];
    if (!nodes)
        return false;
    const unsigned count = evdev_scan(nodes, EVDEV_MAX_NODES);
    bool found = false;
    for (unsigned i = 0; i < count && !found; ++i)
        if (IsEqualGUID(nodes[i].instance, instance)) {
            node = nodes[i];
            found = true;
        }
    delete[] nodes;
    return found;
}
