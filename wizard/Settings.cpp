#include "wizard/Settings.h"

#include <cstdint>

#include "components/Registry.h"

const char* const SettingsKey = "Software\\Korvanta Word Processor\\Install";

TStoredSettings ReadSettings()
{
    TRegistry key(SettingsKey);
    TStoredSettings settings;
    settings.HomeFolderPresent = key.ValueExists("MAINDIR");
    if (settings.HomeFolderPresent)
        settings.HomeFolder = key.ReadString("MAINDIR");
    uint32_t launch = 0;
    if (key.ReadDword("LAUNCH", launch))
        settings.Launch = launch != 0;
    return settings;
}

void WriteSettings(const std::string& homeFolder, bool launch)
{
    TRegistry key(SettingsKey);
    key.WriteString("MAINDIR", homeFolder);
    key.WriteDword("LAUNCH", launch ? 1 : 0);
}
