// The record format of the inflated archive: N (1 byte), name (N bytes), date (8-byte double),
// size S (4 bytes), data (S bytes), little-endian, records laid end to end.
// Windows-free: bytes in, entries out.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "utils/DateTime.h"

struct TArchiveRecord {
    std::string Name;
    int32_t Size;
    TDateTime Date;
    int32_t Offset;  // of the first data byte, from the start of the inflated archive
};

class EArchiveDamaged : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Lists the records of an inflated archive, checking every record against the end of the data.
std::vector<TArchiveRecord> ParseArchive(const uint8_t* data, int32_t size);

// Appends one record to an archive being built.
void AppendRecord(std::string& archive, const std::string& name, TDateTime date, const std::string& content);
