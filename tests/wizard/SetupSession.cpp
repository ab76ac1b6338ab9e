#include "tests/wizard/SetupSession.h"

#include <stdexcept>

namespace {

struct ControlSearch {
    std::string ClassName;
    std::string Text;
    bool VisibleOnly;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<ControlSearch*>(param);
    if (ClassNameOf(child) == search->ClassName && (!search->VisibleOnly || IsWindowVisible(child)) &&
        (search->Text.empty() || WindowText(child) == search->Text))
        search->Found.push_back(child);
    return TRUE;
}

struct MainWindowSearch {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<MainWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->ProcessId && IsWindowVisible(window) && ClassNameOf(window) == "TMainDlgForm") {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

const char CloseQuestionText[] =
    "Setup is not complete. If you quit this setup program now,\r"
    "the Korvanta Greek Spellchecker will not be correctly installed.\r\r"
    "You may relaunch the setup program at a later time\r"
    "to complete the installation of the Korvanta Greek Spellchecker.\r\r"
    "To continue installing, click No.\r"
    "To quit this setup program, click Yes.";

std::string StandInPath()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string path = exe;
    return path.substr(0, path.find_last_of('\\') + 1) + "kvwrite.exe";
}

std::string SetupExePath()
{
    std::string path = "Z:" SETUP_EXE_HOST_PATH;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

SetupSession::SetupSession(const std::string& arguments)
{
    const std::string exe = SetupExePath();
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{sizeof startup};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
        throw std::runtime_error("setup.exe did not start");
    const DWORD start = GetTickCount();
    while (!window_ && GetTickCount() - start < 15000) {
        MainWindowSearch search{process_.dwProcessId, nullptr};
        EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.Found;
        if (!window_)
            Sleep(20);
    }
    if (window_)
        WaitForInputIdle(process_.hProcess, 5000);
}

SetupSession::~SetupSession()
{
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::vector<HWND> SetupSession::Controls(const std::string& className) const
{
    ControlSearch search{className, "", false, {}};
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND SetupSession::Control(const std::string& className, const std::string& text) const
{
    ControlSearch search{className, text, true, {}};
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&search));
    return search.Found.empty() ? nullptr : search.Found.front();
}

bool SetupSession::WaitForTitle(const std::string& title, DWORD timeoutMs) const
{
    const DWORD start = GetTickCount();
    do {
        if (Control("Static", title))
            return true;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

void SetupSession::Press(const std::string& caption) const
{
    const DWORD start = GetTickCount();
    HWND button = Control("Button", caption);
    while ((!button || !IsWindowEnabled(button)) && GetTickCount() - start < 5000) {
        Sleep(20);
        button = Control("Button", caption);
    }
    if (!button || !IsWindowEnabled(button))
        throw std::runtime_error("no visible, enabled button " + caption + ":" + DescribeWindow(*this));
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND SetupSession::FolderEdit() const
{
    for (HWND edit : Controls("Edit"))
        if (!(GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE) && ClassNameOf(GetParent(edit)) != "ComboBox")
            return edit;
    return nullptr;
}

HWND SetupSession::LicenseMemo() const
{
    for (HWND edit : Controls("Edit"))
        if (GetWindowLongA(edit, GWL_STYLE) & ES_MULTILINE)
            return edit;
    return nullptr;
}

std::string SetupSession::FolderEditText() const
{
    return WindowText(FolderEdit());
}

void SetupSession::TypeFolder(const std::string& text) const
{
    SendMessageA(FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetupSession::SetCheck(const std::string& caption, bool checked) const
{
    ControlSearch search{"Button", caption, false, {}};
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.Found)
        if ((SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED) != checked)
            SendMessageA(box, BM_CLICK, 0, 0);
}

bool SetupSession::Checked(const std::string& caption) const
{
    ControlSearch search{"Button", caption, false, {}};
    EnumChildWindows(window_, CollectControl, reinterpret_cast<LPARAM>(&search));
    return !search.Found.empty() && SendMessageA(search.Found.front(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetupSession::CloseBox() const
{
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

DWORD SetupSession::WaitForExit(DWORD timeoutMs)
{
    WaitForSingleObject(process_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}


std::string DescribeWindow(const SetupSession& setup)
{
    std::string shown;
    for (HWND label : setup.Controls("Static"))
        if (IsWindowVisible(label))
            shown += " [" + WindowText(label) + "]";
    const MessageBoxSeen box = setup.WaitForBox(0);
    if (box.Window)
        shown += " box: " + box.Text;
    return shown;
}

void WalkToReadyPage(SetupSession& setup, const std::string& homeFolder)
{
    setup.Press("&Next >");
    if (!setup.WaitForTitle("License Agreement"))
        throw std::runtime_error("the License Agreement page did not come:" + DescribeWindow(setup));
    setup.Press("&Next >");
    if (!setup.WaitForTitle("Specify Home Folder"))
        throw std::runtime_error("the home-folder page did not come:" + DescribeWindow(setup));
    setup.TypeFolder(homeFolder);
    setup.Press("&Next >");
    if (!setup.WaitForTitle("Ready to Install"))
        throw std::runtime_error("the Ready to Install page did not come:" + DescribeWindow(setup));
}
