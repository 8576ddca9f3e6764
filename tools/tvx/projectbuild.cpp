#include "tools/tvx/projectbuild.h"

#include "tools/tvx/jsonlines.h"
#include "tools/tvx/jsonproject.h"
#include "tools/tvx/schemacheck.h"

#include <algorithm>
#include <map>
#include <new>

namespace tvx {
namespace {

const size_t kMostMessages = 100;

struct Fault {
    std::string pointer;
    std::string text;
};

// The checker of the embedded schema, read once.
const SchemaChecker& project_checker() {
    static const SchemaChecker checker(Json::parse(project_schema_text()));
    return checker;
}

bool is_index(const std::string& token) {
    return !token.empty() && token.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> tokens(const std::string& pointer) {
    std::vector<std::string> out;
    size_t at = 0;
    while (at < pointer.size()) {
        const size_t next = pointer.find('/', at + 1);
        out.push_back(last_token(pointer.substr(at, next == std::string::npos ? next : next - at)));
        at = next == std::string::npos ? pointer.size() : next;
    }
    return out;
}

// What a fault's pointer names, as a message starts: object 3 "Click", "Magnitude"
std::string place(const Json& project, const std::string& pointer) {
    const std::vector<std::string> t = tokens(pointer);
    std::string out;
    size_t next = 0;
    if (t.size() >= 2 && t[0] == "objects" && is_index(t[1])) {
        out = "object " + t[1];
        const Json::json_pointer at("/objects/" + t[1]);
        if (project.contains(at)) {
            const Json& object = project.at(at);
            if (object.is_object() && object.contains("name") && object["name"].is_string())
                out += " " + Json(object["name"]).dump();
        }
        next = 2;
        // The keys of a type speak for themselves.
        if (t.size() > 3 && t[2] == "properties" && !is_index(t[3]))
            next = 3;
    }
    for (size_t i = next; i < t.size(); ++i)
        out += (out.empty() ? "" : is_index(t[i]) ? " " : ", ") +
               (is_index(t[i]) ? "item " + t[i] : Json(t[i]).dump());
    return out.empty() ? "the project" : out;
}

// Names given twice: the schema can't say it. Objects without a usable name are the schema's.
void name_faults(const Json& project, std::vector<Fault>& faults) {
    if (!project.is_object() || !project.contains("objects") || !project["objects"].is_array())
        return;
    std::map<std::string, size_t> first;
    const Json& objects = project["objects"];
    for (size_t i = 0; i < objects.size(); ++i) {
        const Json& object = objects[i];
        if (!object.is_object() || !object.contains("name") || !object["name"].is_string() ||
            object["name"].get_ref<const std::string&>().empty())
            continue;
        auto found = first.emplace(object["name"].get<std::string>(), i);
        if (!found.second)
            faults.push_back({"/objects/" + std::to_string(i) + "/name",
                              "also the name of object " + std::to_string(found.first->second) +
                                  ": only the first could be played by name"});
    }
}

// The line of a parse error from its byte position.
int line_at(const std::string& text, size_t byte) {
    const size_t end = std::min(byte ? byte - 1 : 0, text.size());
    return 1 + int(std::count(text.begin(), text.begin() + std::ptrdiff_t(end), '\n'));
}

bool build(const std::string& text, Checking checking, std::string& bytes,
           std::vector<Message>& messages) {
    Json project;
    try {
        project = Json::parse(text);
    } catch (const Json::parse_error& e) {
        std::string what = e.what();
        const size_t column = what.find(", column ");
        const size_t colon = column == std::string::npos ? column : what.find(": ", column);
        messages.push_back({line_at(text, e.byte),
                            "not JSON: " + (colon == std::string::npos ? what : what.substr(colon + 2))});
        return false;
    }
    JsonLines lines;
    lines.index(text);
    std::vector<Fault> faults;
    for (const RepeatedKey& repeat : lines.repeated())
        faults.push_back({repeat.pointer, "given twice (first on line " +
                                              std::to_string(repeat.firstLine) + "), so one would be lost"});
    if (checking == Checking::Schema) {
        for (const SchemaFault& fault : project_checker().check(project))
            faults.push_back({fault.pointer, fault.message});
        name_faults(project, faults);
    }
    if (faults.empty()) {
        try {
            bytes = write_project(objects_from_json(project));
            return true;
        } catch (const DescriptionError& e) {
            messages.push_back({lines.line(e.pointer()), e.what()});
            return false;
        }
    }
    std::vector<Message> found;
    for (const Fault& fault : faults)
        found.push_back({lines.line(fault.pointer), place(project, fault.pointer) + ": " + fault.text});
    std::stable_sort(found.begin(), found.end(),
                     [](const Message& a, const Message& b) { return a.line < b.line; });
    if (found.size() > kMostMessages) {
        const size_t more = found.size() - (kMostMessages - 1);
        found.resize(kMostMessages - 1);
        found.push_back({0, "and " + std::to_string(more) + " more"});
    }
    messages.insert(messages.end(), found.begin(), found.end());
    return false;
}

}  // namespace

bool build_project(const std::string& text, Checking checking, std::string& bytes,
                   std::vector<Message>& messages) {
    try {
        return build(text, checking, bytes, messages);
    } catch (const std::bad_alloc&) {
        messages.push_back({0, "out of memory"});
    } catch (const std::exception& e) {
        messages.push_back({0, e.what()});
    }
    return false;
}

bool dump_project(const std::string& bytes, std::string& text, std::string& message) {
    try {
        text = json_from_project(bytes).dump(2);
        return true;
    } catch (const std::bad_alloc&) {
        message = "out of memory";
    } catch (const std::exception& e) {
        message = e.what();
    }
    return false;
}

}  // namespace tvx
