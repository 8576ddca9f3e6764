// How the loader reads the texts of project data: GUID digits, numbers, pair lists of any
// length and layout, names around the widths the reader scans at once, members of compounds
// in large projects. Each case is checked against what the format says, computed here
// character by character.
#include "tests/project/projecttest.h"
#include "tkl/project/guidproperties.h"
#include "tkl/project/tvxproject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace {

using namespace projecttest;

const char kGuidText[] = "{5959DF71-2911-11D1-B049-0020AF30269A}";

bool is_digit_position(int at) {
    return at != 0 && at != 9 && at != 14 && at != 19 && at != 24 && at != 37;
}

int hex_value(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The GUID of a braced text of valid form, digit by digit.
GUID expected_guid(const std::string& text) {
    std::vector<int> digits;
    for (int at = 0; at < 38; ++at)
        if (is_digit_position(at))
            digits.push_back(hex_value(static_cast<unsigned char>(text[size_t(at)])));
    auto number = [&](size_t from, size_t count) {
        uint32_t v = 0;
        for (size_t i = 0; i < count; ++i)
            v = v << 4 | uint32_t(digits[from + i]);
        return v;
    };
    GUID g;
    g.Data1 = number(0, 8);
    g.Data2 = uint16_t(number(8, 4));
    g.Data3 = uint16_t(number(12, 4));
    for (size_t i = 0; i < 8; ++i)
        g.Data4[i] = uint8_t(number(16 + 2 * i, 2));
    return g;
}

TEST(GuidText, EveryByteAtEveryPosition) {
    for (int at = 0; at < 38; ++at) {
        for (int byte = 0; byte < 256; ++byte) {
            std::string text = kGuidText;
            text[size_t(at)] = char(byte);
            const bool valid = is_digit_position(at) ? hex_value(static_cast<unsigned char>(byte)) >= 0
                                                     : byte == kGuidText[at];
            GUID parsed;
            std::memset(&parsed, 0x5A, sizeof parsed);
            const bool ok = tkl::project::parse_guid_text(text.data(), text.size(), parsed);
            ASSERT_EQ(ok, valid) << "byte " << byte << " at " << at;
            const GUID expected = valid ? expected_guid(text) : GUID{};
            ASSERT_TRUE(IsEqualGUID(parsed, expected)) << "byte " << byte << " at " << at;
        }
    }
}

// The effects of a one-object project loaded from an exactly sized heap copy of its bytes: the
// object's type properties end the data, so a read past them shows under a memory checker.
std::vector<std::string> build_exact(const tvx::ObjectDescription& desc) {
    const std::string bytes = tvx::write_project({desc});
    std::unique_ptr<char[]> copy(new char[bytes.size()]);
    std::memcpy(copy.get(), bytes.data(), bytes.size());
    Project project(TVXLoadProjectPointerSized(copy.get(), DWORD(bytes.size()), nullptr));
    if (!project)
        return {"load failed"};
    return Effects(project.get(), 0).describe();
}

std::vector<std::string> build_exact(const std::string& type, const tvx::Pairs& props) {
    return build_exact(object("X", type, props));
}

// Unknown pairs that fill exactly `bytes` bytes (not 1) of a list.
tvx::Pairs filler(size_t bytes) {
    tvx::Pairs pairs;
    for (int n = 0; bytes > 0; ++n) {
        const std::string key = "Pad" + std::to_string(n);
        if (bytes < key.size() + 2) {
            pairs.push_back({std::string(bytes - 2, 'k'), ""});
            break;
        }
        size_t valueLength = std::min<size_t>(40, bytes - key.size() - 2);
        if (bytes - key.size() - 2 - valueLength == 1)
            --valueLength;  // no pair fills a single byte
        pairs.push_back({key, std::string(valueLength, 'v')});
        bytes -= key.size() + 2 + valueLength;
    }
    return pairs;
}

// atol as the format reads numbers: white space, a sign, digits; saturating at 32 bits.
LONG reference_number(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = std::min(v * 10 + (text[i] - '0'), 1LL << 32);
    v = negative ? -v : v;
    return LONG(std::max<long long>(INT32_MIN, std::min<long long>(INT32_MAX, v)));
}

// The gain a jolt with these type properties gets.
std::string gain_of(const tvx::Pairs& props) {
    const std::vector<std::string> built = build_exact("Jolt", props);
    if (built.size() != 1)
        return "no effect";
    const size_t at = built[0].find("gain=");
    return built[0].substr(at + 5, built[0].find(' ', at) - at - 5);
}

TEST(NumberReading, EveryLengthSignAndPlaceInTheList) {
    const char* texts[] = {"0", "7", "42", "123", "4567", "98765", "123456", "7654321", "12345678",
                           "99999999", "100000000", "00000012", "2147483647", "2147483648",
                           "99999999999", "-5", "+5", "-99999999", "-2147483648", "-2147483649",
                           "- 5", " 5", "\t\n12", "5x", "1234567x", "x5", "", "-", "+", "--5"};
    const tvx::Pairs padding = {{"Unknown", "1"}, {"Other", "abc"}};
    for (const char* text : texts) {
        const std::string expected = std::to_string(reference_number(text));
        // "Gain" is short: its value may lie within a word of the list's start, or at its end.
        // Lists of every length just after it: the digits are read as the word beginning or
        // ending with them, whichever lies inside the list.
        const tvx::Pairs::value_type gain = {"Gain", text};
        std::vector<tvx::Pairs> places = {{gain},
                                          {padding[0], padding[1], gain},
                                          {padding[0], gain, padding[1]}};
        for (size_t after = 2; after <= 12; ++after) {
            places.push_back(filler(after));
            places.back().insert(places.back().begin(), gain);
        }
        for (const tvx::Pairs& props : places)
            EXPECT_EQ(gain_of(props), expected) << "value \"" << text << "\" in " << props.size()
                                                << " pairs";
    }
}

TEST(PairLists, PairsAtAnyOffsetOfLongLists) {
    // The wanted pair, and a second of the same key that must lose, begin at every offset around
    // the reader's word and span widths and past the bytes whose ends it keeps.
    for (size_t before : {0u, 2u, 7u, 8u, 15u, 16u, 17u, 63u, 64u, 500u, 505u, 509u, 511u, 512u,
                          513u, 520u, 3000u}) {
        tvx::Pairs props = filler(before);
        props.push_back({"Magnitude", "1234"});
        props.push_back({"Magnitude", "99"});
        const std::vector<std::string> built = build_exact("Jolt", props);
        ASSERT_EQ(built.size(), 1u) << before << " bytes before";
        EXPECT_NE(built[0].find("block=1234"), std::string::npos) << before << " bytes before: "
                                                                  << built[0];
    }
}

TEST(PairLists, RunsOfEmptyTexts) {
    // Pairs of two empty texts: sixteen ends in one span.
    for (size_t empties : {1u, 7u, 8u, 9u, 100u, 300u}) {
        tvx::Pairs props(empties, {"", ""});
        props.push_back({"Magnitude", "77"});
        props.insert(props.begin() + long(empties / 2), {"", "x"});
        const std::vector<std::string> built = build_exact("Jolt", props);
        ASSERT_EQ(built.size(), 1u) << empties;
        EXPECT_NE(built[0].find("block=77"), std::string::npos) << empties << ": " << built[0];
    }
    // One text more: the list is not whole pairs, and the load says where the lone key begins.
    for (size_t empties : {0u, 5u, 8u, 300u}) {
        std::string record("A\0Jolt\0\0", 8);
        tvx::put_u32(record, 4);  // an empty object-property block
        const size_t pairsAt = 8 + 4 + record.size();
        record += tvx::write_pairs(tvx::Pairs(empties, {"", ""}));
        record += std::string("Key\0", 4);
        std::string bytes = "tvxp";
        tvx::put_u32(bytes, 1);
        tvx::put_u32(bytes, uint32_t(record.size() + 4));
        bytes += record;
        std::unique_ptr<char[]> copy(new char[bytes.size()]);
        std::memcpy(copy.get(), bytes.data(), bytes.size());
        TVXLoadError error;
        EXPECT_EQ(TVXLoadProjectPointerEx(copy.get(), DWORD(bytes.size()), nullptr, &error), nullptr);
        EXPECT_EQ(error.dwOffset, pairsAt + 2 * empties) << empties;
        EXPECT_STREQ(error.szReason, "property pair runs past the end of its list");
    }
}

TEST(RecordTexts, NamesAndTypesOfEveryLengthAroundTheScanWidth) {
    for (size_t length = 1; length <= 40; ++length) {
        const std::string name(length, char('a' + length % 26));
        const struct { const char* type; LONG effects; } types[] = {
            {"Jolt", 1}, {"Force Profile", 1}, {"Unknown Type That Is Longer Than A Span", 0}};
        for (const auto& t : types) {
            const char* type = t.type;
            tvx::ObjectDescription plain = object(name, type);
            plain.withBlock = false;
            for (const tvx::ObjectDescription& desc : {object(name, type), plain}) {
                const std::string bytes = tvx::write_project({desc});
                std::unique_ptr<char[]> copy(new char[bytes.size()]);
                std::memcpy(copy.get(), bytes.data(), bytes.size());
                Project project(TVXLoadProjectPointerSized(copy.get(), DWORD(bytes.size()), nullptr));
                ASSERT_TRUE(project) << "name of " << length << ", type " << type;
                EXPECT_EQ(TVXGetObjectNameByIndex(project.get(), 0), name);
                EXPECT_STREQ(project.get()->paObjects[0].lpszType, type);
                EXPECT_EQ(project.get()->paObjects[0].cEffects, t.effects);
            }
        }
    }
}

TEST(Compounds, MembersOfALargeProjectAreTheFirstWithTheirIdentifier) {
    // 400 objects with their own identifiers, then objects that repeat some of them (never
    // found), then compounds that list members from all over the table.
    std::vector<tvx::ObjectDescription> objects;
    for (unsigned i = 0; i < 400; ++i)
        objects.push_back(with_id(object("o" + std::to_string(i), i % 2 ? "Jolt" : "Texture"), i + 1));
    for (unsigned i = 0; i < 50; ++i)
        objects.push_back(with_id(object("again" + std::to_string(i), "Spring"), i * 7 + 1));
    std::string list;
    size_t expected = 0;
    for (unsigned i = 0; i < 400; i += 13) {
        list += (list.empty() ? "" : ";") + test_id(i + 1);
        expected += i % 2 ? 1 : 2;
    }
    list += ";" + test_id(9999);  // no such object
    objects.push_back(compound("all", 5000, list));
    objects.push_back(compound("outer", 5001, test_id(5000) + ";" + test_id(400)));
    Project project(tvx::write_project(objects));
    ASSERT_TRUE(project);
    Effects all(project.get(), "all");
    EXPECT_EQ(size_t(all.count()), expected);
    for (const std::string& effect : all.describe())
        EXPECT_EQ(effect.find("kind=spring"), std::string::npos) << "a later object answered";
    Effects outer(project.get(), "outer");
    EXPECT_EQ(size_t(outer.count()), expected + 1);
}

}  // namespace
