#pragma once
// A kernel stand-in at the system-call boundary of the evdev module: event nodes in a real
// folder (empty files named eventN), answered by the rules of the kernel's input and
// force-feedback cores. It records every ff_effect uploaded and every event written, and
// counts the fds it hands out.

#include "evdev/system.h"

#include <linux/input.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace evtest {

struct FakeDevice {
    std::string name = "Test Wheel";
    std::string phys = "usb-0000:00:14.0-1/input0";
    input_id id = {BUS_USB, 0x1234, 0x5678, 0x0111};
    std::set<unsigned> ff;                     // FF_* types, waveforms, FF_GAIN, FF_AUTOCENTER
    int maxEffects = 16;
    std::map<unsigned, input_absinfo> abs;     // ABS_* and their state
    std::vector<unsigned> keys;                // key codes
    std::set<unsigned> pressed;
    bool reportsStatus = false;                // sends EV_FF_STATUS on play and stop
    bool readable = true;                      // false: open answers EACCES
    bool forceFeedback = true;                 // false: no EV_FF at all
};

// A wheel with conditions and periodics; a gamepad with only constant and periodic forces.
FakeDevice wheel();
FakeDevice gamepad();

struct Upload {
    std::string node;
    ff_effect effect;  // as the kernel stored it (id assigned)
    bool update;       // an update in place of an effect already there
};

struct Written {
    std::string node;
    input_event event;
};

class FakeKernel {
public:
    // The one stand-in, installed into the module whose handle is given, with a fresh folder.
    static FakeKernel& install(void* module);
    static FakeKernel& get();

    // Removes every node and record; keeps the folder.
    void reset();
    const std::string& folder() const { return folder_; }
    // Adds node `file` ("event3") to the folder.
    void add(const std::string& file, const FakeDevice& device);
    // Unplugs a node: its file goes, and every call on its open fds answers ENODEV.
    void unplug(const std::string& file);
    // Moves the clock the module reads.
    void advance(uint64_t ms) { now_ += ms; }

    const std::vector<Upload>& uploads() const { return uploads_; }
    const std::vector<Written>& written() const { return written_; }
    void clear_records();
    // Effects present on a node: id -> play count (0 stopped).
    std::map<int, int> effects(const std::string& file) const;
    unsigned gain(const std::string& file) const;
    unsigned autocenter(const std::string& file) const;
    int open_fds() const { return int(fds_.size()); }

private:
    struct Node {
        FakeDevice device;
        bool unplugged = false;
        std::map<int, ff_effect> effects;  // id -> effect
        std::map<int, int> owner;          // id -> fd
        std::map<int, int> playing;        // id -> count
        unsigned gain = 0xFFFF;
        unsigned autocenter = 0;
        std::vector<input_event> pending;  // status events for every reader
    };
    struct Fd {
        std::string file;
        std::size_t read = 0;  // events of `pending` this fd has read
    };

    static int sys_open(const char* path, int flags);
    static int sys_ioctl(int fd, unsigned long request, void* arg);
    static ssize_t sys_write(int fd, const void* data, size_t size);
    static ssize_t sys_read(int fd, void* data, size_t size);
    static int sys_close(int fd);
    static uint64_t sys_now();

    int ioctl(Fd& fd, Node& node, unsigned long request, void* arg);
    int upload(Fd& fd, int fdNumber, Node& node, ff_effect& effect);
    int erase(int fdNumber, Node& node, int id);
    void play(Node& node, int id, int value);

    std::string folder_;
    std::map<std::string, Node> nodes_;
    std::map<int, Fd> fds_;
    int nextFd_ = 1000;
    uint64_t now_ = 1000000;
    std::vector<Upload> uploads_;
    std::vector<Written> written_;
};

// Every field of an ff_effect, for failure messages that show the difference.
std::string describe(const ff_effect& e);

}  // namespace evtest
