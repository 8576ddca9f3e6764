// CTactraProjects: positions, lookups and closing every project.
#include "tests/projects/projectsfixture.h"

namespace {

using prtest::project_path;

class ProjectListOn : public prtest::ProjectDevices {};

TEST_P(ProjectListOn, PositionsSkipFailedOpens) {
    CTactraProjects list;
    const std::string play = project_path("play");
    const std::string second = project_path("second");
    const std::string missing = project_path("missing");
    const struct {
        const char* path;
        bool withDevice;
        LONG position;
        LONG code;
    } rows[] = {
        {play.c_str(), true, 0, TKL_ERR_NONE},
        {second.c_str(), true, 1, TKL_ERR_NONE},
        {missing.c_str(), true, -2, TKL_ERR_NONE},
        {"", true, -2, TKL_ERR_NULL_PARAMETER},
        {play.c_str(), false, -4, TKL_ERR_DEVICE_IS_NULL},
        {play.c_str(), true, 2, TKL_ERR_NONE},
    };
    for (const auto& row : rows) {
        CTKLErrors::SetErrorCode(TKL_ERR_UNKNOWN);
        EXPECT_EQ(list.OpenFile(row.path, row.withDevice ? device() : nullptr), row.position)
            << row.path;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), row.code) << row.path;
    }

    CTactraProject* at1 = list.GetProject(1);
    ASSERT_NE(at1, nullptr);
    EXPECT_NE(at1->CreateEffect("Bump"), nullptr) << "position 1 is the second file";
    EXPECT_NE(list.GetProject(0), list.GetProject(2));
    for (int position : {3, -1, 100}) {
        CTKLErrors::SetErrorCode(TKL_ERR_NONE);
        EXPECT_EQ(list.GetProject(position), nullptr) << position;
        EXPECT_EQ(CTKLErrors::GetLastErrorCode(), TKL_ERR_INVALID_PARAMETER) << position;
    }
}

TEST_P(ProjectListOn, StopAndCloseReachEveryProject) {
    const unsigned before = sim().live_objects();
    {
        CTactraProjects list;
        ASSERT_EQ(list.OpenFile(project_path("play").c_str(), device()), 0);
        ASSERT_EQ(list.OpenFile(project_path("second").c_str(), device()), 1);
        ASSERT_TRUE(list.GetProject(0)->Start("Nested", 1, 0, nullptr));
        ASSERT_TRUE(list.GetProject(1)->Start("Bump", 1, 0, nullptr));
        EXPECT_EQ(playing().size(), 5u);

        sim().fail_next("Stop", TACTRA_ERROR_INPUTLOST);
        EXPECT_FALSE(list.Stop());
        // The failing compound stops at its first effect; the other project still stops.
        EXPECT_EQ(playing().size(), 4u);
        EXPECT_TRUE(list.Stop());
        EXPECT_TRUE(playing().empty());

        list.Close();
        EXPECT_EQ(list.GetProject(0), nullptr);
        EXPECT_EQ(live_effects(), 0u);
        ASSERT_EQ(list.OpenFile(project_path("second").c_str(), device()), 0);
        ASSERT_TRUE(list.GetProject(0)->Start("Bump", 1, 0, nullptr));
    }  // destroying the list closes what it still holds
    EXPECT_EQ(live_effects(), 0u);
    EXPECT_EQ(sim().live_objects(), before);
}

FX_ON_BOTH_DEVICES(ProjectListOn);

}  // namespace
