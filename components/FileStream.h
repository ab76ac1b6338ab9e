// A file opened for the lifetime of the object; opening raises the silent abort on failure.
#pragma once

#include <string>

#include <windows.h>

class TFileStream {
public:
    enum class Mode { Create, OpenRead };

    // Create: read and write, no sharing, always created anew. OpenRead: read only, no sharing,
    // existing file only.
    TFileStream(const std::string& path, Mode mode);
    ~TFileStream();
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // Returns the count of bytes written, which is less than asked for when the disk is full.
    size_t Write(const void* data, size_t bytes);
    std::string ReadAll();

private:
    HANDLE handle_;
};
