#include "utils/MessageBox.h"

#include <windows.h>

#include "components/Application.h"
#include "utils/InstUtils.h"
#include "utils/WideText.h"

namespace {

unsigned IconFlag(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning: return MB_ICONWARNING;
    case MessageKind::Information: return MB_ICONINFORMATION;
    case MessageKind::Confirmation: return MB_ICONQUESTION;
    default: return MB_ICONERROR;
    }
}

unsigned LayoutFlag(MessageButtons buttons)
{
    switch (buttons) {
    case mbAbort | mbRetry | mbIgnore: return MB_ABORTRETRYIGNORE;
    case mbOK | mbCancel: return MB_OKCANCEL;
    case mbCancel | mbRetry: return MB_RETRYCANCEL;
    case mbYes | mbNo: return MB_YESNO;
    case mbYes | mbNo | mbCancel: return MB_YESNOCANCEL;
    default: return MB_OK;
    }
}

}  // namespace

unsigned MessageBoxStyle(MessageKind kind, MessageButtons buttons)
{
    return IconFlag(kind) | LayoutFlag(buttons) | MB_TASKMODAL;
}

int MessageBoxResult(int boxAnswer)
{
    return boxAnswer >= mrCancel && boxAnswer <= mrNo ? boxAnswer : mrOk;
}

int ShowMessageBox(const std::string& text, MessageKind kind, MessageButtons buttons)
{
    const int answer = MessageBoxExW(ApplicationWindowHandle(), ToWide(text).c_str(), ToWide(SetupTitle).c_str(),
                                     MessageBoxStyle(kind, buttons), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    return MessageBoxResult(answer);
}
