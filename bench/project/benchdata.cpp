#include "bench/project/benchdata.h"

#include "tools/tvx/jsonproject.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace bench {
namespace {

tvx::Json showcase_json() {
    std::ifstream in(TKL_SHOWCASE_JSON);
    std::stringstream text;
    text << in.rdbuf();
    return tvx::Json::parse(text.str());
}

std::vector<tvx::ObjectDescription> showcase() { return tvx::objects_from_json(showcase_json()); }

// The showcase objects repeated, each repetition with names of its own (and so identifiers of
// its own), its compounds listing the members of the same repetition.
std::vector<tvx::ObjectDescription> showcase_copies(int objects) {
    const tvx::Json sample = showcase_json()["objects"];
    tvx::Json all = tvx::Json::array();
    for (int copy = 0; int(all.size()) < objects; ++copy) {
        const std::string suffix = " " + std::to_string(copy);
        for (tvx::Json o : sample) {
            if (int(all.size()) == objects)
                break;
            o["name"] = o["name"].get<std::string>() + suffix;
            if (o.contains("contains"))
                for (tvx::Json& member : o["contains"])
                    member = member.get<std::string>() + suffix;
            all.push_back(o);
        }
    }
    // A compound of the last, cut repetition lists only the members that made it.
    std::set<std::string> names;
    for (const tvx::Json& o : all)
        names.insert(o["name"].get<std::string>());
    for (tvx::Json& o : all)
        if (o.contains("contains")) {
            tvx::Json kept = tvx::Json::array();
            for (const tvx::Json& member : o["contains"])
                if (names.count(member.get<std::string>()))
                    kept.push_back(member);
            o["contains"] = kept;
        }
    return tvx::objects_from_json(tvx::Json{{"objects", all}});
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

const std::string& large_project_own_ids(int objects) {
    static std::map<int, std::string> made;
    std::string& bytes = made[objects];
    if (bytes.empty())
        bytes = tvx::write_project(showcase_copies(objects));
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
