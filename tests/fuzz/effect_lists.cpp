// The effect lists of every object of a loaded project: made by index and by name, copies equal
// to each other and independent of each other and of the project, which they outlive.
#include "tests/fuzz/fuzzcheck.h"
#include "tkl/project/tvx.h"
#include "tools/tvx/effectdescription.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> describe(TVXEffect** list, int count) {
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) {
        FUZZ_CHECK(list[i] && list[i]->lpEffect);
        out.push_back(tvx::describe_effect(*list[i]));
    }
    FUZZ_CHECK(list[count] == nullptr);
    return out;
}

// Overwrites a list's records and blocks, as a caller may (projects rewrite kinds in place).
void scribble(TVXEffect** list) {
    for (; *list; ++list) {
        TACTRA_EFFECT& e = *(*list)->lpEffect;
        std::memset(&(*list)->guid, 0xEE, sizeof(GUID));
        e.dwGain = 0xDEADBEEF;
        for (DWORD a = 0; a < e.cAxes && e.rglDirection; ++a)
            e.rglDirection[a] = -1;
        if (e.lpEnvelope)
            e.lpEnvelope->dwFadeTime = 0xDEADBEEF;
        if (e.lpvTypeSpecificParams && e.cbTypeSpecificParams >= 4)
            std::memset(e.lpvTypeSpecificParams, 0xEE, 4);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fuzz::ExactCopy copy(data, size);
    HTVXPROJECT project = TVXLoadProjectPointerSized(copy.bytes.get(), DWORD(size), nullptr);
    if (!project)
        return 0;
    struct Kept {
        TVXEffect** list;
        std::vector<std::string> described;
    };
    std::vector<Kept> kept;
    for (int i = 0; const char* name = TVXGetObjectNameByIndex(project, i); ++i) {
        int byIndex = -1, byName = -1;
        TVXEffect** first = TVXCreateEffectStructsByIndex(project, i, &byIndex);
        FUZZ_CHECK(first && byIndex >= 0);
        TVXEffect** second = TVXCreateEffectStructsByIndex(project, i, &byName);
        FUZZ_CHECK(second && byName == byIndex);
        const std::vector<std::string> described = describe(first, byIndex);
        FUZZ_CHECK(describe(second, byName) == described);
        scribble(second);
        FUZZ_CHECK(describe(first, byIndex) == described);
        FUZZ_CHECK(TVXReleaseEffectStructs(project, second));
        // By name: the first object of that name, which may stand earlier.
        TVXEffect** named = TVXCreateEffectStructs(project, name, &byName);
        FUZZ_CHECK(named && byName >= 0);
        FUZZ_CHECK(TVXReleaseEffectStructs(project, named));
        kept.push_back({first, described});
    }
    FUZZ_CHECK(TVXReleaseProject(project));
    // Lists belong to the caller and outlive the project.
    for (const Kept& k : kept) {
        int count = int(k.described.size());
        FUZZ_CHECK(describe(k.list, count) == k.described);
        // The project is not used by the release, only required to be given.
        FUZZ_CHECK(TVXReleaseEffectStructs(reinterpret_cast<HTVXPROJECT>(1), k.list));
    }
    return 0;
}
