#include <gtest/gtest.h>

#include "tests/driver/WindowDriver.h"
#include "utils/MessageBox.h"

TEST(MessageBoxMapping, IconsLayoutsAndResults)
{
    struct Case {
        int kind;
        MessageButtons buttons;
        unsigned style;
    };
    const Case cases[] = {
        {0, mbOK, MB_ICONWARNING | MB_OK},
        {1, mbAbort | mbRetry | mbIgnore, MB_ICONERROR | MB_ABORTRETRYIGNORE},
        {2, mbYes | mbNo, MB_ICONINFORMATION | MB_YESNO},
        {3, mbYes | mbNo | mbCancel, MB_ICONQUESTION | MB_YESNOCANCEL},
        {3, mbOK | mbCancel, MB_ICONQUESTION | MB_OKCANCEL},
        {2, mbCancel | mbRetry, MB_ICONINFORMATION | MB_RETRYCANCEL},
        {4, mbOK, MB_ICONERROR | MB_OK},
        {200, mbOK, MB_ICONERROR | MB_OK},
        {2, mbOK | mbCancel | mbRetry, MB_ICONINFORMATION | MB_OK},
        {2, mbYes, MB_ICONINFORMATION | MB_OK},
        {2, 0, MB_ICONINFORMATION | MB_OK},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageBoxStyle(static_cast<MessageKind>(c.kind), c.buttons), c.style | MB_TASKMODAL)
            << "kind " << c.kind << " buttons " << c.buttons;

    const int results[][2] = {{0, 1}, {IDOK, 1}, {IDCANCEL, 2}, {IDABORT, 3}, {IDRETRY, 4}, {IDIGNORE, 5},
                              {IDYES, 6}, {IDNO, 7}, {8, 1}, {11, 1}};
    for (const auto& r : results)
        EXPECT_EQ(MessageBoxResult(r[0]), r[1]) << r[0];
}

TEST(MessageBoxShown, RealBoxesAnsweredAsAUserWould)
{
    struct Case {
        std::string text;
        MessageButtons buttons;
        int press;
        int result;
        size_t buttonCount;
    };
    const Case cases[] = {
        {"first line\rsecond line", mbYes | mbNo, IDNO, mrNo, 2},
        {"abort, retry or ignore", mbAbort | mbRetry | mbIgnore, IDIGNORE, mrIgnore, 3},
        {"a set without a layout", mbOK | mbCancel | mbRetry, IDOK, mrOk, 1},
        {"", mbOK, IDOK, mrOk, 1},
    };
    for (const Case& c : cases) {
        BoxAnswerer answerer([&](const MessageBoxSeen&) { return c.press; });
        EXPECT_EQ(ShowMessageBox(c.text, MessageKind::Information, c.buttons), c.result) << c.text;
        const auto seen = answerer.Seen();
        ASSERT_EQ(seen.size(), 1u) << c.text;
        EXPECT_EQ(seen[0].Caption, "Korvanta Greek Spellchecker - Setup");
        EXPECT_EQ(seen[0].Buttons.size(), c.buttonCount) << c.text;
        EXPECT_EQ(seen[0].Text, c.text);
    }
}
