#include "utils/InstUtils.h"

#include <cstring>
#include <vector>

#include <windows.h>
#include <ole2.h>
#include <winioctl.h>

#include "utils/WideText.h"

const char* const SetupTitle = "Korvanta Greek Spellchecker - Setup";

namespace {

using SHGetFolderPathAFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
SHGetFolderPathAFn ShellFolderFunction = nullptr;

std::vector<std::string> DirStack;

SHGetFolderPathAFn LookUpShellFolderFunction(const char* dll)
{
    // Only the system folder: an installer started from a download folder must not load a planted DLL.
    HMODULE module = LoadLibraryExA(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module)
        return nullptr;
    return reinterpret_cast<SHGetFolderPathAFn>(reinterpret_cast<void*>(GetProcAddress(module, "SHGetFolderPathA")));
}

bool IsDotEntry(const char* name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

bool IsFolderLink(DWORD attributes)
{
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Owns a FindFirstFileA search.
class FileSearch {
public:
    explicit FileSearch(const std::string& pattern) : handle_(FindFirstFileA(pattern.c_str(), &data_)) {}
    ~FileSearch()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Entry() const { return data_; }
    bool Next() { return FindNextFileA(handle_, &data_) != FALSE; }

private:
    WIN32_FIND_DATAA data_{};
    HANDLE handle_;
};

}  // namespace

InstUtilsSession::InstUtilsSession()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    OleInitialize(nullptr);
    ShellFolderFunction = LookUpShellFolderFunction("shell32.dll");
    if (!ShellFolderFunction)
        ShellFolderFunction = LookUpShellFolderFunction("shfolder.dll");
}

InstUtilsSession::~InstUtilsSession()
{
    OleUninitialize();
}

void AddBackslash(std::string& path)
{
    if (path.empty())
        return;
    if (path.back() == '/' || path.back() == '\\')
        path.back() = '\\';
    else
        path += '\\';
}

std::string PathJoin(const std::string& folder, const std::string& name)
{
    std::string joined = folder;
    AddBackslash(joined);
    return joined + name;
}

char LastChar(const std::string& s)
{
    return s.empty() ? '\0' : s.back();
}

void DeleteFirstChar(std::string& s)
{
    if (!s.empty())
        s.erase(0, 1);
}

void DeleteLastChar(std::string& s)
{
    if (!s.empty())
        s.pop_back();
}

bool SameTextCI(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    std::string upperA = a, upperB = b;
    if (!a.empty()) {
        CharUpperBuffA(&upperA[0], static_cast<DWORD>(upperA.size()));
        CharUpperBuffA(&upperB[0], static_cast<DWORD>(upperB.size()));
    }
    return upperA == upperB;
}

std::string GetCurrentDir()
{
    const DWORD needed = GetCurrentDirectoryA(0, nullptr);
    std::string dir(needed, '\0');
    GetCurrentDirectoryA(needed, &dir[0]);
    dir.resize(std::strlen(dir.c_str()));
    AddBackslash(dir);
    return dir;
}

void PushCurrentDir()
{
    DirStack.push_back(GetCurrentDir());
}

void PopCurrentDir()
{
    if (DirStack.empty())
        return;
    SetCurrentDirectoryA(DirStack.back().c_str());
    DirStack.pop_back();
}

bool DirExists(const std::string& path)
{
    PushCurrentDir();
    std::string folder = path;
    AddBackslash(folder);
    SetCurrentDirectoryA(folder.c_str());
    const bool exists = SameTextCI(GetCurrentDir(), folder);
    PopCurrentDir();
    return exists;
}

bool FileExists(const std::string& path)
{
    FileSearch search(path);
    return search.Found() && !(search.Entry().dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string GetSpecialFolder(int csidl)
{
    if (!ShellFolderFunction)
        return {};
    char buffer[MAX_PATH + 1] = {};
    if (ShellFolderFunction(nullptr, csidl, nullptr, 0, buffer) != S_OK)
        return {};
    return buffer;
}

std::string GetTempDir()
{
    const DWORD needed = GetTempPathA(0, nullptr);
    std::string dir(needed, '\0');
    GetTempPathA(needed, &dir[0]);
    dir.resize(std::strlen(dir.c_str()));
    if (!DirExists(dir))
        dir = GetSpecialFolder(CSIDL_PERSONAL_FOLDER);
    AddBackslash(dir);
    return dir;
}

std::string TempFilePrefix()
{
    std::string prefix = "~";
    for (const char* p = SetupTitle; *p; ++p)
        if ((*p >= 'A' && *p <= 'Z') || (*p >= 'a' && *p <= 'z'))
            prefix += *p;
    return prefix;
}

std::string NewTempFileName()
{
    const std::string stem = GetTempDir() + TempFilePrefix();
    for (unsigned n = 0;; ++n) {
        std::string name = stem + std::to_string(n) + ".tmp";
        if (!FileExists(name))
            return name;
    }
}

void CleanTempFiles()
{
    const std::string dir = GetTempDir();
    const std::string prefix = TempFilePrefix();
    FileSearch search(dir + "*.*");
    if (!search.Found())
        return;
    do {
        const WIN32_FIND_DATAA& entry = search.Entry();
        if (std::strncmp(entry.cFileName, prefix.c_str(), prefix.size()) != 0)
            continue;
        const std::string path = dir + entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            DeleteTree(path);
        else
            DeleteFileW(ToWide(path).c_str());
    } while (search.Next());
}

void DeleteTree(const std::string& folder)
{
    std::string root = folder;
    AddBackslash(root);
    // A junction or a symbolic link is removed itself; what it points to is never entered.
    const DWORD attributes = GetFileAttributesA(root.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !IsFolderLink(attributes)) {
        FileSearch search(root + "*.*");
        if (search.Found()) {
            do {
                const WIN32_FIND_DATAA& entry = search.Entry();
                if (IsDotEntry(entry.cFileName))
                    continue;
                const std::string path = root + entry.cFileName;
                if (IsFolderLink(entry.dwFileAttributes))
                    RemoveDirectoryW(ToWide(path).c_str());
                else if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteTree(path);
                else
                    DeleteFileW(ToWide(path).c_str());
            } while (search.Next());
        }
    }
    RemoveDirectoryW(ToWide(root).c_str());
}

void ForceDirectories(const std::string& path)
{
    if (path.empty() || DirExists(path))
        return;
    std::string parent = path;
    if (parent.back() == '\\')
        parent.pop_back();
    const size_t cut = parent.find_last_of("\\:");
    parent = cut == std::string::npos ? std::string() : parent.substr(0, cut + 1);
    if (parent.size() < path.size())
        ForceDirectories(parent);
    CreateDirectoryW(ToWide(path).c_str(), nullptr);
}

void WriteStringToFile(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

TDateTime LocalNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
}

TDateTime FileDateTime(const std::string& path)
{
    FileSearch search(path);
    if (!search.Found())
        return LocalNow();
    FILETIME local;
    FileTimeToLocalFileTime(&search.Entry().ftLastWriteTime, &local);
    WORD dosDate = 0, dosTime = 0;
    if (FileTimeToDosDateTime(&local, &dosDate, &dosTime))
        return DosToDateTime(dosDate, dosTime);
    // Outside the DOS range: the same two-second truncation, taken from the calendar fields.
    SYSTEMTIME st;
    FileTimeToSystemTime(&local, &st);
    return EncodeDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond & ~1);
}

std::string FolderPart(const std::string& path)
{
    const size_t cut = path.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string DrivePart(const std::string& path)
{
    if (path.size() >= 2 && path[1] == ':')
        return path.substr(0, 2);
    if (path.compare(0, 2, "\\\\") != 0)
        return {};
    const size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos)
        return path;
    const size_t shareEnd = path.find('\\', serverEnd + 1);
    return path.substr(0, shareEnd);
}

unsigned GetPathDriveType(const std::string& path)
{
    std::string root = DrivePart(path);
    AddBackslash(root);
    return GetDriveTypeA(root.c_str());
}

bool DescriptorMeansRemovable(const uint8_t (&descriptor)[StorageDescriptorBytes])
{
    constexpr size_t RemovableMediaOffset = 10;
    constexpr size_t BusTypeOffset = 28;
    constexpr uint32_t BusType1394 = 4;
    constexpr uint32_t BusTypeUsb = 7;
    uint32_t busType;
    std::memcpy(&busType, descriptor + BusTypeOffset, sizeof busType);
    return busType == BusType1394 || busType == BusTypeUsb || descriptor[RemovableMediaOffset] != 0;
}

bool IsRemovableDrive(const std::string& path)
{
    const unsigned type = GetPathDriveType(path);
    if (type == DRIVE_REMOVABLE)
        return true;
    if (type != DRIVE_FIXED)
        return false;
    const std::wstring device = ToWide("\\\\.\\" + DrivePart(path));
    HANDLE volume = CreateFileW(device.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (volume == INVALID_HANDLE_VALUE)
        return false;
    uint8_t query[12] = {};  // StorageDeviceProperty, PropertyStandardQuery
    uint8_t answer[StorageDescriptorBytes] = {};
    const uint32_t answerSize = StorageDescriptorBytes;
    std::memcpy(answer + 4, &answerSize, sizeof answerSize);
    DWORD returned = 0;
    const bool queried = DeviceIoControl(volume, IOCTL_STORAGE_QUERY_PROPERTY, query, sizeof query, answer,
                                         sizeof answer, &returned, nullptr) != FALSE;
    CloseHandle(volume);
    return queried && DescriptorMeansRemovable(answer);
}
