#include <gtest/gtest.h>

#include "components/Forms.h"
#include "tests/unit/TestSupport.h"
#include "utils/InstUtils.h"
#include "wizard/FileCtrl.h"

namespace {

const char ListsForm[] = R"(object ListsForm: TListsForm
  ClientWidth = 400
  ClientHeight = 300
  object Folders: TDirectoryListBox
    Left = 8
    Top = 8
    Width = 345
    Height = 157
    ItemHeight = 17
    OnChange = FoldersChange
  end
  object Drives: TDriveComboBox
    Left = 8
    Top = 170
    Width = 345
    Height = 19
    DirList = Folders
  end
end
)";

// The two linked lists on a form of their own, never shown.
class Lists : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterComponentClass<TDirectoryListBox>("TDirectoryListBox");
        RegisterComponentClass<TDriveComboBox>("TDriveComboBox");
        form_.RegisterHandler("FoldersChange", [this](TObject*) { ++changes_; });
        form_.LoadFromDescription(ListsForm);
        form_.Bind(folders_, "Folders");
        form_.Bind(drives_, "Drives");
    }

    std::vector<std::string> FolderItems() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < folders_->ItemCount(); ++i)
            items.push_back((folders_->ItemOpen(i) ? "+" : "-") + folders_->ItemPath(i));
        return items;
    }

    // Selects an item as a click does: the list's selection changes and its parent is told.
    void UserSelectsFolder(int index)
    {
        SendMessageA(folders_->Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        SendMessageA(GetParent(folders_->Handle()), WM_COMMAND, MAKEWPARAM(folders_->ControlId(), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(folders_->Handle()));
    }

    InstUtilsSession session_;
    TForm form_{"TListsForm"};
    TDirectoryListBox* folders_ = nullptr;
    TDriveComboBox* drives_ = nullptr;
    int changes_ = 0;
};

}  // namespace

TEST_F(Lists, TheDriveListLeavesOutCdRomsAndNamesEveryOtherDrive)
{
    // The test prefix: c: and z: fixed, e: removable, f: CD-ROM, l: labelled "Data Disk", n: network
    // (and, when the run could mount them, x: and y:, which this test passes over).
    EXPECT_EQ(drives_->DriveMask(), GetLogicalDrives());
    std::vector<std::string> texts;
    for (int i = 0; i < drives_->ItemCount(); ++i) {
        const std::string& text = drives_->ItemText(i);
        EXPECT_EQ(drives_->ItemRemovable(i), text[0] == 'e') << text;
        if (text[0] != 'x' && text[0] != 'y')
            texts.push_back(text);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"c: ", "e: ", "l: [data disk]", "n: ", "z: "}));
    EXPECT_EQ(SendMessageA(drives_->Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(drives_->ItemCount()));
}

TEST_F(Lists, SetFolderShowsAncestorsAndSortedSubfoldersOfTheNearestExistingFolder)
{
    ScratchFolder scratch;
    MakeFolder(scratch / "Top");
    MakeFolder(scratch / "Top\\Mid");
    MakeFolder(scratch / "Top\\Mid\\beta");
    MakeFolder(scratch / "Top\\Mid\\Alpha");
    WriteWholeFile(scratch / "Top\\Mid\\file.txt", "not a folder");
    const std::string mid = scratch / "Top\\Mid";

    folders_->SetFolder(mid + "\\Missing\\Deeper");
    EXPECT_EQ(folders_->CurrentFolder(), mid + "\\");
    const std::vector<std::string> items = FolderItems();
    ASSERT_GE(items.size(), 4u);
    EXPECT_EQ(items.front(), "+C:\\");
    EXPECT_EQ(items[items.size() - 3], "+" + mid);
    EXPECT_EQ(items[items.size() - 2], "-" + mid + "\\Alpha");
    EXPECT_EQ(items.back(), "-" + mid + "\\beta");
    EXPECT_EQ(folders_->SelectedIndex(), static_cast<int>(items.size()) - 3);
    EXPECT_EQ(SendMessageA(folders_->Handle(), LB_GETCURSEL, 0, 0), folders_->SelectedIndex());
    EXPECT_EQ(folders_->ItemCaption(0), "C:");
    EXPECT_EQ(folders_->ItemCaption(static_cast<int>(items.size()) - 1), "beta");
    EXPECT_EQ(drives_->CurrentDrive(), 'c');
    EXPECT_EQ(drives_->SelectedText(), "c: ");
}

TEST_F(Lists, OneSelectionOpensTheFolder)
{
    ScratchFolder scratch;
    MakeFolder(scratch / "Only");
    folders_->SetFolder(scratch.Path());
    const int before = changes_;
    UserSelectsFolder(folders_->ItemCount() - 1);
    EXPECT_EQ(folders_->CurrentFolder(), scratch / "Only");
    EXPECT_EQ(changes_, before + 1);
    UserSelectsFolder(0);
    EXPECT_EQ(folders_->CurrentFolder(), "C:\\");
}

TEST_F(Lists, ChangingDrivesFollowsTheProgramFilesAndSamePathRules)
{
    const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER);
    ASSERT_FALSE(programFiles.empty());
    folders_->SetFolder("L:\\");
    EXPECT_EQ(drives_->CurrentDrive(), 'l');

    drives_->SelectDrive(programFiles[0]);
    EXPECT_EQ(folders_->CurrentFolder(), PathJoin(programFiles, ""));
    ForceDirectories(PathJoin(programFiles, "Korvanta"));
    drives_->SelectDrive('l');
    drives_->SelectDrive(programFiles[0]);
    EXPECT_EQ(folders_->CurrentFolder(), PathJoin(programFiles, "Korvanta"));

    ForceDirectories("L:\\Apps\\Korvanta");
    ForceDirectories("E:\\Apps\\Korvanta");
    folders_->SetFolder("L:\\Apps\\Korvanta");
    drives_->SelectDrive('E');
    EXPECT_EQ(drives_->CurrentDrive(), 'e');
    EXPECT_EQ(folders_->CurrentFolder(), "e:\\Apps\\Korvanta");
    folders_->SetFolder("E:\\Apps");
    drives_->SelectDrive('z');
    EXPECT_EQ(folders_->CurrentFolder(), "z:\\");
    EXPECT_EQ(drives_->SelectedText(), "z: ");

    DeleteTree("L:\\Apps");
    DeleteTree("E:\\Apps");
    DeleteTree(PathJoin(programFiles, "Korvanta"));
}
