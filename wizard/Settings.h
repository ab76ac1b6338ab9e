// The two settings the wizard keeps between runs, below HKEY_CURRENT_USER: the word processor's
// home folder ("MAINDIR", REG_SZ) and the launch check box ("LAUNCH", REG_DWORD 1 or 0).
#pragma once

#include <string>

extern const char* const SettingsKey;

struct TStoredSettings {
    bool HomeFolderPresent = false;
    std::string HomeFolder;
    bool Launch = true;  // a missing or unreadable value leaves the box ticked
};

// Opens the key (creating it when missing) and reads both values.
TStoredSettings ReadSettings();

void WriteSettings(const std::string& homeFolder, bool launch);
