#include "components/Application.h"

#include <commctrl.h>

TApplication* Application = nullptr;

namespace {

const char ApplicationWindowClass[] = "TApplication";
// Posted to itself on activation, so that the hand-over happens after the activation has ended.
constexpr UINT ActivateModalWindow = WM_APP + 1;

LRESULT CALLBACK ApplicationWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            PostMessageA(window, ActivateModalWindow, 0, 0);
        return 0;
    case ActivateModalWindow: {
        HWND modal = Application ? Application->ModalWindow() : nullptr;
        if (modal && GetActiveWindow() == window && IsWindowVisible(modal) && IsWindowEnabled(modal))
            SetActiveWindow(modal);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

TApplication::TApplication(HINSTANCE instance) : instance_(instance)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ApplicationWndProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = ApplicationWindowClass;
    RegisterClassA(&windowClass);
    handle_ = CreateWindowExA(0, ApplicationWindowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    Application = this;
}

TApplication::~TApplication()
{
    Application = nullptr;
    DestroyWindow(handle_);
}

void TApplication::SetIcon(HICON icon)
{
    icon_ = icon;
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
}

HWND ApplicationWindowHandle()
{
    return Application ? Application->Handle() : nullptr;
}
