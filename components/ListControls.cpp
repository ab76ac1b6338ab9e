#include "components/ListControls.h"

#include "components/Forms.h"

namespace {

constexpr int DropDownItems = 8;

// The plain drawing of an item: its text, highlighted when selected.
void DrawTextItem(const DRAWITEMSTRUCT& item, const std::string& text)
{
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = item.rcItem;
    r.left += 2;
    DrawTextA(item.hDC, text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

std::string ItemText(HWND window, UINT lengthMessage, UINT textMessage, UINT index)
{
    const auto length = SendMessageA(window, lengthMessage, index, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(window, textMessage, index, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

}  // namespace

TCustomDirectoryListBox::TCustomDirectoryListBox()
{
    SetBounds(0, 0, 145, 97);
    SetTabStop(true);
}

bool TCustomDirectoryListBox::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "ItemHeight") {
        itemHeight_ = value.AsInt(name);
        return true;
    }
    return SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
}

bool TCustomDirectoryListBox::BindEvent(const std::string& event, const std::string& handler, int line, TForm& form)
{
    if (event != "OnChange")
        return false;
    OnChange = form.NotifyHandler(handler, line);
    return true;
}

void TCustomDirectoryListBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "ListBox";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                   LBS_NOINTEGRALHEIGHT;
    params.ExStyle = WS_EX_CLIENTEDGE;
}

bool TCustomDirectoryListBox::ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND: Notification(HIWORD(wParam)); return true;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); result = TRUE; return true;
    case WM_MEASUREITEM: MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); result = TRUE; return true;
    default: return false;
    }
}

void TCustomDirectoryListBox::Notification(WORD code)
{
    if (code == LBN_SELCHANGE)
        Change();
}

void TCustomDirectoryListBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID != static_cast<UINT>(-1))
        DrawTextItem(item, ItemText(Handle(), LB_GETTEXTLEN, LB_GETTEXT, item.itemID));
}

void TCustomDirectoryListBox::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(Scale(itemHeight_));
}

TCustomDriveComboBox::TCustomDriveComboBox()
{
    SetBounds(0, 0, 145, 22);
    SetTabStop(true);
}

bool TCustomDriveComboBox::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "ItemHeight") {
        itemHeight_ = value.AsInt(name);
    } else if (name == "DirList") {
        dirListName_ = value.AsIdent(name);
        dirListLine_ = value.Line;
    } else {
        return SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
    }
    return true;
}

bool TCustomDriveComboBox::BindEvent(const std::string& event, const std::string& handler, int line, TForm& form)
{
    if (event != "OnChange")
        return false;
    OnChange = form.NotifyHandler(handler, line);
    return true;
}

void TCustomDriveComboBox::Loaded()
{
    if (dirListName_.empty())
        return;
    dirList_ = dynamic_cast<TCustomDirectoryListBox*>(Owner()->FindComponent(dirListName_));
    if (!dirList_)
        FormError(dirListLine_, "DirList names no folder list: " + dirListName_);
    dirList_->driveList_ = this;
}

void TCustomDriveComboBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "ComboBox";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

RECT TCustomDriveComboBox::CreationBounds() const
{
    RECT r = PixelBounds();
    r.bottom += Scale(itemHeight_ * DropDownItems);
    return r;
}

bool TCustomDriveComboBox::ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_COMMAND: Notification(HIWORD(wParam)); return true;
    case WM_DRAWITEM: DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); result = TRUE; return true;
    case WM_MEASUREITEM: MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); result = TRUE; return true;
    default: return false;
    }
}

UINT TCustomDriveComboBox::DialogCode(const MSG& message)
{
    UINT code = TWinControl::DialogCode(message);
    if (SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0))
        code |= DLGC_WANTALLKEYS;
    return code;
}

void TCustomDriveComboBox::Notification(WORD code)
{
    if (code == CBN_SELCHANGE)
        Change();
}

void TCustomDriveComboBox::DrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.itemID != static_cast<UINT>(-1))
        DrawTextItem(item, ItemText(Handle(), CB_GETLBTEXTLEN, CB_GETLBTEXT, item.itemID));
}

void TCustomDriveComboBox::MeasureItem(MEASUREITEMSTRUCT& item)
{
    item.itemHeight = static_cast<UINT>(Scale(itemHeight_));
}
