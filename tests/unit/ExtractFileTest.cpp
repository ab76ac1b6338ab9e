#include <gtest/gtest.h>

#include <cstdlib>

#include "archive/ArchiveRecords.h"
#include "archive/AttachFiles.h"
#include "tests/driver/WindowDriver.h"
#include "tests/unit/TestSupport.h"
#include "utils/InstUtils.h"

namespace {

std::string CannotCreateText(const std::string& path)
{
    return "Cannot create file \"" + path +
           "\".\rAnother application might already be using this file.\r\r"
           "Please make sure that the setup of Korvanta Word Processor is not blocked by your security software "
           "(firewall/antivirus) in any way.\rYou might want to temporarily disable your security software and try "
           "again.";
}

std::string EntryBytes(const TAttachedFiles& files, const TAttachedFile& entry)
{
    return std::string(reinterpret_cast<const char*>(files.Data() + entry.Offset), static_cast<size_t>(entry.Size));
}

// Opens a file without sharing, as another program holding it would.
class HeldOpen {
public:
    explicit HeldOpen(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, 0, nullptr))
    {
    }
    ~HeldOpen() { Release(); }
    void Release()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

class ExtractFile : public ::testing::Test {
protected:
    TAttachedFiles files;
    ScratchFolder scratch;
};

}  // namespace

TEST_F(ExtractFile, EveryEntryReadsBackWithItsBytesAndExactDate)
{
    for (const auto& entry : files.Entries()) {
        const std::string path = scratch / ("deep\\er\\" + entry->Name);
        ASSERT_TRUE(files.ExtractFile(entry.get(), "ignored name", path));
        EXPECT_EQ(ReadWholeFile(path), EntryBytes(files, *entry)) << entry->Name;
        EXPECT_EQ(FileDateTime(path), entry->Date) << entry->Name;
    }
}

TEST_F(ExtractFile, ByNameInAnyCaseAndReplacingALargerFile)
{
    const std::string path = scratch / "License.tmp";
    WriteWholeFile(path, std::string(100000, 'x'));
    ASSERT_TRUE(files.ExtractFile(nullptr, "LICENSE.TXT", path));
    EXPECT_EQ(ReadWholeFile(path), EntryBytes(files, *files.FindEntry("License.txt")));
}

TEST_F(ExtractFile, AFileHeldOpenAsksAndRetrySucceedsOnceReleased)
{
    const std::string path = scratch / "Greek.asc";
    HeldOpen holder(path);
    BoxAnswerer answerer([&](const MessageBoxSeen&) {
        holder.Release();
        return IDRETRY;
    });
    EXPECT_TRUE(files.ExtractFile(nullptr, "Greek.asc", path));
    const auto seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Korvanta Greek Spellchecker - Setup");
    EXPECT_EQ(seen[0].Text, CannotCreateText(path));
    EXPECT_EQ(seen[0].Buttons.size(), 3u);
    EXPECT_EQ(ReadWholeFile(path), EntryBytes(files, *files.FindEntry("Greek.asc")));
}

TEST_F(ExtractFile, IgnoreGoesOnAndAbortGivesUp)
{
    const std::string path = scratch / "Greek.asc";
    HeldOpen holder(path);
    {
        BoxAnswerer answerer([](const MessageBoxSeen&) { return IDIGNORE; });
        EXPECT_TRUE(files.ExtractFile(nullptr, "Greek.asc", path));
        EXPECT_EQ(answerer.Seen().size(), 1u);
    }
    {
        int asked = 0;
        BoxAnswerer answerer([&](const MessageBoxSeen&) { return ++asked < 3 ? IDRETRY : IDABORT; });
        EXPECT_FALSE(files.ExtractFile(nullptr, "Greek.asc", path));
        EXPECT_EQ(answerer.Seen().size(), 3u);
    }
    holder.Release();
    EXPECT_EQ(ReadWholeFile(path), "");
}

TEST_F(ExtractFile, AFolderAtTheDestinationIsAFailedAttempt)
{
    const std::string path = scratch / "Greek.asc";
    MakeFolder(path);
    BoxAnswerer answerer([](const MessageBoxSeen&) { return IDABORT; });
    EXPECT_FALSE(files.ExtractFile(nullptr, "Greek.asc", path));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Text, CannotCreateText(path));
    EXPECT_TRUE(PathIsFolder(path));
}

TEST_F(ExtractFile, ANameTheArchiveLacksFailsLikeAnUnwritableFileAndLeavesNoFile)
{
    const std::string path = scratch / "sub\\missing.txt";
    BoxAnswerer answerer([](const MessageBoxSeen&) { return IDIGNORE; });
    EXPECT_TRUE(files.ExtractFile(nullptr, "missing.txt", path));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Text, CannotCreateText(path));
    EXPECT_FALSE(PathExists(path));
}

TEST(ExtractFileDates, ADateOutsideTheDosRangeKeepsTheTimeOfWriting)
{
    std::string archive;
    AppendRecord(archive, "old.txt", EncodeDateTime(1979, 1, 1, 0, 0, 0), "old");
    AppendRecord(archive, "future.txt", EncodeDateTime(2100, 1, 1, 0, 0, 0), "future");
    const std::string packed = Compress(archive);
    TAttachedFiles files(packed.data(), static_cast<int32_t>(packed.size()));
    ScratchFolder scratch;
    for (const auto& entry : files.Entries()) {
        const TDateTime before = LocalNow() - 2.0 / 86400;
        ASSERT_TRUE(files.ExtractFile(entry.get(), "", scratch / entry->Name));
        const TDateTime written = FileDateTime(scratch / entry->Name);
        EXPECT_GE(written, before) << entry->Name;
        EXPECT_LT(written - before, 10.0 / 86400) << entry->Name;
    }
}

TEST(ExtractFileDisk, AShortWriteOnAFullDiskIsAFailureAndLeavesNoTruncatedFile)
{
    const char* drive = std::getenv("SETUP_TEST_FULL_DRIVE");
    if (!drive || !*drive)
        GTEST_SKIP() << "no small full-disk drive was mounted for this run (needs root and tmpfs)";
    TAttachedFiles files;
    const std::string path = std::string(drive) + ":\\el_GR.dic";
    BoxAnswerer answerer([](const MessageBoxSeen&) { return IDIGNORE; });
    EXPECT_TRUE(files.ExtractFile(nullptr, "el_GR.dic", path));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Text, CannotCreateText(path));
    EXPECT_FALSE(PathExists(path));
}

TEST(ExtractFileAccess, AFileThatMayNotBeWrittenIsAFailedAttempt)
{
    // Wine lets root write a file marked read-only, so the file lies on a read-only mount instead.
    const char* drive = std::getenv("SETUP_TEST_READONLY_DRIVE");
    if (!drive || !*drive)
        GTEST_SKIP() << "no read-only drive was mounted for this run (needs root and tmpfs)";
    TAttachedFiles files;
    const std::string path = std::string(drive) + ":\\Greek.asc";
    BoxAnswerer answerer([](const MessageBoxSeen&) { return IDABORT; });
    EXPECT_FALSE(files.ExtractFile(nullptr, "Greek.asc", path));
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].Text, CannotCreateText(path));
    EXPECT_EQ(ReadWholeFile(path), "old\n");
}
