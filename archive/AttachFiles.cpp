#include "archive/AttachFiles.h"

#include <windows.h>

#include "archive/ArchiveRecords.h"
#include "components/Exceptions.h"
#include "components/FileStream.h"
#include "utils/InstUtils.h"
#include "utils/MessageBox.h"
#include "utils/WideText.h"

bool LogPublicFiles = false;
TAttachedFiles* AttachedFiles = nullptr;

namespace {

const char ResourceName[] = "FILES";

std::string CannotCreateMessage(const std::string& path)
{
    return "Cannot create file \"" + path +
           "\".\rAnother application might already be using this file.\r\r"
           "Please make sure that the setup of Korvanta Word Processor is not blocked by your security software "
           "(firewall/antivirus) in any way.\rYou might want to temporarily disable your security software and try "
           "again.";
}

// Gives the file the entry's date as its last-write time; a date that has no DOS form is skipped.
void StampLastWriteTime(const std::string& path, TDateTime date)
{
    HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    uint16_t dosDate, dosTime;
    FILETIME local, utc;
    if (DateTimeToDos(date, dosDate, dosTime) && DosDateTimeToFileTime(dosDate, dosTime, &local) &&
        LocalFileTimeToFileTime(&local, &utc))
        SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);
}

bool StartsWithCI(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && SameTextCI(text.substr(0, prefix.size()), prefix);
}

}  // namespace

TAttachedFiles::TAttachedFiles()
{
    HRSRC resource = FindResourceA(nullptr, ResourceName, ResourceName);
    HGLOBAL loaded = resource ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        throw EArchiveDamaged("the program has no FILES resource");
    Load(bytes, static_cast<int32_t>(SizeofResource(nullptr, resource)));
}

TAttachedFiles::TAttachedFiles(const void* compressed, int32_t compressedBytes)
{
    Load(compressed, compressedBytes);
}

void TAttachedFiles::Load(const void* compressed, int32_t compressedBytes)
{
    const int64_t estimate = int64_t{5} * compressedBytes;
    try {
        DecompressBuf(compressed, compressedBytes, data_, dataSize_,
                      static_cast<int32_t>(estimate < INT32_MAX ? estimate : INT32_MAX));
    } catch (const EZlibError& e) {
        throw EArchiveDamaged(e.what());
    }
    for (const TArchiveRecord& record : ParseArchive(data_.get(), dataSize_))
        entries_.push_back(std::make_unique<TAttachedFile>(TAttachedFile{record.Name, record.Size, record.Date, record.Offset}));
}

TAttachedFiles::~TAttachedFiles()
{
    installedFiles_.Clear();
    while (!installGroups_[0].empty())
        installGroups_[0].pop_back();
    data_.reset();
    while (!entries_.empty())
        entries_.pop_back();
    CleanTempFiles();
}

const TAttachedFile* TAttachedFiles::FindEntry(const std::string& name) const
{
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (SameTextCI(name, (*it)->Name))
            return it->get();
    return nullptr;
}

bool TAttachedFiles::ExtractFile(const TAttachedFile* entry, const std::string& name, const std::string& destPath)
{
    if (!entry)
        entry = FindEntry(name);
    for (;;) {
        try {
            if (WriteAttempt(entry, destPath))
                return true;
        } catch (...) {
            // Whatever went wrong, the user decides below.
        }
        switch (ShowMessageBox(CannotCreateMessage(destPath), MessageKind::Error, mbAbort | mbRetry | mbIgnore)) {
        case mrAbort: return false;
        case mrIgnore: return true;
        default: break;
        }
    }
}

bool TAttachedFiles::WriteAttempt(const TAttachedFile* entry, const std::string& destPath)
{
    if (!entry)
        return false;  // nothing to write: fail before any file is created
    ForceDirectories(FolderPart(destPath));
    bool complete;
    {
        TFileStream file(destPath, TFileStream::Mode::Create);
        const auto size = static_cast<size_t>(entry->Size);
        complete = file.Write(data_.get() + entry->Offset, size) == size;
    }
    if (!complete) {
        // A short write (a full disk) must not leave a truncated file that passes for the entry.
        DeleteFileW(ToWide(destPath).c_str());
        return false;
    }
    StampLastWriteTime(destPath, entry->Date);
    return true;
}

bool TAttachedFiles::AddFiles(const std::string& name, const std::string& destFolder, uint8_t group, uint8_t mode)
{
    const uint8_t modeInForce = ForceOverwrite ? static_cast<uint8_t>(imAlways) : mode;
    const bool folderForm = LastChar(name) == '\\';
    bool queued = false;
    for (const auto& entry : entries_) {
        if (folderForm) {
            if (SameTextCI(entry->Name.substr(0, name.size()), name))
                queued = QueueFile(*entry, destFolder, modeInForce, mode, group) || queued;
        } else if (SameTextCI(entry->Name, name)) {
            return QueueFile(*entry, destFolder, modeInForce, mode, group);
        }
    }
    return queued;
}

bool TAttachedFiles::QueueFile(const TAttachedFile& entry, const std::string& destFolder, uint8_t modeInForce,
                               uint8_t modePassed, uint8_t group)
{
    const std::string dest = PathJoin(destFolder, entry.Name);
    if (modeInForce != imAlways && FileExists(dest)) {
        if (modeInForce != imIfChanged)
            return false;
        if (FileDateTime(dest) == entry.Date)
            return false;
    }
    installGroups_[group].push_back(std::make_unique<TFileToInstall>(TFileToInstall{&entry, dest}));
    if (LogPublicFiles) {
        const std::string publicPrefix = PathJoin(GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER), "Korvanta\\Public\\");
        if (StartsWithCI(dest, publicPrefix))
            installedFiles_.Add(modePassed == imIfMissing ? dest + "\t!" : dest);
    }
    return true;
}
