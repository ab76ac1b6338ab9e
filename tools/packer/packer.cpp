// Builds the FILES resource: reads the pack's list file, writes one archive record per entry in
// list order and compresses the whole as a single zlib stream at level 9.
//
//   packer <list file> <pack folder> <output file>
//
// A list line is "<name> <YYYY-MM-DD> <HH:MM:SS>" in local time; blank lines and lines starting
// with '#' are skipped. Entry dates come from the list, never from file times, so builds repeat.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <zlib.h>

#include "archive/ArchiveRecords.h"

namespace {

constexpr int64_t MaxArchiveBytes = int64_t{1} << 31;

struct ListEntry {
    std::string Name;
    TDateTime Date;
};

[[noreturn]] void Fail(const std::string& where, const std::string& why)
{
    throw std::runtime_error(where + ": " + why);
}

void CheckName(const std::string& where, const std::string& name)
{
    if (name.empty())
        Fail(where, "empty entry name");
    if (name.size() > 255)
        Fail(where, "entry name longer than 255 bytes: " + name);
    if (name[0] == '\\' || name[0] == '/' || (name.size() > 1 && name[1] == ':'))
        Fail(where, "absolute entry name: " + name);
    std::string part;
    std::istringstream parts(name);
    while (std::getline(parts, part, '\\')) {
        std::istringstream sub(part);
        std::string piece;
        while (std::getline(sub, piece, '/'))
            if (piece == "..")
                Fail(where, "entry name with a '..' part: " + name);
    }
}

TDateTime ParseDate(const std::string& where, const std::string& date, const std::string& time)
{
    int y, mo, d, h, mi, s;
    char tail;
    if (std::sscanf(date.c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &tail) != 3 ||
        std::sscanf(time.c_str(), "%2d:%2d:%2d%c", &h, &mi, &s, &tail) != 3)
        Fail(where, "date must read YYYY-MM-DD HH:MM:SS");
    if (y < 1980 || y > 2099 || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59)
        Fail(where, "date out of range (years 1980 to 2099)");
    if (s % 2 != 0)
        Fail(where, "seconds must be even, as a DOS time stores them");
    return EncodeDateTime(y, mo, d, h, mi, s);
}

std::vector<ListEntry> ReadList(const std::string& listPath)
{
    std::ifstream list(listPath);
    if (!list)
        Fail(listPath, "cannot open the list file");
    std::vector<ListEntry> entries;
    std::string line;
    for (int number = 1; std::getline(list, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = listPath + ":" + std::to_string(number);
        std::istringstream fields(line);
        std::string name, date, time, extra;
        if (!(fields >> name >> date >> time) || (fields >> extra))
            Fail(where, "expected '<name> <YYYY-MM-DD> <HH:MM:SS>'");
        CheckName(where, name);
        entries.push_back({name, ParseDate(where, date, time)});
    }
    return entries;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        Fail(path, "missing pack file");
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string HostPath(const std::string& folder, std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return folder + "/" + name;
}

std::string BuildArchive(const std::vector<ListEntry>& entries, const std::string& packFolder)
{
    std::string archive;
    for (const ListEntry& entry : entries) {
        const std::string content = ReadFile(HostPath(packFolder, entry.Name));
        if (static_cast<int64_t>(archive.size()) + 13 + entry.Name.size() + content.size() >= MaxArchiveBytes)
            Fail(entry.Name, "the archive would reach 2 GiB");
        AppendRecord(archive, entry.Name, entry.Date, content);
    }
    return archive;
}

std::string Compress(const std::string& archive)
{
    uLongf bound = compressBound(static_cast<uLong>(archive.size()));
    std::string packed(bound, '\0');
    if (compress2(reinterpret_cast<Bytef*>(&packed[0]), &bound, reinterpret_cast<const Bytef*>(archive.data()),
                  static_cast<uLong>(archive.size()), Z_BEST_COMPRESSION) != Z_OK)
        Fail("zlib", "compression failed");
    packed.resize(bound);
    return packed;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: packer <list file> <pack folder> <output file>\n";
        return 2;
    }
    try {
        const std::string packed = Compress(BuildArchive(ReadList(argv[1]), argv[2]));
        const std::string output = argv[3];
        std::ofstream out(output + ".part", std::ios::binary | std::ios::trunc);
        out.write(packed.data(), static_cast<std::streamsize>(packed.size()));
        out.close();
        if (!out || std::rename((output + ".part").c_str(), output.c_str()) != 0)
            Fail(output, "cannot write the output file");
    } catch (const std::exception& e) {
        std::cerr << "packer: error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
