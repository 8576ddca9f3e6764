// The exported functions: loading from memory and files, lookup by name and index, the lists
// handed out and their release.
#include "tests/project/projecttest.h"
#include "tkl/project/tvxproject.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace {

using namespace projecttest;

// The project of one "Jolt" named A with an identifier and a magnitude of 8000.
std::string worked_example() {
    tvx::ObjectDescription a = object("A", "Jolt", {{"Magnitude", "8000"}});
    a.objectProperties = {{"ID", "{5959DF71-2911-11D1-B049-0020AF30269A}"}};
    return tvx::write_project({a});
}

TEST(ProjectApi, WorkedExampleLoadsToOneJolt) {
    const std::string bytes = worked_example();
    ASSERT_EQ(bytes.size(), 81u);
    Project project(TVXLoadProjectPointer(bytes.data(), nullptr));
    ASSERT_TRUE(project);
    EXPECT_STREQ(TVXGetObjectNameByIndex(project.get(), 0), "A");
    Effects effects(project.get(), "A");
    ASSERT_EQ(effects.count(), 1);
    EXPECT_EQ(effects.describe(),
              std::vector<std::string>{"kind=constant flags=0x22 duration=-1 gain=10000 trigger=-1 "
                                       "repeat=-1 axes=0,4 direction=0,0 envelope=none block=8000"});
    const TVXObject& object = project.get()->paObjects[0];
    EXPECT_EQ(object.guidID.Data1, 0x5959DF71u);
    EXPECT_EQ(object.cContainedObjects, 0);
}

TEST(ProjectApi, LookupByNameAndIndex) {
    Project project(tvx::write_project({
        object("first", "Jolt", {{"Magnitude", "1"}}),
        object("twin", "Jolt", {{"Magnitude", "2"}}),
        object("twin", "Jolt", {{"Magnitude", "3"}}),
        object("Twin", "Texture"),
        object("odd", "No Such Type", {{"Magnitude", "4"}}),
    }));
    ASSERT_TRUE(project);
    const HTVXPROJECT p = project.get();
    EXPECT_STREQ(TVXGetObjectNameByIndex(p, 3), "Twin");
    for (int bad : {-1, 5, 1 << 30})
        EXPECT_EQ(TVXGetObjectNameByIndex(p, bad), nullptr) << "index " << bad;
    EXPECT_EQ(TVXGetObjectNameByIndex(nullptr, 0), nullptr);

    // Names are exact and case-sensitive; duplicates find the first in table order.
    struct { const char* name; int count; const char* block; } byName[] = {
        {"twin", 1, "block=2"}, {"Twin", 2, "block=32,0,0,0,1,0,0,1"}, {"odd", 0, nullptr},
    };
    for (const auto& c : byName) {
        Effects effects(p, c.name);
        ASSERT_NE(effects.list(), nullptr) << c.name;
        EXPECT_EQ(effects.count(), c.count) << c.name;
        if (c.block) {
            ASSERT_GE(effects.describe().size(), 1u) << c.name;
            EXPECT_NE(effects.describe()[0].find(c.block), std::string::npos)
                << c.name << ": expected " << c.block << " in " << effects.describe()[0];
        }
    }
    for (const char* missing : {"TWIN", "", "first "}) {
        int count = 77;
        EXPECT_EQ(TVXCreateEffectStructs(p, missing, &count), nullptr) << missing;
        EXPECT_EQ(count, 77) << "count written on failure for " << missing;
    }
    EXPECT_EQ(TVXCreateEffectStructs(p, nullptr, nullptr), nullptr);
    EXPECT_EQ(TVXCreateEffectStructs(nullptr, "twin", nullptr), nullptr);

    Effects third(p, 2);
    ASSERT_EQ(third.count(), 1);
    EXPECT_NE(third.describe()[0].find("block=3"), std::string::npos) << third.describe()[0];
    for (int bad : {-1, 5}) {
        int count = 77;
        EXPECT_EQ(TVXCreateEffectStructsByIndex(p, bad, &count), nullptr) << "index " << bad;
        EXPECT_EQ(count, 77);
    }
    // The count pointer may be null.
    TVXEffect** list = TVXCreateEffectStructsByIndex(p, 3, nullptr);
    ASSERT_NE(list, nullptr);
    EXPECT_NE(list[1], nullptr);
    EXPECT_EQ(list[2], nullptr);
    EXPECT_TRUE(TVXReleaseEffectStructs(p, list));
}

TEST(ProjectApi, ListsAreIndependentAndOutliveTheProject) {
    Project project(tvx::write_project({object("t", "Texture", {{"PosRoughness", "5"}})}));
    ASSERT_TRUE(project);
    int countA = 0, countB = 0;
    TVXEffect** a = TVXCreateEffectStructs(project.get(), "t", &countA);
    TVXEffect** b = TVXCreateEffectStructs(project.get(), "t", &countB);
    ASSERT_TRUE(a && b);
    ASSERT_EQ(countA, 2);
    ASSERT_EQ(countB, 2);
    const std::string before = tvx::describe_effect(*b[0]);
    EXPECT_EQ(a[0]->lpEffect->guid.Data1, 0u) << "a handed-out record's own guid stays zero";

    // Changing one list (as callers that rewrite kinds do) leaves the other and the project alone.
    a[0]->guid = GUID_Tactra_DeviceSpring;
    static_cast<TACTRA_TEXTURE*>(a[0]->lpEffect->lpvTypeSpecificParams)->dwPositiveRoughness = 99;
    a[0]->lpEffect->rgdwAxes[0] = 4;
    EXPECT_EQ(tvx::describe_effect(*b[0]), before);
    EXPECT_TRUE(TVXReleaseEffectStructs(project.get(), a));
    EXPECT_EQ(tvx::describe_effect(*b[0]), before);

    project.reset();
    EXPECT_EQ(tvx::describe_effect(*b[0]), before);
    // The project is not used by the release.
    HTVXPROJECT anyProject = reinterpret_cast<HTVXPROJECT>(&countA);
    EXPECT_TRUE(TVXReleaseEffectStructs(anyProject, b));
}

TEST(ProjectApi, NullArgumentsGiveZero) {
    int dummy = 0;
    HTVXPROJECT anyProject = reinterpret_cast<HTVXPROJECT>(&dummy);
    EXPECT_FALSE(TVXReleaseEffectStructs(anyProject, nullptr));
    EXPECT_FALSE(TVXReleaseEffectStructs(nullptr, nullptr));
    EXPECT_FALSE(TVXReleaseEffects(anyProject, nullptr));
    EXPECT_FALSE(TVXReleaseProject(nullptr));
    EXPECT_EQ(TVXLoadProjectPointer(nullptr, nullptr), nullptr);
    EXPECT_EQ(TVXLoadProjectPointerSized(nullptr, 100, nullptr), nullptr);
    EXPECT_EQ(TVXLoadProjectObjectPointer(nullptr, nullptr), nullptr);
    EXPECT_EQ(TVXLoadProjectFile(nullptr, nullptr), nullptr);
    EXPECT_EQ(TVXLoadProjectResource(nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(TVXCreateEffects(nullptr, "x", nullptr), nullptr);
}

TEST(ProjectApi, EmptyProjectAndObjectsWithoutBlock) {
    Project empty(tvx::write_project({}));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty.get()->cObjects, 0);
    EXPECT_EQ(TVXGetObjectNameByIndex(empty.get(), 0), nullptr);

    tvx::ObjectDescription plain = object("plain", "Jolt", {{"Magnitude", "5"}});
    plain.withBlock = false;
    tvx::ObjectDescription badId = object("bad-id", "Jolt");
    badId.objectProperties = {{"ID", "{5959DF71-2911-11D1-B049-0020AF30269A"}};
    Project project(tvx::write_project({plain, badId}));
    ASSERT_TRUE(project);
    for (int i = 0; i < 2; ++i) {
        const TVXObject& o = project.get()->paObjects[i];
        EXPECT_EQ(o.guidID.Data1 | o.guidID.Data2 | o.guidID.Data3, 0u) << o.lpszName;
        EXPECT_EQ(o.cEffects, 1) << o.lpszName;
    }
    Effects effects(project.get(), "plain");
    ASSERT_EQ(effects.count(), 1);
    EXPECT_NE(effects.describe()[0].find("block=5"), std::string::npos) << effects.describe()[0];
}

class ProjectFile : public ::testing::Test {
protected:
    std::string path_ = ::testing::TempDir() + "tkl_project_test.tvx";
    void write(const std::string& bytes) {
        std::ofstream(path_, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    void TearDown() override { std::remove(path_.c_str()); }
};

TEST_F(ProjectFile, LoadsWholeFilesAndRejectsBrokenOnes) {
    write(worked_example());
    {
        Project project(TVXLoadProjectFile(path_.c_str(), nullptr));
        ASSERT_TRUE(project);
        Effects effects(project.get(), "A");
        EXPECT_EQ(effects.count(), 1);
    }
    const std::string whole = worked_example();
    const struct { const char* what; std::string bytes; } broken[] = {
        {"empty file", ""},
        {"wrong magic", "tvxq" + whole.substr(4)},
        {"truncated by one byte", whole.substr(0, whole.size() - 1)},
        {"only the magic", "tvxp"},
    };
    for (const auto& b : broken) {
        write(b.bytes);
        EXPECT_EQ(TVXLoadProjectFile(path_.c_str(), nullptr), nullptr) << b.what;
    }
    EXPECT_EQ(TVXLoadProjectFile((path_ + ".missing").c_str(), nullptr), nullptr);
}

}  // namespace
