#include "bench/project/benchdata.h"

#include "tools/tvx/jsonproject.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

namespace bench {
namespace {

std::vector<tvx::ObjectDescription> showcase() {
    std::ifstream in(TKL_SHOWCASE_JSON);
    std::stringstream text;
    text << in.rdbuf();
    return tvx::objects_from_json(tvx::Json::parse(text.str()));
}

}  // namespace

const std::string& large_project(int objects) {
    static std::map<int, std::string> made;
    std::string& bytes = made[objects];
    if (bytes.empty()) {
        const std::vector<tvx::ObjectDescription> sample = showcase();
        std::vector<tvx::ObjectDescription> all;
        for (int i = 0; i < objects; ++i)
            all.push_back(sample[size_t(i) % sample.size()]);
        bytes = tvx::write_project(all);
    }
    return bytes;
}

const std::string& large_project_json(int objects) {
    static std::map<int, std::string> made;
    std::string& text = made[objects];
    if (text.empty())
        text = tvx::json_from_project(large_project(objects)).dump(2) + "\n";
    return text;
}

const std::string& large_project_file(int objects) {
    static std::map<int, std::string> made;
    std::string& path = made[objects];
    if (path.empty()) {
        path = "/tmp/tkl_bench_" + std::to_string(objects) + ".tvx";
        const std::string& bytes = large_project(objects);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    return path;
}

}  // namespace bench
