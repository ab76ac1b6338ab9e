#include "components/Registry.h"

#include <cstring>
#include <vector>

TRegistry::TRegistry(const std::string& subKey)
{
    RegCreateKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                    &key_, nullptr);
}

TRegistry::~TRegistry()
{
    if (key_)
        RegCloseKey(key_);
}

bool TRegistry::ValueExists(const std::string& name) const
{
    DWORD size = 0;
    return key_ && RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, &size) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const
{
    DWORD size = 0;
    if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS || size == 0)
        return {};
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return {};
    return std::string(data.data(), strnlen(data.data(), size));
}

bool TRegistry::ReadDword(const std::string& name, uint32_t& value) const
{
    DWORD size = 0;
    if (!key_ || RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS ||
        size != sizeof value)
        return false;
    return RegQueryValueExA(key_, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS;
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (key_)
        RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
}

void TRegistry::WriteDword(const std::string& name, uint32_t value)
{
    if (key_)
        RegSetValueExA(key_, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}
