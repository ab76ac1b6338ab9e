// The update log: one section per shared installation, a marker line carrying the installation
// time followed by the full paths installed then. Older mentions of the same paths are removed,
// and sections left without paths are dropped.
#pragma once

#include <string>

#include "components/StringList.h"
#include "utils/DateTime.h"

// Lines compare without regard to case, as the user's locale sorts them.
int CompareLogLines(const std::string& a, const std::string& b);

// "*" and the 8 bytes of the time in memory order, two upper-case hex digits each.
std::string MarkerLine(TDateTime installTime);

// Merges the installed files into the log at logPath. Leaves the log untouched when nothing was
// installed; raises the silent abort when the log cannot be read or written.
void MergeInstallLog(TStringList& installedFiles, TDateTime installTime, const std::string& logPath);
