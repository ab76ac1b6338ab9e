#include <gtest/gtest.h>

#include "archive/ArchiveRecords.h"
#include "archive/AttachFiles.h"
#include "tests/unit/TestSupport.h"
#include "utils/InstUtils.h"

namespace {

const TDateTime Stamp = EncodeDateTime(2026, 12, 1, 10, 0, 0);

class InstallQueue : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string archive;
        AppendRecord(archive, "a.txt", Stamp, "first a");
        AppendRecord(archive, "Sub\\c.txt", Stamp, "c");
        AppendRecord(archive, "sub\\d.txt", Stamp, "d");
        AppendRecord(archive, "A.TXT", Stamp, "second a");
        packed_ = Compress(archive);
        files_ = std::make_unique<TAttachedFiles>(packed_.data(), static_cast<int32_t>(packed_.size()));
        LogPublicFiles = false;
    }
    void TearDown() override { LogPublicFiles = false; }

    std::vector<std::string> Queued() const
    {
        std::vector<std::string> paths;
        for (const auto& item : files_->InstallGroup(0))
            paths.push_back(item->DestPath);
        return paths;
    }

    InstUtilsSession session_;
    std::string packed_;
    std::unique_ptr<TAttachedFiles> files_;
    ScratchFolder scratch_;
};

enum class Destination { Absent, SameDate, TwoSecondsOff, Folder };

}  // namespace

TEST_F(InstallQueue, EachModeDecidesByWhatStandsAtTheDestination)
{
    struct Case {
        uint8_t mode;
        Destination destination;
        bool queued;
    };
    const Case cases[] = {
        {imIfMissing, Destination::Absent, true},        {imIfMissing, Destination::SameDate, false},
        {imIfMissing, Destination::TwoSecondsOff, false}, {imIfMissing, Destination::Folder, true},
        {imIfChanged, Destination::Absent, true},        {imIfChanged, Destination::SameDate, false},
        {imIfChanged, Destination::TwoSecondsOff, true}, {imIfChanged, Destination::Folder, true},
        {imAlways, Destination::Absent, true},           {imAlways, Destination::SameDate, true},
        {imAlways, Destination::TwoSecondsOff, true},    {imAlways, Destination::Folder, true},
        {9, Destination::Absent, true},                  {9, Destination::TwoSecondsOff, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string folder = scratch_ / ("case" + std::to_string(++n));
        MakeFolder(folder);
        const std::string dest = folder + "\\a.txt";
        if (c.destination == Destination::Folder) {
            MakeFolder(dest);
        } else if (c.destination != Destination::Absent) {
            ASSERT_TRUE(files_->ExtractFile(files_->Entries()[0].get(), "", dest));
            if (c.destination == Destination::TwoSecondsOff)
                SetLocalWriteTime(dest, 2026, 12, 1, 10, 0, 2);
        }
        const size_t before = files_->InstallGroup(0).size();
        EXPECT_EQ(files_->AddFiles("a.txt", folder, 0, c.mode), c.queued) << "case " << n;
        EXPECT_EQ(files_->InstallGroup(0).size() - before, c.queued ? 1u : 0u) << "case " << n;
    }
}

TEST_F(InstallQueue, ForceOverwriteQueuesEverythingButKeepsTheMissingOnlyMark)
{
    LogPublicFiles = true;
    const std::string publicFolder = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta\\Public\\Test");
    ForceDirectories(publicFolder);
    ASSERT_TRUE(files_->ExtractFile(files_->Entries()[0].get(), "", publicFolder + "\\a.txt"));
    files_->ForceOverwrite = true;

    EXPECT_TRUE(files_->AddFiles("A.txt", publicFolder, 0, imIfMissing));
    EXPECT_TRUE(files_->AddFiles("a.txt", publicFolder + "\\", 0, imIfChanged));
    EXPECT_TRUE(files_->AddFiles("a.txt", scratch_.Path(), 0, imIfMissing));
    ASSERT_EQ(files_->InstalledFiles().Count(), 2);
    EXPECT_EQ(files_->InstalledFiles()[0], publicFolder + "\\a.txt\t!");
    EXPECT_EQ(files_->InstalledFiles()[1], publicFolder + "\\a.txt");
    EXPECT_EQ(Queued().size(), 3u);
    DeleteTree(PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta"));
}

TEST_F(InstallQueue, NothingIsLoggedWhileLoggingIsOff)
{
    const std::string publicFolder = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta\\Public\\X");
    EXPECT_TRUE(files_->AddFiles("a.txt", publicFolder, 0, imAlways));
    EXPECT_TRUE(files_->InstalledFiles().Empty());
}

TEST_F(InstallQueue, SingleNamesTakeTheFirstMatchAndFolderNamesTakeEveryMatch)
{
    EXPECT_TRUE(files_->AddFiles("a.TXT", scratch_.Path(), 0, imAlways));
    ASSERT_EQ(files_->InstallGroup(0).size(), 1u);
    EXPECT_EQ(files_->InstallGroup(0)[0]->Entry, files_->Entries()[0].get());

    EXPECT_TRUE(files_->AddFiles("SUB\\", scratch_.Path(), 0, imAlways));
    EXPECT_EQ(Queued(), (std::vector<std::string>{scratch_ / "a.txt", scratch_ / "Sub\\c.txt", scratch_ / "sub\\d.txt"}));

    EXPECT_FALSE(files_->AddFiles("missing.txt", scratch_.Path(), 0, imAlways));
    EXPECT_FALSE(files_->AddFiles("none\\", scratch_.Path(), 0, imAlways));
    EXPECT_EQ(files_->InstallGroup(0).size(), 3u);
}
