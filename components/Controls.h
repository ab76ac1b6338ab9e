// The windowed control base of the component layer: every component of a form owns one window,
// either of a native class (Button, Edit, SysTabControl32...) or of a class of ours that paints
// itself. Layout is kept in design units at 96 pixels per inch and scaled to the screen.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "components/FormDescription.h"

class TForm;

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// A colour: an RGB value, or a system colour index with the top byte 0xFF.
using TColor = uint32_t;
constexpr TColor SystemColor(int index) { return 0xFF000000u | static_cast<TColor>(index); }
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
COLORREF ColorToRGB(TColor color);

enum class TAlign { None, Top, Bottom, Left, Right, Client };

struct TFont {
    std::string Name = "MS Shell Dlg 2";
    int Height = -11;  // design pixels; negative: character height without the internal leading
    bool Bold = false;
    TColor Color = clWindowText;
    int Charset = DEFAULT_CHARSET;
};

// Screen-wide state: the pixel density that design units scale to, and the screen cursor.
constexpr int crDefault = 0;
constexpr int crArrow = -2;
constexpr int crHourGlass = -11;

class TScreen {
public:
    // The density of the screen (Wine's LogPixels), read once.
    int PixelsPerInch();
    // Replaces the density for windows created from now on.
    void SetPixelsPerInch(int pixelsPerInch) { pixelsPerInch_ = pixelsPerInch; }

    // While not crDefault, the program's windows show this cursor instead of their own.
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor);
    HCURSOR CursorHandle() const;

private:
    int pixelsPerInch_ = 0;
    int cursor_ = crDefault;
};
extern TScreen Screen;

// Owns a GDI object (font, brush, bitmap) and deletes it.
class TGdiObject {
public:
    TGdiObject() = default;
    explicit TGdiObject(HGDIOBJ object) : object_(object) {}
    ~TGdiObject() { Reset(); }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    void Reset(HGDIOBJ object = nullptr);
    HGDIOBJ Get() const { return object_; }

private:
    HGDIOBJ object_ = nullptr;
};

class TWinControl : public TObject {
public:
    TWinControl();
    ~TWinControl() override;
    TWinControl(const TWinControl&) = delete;
    TWinControl& operator=(const TWinControl&) = delete;

    std::string Name;
    const std::string& ClassName() const { return className_; }
    TForm* Owner() const { return owner_; }
    TWinControl* Parent() const { return parent_; }
    const std::vector<TWinControl*>& Controls() const { return controls_; }
    HWND Handle() const { return handle_; }
    int ControlId() const { return id_; }
    static TWinControl* FromHandle(HWND window);

    // Design units at the form's design density; PixelBounds are the scaled ones, relative to the
    // parent's client area.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    TAlign Align() const { return align_; }
    RECT PixelBounds() const;
    int Scale(int designUnits) const;

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Shown on the screen (with every parent) and enabled (with every parent).
    bool Showing() const;
    bool TabStop() const { return tabStop_; }
    bool CanFocus() const { return tabStop_ && Showing(); }
    bool Focused() const;
    // Gives this control the keyboard focus when it can take it.
    void SetFocus();

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    const TFont& Font() const { return font_; }
    HFONT FontHandle() const { return static_cast<HFONT>(fontHandle_.Get()); }
    TColor Color() const { return color_; }
    // The colour this control's client area shows (its own, or its parent's where it takes that).
    virtual TColor BackgroundColor() const { return color_; }
    HBRUSH BackgroundBrush();

    // The form loader's entry points: false for a name that the class does not know.
    virtual bool SetProperty(const std::string& name, const TPropValue& value);
    virtual bool BindEvent(const std::string& event, const std::string& handler, int line, TForm& form);
    // Whether a child of that class may be placed on this control.
    virtual bool AcceptsChild(const TWinControl& child) const;
    // Runs once every component of the form exists: resolves references to other components.
    virtual void Loaded() {}

    // Creates this control's window and then those of its children.
    void CreateHandle();

    // A message that the parent received about this control (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM,
    // WM_MEASUREITEM, WM_CTLCOLOR...): true when handled, with the parent's answer in result.
    virtual bool ReflectedMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Alt with a letter (upper case): true when this control acted on it.
    virtual bool DialogChar(char letter);
    // What the focused control takes itself (WM_GETDLGCODE bits) of the key message.
    virtual UINT DialogCode(const MSG& message);

protected:
    struct TCreateParams {
        std::string WindowClass;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        bool Native = false;  // a system class, subclassed; otherwise a class of ours
    };
    virtual void CreateParams(TCreateParams& params);
    // Where the window goes, in pixels of the parent's client area.
    virtual RECT CreationBounds() const { return PixelBounds(); }
    // After the window exists, before the children's windows are made.
    virtual void HandleCreated() {}
    // The window procedure; the default passes child notifications to the child and paints the
    // background of a window of ours with its colour.
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

    // Runs an event handler so that no exception leaves it.
    void Fire(const TNotifyEvent& handler);
    // Whether the caption marks that letter with an ampersand.
    static bool IsAccelerator(const std::string& caption, char letter);

    // Property groups that subclasses accept.
    bool SetCaptionProperty(const std::string& name, const TPropValue& value);
    bool SetFontProperty(const std::string& name, const TPropValue& value);
    bool SetColorProperty(const std::string& name, const TPropValue& value);

    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    TWinControl* ChildById(int id) const;

private:
    friend class TForm;
    static LRESULT CALLBACK ClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK NativeWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR subclassId, DWORD_PTR data);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Attach(HWND window);
    void Detach();
    void AlignChildren();
    void MakeFont();

    std::string className_;
    TForm* owner_ = nullptr;
    TWinControl* parent_ = nullptr;
    std::vector<TWinControl*> controls_;
    HWND handle_ = nullptr;
    bool native_ = false;
    int id_;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TAlign align_ = TAlign::None;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    std::string caption_;
    TFont font_;
    bool parentFont_ = true;
    TGdiObject fontHandle_;
    TColor color_ = clBtnFace;
    TGdiObject brush_;
    TColor brushColor_ = 0;
};
