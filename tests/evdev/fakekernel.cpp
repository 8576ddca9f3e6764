#include "tests/evdev/fakekernel.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace evtest {

namespace {

FakeKernel* g_kernel = nullptr;

void set_bit(std::vector<unsigned char>& bits, unsigned bit) {
    if (bits.size() <= bit / 8)
        bits.resize(bit / 8 + 1);
    bits[bit / 8] |= (unsigned char)(1u << (bit % 8));
}

// Copies a bitmap as EVIOCGBIT does: at most `len` bytes, the rest zero; the length copied.
int give_bits(const std::vector<unsigned char>& bits, void* arg, unsigned len) {
    std::memset(arg, 0, len);
    const unsigned n = bits.size() < len ? unsigned(bits.size()) : len;
    std::memcpy(arg, bits.data(), n);
    return int(len);
}

int fail(int error) {
    errno = error;
    return -1;
}

bool compatible(const ff_effect& a, const ff_effect& b) {
    return a.type == b.type && (a.type != FF_PERIODIC || a.u.periodic.waveform == b.u.periodic.waveform);
}

}  // namespace

FakeDevice wheel() {
    FakeDevice d;
    d.ff = {FF_CONSTANT, FF_RAMP, FF_PERIODIC, FF_SQUARE, FF_SINE, FF_TRIANGLE, FF_SAW_UP,
            FF_SAW_DOWN, FF_SPRING, FF_DAMPER, FF_INERTIA, FF_FRICTION, FF_GAIN, FF_AUTOCENTER};
    d.abs[ABS_X] = {0, -32768, 32767, 0, 0, 0};
    d.abs[ABS_Y] = {0, 0, 255, 0, 0, 0};
    d.abs[ABS_RZ] = {255, 0, 255, 0, 0, 0};
    for (unsigned k = BTN_TRIGGER; k < BTN_TRIGGER + 8; ++k)
        d.keys.push_back(k);
    return d;
}

FakeDevice gamepad() {
    FakeDevice d;
    d.name = "Test Gamepad";
    d.phys = "usb-0000:00:14.0-2/input0";
    d.id = {BUS_USB, 0x2345, 0x6789, 0x0100};
    d.ff = {FF_CONSTANT, FF_PERIODIC, FF_SINE, FF_SQUARE, FF_TRIANGLE, FF_SAW_UP, FF_SAW_DOWN,
            FF_GAIN};
    d.maxEffects = 8;
    d.abs[ABS_X] = {128, 0, 255, 0, 0, 0};
    d.abs[ABS_Y] = {128, 0, 255, 0, 0, 0};
    d.abs[ABS_HAT0X] = {0, -1, 1, 0, 0, 0};
    d.abs[ABS_HAT0Y] = {0, -1, 1, 0, 0, 0};
    for (unsigned k = BTN_SOUTH; k <= BTN_THUMBR; ++k)
        d.keys.push_back(k);
    return d;
}

FakeKernel& FakeKernel::install(void* module) {
    if (!g_kernel) {
        g_kernel = new FakeKernel;
        char dir[] = "/tmp/tkl-evdev-XXXXXX";
        if (!mkdtemp(dir))
            std::abort();
        g_kernel->folder_ = dir;
        setenv("TKL_EVDEV_DIR", dir, 1);
    }
    auto set = reinterpret_cast<void (*)(const TklEvdevSystem*)>(dlsym(module, "TklEvdevSetSystem"));
    if (!set)
        std::abort();
    const TklEvdevSystem table = {sys_open, sys_ioctl, sys_write, sys_read, sys_close, sys_now};
    set(&table);
    g_kernel->reset();
    return *g_kernel;
}

FakeKernel& FakeKernel::get() { return *g_kernel; }

void FakeKernel::reset() {
    for (const auto& n : nodes_)
        unlink((folder_ + "/" + n.first).c_str());
    nodes_.clear();
    fds_.clear();
    clear_records();
}

void FakeKernel::clear_records() {
    uploads_.clear();
    written_.clear();
}

void FakeKernel::add(const std::string& file, const FakeDevice& device) {
    const std::string path = folder_ + "/" + file;
    const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0600);
    if (fd >= 0)
        ::close(fd);
    nodes_[file] = Node();
    nodes_[file].device = device;
}

void FakeKernel::unplug(const std::string& file) {
    nodes_.at(file).unplugged = true;
    ::unlink((folder_ + "/" + file).c_str());
}

std::map<int, int> FakeKernel::effects(const std::string& file) const {
    std::map<int, int> out;
    const Node& n = nodes_.at(file);
    for (const auto& e : n.effects) {
        auto p = n.playing.find(e.first);
        out[e.first] = p == n.playing.end() ? 0 : p->second;
    }
    return out;
}

unsigned FakeKernel::gain(const std::string& file) const { return nodes_.at(file).gain; }
unsigned FakeKernel::autocenter(const std::string& file) const { return nodes_.at(file).autocenter; }

int FakeKernel::sys_open(const char* path, int flags) {
    FakeKernel& k = *g_kernel;
    const std::string p(path);
    const std::string prefix = k.folder_ + "/";
    auto node = p.compare(0, prefix.size(), prefix) == 0 ? k.nodes_.find(p.substr(prefix.size()))
                                                         : k.nodes_.end();
    if (node == k.nodes_.end() || node->second.unplugged)
        return ::open(path, flags);  // anything else is an ordinary file
    if (!node->second.device.readable && (flags & O_ACCMODE) != O_RDONLY)
        return fail(EACCES);
    const int fd = k.nextFd_++;
    k.fds_[fd] = Fd{node->first, node->second.pending.size()};
    return fd;
}

int FakeKernel::sys_close(int fd) {
    FakeKernel& k = *g_kernel;
    auto f = k.fds_.find(fd);
    if (f == k.fds_.end())
        return ::close(fd);
    // The kernel's flush: the effects this fd uploaded go with it.
    Node& node = k.nodes_.at(f->second.file);
    std::vector<int> owned;
    for (const auto& o : node.owner)
        if (o.second == fd)
            owned.push_back(o.first);
    for (int id : owned)
        k.erase(fd, node, id);
    k.fds_.erase(f);
    return 0;
}

uint64_t FakeKernel::sys_now() { return g_kernel->now_; }

int FakeKernel::sys_ioctl(int fd, unsigned long request, void* arg) {
    FakeKernel& k = *g_kernel;
    auto f = k.fds_.find(fd);
    if (f == k.fds_.end())
        return ::ioctl(fd, request, arg);
    Node& node = k.nodes_.at(f->second.file);
    if (node.unplugged)
        return fail(ENODEV);
    return k.ioctl(f->second, node, request, arg);
}

int FakeKernel::ioctl(Fd& fd, Node& node, unsigned long request, void* arg) {
    const FakeDevice& d = node.device;
    if (_IOC_TYPE(request) != 'E')
        return fail(ENOTTY);
    const unsigned nr = _IOC_NR(request), len = _IOC_SIZE(request);
    const int fdNumber = [&] {
        for (const auto& e : fds_)
            if (&e.second == &fd)
                return e.first;
        return -1;
    }();
    if (request == EVIOCGID) {
        std::memcpy(arg, &d.id, sizeof d.id);
        return 0;
    }
    if (request == EVIOCGEFFECTS) {
        if (!d.forceFeedback)
            return fail(EINVAL);
        *static_cast<int*>(arg) = d.maxEffects;
        return 0;
    }
    if (request == EVIOCSFF)
        return upload(fd, fdNumber, node, *static_cast<ff_effect*>(arg));
    if (request == EVIOCRMFF)
        return erase(fdNumber, node, int(reinterpret_cast<intptr_t>(arg)));
    if (_IOC_DIR(request) != _IOC_READ)
        return fail(EINVAL);
    if (nr == 0x06 || nr == 0x07) {  // EVIOCGNAME, EVIOCGPHYS
        const std::string& s = nr == 0x06 ? d.name : d.phys;
        if (s.empty())
            return fail(ENOENT);
        const unsigned n = s.size() + 1 < len ? unsigned(s.size()) + 1 : len;
        std::memcpy(arg, s.c_str(), n);
        return int(n);
    }
    if (nr == 0x18) {  // EVIOCGKEY
        std::vector<unsigned char> bits;
        for (unsigned code : d.pressed)
            set_bit(bits, code);
        return give_bits(bits, arg, len);
    }
    if (nr >= 0x20 && nr < 0x20 + EV_CNT) {  // EVIOCGBIT
        std::vector<unsigned char> bits;
        switch (nr - 0x20) {
        case 0:
            set_bit(bits, EV_SYN);
            if (!d.keys.empty())
                set_bit(bits, EV_KEY);
            if (!d.abs.empty())
                set_bit(bits, EV_ABS);
            if (d.forceFeedback)
                set_bit(bits, EV_FF);
            break;
        case EV_KEY:
            for (unsigned code : d.keys)
                set_bit(bits, code);
            break;
        case EV_ABS:
            for (const auto& a : d.abs)
                set_bit(bits, a.first);
            break;
        case EV_FF:
            if (d.forceFeedback)
                for (unsigned code : d.ff)
                    set_bit(bits, code);
            break;
        default:
            break;
        }
        return give_bits(bits, arg, len);
    }
    if (nr >= 0x40 && nr < 0x40 + ABS_CNT && len == sizeof(input_absinfo)) {  // EVIOCGABS
        auto a = d.abs.find(nr - 0x40);
        if (a == d.abs.end())
            return fail(EINVAL);
        std::memcpy(arg, &a->second, sizeof a->second);
        return 0;
    }
    return fail(EINVAL);
}

// The rules of input_ff_upload: a type and waveform the device declares; a new effect takes
// the first free id (ENOSPC when none is left); an update names an effect of this fd and keeps
// its type and waveform.
int FakeKernel::upload(Fd& fd, int fdNumber, Node& node, ff_effect& effect) {
    const FakeDevice& d = node.device;
    if (!d.forceFeedback)
        return fail(ENOSYS);
    if (effect.type < FF_EFFECT_MIN || effect.type > FF_EFFECT_MAX || !d.ff.count(effect.type))
        return fail(EINVAL);
    if (effect.type == FF_PERIODIC &&
        (effect.u.periodic.waveform < FF_WAVEFORM_MIN || effect.u.periodic.waveform > FF_WAVEFORM_MAX ||
         !d.ff.count(effect.u.periodic.waveform)))
        return fail(EINVAL);
    bool update = false;
    if (effect.id == -1) {
        int id = 0;
        while (id < d.maxEffects && node.effects.count(id))
            ++id;
        if (id == d.maxEffects)
            return fail(ENOSPC);
        effect.id = short(id);
    } else {
        if (effect.id < 0 || effect.id >= d.maxEffects || !node.effects.count(effect.id))
            return fail(EINVAL);
        if (node.owner[effect.id] != fdNumber)
            return fail(EACCES);
        if (!compatible(effect, node.effects[effect.id]))
            return fail(EINVAL);
        update = true;
    }
    node.effects[effect.id] = effect;
    node.owner[effect.id] = fdNumber;
    uploads_.push_back(Upload{fd.file, effect, update});
    return 0;
}

// EVIOCRMFF: the effect must be this fd's; a playing effect is stopped first.
int FakeKernel::erase(int fdNumber, Node& node, int id) {
    if (id < 0 || id >= node.device.maxEffects || !node.effects.count(id))
        return fail(EINVAL);
    if (node.owner[id] != fdNumber)
        return fail(EACCES);
    if (node.playing[id] > 0)
        play(node, id, 0);
    node.effects.erase(id);
    node.owner.erase(id);
    node.playing.erase(id);
    return 0;
}

void FakeKernel::play(Node& node, int id, int value) {
    node.playing[id] = value > 0 ? value : 0;
    if (node.device.reportsStatus) {
        input_event e = {};
        e.type = EV_FF_STATUS;
        e.code = (unsigned short)id;
        e.value = value > 0 ? FF_STATUS_PLAYING : FF_STATUS_STOPPED;
        node.pending.push_back(e);
    }
}

ssize_t FakeKernel::sys_write(int fd, const void* data, size_t size) {
    FakeKernel& k = *g_kernel;
    auto f = k.fds_.find(fd);
    if (f == k.fds_.end())
        return ::write(fd, data, size);
    Node& node = k.nodes_.at(f->second.file);
    if (node.unplugged)
        return fail(ENODEV);
    if (size % sizeof(input_event))
        return fail(EINVAL);
    const input_event* events = static_cast<const input_event*>(data);
    for (size_t i = 0; i < size / sizeof(input_event); ++i) {
        const input_event& e = events[i];
        k.written_.push_back(Written{f->second.file, e});
        if (e.type != EV_FF)
            continue;
        // input_ff_event: what the device does not declare, or a bad value, is ignored.
        const bool level = e.value >= 0 && e.value <= 0xFFFF;
        if (e.code == FF_GAIN) {
            if (node.device.ff.count(FF_GAIN) && level)
                node.gain = unsigned(e.value);
        } else if (e.code == FF_AUTOCENTER) {
            if (node.device.ff.count(FF_AUTOCENTER) && level)
                node.autocenter = unsigned(e.value);
        } else if (node.effects.count(e.code)) {
            k.play(node, e.code, e.value);
        }
    }
    return ssize_t(size);
}

ssize_t FakeKernel::sys_read(int fd, void* data, size_t size) {
    FakeKernel& k = *g_kernel;
    auto f = k.fds_.find(fd);
    if (f == k.fds_.end())
        return ::read(fd, data, size);
    Node& node = k.nodes_.at(f->second.file);
    if (node.unplugged)
        return fail(ENODEV);
    const size_t waiting = node.pending.size() - f->second.read;
    if (waiting == 0)
        return fail(EAGAIN);
    size_t n = size / sizeof(input_event);
    if (n > waiting)
        n = waiting;
    std::memcpy(data, node.pending.data() + f->second.read, n * sizeof(input_event));
    f->second.read += n;
    return ssize_t(n * sizeof(input_event));
}

std::string describe(const ff_effect& e) {
    std::ostringstream s;
    s << "type 0x" << std::hex << e.type << std::dec << " id " << e.id << " direction 0x" << std::hex
      << e.direction << std::dec << " trigger " << e.trigger.button << "/" << e.trigger.interval
      << " replay " << e.replay.length << "/" << e.replay.delay;
    auto envelope = [&](const ff_envelope& v) {
        s << " envelope " << v.attack_length << "," << v.attack_level << "," << v.fade_length << ","
          << v.fade_level;
    };
    switch (e.type) {
    case FF_CONSTANT:
        s << " level " << e.u.constant.level;
        envelope(e.u.constant.envelope);
        break;
    case FF_RAMP:
        s << " ramp " << e.u.ramp.start_level << ".." << e.u.ramp.end_level;
        envelope(e.u.ramp.envelope);
        break;
    case FF_PERIODIC:
        s << " wave 0x" << std::hex << e.u.periodic.waveform << std::dec << " period "
          << e.u.periodic.period << " magnitude " << e.u.periodic.magnitude << " offset "
          << e.u.periodic.offset << " phase " << e.u.periodic.phase;
        envelope(e.u.periodic.envelope);
        break;
    default:
        for (const ff_condition_effect& c : e.u.condition)
            s << " [sat " << c.right_saturation << "/" << c.left_saturation << " coeff "
              << c.right_coeff << "/" << c.left_coeff << " deadband " << c.deadband << " center "
              << c.center << "]";
        break;
    }
    return s.str();
}

}  // namespace evtest
