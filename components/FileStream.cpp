#include "components/FileStream.h"

#include "components/Exceptions.h"
#include "utils/WideText.h"

TFileStream::TFileStream(const std::string& path, Mode mode)
{
    const std::wstring widePath = ToWide(path);
    if (mode == Mode::Create) {
        handle_ = CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError();
    } else {
        handle_ = CreateFileW(widePath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFOpenError();
    }
}

TFileStream::~TFileStream()
{
    CloseHandle(handle_);
}

size_t TFileStream::Write(const void* data, size_t bytes)
{
    DWORD written = 0;
    WriteFile(handle_, data, static_cast<DWORD>(bytes), &written, nullptr);
    return written;
}

std::string TFileStream::ReadAll()
{
    LARGE_INTEGER size{};
    GetFileSizeEx(handle_, &size);
    std::string content(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!content.empty())
        ReadFile(handle_, &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
    content.resize(read);
    return content;
}
