// Loading a large project from its file against two references: parsing the same project as
// JSON (the text `tvx dump` prints) and merely reading the file and summing its bytes. Beside
// them, the same loaded from memory against a project of as many objects with identifiers of
// their own.
#include "bench/project/benchdata.h"

#include <nlohmann/json.hpp>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

const int kObjects = 10000;

void ProjectLoadRelease(benchmark::State& state) {
    const std::string& path = bench::large_project_file(kObjects);
    for (auto _ : state) {
        HTVXPROJECT project = TVXLoadProjectFile(path.c_str(), nullptr);
        if (!project)
            state.SkipWithError("the project does not load");
        TVXReleaseProject(project);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bench::large_project(kObjects).size()));
}
BENCHMARK(ProjectLoadRelease)->Unit(benchmark::kMillisecond);

// A project loaded from memory: the repeated showcase objects, whose compounds all find their
// members among the first objects, and as many objects with identifiers of their own, whose
// compounds find them all over the table.
void load_from_memory(benchmark::State& state, const std::string& bytes) {
    for (auto _ : state) {
        HTVXPROJECT project = TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), nullptr);
        if (!project)
            state.SkipWithError("the project does not load");
        TVXReleaseProject(project);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

void ProjectMemoryLoadRelease(benchmark::State& state) {
    load_from_memory(state, bench::large_project(kObjects));
}
BENCHMARK(ProjectMemoryLoadRelease)->Unit(benchmark::kMillisecond);

void ProjectOwnIdsLoadRelease(benchmark::State& state) {
    load_from_memory(state, bench::large_project_own_ids(kObjects));
}
BENCHMARK(ProjectOwnIdsLoadRelease)->Unit(benchmark::kMillisecond);

void JsonParse(benchmark::State& state) {
    const std::string& text = bench::large_project_json(kObjects);
    for (auto _ : state) {
        nlohmann::json json = nlohmann::json::parse(text);
        benchmark::DoNotOptimize(json);
    }
}
BENCHMARK(JsonParse)->Unit(benchmark::kMillisecond);

void ReadAndSum(benchmark::State& state) {
    const std::string& path = bench::large_project_file(kObjects);
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::fseek(file, 0, SEEK_END);
        const long size = std::ftell(file);
        std::fseek(file, 0, SEEK_SET);
        unsigned char* buffer = static_cast<unsigned char*>(std::malloc(size_t(size)));
        if (std::fread(buffer, size_t(size), 1, file) != 1)
            state.SkipWithError("short read");
        std::fclose(file);
        unsigned sum = 0;
        for (long i = 0; i < size; ++i)
            sum += buffer[i];
        benchmark::DoNotOptimize(sum);
        std::free(buffer);
    }
}
BENCHMARK(ReadAndSum)->Unit(benchmark::kMillisecond);

}  // namespace
