#pragma once
// Project data from its readable JSON form and back, with every mistake of the text reported
// by line: the entry points of the tvx core, text in and bytes or messages out. They touch no
// file and no stream, and no exception leaves them.

#include <string>
#include <vector>

namespace tvx {

struct Message {
    int line;          // from 1; 0 when the text has no place for it
    std::string text;  // e.g. object 3 "Click", "Magnitude": 99999999 is above the maximum, 10000
};

enum class Checking {
    Schema,     // every type, key, value, name and repeated key against the project schema
    Structure,  // only what the format itself needs: writes any description `tvx dump` printed
};

// Builds project data from a description. True with `bytes`; false with `messages`, the
// mistakes in the order of the text (at most 100, the last saying how many more).
bool build_project(const std::string& text, Checking checking, std::string& bytes,
                   std::vector<Message>& messages);

// The readable form of project data (two-space indented JSON, no final newline): true with
// `text`; false with the reason in `message`, naming the object and the byte offset.
bool dump_project(const std::string& bytes, std::string& text, std::string& message);

// The project schema, as embedded in the build.
const char* project_schema_text();

}  // namespace tvx
