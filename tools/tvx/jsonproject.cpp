#include "tools/tvx/jsonproject.h"

#include "tkl/project/guidproperties.h"
#include "tkl/project/projectreader.h"

#include <map>
#include <set>

namespace tvx {
namespace {

using tkl::project::PairList;

const char kId[] = "ID";
const char kContained[] = "ContainedObjects";

bool is_guid_text(const std::string& text) {
    GUID guid;
    return !text.empty() && tkl::project::parse_guid_text(text.data(), text.size(), guid);
}

// Every text of the format ends at its first zero byte: one inside would cut it short and shift
// everything after it.
std::string text(const std::string& value, const std::string& where) {
    if (value.find('\0') != std::string::npos)
        throw std::runtime_error(where + ": a text can't hold a zero byte (\\u0000)");
    return value;
}

std::string text(const Json& value, const std::string& where) {
    return text(value.get<std::string>(), where);
}

std::string value_text(const Json& value, const std::string& where) {
    if (value.is_string())
        return text(value, where);
    if (value.is_number_integer())
        return std::to_string(value.get<long long>());
    throw std::runtime_error(where + ": a property value must be a string or an integer");
}

Pairs properties_from_json(const Json& props, const std::string& where) {
    Pairs pairs;
    if (props.is_object()) {
        for (const auto& item : props.items())
            pairs.push_back({text(item.key(), where), value_text(item.value(), where + ", \"" + item.key() + "\"")});
    } else if (props.is_array()) {
        for (const Json& pair : props) {
            if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string())
                throw std::runtime_error(where + ": each pair must be [key, value]");
            pairs.push_back({text(pair[0], where), value_text(pair[1], where)});
        }
    } else if (!props.is_null()) {
        throw std::runtime_error(where + ": properties must be an object or a list of pairs");
    }
    return pairs;
}

std::string required_text(const Json& object, const char* key, const std::string& where) {
    if (!object.contains(key) || !object[key].is_string())
        throw std::runtime_error(where + ": \"" + key + "\" must be a text");
    return text(object[key], where);
}

// A text value as JSON: an integer when it reads back to the same text.
Json json_value(const std::string& text) {
    if (!text.empty() && text.size() < 19 && text.find_first_not_of("-0123456789") == std::string::npos) {
        try {
            const long long n = std::stoll(text);
            if (std::to_string(n) == text)
                return n;
        } catch (const std::exception&) {
        }
    }
    return text;
}

Json json_pairs(const PairList& list) {
    Json pairs = Json::array();
    size_t pos = 0;
    const char* key;
    const char* value;
    while (tkl::project::next_pair(list, pos, key, value))
        pairs.push_back(Json::array({key, json_value(value)}));
    return pairs;
}

}  // namespace

std::string identifier_for_name(const std::string& name) {
    // Two FNV-1a hashes of the name make the 128 bits; version and variant bits mark it as a
    // name-derived identifier.
    auto fnv = [&](uint64_t hash) {
        for (unsigned char c : name)
            hash = (hash ^ c) * 0x100000001B3ull;
        return hash;
    };
    const uint64_t high = fnv(0xCBF29CE484222325ull);
    const uint64_t low = fnv(0x84222325CBF29CE4ull ^ high);
    GUID guid;
    guid.Data1 = uint32_t(high >> 32);
    guid.Data2 = uint16_t(high >> 16);
    guid.Data3 = uint16_t((high & 0x0FFF) | 0x8000);
    for (int i = 0; i < 8; ++i)
        guid.Data4[i] = uint8_t(low >> (56 - 8 * i));
    guid.Data4[0] = uint8_t((guid.Data4[0] & 0x3F) | 0x80);
    char text[tkl::project::kGuidTextSize];
    tkl::project::format_guid_text(guid, text);
    return text;
}

std::vector<ObjectDescription> objects_from_json(const Json& project) {
    if (!project.is_object() || !project.contains("objects") || !project["objects"].is_array())
        throw DescriptionError("the project must be an object with an \"objects\" list", "");
    const Json& objects = project["objects"];

    // First pass: names and identifiers, so that contained names can refer to any object.
    std::vector<ObjectDescription> descriptions;
    std::vector<std::string> ids;
    std::map<std::string, std::string> idByName;
    for (size_t i = 0; i < objects.size(); ++i) try {
        const Json& o = objects[i];
        const std::string where = "object " + std::to_string(i);
        if (!o.is_object())
            throw std::runtime_error(where + ": must be a JSON object");
        ObjectDescription desc;
        desc.name = required_text(o, "name", where);
        const std::string named = where + " \"" + desc.name + "\"";
        desc.type = required_text(o, "type", named);
        desc.typeProperties = properties_from_json(o.value("properties", Json()), named);
        if (o.contains("block") && !o["block"].is_boolean())
            throw std::runtime_error(named + ": \"block\" must be true or false");
        desc.withBlock = o.value("block", true);
        std::string id;
        if (!o.contains("id")) {
            id = identifier_for_name(desc.name);
        } else if (o["id"].is_string()) {
            id = text(o["id"], named);
        } else if (!o["id"].is_null()) {
            throw std::runtime_error(named + ": \"id\" must be a GUID text or null");
        }
        if (!desc.withBlock && (o.contains("id") || o.contains("contains") || o.contains("objectProperties")))
            throw std::runtime_error(named + ": an object without a block has no id or contained objects");
        if (o.contains("objectProperties") && (o.contains("id") || o.contains("contains")))
            throw std::runtime_error(named + ": \"objectProperties\" replaces \"id\" and \"contains\"");
        // Without the block, a first pair with an empty key would read as the block's zero byte.
        if (!desc.withBlock && !desc.typeProperties.empty() && desc.typeProperties[0].first.empty())
            throw std::runtime_error(named + ": without a block the first property key can't be empty");
        if (!desc.withBlock)
            id.clear();
        if (o.contains("objectProperties"))
            id.clear();
        idByName.emplace(desc.name, id);  // the first object of a name
        ids.push_back(id);
        descriptions.push_back(desc);
    } catch (const std::runtime_error& e) {
        throw DescriptionError(e.what(), "/objects/" + std::to_string(i));
    }

    for (size_t i = 0; i < objects.size(); ++i) try {
        const Json& o = objects[i];
        ObjectDescription& desc = descriptions[i];
        const std::string named = "object " + std::to_string(i) + " \"" + desc.name + "\"";
        if (!desc.withBlock)
            continue;
        if (o.contains("objectProperties")) {
            desc.objectProperties = properties_from_json(o["objectProperties"], named);
            continue;
        }
        if (o.contains("id") && o["id"].is_null()) {
            // No identifier pair at all.
        } else {
            desc.objectProperties.push_back({kId, ids[i]});
        }
        if (!o.contains("contains"))
            continue;
        const Json& contains = o["contains"];
        std::string list;
        if (contains.is_string()) {
            list = text(contains, named);
        } else if (contains.is_array()) {
            for (size_t k = 0; k < contains.size(); ++k) {
                if (!contains[k].is_string())
                    throw std::runtime_error(named + ": contained objects are names or GUID texts");
                std::string piece = text(contains[k], named);
                if (!is_guid_text(piece)) {
                    auto found = idByName.find(piece);
                    if (found == idByName.end())
                        throw std::runtime_error(named + ": contains \"" + piece + "\", which is no object's name");
                    if (found->second.empty())
                        throw std::runtime_error(named + ": contains \"" + piece + "\", which has no identifier");
                    piece = found->second;
                }
                list += (k ? ";" : "") + piece;
            }
        } else {
            throw std::runtime_error(named + ": \"contains\" must be a list or a text");
        }
        desc.objectProperties.push_back({kContained, list});
    } catch (const std::runtime_error& e) {
        throw DescriptionError(e.what(), "/objects/" + std::to_string(i));
    }
    return descriptions;
}

Json json_from_project(const std::string& bytes) {
    tkl::project::ProjectReader reader(bytes.data(), bytes.size());
    LONG count = 0;
    auto fail = [&]() {
        const tkl::project::ReadFailure& f = reader.failure();
        std::string where = f.object < 0 ? "header" : "object " + std::to_string(f.object);
        if (f.name)
            where += " \"" + std::string(f.name) + "\"";
        throw std::runtime_error(where + " at byte " + std::to_string(f.offset) + ": " + f.reason);
    };
    if (!reader.read_header(count))
        fail();
    Json objects = Json::array();
    for (LONG i = 0; i < count; ++i) {
        tkl::project::ObjectRecordView record;
        if (!reader.read_record(record))
            fail();
        Json o;
        o["name"] = record.name;
        o["type"] = record.type;
        if (!record.hasBlock) {
            o["block"] = false;
        } else {
            // The usual block, "ID" then "ContainedObjects", reads as fields; any other as pairs.
            Json pairs = json_pairs(record.objectProperties);
            const bool usual = pairs.empty() ||
                               ((pairs.size() == 1 || pairs.size() == 2) && pairs[0][0] == kId &&
                                pairs[0][1].is_string() &&
                                (pairs.size() == 1 || (pairs[1][0] == kContained && pairs[1][1].is_string())));
            if (!usual) {
                o["objectProperties"] = pairs;
            } else if (pairs.empty()) {
                o["id"] = nullptr;
            } else {
                o["id"] = pairs[0][1];
                if (pairs.size() == 2) {
                    const std::string list = pairs[1][1].get<std::string>();
                    Json pieces = Json::array();
                    std::string rebuilt;
                    size_t start = 0;
                    bool clean = true;
                    while (true) {
                        const size_t end = list.find(';', start);
                        const std::string piece = list.substr(start, end == std::string::npos ? end : end - start);
                        clean = clean && is_guid_text(piece);
                        pieces.push_back(piece);
                        if (end == std::string::npos)
                            break;
                        start = end + 1;
                    }
                    o["contains"] = clean ? pieces : Json(list);
                }
            }
        }
        Json props = json_pairs(record.typeProperties);
        std::set<std::string> keys;
        bool repeated = false;
        for (const Json& pair : props)
            repeated = repeated || !keys.insert(pair[0].get<std::string>()).second;
        if (repeated) {
            o["properties"] = props;
        } else {
            Json map = Json::object();
            for (const Json& pair : props)
                map[pair[0].get<std::string>()] = pair[1];
            o["properties"] = map;
        }
        objects.push_back(o);
    }
    Json project;
    project["objects"] = objects;
    return project;
}

}  // namespace tvx
