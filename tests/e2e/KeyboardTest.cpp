// The wizard driven with the keyboard alone: Enter presses the focused or the default button,
// Escape the cancel button, Alt with a letter the control that the letter marks, Tab moves the
// focus, and Alt+F4 closes; each only where the button is enabled and visible.
#include <gtest/gtest.h>

#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"
#include "wizard/Settings.h"

namespace {

const char Welcome[] = "Welcome to the Korvanta Greek Spellchecker";

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override
    {
        korvantaData_ = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta");
        DeleteTree(korvantaData_);
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        ForceDirectories(home_);
        ASSERT_TRUE(CopyFileA(StandInPath().c_str(), (home_ + "\\kvwrite.exe").c_str(), FALSE));
    }
    void TearDown() override
    {
        DeleteTree(korvantaData_);
        DeleteTree("C:\\KvKeys");
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((temp_ / "~KorvantaGreekSpellcheckerSetup*").c_str(), &entry);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left: " << entry.cFileName;
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }

    static void ExpectCloseQuestion(SetupSession& setup, int answer)
    {
        const MessageBoxSeen box = setup.WaitForBox();
        ASSERT_NE(box.Window, nullptr) << "no close question: " << DescribeWindow(setup);
        EXPECT_EQ(box.Text, CloseQuestionText);
        EXPECT_EQ(box.Buttons, (std::vector<std::string>{"&Yes", "&No"}));
        AnswerMessageBox(box.Window, answer);
    }

    InstUtilsSession session_;
    ScratchFolder temp_{true};
    const std::string home_ = "C:\\KvKeys\\Korvanta";
    std::string korvantaData_;
};

}  // namespace

TEST_F(Keyboard, EveryKeyWayOfClosingAsksTheCloseQuestion)
{
    struct Way {
        const char* name;
        void (*start)(const SetupSession&);
    };
    const Way ways[] = {
        {"Escape", [](const SetupSession& s) { PostKey(s.Window(), VK_ESCAPE); }},
        {"Alt+F4", [](const SetupSession& s) { PostAltF4(s.Window()); }},
        {"the system menu's Close", [](const SetupSession& s) { s.CloseBox(); }},
    };
    for (const Way& way : ways) {
        SetupSession setup;
        ASSERT_TRUE(setup.WaitForTitle(Welcome)) << way.name;
        way.start(setup);
        ExpectCloseQuestion(setup, IDNO);
        // The wizard is active again once the box has gone, so that keys reach it.
        ASSERT_TRUE(WaitForActive(setup.Window())) << way.name;
        EXPECT_TRUE(setup.WaitForTitle(Welcome)) << way.name;
        way.start(setup);
        ExpectCloseQuestion(setup, IDYES);
        EXPECT_EQ(setup.WaitForExit(), 0u) << way.name;
    }
}

TEST_F(Keyboard, EnterTabAndAltLettersWalkThePagesAndMoveTheFocus)
{
    SetupSession setup("-d" + home_);
    ASSERT_TRUE(setup.WaitForTitle(Welcome));
    HWND next = setup.Control("Button", "&Next >");
    ASSERT_TRUE(WaitForFocus(setup.Window(), next)) << "the first control that takes the focus has it";

    PostKey(setup.Window(), VK_RETURN);
    ASSERT_TRUE(setup.WaitForTitle("License Agreement")) << DescribeWindow(setup);
    EXPECT_TRUE(WaitForFocus(setup.Window(), setup.LicenseMemo()));
    // Alt+A marks the acceptance box: it is cleared, then ticked again.
    PostAltLetter(setup.Window(), 'a');
    PostAltLetter(setup.Window(), 'a');
    PostAltLetter(setup.Window(), 'n');
    ASSERT_TRUE(setup.WaitForTitle("Specify Home Folder")) << DescribeWindow(setup);
    EXPECT_TRUE(WaitForFocus(setup.Window(), setup.FolderEdit()));

    // Tab leaves the edit box; the label's Alt+F brings the focus back to it.
    PostKey(setup.Window(), VK_TAB);
    ASSERT_TRUE(WaitForFocus(setup.Window(), setup.Control("ListBox")));
    PostAltLetter(setup.Window(), 'f');
    ASSERT_TRUE(WaitForFocus(setup.Window(), setup.FolderEdit()));

    PostKey(setup.Window(), VK_RETURN);
    ASSERT_TRUE(setup.WaitForTitle("Ready to Install")) << DescribeWindow(setup);
    EXPECT_TRUE(WaitForFocus(setup.Window(), next));
    PostAltLetter(setup.Window(), 'b');
    ASSERT_TRUE(setup.WaitForTitle("Specify Home Folder")) << DescribeWindow(setup);
    PostAltLetter(setup.Window(), 'b');
    ASSERT_TRUE(setup.WaitForTitle("License Agreement")) << DescribeWindow(setup);
    EXPECT_TRUE(setup.Checked("I &accept all the terms of the above License Agreement"));

    PostAltF4(setup.Window());
    ExpectCloseQuestion(setup, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_FALSE(ReadSettings().HomeFolderPresent) << "nothing is saved before the installation begins";
}

TEST_F(Keyboard, OnTheLastPageEscapeDoesNothingAndEnterFinishes)
{
    SetupSession setup("-d" + home_);
    WalkToReadyPage(setup, home_);
    PostKey(setup.Window(), VK_RETURN);
    ASSERT_TRUE(setup.WaitForTitle("Installation Complete", 30000)) << DescribeWindow(setup);
    ASSERT_TRUE(setup.Checked("&Launch Korvanta Word Processor"));
    PostAltLetter(setup.Window(), 'l');
    // Cancel is disabled here: had Escape asked the close question, the wizard could not end
    // until it was answered, and Finish would not end it with exit code 0.
    PostKey(setup.Window(), VK_ESCAPE);
    PostKey(setup.Window(), VK_RETURN);
    EXPECT_EQ(setup.WaitForExit(), 0u) << DescribeWindow(setup);
    const TStoredSettings saved = ReadSettings();
    EXPECT_EQ(saved.HomeFolder, home_);
    EXPECT_FALSE(saved.Launch) << "Alt+L cleared the launch box before Finish";
}
