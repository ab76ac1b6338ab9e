// Plugs and unplugs drives while programs run, through Wine's mount manager (the call that
// Wine's own configuration tool makes): a drive letter given to a Unix folder appears in
// GetLogicalDrives at once, as a drive of the type asked for.
#pragma once

#include <string>

#include <windows.h>

bool PlugDrive(char letter, const std::string& unixPath, UINT driveType = DRIVE_REMOVABLE);
bool UnplugDrive(char letter);
