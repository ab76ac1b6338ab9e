#include "archive/ArchiveRecords.h"

#include <cstring>

namespace {

constexpr int32_t HeaderAfterName = 8 + 4;

template <typename T>
T ReadLittleEndian(const uint8_t* p)
{
    T value;
    std::memcpy(&value, p, sizeof value);  // every Windows target is little-endian, like the format
    return value;
}

}  // namespace

std::vector<TArchiveRecord> ParseArchive(const uint8_t* data, int32_t size)
{
    std::vector<TArchiveRecord> records;
    int64_t pos = 0;
    while (pos < size) {
        const int64_t nameLength = data[pos];
        if (pos + 1 + nameLength + HeaderAfterName > size)
            throw EArchiveDamaged("archive record header runs past the end of the data");
        TArchiveRecord record;
        record.Name.assign(reinterpret_cast<const char*>(data + pos + 1), static_cast<size_t>(nameLength));
        pos += 1 + nameLength;
        record.Date = ReadLittleEndian<double>(data + pos);
        record.Size = ReadLittleEndian<int32_t>(data + pos + 8);
        pos += HeaderAfterName;
        if (record.Size < 0 || pos + record.Size > size)
            throw EArchiveDamaged("archive record data runs past the end of the data");
        record.Offset = static_cast<int32_t>(pos);
        pos += record.Size;
        records.push_back(std::move(record));
    }
    return records;
}

void AppendRecord(std::string& archive, const std::string& name, TDateTime date, const std::string& content)
{
    if (name.size() > 255)
        throw std::length_error("entry name longer than 255 bytes: " + name);
    const auto size = static_cast<int32_t>(content.size());
    archive.push_back(static_cast<char>(name.size()));
    archive += name;
    archive.append(reinterpret_cast<const char*>(&date), sizeof date);
    archive.append(reinterpret_cast<const char*>(&size), sizeof size);
    archive += content;
}
