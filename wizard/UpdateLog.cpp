#include "wizard/UpdateLog.h"

#include <cstring>

#include <windows.h>

#include "utils/InstUtils.h"

namespace {

bool IsMarker(const std::string& line)
{
    return !line.empty() && line[0] == '*';
}

void RemoveInstalledAndEmptyLines(TStringList& lines, const TStringList& installedFiles)
{
    for (int i = lines.Count() - 1; i >= 0; --i)
        if (lines[i].empty() || installedFiles.Find(lines[i], CompareLogLines))
            lines.Delete(i);
}

// Of a run of adjacent marker lines the first (the oldest) stays; a marker at the end goes.
void RemoveEmptySections(TStringList& lines)
{
    for (int n = lines.Count() - 1; n >= 1; --n)
        if (IsMarker(lines[n]) && IsMarker(lines[n - 1]))
            lines.Delete(n);
    if (!lines.Empty() && IsMarker(lines[lines.Count() - 1]))
        lines.Delete(lines.Count() - 1);
}

}  // namespace

int CompareLogLines(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) - CSTR_EQUAL;
}

std::string MarkerLine(TDateTime installTime)
{
    static const char Digits[] = "0123456789ABCDEF";
    unsigned char bytes[sizeof installTime];
    std::memcpy(bytes, &installTime, sizeof bytes);
    std::string marker = "*";
    for (unsigned char byte : bytes) {
        marker += Digits[byte / 16];
        marker += Digits[byte % 16];
    }
    return marker;
}

void MergeInstallLog(TStringList& installedFiles, TDateTime installTime, const std::string& logPath)
{
    if (installedFiles.Empty())
        return;
    installedFiles.Sort(CompareLogLines);
    TStringList lines;
    if (FileExists(logPath)) {
        lines.LoadFromFile(logPath);
        RemoveInstalledAndEmptyLines(lines, installedFiles);
        RemoveEmptySections(lines);
    }
    lines.Add(MarkerLine(installTime));
    for (const std::string& path : installedFiles.Lines())
        lines.Add(path);
    lines.SaveToFile(logPath);
}
