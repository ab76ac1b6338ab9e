#include "utils/CommandLine.h"

namespace {

bool IsSeparator(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Reads the parameter that starts at or after pos; false when only separators are left.
bool NextParameter(const std::string& commandLine, size_t& pos, std::string& parameter)
{
    while (pos < commandLine.size() && IsSeparator(commandLine[pos]))
        ++pos;
    if (pos >= commandLine.size())
        return false;
    parameter.clear();
    bool quoted = false;
    for (; pos < commandLine.size() && (quoted || !IsSeparator(commandLine[pos])); ++pos) {
        if (commandLine[pos] == '"')
            quoted = !quoted;
        else
            parameter += commandLine[pos];
    }
    return true;
}

}  // namespace

bool FirstParameter(const std::string& commandLine, std::string& parameter)
{
    size_t pos = 0;
    std::string programName;
    return NextParameter(commandLine, pos, programName) && NextParameter(commandLine, pos, parameter);
}
