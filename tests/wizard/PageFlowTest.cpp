// The page flow as a user walks it: buttons, captions and titles per page, the license, the
// running word processor, the home-folder check, and every way of closing.
#include <gtest/gtest.h>

#include "archive/AttachFiles.h"
#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"
#include "wizard/Settings.h"

namespace {

const char RunningText[] =
    "There are running instances of Korvanta Word Processor on your computer.\r"
    "Please close any running instance(s) of Korvanta Word Processor before proceeding.";
const char RefusalText[] =
    "To install this program, you need to agree to all the terms\r"
    "of the Korvanta Word Processor License Agreement.\r"
    "Do you really want to cancel the Korvanta Spellchecker install?";
const char WrongFolderText[] =
    "The specified folder does not contain a properly installed Korvanta Word Processor.\r"
    "Please specify the proper home folder of Korvanta Word Processor on your hard disk.";
const char LicenseBox[] = "I &accept all the terms of the above License Agreement";

// A top-level window of this process that carries the word processor's marker property.
class ProductWindow {
public:
    explicit ProductWindow(HANDLE value)
        : window_(CreateWindowExA(0, "Static", "Korvanta Word Processor", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr))
    {
        SetPropA(window_, "1.x Brenvask", value);
    }
    ~ProductWindow()
    {
        RemovePropA(window_, "1.x Brenvask");
        DestroyWindow(window_);
    }

private:
    HWND window_;
};

struct ButtonState {
    bool visible, enabled;
    std::string caption;
};

ButtonState StateOf(HWND button)
{
    return {IsWindowVisible(button) != FALSE, IsWindowEnabled(button) != FALSE, WindowText(button)};
}

class PageFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey);
        ForceDirectories(home_);
        WriteWholeFile(home_ + "\\kvwrite.exe", "stand-in");
    }
    void TearDown() override
    {
        DeleteTree("C:\\KvFlow");
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((temp_ / "~KorvantaGreekSpellcheckerSetup*").c_str(), &entry);
        EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "a temporary file was left: " << entry.cFileName;
        if (search != INVALID_HANDLE_VALUE)
            FindClose(search);
    }

    // The three buttons, found once: they keep their windows while their captions change.
    void FindButtons(SetupSession& setup)
    {
        for (HWND button : setup.Controls("Button")) {
            const std::string caption = WindowText(button);
            if (caption == "< &Back")
                back_ = button;
            else if (caption == "&Next >")
                next_ = button;
            else if (caption == "Cancel")
                cancel_ = button;
        }
        ASSERT_TRUE(back_ && next_ && cancel_) << DescribeWindow(setup);
    }

    void ExpectPage(SetupSession& setup, const char* title, ButtonState back, ButtonState next, ButtonState cancel)
    {
        ASSERT_TRUE(setup.WaitForTitle(title)) << title << DescribeWindow(setup);
        const ButtonState states[] = {StateOf(back_), StateOf(next_), StateOf(cancel_)};
        const ButtonState expected[] = {back, next, cancel};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(states[i].visible, expected[i].visible) << title << " button " << i;
            EXPECT_EQ(states[i].enabled, expected[i].enabled) << title << " button " << i;
            EXPECT_EQ(states[i].caption, expected[i].caption) << title << " button " << i;
        }
    }

    static void ExpectBox(SetupSession& setup, const char* text, int answer)
    {
        const MessageBoxSeen box = setup.WaitForBox();
        ASSERT_NE(box.Window, nullptr) << "no message box: " << DescribeWindow(setup);
        EXPECT_EQ(box.Caption, "Korvanta Greek Spellchecker - Setup");
        EXPECT_EQ(box.Text, text);
        AnswerMessageBox(box.Window, answer);
    }

    InstUtilsSession session_;
    ScratchFolder temp_{true};
    const std::string home_ = "C:\\KvFlow\\Korvanta";
    HWND back_ = nullptr, next_ = nullptr, cancel_ = nullptr;
};

}  // namespace

TEST_F(PageFlow, ForwardAndBackTheButtonsAndTitlesFollowEachPage)
{
    SetupSession setup("-d" + home_);
    FindButtons(setup);
    const ButtonState hidden{false, true, "< &Back"}, back{true, true, "< &Back"}, next{true, true, "&Next >"},
        cancel{true, true, "Cancel"};
    ExpectPage(setup, "Welcome to the Korvanta Greek Spellchecker", hidden, next, cancel);
    const char* const titles[] = {"License Agreement", "Specify Home Folder", "Ready to Install"};
    for (const char* title : titles) {
        setup.Press("&Next >");
        ExpectPage(setup, title, back, next, cancel);
    }
    for (int i = 1; i >= 0; --i) {
        setup.Press("< &Back");
        ExpectPage(setup, titles[i], back, next, cancel);
    }
    setup.Press("< &Back");
    ExpectPage(setup, "Welcome to the Korvanta Greek Spellchecker", hidden, next, cancel);
    setup.CloseBox();
    ExpectBox(setup, CloseQuestionText, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
}

TEST_F(PageFlow, TheLicenseLoadsOnceAndMustBeAccepted)
{
    TAttachedFiles pack;
    const TAttachedFile* license = pack.FindEntry("License.txt");
    std::string expected(reinterpret_cast<const char*>(pack.Data() + license->Offset), license->Size);
    for (size_t at = expected.find('\n'); at != std::string::npos; at = expected.find('\n', at + 2))
        expected.replace(at, 1, "\r\n");
    expected.resize(expected.size() - 2);  // the memo holds lines: no break after the last one

    SetupSession setup;
    EXPECT_EQ(WindowText(setup.LicenseMemo()), "");
    EXPECT_TRUE(setup.Checked(LicenseBox));
    setup.Press("&Next >");
    ASSERT_TRUE(setup.WaitForTitle("License Agreement"));
    EXPECT_EQ(WindowText(setup.LicenseMemo()), expected);

    {
        // Once loaded, the license page is entered again without the running-instance test.
        ProductWindow running(reinterpret_cast<HANDLE>(1));
        setup.Press("< &Back");
        ASSERT_TRUE(setup.WaitForTitle("Welcome to the Korvanta Greek Spellchecker"));
        setup.Press("&Next >");
        ASSERT_TRUE(setup.WaitForTitle("License Agreement"));
        EXPECT_EQ(setup.WaitForBox(500).Window, nullptr);
        EXPECT_EQ(WindowText(setup.LicenseMemo()), expected);
    }

    setup.SetCheck(LicenseBox, false);
    setup.Press("&Next >");
    ExpectBox(setup, RefusalText, IDNO);
    EXPECT_TRUE(setup.WaitForTitle("License Agreement"));
    EXPECT_FALSE(setup.Checked(LicenseBox));
    setup.Press("&Next >");
    ExpectBox(setup, RefusalText, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
}

TEST_F(PageFlow, ARunningWordProcessorBlocksTheLicenseAndTheInstallation)
{
    SetupSession setup("-d" + home_);
    {
        ProductWindow ignored(nullptr);
        ProductWindow running(reinterpret_cast<HANDLE>(1));
        setup.Press("&Next >");
        ExpectBox(setup, RunningText, IDOK);
        EXPECT_TRUE(setup.WaitForTitle("Welcome to the Korvanta Greek Spellchecker"));
    }
    {
        ProductWindow nullValued(nullptr);
        setup.Press("&Next >");
        ASSERT_TRUE(setup.WaitForTitle("License Agreement"));
        setup.Press("&Next >");
        ASSERT_TRUE(setup.WaitForTitle("Specify Home Folder"));
        setup.Press("&Next >");
        ASSERT_TRUE(setup.WaitForTitle("Ready to Install"));
    }
    ProductWindow running(reinterpret_cast<HANDLE>(1));
    setup.Press("&Next >");
    ExpectBox(setup, RunningText, IDOK);
    EXPECT_TRUE(setup.WaitForTitle("Ready to Install"));
    EXPECT_FALSE(PathExists(PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta\\Public")));
    setup.Press("Cancel");
    ExpectBox(setup, CloseQuestionText, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
}

TEST_F(PageFlow, TheHomeFolderIsTidiedAndMustHoldTheWordProcessor)
{
    MakeFolder("C:\\KvFlow\\FolderOnly");
    MakeFolder("C:\\KvFlow\\FolderOnly\\kvwrite.exe");
    const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER);
    struct Case {
        std::string typed, tidied;
    };
    const Case cases[] = {
        {"  " + programFiles + "\\ ", programFiles + "\\Korvanta"},
        {"D:\\", "D:\\Korvanta"},
        {"D:", "D:\\Korvanta"},
        {"E:\\Apps\\Korvanta\\", "E:\\Apps\\Korvanta"},
        {"Programs\\Korvanta", "c:\\Korvanta"},
        {"", "c:\\Korvanta"},
        {"\\\\server\\share\\Korvanta", "\\\\server\\share\\Korvanta"},
        {"C:\\KvFlow\\FolderOnly", "C:\\KvFlow\\FolderOnly"},
    };
    SetupSession setup;
    setup.Press("&Next >");
    ASSERT_TRUE(setup.WaitForTitle("License Agreement"));
    setup.Press("&Next >");
    ASSERT_TRUE(setup.WaitForTitle("Specify Home Folder"));
    for (const Case& c : cases) {
        setup.TypeFolder(c.typed);
        setup.Press("&Next >");
        ExpectBox(setup, WrongFolderText, IDOK);
        EXPECT_TRUE(setup.WaitForTitle("Specify Home Folder"));
        EXPECT_EQ(setup.FolderEditText(), c.tidied) << "typed [" << c.typed << "]";
    }
    setup.TypeFolder(home_ + "\\");
    setup.Press("&Next >");
    ASSERT_TRUE(setup.WaitForTitle("Ready to Install"));
    setup.Press("Cancel");
    ExpectBox(setup, CloseQuestionText, IDYES);
    EXPECT_EQ(setup.WaitForExit(), 0u);
    EXPECT_TRUE(ReadSettings().HomeFolder.empty()) << "nothing is saved before the installation begins";
}

TEST_F(PageFlow, EveryWayOfClosingAsksUnlessTheWizardEndsItself)
{
    // Each way is tried twice: No keeps the wizard open, Yes closes it.
    for (const char* how : {"Cancel", "close box"}) {
        SetupSession setup;
        FindButtons(setup);
        for (int answer : {IDNO, IDYES}) {
            if (std::string(how) == "Cancel")
                setup.Press("Cancel");
            else
                setup.CloseBox();
            ExpectBox(setup, CloseQuestionText, answer);
            if (answer == IDNO)
                EXPECT_TRUE(setup.WaitForTitle("Welcome to the Korvanta Greek Spellchecker")) << how;
        }
        EXPECT_EQ(setup.WaitForExit(), 0u) << how;
    }
}
