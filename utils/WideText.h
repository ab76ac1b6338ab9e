// The one place where the program's ANSI byte strings meet the wide Windows functions.
#pragma once

#include <string>

// Converts bytes in the system's ANSI code page to UTF-16, so that a narrow and a wide call
// given the same text always name the same file.
std::wstring ToWide(const std::string& text);

// Converts UTF-16 to bytes in the system's ANSI code page.
std::string FromWide(const std::wstring& text);
