// tvx: builds project files from their readable JSON form, dumps them back, and checks them
// with the library.
#include "tools/tvx/check.h"
#include "tools/tvx/jsonproject.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

const char kUsage[] =
    "usage: tvx build project.json -o out.tvx   JSON description to project file\n"
    "       tvx dump file.tvx                   project file to JSON (builds back the same)\n"
    "       tvx check file.tvx                  load with the library and print every object\n"
    "       tvx --help | --version\n";

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::ostringstream data;
    data << in.rdbuf();
    return data.str();
}

int build(const std::string& input, const std::string& output) {
    tvx::Json json;
    try {
        json = tvx::Json::parse(read_file(input));
    } catch (const tvx::Json::exception& e) {
        throw std::runtime_error(input + ": " + e.what());
    }
    std::string bytes;
    try {
        bytes = tvx::write_project(tvx::objects_from_json(json));
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(input + ": " + e.what());
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush())
        throw std::runtime_error("cannot write " + output);
    return 0;
}

int dump(const std::string& input) {
    try {
        std::cout << tvx::json_from_project(read_file(input)).dump(2) << "\n";
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(input + ": " + e.what());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "tvx " TKL_VERSION "\n";
        return 0;
    }
    try {
        if (args.size() == 4 && args[0] == "build" && args[2] == "-o")
            return build(args[1], args[3]);
        if (args.size() == 2 && args[0] == "dump")
            return dump(args[1]);
        if (args.size() == 2 && args[0] == "check")
            return tvx::check_file(args[1], std::cout, std::cerr);
    } catch (const std::exception& e) {
        std::cerr << "tvx: " << e.what() << "\n";
        return 1;
    }
    std::cerr << kUsage;
    return 2;
}
