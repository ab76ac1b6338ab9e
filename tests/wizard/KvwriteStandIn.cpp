// Stands in for the word processor's kvwrite.exe: records that it was started, beside itself.
#include <string>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string record(path, length);
    record = record.substr(0, record.find_last_of('\\') + 1) + "started.txt";
    HANDLE file = CreateFileA(record.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(file);
    return 0;
}
