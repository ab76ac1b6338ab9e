#include "tests/drives/MountManager.h"

#include <cstring>
#include <vector>

namespace {

constexpr DWORD IoctlDefineUnixDrive = 0x6DC080;

// The request that the mount manager takes, followed by the Unix path.
struct UnixDriveRequest {
    ULONG Size;
    ULONG Type;
    ULONG FsType;
    DWORD Serial;
    ULONGLONG UnixDevice;
    WCHAR Letter;
    USHORT MountPointOffset;
    USHORT DeviceOffset;
    USHORT LabelOffset;
};

bool DefineDrive(char letter, const std::string* unixPath, UINT driveType)
{
    std::vector<char> buffer(sizeof(UnixDriveRequest) + (unixPath ? unixPath->size() + 1 : 0), '\0');
    auto* request = reinterpret_cast<UnixDriveRequest*>(buffer.data());
    request->Size = static_cast<ULONG>(buffer.size());
    request->Type = driveType;
    request->Letter = static_cast<WCHAR>(letter | 0x20);
    if (unixPath) {
        request->MountPointOffset = sizeof(UnixDriveRequest);
        std::memcpy(buffer.data() + sizeof(UnixDriveRequest), unixPath->c_str(), unixPath->size() + 1);
    }
    HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    DWORD returned = 0;
    const bool done = DeviceIoControl(manager, IoctlDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      nullptr, 0, &returned, nullptr) != FALSE;
    CloseHandle(manager);
    return done;
}

}  // namespace

bool PlugDrive(char letter, const std::string& unixPath, UINT driveType)
{
    return DefineDrive(letter, &unixPath, driveType);
}

bool UnplugDrive(char letter)
{
    return DefineDrive(letter, nullptr, DRIVE_NO_ROOT_DIR);
}
