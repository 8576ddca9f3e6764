// Malformed project data fails the whole load, says where, and reads nothing outside the data
// (each case loads from an exactly sized heap copy, so an overrun shows under a memory checker).
#include "tests/project/projecttest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

using namespace projecttest;

std::string u32(uint32_t v) {
    std::string out;
    tvx::put_u32(out, v);
    return out;
}

// One "Jolt" named A with an identifier: record at 8, name at 12, type at 14, zero byte at 19,
// block length at 20, block pairs at 24, type pairs at 69.
std::string base() {
    return tvx::write_project({with_id(object("A", "Jolt", {{"Magnitude", "8000"}}), 1)});
}

std::string set_u32(std::string bytes, size_t at, uint32_t v) {
    return bytes.replace(at, 4, u32(v));
}

// A project holding exactly these record bytes after the count.
std::string raw(uint32_t count, const std::string& records) { return "tvxp" + u32(count) + records; }

// A record from its parts, with its true length unless one is given.
std::string record(const std::string& body, long length = -1) {
    return u32(length < 0 ? uint32_t(body.size() + 4) : uint32_t(length)) + body;
}

std::string S(const char* text, size_t n) { return std::string(text, n); }

struct Malformed {
    const char* what;
    std::string bytes;
    LONG object;       // expected index at fault (-1: header)
    DWORD offset;      // expected offset of the faulty field
    bool unsizedSees;  // the unsized loader can see it too (within the record's own length)
};

std::vector<Malformed> cases() {
    const std::string ok = base();
    const std::string second = tvx::write_record(object("B", "Spring"));
    const size_t secondAt = ok.size();
    return {
        {"no bytes", "", -1, 0, false},
        {"shorter than the magic", "tvx", -1, 0, false},
        {"wrong magic", "TVXP" + ok.substr(4), -1, 0, true},
        {"magic only", "tvxp", -1, 4, false},
        {"negative count", set_u32(ok, 4, 0xFFFFFFFFu), -1, 4, true},
        {"count beyond what the data can hold", set_u32(ok, 4, 0x7FFFFFFFu), -1, 4, false},
        {"count one more than the records", set_u32(ok, 4, 2), 1, DWORD(secondAt), false},
        {"truncated by one byte", ok.substr(0, ok.size() - 1), 0, 8, false},
        {"too short for its count", ok.substr(0, 10), -1, 4, false},
        {"record length past the end", set_u32(ok, 8, 1000), 0, 8, false},
        {"record length 0", set_u32(ok, 8, 0), 0, 8, true},
        {"record length 3", set_u32(ok, 8, 3), 0, 8, true},
        {"record length 5", set_u32(ok, 8, 5), 0, 8, true},
        {"name not terminated in the record", raw(1, record("ABCDEFG", 6)) + S("\0\0\0\0", 4), 0, 12, true},
        {"type not terminated in the record", raw(1, record(S("A\0Jol", 5))) + S("t\0", 2), 0, 14, true},
        {"block length past the record", set_u32(ok, 20, 1000), 0, 20, true},
        {"block length shorter than itself", set_u32(ok, 20, 3), 0, 20, true},
        {"block length cut by the record", raw(1, record(S("A\0Jolt\0\0\x2e", 9))) + S("\0\0\0", 3), 0, 19, true},
        {"block pair without a value", raw(1, record(S("A\0Jolt\0\0", 8) + u32(7) + S("ID\0", 3))), 0, 24, true},
        {"type key without a value", raw(1, record(S("A\0Jolt\0Magnitude\0", 17))), 0, 14 + 5, true},
        {"type value not terminated", raw(1, record(S("A\0Jolt\0Magnitude\0" "8000", 21))) + S("\0", 1), 0, 19, true},
        {"stray zero after the type properties", raw(1, record(S("A\0Jolt\0Magnitude\0" "8000\0\0", 23))), 0, 34, true},
        {"second record broken", set_u32(ok + second, 4, 2).replace(secondAt, 4, u32(5)), 1, DWORD(secondAt), true},
        {"second record past the end", set_u32(ok + second.substr(0, 6), 4, 2), 1, DWORD(secondAt), false},
    };
}

TEST(MalformedProjects, EachFailsTheWholeLoadAndSaysWhere) {
    const std::vector<Malformed> all = cases();
    ASSERT_GE(all.size(), 20u);
    for (const Malformed& m : all) {
        // An exact heap copy: one byte too far is outside the allocation.
        std::unique_ptr<char[]> data(new char[m.bytes.size() ? m.bytes.size() : 1]);
        std::memcpy(data.get(), m.bytes.data(), m.bytes.size());
        TVXLoadError error;
        std::memset(&error, 0x55, sizeof error);
        HTVXPROJECT project = TVXLoadProjectPointerEx(data.get(), DWORD(m.bytes.size()), nullptr, &error);
        EXPECT_EQ(project, nullptr) << m.what;
        if (project)
            TVXReleaseProject(project);
        EXPECT_EQ(error.lObject, m.object) << m.what << ": " << error.szReason;
        EXPECT_EQ(error.dwOffset, m.offset) << m.what << ": " << error.szReason;
        EXPECT_NE(error.szReason[0], '\0') << m.what;
        EXPECT_EQ(TVXLoadProjectPointerSized(data.get(), DWORD(m.bytes.size()), nullptr), nullptr) << m.what;
        if (m.unsizedSees) {
            EXPECT_EQ(TVXLoadProjectPointer(data.get(), nullptr), nullptr) << m.what << " (unsized)";
        }
    }
}

TEST(MalformedProjects, FailureNamesTheObjectWhenItCanBeRead) {
    const std::string bytes = set_u32(base(), 20, 1000);
    TVXLoadError error;
    EXPECT_EQ(TVXLoadProjectPointerEx(bytes.data(), DWORD(bytes.size()), nullptr, &error), nullptr);
    EXPECT_STREQ(error.szObject, "A");
    // A broken record length still names the object whose name lies inside the data.
    const std::string shortRecord = set_u32(base(), 8, 3);
    EXPECT_EQ(TVXLoadProjectPointerEx(shortRecord.data(), DWORD(shortRecord.size()), nullptr, &error), nullptr);
    EXPECT_STREQ(error.szObject, "A");
    const std::string unnamed = raw(1, record("ABCDEFG", 6));
    EXPECT_EQ(TVXLoadProjectPointerEx(unnamed.data(), DWORD(unnamed.size()), nullptr, &error), nullptr);
    EXPECT_STREQ(error.szObject, "");
    EXPECT_EQ(error.dwOffset, 12u);
}

TEST(MalformedProjects, TrailingBytesAndExactDataStillLoad) {
    for (const std::string& bytes : {base(), base() + "junk", tvx::write_project({})}) {
        TVXLoadError error = {};
        HTVXPROJECT project = TVXLoadProjectPointerEx(bytes.data(), DWORD(bytes.size()), nullptr, &error);
        EXPECT_NE(project, nullptr) << "size " << bytes.size() << ": " << error.szReason << " at "
                                    << error.dwOffset;
        EXPECT_TRUE(TVXReleaseProject(project));
    }
}

TEST(MalformedProjects, SingleObjectRecordIsCheckedAgainstItsLength) {
    const std::string good = tvx::write_record(object("J", "Jolt"));
    const struct { const char* what; std::string bytes; bool loads; } cases[] = {
        {"whole record", good, true},
        {"length 5", set_u32(good, 0, 5), false},
        {"length cutting the type", set_u32(good, 0, 8), false},
        {"pair cut by the length", record(S("J\0Jolt\0Magnitude\0" "5", 18)) + S("\0", 1), false},
    };
    for (const auto& c : cases) {
        HTVXPROJECT project = TVXLoadProjectObjectPointer(c.bytes.data(), nullptr);
        EXPECT_EQ(project != nullptr, c.loads) << c.what;
        TVXReleaseProject(project);
    }
}

}  // namespace

namespace {

// Every cut and every single-byte change of a project with all record forms either loads or
// fails cleanly; under the memory checker nothing is read outside the exact copy.
TEST(MalformedProjects, EveryCutAndByteChangeStaysInBounds) {
    tvx::ObjectDescription plain = object("plain", "Jolt", {{"Magnitude", "7"}});
    plain.withBlock = false;
    const std::string bytes = tvx::write_project({
        with_id(object("tex", "Texture"), 1),
        plain,
        compound("both", 2, test_id(1) + ";"),
        with_id(object("wall", "Angle Wall", {{"Direction", "4500"}, {"Hardness", "1"}}), 3),
    });
    auto load = [](const std::string& data) {
        std::unique_ptr<char[]> copy(new char[data.size() ? data.size() : 1]);
        std::memcpy(copy.get(), data.data(), data.size());
        HTVXPROJECT project = TVXLoadProjectPointerSized(copy.get(), DWORD(data.size()), nullptr);
        const bool loaded = project != nullptr;
        TVXReleaseProject(project);
        return loaded;
    };
    ASSERT_TRUE(load(bytes));
    for (size_t n = 0; n < bytes.size(); ++n)
        EXPECT_FALSE(load(bytes.substr(0, n))) << "cut to " << n << " of " << bytes.size() << " bytes";
    size_t loads = 0;
    for (size_t at = 0; at < bytes.size(); ++at) {
        for (unsigned char value : {0x00, 0x01, 0x3B, 0x7F, 0xFF}) {
            std::string changed = bytes;
            changed[at] = char(value);
            loads += load(changed);
        }
    }
    // Most changes land in names and values, which load; the rest must have failed cleanly.
    EXPECT_GT(loads, bytes.size());
}

}  // namespace

namespace {

// Lengths that end exactly at a boundary or one byte past it: an off-by-one bound reads the
// byte after the record (or after the data) and blames the wrong field.
TEST(MalformedProjects, LengthsAtTheEdgeOfTheRecordAndTheData) {
    const std::string ok = base();  // one record, 8..81; block length at 20, its zero byte at 19
    const std::string next = tvx::write_record(object("B", "Spring"));
    const std::string two = set_u32(ok + next, 4, 2);
    const uint32_t fills = uint32_t(ok.size() - 19 - 1);  // the block takes the rest of the record
    const char* const pastRecord = "object-property block runs past the record";
    const char* const pastData = "record length runs past the end of the data";
    const struct {
        const char* what;
        std::string bytes;
        bool loads;
        DWORD offset;
        const char* reason;
    } rows[] = {
        {"block fills the record", set_u32(ok, 20, fills), true, 0, ""},
        {"block one byte past the last record", set_u32(ok, 20, fills + 1), false, 20, pastRecord},
        {"block one byte past a record that has another after it",
         set_u32(two, 20, fills + 1), false, 20, pastRecord},
        {"record ends with the data", ok, true, 0, ""},
        {"record one byte past the data", set_u32(ok, 8, uint32_t(ok.size() - 8 + 1)), false, 8,
         pastData},
        {"second record one byte past the data",
         set_u32(two, ok.size(), uint32_t(next.size() + 1)), false, DWORD(ok.size()), pastData},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::unique_ptr<char[]> data(new char[row.bytes.size()]);
        std::memcpy(data.get(), row.bytes.data(), row.bytes.size());
        TVXLoadError error = {};
        HTVXPROJECT project =
            TVXLoadProjectPointerEx(data.get(), DWORD(row.bytes.size()), nullptr, &error);
        EXPECT_EQ(project != nullptr, row.loads) << error.szReason;
        TVXReleaseProject(project);
        if (!row.loads) {
            EXPECT_EQ(error.dwOffset, row.offset);
            EXPECT_STREQ(error.szReason, row.reason);
        }
    }
}

}  // namespace
