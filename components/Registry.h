// A registry key below HKEY_CURRENT_USER, opened (and created when missing) for the object's
// lifetime. Failures are silent: a key that cannot be opened reads every value as missing.
#pragma once

#include <cstdint>
#include <string>

#include <windows.h>

class TRegistry {
public:
    explicit TRegistry(const std::string& subKey);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    bool ValueExists(const std::string& name) const;
    // The stored bytes up to the first NUL, whatever the value's type.
    std::string ReadString(const std::string& name) const;
    // False when the value is missing or is not exactly four bytes.
    bool ReadDword(const std::string& name, uint32_t& value) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteDword(const std::string& name, uint32_t value);

private:
    HKEY key_ = nullptr;
};
