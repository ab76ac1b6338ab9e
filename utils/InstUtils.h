// Installer utilities: paths, folders, shell folders, temporary files, time stamps and drives.
// File-system failures are silent here: a result, or the absence of an effect, is all a caller learns.
#pragma once

#include <cstdint>
#include <string>

#include "utils/DateTime.h"

extern const char* const SetupTitle;

constexpr int CSIDL_PERSONAL_FOLDER = 5;
constexpr int CSIDL_COMMON_APPDATA_FOLDER = 35;
constexpr int CSIDL_PROGRAM_FILES_FOLDER = 38;

// Start-up and shutdown of the utilities: DLL search restricted to the system folder, OLE,
// and the one look-up of the shell-folder function. One instance lives for the whole process.
class InstUtilsSession {
public:
    InstUtilsSession();
    ~InstUtilsSession();
    InstUtilsSession(const InstUtilsSession&) = delete;
    InstUtilsSession& operator=(const InstUtilsSession&) = delete;
};

void AddBackslash(std::string& path);
std::string PathJoin(const std::string& folder, const std::string& name);
char LastChar(const std::string& s);
void DeleteFirstChar(std::string& s);
void DeleteLastChar(std::string& s);
bool SameTextCI(const std::string& a, const std::string& b);

std::string GetCurrentDir();
void PushCurrentDir();
void PopCurrentDir();
bool DirExists(const std::string& path);
bool FileExists(const std::string& path);

std::string GetSpecialFolder(int csidl);
std::string GetTempDir();
std::string TempFilePrefix();
std::string NewTempFileName();
void CleanTempFiles();
void DeleteTree(const std::string& folder);
void ForceDirectories(const std::string& path);
void WriteStringToFile(const std::string& path, const std::string& text);
TDateTime FileDateTime(const std::string& path);
TDateTime LocalNow();

unsigned GetPathDriveType(const std::string& path);
bool IsRemovableDrive(const std::string& path);

// A path up to and including its last backslash or colon; empty when it has neither.
std::string FolderPart(const std::string& path);

// The drive part of a path: "C:" for C:\x, "\\server\share" for a server path, else empty.
std::string DrivePart(const std::string& path);

// Reads the storage device descriptor that the volume device answers: a USB or IEEE 1394 bus,
// or removable media, means the drive travels with the user.
constexpr size_t StorageDescriptorBytes = 548;
bool DescriptorMeansRemovable(const uint8_t (&descriptor)[StorageDescriptorBytes]);
