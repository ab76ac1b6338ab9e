// The home-folder page as a user meets it: the proposal from the saved settings, the program-files
// folder and "-d", the drive list, and the drive watch while drives come and go.
#include <gtest/gtest.h>

#include "components/Registry.h"
#include "tests/drives/MountManager.h"
#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"
#include "wizard/Settings.h"

namespace {

const char LaunchBox[] = "&Launch Korvanta Word Processor";

class HomeFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        defaultFolder_ = PathJoin(GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER), "Korvanta");
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        for (char letter : {'q', 'r'})
            UnplugDrive(letter);
    }

    static void Cancel(SetupSession& setup)
    {
        setup.Press("Cancel");
        const MessageBoxSeen question = setup.WaitForBox();
        ASSERT_NE(question.Window, nullptr);
        AnswerMessageBox(question.Window, IDYES);
        EXPECT_EQ(setup.WaitForExit(), 0u);
    }

    // A Unix folder for a drive to be plugged in, made through Wine's Z: drive.
    static std::string DriveFolder(char letter)
    {
        const std::string unixPath = std::string("/tmp/setup-test-drive-") + letter;
        CreateDirectoryA(("Z:" + unixPath).c_str(), nullptr);
        return unixPath;
    }

    static std::vector<std::string> DriveItems(HWND combo, bool allDrives = true)
    {
        std::vector<std::string> items;
        const auto count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[MAX_PATH] = {};
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            char narrow[MAX_PATH] = {};
            WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, MAX_PATH, nullptr, nullptr);
            // x: and y: are the run's mounted test drives, where it could mount them.
            if (allDrives || (narrow[0] != 'x' && narrow[0] != 'y'))
                items.push_back(narrow);
        }
        return items;
    }

    static std::string SelectedDrive(HWND combo)
    {
        const auto index = SendMessageA(combo, CB_GETCURSEL, 0, 0);
        return index < 0 ? std::string() : DriveItems(combo)[static_cast<size_t>(index)];
    }

    // Waits up to two seconds, the drive watch's period being one.
    static bool WaitFor(const std::function<bool()>& condition)
    {
        for (int i = 0; i < 40; ++i) {
            if (condition())
                return true;
            Sleep(50);
        }
        return condition();
    }

    InstUtilsSession session_;
    ScratchFolder temp_{true};
    std::string defaultFolder_;
};

}  // namespace

TEST_F(HomeFolder, TheProposalComesFromTheSettingsTheProgramFilesFolderOrTheCommandLine)
{
    ScratchFolder saved;
    const std::string savedFolder = saved.Path().substr(0, saved.Path().size() - 1);
    const std::string longFolder = "C:\\" + std::string(300, 'k');
    struct Case {
        const char* what;
        std::string mainDir;  // "-": no value
        std::string arguments;
        std::string proposal;
    };
    const Case cases[] = {
        {"nothing saved", "-", "", defaultFolder_},
        {"saved folder", savedFolder, "", savedFolder},
        {"saved folder gone", "C:\\No\\Such\\Folder", "", defaultFolder_},
        {"-d wins over the saved folder", savedFolder, "-dD:\\Tools\\Korvanta", "D:\\Tools\\Korvanta"},
        {"-d alone", savedFolder, "-d C:\\Other", ""},
        {"-D is not the switch", savedFolder, "-DC:\\Other", savedFolder},
        {"/d is not the switch", "-", "/dC:\\Other", defaultFolder_},
        {"quoted with blanks", "-", "\"-dC:\\My Programs\\Korvanta\"", "C:\\My Programs\\Korvanta"},
        {"a long parameter", "-", "-d" + longFolder, longFolder},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        if (c.mainDir != "-")
            TRegistry(SettingsKey).WriteString("MAINDIR", c.mainDir);
        SetupSession setup(c.arguments);
        ASSERT_NE(setup.Window(), nullptr) << c.what;
        EXPECT_EQ(setup.FolderEditText(), c.proposal) << c.what;
        Cancel(setup);
    }
}

TEST_F(HomeFolder, TheLaunchBoxStartsAsSavedAndTheKeyIsCreatedByReading)
{
    struct Case {
        int launch;  // -1: no value
        bool ticked;
    };
    for (const Case& c : {Case{-1, true}, Case{0, false}, Case{1, true}, Case{7, true}}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        if (c.launch >= 0)
            TRegistry(SettingsKey).WriteDword("LAUNCH", static_cast<uint32_t>(c.launch));
        SetupSession setup;
        ASSERT_NE(setup.Window(), nullptr);
        EXPECT_EQ(setup.Checked(LaunchBox), c.ticked) << c.launch;
        Cancel(setup);
        HKEY key;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        RegCloseKey(key);
    }
}

TEST_F(HomeFolder, TheDriveListShowsEveryDriveButCdRoms)
{
    SetupSession setup;
    HWND combo = setup.Controls("ComboBox").at(0);
    EXPECT_EQ(DriveItems(combo, false), (std::vector<std::string>{"c: ", "e: ", "l: [data disk]", "n: ", "z: "}));
    EXPECT_EQ(SelectedDrive(combo), "c: ");
    Cancel(setup);
}

TEST_F(HomeFolder, TheDriveWatchFollowsDrivesThatComeAndGoOnAnyPage)
{
    SetupSession setup;
    HWND combo = setup.Controls("ComboBox").at(0);
    const size_t drivesAtStart = DriveItems(combo).size();
    ASSERT_TRUE(PlugDrive('q', DriveFolder('q')));
    EXPECT_TRUE(WaitFor([&] { return SelectedDrive(combo) == "q: "; })) << SelectedDrive(combo);
    EXPECT_EQ(setup.FolderEditText(), "q:\\Korvanta");

    ASSERT_TRUE(PlugDrive('r', DriveFolder('r')));
    EXPECT_TRUE(WaitFor([&] { return SelectedDrive(combo) == "r: "; }));
    ASSERT_TRUE(UnplugDrive('q'));
    EXPECT_TRUE(WaitFor([&] { return DriveItems(combo).size() == drivesAtStart + 1; }));
    EXPECT_EQ(SelectedDrive(combo), "r: ");
    EXPECT_EQ(setup.FolderEditText(), "r:\\Korvanta");

    // The current drive goes while the close question is open: the lists return to the
    // program-files drive all the same.
    setup.Press("Cancel");
    const MessageBoxSeen question = setup.WaitForBox();
    ASSERT_NE(question.Window, nullptr);
    ASSERT_TRUE(UnplugDrive('r'));
    EXPECT_TRUE(WaitFor([&] { return SelectedDrive(combo) == "c: "; }));
    EXPECT_EQ(setup.FolderEditText(), defaultFolder_);
    AnswerMessageBox(question.Window, IDNO);
    Cancel(setup);
}
