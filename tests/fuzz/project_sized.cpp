// The sized memory loader on any bytes: it loads or fails, says where within the data, and reads
// nothing outside it.
#include "tests/fuzz/fuzzcheck.h"
#include "tkl/project/tvx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::ExactCopy copy(data, size);
    TVXLoadError error;
    std::memset(&error, 0x5A, sizeof error);
    HTVXPROJECT project = TVXLoadProjectPointerEx(copy.bytes.get(), DWORD(size), nullptr, &error);
    if (!project) {
        FUZZ_CHECK(error.dwOffset <= size);
        FUZZ_CHECK(error.szReason[0] != '\0');
        FUZZ_CHECK(std::memchr(error.szReason, 0, sizeof error.szReason) != nullptr);
        FUZZ_CHECK(std::memchr(error.szObject, 0, sizeof error.szObject) != nullptr);
        return 0;
    }
    int objects = 0;
    while (const char* name = TVXGetObjectNameByIndex(project, objects)) {
        FUZZ_CHECK(std::strlen(name) < size);
        ++objects;
    }
    FUZZ_CHECK(objects <= int(size / 6));  // each record takes at least 6 bytes
    FUZZ_CHECK(TVXReleaseProject(project));
    return 0;
}
