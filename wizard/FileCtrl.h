// The home-folder page's two linked lists. The drive list leaves out CD-ROM drives and a: and b:,
// names network drives by their remote name and marks removable drives by the program's own
// drive test. The folder list opens a folder on a single selection and, on the program-files
// drive, goes straight to the word processor's default folder there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "components/ListControls.h"

class TDirectoryListBox;

class TDriveComboBox : public TCustomDriveComboBox {
public:
    // A drive letter in lower case, or '\0' before the first SelectDrive.
    char CurrentDrive() const { return currentDrive_; }
    // GetLogicalDrives at the last rebuild.
    uint32_t DriveMask() const { return driveMask_; }

    void RebuildDriveList();
    void SelectDrive(char letter);

    int ItemCount() const { return static_cast<int>(items_.size()); }
    const std::string& ItemText(int index) const { return items_[static_cast<size_t>(index)].Text; }
    bool ItemRemovable(int index) const { return items_[static_cast<size_t>(index)].Removable; }
    int SelectedIndex() const { return selected_; }
    // The selected item's text, or empty when none is selected.
    std::string SelectedText() const;
    // Selects the item whose text equals that one in any letter case; none when there is no such item.
    void SelectItemByText(const std::string& text);

protected:
    void HandleCreated() override;
    void Notification(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    struct Item {
        std::string Text;
        bool Removable;
    };
    TDirectoryListBox* Folders() const;
    void Select(int index);
    void ShowItems();

    std::vector<Item> items_;
    int selected_ = -1;
    char currentDrive_ = '\0';
    uint32_t driveMask_ = 0;
};

class TDirectoryListBox : public TCustomDirectoryListBox {
public:
    TDirectoryListBox();

    // The folder the list shows; a lone NUL character before the first move.
    const std::string& CurrentFolder() const { return currentFolder_; }

    // Moves to the path, or to its nearest existing ancestor (at the least the drive root).
    void SetFolder(const std::string& path);
    // Moves to another drive: the program-files drive gives its Korvanta folder (or the
    // program-files folder), any other drive the same path there when it exists, else its root.
    void SetFolderDrive(char letter);
    void RebuildFolderList();

    int ItemCount() const { return static_cast<int>(items_.size()); }
    const std::string& ItemPath(int index) const { return items_[static_cast<size_t>(index)].Path; }
    bool ItemOpen(int index) const { return items_[static_cast<size_t>(index)].Open; }
    int SelectedIndex() const { return selected_; }
    // What an item shows: "C:" for the root, else the last path component.
    std::string ItemCaption(int index) const;
    int ItemIndent(int index) const;

protected:
    void HandleCreated() override;
    void Notification(WORD code) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    struct Item {
        std::string Path;
        bool Open;  // an ancestor of the current folder, or the current folder itself
        int Level;
    };
    TDriveComboBox* Drives() const;
    bool SameFolder(const std::string& a, const std::string& b) const;
    void ReadVolumeFlags();
    void ShowItems();
    void SelectCurrentFolder();

    std::string currentFolder_;
    std::vector<Item> items_;
    int selected_ = -1;
    bool refreshSuppressed_ = false;
    bool caseSensitive_ = false;
    bool casePreserving_ = true;
};
