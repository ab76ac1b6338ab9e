// The catalogue of the archive that travels inside the program as the FILES resource: entries
// found by name, written to disk, and queued for installation by install mode.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/Zlib.h"
#include "components/StringList.h"
#include "utils/DateTime.h"

struct TAttachedFile {
    std::string Name;
    int32_t Size;
    TDateTime Date;
    int32_t Offset;
};

struct TFileToInstall {
    const TAttachedFile* Entry;
    std::string DestPath;
};

enum TInstallMode : uint8_t { imIfMissing = 0, imIfChanged = 1, imAlways = 2 };

// Set by the installation run: queued files below the shared public folder are then logged.
extern bool LogPublicFiles;

class TAttachedFiles {
public:
    // Loads, inflates and lists the program's own FILES resource. Throws EArchiveDamaged when the
    // resource is missing, damaged or truncated.
    TAttachedFiles();
    // The same from compressed bytes held elsewhere.
    TAttachedFiles(const void* compressed, int32_t compressedBytes);
    virtual ~TAttachedFiles();
    TAttachedFiles(const TAttachedFiles&) = delete;
    TAttachedFiles& operator=(const TAttachedFiles&) = delete;

    // The entry of that name in any letter case; the last one in archive order wins.
    const TAttachedFile* FindEntry(const std::string& name) const;

    // Writes an entry (or, with none given, the entry of that name) to destPath with its date,
    // asking Abort, Retry or Ignore when it cannot. False only after Abort.
    bool ExtractFile(const TAttachedFile* entry, const std::string& name, const std::string& destPath);

    // Queues one entry, or every entry below a folder name ending in a backslash, into
    // destFolder as its install mode calls for. True when anything was queued.
    bool AddFiles(const std::string& name, const std::string& destFolder, uint8_t group, uint8_t mode);

    const uint8_t* Data() const { return data_.get(); }
    int32_t DataSize() const { return dataSize_; }
    const std::vector<std::unique_ptr<TAttachedFile>>& Entries() const { return entries_; }
    const std::vector<std::unique_ptr<TFileToInstall>>& InstallGroup(uint8_t group) const { return installGroups_[group]; }
    TStringList& InstalledFiles() { return installedFiles_; }

    bool ForceOverwrite = false;

private:
    void Load(const void* compressed, int32_t compressedBytes);
    bool WriteAttempt(const TAttachedFile* entry, const std::string& destPath);
    bool QueueFile(const TAttachedFile& entry, const std::string& destFolder, uint8_t modeInForce,
                   uint8_t modePassed, uint8_t group);

    ZBuffer data_;
    int32_t dataSize_ = 0;
    std::vector<std::unique_ptr<TAttachedFile>> entries_;
    std::vector<std::unique_ptr<TFileToInstall>> installGroups_[1];
    TStringList installedFiles_;
};

// The one catalogue of the process, owned by the program shell.
extern TAttachedFiles* AttachedFiles;
