#include "tools/tvx/schemacheck.h"

#include "tools/tvx/jsonlines.h"

#include <cstdint>
#include <set>

namespace tvx {
namespace {

const std::set<std::string> kChecked = {
    "type", "enum", "const", "minimum", "maximum", "minLength", "pattern", "properties",
    "required", "additionalProperties", "items", "prefixItems", "minItems", "maxItems",
    "allOf", "if", "then", "$ref"};
const std::set<std::string> kAnnotations = {
    "$schema", "$id", "$defs", "$comment", "title", "description", "default", "examples",
    "x-unit", "x-key"};

// How a message names a type.
std::string type_words(const std::string& type) {
    if (type == "string")
        return "a text";
    if (type == "integer")
        return "an integer";
    if (type == "number")
        return "a number";
    if (type == "boolean")
        return "true or false";
    if (type == "null")
        return "null";
    if (type == "array")
        return "a list";
    return "an object";
}

std::string shown(const Json& value) {
    std::string text = value.dump();
    if (text.size() > 40)
        text = text.substr(0, 37) + "...";
    return text;
}

bool has_type(const Json& value, const std::string& type) {
    if (type == "number")
        return value.is_number();
    if (type == "integer")
        return value.is_number_integer();
    return type == json_type_name(value);
}

// Whole numbers compare exactly, those past the signed range included.
bool below(const Json& value, const Json& bound) {
    if (value.is_number_integer() && bound.is_number_integer()) {
        const bool valueBig = value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(INT64_MAX);
        const bool boundBig = bound.is_number_unsigned() && bound.get<uint64_t>() > uint64_t(INT64_MAX);
        if (valueBig || boundBig)
            return boundBig && (!valueBig || value.get<uint64_t>() < bound.get<uint64_t>());
        return value.get<int64_t>() < bound.get<int64_t>();
    }
    return value.get<double>() < bound.get<double>();
}

}  // namespace

const char* json_type_name(const Json& value) {
    switch (value.type()) {
    case Json::value_t::null: return "null";
    case Json::value_t::boolean: return "boolean";
    case Json::value_t::string: return "string";
    case Json::value_t::array: return "array";
    case Json::value_t::object: return "object";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned: return "integer";
    default: return "number";
    }
}

SchemaChecker::SchemaChecker(Json schema) : root_(std::move(schema)) {
    verify(root_, "");
    verified_.clear();
}

// Walks every schema reachable from the root, once per reference.
void SchemaChecker::verify(const Json& schema, const std::string& where) {
    if (!problem_.empty())
        return;
    if (schema.is_boolean())
        return;
    if (!schema.is_object()) {
        problem_ = where + ": a schema must be an object or a boolean";
        return;
    }
    for (const auto& item : schema.items()) {
        const std::string& key = item.key();
        const Json& value = item.value();
        const std::string at = where + "/" + pointer_token(key);
        if (kAnnotations.count(key))
            continue;
        if (!kChecked.count(key)) {
            problem_ = at + ": keyword not supported";
            return;
        }
        if (key == "properties") {
            for (const auto& property : value.items())
                verify(property.value(), at + "/" + pointer_token(property.key()));
        } else if (key == "items" || key == "additionalProperties" || key == "if" || key == "then") {
            verify(value, at);
        } else if (key == "allOf" || key == "prefixItems") {
            for (size_t i = 0; i < value.size(); ++i)
                verify(value[i], at + "/" + std::to_string(i));
        } else if (key == "pattern") {
            if (!value.is_string() || patterns_.count(value.get<std::string>()))
                continue;
            try {
                patterns_[value.get<std::string>()] = std::make_shared<std::regex>(value.get<std::string>());
            } catch (const std::regex_error&) {
                problem_ = at + ": not a regular expression";
            }
        } else if (key == "$ref") {
            const Json* target = resolve(schema);
            if (!target) {
                problem_ = at + ": no such definition";
                return;
            }
            if (verified_.insert(target).second)
                verify(*target, value.get<std::string>());
        }
    }
}

const Json* SchemaChecker::resolve(const Json& schema) const {
    const Json& ref = schema["$ref"];
    if (!ref.is_string() || ref.get<std::string>().rfind("#/", 0) != 0)
        return nullptr;
    try {
        const Json::json_pointer pointer(ref.get<std::string>().substr(1));
        return root_.contains(pointer) ? &root_.at(pointer) : nullptr;
    } catch (const Json::exception&) {
        return nullptr;
    }
}

std::vector<SchemaFault> SchemaChecker::check(const Json& value) const {
    std::vector<SchemaFault> faults;
    if (problem_.empty())
        check(root_, value, "", &faults);
    else
        faults.push_back({"", "the schema can't be used: " + problem_});
    return faults;
}

bool SchemaChecker::conforms(const Json& schema, const Json& value) const {
    std::vector<SchemaFault> faults;
    check(schema, value, "", &faults);
    return faults.empty();
}

// Records the faults of `value` against `schema`; the keywords of one schema are checked in
// the order that gives the most useful first message (the type before its ranges).
void SchemaChecker::check(const Json& schema, const Json& value, const std::string& pointer,
                          std::vector<SchemaFault>* faults) const {
    if (schema.is_boolean()) {
        if (!schema.get<bool>())
            faults->push_back({pointer, "is not allowed here"});
        return;
    }
    auto fault = [&](const std::string& message) { faults->push_back({pointer, message}); };
    if (schema.contains("$ref")) {
        check(*resolve(schema), value, pointer, faults);
    }
    if (schema.contains("type")) {
        const Json& type = schema["type"];
        const Json types = type.is_array() ? type : Json::array({type});
        bool ok = false;
        std::string words;
        for (size_t i = 0; i < types.size(); ++i) {
            ok = ok || has_type(value, types[i].get<std::string>());
            words += (i == 0 ? "" : i + 1 == types.size() ? " or " : ", ") + type_words(types[i].get<std::string>());
        }
        if (!ok) {
            fault("must be " + words + ", not " + type_words(json_type_name(value)) + " (" + shown(value) + ")");
            return;
        }
    }
    if (schema.contains("enum")) {
        bool found = false;
        std::string list;
        for (const Json& option : schema["enum"]) {
            found = found || option == value;
            list += (list.empty() ? "" : ", ") + option.dump();
        }
        if (!found) {
            fault(shown(value) + " is none of " + list);
            return;
        }
    }
    if (schema.contains("const") && schema["const"] != value) {
        fault("must be " + schema["const"].dump());
        return;
    }
    if (value.is_number()) {
        if (schema.contains("minimum") && below(value, schema["minimum"]))
            fault(shown(value) + " is below the minimum, " + schema["minimum"].dump());
        if (schema.contains("maximum") && below(schema["maximum"], value))
            fault(shown(value) + " is above the maximum, " + schema["maximum"].dump());
    }
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (schema.contains("minLength") && text.size() < schema["minLength"].get<size_t>())
            fault(schema["minLength"].get<size_t>() == 1 ? std::string("must not be empty")
                                                         : "must have at least " + schema["minLength"].dump() + " characters");
        if (schema.contains("pattern") &&
            !std::regex_search(text, *patterns_.at(schema["pattern"].get<std::string>())))
            fault(shown(value) + " does not match " + schema["pattern"].get<std::string>());
    }
    if (value.is_object()) {
        if (schema.contains("required"))
            for (const Json& name : schema["required"])
                if (!value.contains(name.get<std::string>()))
                    fault("lacks " + name.dump());
        const Json* properties = schema.contains("properties") ? &schema["properties"] : nullptr;
        for (const auto& item : value.items()) {
            const std::string at = pointer + "/" + pointer_token(item.key());
            if (properties && properties->contains(item.key())) {
                check((*properties)[item.key()], item.value(), at, faults);
            } else if (schema.contains("additionalProperties")) {
                const Json& extra = schema["additionalProperties"];
                if (extra.is_boolean() && !extra.get<bool>()) {
                    std::string keys;
                    if (properties)
                        for (const auto& known : properties->items())
                            keys += (keys.empty() ? "" : ", ") + Json(known.key()).dump();
                    faults->push_back({at, keys.empty() ? "unknown key: this object takes no keys"
                                                        : "unknown key, not one of " + keys});
                } else {
                    check(extra, item.value(), at, faults);
                }
            }
        }
    }
    if (value.is_array()) {
        if (schema.contains("minItems") && value.size() < schema["minItems"].get<size_t>())
            fault("must have at least " + schema["minItems"].dump() + " items");
        if (schema.contains("maxItems") && value.size() > schema["maxItems"].get<size_t>())
            fault("must have at most " + schema["maxItems"].dump() + " items");
        size_t first = 0;
        if (schema.contains("prefixItems")) {
            const Json& prefix = schema["prefixItems"];
            for (; first < prefix.size() && first < value.size(); ++first)
                check(prefix[first], value[first], pointer + "/" + std::to_string(first), faults);
        }
        if (schema.contains("items"))
            for (size_t i = first; i < value.size(); ++i)
                check(schema["items"], value[i], pointer + "/" + std::to_string(i), faults);
    }
    if (schema.contains("allOf"))
        for (const Json& part : schema["allOf"])
            check(part, value, pointer, faults);
    if (schema.contains("if") && schema.contains("then") && conforms(schema["if"], value))
        check(schema["then"], value, pointer, faults);
}

}  // namespace tvx
