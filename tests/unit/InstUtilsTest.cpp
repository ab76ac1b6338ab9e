#include <gtest/gtest.h>

#include <cmath>

#include "tests/unit/TestSupport.h"
#include "utils/InstUtils.h"

TEST(PathHelpers, TidyAndJoinPaths)
{
    struct Case {
        std::string in, withBackslash;
    };
    for (const Case& c : {Case{"", ""}, Case{"C:", "C:\\"}, Case{"C:\\a/", "C:\\a\\"}, Case{"C:\\a\\", "C:\\a\\"},
                          Case{"x", "x\\"}}) {
        std::string path = c.in;
        AddBackslash(path);
        EXPECT_EQ(path, c.withBackslash) << c.in;
    }
    EXPECT_EQ(PathJoin("", "License.txt"), "License.txt");
    EXPECT_EQ(PathJoin("C:\\a", "b"), "C:\\a\\b");
    EXPECT_EQ(PathJoin("C:\\a\\", "\\b"), "C:\\a\\\\b");

    std::string s = "ab";
    DeleteFirstChar(s);
    EXPECT_EQ(s, "b");
    DeleteLastChar(s);
    EXPECT_EQ(s, "");
    DeleteFirstChar(s);
    EXPECT_EQ(s, "");
    EXPECT_EQ(LastChar("abc"), 'c');

    EXPECT_TRUE(SameTextCI("C:\\Program Files", "c:\\PROGRAM FILES"));
    EXPECT_FALSE(SameTextCI("abc", "abcd"));
    EXPECT_TRUE(SameTextCI("", ""));
}

TEST(DirExists, TrueOnlyForFoldersWrittenAsTheSystemWritesThem)
{
    ScratchFolder scratch;
    const std::string folder = scratch / "Sub";
    MakeFolder(folder);
    WriteWholeFile(scratch / "file.txt", "x");
    const std::string before = GetCurrentDir();

    EXPECT_TRUE(DirExists(folder));
    EXPECT_TRUE(DirExists(folder + "\\"));
    EXPECT_TRUE(DirExists(folder + "/"));
    std::string upper = folder;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    EXPECT_TRUE(DirExists(upper));

    EXPECT_FALSE(DirExists(scratch / "Sub\\..\\Sub"));
    std::string slashed = folder;
    for (char& c : slashed)
        if (c == '\\')
            c = '/';
    EXPECT_FALSE(DirExists(slashed));
    EXPECT_FALSE(DirExists(scratch / "file.txt"));
    EXPECT_FALSE(DirExists(scratch / "missing"));
    EXPECT_FALSE(DirExists(""));

    SetCurrentDirectoryA(scratch.Path().c_str());
    EXPECT_FALSE(DirExists("Sub"));
    EXPECT_EQ(GetCurrentDir(), scratch.Path());
    SetCurrentDirectoryA(before.c_str());
    EXPECT_EQ(GetCurrentDir(), before);
}

TEST(FileExists, FalseForAFolder)
{
    ScratchFolder scratch;
    MakeFolder(scratch / "folder");
    WriteWholeFile(scratch / "file", "");
    EXPECT_TRUE(FileExists(scratch / "file"));
    EXPECT_FALSE(FileExists(scratch / "folder"));
    EXPECT_FALSE(FileExists(scratch / "missing"));
}

TEST(GetSpecialFolder, NoTrailingBackslashAndEmptyWhenMissing)
{
    InstUtilsSession session;
    const std::string commonData = GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER);
    ASSERT_FALSE(commonData.empty());
    EXPECT_NE(commonData.back(), '\\');
    EXPECT_TRUE(DirExists(commonData));
    EXPECT_EQ(GetSpecialFolder(0x7F), "");
}

TEST(TempFiles, PrefixNamesAndCleaning)
{
    InstUtilsSession session;
    ScratchFolder temp(true);
    EXPECT_EQ(TempFilePrefix(), "~KorvantaGreekSpellcheckerSetup");
    EXPECT_EQ(GetTempDir(), temp.Path());

    EXPECT_EQ(NewTempFileName(), temp / "~KorvantaGreekSpellcheckerSetup0.tmp");
    WriteWholeFile(temp / "~KorvantaGreekSpellcheckerSetup0.tmp", "x");
    MakeFolder(temp / "~KorvantaGreekSpellcheckerSetup1.tmp");
    EXPECT_EQ(NewTempFileName(), temp / "~KorvantaGreekSpellcheckerSetup1.tmp");

    MakeFolder(temp / "~KorvantaGreekSpellcheckerSetupDir");
    WriteWholeFile(temp / "~KorvantaGreekSpellcheckerSetupDir\\inner.txt", "x");
    WriteWholeFile(temp / "~korvantagreekspellcheckersetup7.tmp", "other case");
    WriteWholeFile(temp / "unrelated.tmp", "x");

    CleanTempFiles();
    EXPECT_FALSE(PathExists(temp / "~KorvantaGreekSpellcheckerSetup0.tmp"));
    EXPECT_FALSE(PathExists(temp / "~KorvantaGreekSpellcheckerSetup1.tmp"));
    EXPECT_FALSE(PathExists(temp / "~KorvantaGreekSpellcheckerSetupDir"));
    EXPECT_TRUE(PathExists(temp / "~korvantagreekspellcheckersetup7.tmp"));
    EXPECT_TRUE(PathExists(temp / "unrelated.tmp"));
}

TEST(TempFiles, MissingTempFolderFallsBackToDocuments)
{
    InstUtilsSession session;
    ScratchFolder temp(true);
    const std::string missing = temp / "gone\\";
    SetEnvironmentVariableA("TMP", missing.c_str());
    SetEnvironmentVariableA("TEMP", missing.c_str());
    EXPECT_EQ(GetTempDir(), PathJoin(GetSpecialFolder(CSIDL_PERSONAL_FOLDER), ""));
}

TEST(DeleteTree, RemovesEverythingButNeverFollowsAFolderLink)
{
    ScratchFolder scratch;
    const std::string outside = scratch / "outside";
    MakeFolder(outside);
    WriteWholeFile(outside + "\\keep.txt", "keep");
    const std::string tree = scratch / "tree";
    MakeFolder(tree);
    MakeFolder(tree + "\\a");
    WriteWholeFile(tree + "\\a\\f.txt", "x");
    const std::string link = tree + "\\link";
    const bool linked = CreateSymbolicLinkA(link.c_str(), outside.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) != FALSE;

    DeleteTree(tree);
    EXPECT_FALSE(PathExists(tree));
    EXPECT_EQ(ReadWholeFile(outside + "\\keep.txt"), "keep");
    if (!linked)
        GTEST_SKIP() << "this system cannot create a folder link; the plain tree was removed";
}

TEST(ForceDirectories, CreatesEveryMissingLevel)
{
    ScratchFolder scratch;
    const std::string deep = scratch / "one\\two\\three";
    ForceDirectories(deep);
    EXPECT_TRUE(PathIsFolder(scratch / "one"));
    EXPECT_TRUE(PathIsFolder(deep));
    ForceDirectories(deep + "\\");
    EXPECT_TRUE(PathIsFolder(deep));
}

TEST(WriteStringToFile, ReplacesTheWholeFile)
{
    ScratchFolder scratch;
    const std::string path = scratch / "f.bin";
    WriteWholeFile(path, "a much longer old content");
    WriteStringToFile(path, std::string("\x01\x00\x02", 3));
    EXPECT_EQ(ReadWholeFile(path), std::string("\x01\x00\x02", 3));
    WriteStringToFile(path, "");
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST(FileDateTime, TwoSecondStepsAndPresentMomentWhenMissing)
{
    ScratchFolder scratch;
    const std::string path = scratch / "dated.txt";
    WriteWholeFile(path, "x");
    SetLocalWriteTime(path, 2024, 3, 9, 10, 15, 37);
    EXPECT_EQ(FileDateTime(path), EncodeDateTime(2024, 3, 9, 10, 15, 36));

    SetLocalWriteTime(path, 1975, 6, 1, 8, 0, 3);
    EXPECT_EQ(FileDateTime(path), EncodeDateTime(1975, 6, 1, 8, 0, 2));

    const TDateTime before = LocalNow();
    const TDateTime missing = FileDateTime(scratch / "missing.txt");
    EXPECT_GE(missing, before);
    EXPECT_LT(missing - before, 5.0 / 86400);
}

TEST(DateTime, DosRoundTripAndRange)
{
    uint16_t date, time;
    ASSERT_TRUE(DateTimeToDos(EncodeDateTime(2026, 12, 1, 23, 59, 58), date, time));
    EXPECT_EQ(DosToDateTime(date, time), EncodeDateTime(2026, 12, 1, 23, 59, 58));
    EXPECT_EQ(time, 58 / 2 + 59 * 32 + 23 * 2048);
    EXPECT_EQ(date, 1 + 12 * 32 + (2026 - 1980) * 512);
    EXPECT_FALSE(DateTimeToDos(EncodeDateTime(1979, 12, 31, 0, 0, 0), date, time));
    EXPECT_EQ(date | time, 0);
    EXPECT_FALSE(DateTimeToDos(EncodeDateTime(2100, 1, 1, 0, 0, 0), date, time));
    EXPECT_EQ(EncodeDateTime(1899, 12, 30, 12, 0, 0), 0.5);
}

TEST(DllSearch, APlantedDllBesideTheProgramIsNotLoaded)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string planted = exe;
    planted = planted.substr(0, planted.find_last_of('\\') + 1) + "plantedtest.dll";
    ASSERT_TRUE(FileExists(planted)) << "the test fixture DLL is built beside the tests";

    HMODULE control = LoadLibraryExA("plantedtest.dll", nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    ASSERT_NE(control, nullptr) << "searched for in the program's folder, the planted DLL loads";
    FreeLibrary(control);

    InstUtilsSession session;
    HMODULE loaded = LoadLibraryA("plantedtest.dll");
    EXPECT_EQ(loaded, nullptr);
    if (loaded)
        FreeLibrary(loaded);
}
