// The shells of the folder list and the drive list: a native owner-drawn list box and drop-down
// list with the form description's settings. What the lists show and do is added by classes
// derived from these, through the virtual hooks below.
#pragma once

#include <string>

#include "components/Controls.h"

class TCustomDriveComboBox;

// An owner-drawn list box (fixed item height) that reports selection changes.
class TCustomDirectoryListBox : public TWinControl {
public:
    TCustomDirectoryListBox();
    int ItemHeight() const { return itemHeight_; }
    // The drive list that names this list as its DirList, or null.
    TCustomDriveComboBox* DriveList() const { return driveList_; }
    // The folder the list stands on; a lone NUL character, which names nothing, until it moves.
    // Runs OnChange (guarded: no exception leaves it).
    void Change() { Fire(OnChange); }
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool BindEvent(const std::string& event, const std::string& handler, int line, TForm& form) override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The list box's WM_COMMAND notifications (LBN_SELCHANGE, LBN_DBLCLK...).
    virtual void Notification(WORD code);
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void MeasureItem(MEASUREITEMSTRUCT& item);

private:
    friend class TCustomDriveComboBox;
    int itemHeight_ = 16;
    TCustomDriveComboBox* driveList_ = nullptr;
};

// An owner-drawn drop-down list (fixed item height) linked to a folder list.
class TCustomDriveComboBox : public TWinControl {
public:
    TCustomDriveComboBox();
    int ItemHeight() const { return itemHeight_; }
    TCustomDirectoryListBox* DirList() const { return dirList_; }
    // The drive the list stands on, a lower-case letter; none (NUL) until it first moves.
    void Change() { Fire(OnChange); }
    TNotifyEvent OnChange;

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool BindEvent(const std::string& event, const std::string& handler, int line, TForm& form) override;
    void Loaded() override;
    bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // While the list is dropped down, Enter and Escape close it instead of pressing buttons.
    UINT DialogCode(const MSG& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    // The window's height includes the drop-down list's.
    RECT CreationBounds() const override;
    // The combo box's WM_COMMAND notifications (CBN_SELCHANGE, CBN_CLOSEUP...).
    virtual void Notification(WORD code);
    virtual void DrawItem(const DRAWITEMSTRUCT& item);
    virtual void MeasureItem(MEASUREITEMSTRUCT& item);

private:
    int itemHeight_ = 16;
    std::string dirListName_;
    int dirListLine_ = 0;
    TCustomDirectoryListBox* dirList_ = nullptr;
};
