#include <gtest/gtest.h>

#include "components/ExtCtrls.h"
#include "components/Forms.h"
#include "components/StdCtrls.h"
#include "tests/driver/WindowDriver.h"

namespace {

class ETestFailure : public Exception {
public:
    ETestFailure() : Exception("a handler failed") {}
    const char* ClassName() const override { return "ETestFailure"; }
};

const char ButtonForm[] = R"(object TestForm: TTestForm
  ClientWidth = 200
  ClientHeight = 100
  object FailBtn: TButton
    Left = 10
    Top = 10
    Width = 85
    Height = 22
    Caption = "&Fail"
    OnClick = FailBtnClick
  end
  object AbortBtn: TButton
    Left = 100
    Top = 10
    Width = 85
    Height = 22
    Caption = "&Abort"
    OnClick = AbortBtnClick
  end
end
)";

void RegisterTestClasses()
{
    RegisterComponentClass<TButton>("TButton");
    RegisterComponentClass<TLabel>("TLabel");
    RegisterComponentClass<TPanel>("TPanel");
}

void Click(TForm& form, const char* name)
{
    SendMessageA(form.FindComponent(name)->Handle(), BM_CLICK, 0, 0);
}

}  // namespace

TEST(ComponentEvents, AnExceptionInAHandlerShowsItsClassAndAnAbortShowsNothing)
{
    RegisterTestClasses();
    TForm form("TTestForm");
    form.RegisterHandler("FailBtnClick", [](TObject*) { throw ETestFailure(); });
    form.RegisterHandler("AbortBtnClick", [](TObject*) { throw EAbort(); });
    form.LoadFromDescription(ButtonForm);

    BoxAnswerer answerer([](const MessageBoxSeen&) { return IDOK; });
    Click(form, "FailBtn");
    Click(form, "AbortBtn");
    Sleep(500);
    const auto seen = answerer.Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Text, "Exception ETestFailure");
    EXPECT_EQ(seen[0].Caption, "Korvanta Greek Spellchecker - Setup");
}

TEST(FormDescription, ABrokenDescriptionIsRefusedWithAClearError)
{
    RegisterTestClasses();
    struct Case {
        const char* what;
        const char* text;
    };
    const Case cases[] = {
        {"unknown class", "object F: TTestForm\n  object X: TNoSuchControl\n  end\nend\n"},
        {"unknown property", "object F: TTestForm\n  object B: TButton\n    Colour = 5\n  end\nend\n"},
        {"unknown event", "object F: TTestForm\n  object B: TButton\n    OnWiggle = FailBtnClick\n  end\nend\n"},
        {"unknown handler", "object F: TTestForm\n  object B: TButton\n    OnClick = NoSuchHandler\n  end\nend\n"},
        {"another root class", "object F: TOtherForm\nend\n"},
        {"no end", "object F: TTestForm\n  object B: TButton\n"},
        {"unterminated text", "object F: TTestForm\n  object B: TButton\n    Caption = \"open\n  end\nend\n"},
    };
    for (const Case& c : cases) {
        TForm form("TTestForm");
        form.RegisterHandler("FailBtnClick", [](TObject*) {});
        EXPECT_THROW(form.LoadFromDescription(c.text), EFormError) << c.what;
    }
    TForm form("TTestForm");
    form.RegisterHandler("FailBtnClick", [](TObject*) {});
    form.RegisterHandler("AbortBtnClick", [](TObject*) {});
    EXPECT_NO_THROW(form.LoadFromDescription(ButtonForm));
    EXPECT_NE(form.FindComponent("AbortBtn"), nullptr);
}
