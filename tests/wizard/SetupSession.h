// One run of the real setup.exe, driven from outside as a user would: its window and controls
// are found by class and caption, buttons are pressed, text is typed, message boxes are read and
// answered, and the exit code is read at the end.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "tests/driver/WindowDriver.h"

std::string SetupExePath();
// The stand-in kvwrite.exe built beside the tests.
std::string StandInPath();

// The close question, word for word.
extern const char CloseQuestionText[];

class SetupSession {
public:
    // Starts setup.exe with the arguments (after the program name) and waits for its window.
    explicit SetupSession(const std::string& arguments = "");
    ~SetupSession();
    SetupSession(const SetupSession&) = delete;
    SetupSession& operator=(const SetupSession&) = delete;

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return process_.dwProcessId; }

    // The first visible child of the window class with that text (any text when empty).
    HWND Control(const std::string& className, const std::string& text = "") const;
    // Every child of the window class, visible or not, in window order.
    std::vector<HWND> Controls(const std::string& className) const;

    // The banner's title: the visible static text that is one of the page titles.
    bool WaitForTitle(const std::string& title, DWORD timeoutMs = 10000) const;
    // Presses a visible button by its caption, as a click does.
    void Press(const std::string& caption) const;
    HWND FolderEdit() const;
    HWND LicenseMemo() const;
    std::string FolderEditText() const;
    void TypeFolder(const std::string& text) const;
    void SetCheck(const std::string& caption, bool checked) const;
    bool Checked(const std::string& caption) const;

    MessageBoxSeen WaitForBox(DWORD timeoutMs = 10000) const { return WaitForMessageBox(ProcessId(), timeoutMs); }
    // Asks the window to close, as its close box does.
    void CloseBox() const;

    // Waits for the process to end; STILL_ACTIVE when it has not.
    DWORD WaitForExit(DWORD timeoutMs = 15000);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// What the window shows (visible texts and an open message box), for a failure's message.
std::string DescribeWindow(const SetupSession& setup);

// Walks from the Welcome page to the Ready to Install page with the home folder given.
void WalkToReadyPage(SetupSession& setup, const std::string& homeFolder);
