#include "wizard/FileCtrl.h"

#include <algorithm>
#include <map>

#include <windows.h>

#include "utils/InstUtils.h"

namespace {

constexpr int PictureLeft = 2;
constexpr int TextGap = 4;
constexpr int IndentPerLevel = 12;
constexpr int RootIndent = 3;

// The list pictures, loaded from the program once and freed at exit.
HBITMAP ListPicture(const char* name)
{
    static std::map<std::string, TGdiObject> pictures;
    TGdiObject& picture = pictures[name];
    if (!picture.Get())
        picture.Reset(LoadBitmapA(GetModuleHandleA(nullptr), name));
    return static_cast<HBITMAP>(picture.Get());
}

SIZE PictureSize(HBITMAP picture)
{
    BITMAP info{};
    GetObjectA(picture, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// Draws a picture and a text after it, in the colours of a selected or a plain item.
void DrawPictureItem(const DRAWITEMSTRUCT& item, HBITMAP picture, const std::string& text, int indent)
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    FillRect(dc, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const SIZE size = PictureSize(picture);
    const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - size.cy) / 2;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(dc, item.rcItem.left + indent, top, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    RECT textRect = item.rcItem;
    textRect.left += indent + size.cx + TextGap;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &item.rcItem);
}

int ItemHeightFor(HFONT font, HBITMAP picture)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return std::max<int>(metrics.tmHeight + 4, PictureSize(picture).cy);
}

char UpperLetter(char c)
{
    CharUpperBuffA(&c, 1);
    return c;
}

char LowerLetter(char c)
{
    CharLowerBuffA(&c, 1);
    return c;
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lower case as the system writes it; only A to Z where the code page has double-byte characters.
std::string LowerName(std::string name)
{
    CPINFO info{};
    GetCPInfo(CP_ACP, &info);
    if (info.MaxCharSize > 1)
        std::transform(name.begin(), name.end(), name.begin(), AsciiLower);
    else if (!name.empty())
        CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
    return name;
}

using WNetGetConnectionFn = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);

// The remote name of a network drive, from mpr.dll in the system folder only.
bool RemoteName(char drive, std::string& name)
{
    static const auto connection = [] {
        HMODULE mpr = LoadLibraryExA("mpr.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return mpr ? reinterpret_cast<WNetGetConnectionFn>(reinterpret_cast<void*>(GetProcAddress(mpr, "WNetGetConnectionA")))
                   : nullptr;
    }();
    if (!connection)
        return false;
    const char local[] = {drive, ':', '\0'};
    char remote[MAX_PATH] = {};
    DWORD length = sizeof remote;
    if (connection(local, remote, &length) != NO_ERROR)
        return false;
    name = remote;
    return true;
}

std::string VolumeLabel(const std::string& root)
{
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    char label[MAX_PATH + 1] = {};
    const bool read = GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0);
    SetErrorMode(oldMode);
    return read && label[0] ? "[" + std::string(label) + "]" : std::string();
}

int CompareNamesCI(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) - CSTR_EQUAL;
}

}  // namespace

// ---- the drive list ----

TDirectoryListBox* TDriveComboBox::Folders() const
{
    return static_cast<TDirectoryListBox*>(DirList());
}

void TDriveComboBox::RebuildDriveList()
{
    items_.clear();
    selected_ = -1;
    driveMask_ = GetLogicalDrives();
    for (int i = 2; i <= 25; ++i) {
        if (!(driveMask_ & (1u << i)))
            continue;
        const char drive = static_cast<char>('a' + i);
        const std::string root = std::string(1, drive) + ":\\";
        const UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_CDROM)
            continue;
        std::string name;
        if (type != DRIVE_REMOTE || !RemoteName(drive, name))
            name = VolumeLabel(root);
        items_.push_back({std::string(1, drive) + ": " + LowerName(name), IsRemovableDrive(root)});
    }
    ShowItems();
}

void TDriveComboBox::SelectDrive(char letter)
{
    if (selected_ >= 0 && UpperLetter(letter) == UpperLetter(currentDrive_))
        return;
    currentDrive_ = LowerLetter(letter);
    int found = -1;
    for (int i = 0; i < ItemCount() && found < 0; ++i)
        if (ItemText(i).size() >= 2 && UpperLetter(ItemText(i)[0]) == UpperLetter(currentDrive_) && ItemText(i)[1] == ':')
            found = i;
    Select(found);
    if (Folders())
        Folders()->SetFolderDrive(currentDrive_);
    Change();
}

std::string TDriveComboBox::SelectedText() const
{
    return selected_ >= 0 ? ItemText(selected_) : std::string();
}

void TDriveComboBox::SelectItemByText(const std::string& text)
{
    int found = -1;
    for (int i = 0; i < ItemCount() && found < 0; ++i)
        if (SameTextCI(ItemText(i), text))
            found = i;
    Select(found);
}

void TDriveComboBox::Select(int index)
{
    selected_ = index;
    if (Handle())
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TDriveComboBox::ShowItems()
{
    if (!Handle())
        return;
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const Item& item : items_)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Text.c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void TDriveComboBox::HandleCreated()
{
    RebuildDriveList();
    SelectDrive(currentDrive_);
}

void TDriveComboBox::Notification(WORD code)
{
    if (code != CBN_SELCHANGE)
        return;
    const auto picked = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    if (picked >= 0 && picked < ItemCount())
        SelectDrive(ItemText(picked)[0]);
}

void TDriveComboBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= ItemCount())
        return;
    const int index = static_cast<int>(item.itemID);
    DrawPictureItem(item, ListPicture(ItemRemovable(index) ? "REMOVABLEDRIVE" : "FIXEDDRIVE"), ItemText(index),
                    Scale(PictureLeft));
}

void TDriveComboBox::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(ItemHeightFor(FontHandle(), ListPicture("FIXEDDRIVE")));
}

// ---- the folder list ----

TDirectoryListBox::TDirectoryListBox() : currentFolder_(1, '\0') {}

TDriveComboBox* TDirectoryListBox::Drives() const
{
    return static_cast<TDriveComboBox*>(DriveList());
}

bool TDirectoryListBox::SameFolder(const std::string& a, const std::string& b) const
{
    return caseSensitive_ ? a == b : SameTextCI(a, b);
}

void TDirectoryListBox::SetFolder(const std::string& folder)
{
    if (folder.empty() || SameFolder(folder, currentFolder_))
        return;
    std::string path = folder;
    while (!DirExists(path) && path.size() > DrivePart(path).size() + 1) {
        if (path.back() == '\\')
            path.pop_back();
        path = FolderPart(path);
    }
    const bool driveChanged = UpperLetter(path[0]) != UpperLetter(currentFolder_[0]);
    currentFolder_ = path;
    if (driveChanged) {
        refreshSuppressed_ = true;
        if (Drives())
            Drives()->SelectDrive(path[0]);
        else
            SetFolderDrive(path[0]);
        refreshSuppressed_ = false;
    }
    RebuildFolderList();
    Change();
}

void TDirectoryListBox::SetFolderDrive(char letter)
{
    if (static_cast<unsigned char>(letter) <= ' ' || UpperLetter(letter) == UpperLetter(currentFolder_[0]))
        return;
    std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER);
    if (!programFiles.empty() && UpperLetter(letter) == UpperLetter(programFiles[0])) {
        AddBackslash(programFiles);
        currentFolder_ = DirExists(programFiles + "Korvanta") ? programFiles + "Korvanta" : programFiles;
    } else {
        const size_t colon = currentFolder_.find(':');
        const std::string sameOnDrive = colon == std::string::npos ? "" : letter + currentFolder_.substr(colon);
        currentFolder_ = !sameOnDrive.empty() && DirExists(sameOnDrive) ? sameOnDrive : std::string(1, letter) + ":\\";
    }
    if (!refreshSuppressed_) {
        RebuildFolderList();
        Change();
    }
}

void TDirectoryListBox::ReadVolumeFlags()
{
    DWORD flags = 0;
    const std::string root = DrivePart(currentFolder_) + "\\";
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    if (GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        caseSensitive_ = (flags & FILE_CASE_SENSITIVE_SEARCH) != 0;
        casePreserving_ = (flags & FILE_CASE_PRESERVED_NAMES) != 0;
    }
    SetErrorMode(oldMode);
}

void TDirectoryListBox::RebuildFolderList()
{
    items_.clear();
    selected_ = -1;
    if (currentFolder_[0] != '\0') {
        ReadVolumeFlags();
        std::vector<std::string> open;
        std::string t = currentFolder_;
        while (t.size() > 3) {
            if (t.back() == '\\')
                t.pop_back();
            open.insert(open.begin(), t);
            t = t.substr(0, t.find_last_of('\\') + 1);
        }
        open.insert(open.begin(), t);
        for (size_t i = 0; i < open.size(); ++i)
            items_.push_back({open[i], true, static_cast<int>(i)});

        std::vector<std::string> names;
        std::string folder = currentFolder_;
        AddBackslash(folder);
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
                    names.push_back(name);
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return CompareNamesCI(a, b) < 0; });
        for (const std::string& name : names)
            items_.push_back({folder + name, false, static_cast<int>(open.size())});
    }
    ShowItems();
}

void TDirectoryListBox::SelectCurrentFolder()
{
    selected_ = -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (ItemOpen(i))
            selected_ = i;
    if (Handle())
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(selected_), 0);
}

void TDirectoryListBox::ShowItems()
{
    if (Handle()) {
        SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
        SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
        for (const Item& item : items_)
            SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.Path.c_str()));
        SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    SelectCurrentFolder();
}

std::string TDirectoryListBox::ItemCaption(int index) const
{
    const std::string& path = ItemPath(index);
    std::string caption = index == 0 ? path.substr(0, 2) : path.substr(path.find_last_of('\\') + 1);
    return caseSensitive_ || casePreserving_ ? caption : LowerName(caption);
}

int TDirectoryListBox::ItemIndent(int index) const
{
    const int level = items_[static_cast<size_t>(index)].Level;
    return level == 0 ? RootIndent : IndentPerLevel * level;
}

void TDirectoryListBox::HandleCreated()
{
    RebuildFolderList();
}

void TDirectoryListBox::Notification(WORD code)
{
    if (code != LBN_SELCHANGE)
        return;
    const auto picked = static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
    if (picked >= 0 && picked < ItemCount())
        SetFolder(ItemPath(picked));
}

void TDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= ItemCount())
        return;
    const int index = static_cast<int>(item.itemID);
    DrawPictureItem(item, ListPicture(ItemOpen(index) ? "OPENFOLDER" : "CLOSEDFOLDER"), ItemCaption(index),
                    Scale(ItemIndent(index)));
}

void TDirectoryListBox::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(Scale(ItemHeight()));
}
