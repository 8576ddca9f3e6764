#pragma once
// The readable form of a project: JSON objects with a name, a type, an optional identifier,
// the contained objects by name or identifier, and the type properties.
//
//   {"objects": [
//     {"name": "Bump", "type": "Jolt", "properties": {"Magnitude": 8000}},
//     {"name": "Both", "type": "Compound", "id": "{...}", "contains": ["Bump", "{...}"]}]}
//
// "id": absent gives an identifier derived from the name (stable across builds), null gives
// none. "contains": an array of names and identifiers, or one raw text used as written.
// "properties": an object, or an array of [key, value] pairs (order and repeats kept). Rarer
// records: "block": false (no object-property block at all), "objectProperties": the block's
// pairs as written, in place of "id" and "contains".

#include "tools/tvx/projectwriter.h"

#include <nlohmann/json.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace tvx {

typedef nlohmann::ordered_json Json;

// A mistake of a description: the message names the object; `pointer` is where it stands.
class DescriptionError : public std::runtime_error {
public:
    DescriptionError(const std::string& message, std::string pointer)
        : std::runtime_error(message), pointer_(std::move(pointer)) {}
    const std::string& pointer() const { return pointer_; }

private:
    std::string pointer_;
};

// The objects of a readable project, identifiers and contained names resolved. Throws
// DescriptionError naming the object at fault.
std::vector<ObjectDescription> objects_from_json(const Json& project);

// The readable form of the records of project data (what `tvx dump` prints); it builds back to
// the same bytes (bytes after the last record are not kept). Throws std::runtime_error for
// malformed data, naming the object and the byte offset.
Json json_from_project(const std::string& bytes);

// The identifier a name gets when the description gives none.
std::string identifier_for_name(const std::string& name);

}  // namespace tvx
