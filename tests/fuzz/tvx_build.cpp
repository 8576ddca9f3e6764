// `tvx build` on any JSON text: the checker answers every text without failing itself; a
// description it accepts, and any the format's structure alone allows, becomes project data
// that the library loads and that dumps back to a description building the same bytes.
#include "tests/fuzz/fuzzcheck.h"
#include "tkl/project/tvx.h"
#include "tools/tvx/jsonproject.h"
#include "tools/tvx/projectbuild.h"

#include <string>

namespace {

const char kTooLarge[] = "a compound holds more than 65536 effects";

void check_loads(const std::string& bytes) {
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
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string checked;
    std::vector<tvx::Message> mistakes;
    const bool accepted = tvx::build_project(text, tvx::Checking::Schema, checked, mistakes);
    FUZZ_CHECK(accepted != mistakes.empty());

    std::string bytes;
    std::vector<tvx::Message> structural;
    if (!tvx::build_project(text, tvx::Checking::Structure, bytes, structural)) {
        // What the structure refuses the full check refuses too.
        FUZZ_CHECK(!accepted);
        return 0;
    }
    FUZZ_CHECK(!accepted || checked == bytes);
    check_loads(bytes);
    std::string dumped;
    std::string reason;
    if (!tvx::dump_project(bytes, dumped, reason)) {
        std::fprintf(stderr, "built data does not dump: %s\n", reason.c_str());
        FUZZ_CHECK(false);
    }
    std::string rebuilt;
    std::vector<tvx::Message> again;
    if (!tvx::build_project(dumped, tvx::Checking::Structure, rebuilt, again)) {
        std::fprintf(stderr, "dump of built data does not build: %s\n", again[0].text.c_str());
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(rebuilt == bytes);
    return 0;
}
