// Compound objects: filled once after loading, from the effects the listed objects have then.
#include "tests/project/projecttest.h"
#include "tkl/project/tvxproject.h"

#include <gtest/gtest.h>

namespace {

using namespace projecttest;

// Kinds of the effects an object yields, in order.
std::vector<std::string> kinds(HTVXPROJECT project, const char* name) {
    Effects effects(project, name);
    std::vector<std::string> out;
    for (TVXEffect** e = effects.list(); e && *e; ++e)
        out.push_back(tvx::kind_name((*e)->guid));
    if (!effects.list())
        out.push_back("no list");
    return out;
}

typedef std::vector<std::string> Kinds;

TEST(Compounds, MembersInListOrderEarlierAndLater) {
    const std::string a = test_id(1), b = test_id(2), c = test_id(3), d = test_id(4);
    Project project(tvx::write_project({
        with_id(object("jolt", "Jolt"), 1),
        with_id(object("texture", "Texture"), 2),
        compound("early", 3, b + ";" + a),
        compound("late-member", 4, a),
        compound("outer", 5, c + ";" + d + ";" + test_id(6)),
        compound("self", 6, test_id(6) + ";" + a),
        compound("twice", 7, a + ";" + a),
        compound("later-listed", 8, test_id(9)),
        compound("listed-later", 9, a),
    }));
    ASSERT_TRUE(project);
    const struct { const char* name; Kinds expected; } cases[] = {
        {"early", {"texture", "texture", "constant"}},
        // A compound counts with the effects it has when the outer one is filled.
        {"outer", {"texture", "texture", "constant", "constant"}},
        {"self", {"constant"}},
        {"twice", {"constant", "constant"}},
        {"later-listed", {}},
        {"listed-later", {"constant"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kinds(project.get(), c.name), c.expected) << "compound " << c.name;
}

TEST(Compounds, ListForms) {
    const std::string a = test_id(1);
    Project project(tvx::write_project({
        object("no-id", "Jolt"),           // all-zero identifier, found by empty pieces
        with_id(object("spring", "Spring"), 1),
        compound("trailing", 2, a + ";"),
        compound("empty", 3, ""),
        compound("gap", 4, a + ";;" + a),
        compound("bad-piece", 5, a + ";{nonsense}"),
        compound("long-piece", 6, a + ";" + a + "0123456789AB"),
        compound("unknown", 7, test_id(99)),
        with_id(object("no-list", "Compound"), 8),
    }));
    ASSERT_TRUE(project);
    const struct { const char* name; Kinds expected; } cases[] = {
        {"trailing", {"spring", "constant"}},
        {"empty", {"constant"}},
        {"gap", {"spring", "constant", "spring"}},
        {"bad-piece", {}},
        {"long-piece", {}},
        {"unknown", {}},
        {"no-list", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kinds(project.get(), c.name), c.expected) << "compound " << c.name;
}

TEST(Compounds, CopiesAreIndependentOfTheirMembers) {
    Project project(tvx::write_project({
        with_id(object("ramp", "Ramp", {{"Magnitude", "100"}}), 1),
        compound("both", 2, test_id(1)),
    }));
    ASSERT_TRUE(project);
    Effects member(project.get(), "ramp");
    Effects whole(project.get(), "both");
    ASSERT_EQ(whole.count(), 1);
    ASSERT_EQ(member.count(), 1);
    EXPECT_NE(whole.list()[0]->lpEffect, member.list()[0]->lpEffect);
    EXPECT_NE(whole.list()[0]->lpEffect->lpvTypeSpecificParams,
              member.list()[0]->lpEffect->lpvTypeSpecificParams);
    EXPECT_EQ(tvx::describe_effect(*whole.list()[0]), tvx::describe_effect(*member.list()[0]));
}

TEST(Compounds, ObjectRecordAloneStaysEmpty) {
    const std::string record = tvx::write_record(compound("c", 1, test_id(1)));
    Project project(TVXLoadProjectObjectPointer(record.data(), nullptr));
    ASSERT_TRUE(project);
    EXPECT_EQ(kinds(project.get(), "c"), Kinds{});

    const std::string jolt = tvx::write_record(object("j", "Jolt", {{"Magnitude", "1"}}));
    Project single(TVXLoadProjectObjectPointer(jolt.data(), nullptr));
    ASSERT_TRUE(single);
    EXPECT_EQ(kinds(single.get(), "j"), Kinds{"constant"});
}

}  // namespace

namespace {

// Each level lists the one before twice: level n holds 2^n effects.
std::string doubling_levels(int levels) {
    std::vector<tvx::ObjectDescription> objects = {with_id(object("level0", "Jolt"), 0)};
    for (int n = 1; n <= levels; ++n)
        objects.push_back(compound("level" + std::to_string(n), unsigned(n),
                                   test_id(unsigned(n - 1)) + ";" + test_id(unsigned(n - 1))));
    return tvx::write_project(objects);
}

TEST(Compounds, CompoundsBeyondTheEffectLimitFailTheLoad) {
    const std::string atLimit = doubling_levels(16);
    Project project(atLimit);
    ASSERT_TRUE(project);
    EXPECT_EQ(project.get()->paObjects[16].cEffects, 65536);

    const std::string beyond = doubling_levels(17);
    TVXLoadError error = {};
    EXPECT_EQ(TVXLoadProjectPointerEx(beyond.data(), DWORD(beyond.size()), nullptr, &error), nullptr);
    EXPECT_STREQ(error.szReason, "a compound holds more than 65536 effects");
}

}  // namespace
