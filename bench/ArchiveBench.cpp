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
    DeleteTree(folder);

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
    return 0;
}
