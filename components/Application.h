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

private:
    HINSTANCE instance_;
    HWND handle_ = nullptr;
    HICON icon_ = nullptr;
    std::string title_;
};

// The one application object while it exists, else null.
extern TApplication* Application;

// The application window, or 0 when no application object exists.
HWND ApplicationWindowHandle();
