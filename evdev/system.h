#pragma once
// The system calls the module makes on device nodes, through one table. Production uses the
// real calls; a test installs a kernel stand-in with TklEvdevSetSystem, which the module
// exports for that purpose. Calls answer as the system's do: -1 with errno set on failure.

#include <sys/types.h>

#include <cstdint>

struct TklEvdevSystem {
    int (*open)(const char* path, int flags);
    int (*ioctl)(int fd, unsigned long request, void* arg);
    ssize_t (*write)(int fd, const void* data, size_t size);
    ssize_t (*read)(int fd, void* data, size_t size);
    int (*close)(int fd);
    // A monotonic clock in milliseconds: how long a started effect has played.
    uint64_t (*now_ms)();
};

// The table in use.
const TklEvdevSystem& evdev_system();

extern "C" {
// Installs a table (copied), or the real calls again for null.
__attribute__((visibility("default"))) void TklEvdevSetSystem(const TklEvdevSystem* table);
}
