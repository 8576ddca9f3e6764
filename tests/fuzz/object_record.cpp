// The single-object loader on one record whose length field says exactly the input's size: it
// reads nothing outside the record.
#include "tests/fuzz/fuzzcheck.h"
#include "tkl/project/tvx.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 0xFFFFFFF0u)
        return 0;
    const uint32_t length = uint32_t(size + 4);
    uint8_t* record = new uint8_t[size + 4];
    for (int i = 0; i < 4; ++i)
        record[i] = uint8_t(length >> (8 * i));
    if (size)
        std::memcpy(record + 4, data, size);
    HTVXPROJECT project = TVXLoadProjectObjectPointer(record, nullptr);
    if (project) {
        const char* name = TVXGetObjectNameByIndex(project, 0);
        FUZZ_CHECK(name && std::strlen(name) < size);
        FUZZ_CHECK(TVXGetObjectNameByIndex(project, 1) == nullptr);
        int count = -1;
        TVXEffect** effects = TVXCreateEffectStructsByIndex(project, 0, &count);
        FUZZ_CHECK(effects && count >= 0 && count <= 2);
        FUZZ_CHECK(TVXReleaseEffectStructs(project, effects));
        FUZZ_CHECK(TVXReleaseProject(project));
    }
    delete[] record;
    return 0;
}
