// TVXCreateEffectStructs and its release for one object, and for a compound of 100 effects.
#include "tools/tvx/projectwriter.h"
#include "tkl/project/tvx.h"

#include <benchmark/benchmark.h>

namespace {

// One vector force with an envelope, and a compound listing it 100 times.
std::string project() {
    tvx::ObjectDescription force;
    force.name = "Push";
    force.type = "Vector Force";
    force.objectProperties = {{"ID", "{A0000001-0000-4000-8000-000000000001}"}};
    force.typeProperties = {{"Magnitude", "6000"}, {"Direction", "9000"}, {"Duration", "400000"}};
    tvx::ObjectDescription compound;
    compound.name = "Hundred";
    compound.type = "Compound";
    std::string list;
    for (int i = 0; i < 100; ++i)
        list += (i ? ";" : "") + force.objectProperties[0].second;
    compound.objectProperties = {{"ID", "{A0000002-0000-4000-8000-000000000002}"},
                                 {"ContainedObjects", list}};
    return tvx::write_project({force, compound});
}

void create_and_release(benchmark::State& state, const char* name, int expected) {
    const std::string bytes = project();
    HTVXPROJECT p = TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), nullptr);
    for (auto _ : state) {
        int count = 0;
        TVXEffect** list = TVXCreateEffectStructs(p, name, &count);
        if (!list || count != expected)
            state.SkipWithError("unexpected list");
        TVXReleaseEffectStructs(p, list);
    }
    TVXReleaseProject(p);
}

void EffectStructsOneObject(benchmark::State& state) { create_and_release(state, "Push", 1); }
BENCHMARK(EffectStructsOneObject);

void EffectStructsCompound100(benchmark::State& state) { create_and_release(state, "Hundred", 100); }
BENCHMARK(EffectStructsCompound100);

}  // namespace
