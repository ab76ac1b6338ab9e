// The application object: common controls, the hidden top-level application window with the
// application's icon and title.
#pragma once

#include <string>

#include <windows.h>

class TApplication {
public:
    explicit TApplication(HINSTANCE instance);
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    HINSTANCE Instance() const { return instance_; }
    HWND Handle() const { return handle_; }

    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The window of the form being shown modally, or null. While it is set, activating the
    // application window (as the system does when a message box that it owns closes) passes the
    // activation on to that form, so that the keyboard reaches the form again.
    HWND ModalWindow() const { return modalWindow_; }
    void SetModalWindow(HWND window) { modalWindow_ = window; }

private:
    HINSTANCE instance_;
    HWND handle_ = nullptr;
    HICON icon_ = nullptr;
    HWND modalWindow_ = nullptr;
    std::string title_;
};

// The one application object while it exists, else null.
extern TApplication* Application;

// The application window, or 0 when no application object exists.
HWND ApplicationWindowHandle();
