// The tvx core: the schema checker's keywords, the lines of a JSON text, and the project
// schema held against what the library's builders read.
#include "tkl/project/tvx.h"
#include "tools/tvx/effectdescription.h"
#include "tools/tvx/jsonlines.h"
#include "tools/tvx/projectbuild.h"
#include "tools/tvx/schemacheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tvx::Json;

std::string faults_of(const char* schema, const char* value) {
    const tvx::SchemaChecker checker(Json::parse(schema));
    EXPECT_EQ(checker.problem(), "") << schema;
    std::string out;
    for (const tvx::SchemaFault& fault : checker.check(Json::parse(value)))
        out += (out.empty() ? "" : "|") + fault.pointer + " " + fault.message;
    return out;
}

TEST(SchemaChecker, KeywordsOfTheSubset) {
    struct Row {
        const char* schema;
        const char* value;
        const char* faults;
    } rows[] = {
        {R"({"type": ["string", "null"]})", "null", ""},
        {R"({"type": ["string", "null"]})", "5", " must be a text or null, not an integer (5)"},
        {R"({"type": "integer"})", "5.0", " must be an integer, not a number (5.0)"},
        {R"({"enum": ["a", "b"]})", R"("c")", R"( "c" is none of "a", "b")"},
        {R"({"const": 3})", "4", " must be 3"},
        {R"({"minimum": -1, "maximum": 10})", "-2", " -2 is below the minimum, -1"},
        {R"({"minimum": -1, "maximum": 10})", "10", ""},
        // Past the signed 64-bit range, compared exactly.
        {R"({"maximum": 10})", "18446744073709551615", " 18446744073709551615 is above the maximum, 10"},
        {R"({"minimum": 0})", "-9223372036854775808", " -9223372036854775808 is below the minimum, 0"},
        {R"({"minLength": 1})", R"("")", " must not be empty"},
        {R"({"pattern": "^[0-9]+$"})", R"("12a")", R"( "12a" does not match ^[0-9]+$)"},
        {R"({"required": ["a"], "properties": {"b": {"type": "integer"}}, "additionalProperties": false})",
         R"({"b": "x", "c/d": 1})",
         R"( lacks "a"|/b must be an integer, not a text ("x")|/c~1d unknown key, not one of "b")"},
        {R"({"prefixItems": [{"type": "string"}], "items": {"type": "integer"}, "minItems": 2, "maxItems": 3})",
         R"([1, "x", 2, 3])",
         R"( must have at most 3 items|/0 must be a text, not an integer (1)|/1 must be an integer, not a text ("x"))"},
        {R"({"allOf": [{"if": {"properties": {"k": {"const": 1}}, "required": ["k"]},
                        "then": {"properties": {"v": {"maximum": 5}}}}]})",
         R"({"k": 1, "v": 6})", "/v 6 is above the maximum, 5"},
        {R"({"allOf": [{"if": {"properties": {"k": {"const": 1}}, "required": ["k"]},
                        "then": {"properties": {"v": {"maximum": 5}}}}]})",
         R"({"k": 2, "v": 6})", ""},
        {R"({"$defs": {"n": {"type": "integer"}}, "items": {"$ref": "#/$defs/n"}})", R"([1, true])",
         "/1 must be an integer, not true or false (true)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(faults_of(row.schema, row.value), row.faults) << row.schema << " on " << row.value;
}

TEST(SchemaChecker, RefusesASchemaItCannotCheckWhole) {
    for (const char* schema : {R"({"oneOf": [{"type": "string"}]})",
                               R"({"properties": {"a": {"$ref": "#/$defs/missing"}}})",
                               R"({"pattern": "("})"}) {
        const tvx::SchemaChecker checker(Json::parse(schema));
        EXPECT_NE(checker.problem(), "") << schema;
        EXPECT_EQ(checker.check(Json::parse("1")).size(), 1u) << schema;
    }
}

TEST(JsonLines, KeysItemsAndRepeats) {
    const std::string text =
        "{\n"
        "  \"a/b\": 12,\n"
        "  \"list\": [\n"
        "    7,\n"
        "    {\"x~\": true}],\n"
        "  \"a/b\": 13\n"
        "}\n";
    tvx::JsonLines lines;
    ASSERT_TRUE(lines.index(text));
    EXPECT_EQ(lines.line(""), 1);
    EXPECT_EQ(lines.line("/a~1b"), 2);
    // A number that ends its line: the parser has read the line end already.
    EXPECT_EQ(lines.line("/list/0"), 4);
    EXPECT_EQ(lines.line("/list/1/x~0"), 5);
    EXPECT_EQ(lines.line("/list/1/missing"), 5);
    ASSERT_EQ(lines.repeated().size(), 1u);
    EXPECT_EQ(lines.repeated()[0].pointer, "/a~1b");
    EXPECT_EQ(lines.repeated()[0].firstLine, 2);
    EXPECT_FALSE(lines.index("{\"a\": }"));
}

// One object of `type` with `properties`, built and loaded: its effect records as text.
std::string effects_of(const std::string& type, const Json& properties) {
    Json object = {{"name", "O"}, {"type", type}, {"properties", properties}};
    const Json project = {{"objects", Json::array({object})}};
    std::string bytes;
    std::vector<tvx::Message> messages;
    if (!tvx::build_project(project.dump(), tvx::Checking::Schema, bytes, messages))
        return "refused: " + messages[0].text;
    HTVXPROJECT loaded = TVXLoadProjectPointerSized(bytes.data(), DWORD(bytes.size()), nullptr);
    if (!loaded)
        return "not loaded";
    int count = 0;
    TVXEffect** effects = TVXCreateEffectStructsByIndex(loaded, 0, &count);
    std::string out = std::to_string(count) + " effects";
    for (int i = 0; i < count; ++i)
        out += "; " + tvx::describe_effect(*effects[i]);
    TVXReleaseEffectStructs(loaded, effects);
    TVXReleaseProject(loaded);
    return out;
}

// Every type the schema lists makes effects, and every key it allows a type changes them: a
// key the builders ignore, or a type they don't know, would be a promise the schema breaks.
// Its range ends are accepted.
TEST(ProjectSchema, EveryTypeAndKeyIsOneTheBuildersRead) {
    const Json schema = Json::parse(tvx::project_schema_text());
    EXPECT_EQ(tvx::SchemaChecker(schema).problem(), "");
    // Keys some builders read only beside another.
    const std::vector<std::pair<std::string, Json>> context = {
        {"Direction", {{"Axes", 3}}},
        {"InfiniteDuration", {{"Duration", 1000}}},
    };
    const Json& types = schema["$defs"]["types"];
    ASSERT_EQ(types.size(), 17u);
    for (const auto& type : types.items()) {
        const Json& keys = type.value()["properties"];
        if (type.key() == "Compound") {
            EXPECT_TRUE(keys.empty());
            continue;
        }
        EXPECT_NE(effects_of(type.key(), Json::object()).rfind("0 effects", 0), 0u) << type.key();
        for (const auto& key : keys.items()) {
            Json base = Json::object();
            for (const auto& extra : context)
                if (extra.first == key.key() && keys.contains(extra.second.begin().key()))
                    base = extra.second;
            if (key.key().back() == '2')
                base = {{"Axes", 2}};
            if (type.key() == "Force Profile" && key.key() == "Magnitude")
                base = {{"InfiniteDuration", 1}};  // its only use: the level it never fades from
            const Json& range = schema.at(Json::json_pointer(key.value()["$ref"].get<std::string>().substr(1)));
            const std::string plain = effects_of(type.key(), base);
            for (const char* end : {"minimum", "maximum"}) {
                Json props = base;
                props[key.key()] = range[end];
                const std::string changed = effects_of(type.key(), props);
                EXPECT_EQ(changed.find("refused"), std::string::npos) << changed;
                if (range[end] != range["default"]) {
                    EXPECT_NE(changed, plain) << type.key() << " ignores " << key.key() << " " << range[end];
                }
            }
        }
    }
}

}  // namespace
