#pragma once
// What the fuzz targets share: the libFuzzer entry point's signature and a check that ends the
// run as a crash, so that libFuzzer keeps the input (and the replay test fails on it).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

#define FUZZ_CHECK(condition)                                                          \
    do {                                                                               \
        if (!(condition)) {                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__,     \
                         #condition);                                                  \
            std::abort();                                                              \
        }                                                                              \
    } while (0)

namespace fuzz {

// An exact heap copy of the input: a read one byte past it is outside the allocation.
struct ExactCopy {
    ExactCopy(const uint8_t* data, size_t size)
        : size(size), bytes(new char[size ? size : 1]) {
        if (size)
            std::memcpy(bytes.get(), data, size);
    }
    size_t size;
    std::unique_ptr<char[]> bytes;
};

}  // namespace fuzz
