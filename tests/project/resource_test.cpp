// Projects carried as "TACTRA" resources, in the program itself and in another module.
#include "tests/project/projecttest.h"

#include <gtest/gtest.h>

namespace {

using namespace projecttest;

void expect_resource_project(HTVXPROJECT handle, const char* where) {
    Project project(handle);
    ASSERT_TRUE(project) << where;
    EXPECT_STREQ(TVXGetObjectNameByIndex(project.get(), 0), "Resource Jolt") << where;
    EXPECT_STREQ(TVXGetObjectNameByIndex(project.get(), 1), "Resource Spring") << where;
    Effects jolt(project.get(), "Resource Jolt");
    ASSERT_EQ(jolt.count(), 1) << where;
    EXPECT_NE(jolt.describe()[0].find("block=1234"), std::string::npos) << where << ": " << jolt.describe()[0];
    Effects spring(project.get(), 1);
    ASSERT_EQ(spring.count(), 1) << where;
    EXPECT_NE(spring.describe()[0].find("axes=0,4"), std::string::npos) << where << ": " << spring.describe()[0];
}

TEST(ProjectResources, FromTheProgram) {
    expect_resource_project(TVXLoadProjectResource(nullptr, "Test Project", nullptr), "by name");
    // Resource names compare without regard to case.
    expect_resource_project(TVXLoadProjectResource(nullptr, "TEST project", nullptr), "other case");
    EXPECT_EQ(TVXLoadProjectResource(nullptr, "Test Projec", nullptr), nullptr);
    EXPECT_EQ(TVXLoadProjectResource(nullptr, "Module Project", nullptr), nullptr)
        << "the module's resource is not the program's";
}

TEST(ProjectResources, FromAModule) {
    HMODULE module = LoadLibraryA("tklresourcemodule.dll");
    ASSERT_NE(module, nullptr);
    expect_resource_project(TVXLoadProjectResource(module, "Module Project", nullptr), "module");
    EXPECT_EQ(TVXLoadProjectResource(module, "No Such Project", nullptr), nullptr);

    // The size comes with the resource.
    HRSRC resource = FindResourceA(module, "Module Project", "TACTRA");
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(SizeofResource(module, resource), 174u);
    EXPECT_EQ(FindResourceA(module, "Module Project", "OTHER"), nullptr);
    FreeLibrary(module);
}

}  // namespace
