#include <gtest/gtest.h>

#include "archive/ArchiveRecords.h"
#include "archive/AttachFiles.h"
#include "archive/Zlib.h"
#include "tests/unit/TestSupport.h"

namespace {

const TDateTime Noon = EncodeDateTime(2026, 12, 1, 12, 0, 0);

std::string ThreeRecords()
{
    std::string archive;
    AppendRecord(archive, "License.txt", Noon, "terms");
    AppendRecord(archive, "", Noon, "nameless");
    AppendRecord(archive, "empty.tlx", Noon, "");
    AppendRecord(archive, "LICENSE.TXT", Noon + 1, "later terms");
    return archive;
}

}  // namespace

TEST(Archive, ListsRecordsInOrderWithExactOffsets)
{
    const std::string packed = Compress(ThreeRecords());
    TAttachedFiles files(packed.data(), static_cast<int32_t>(packed.size()));

    ASSERT_EQ(files.Entries().size(), 4u);
    const auto& e = files.Entries();
    EXPECT_EQ(e[0]->Name, "License.txt");
    EXPECT_EQ(e[0]->Offset, 1 + 11 + 12);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(files.Data() + e[0]->Offset), e[0]->Size), "terms");
    EXPECT_EQ(e[0]->Date, Noon);
    EXPECT_EQ(e[1]->Name, "");
    EXPECT_EQ(e[1]->Size, 8);
    EXPECT_EQ(e[2]->Size, 0);
    EXPECT_EQ(e[2]->Offset, e[3]->Offset - 1 - 11 - 12);
    EXPECT_EQ(files.DataSize(), static_cast<int32_t>(ThreeRecords().size()));

    EXPECT_TRUE(files.InstallGroup(0).empty());
    EXPECT_TRUE(files.InstalledFiles().Empty());
    EXPECT_FALSE(files.ForceOverwrite);
}

TEST(Archive, FindEntryIgnoresCaseAndTheLastDuplicateWins)
{
    const std::string packed = Compress(ThreeRecords());
    TAttachedFiles files(packed.data(), static_cast<int32_t>(packed.size()));
    ASSERT_NE(files.FindEntry("license.txt"), nullptr);
    EXPECT_EQ(files.FindEntry("license.txt"), files.Entries()[3].get());
    EXPECT_EQ(files.FindEntry("LICENSE.TXT")->Date, Noon + 1);
    EXPECT_EQ(files.FindEntry("Empty.TLX"), files.Entries()[2].get());
    EXPECT_EQ(files.FindEntry("missing.txt"), nullptr);
}

TEST(Archive, AnArchiveThatInflatesToNothingHasNoEntries)
{
    const std::string packed = Compress("");
    TAttachedFiles files(packed.data(), static_cast<int32_t>(packed.size()));
    EXPECT_TRUE(files.Entries().empty());
    EXPECT_EQ(files.DataSize(), 0);
}

TEST(DecompressBuf, GrowsFromAnyEstimateAndEndsAtTheExactSize)
{
    std::string big;
    for (int i = 0; i < 200000; ++i)
        big += static_cast<char>((i * 7919) % 251);
    const std::string packed = Compress(big);
    for (int32_t estimate : {0, 1, static_cast<int32_t>(packed.size()), static_cast<int32_t>(big.size()),
                             static_cast<int32_t>(big.size()) * 4}) {
        ZBuffer out;
        int32_t outBytes = -1;
        DecompressBuf(packed.data(), static_cast<int32_t>(packed.size()), out, outBytes, estimate);
        ASSERT_EQ(outBytes, static_cast<int32_t>(big.size())) << "estimate " << estimate;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(out.get()), outBytes), big) << "estimate " << estimate;
    }
}

TEST(DecompressBuf, DamagedInputEndsWithAnErrorInsteadOfLooping)
{
    std::string archive;
    AppendRecord(archive, "file", Noon, std::string(100000, 'q'));
    const std::string packed = Compress(archive);
    std::string flipped = packed;
    flipped[flipped.size() / 2] ^= 0x55;
    std::string badChecksum = packed;
    badChecksum.back() ^= 1;
    const std::string cases[] = {packed.substr(0, packed.size() / 2), packed.substr(0, packed.size() - 1), flipped,
                                 badChecksum, "this is not a zlib stream", std::string(1, '\x78')};
    for (const std::string& input : cases) {
        ZBuffer out;
        int32_t outBytes = 0;
        EXPECT_THROW(DecompressBuf(input.data(), static_cast<int32_t>(input.size()), out, outBytes, 0), EZlibError)
            << input.size() << " bytes";
        EXPECT_EQ(out, nullptr);
    }
    ZBuffer out;
    int32_t outBytes = 0;
    EXPECT_THROW(DecompressBuf("", 0, out, outBytes, 0), EZlibError);
}

TEST(Archive, RecordsThatRunPastTheEndAreRefused)
{
    std::string archive;
    AppendRecord(archive, "whole", Noon, "12345");
    const std::string cases[] = {archive.substr(0, archive.size() - 1), archive.substr(0, 3),
                                 std::string(1, '\xFF'), archive + std::string(1, '\x05')};
    for (const std::string& inflated : cases) {
        const std::string packed = Compress(inflated);
        EXPECT_THROW(TAttachedFiles(packed.data(), static_cast<int32_t>(packed.size())), EArchiveDamaged)
            << inflated.size() << " bytes";
    }
    std::string negative;
    AppendRecord(negative, "neg", Noon, "");
    negative[negative.size() - 1] = '\x80';  // size field's top byte: a negative size
    const std::string packed = Compress(negative);
    EXPECT_THROW(TAttachedFiles(packed.data(), static_cast<int32_t>(packed.size())), EArchiveDamaged);
}

TEST(Archive, TheProgramsOwnPackListsItsTenEntries)
{
    TAttachedFiles files;
    const char* const names[] = {"License.txt", "hunspell.dll", "Greek.asc", "userdicgr.tlx", "el_GR.dic",
                                 "el_GR.aff", "Greek.hyph", "Greek.thes", "Logo.bmp", "LogoSmall.bmp"};
    ASSERT_EQ(files.Entries().size(), std::size(names));
    for (size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(files.Entries()[i]->Name, names[i]);
        uint16_t date, time;
        EXPECT_TRUE(DateTimeToDos(files.Entries()[i]->Date, date, time));
        EXPECT_EQ(DosToDateTime(date, time), files.Entries()[i]->Date) << names[i] << " is not a whole even second";
    }
    EXPECT_EQ(files.FindEntry("userdicgr.tlx")->Size, 0);
    EXPECT_EQ(files.FindEntry("LICENSE.TXT"), files.Entries()[0].get());
}
