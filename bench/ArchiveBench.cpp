// Measures the archive catalogue on the real pack: construction against a bare zlib uncompress
// of the same resource, ExtractFile of every entry against plain WriteFile calls of the same
// bytes, and peak private memory against the inflated plus compressed size. Prints figures only.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <psapi.h>
#include <zlib.h>

#include "archive/AttachFiles.h"
#include "utils/InstUtils.h"
#include "utils/WideText.h"

namespace {

double Seconds()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double BestOf(int rounds, Work&& work)
{
    double best = 1e9;
    for (int i = 0; i < rounds; ++i) {
        const double start = Seconds();
        work();
        const double elapsed = Seconds() - start;
        if (elapsed < best)
            best = elapsed;
    }
    return best;
}

size_t PeakPrivateBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakPagefileUsage;
}

const char* const PackFiles[] = {"Greek.asc", "hunspell.dll", "el_GR.dic", "el_GR.aff", "userdicgr.tlx", "Greek.hyph",
                                 "Greek.thes"};

BOOL CALLBACK FindWizard(HWND window, LPARAM param)
{
    auto* found = reinterpret_cast<std::pair<DWORD, HWND>*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == found->first && IsWindowVisible(window) && std::string(name) == "TMainDlgForm") {
        found->second = window;
        return FALSE;
    }
    return TRUE;
}

// From starting setup.exe to its wizard window showing the Welcome page.
double StartUpSeconds()
{
    std::string exe = "Z:" SETUP_EXE_HOST_PATH;
    std::replace(exe.begin(), exe.end(), '/', '\\');
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    const double start = Seconds();
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    std::pair<DWORD, HWND> found{process.dwProcessId, nullptr};
    while (!found.second && Seconds() - start < 30) {
        EnumWindows(FindWizard, reinterpret_cast<LPARAM>(&found));
        if (!found.second)
            Sleep(1);
    }
    const double elapsed = Seconds() - start;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return found.second ? elapsed : -1;
}

void PlainWrite(const std::string& path, const uint8_t* data, DWORD size)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, data, size, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int main()
{
    const size_t baseline = PeakPrivateBytes();
    HRSRC resource = FindResourceA(nullptr, "FILES", "FILES");
    const auto* packed = static_cast<const Bytef*>(LockResource(LoadResource(nullptr, resource)));
    const DWORD packedSize = SizeofResource(nullptr, resource);

    size_t inflatedSize = 0;
    size_t peakDuringConstruction = 0;
    {
        TAttachedFiles files;
        inflatedSize = static_cast<size_t>(files.DataSize());
        peakDuringConstruction = PeakPrivateBytes() - baseline;
    }

    // Both sides allocate their output afresh; the catalogue's destruction (which also sweeps the
    // temporary folder) is not timed.
    double catalogue = 1e9;
    for (int i = 0; i < 5; ++i) {
        const double start = Seconds();
        auto timed = std::make_unique<TAttachedFiles>();
        catalogue = std::min(catalogue, Seconds() - start);
    }
    const double bare = BestOf(5, [&] {
        std::unique_ptr<Bytef[]> plain(new Bytef[inflatedSize]);
        uLongf length = static_cast<uLongf>(inflatedSize);
        uncompress(plain.get(), &length, packed, packedSize);
    });

    TAttachedFiles files;
    char tempPath[MAX_PATH];
    GetTempPathA(MAX_PATH, tempPath);
    const std::string folder = std::string(tempPath) + "archive-bench\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const double extract = BestOf(5, [&] {
        for (const auto& entry : files.Entries())
            files.ExtractFile(entry.get(), "", folder + entry->Name);
    });
    const double writes = BestOf(5, [&] {
        for (const auto& entry : files.Entries())
            PlainWrite(folder + entry->Name, files.Data() + entry->Offset, static_cast<DWORD>(entry->Size));
    });

    // The installation run: the pack queued into a fresh target and written, against plain writes
    // of the same bytes. The catalogue exists beforehand, as in the wizard; removing the previous
    // round's target is not timed.
    double install = 1e9;
    for (int i = 0; i < 5; ++i) {
        DeleteTree(folder + "Korvanta");
        TAttachedFiles run;
        const double start = Seconds();
        run.ForceOverwrite = true;
        const std::string target = folder + "Korvanta\\Public\\Spellcheck\\";
        for (const char* name : PackFiles)
            run.AddFiles(name, target, 0, imIfChanged);
        for (const auto& item : run.InstallGroup(0))
            run.ExtractFile(item->Entry, "", item->DestPath);
        install = std::min(install, Seconds() - start);
    }
    double installWrites = 1e9;
    const std::string plainFolder = folder + "plain\\";
    for (int i = 0; i < 5; ++i) {
        DeleteTree(plainFolder);
        CreateDirectoryA(plainFolder.c_str(), nullptr);
        const double start = Seconds();
        for (const char* name : PackFiles) {
            const TAttachedFile* entry = files.FindEntry(name);
            PlainWrite(plainFolder + name, files.Data() + entry->Offset, static_cast<DWORD>(entry->Size));
        }
        installWrites = std::min(installWrites, Seconds() - start);
    }
    DeleteTree(folder);
    double startUp = 1e9;
    for (int i = 0; i < 3; ++i)
        startUp = std::min(startUp, StartUpSeconds());

    std::printf("archive: %lu bytes compressed, %zu bytes inflated, %zu entries\n",
                static_cast<unsigned long>(packedSize), inflatedSize, files.Entries().size());
    std::printf("(a) catalogue construction %.1f ms, bare uncompress %.1f ms, ratio %.3f\n", catalogue * 1e3,
                bare * 1e3, catalogue / bare);
    std::printf("(b) ExtractFile of every entry %.1f ms, plain WriteFile %.1f ms, ratio %.3f\n", extract * 1e3,
                writes * 1e3, extract / writes);
    const double dataMb = static_cast<double>(inflatedSize + packedSize) / (1024.0 * 1024.0);
    const double peakMb = static_cast<double>(peakDuringConstruction) / (1024.0 * 1024.0);
    std::printf("(c) peak private memory while constructing %.1f MB against inflated + compressed %.1f MB, "
                "ratio %.3f\n", peakMb, dataMb, peakMb / dataMb);
    std::printf("(d) installation run (queue and writes of the 7 pack files into a new folder) %.1f ms, plain "
                "WriteFile of new files %.1f ms, ratio %.3f\n", install * 1e3, installWrites * 1e3, install / installWrites);
    std::printf("(e) from starting setup.exe to the Welcome page shown: %.0f ms (best of 3)\n", startUp * 1e3);
    return 0;
}
