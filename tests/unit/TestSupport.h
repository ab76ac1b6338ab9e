// Scratch folders and small file helpers for the tests.
#pragma once

#include <string>

#include <windows.h>

// A fresh folder below Windows' temporary folder, removed with everything in it at the end.
// With asTempFolder, it is also the process's temporary folder (TMP and TEMP) while it lives.
class ScratchFolder {
public:
    explicit ScratchFolder(bool asTempFolder = false, const std::string& leaf = "");
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder with a trailing backslash.
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string root_;
    std::string path_;
    std::string savedTmp_, savedTemp_;
    bool asTempFolder_;
};

std::string ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::string& content);
void MakeFolder(const std::string& path);
bool PathIsFolder(const std::string& path);
bool PathExists(const std::string& path);

// Sets a file's last-write time from local calendar fields.
void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second);

// Compresses records made with AppendRecord into a zlib stream, as the packer does.
std::string Compress(const std::string& archive);
