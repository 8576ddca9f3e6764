// `tvx build` on any JSON text: a description it accepts becomes project data that the library
// loads, and that dumps back to a description building the same bytes.
#include "tests/fuzz/fuzzcheck.h"
#include "tkl/project/tvx.h"
#include "tools/tvx/jsonproject.h"

#include <string>

namespace {

const char kTooLarge[] = "a compound holds more than 65536 effects";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tvx::Json json;
    try {
        json = tvx::Json::parse(data, data + size);
    } catch (const tvx::Json::exception&) {
        return 0;
    }
    std::string bytes;
    try {
        bytes = tvx::write_project(tvx::objects_from_json(json));
    } catch (const std::runtime_error&) {
        return 0;
    }
    const fuzz::ExactCopy copy(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    TVXLoadError error = {};
    HTVXPROJECT project =
        TVXLoadProjectPointerEx(copy.bytes.get(), DWORD(copy.size), nullptr, &error);
    if (!project) {
        if (std::strcmp(error.szReason, kTooLarge) != 0)
            std::fprintf(stderr, "built data rejected: object %d at byte %u: %s\n",
                         int(error.lObject), unsigned(error.dwOffset), error.szReason);
        FUZZ_CHECK(std::strcmp(error.szReason, kTooLarge) == 0);
    } else {
        FUZZ_CHECK(TVXReleaseProject(project));
    }
    std::string rebuilt;
    try {
        rebuilt = tvx::write_project(tvx::objects_from_json(tvx::json_from_project(bytes)));
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "dump of built data does not build: %s\n", e.what());
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(rebuilt == bytes);
    return 0;
}
