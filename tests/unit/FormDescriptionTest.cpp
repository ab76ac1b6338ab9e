// The form description format: what it parses into, and every fault that must stop a broken
// description with a clear error instead of showing a wrong window.
#include <gtest/gtest.h>

#include "components/Exceptions.h"
#include "components/ExtCtrls.h"
#include "components/FormDescription.h"
#include "components/Forms.h"
#include "components/StdCtrls.h"

namespace {

void RegisterClasses()
{
    RegisterComponentClass<TButton>("TButton");
    RegisterComponentClass<TEdit>("TEdit");
    RegisterComponentClass<TLabel>("TLabel");
    RegisterComponentClass<TPanel>("TPanel");
    RegisterComponentClass<TPageControl>("TPageControl");
    RegisterComponentClass<TTabSheet>("TTabSheet");
}

}  // namespace

TEST(FormDescription, ParsesObjectsPropertiesSetsTextsAndComments)
{
    const TFormObject root = ParseFormDescription(
        "# a comment\n"
        "object Main: TTestForm\n"
        "  ClientWidth = 492   # after a value\n"
        "  Font.Height = -15\n"
        "  BorderIcons = [biSystemMenu, biMinimize]\n"
        "  Empty = []\n"
        "  Caption = \"a\\rb\\tc\\\\d\\\"e#f\"\n"
        "  object Inner: TPanel\n"
        "    Align = alTop\n"
        "    object Leaf: TButton end\n"
        "  end\n"
        "end\n");
    EXPECT_EQ(root.Name, "Main");
    EXPECT_EQ(root.ClassName, "TTestForm");
    ASSERT_EQ(root.Properties.size(), 5u);
    EXPECT_EQ(root.Properties[0].Name, "ClientWidth");
    EXPECT_EQ(root.Properties[0].Value.AsInt("ClientWidth"), 492);
    EXPECT_EQ(root.Properties[1].Name, "Font.Height");
    EXPECT_EQ(root.Properties[1].Value.AsInt("Font.Height"), -15);
    EXPECT_EQ(root.Properties[2].Value.AsSet("BorderIcons"), (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    EXPECT_TRUE(root.Properties[3].Value.AsSet("Empty").empty());
    EXPECT_EQ(root.Properties[4].Value.AsText("Caption"), "a\rb\tc\\d\"e#f");
    EXPECT_EQ(root.Properties[4].Value.Line, 7);
    ASSERT_EQ(root.Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Name, "Inner");
    EXPECT_EQ(root.Children[0].Properties[0].Value.AsIdent("Align"), "alTop");
    ASSERT_EQ(root.Children[0].Children.size(), 1u);
    EXPECT_EQ(root.Children[0].Children[0].ClassName, "TButton");
    EXPECT_EQ(root.Children[0].Children[0].Line, 10);
}

TEST(FormDescription, EveryFaultIsRejectedWithItsLineAndName)
{
    RegisterClasses();
    struct Case {
        const char* body;  // the root object's content
        const char* error;
    };
    const Case cases[] = {
        {"object A: TFoo end", "line 2: unknown class TFoo"},
        {"object A: TButton Colour = 5 end", "line 2: unknown property Colour of TButton"},
        {"object A: TButton OnDblClick = Pressed end", "line 2: unknown event OnDblClick of TButton"},
        {"object A: TButton OnClick = Nowhere end", "line 2: unknown event handler Nowhere"},
        {"OnCloseQuery = Nowhere", "line 2: unknown close query handler Nowhere"},
        {"object A: TButton Left = \"ten\" end", "line 2: property Left expects a number"},
        {"object A: TButton Default = 1 end", "line 2: property Default expects true or false"},
        {"object A: TButton Caption = Next end", "line 2: property Caption expects a quoted text"},
        {"BorderStyle = bsRound", "line 2: unknown BorderStyle value bsRound"},
        {"BorderIcons = [biSystemMenu, biHelp]", "line 2: unknown BorderIcons value biHelp"},
        {"object A: TPanel BevelOuter = bvDeep end", "line 2: unknown BevelOuter value bvDeep"},
        {"object A: TLabel Font.Style = [fsItalic] end", "line 2: unknown Font.Style value fsItalic"},
        {"object A: TLabel FocusControl = B end", "line 2: FocusControl names no component: B"},
        {"object A: TButton end\nobject A: TEdit end", "line 3: a second component named A"},
        {"object A: TTabSheet end", "line 2: TTestForm cannot hold TTabSheet"},
        {"object A: TPanel object B: TTabSheet end end", "line 2: TPanel cannot hold TTabSheet"},
        {"object A: TPageControl object B: TButton end end", "line 2: TPageControl cannot hold TButton"},
        {"Caption = \"open", "line 2: unterminated text"},
        {"Caption = \"\\n\"", "line 2: unknown escape \\n"},
        {"Left 5", "line 2: '=' expected"},
        {"object A TButton end", "line 2: ':' expected"},
        {"object A: TButton", "line 4: 'end' of object Root expected"},
        {"end\nend", "line 3: text after the end of the root object"},
    };
    for (const Case& c : cases) {
        TForm form("TTestForm");
        form.RegisterHandler("Pressed", [](TObject*) {});
        const std::string text = std::string("object Root: TTestForm\n") + c.body + "\nend\n";
        try {
            form.LoadFromDescription(text);
            ADD_FAILURE() << "accepted: " << c.body;
        } catch (const EFormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos)
                << c.body << "\n  gave: " << e.what() << "\n  expected: " << c.error;
        }
    }
}

TEST(FormDescription, TheRootMustNameTheFormsClass)
{
    TForm form("TTestForm");
    try {
        form.LoadFromDescription("object Root: TOtherForm end");
        ADD_FAILURE() << "a root of another class was accepted";
    } catch (const EFormError& e) {
        EXPECT_NE(std::string(e.what()).find("the root object is a TOtherForm, not a TTestForm"), std::string::npos)
            << e.what();
    }
}

TEST(FormDescription, AMissingOrMistypedFieldIsRejectedWhenBound)
{
    RegisterClasses();
    TForm form("TTestForm");
    form.LoadFromDescription("object Root: TTestForm object Go: TButton end end");
    TButton* go = nullptr;
    form.Bind(go, "Go");
    EXPECT_EQ(go, form.FindComponent("Go"));
    TEdit* wrongClass = nullptr;
    EXPECT_THROW(form.Bind(wrongClass, "Go"), EFormError);
    TButton* missing = nullptr;
    EXPECT_THROW(form.Bind(missing, "Stop"), EFormError);
}
