#pragma once
// Writes project data in the form the loader reads: for each object the record length, the
// name, the type name, a zero byte, the block length, "ID" (and "ContainedObjects"), then the
// type properties. Header-only, so tests can compose project data with it too.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tvx {

typedef std::vector<std::pair<std::string, std::string>> Pairs;

struct ObjectDescription {
    std::string name;
    std::string type;
    bool withBlock = true;  // false: no object-property block (no identifier, no list)
    Pairs objectProperties; // "ID", "ContainedObjects", in this order
    Pairs typeProperties;
};

inline void put_u32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

inline void put_text(std::string& out, const std::string& text) {
    out += text;
    out += '\0';
}

inline std::string write_pairs(const Pairs& pairs) {
    std::string out;
    for (const auto& pair : pairs) {
        put_text(out, pair.first);
        put_text(out, pair.second);
    }
    return out;
}

// One object record, its length first.
inline std::string write_record(const ObjectDescription& object) {
    std::string body;
    put_text(body, object.name);
    put_text(body, object.type);
    if (object.withBlock) {
        const std::string pairs = write_pairs(object.objectProperties);
        body += '\0';
        put_u32(body, uint32_t(pairs.size() + 4));
        body += pairs;
    }
    body += write_pairs(object.typeProperties);
    std::string record;
    put_u32(record, uint32_t(body.size() + 4));
    return record + body;
}

// The magic, the object count and the records.
inline std::string write_project(const std::vector<ObjectDescription>& objects) {
    std::string out = "tvxp";
    put_u32(out, uint32_t(objects.size()));
    for (const ObjectDescription& object : objects)
        out += write_record(object);
    return out;
}

}  // namespace tvx
