#include <gtest/gtest.h>

#include <cstdlib>

#include "archive/AttachFiles.h"
#include "tests/unit/TestSupport.h"
#include "utils/InstUtils.h"
#include "utils/WideText.h"

// Greek Windows runs with ANSI code page 1253; the temporary folder of a Greek user name then
// holds Greek letters, and the narrow and wide calls must name the same files.
TEST(GreekCodePage, TemporaryFilesBelowAGreekFolderAreWrittenAndFound)
{
    if (!std::getenv("SETUP_TEST_GREEK"))
        GTEST_SKIP() << "runs in its own test under the Greek locale (LANG=el_GR.UTF-8)";
    ASSERT_EQ(GetACP(), 1253u) << "Wine did not take the Greek code page from the locale";
    const std::string greekLeaf = "\xCA\xF9\xF3\xF4\xE1\xF2";  // "Κωστας" in code page 1253
    EXPECT_EQ(ToWide(greekLeaf), L"\x039A\x03C9\x03C3\x03C4\x03B1\x03C2");

    InstUtilsSession session;
    ScratchFolder temp(true, greekLeaf);
    ASSERT_TRUE(DirExists(temp.Path()));
    const std::string tmp = NewTempFileName();
    EXPECT_EQ(tmp, temp / "~KorvantaGreekSpellcheckerSetup0.tmp");

    TAttachedFiles files;
    ASSERT_TRUE(files.ExtractFile(nullptr, "License.txt", tmp));
    EXPECT_TRUE(FileExists(tmp));
    EXPECT_EQ(FileDateTime(tmp), files.FindEntry("License.txt")->Date);
    ForceDirectories(temp / (greekLeaf + "\\" + greekLeaf));
    EXPECT_TRUE(DirExists(temp / (greekLeaf + "\\" + greekLeaf)));

    CleanTempFiles();
    EXPECT_FALSE(FileExists(tmp));
}
