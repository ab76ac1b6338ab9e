#include "components/Controls.h"

#include <algorithm>
#include <cctype>
#include <set>

#include <commctrl.h>

#include "components/Exceptions.h"
#include "components/Forms.h"

TScreen Screen;

namespace {

const char ControlProperty[] = "TWinControl";
constexpr UINT_PTR SubclassId = 1;

int NextControlId()
{
    static int next = 100;
    return next++;
}

void RegisterOwnClass(const std::string& name, WNDPROC procedure)
{
    static std::set<std::string> registered;
    if (!registered.insert(name).second)
        return;
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    windowClass.lpszClassName = name.c_str();
    RegisterClassA(&windowClass);
}

TAlign ParseAlign(const TPropValue& value)
{
    static const std::pair<const char*, TAlign> names[] = {{"alNone", TAlign::None},   {"alTop", TAlign::Top},
                                                           {"alBottom", TAlign::Bottom}, {"alLeft", TAlign::Left},
                                                           {"alRight", TAlign::Right}, {"alClient", TAlign::Client}};
    for (const auto& name : names)
        if (value.AsIdent("Align") == name.first)
            return name.second;
    FormError(value.Line, "unknown Align value " + value.Text);
}

}  // namespace

COLORREF ColorToRGB(TColor color)
{
    return (color & 0xFF000000u) == 0xFF000000u ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

int TScreen::PixelsPerInch()
{
    if (pixelsPerInch_ == 0) {
        HDC screen = GetDC(nullptr);
        pixelsPerInch_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return pixelsPerInch_;
}

void TScreen::SetCursor(int cursor)
{
    cursor_ = cursor;
    ::SetCursor(CursorHandle());
}

HCURSOR TScreen::CursorHandle() const
{
    switch (cursor_) {
    case crHourGlass: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
    default: return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    }
}

void TGdiObject::Reset(HGDIOBJ object)
{
    if (object_)
        DeleteObject(object_);
    object_ = object;
}

TWinControl::TWinControl() : id_(NextControlId()) {}

TWinControl::~TWinControl()
{
    if (handle_)
        DestroyWindow(handle_);
}

TWinControl* TWinControl::FromHandle(HWND window)
{
    return window ? static_cast<TWinControl*>(GetPropA(window, ControlProperty)) : nullptr;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_) {
        const RECT r = CreationBounds();
        SetWindowPos(handle_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

int TWinControl::Scale(int designUnits) const
{
    const int design = owner_ ? owner_->DesignPixelsPerInch() : 96;
    return MulDiv(designUnits, Screen.PixelsPerInch(), design);
}

RECT TWinControl::PixelBounds() const
{
    // Edges are scaled, not sizes, so that adjoining controls stay adjoining.
    return RECT{Scale(left_), Scale(top_), Scale(left_ + width_), Scale(top_ + height_)};
}

void TWinControl::SetVisible(bool visible)
{
    visible_ = visible;
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (handle_)
        EnableWindow(handle_, enabled);
}

bool TWinControl::Showing() const
{
    if (!handle_ || !IsWindowVisible(handle_))
        return false;
    for (const TWinControl* control = this; control; control = control->parent_)
        if (!control->enabled_)
            return false;
    return true;
}

bool TWinControl::Focused() const
{
    return handle_ && GetFocus() == handle_;
}

void TWinControl::SetFocus()
{
    if (CanFocus())
        ::SetFocus(handle_);
}

std::string TWinControl::Caption() const
{
    if (!handle_)
        return caption_;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(handle_, &text[0], static_cast<int>(text.size()))));
    return text;
}

void TWinControl::SetCaption(const std::string& caption)
{
    caption_ = caption;
    if (handle_)
        SetWindowTextA(handle_, caption.c_str());
}

HBRUSH TWinControl::BackgroundBrush()
{
    const TColor color = BackgroundColor();
    if ((color & 0xFF000000u) == 0xFF000000u)
        return GetSysColorBrush(static_cast<int>(color & 0xFF));
    if (!brush_.Get() || brushColor_ != color) {
        brush_.Reset(CreateSolidBrush(color));
        brushColor_ = color;
    }
    return static_cast<HBRUSH>(brush_.Get());
}

bool TWinControl::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "Left")
        left_ = value.AsInt(name);
    else if (name == "Top")
        top_ = value.AsInt(name);
    else if (name == "Width")
        width_ = value.AsInt(name);
    else if (name == "Height")
        height_ = value.AsInt(name);
    else if (name == "Align")
        align_ = ParseAlign(value);
    else if (name == "Visible")
        visible_ = value.AsBool(name);
    else if (name == "Enabled")
        enabled_ = value.AsBool(name);
    else
        return false;
    return true;
}

bool TWinControl::BindEvent(const std::string&, const std::string&, int, TForm&)
{
    return false;
}

bool TWinControl::AcceptsChild(const TWinControl&) const
{
    return false;
}

bool TWinControl::SetCaptionProperty(const std::string& name, const TPropValue& value)
{
    if (name != "Caption")
        return false;
    caption_ = value.AsText(name);
    return true;
}

bool TWinControl::SetFontProperty(const std::string& name, const TPropValue& value)
{
    if (name == "ParentFont") {
        parentFont_ = value.AsBool(name);
        return true;
    }
    if (name.compare(0, 5, "Font.") != 0)
        return false;
    parentFont_ = false;
    if (name == "Font.Name") {
        font_.Name = value.AsText(name);
    } else if (name == "Font.Height") {
        font_.Height = value.AsInt(name);
    } else if (name == "Font.Color") {
        font_.Color = static_cast<TColor>(value.AsInt(name));
    } else if (name == "Font.Style") {
        font_.Bold = false;
        for (const std::string& style : value.AsSet(name)) {
            if (style != "fsBold")
                FormError(value.Line, "unknown Font.Style value " + style);
            font_.Bold = true;
        }
    } else if (name == "Font.Charset") {
        if (value.AsIdent(name) != "DEFAULT_CHARSET" && value.Text != "ANSI_CHARSET")
            FormError(value.Line, "unknown Font.Charset value " + value.Text);
        font_.Charset = value.Text == "ANSI_CHARSET" ? ANSI_CHARSET : DEFAULT_CHARSET;
    } else {
        return false;
    }
    return true;
}

bool TWinControl::SetColorProperty(const std::string& name, const TPropValue& value)
{
    if (name != "Color")
        return false;
    color_ = static_cast<TColor>(value.AsInt(name));
    return true;
}

void TWinControl::CreateParams(TCreateParams& params)
{
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}

void TWinControl::AlignChildren()
{
    // Aligned children take the edges in the order top, bottom, left, right, then the rest.
    RECT room{0, 0, width_, height_};
    for (TAlign pass : {TAlign::Top, TAlign::Bottom, TAlign::Left, TAlign::Right, TAlign::Client}) {
        for (TWinControl* child : controls_) {
            if (child->align_ != pass)
                continue;
            const int w = child->width_, h = child->height_;
            switch (pass) {
            case TAlign::Top: child->left_ = room.left; child->top_ = room.top; child->width_ = room.right - room.left;
                room.top += h; break;
            case TAlign::Bottom: child->left_ = room.left; child->top_ = room.bottom - h;
                child->width_ = room.right - room.left; room.bottom -= h; break;
            case TAlign::Left: child->left_ = room.left; child->top_ = room.top;
                child->height_ = room.bottom - room.top; room.left += w; break;
            case TAlign::Right: child->left_ = room.right - w; child->top_ = room.top;
                child->height_ = room.bottom - room.top; room.right -= w; break;
            default: child->left_ = room.left; child->top_ = room.top; child->width_ = room.right - room.left;
                child->height_ = room.bottom - room.top;
            }
        }
    }
}

void TWinControl::MakeFont()
{
    if (parentFont_ && parent_)
        font_ = parent_->font_;
    LOGFONTA logFont{};
    logFont.lfHeight = -Scale(-font_.Height);
    logFont.lfWeight = font_.Bold ? FW_BOLD : FW_NORMAL;
    logFont.lfCharSet = static_cast<BYTE>(font_.Charset);
    lstrcpynA(logFont.lfFaceName, font_.Name.c_str(), LF_FACESIZE);
    fontHandle_.Reset(CreateFontIndirectA(&logFont));
}

void TWinControl::CreateHandle()
{
    TCreateParams params;
    CreateParams(params);
    if (visible_)
        params.Style |= WS_VISIBLE;
    if (!enabled_)
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    MakeFont();
    const RECT r = CreationBounds();
    const bool child = (params.Style & WS_CHILD) != 0;
    HWND parentWindow = parent_ ? parent_->handle_ : nullptr;
    if (!child && owner_ == this)
        parentWindow = ApplicationWindowHandle();
    native_ = params.Native;
    if (!native_)
        RegisterOwnClass(params.WindowClass, ClassWndProc);
    HWND window = CreateWindowExA(params.ExStyle, params.WindowClass.c_str(), caption_.c_str(), params.Style, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, parentWindow,
                                  child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr,
                                  GetModuleHandleA(nullptr), this);
    if (!window)
        throw Exception("cannot create the window of " + Name);
    if (native_)
        Attach(window);
    // Later components of a description lie in front of earlier ones.
    if (child)
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.Get()), FALSE);
    HandleCreated();
    AlignChildren();
    for (TWinControl* control : controls_)
        control->CreateHandle();
}

void TWinControl::Attach(HWND window)
{
    handle_ = window;
    SetPropA(window, ControlProperty, this);
    if (native_)
        SetWindowSubclass(window, NativeWndProc, SubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TWinControl::Detach()
{
    RemovePropA(handle_, ControlProperty);
    if (native_)
        RemoveWindowSubclass(handle_, NativeWndProc, SubclassId);
    handle_ = nullptr;
}

LRESULT CALLBACK TWinControl::ClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        control->Attach(window);
    }
    TWinControl* control = FromHandle(window);
    return control ? control->Dispatch(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::NativeWndProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR data)
{
    return reinterpret_cast<TWinControl*>(data)->Dispatch(message, wParam, lParam);
}

LRESULT TWinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    LRESULT result = 0;
    try {
        result = WndProc(message, wParam, lParam);
    } catch (const EAbort&) {
    } catch (...) {
        ShowExceptionBox(CurrentExceptionClassName());
    }
    if (message == WM_NCDESTROY && handle_)
        Detach();
    return result;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam)
{
    return native_ ? DefSubclassProc(handle_, message, wParam, lParam)
                   : DefWindowProcA(handle_, message, wParam, lParam);
}

TWinControl* TWinControl::ChildById(int id) const
{
    for (TWinControl* control : controls_)
        if (control->id_ == id)
            return control;
    return nullptr;
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    TWinControl* child = nullptr;
    switch (message) {
    case WM_COMMAND:
        child = FromHandle(reinterpret_cast<HWND>(lParam));
        break;
    case WM_NOTIFY:
        child = FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
        break;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        // Measuring comes while the child's window is still being created: find it by its id.
        child = ChildById(static_cast<int>(wParam));
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        child = FromHandle(reinterpret_cast<HWND>(lParam));
        break;
    case WM_ERASEBKGND:
        if (!native_) {
            RECT r;
            GetClientRect(handle_, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, BackgroundBrush());
            return 1;
        }
        break;
    case WM_SETCURSOR:
        if (Screen.Cursor() != crDefault) {
            ::SetCursor(Screen.CursorHandle());
            return TRUE;
        }
        break;
    default:
        break;
    }
    LRESULT result = 0;
    if (child && child->parent_ == this && child->ReflectedMessage(message, wParam, lParam, result))
        return result;
    return DefaultHandler(message, wParam, lParam);
}

bool TWinControl::ReflectedMessage(UINT, WPARAM, LPARAM, LRESULT&)
{
    return false;
}

bool TWinControl::DialogChar(char)
{
    return false;
}

UINT TWinControl::DialogCode(const MSG& message)
{
    return static_cast<UINT>(SendMessageA(handle_, WM_GETDLGCODE, message.wParam, 0));
}

void TWinControl::Fire(const TNotifyEvent& handler)
{
    if (handler)
        GuardEvent([&] { handler(this); });
}

bool TWinControl::IsAccelerator(const std::string& caption, char letter)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return std::toupper(static_cast<unsigned char>(caption[i + 1])) == static_cast<unsigned char>(letter);
    }
    return false;
}
