#include "tests/driver/WindowDriver.h"

namespace {

constexpr int MessageTextControlId = 0xFFFF;
// The context bit of a key message: Alt is held.
constexpr LPARAM AltHeld = 1 << 29;

struct BoxSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->ProcessId && IsWindowVisible(window) && ClassNameOf(window) == "#32770") {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param)
{
    if (ClassNameOf(child) == "Button" && IsWindowVisible(child))
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(WindowText(child));
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window)
{
    // WM_GETTEXT works across processes, where GetWindowText does not for other processes' controls.
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(window, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(wcslen(wide.c_str()));
    if (wide.empty())
        return {};
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], bytes, nullptr, nullptr);
    text.resize(static_cast<size_t>(bytes) - 1);
    return text;
}

std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        BoxSearch search{processId, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.Found) {
            MessageBoxSeen box;
            box.Window = search.Found;
            box.Caption = WindowText(search.Found);
            box.Text = WindowText(GetDlgItem(search.Found, MessageTextControlId));
            EnumChildWindows(search.Found, CollectButton, reinterpret_cast<LPARAM>(&box.Buttons));
            return box;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return {};
}

bool AnswerMessageBox(HWND box, int buttonId, DWORD timeoutMs)
{
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    const DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

HWND FocusedWindow(HWND topLevel)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(topLevel, nullptr), &info);
    return info.hwndFocus ? info.hwndFocus : topLevel;
}

bool WaitForFocus(HWND topLevel, HWND expected, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (FocusedWindow(topLevel) != expected) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

bool WaitForActive(HWND topLevel, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (true) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(topLevel, nullptr), &info);
        if (info.hwndActive == topLevel)
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}

void PostKey(HWND topLevel, WPARAM virtualKey)
{
    HWND focus = FocusedWindow(topLevel);
    PostMessageA(focus, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(focus, WM_KEYUP, virtualKey, 1 | (3u << 30));
}

void PostAltLetter(HWND topLevel, char letter)
{
    PostMessageA(FocusedWindow(topLevel), WM_SYSCHAR, static_cast<WPARAM>(static_cast<unsigned char>(letter)),
                 1 | AltHeld);
}

void PostAltF4(HWND topLevel)
{
    HWND focus = FocusedWindow(topLevel);
    PostMessageA(focus, WM_SYSKEYDOWN, VK_F4, 1 | AltHeld);
    PostMessageA(focus, WM_SYSKEYUP, VK_F4, 1 | AltHeld | (3u << 30));
}

BoxAnswerer::BoxAnswerer(Reply reply)
    : reply_(std::move(reply)), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)), thread_([this] { Run(); })
{
}

BoxAnswerer::~BoxAnswerer()
{
    SetEvent(stop_);
    thread_.join();
    CloseHandle(stop_);
}

std::vector<MessageBoxSeen> BoxAnswerer::Seen() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void BoxAnswerer::Run()
{
    while (WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
        MessageBoxSeen box = WaitForMessageBox(GetCurrentProcessId(), 50);
        if (!box.Window)
            continue;
        const int button = reply_(box);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(box);
        }
        AnswerMessageBox(box.Window, button);
    }
}
