#include <gtest/gtest.h>

#include <windows.h>

#include "components/Registry.h"
#include "wizard/Settings.h"

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey); }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey); }

    static bool KeyExists()
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }

    static void Raw(const char* name, DWORD& type, std::string& data)
    {
        char buffer[1024];
        DWORD size = sizeof buffer;
        ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, SettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size),
                  ERROR_SUCCESS);
        data.assign(buffer, size);
    }

    static void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        HKEY key;
        RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
};

}  // namespace

TEST_F(Settings, AMissingKeyIsCreatedByReadingAndGivesTheDefaults)
{
    const TStoredSettings read = ReadSettings();
    EXPECT_TRUE(KeyExists());
    EXPECT_FALSE(read.HomeFolderPresent);
    EXPECT_TRUE(read.Launch);
}

TEST_F(Settings, WrittenWithTheirTypesAndSizes)
{
    WriteSettings("D:\\Korvanta\\", false);
    DWORD type;
    std::string data;
    Raw("MAINDIR", type, data);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(data, std::string("D:\\Korvanta\\\0", 13));
    Raw("LAUNCH", type, data);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(data, std::string("\0\0\0\0", 4));

    const TStoredSettings read = ReadSettings();
    EXPECT_TRUE(read.HomeFolderPresent);
    EXPECT_EQ(read.HomeFolder, "D:\\Korvanta\\");
    EXPECT_FALSE(read.Launch);

    WriteSettings("", true);
    Raw("LAUNCH", type, data);
    EXPECT_EQ(data, std::string("\1\0\0\0", 4));
    Raw("MAINDIR", type, data);
    EXPECT_EQ(data, std::string("\0", 1));
}

TEST_F(Settings, LaunchValuesOfOtherWriters)
{
    struct Case {
        std::string data;
        bool launch;
    };
    for (const Case& c : {Case{std::string("\0\0\0\0", 4), false}, Case{std::string("\1\0\0\0", 4), true},
                          Case{std::string("\7\0\0\0", 4), true}, Case{std::string("\0\0", 2), true},
                          Case{std::string("\0\0\0\0\0\0\0\0", 8), true}}) {
        SetRaw("LAUNCH", REG_DWORD, c.data.data(), static_cast<DWORD>(c.data.size()));
        EXPECT_EQ(ReadSettings().Launch, c.launch) << c.data.size() << " bytes";
    }
}

TEST_F(Settings, HomeFolderTextEndsAtTheFirstNulWhateverTheType)
{
    SetRaw("MAINDIR", REG_BINARY, "C:\\A\0junk", 9);
    EXPECT_EQ(ReadSettings().HomeFolder, "C:\\A");
    SetRaw("MAINDIR", REG_SZ, "", 0);
    const TStoredSettings read = ReadSettings();
    EXPECT_TRUE(read.HomeFolderPresent);
    EXPECT_EQ(read.HomeFolder, "");
}
