// Containers and decorations: panels, bevels, images, and the page control with its pages.
#pragma once

#include <string>
#include <vector>

#include "components/Controls.h"

enum class TBevelCut { None, Lowered, Raised };

// A container with its own colour and an outer and inner bevel of one pixel each.
class TPanel : public TWinControl {
public:
    TPanel();
    // While true, the panel shows its parent's background, as panels do under visual styles;
    // false makes it paint its own colour.
    bool ParentBackground() const { return parentBackground_; }
    void SetParentBackground(bool parentBackground);
    TColor BackgroundColor() const override;

    bool SetProperty(const std::string& name, const TPropValue& value) override;
    bool AcceptsChild(const TWinControl& child) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TBevelCut outer_ = TBevelCut::Raised;
    TBevelCut inner_ = TBevelCut::None;
    bool parentBackground_ = true;
};

// Etched lines: a box, or a single line at one edge.
class TBevel : public TWinControl {
public:
    enum class Shape { Box, TopLine, BottomLine, LeftLine, RightLine };
    TBevel();
    TBevelCut Style() const { return style_; }
    Shape BevelShape() const { return shape_; }
    TColor BackgroundColor() const override;

    bool SetProperty(const std::string& name, const TPropValue& value) override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Shape shape_ = Shape::Box;
    TBevelCut style_ = TBevelCut::Lowered;
};

// Draws a bitmap at its natural size at its top-left corner.
class TImage : public TWinControl {
public:
    TImage();
    // Loads a bitmap file; a file that is missing or no bitmap leaves the image empty.
    void LoadBitmapFromFile(const std::string& path);
    bool Empty() const { return bitmap_.Get() == nullptr; }
    SIZE PictureSize() const;
    TColor BackgroundColor() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TGdiObject bitmap_;
};

class TPageControl;

// One page of a page control: it fills the control's display area and shows only while active.
class TTabSheet : public TWinControl {
public:
    TTabSheet();
    TPageControl* PageControl() const;
    int PageIndex() const;

    bool AcceptsChild(const TWinControl& child) const override;

protected:
    void CreateParams(TCreateParams& params) override;
    RECT CreationBounds() const override;
};

// A native tab control that never gets a tab: its pages change only through ActivePage.
class TPageControl : public TWinControl {
public:
    TPageControl();
    int PageCount() const { return static_cast<int>(Controls().size()); }
    TTabSheet* Page(int index) const;
    TTabSheet* ActivePage() const { return active_; }
    int ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }
    // Shows that page and hides every other.
    void SetActivePage(TTabSheet* page);
    void SetActivePageIndex(int index) { SetActivePage(Page(index)); }
    // The area that the pages fill, in the control's client pixels.
    RECT PageArea() const;

    bool AcceptsChild(const TWinControl& child) const override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TTabSheet* active_ = nullptr;
};
