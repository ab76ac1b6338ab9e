// Installations as a user makes them: the real setup.exe driven through its pages, then the disk
// and the registry checked.
#include <gtest/gtest.h>

#include <cstring>

#include "archive/AttachFiles.h"
#include "components/Registry.h"
#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"
#include "wizard/Settings.h"
#include "wizard/UpdateLog.h"

namespace {

const char* const PackFiles[] = {"Greek.asc", "hunspell.dll", "el_GR.dic", "el_GR.aff", "userdicgr.tlx", "Greek.hyph",
                                 "Greek.thes"};

class Install : public ::testing::Test {
protected:
    void SetUp() override
    {
        korvantaData_ = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta");
        DeleteTree(korvantaData_);
        DeleteTree(HomeFolder());
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        ForceDirectories(HomeFolder());
        ASSERT_TRUE(CopyFileA(StandInPath().c_str(), (HomeFolder() + "\\kvwrite.exe").c_str(), FALSE));
    }
    void TearDown() override
    {
        DeleteTree(korvantaData_);
        DeleteTree(HomeFolder());
    }

    virtual std::string HomeFolder() const { return "C:\\KvTest\\Korvanta"; }
    std::string PublicFolder(const char* pack) const { return korvantaData_ + "\\Public\\" + pack + "\\"; }
    std::string StampPath() const { return korvantaData_ + "\\Hidden\\install_stamp"; }
    std::string LogPath() const { return korvantaData_ + "\\Update.log"; }

    // From the Welcome page through the installation to the Installation Complete page.
    void InstallUpToFinishPage(SetupSession& setup)
    {
        WalkToReadyPage(setup, HomeFolder());
        setup.Press("&Next >");
        ASSERT_TRUE(setup.WaitForTitle("Installation Complete", 30000));
    }

    void ExpectPackIn(const std::string& folder)
    {
        for (const char* name : PackFiles) {
            const TAttachedFile* entry = pack_.FindEntry(name);
            EXPECT_EQ(ReadWholeFile(folder + name),
                      std::string(reinterpret_cast<const char*>(pack_.Data() + entry->Offset), entry->Size))
                << folder << name;
            EXPECT_EQ(FileDateTime(folder + name), entry->Date) << folder << name;
        }
    }

    bool Launched() const
    {
        for (int i = 0; i < 100; ++i) {
            if (PathExists(HomeFolder() + "\\started.txt"))
                return true;
            Sleep(50);
        }
        return false;
    }

    InstUtilsSession session_;
    ScratchFolder temp_{true};
    TAttachedFiles pack_;
    std::string korvantaData_;
};

class PortableInstall : public Install {
protected:
    std::string HomeFolder() const override { return "E:\\Korvanta"; }
};

}  // namespace

TEST_F(Install, ASharedInstallationWritesThePackTheLogTheStampAndTheSettings)
{
    // The word processor's own installation made the stamp's folder and left an older stamp.
    ForceDirectories(korvantaData_ + "\\Hidden");
    WriteWholeFile(StampPath(), "an older, longer stamp");
    {
        SetupSession setup;
        InstallUpToFinishPage(setup);
        EXPECT_TRUE(setup.Checked("&Launch Korvanta Word Processor"));
        setup.Press("&Finish");
        EXPECT_EQ(setup.WaitForExit(), 0u);
    }
    ExpectPackIn(PublicFolder("Spellcheck"));
    EXPECT_FALSE(PathExists(PublicFolder("Orthographe")));

    const std::string stamp = ReadWholeFile(StampPath());
    ASSERT_EQ(stamp.size(), 8u);
    TDateTime installTime;
    std::memcpy(&installTime, stamp.data(), sizeof installTime);
    EXPECT_LT(LocalNow() - installTime, 60.0 / 86400);

    std::string expectedLog = MarkerLine(installTime) + "\r\n";
    for (const char* name : {"el_GR.aff", "el_GR.dic", "Greek.asc", "Greek.hyph", "Greek.thes", "hunspell.dll"})
        expectedLog += PublicFolder("Spellcheck") + name + "\r\n";
    expectedLog += PublicFolder("Spellcheck") + "userdicgr.tlx\t!\r\n";
    EXPECT_EQ(ReadWholeFile(LogPath()), expectedLog);

    const TStoredSettings saved = ReadSettings();
    EXPECT_EQ(saved.HomeFolder, HomeFolder());
    EXPECT_TRUE(saved.Launch);
    EXPECT_TRUE(Launched());
}

TEST_F(Install, ASecondInstallationRewritesEveryFileAndKeepsOneSectionPerPath)
{
    for (int run = 0; run < 2; ++run) {
        SetupSession setup;
        InstallUpToFinishPage(setup);
        setup.SetCheck("&Launch Korvanta Word Processor", false);
        setup.Press("&Finish");
        EXPECT_EQ(setup.WaitForExit(), 0u);
        if (run == 0) {
            const std::string aff = PublicFolder("Spellcheck") + "el_GR.aff";
            const TDateTime date = FileDateTime(aff);
            WriteWholeFile(aff, "damaged");
            const TDateParts p = DecodeDateTime(date);
            SetLocalWriteTime(aff, p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second);
        }
    }
    ExpectPackIn(PublicFolder("Spellcheck"));
    TStringList log;
    log.LoadFromFile(LogPath());
    ASSERT_EQ(log.Count(), 8);
    EXPECT_EQ(log[0][0], '*');
    EXPECT_FALSE(PathExists(StampPath())) << "the stamp's folder is not made by the setup";
    EXPECT_FALSE(ReadSettings().Launch);
    EXPECT_FALSE(Launched());
}

TEST_F(Install, ThePackGoesIntoEveryPackFolderThatExists)
{
    struct Case {
        bool spellcheck, orthographe;
    };
    for (const Case& c : {Case{true, true}, Case{false, true}}) {
        DeleteTree(korvantaData_);
        if (c.spellcheck)
            ForceDirectories(PublicFolder("Spellcheck"));
        if (c.orthographe)
            ForceDirectories(PublicFolder("Orthographe"));
        SetupSession setup;
        InstallUpToFinishPage(setup);
        setup.SetCheck("&Launch Korvanta Word Processor", false);
        setup.Press("&Finish");
        EXPECT_EQ(setup.WaitForExit(), 0u);

        ExpectPackIn(PublicFolder("Orthographe"));
        TStringList log;
        log.LoadFromFile(LogPath());
        if (c.spellcheck) {
            ExpectPackIn(PublicFolder("Spellcheck"));
            ASSERT_EQ(log.Count(), 15);
            EXPECT_EQ(log[1], PublicFolder("Orthographe") + "el_GR.aff");
            EXPECT_EQ(log[8], PublicFolder("Spellcheck") + "el_GR.aff");
        } else {
            EXPECT_FALSE(PathExists(PublicFolder("Spellcheck")));
            EXPECT_EQ(log.Count(), 8);
        }
    }
}

TEST_F(PortableInstall, APortableInstallationHonoursTheModesAndWritesNoStampOrLog)
{
    const std::string folder = HomeFolder() + "\\Spellcheck\\";
    {
        SetupSession setup;
        InstallUpToFinishPage(setup);
        setup.SetCheck("&Launch Korvanta Word Processor", false);
        setup.Press("&Finish");
        EXPECT_EQ(setup.WaitForExit(), 0u);
    }
    ExpectPackIn(folder);
    WriteWholeFile(folder + "Greek.hyph", "changed and redated");
    WriteWholeFile(folder + "el_GR.aff", "changed, date kept");
    const TDateParts aff = DecodeDateTime(pack_.FindEntry("el_GR.aff")->Date);
    SetLocalWriteTime(folder + "el_GR.aff", aff.Year, aff.Month, aff.Day, aff.Hour, aff.Minute, aff.Second);
    WriteWholeFile(folder + "userdicgr.tlx", "my own words");
    WriteWholeFile(folder + "Greek.asc", "changed");
    {
        SetupSession setup;
        InstallUpToFinishPage(setup);
        setup.SetCheck("&Launch Korvanta Word Processor", true);
        setup.Press("&Finish");
        EXPECT_EQ(setup.WaitForExit(), 0u);
    }
    EXPECT_EQ(ReadWholeFile(folder + "Greek.hyph").size(), static_cast<size_t>(pack_.FindEntry("Greek.hyph")->Size));
    EXPECT_EQ(ReadWholeFile(folder + "Greek.asc").size(), static_cast<size_t>(pack_.FindEntry("Greek.asc")->Size));
    EXPECT_EQ(ReadWholeFile(folder + "el_GR.aff"), "changed, date kept");
    EXPECT_EQ(ReadWholeFile(folder + "userdicgr.tlx"), "my own words");
    EXPECT_FALSE(PathExists(StampPath()));
    EXPECT_FALSE(PathExists(LogPath()));
    EXPECT_FALSE(PathExists(PublicFolder("Spellcheck")));
    EXPECT_EQ(ReadSettings().HomeFolder, HomeFolder());
    EXPECT_TRUE(Launched());
}

TEST_F(Install, AFileHeldOpenByAnotherProgram)
{
    struct Case {
        const char* held;  // the pack file that another program holds open
        int answer;
    };
    for (const Case& c : {Case{"hunspell.dll", IDRETRY}, Case{"hunspell.dll", IDIGNORE}, Case{"el_GR.dic", IDABORT}}) {
        DeleteTree(korvantaData_);
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        ForceDirectories(PublicFolder("Spellcheck"));
        const std::string held = PublicFolder("Spellcheck") + c.held;
        HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        SetupSession setup;
        WalkToReadyPage(setup, HomeFolder());
        setup.Press("&Next >");
        const MessageBoxSeen box = setup.WaitForBox();
        ASSERT_NE(box.Window, nullptr) << c.held;
        EXPECT_EQ(box.Text.rfind("Cannot create file \"" + held + "\".", 0), 0u) << box.Text;
        if (c.answer == IDRETRY)
            CloseHandle(holder);
        AnswerMessageBox(box.Window, c.answer);
        if (c.answer == IDABORT) {
            EXPECT_EQ(setup.WaitForExit(), 0u);
            EXPECT_TRUE(PathExists(PublicFolder("Spellcheck") + "Greek.asc"));
            EXPECT_TRUE(PathExists(PublicFolder("Spellcheck") + "hunspell.dll"));
            EXPECT_FALSE(PathExists(PublicFolder("Spellcheck") + "el_GR.aff"));
            EXPECT_TRUE(ReadSettings().HomeFolderPresent);
            EXPECT_FALSE(PathExists(StampPath()));
        } else {
            ASSERT_TRUE(setup.WaitForTitle("Installation Complete", 30000));
            const size_t written = ReadWholeFile(held).size();
            EXPECT_EQ(written, c.answer == IDRETRY ? static_cast<size_t>(pack_.FindEntry(c.held)->Size) : 0u);
            setup.Press("&Finish");
            EXPECT_EQ(setup.WaitForExit(), 0u);
        }
        if (c.answer != IDRETRY)
            CloseHandle(holder);
    }
}

TEST_F(Install, ClosingFromTheLastPageSavesTheSettingsButWritesNoStampLogOrLaunch)
{
    SetupSession setup;
    InstallUpToFinishPage(setup);
    setup.CloseBox();
    const MessageBoxSeen question = setup.WaitForBox();
    ASSERT_NE(question.Window, nullptr);
    AnswerMessageBox(question.Window, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
    ExpectPackIn(PublicFolder("Spellcheck"));
    EXPECT_FALSE(PathExists(StampPath()));
    EXPECT_FALSE(PathExists(LogPath()));
    EXPECT_FALSE(Launched());
    EXPECT_EQ(ReadSettings().HomeFolder, HomeFolder());
}
