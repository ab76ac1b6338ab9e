#include "tests/unit/TestSupport.h"

#include <fstream>
#include <sstream>

#include <zlib.h>

#include "utils/InstUtils.h"

namespace {

std::string EnvironmentValue(const char* name)
{
    char value[MAX_PATH * 2] = {};
    GetEnvironmentVariableA(name, value, sizeof value);
    return value;
}

}  // namespace

ScratchFolder::ScratchFolder(bool asTempFolder, const std::string& leaf) : asTempFolder_(asTempFolder)
{
    char base[MAX_PATH] = {};
    GetTempPathA(sizeof base, base);
    static unsigned counter = 0;
    root_ = std::string(base) + "scratch-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    CreateDirectoryA(root_.c_str(), nullptr);
    path_ = root_;
    if (!leaf.empty()) {
        path_ += "\\" + leaf;
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    path_ += "\\";
    if (asTempFolder) {
        savedTmp_ = EnvironmentValue("TMP");
        savedTemp_ = EnvironmentValue("TEMP");
        SetEnvironmentVariableA("TMP", path_.c_str());
        SetEnvironmentVariableA("TEMP", path_.c_str());
    }
}

ScratchFolder::~ScratchFolder()
{
    if (asTempFolder_) {
        SetEnvironmentVariableA("TMP", savedTmp_.c_str());
        SetEnvironmentVariableA("TEMP", savedTemp_.c_str());
    }
    DeleteTree(root_);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteWholeFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

void MakeFolder(const std::string& path)
{
    CreateDirectoryA(path.c_str(), nullptr);
}

bool PathIsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    // The same local-to-UTC bias as the program's own conversion, whatever the zone's history.
    SYSTEMTIME local{year, month, 0, day, hour, minute, second, 0};
    FILETIME localTime, time;
    SystemTimeToFileTime(&local, &localTime);
    LocalFileTimeToFileTime(&localTime, &time);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

std::string Compress(const std::string& archive)
{
    uLongf bound = compressBound(static_cast<uLong>(archive.size()));
    std::string packed(bound, '\0');
    compress2(reinterpret_cast<Bytef*>(&packed[0]), &bound, reinterpret_cast<const Bytef*>(archive.data()),
              static_cast<uLong>(archive.size()), Z_BEST_COMPRESSION);
    packed.resize(bound);
    return packed;
}
