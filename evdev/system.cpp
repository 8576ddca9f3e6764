#include "evdev/system.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

namespace {

int real_open(const char* path, int flags) { return ::open(path, flags); }
int real_ioctl(int fd, unsigned long request, void* arg) { return ::ioctl(fd, request, arg); }
ssize_t real_write(int fd, const void* data, size_t size) { return ::write(fd, data, size); }
ssize_t real_read(int fd, void* data, size_t size) { return ::read(fd, data, size); }
int real_close(int fd) { return ::close(fd); }

uint64_t real_now_ms() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return uint64_t(t.tv_sec) * 1000u + uint64_t(t.tv_nsec) / 1000000u;
}

const TklEvdevSystem kReal = {real_open, real_ioctl, real_write, real_read, real_close,
                              real_now_ms};
TklEvdevSystem g_system = kReal;

}  // namespace

const TklEvdevSystem& evdev_system() { return g_system; }

extern "C" void TklEvdevSetSystem(const TklEvdevSystem* table) {
    g_system = table ? *table : kReal;
}
