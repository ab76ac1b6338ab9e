// The component layer in a small form of its own: exceptions that escape event handlers, the
// keys of a modal form, the close query, scaling to the screen density, and the controls'
// painting and contents.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <stdexcept>

#include <windows.h>
#include <commctrl.h>

#include "components/Exceptions.h"
#include "components/ExtCtrls.h"
#include "components/Forms.h"
#include "components/StdCtrls.h"
#include "tests/driver/WindowDriver.h"
#include "tests/unit/TestSupport.h"
#include "utils/MessageBox.h"

namespace {

const char TestDescription[] =
    "object TestForm: TTestForm\n"
    "  BorderStyle = bsSingle\n"
    "  BorderIcons = [biSystemMenu]\n"
    "  ClientWidth = 200\n"
    "  ClientHeight = 100\n"
    "  PixelsPerInch = 96\n"
    "  OnCloseQuery = Query\n"
    "  object Banner: TPanel\n"
    "    Left = 0 Top = 0 Width = 200 Height = 30\n"
    "    Align = alTop\n"
    "    Color = 16777215\n"
    "    object Title: TLabel Left = 4 Top = 4 Caption = \"Title\" end\n"
    "  end\n"
    "  object Side: TPanel\n"
    "    Width = 40\n"
    "    Align = alLeft\n"
    "    BevelOuter = bvNone\n"
    "  end\n"
    "  object NameLbl: TLabel Left = 50 Top = 34 Caption = \"&Name\" FocusControl = NameEdt end\n"
    "  object NameEdt: TEdit Left = 50 Top = 48 Width = 100 end\n"
    "  object Agree: TCheckBox Left = 50 Top = 70 Caption = \"&Agree\" end\n"
    "  object Other: TButton Left = 60 Top = 75 Caption = \"O&ther\" OnClick = OtherClick end\n"
    "  object Ok: TButton Left = 100 Top = 75 Caption = \"&OK\" Default = true OnClick = OkClick end\n"
    "  object Quit: TButton Left = 150 Top = 75 Caption = \"&Quit\" Cancel = true OnClick = QuitClick end\n"
    "end\n";

void RegisterClasses()
{
    RegisterComponentClass<TButton>("TButton");
    RegisterComponentClass<TCheckBox>("TCheckBox");
    RegisterComponentClass<TEdit>("TEdit");
    RegisterComponentClass<TLabel>("TLabel");
    RegisterComponentClass<TPanel>("TPanel");
}

class ETestError : public Exception {
public:
    ETestError() : Exception("test") {}
    const char* ClassName() const override { return "ETestError"; }
};

// The small form with its handlers: every click is recorded by the button's name; OK ends with
// 1 and Quit asks for the close (2); the close query allows the close unless told otherwise.
class TestForm {
public:
    TestForm()
    {
        RegisterClasses();
        form.RegisterHandler("OtherClick", [this](TObject*) { Record("Other"); });
        form.RegisterHandler("OkClick", [this](TObject*) {
            Record("OK");
            form.ModalResult = mrOk;
        });
        form.RegisterHandler("QuitClick", [this](TObject*) {
            Record("Quit");
            form.Close();
        });
        form.RegisterCloseQuery("Query", [this](TObject*, bool& canClose) {
            Record("query");
            canClose = allowClose;
        });
        form.LoadFromDescription(TestDescription);
    }

    template <typename T>
    T* Get(const char* name)
    {
        T* control = nullptr;
        form.Bind(control, name);
        return control;
    }

    void Record(const char* what)
    {
        events += events.empty() ? "" : " ";
        events += what;
        if (onEvent)
            onEvent();
    }

    TForm form{"TTestForm"};
    std::string events;
    bool allowClose = true;
    std::function<void()> onEvent;  // runs after each recorded event
};

RECT RectInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TEST(ComponentEvents, AnExceptionFromAHandlerShowsItsClassAndAnAbortShowsNothing)
{
    struct Case {
        const char* what;
        std::function<void()> raise;
        const char* box;  // null: no box at all
    };
    const Case cases[] = {
        {"our exception", [] { throw ETestError(); }, "Exception ETestError"},
        {"a form error", [] { throw EFormError("x"); }, "Exception EFormError"},
        {"out of memory", [] { throw std::bad_alloc(); }, "Exception EOutOfMemory"},
        {"a foreign exception", [] { throw std::runtime_error("x"); }, "Exception Exception"},
        {"the silent abort", [] { throw EAbort(); }, nullptr},
        {"a file stream's silent abort", [] { throw EFOpenError(); }, nullptr},
    };
    for (const Case& c : cases) {
        TestForm test;
        test.onEvent = c.raise;
        TButton* other = test.Get<TButton>("Other");
        BoxAnswerer answerer([](const MessageBoxSeen&) { return IDOK; });
        // The button's notification reaches the form's window procedure as a click would.
        EXPECT_NO_THROW(SendMessageA(test.form.Handle(), WM_COMMAND, MAKEWPARAM(other->ControlId(), BN_CLICKED),
                                     reinterpret_cast<LPARAM>(other->Handle())))
            << c.what;
        EXPECT_EQ(test.events, "Other") << c.what;
        const auto seen = answerer.Seen();
        if (!c.box) {
            EXPECT_TRUE(seen.empty()) << c.what << " showed " << (seen.empty() ? "" : seen[0].Text);
            continue;
        }
        ASSERT_EQ(seen.size(), 1u) << c.what;
        EXPECT_EQ(seen[0].Text, c.box) << c.what;
        EXPECT_EQ(seen[0].Caption, "Korvanta Greek Spellchecker - Setup");
        EXPECT_EQ(seen[0].Buttons, std::vector<std::string>{"OK"}) << c.what;
    }
}

TEST(ComponentForm, KeysPressTheEnabledVisibleDefaultAndCancelButtonsAndAccelerators)
{
    struct Key {
        UINT message;
        WPARAM key;
    };
    const Key enter{WM_KEYDOWN, VK_RETURN}, escape{WM_KEYDOWN, VK_ESCAPE}, tab{WM_KEYDOWN, VK_TAB};
    struct Case {
        const char* what;
        std::vector<Key> keys;
        const char* hide;     // a button hidden before showing
        const char* disable;  // a button disabled before showing
        const char* events;
        int result;
    };
    // Each run ends with a close request, which the close query lets through as Cancel.
    const Case cases[] = {
        {"Enter presses the default button", {enter}, nullptr, nullptr, "OK query", mrOk},
        {"Escape presses the cancel button", {escape}, nullptr, nullptr, "Quit query", mrCancel},
        {"a disabled default button ignores Enter", {enter}, nullptr, "Ok", "query", mrCancel},
        {"a hidden cancel button ignores Escape", {escape}, "Quit", nullptr, "query", mrCancel},
        {"Alt and a letter press that button", {{WM_SYSCHAR, 't'}}, nullptr, nullptr, "Other query", mrCancel},
        {"a disabled button ignores its letter", {{WM_SYSCHAR, 'T'}}, nullptr, "Other", "query", mrCancel},
        {"Enter presses the focused button", {tab, tab, enter}, nullptr, nullptr, "Other query", mrCancel},
        {"Tab wraps from the last control", {tab, tab, tab, tab, tab, enter}, nullptr, nullptr, "OK query", mrOk},
    };
    for (const Case& c : cases) {
        TestForm test;
        if (c.hide)
            test.Get<TButton>(c.hide)->SetVisible(false);
        if (c.disable)
            test.Get<TButton>(c.disable)->SetEnabled(false);
        for (const Key& key : c.keys)
            PostMessageA(test.form.Handle(), key.message, key.key, 0);
        PostMessageA(test.form.Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(test.form.ShowModal(), c.result) << c.what;
        EXPECT_EQ(test.events, c.events) << c.what;
        EXPECT_FALSE(IsWindowVisible(test.form.Handle())) << c.what;
    }
}

TEST(ComponentForm, LabelAndCheckBoxAcceleratorsMoveTheFocus)
{
    TestForm test;
    TEdit* name = test.Get<TEdit>("NameEdt");
    TCheckBox* agree = test.Get<TCheckBox>("Agree");
    // Each press of Other notes where the focus is and whether the box is ticked.
    std::vector<std::string> seen;
    test.onEvent = [&] {
        if (test.events.size() >= 5 && test.events.compare(test.events.size() - 5, 5, "Other") == 0)
            seen.push_back(std::string(name->Focused() ? "name" : agree->Focused() ? "agree" : "elsewhere") +
                           (agree->Checked() ? " ticked" : " clear"));
    };
    for (char letter : {'n', 't', 'a', 't', 'a', 't'})
        PostMessageA(test.form.Handle(), WM_SYSCHAR, static_cast<WPARAM>(letter), 0);
    PostMessageA(test.form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(test.form.ShowModal(), mrOk);
    EXPECT_EQ(test.events, "Other Other Other OK query");
    EXPECT_EQ(seen, (std::vector<std::string>{"name clear", "agree ticked", "agree clear"}));
}

TEST(ComponentForm, TheCloseQueryCanRefuseAndTheFormStaysOpen)
{
    TestForm test;
    int queries = 0;
    test.onEvent = [&] {
        if (test.events.size() >= 5 && test.events.compare(test.events.size() - 5, 5, "query") == 0)
            test.allowClose = ++queries >= 2;
    };
    // The first close is refused: the form stays and handles keys; the second goes through.
    PostMessageA(test.form.Handle(), WM_CLOSE, 0, 0);
    PostMessageA(test.form.Handle(), WM_SYSCHAR, 't', 0);
    PostMessageA(test.form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(test.form.ShowModal(), mrCancel);
    EXPECT_EQ(test.events, "query Other query");
}

TEST(ComponentForm, TheLayoutScalesWithTheScreenDensity)
{
    const int saved = Screen.PixelsPerInch();
    for (int density : {96, 120, 144}) {
        Screen.SetPixelsPerInch(density);
        TestForm test;
        const auto scaled = [density](int designUnits) { return MulDiv(designUnits, density, 96); };
        RECT client;
        GetClientRect(test.form.Handle(), &client);
        EXPECT_EQ(client.right, scaled(200)) << density;
        EXPECT_EQ(client.bottom, scaled(100)) << density;

        const RECT edit = RectInParent(test.Get<TEdit>("NameEdt")->Handle());
        EXPECT_EQ(edit.left, scaled(50)) << density;
        EXPECT_EQ(edit.top, scaled(48)) << density;
        EXPECT_EQ(edit.right, scaled(150)) << density;
        EXPECT_EQ(edit.bottom, scaled(48 + 21)) << density;

        // Aligned panels: the banner across the top, the side column below it on the left.
        const RECT side = RectInParent(test.Get<TPanel>("Side")->Handle());
        EXPECT_EQ(side.top, scaled(30)) << density;
        EXPECT_EQ(side.right, scaled(40)) << density;
        EXPECT_EQ(side.bottom, scaled(100)) << density;

        LOGFONTA font{};
        GetObjectA(test.Get<TButton>("Ok")->FontHandle(), sizeof font, &font);
        EXPECT_EQ(font.lfHeight, -scaled(11)) << density;
        EXPECT_STREQ(font.lfFaceName, "MS Shell Dlg 2");
    }
    Screen.SetPixelsPerInch(saved);
}

TEST(ComponentControls, APanelPaintsItsOwnColourOnlyWithoutTheParentBackground)
{
    TestForm test;
    TPanel* banner = test.Get<TPanel>("Banner");
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (bool parentBackground : {true, false}) {
        banner->SetParentBackground(parentBackground);
        SendMessageA(banner->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const COLORREF expected = parentBackground ? GetSysColor(COLOR_BTNFACE) : RGB(255, 255, 255);
        EXPECT_EQ(GetPixel(dc, 4, 4), expected) << "parent background " << parentBackground;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST(ComponentControls, AnAutoSizedLabelIsPaintedAgainWholeWhenItsCaptionChanges)
{
    TestForm test;
    TLabel* title = test.Get<TLabel>("Title");
    ShowWindow(test.form.Handle(), SW_SHOWNA);
    for (const char* caption : {"A much longer title than before", "Short", "Longer once more"}) {
        UpdateWindow(test.form.Handle());
        title->SetCaption(caption);
        RECT client, update;
        GetClientRect(title->Handle(), &client);
        ASSERT_TRUE(GetUpdateRect(title->Handle(), &update, FALSE)) << caption;
        EXPECT_TRUE(EqualRect(&update, &client)) << caption << ": only part of the label is painted again";
    }
    ShowWindow(test.form.Handle(), SW_HIDE);
}

TEST(ComponentControls, AMemoLoadsLinesEndingInLfOrCrLf)
{
    RegisterComponentClass<TMemo>("TMemo");
    TForm form("TTestForm");
    form.LoadFromDescription("object F: TTestForm object M: TMemo ReadOnly = true ScrollBars = ssVertical end end");
    TMemo* memo = nullptr;
    form.Bind(memo, "M");
    EXPECT_EQ(memo->LineCount(), 0);
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongA(memo->Handle(), GWL_STYLE) & ES_READONLY);

    ScratchFolder folder;
    for (const char* text : {"one\ntwo\n\nfour\n", "one\r\ntwo\r\n\r\nfour"}) {
        WriteWholeFile(folder / "lines.txt", text);
        memo->LoadLinesFromFile(folder / "lines.txt");
        EXPECT_EQ(memo->Caption(), "one\r\ntwo\r\n\r\nfour");
        EXPECT_EQ(memo->LineCount(), 4);
    }
    EXPECT_THROW(memo->LoadLinesFromFile(folder / "missing.txt"), EAbort);
    EXPECT_EQ(memo->LineCount(), 4) << "a failed load leaves the lines";
}

TEST(ComponentControls, APageControlShowsOnePageAndNoTabs)
{
    RegisterComponentClass<TPageControl>("TPageControl");
    RegisterComponentClass<TTabSheet>("TTabSheet");
    TForm form("TTestForm");
    form.LoadFromDescription(
        "object F: TTestForm ClientWidth = 300 ClientHeight = 200\n"
        "  object P: TPageControl Left = 10 Top = 10 Width = 200 Height = 150\n"
        "    object A: TTabSheet end object B: TTabSheet end object C: TTabSheet end\n"
        "  end\n"
        "end\n");
    TPageControl* pages = nullptr;
    form.Bind(pages, "P");
    ShowWindow(form.Handle(), SW_SHOWNA);
    EXPECT_EQ(SendMessageA(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
    ASSERT_EQ(pages->PageCount(), 3);
    for (int active : {2, 0, 1}) {
        pages->SetActivePageIndex(active);
        EXPECT_EQ(pages->ActivePageIndex(), active);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(IsWindowVisible(pages->Page(i)->Handle()) != FALSE, i == active) << active << " " << i;
    }
    const RECT area = pages->PageArea();
    const RECT page = RectInParent(pages->Page(1)->Handle());
    EXPECT_TRUE(EqualRect(&area, &page));
    RECT display;
    GetClientRect(pages->Handle(), &display);
    SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(page.top, display.top + 2) << "the pages sit 2 pixels below the display area";
    ShowWindow(form.Handle(), SW_HIDE);
}

TEST(ComponentControls, AnImageKeepsItsBitmapsNaturalSize)
{
    RegisterComponentClass<TImage>("TImage");
    TForm form("TTestForm");
    form.LoadFromDescription("object F: TTestForm object I: TImage Width = 34 Height = 34 end end");
    TImage* image = nullptr;
    form.Bind(image, "I");
    ScratchFolder folder;
    image->LoadBitmapFromFile(folder / "missing.bmp");
    EXPECT_TRUE(image->Empty());

    // A 5 x 3 24-bit bitmap file.
    const int width = 5, height = 3, stride = 16;
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    BITMAPFILEHEADER header{0x4D42, static_cast<DWORD>(sizeof header + sizeof info + stride * height), 0, 0,
                            sizeof header + sizeof info};
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info), sizeof info);
    file.append(static_cast<size_t>(stride * height), '\x7F');
    WriteWholeFile(folder / "small.bmp", file);
    image->LoadBitmapFromFile(folder / "small.bmp");
    ASSERT_FALSE(image->Empty());
    EXPECT_EQ(image->PictureSize().cx, width);
    EXPECT_EQ(image->PictureSize().cy, height);
}
