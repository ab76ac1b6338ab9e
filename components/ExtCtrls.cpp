#include "components/ExtCtrls.h"

#include <commctrl.h>

namespace {

TBevelCut ParseCut(const TPropValue& value, const std::string& property)
{
    const std::string& name = value.AsIdent(property);
    if (name == "bvNone")
        return TBevelCut::None;
    if (name == "bvLowered")
        return TBevelCut::Lowered;
    if (name == "bvRaised")
        return TBevelCut::Raised;
    FormError(value.Line, "unknown " + property + " value " + name);
}

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Frame(HDC dc, RECT& r, COLORREF topLeft, COLORREF bottomRight)
{
    HPEN light = CreatePen(PS_SOLID, 1, topLeft);
    HPEN dark = CreatePen(PS_SOLID, 1, bottomRight);
    HGDIOBJ old = SelectObject(dc, light);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, dark);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(dark);
    InflateRect(&r, -1, -1);
}

void Bevel(HDC dc, RECT& r, TBevelCut cut)
{
    if (cut == TBevelCut::None)
        return;
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    if (cut == TBevelCut::Raised)
        Frame(dc, r, highlight, shadow);
    else
        Frame(dc, r, shadow, highlight);
}

void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF color)
{
    RECT line{x, top, x + 1, bottom};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &line, brush);
    DeleteObject(brush);
}

void HorizontalLine(HDC dc, int y, int left, int right, COLORREF color)
{
    RECT line{left, y, right, y + 1};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &line, brush);
    DeleteObject(brush);
}

// Paints through BeginPaint and EndPaint around the drawing.
template <typename Draw>
void Paint(HWND window, Draw draw)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    draw(dc, client);
    EndPaint(window, &paint);
}

}  // namespace

TPanel::TPanel()
{
    SetBounds(0, 0, 185, 41);
}

void TPanel::SetParentBackground(bool parentBackground)
{
    parentBackground_ = parentBackground;
    if (Handle())
        InvalidateRect(Handle(), nullptr, TRUE);
}

TColor TPanel::BackgroundColor() const
{
    return parentBackground_ && Parent() ? Parent()->BackgroundColor() : Color();
}

bool TPanel::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "BevelOuter")
        outer_ = ParseCut(value, name);
    else if (name == "BevelInner")
        inner_ = ParseCut(value, name);
    else if (name == "ParentBackground")
        parentBackground_ = value.AsBool(name);
    else
        return SetColorProperty(name, value) || SetFontProperty(name, value) || TWinControl::SetProperty(name, value);
    return true;
}

bool TPanel::AcceptsChild(const TWinControl& child) const
{
    return dynamic_cast<const TTabSheet*>(&child) == nullptr;
}

void TPanel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass = "TPanel";
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return TWinControl::WndProc(message, wParam, lParam);
    Paint(Handle(), [this](HDC dc, RECT r) {
        Bevel(dc, r, outer_);
        Bevel(dc, r, inner_);
    });
    return 0;
}

TBevel::TBevel()
{
    SetBounds(0, 0, 50, 50);
}

TColor TBevel::BackgroundColor() const
{
    return Parent() ? Parent()->BackgroundColor() : Color();
}

bool TBevel::SetProperty(const std::string& name, const TPropValue& value)
{
    if (name == "Style") {
        const std::string& style = value.AsIdent(name);
        if (style != "bsLowered" && style != "bsRaised")
            FormError(value.Line, "unknown Style value " + style);
        style_ = style == "bsRaised" ? TBevelCut::Raised : TBevelCut::Lowered;
        return true;
    }
    if (name == "Shape") {
        static const std::pair<const char*, Shape> shapes[] = {{"bsBox", Shape::Box},
                                                               {"bsTopLine", Shape::TopLine},
                                                               {"bsBottomLine", Shape::BottomLine},
                                                               {"bsLeftLine", Shape::LeftLine},
                                                               {"bsRightLine", Shape::RightLine}};
        for (const auto& shape : shapes)
            if (value.AsIdent(name) == shape.first) {
                shape_ = shape.second;
                return true;
            }
        FormError(value.Line, "unknown Shape value " + value.Text);
    }
    return TWinControl::SetProperty(name, value);
}

void TBevel::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass = "TBevel";
}

LRESULT TBevel::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return TWinControl::WndProc(message, wParam, lParam);
    Paint(Handle(), [this](HDC dc, RECT r) {
        COLORREF first = GetSysColor(COLOR_BTNSHADOW), second = GetSysColor(COLOR_BTNHIGHLIGHT);
        if (style_ == TBevelCut::Raised)
            std::swap(first, second);
        switch (shape_) {
        case Shape::Box: Frame(dc, r, first, second); break;
        case Shape::LeftLine:
            VerticalLine(dc, r.left, r.top, r.bottom, first);
            VerticalLine(dc, r.left + 1, r.top, r.bottom, second);
            break;
        case Shape::RightLine:
            VerticalLine(dc, r.right - 2, r.top, r.bottom, first);
            VerticalLine(dc, r.right - 1, r.top, r.bottom, second);
            break;
        case Shape::TopLine:
            HorizontalLine(dc, r.top, r.left, r.right, first);
            HorizontalLine(dc, r.top + 1, r.left, r.right, second);
            break;
        case Shape::BottomLine:
            HorizontalLine(dc, r.bottom - 2, r.left, r.right, first);
            HorizontalLine(dc, r.bottom - 1, r.left, r.right, second);
            break;
        }
    });
    return 0;
}

TImage::TImage()
{
    SetBounds(0, 0, 105, 105);
}

void TImage::LoadBitmapFromFile(const std::string& path)
{
    bitmap_.Reset(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (Handle())
        InvalidateRect(Handle(), nullptr, TRUE);
}

SIZE TImage::PictureSize() const
{
    BITMAP info{};
    if (bitmap_.Get())
        GetObjectA(bitmap_.Get(), sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

TColor TImage::BackgroundColor() const
{
    return Parent() ? Parent()->BackgroundColor() : Color();
}

void TImage::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass = "TImage";
}

LRESULT TImage::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return TWinControl::WndProc(message, wParam, lParam);
    Paint(Handle(), [this](HDC dc, RECT) {
        if (!bitmap_.Get())
            return;
        const SIZE size = PictureSize();
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap_.Get());
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    });
    return 0;
}

TTabSheet::TTabSheet()
{
    SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const
{
    return static_cast<TPageControl*>(Parent());
}

int TTabSheet::PageIndex() const
{
    const auto& pages = Parent()->Controls();
    for (size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == this)
            return static_cast<int>(i);
    return -1;
}

bool TTabSheet::AcceptsChild(const TWinControl& child) const
{
    return dynamic_cast<const TTabSheet*>(&child) == nullptr;
}

void TTabSheet::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.WindowClass = "TTabSheet";
}

RECT TTabSheet::CreationBounds() const
{
    return PageControl()->PageArea();
}

TPageControl::TPageControl()
{
    SetBounds(0, 0, 289, 193);
}

TTabSheet* TPageControl::Page(int index) const
{
    return index >= 0 && index < PageCount() ? static_cast<TTabSheet*>(Controls()[static_cast<size_t>(index)]) : nullptr;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->Parent() != this)
        return;
    active_ = page;
    // Show the new page before hiding the others, so that the area is never bare.
    if (page)
        page->SetVisible(true);
    for (TWinControl* other : Controls())
        if (other != page)
            other->SetVisible(false);
}

RECT TPageControl::PageArea() const
{
    RECT area;
    GetClientRect(Handle(), &area);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    OffsetRect(&area, 0, 2);
    return area;
}

bool TPageControl::AcceptsChild(const TWinControl& child) const
{
    return dynamic_cast<const TTabSheet*>(&child) != nullptr;
}

void TPageControl::CreateParams(TCreateParams& params)
{
    params.WindowClass = WC_TABCONTROLA;
    params.Native = true;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
}
