#pragma once
// A JSON Schema checker for the subset the project schema uses: type, enum, const, minimum,
// maximum, minLength, pattern, properties, required, additionalProperties, items,
// prefixItems, minItems, maxItems, allOf, if/then and local $ref; annotations (title,
// description, default, x-unit, x-key, ...) are read by people and editors, not checked. A
// schema that uses anything else is refused whole rather than half checked. "integer" means a
// number written without fraction or exponent (5.0 is refused: the format stores texts).

#include <nlohmann/json.hpp>

#include <map>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace tvx {

typedef nlohmann::ordered_json Json;

struct SchemaFault {
    std::string pointer;  // JSON pointer of the value at fault
    std::string message;  // what is wrong with it, e.g. "99999999 is above the maximum, 10000"
};

class SchemaChecker {
public:
    // Reads the schema; problem() says why it can't be used. May throw std::bad_alloc.
    explicit SchemaChecker(Json schema);

    // Empty when the schema is usable, else the keyword or reference at fault.
    const std::string& problem() const { return problem_; }

    // Every fault of `value`, in document order (none: it conforms).
    std::vector<SchemaFault> check(const Json& value) const;

private:
    void verify(const Json& schema, const std::string& where);
    const Json* resolve(const Json& schema) const;
    bool conforms(const Json& schema, const Json& value) const;
    void check(const Json& schema, const Json& value, const std::string& pointer,
               std::vector<SchemaFault>* faults) const;

    Json root_;
    std::string problem_;
    std::map<std::string, std::shared_ptr<std::regex>> patterns_;
    std::set<const Json*> verified_;  // while reading the schema: the definitions walked
};

// The JSON type name of a value as a schema says it ("integer" for whole numbers).
const char* json_type_name(const Json& value);

}  // namespace tvx
