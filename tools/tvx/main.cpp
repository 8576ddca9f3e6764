// tvx: builds project files from their readable JSON form, dumps them back, and checks them
// with the library. Exit status: 0 done, 1 a file could not be read or written or the library
// refused the data, 2 a usage error: a wrong command line or a mistake in the description.
#include "tools/tvx/check.h"
#include "tools/tvx/projectbuild.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

const char kUsage[] =
    "usage: tvx build project.json -o out.tvx   JSON description to project file, every\n"
    "                                           type, key, value and name checked\n"
    "       tvx build --raw project.json -o out.tvx\n"
    "                                           the same, written as given (any dump builds)\n"
    "       tvx dump file.tvx                   project file to JSON (builds back the same)\n"
    "       tvx check file.tvx                  load with the library and print every object\n"
    "       tvx schema                          the JSON Schema of the description\n"
    "       tvx --help | --version\n";

const int kUsageError = 2;

bool read_file(const std::string& path, std::string& data) {
    std::error_code folder;
    std::ifstream in;
    if (!std::filesystem::is_directory(path, folder))
        in.open(path, std::ios::binary);
    if (in.is_open())
        data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        std::cerr << "tvx: cannot read " << path << "\n";
        return false;
    }
    return true;
}

int build(const std::string& input, tvx::Checking checking, const std::string& output) {
    std::string text;
    if (!read_file(input, text))
        return 1;
    std::string bytes;
    std::vector<tvx::Message> messages;
    if (!tvx::build_project(text, checking, bytes, messages)) {
        for (const tvx::Message& message : messages) {
            std::cerr << "tvx: " << input;
            if (message.line > 0)
                std::cerr << ":" << message.line;
            std::cerr << ": " << message.text << "\n";
        }
        return kUsageError;
    }
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush()) {
        std::cerr << "tvx: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}

int dump(const std::string& input) {
    std::string bytes;
    if (!read_file(input, bytes))
        return 1;
    std::string text;
    std::string message;
    if (!tvx::dump_project(bytes, text, message)) {
        std::cerr << "tvx: " << input << ": " << message << "\n";
        return 1;
    }
    std::cout << text << "\n";
    // Data another writer made may hold what `build` refuses: say so once, where it starts.
    std::string rebuilt;
    std::vector<tvx::Message> mistakes;
    if (!tvx::build_project(text, tvx::Checking::Schema, rebuilt, mistakes))
        std::cerr << "tvx: note: " << input << " holds what build refuses (at line "
                  << mistakes[0].line << " of the dump: " << mistakes[0].text
                  << "); build it back with --raw\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::string command = args.empty() ? "" : args[0];
    if (args.size() == 1 && command == "--help") {
        std::cout << kUsage;
        return 0;
    }
    if (args.size() == 1 && command == "--version") {
        std::cout << "tvx " TKL_VERSION "\n";
        return 0;
    }
    if (command == "build" && args.size() == 4 && args[2] == "-o")
        return build(args[1], tvx::Checking::Schema, args[3]);
    if (command == "build" && args.size() == 5 && args[1] == "--raw" && args[3] == "-o")
        return build(args[2], tvx::Checking::Structure, args[4]);
    if (command == "dump" && args.size() == 2)
        return dump(args[1]);
    if (command == "check" && args.size() == 2) {
        std::string bytes;
        if (!read_file(args[1], bytes))
            return 1;
        return tvx::check_project(bytes, args[1], std::cout, std::cerr);
    }
    if (command == "schema" && args.size() == 1) {
        std::cout << tvx::project_schema_text();
        return 0;
    }
    if (!command.empty() && command != "build" && command != "dump" && command != "check" &&
        command != "schema")
        std::cerr << "tvx: unknown command \"" << command << "\"\n";
    std::cerr << kUsage;
    return kUsageError;
}
