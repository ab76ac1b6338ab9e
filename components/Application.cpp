#include "components/Application.h"

#include <commctrl.h>

TApplication* Application = nullptr;

namespace {

const char ApplicationWindowClass[] = "TApplication";

LRESULT CALLBACK ApplicationWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
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
