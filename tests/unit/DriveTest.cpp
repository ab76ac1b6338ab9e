#include <gtest/gtest.h>

#include <cstring>

#include <windows.h>

#include "utils/InstUtils.h"

TEST(RemovableDrive, TheDeviceDescriptorDecides)
{
    struct Case {
        uint32_t busType;
        uint8_t removableMedia;
        bool removable;
    };
    const Case cases[] = {
        {7, 0, true},   // USB disk reported as fixed
        {4, 0, true},   // IEEE 1394 disk
        {1, 0, false},  // SCSI
        {11, 0, false}, // SATA
        {11, 1, true},  // removable media on any bus
    };
    for (const Case& c : cases) {
        uint8_t descriptor[StorageDescriptorBytes] = {};
        std::memcpy(descriptor + 28, &c.busType, sizeof c.busType);
        descriptor[10] = c.removableMedia;
        EXPECT_EQ(DescriptorMeansRemovable(descriptor), c.removable) << "bus " << c.busType;
    }
}

TEST(RemovableDrive, DriveKindsOfThisSystem)
{
    // The test prefix has e: removable, f: CD-ROM, n: network and l: fixed besides c:.
    struct Case {
        const char* path;
        unsigned type;
        bool removable;
    };
    const Case cases[] = {
        {"E:\\Korvanta", DRIVE_REMOVABLE, true},
        {"c:\\Program Files", DRIVE_FIXED, false},
        {"L:\\", DRIVE_FIXED, false},
        {"F:\\", DRIVE_CDROM, false},
        {"N:\\x", DRIVE_REMOTE, false},
        {"\\\\server\\share\\Korvanta", DRIVE_NO_ROOT_DIR, false},
        {"relative\\path", DRIVE_NO_ROOT_DIR, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathDriveType(c.path), c.type) << c.path;
        EXPECT_EQ(IsRemovableDrive(c.path), c.removable) << c.path;
    }
}

TEST(RemovableDrive, DrivePartOfAPath)
{
    EXPECT_EQ(DrivePart("C:\\Program Files"), "C:");
    EXPECT_EQ(DrivePart("\\\\server\\share\\dir\\x"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("relative"), "");
}
