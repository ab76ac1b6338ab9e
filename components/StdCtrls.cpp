#include "components/StdCtrls.h"

#include "components/Forms.h"
#include "components/StringList.h"

namespace {

// A label or check box shows its parent's background, with its own text colour.
LRESULT TransparentText(TWinControl& control, WPARAM deviceContext)
{
    HDC dc = reinterpret_cast<HDC>(deviceContext);
    SetTextColor(dc, ColorToRGB(control.Font().Color));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(control.Parent()->BackgroundBrush());
}

}  // namespace

TLabel::TLabel() = default;

void TLabel::SetCaption(const std::string& caption)
{
    TWinControl::SetCaption(caption);
    AdjustSize();
}

bool TLabel::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "AutoSize") {
        autoSize_ = value.AsBool(name);
    } else if (name == "FocusControl") {
        focusControlName_ = value.AsIdent(name);
        focusControlLine_ = value.Line;
    } else {
        return SetCaptionProperty(name, value) || SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
    }
    return true;
}

void TLabel::Loaded()
{
    if (focusControlName_.empty())
        return;
    focusControl_ = Owner()->FindComponent(focusControlName_);
    if (!focusControl_)
        FormError(focusControlLine_, "FocusControl names no component: " + focusControlName_);
}

void TLabel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass = "Static";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | SS_LEFT;
}

void TLabel::HandleCreated()
{
    AdjustSize();
}

void TLabel::AdjustSize()
{
    if (!autoSize_ || !Handle())
        return;
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, FontHandle());
    const std::string text = Caption();
    RECT r{0, 0, 0, 0};
    DrawTextA(dc, text.empty() ? " " : text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    // A label that shrinks leaves its old text on the parent unless that area is painted again.
    HWND parent = GetParent(Handle());
    RECT before;
    GetWindowRect(Handle(), &before);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&before), 2);
    SetWindowPos(Handle(), nullptr, 0, 0, r.right, r.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(parent, &before, TRUE);
    // The static control drew the new text at its old width, wrapped; draw it all again at the new one.
    InvalidateRect(Handle(), nullptr, TRUE);
}

bool TLabel::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_CTLCOLORSTATIC)
        return false;
    result = TransparentText(*this, wParam);
    return true;
}

bool TLabel::DialogChar(char letter)
{
    if (!focusControl_ || !Showing() || !IsAccelerator(Caption(), letter) || !focusControl_->CanFocus())
        return false;
    focusControl_->SetFocus();
    return true;
}

TEdit::TEdit()
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
}

bool TEdit::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "Text")
        return SetCaptionProperty("Caption", value);
    return SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
}

void TEdit::CreateParams(TCreateParams& params)
{
    params.WindowClass = "Edit";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | ES_LEFT;
    params.ExStyle = WS_EX_CLIENTEDGE;
}

bool TEdit::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message != WM_CTLCOLOREDIT)
        return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), ColorToRGB(Font().Color));
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

TMemo::TMemo()
{
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
}

int TMemo::LineCount() const
{
    const std::string text = Caption();
    if (text.empty())
        return 0;
    int lines = 1;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

void TMemo::LoadLinesFromFile(const std::string& path)
{
    TStringList lines;
    lines.LoadFromFile(path);
    std::string text = lines.Text();
    if (!text.empty())
        text.resize(text.size() - 2);
    SetCaption(text);
}

bool TMemo::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "ReadOnly") {
        readOnly_ = value.AsBool(name);
    } else if (name == "ScrollBars") {
        const std::string& bars = value.AsIdent(name);
        if (bars != "ssNone" && bars != "ssVertical")
            FormError(value.Line, "unknown ScrollBars value " + bars);
        verticalScrollBar_ = bars == "ssVertical";
    } else {
        return SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
    }
    return true;
}

void TMemo::CreateParams(TCreateParams& params)
{
    params.WindowClass = "Edit";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_MULTILINE | ES_AUTOVSCROLL | ES_LEFT;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (verticalScrollBar_)
        params.Style |= WS_VSCROLL;
    params.ExStyle = WS_EX_CLIENTEDGE;
}

bool TMemo::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    // A read-only edit asks for the static colours; the memo stays white like a writable one.
    if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC)
        return false;
    SetTextColor(reinterpret_cast<HDC>(wParam), ColorToRGB(Font().Color));
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

TCheckBox::TCheckBox()
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

bool TCheckBox::Checked() const
{
    return Handle() ? SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED : checked_;
}

void TCheckBox::SetChecked(bool checked)
{
    checked_ = checked;
    if (Handle())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "Checked") {
        checked_ = value.AsBool(name);
        return true;
    }
    return SetCaptionProperty(name, value) || SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
}

void TCheckBox::CreateParams(TCreateParams& params)
{
    params.WindowClass = "Button";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
}

bool TCheckBox::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result)
{
    if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
        result = TransparentText(*this, wParam);
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        checked_ = Checked();
        return true;
    }
    return false;
}

bool TCheckBox::DialogChar(char letter)
{
    if (!CanFocus() || !IsAccelerator(Caption(), letter))
        return false;
    SetFocus();
    SetChecked(!Checked());
    return true;
}

TButton::TButton()
{
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::Click()
{
    Fire(OnClick);
}

bool TButton::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "Default")
        default_ = value.AsBool(name);
    else if (name == "Cancel")
        cancel_ = value.AsBool(name);
    else
        return SetCaptionProperty(name, value) || SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
    return true;
}

bool TButton::BindEvent(const std::string& event, const std::string& handler, int line, TForm& form)
{
    if (event != "OnClick")
        return false;
    OnClick = form.NotifyHandler(handler, line);
    return true;
}

void TButton::CreateParams(TCreateParams& params)
{
    params.WindowClass = "Button";
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

bool TButton::ReflectedMessage(UINT message, WPARAM wParam, LPARAM, LRESULT&)
{
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return false;
    Click();
    return true;
}

bool TButton::DialogChar(char letter)
{
    if (!Showing() || !IsAccelerator(Caption(), letter))
        return false;
    Click();
    return true;
}
