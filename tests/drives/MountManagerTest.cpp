#include <gtest/gtest.h>


#include "tests/drives/MountManager.h"

TEST(MountManager, APluggedDriveComesAndGoesWhileTheProgramRuns)
{
    const DWORD before = GetLogicalDrives();
    ASSERT_EQ(before & (1u << ('q' - 'a')), 0u) << "drive q: is expected to be free";
    ASSERT_TRUE(PlugDrive('q', "/tmp"));
    EXPECT_NE(GetLogicalDrives() & (1u << ('q' - 'a')), 0u);
    EXPECT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    ASSERT_TRUE(UnplugDrive('q'));
    EXPECT_EQ(GetLogicalDrives(), before);
}
