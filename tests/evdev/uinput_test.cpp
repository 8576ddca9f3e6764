// On a machine where /dev/uinput is writable: a virtual force-feedback device made through
// uinput, driven by the module over the real system calls. It answers the kernel's upload and
// erase requests itself and records what it is asked to play.
#include "tests/evdev/evtest.h"

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/uinput.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

namespace evtest {
namespace {

const char kName[] = "TKL uinput force feedback";

// The device's side of uinput: creates the device and serves its requests on a thread.
class VirtualDevice {
public:
    explicit VirtualDevice(int fd) : fd_(fd) {}
    ~VirtualDevice() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        ioctl(fd_, UI_DEV_DESTROY);
        close(fd_);
    }
    bool create(std::string& why) {
        const int setup[][2] = {{UI_SET_EVBIT, EV_KEY}, {UI_SET_KEYBIT, BTN_TRIGGER},
                                {UI_SET_EVBIT, EV_ABS}, {UI_SET_ABSBIT, ABS_X},
                                {UI_SET_ABSBIT, ABS_Y}, {UI_SET_EVBIT, EV_FF},
                                {UI_SET_FFBIT, FF_SPRING}, {UI_SET_FFBIT, FF_PERIODIC},
                                {UI_SET_FFBIT, FF_SINE}, {UI_SET_FFBIT, FF_GAIN}};
        for (const auto& s : setup)
            if (ioctl(fd_, s[0], s[1]) < 0)
                return fail(why, "uinput setup");
        uinput_setup dev = {};
        dev.id = {BUS_VIRTUAL, 0x7461, 0x6b6c, 1};
        std::snprintf(dev.name, sizeof dev.name, "%s", kName);
        dev.ff_effects_max = 8;
        for (int axis : {ABS_X, ABS_Y}) {
            uinput_abs_setup abs = {};
            abs.code = __u16(axis);
            abs.absinfo.minimum = -512;
            abs.absinfo.maximum = 511;
            if (ioctl(fd_, UI_ABS_SETUP, &abs) < 0)
                return fail(why, "UI_ABS_SETUP");
        }
        if (ioctl(fd_, UI_DEV_SETUP, &dev) < 0 || ioctl(fd_, UI_DEV_CREATE) < 0)
            return fail(why, "UI_DEV_CREATE");
        thread_ = std::thread([this] { serve(); });
        return true;
    }
    std::vector<ff_effect> uploads() {
        std::lock_guard<std::mutex> lock(mutex_);
        return uploads_;
    }
    std::vector<std::pair<int, int>> plays() {
        std::lock_guard<std::mutex> lock(mutex_);
        return plays_;
    }
    int erased() {
        std::lock_guard<std::mutex> lock(mutex_);
        return erased_;
    }

private:
    bool fail(std::string& why, const char* what) {
        why = std::string(what) + ": " + std::strerror(errno);
        return false;
    }
    void serve() {
        while (!stop_) {
            pollfd p = {fd_, POLLIN, 0};
            if (poll(&p, 1, 20) <= 0)
                continue;
            input_event e;
            while (read(fd_, &e, sizeof e) == ssize_t(sizeof e)) {
                std::lock_guard<std::mutex> lock(mutex_);
                if (e.type == EV_UINPUT && e.code == UI_FF_UPLOAD) {
                    uinput_ff_upload up = {};
                    up.request_id = __u32(e.value);
                    ioctl(fd_, UI_BEGIN_FF_UPLOAD, &up);
                    uploads_.push_back(up.effect);
                    up.retval = 0;
                    ioctl(fd_, UI_END_FF_UPLOAD, &up);
                } else if (e.type == EV_UINPUT && e.code == UI_FF_ERASE) {
                    uinput_ff_erase er = {};
                    er.request_id = __u32(e.value);
                    ioctl(fd_, UI_BEGIN_FF_ERASE, &er);
                    ++erased_;
                    er.retval = 0;
                    ioctl(fd_, UI_END_FF_ERASE, &er);
                } else if (e.type == EV_FF) {
                    plays_.push_back({e.code, e.value});
                }
            }
        }
    }

    int fd_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<ff_effect> uploads_;
    std::vector<std::pair<int, int>> plays_;
    int erased_ = 0;
};

std::string program_folder() {
    char exe[PATH_MAX] = {};
    if (readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0)
        return ".";
    const std::string path(exe);
    return path.substr(0, path.rfind('/'));
}

TEST(Uinput, SpringAndPeriodicOnAVirtualDevice) {
    const int fd = open("/dev/uinput", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        GTEST_SKIP() << "not run: /dev/uinput is not writable here (" << std::strerror(errno) << ")";
    VirtualDevice device(fd);
    std::string why;
    if (!device.create(why))
        GTEST_SKIP() << "not run: " << why;
    // The real system calls on the real device folder.
    auto set = reinterpret_cast<void (*)(const TklEvdevSystem*)>(dlsym(module(), "TklEvdevSetSystem"));
    set(nullptr);
    struct Folder {
        std::string saved = std::getenv("TKL_EVDEV_DIR") ? std::getenv("TKL_EVDEV_DIR") : "";
        Folder() { setenv("TKL_EVDEV_DIR", "/dev/input", 1); }
        ~Folder() { setenv("TKL_EVDEV_DIR", saved.c_str(), 1); }
    } folder;
    IDirectInputA* root = direct_input();
    ASSERT_NE(root, nullptr);
    GUID ours = GUID_NULL;
    for (int tries = 0; tries < 100 && IsEqualGUID(ours, GUID_NULL); ++tries) {
        for (const DIDEVICEINSTANCEA& d : enumerate(root, DIEDFL_FORCEFEEDBACK))
            if (std::strcmp(d.tszInstanceName, kName) == 0)
                ours = d.guidInstance;
        if (IsEqualGUID(ours, GUID_NULL))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (IsEqualGUID(ours, GUID_NULL)) {
        root->Release();
        GTEST_SKIP() << "not run: the virtual device's event node does not open read-write here";
    }
    IDirectInputDeviceA* first = nullptr;
    ASSERT_EQ(root->CreateDevice(ours, &first, nullptr), DI_OK);
    IDirectInputDevice2A* joy = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&joy)), DI_OK);
    first->Release();
    ASSERT_EQ(joy->SetDataFormat(&c_dfDIJoystick), DI_OK);
    ASSERT_EQ(joy->SetCooperativeLevel(nullptr, DISCL_EXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    ASSERT_EQ(joy->Acquire(), DI_OK);

    const DICONDITION spring[2] = {{0, 5000, 5000, 10000, 10000, 0}, {0, 5000, 5000, 10000, 10000, 0}};
    Record s = Record().cartesian(1, 1).condition(spring, 2);
    Record w = Record().polar(9000).periodic(10000, 0, 0, 100000);
    IDirectInputEffect* a = nullptr;
    IDirectInputEffect* b = nullptr;
    EXPECT_EQ(joy->CreateEffect(GUID_Spring, &s.e, &a, nullptr), DI_OK);
    EXPECT_EQ(joy->CreateEffect(GUID_Sine, &w.e, &b, nullptr), DI_OK);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->Start(1, 0), DI_OK);
    EXPECT_EQ(b->Start(2, 0), DI_OK);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<ff_effect> up = device.uploads();
    ASSERT_EQ(up.size(), 2u);
    EXPECT_EQ(up[0].type, FF_SPRING);
    EXPECT_EQ(up[0].u.condition[0].right_coeff, 16384);
    EXPECT_EQ(up[1].type, FF_PERIODIC);
    EXPECT_EQ(up[1].u.periodic.waveform, FF_SINE);
    EXPECT_EQ(up[1].direction, 0x4000);
    a->Release();
    b->Release();
    joy->Unacquire();
    joy->Release();
    root->Release();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(device.erased(), 2);
    const auto plays = device.plays();
    EXPECT_NE(std::find(plays.begin(), plays.end(), std::make_pair(int(up[1].id), 2)), plays.end());

    // tkl-play beside the module plays on the hardware device and names it.
    const std::string exe = program_folder() + "/tkl-play";
    const std::string command = "'" + exe + "' --device --no-plots --duration 0.2 -o '" +
                                testing::TempDir() + "tkl-play-uinput' '" + TKL_SAMPLE_PROJECTS +
                                "/showcase.tvx' 'Centering Spring' 2>&1";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string text;
    char chunk[256];
    while (size_t n = fread(chunk, 1, sizeof chunk, out))
        text.append(chunk, n);
    EXPECT_EQ(pclose(out), 0) << text;
    EXPECT_NE(text.find(std::string("on the DirectInput device \"") + kName + "\""), std::string::npos) << text;
}

}  // namespace
}  // namespace evtest
