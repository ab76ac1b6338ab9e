// Drives windows as a user would, from a test: finds a process's message boxes, reads their
// caption and text, and presses their buttons.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

struct MessageBoxSeen {
    HWND Window = nullptr;
    std::string Caption;
    std::string Text;
    std::vector<std::string> Buttons;  // captions of the push buttons, in window order
};

std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);

// The first visible message box of the process, or a null Window once timeoutMs have passed.
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Presses a button of a box (IDOK, IDYES, IDABORT...) and waits until the box is gone.
bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs = 5000);

// The window that has the keyboard focus in the thread of that top-level window (the window
// itself when none has it).
HWND FocusedWindow(HWND topLevel);
// Waits until the focus in that window's thread is on the given window.
bool WaitForFocus(HWND topLevel, HWND expected, DWORD timeoutMs = 5000);

// Waits until that top-level window is the active window of its thread.
bool WaitForActive(HWND topLevel, DWORD timeoutMs = 5000);

// Keys as the program's own message loop receives them, posted to the focused window.
void PostKey(HWND topLevel, WPARAM virtualKey);
// Alt held with a letter (an accelerator).
void PostAltLetter(HWND topLevel, char letter);
// Alt+F4.
void PostAltF4(HWND topLevel);

// Answers every message box of this process from a thread of its own, so that code under test
// can show real boxes on the test's thread. The reply returns the button to press.
class BoxAnswerer {
public:
    using Reply = std::function<int(const MessageBoxSeen&)>;
    explicit BoxAnswerer(Reply reply);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<MessageBoxSeen> Seen() const;

private:
    void Run();

    Reply reply_;
    mutable std::mutex mutex_;
    std::vector<MessageBoxSeen> seen_;
    HANDLE stop_;
    std::thread thread_;
};
