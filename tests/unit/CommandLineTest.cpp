#include <gtest/gtest.h>

#include "utils/CommandLine.h"

TEST(CommandLine, FirstParameterAsTheSystemSplitsIt)
{
    struct Case {
        std::string commandLine;
        bool present;
        std::string first;
    };
    const std::string longFolder = "C:\\" + std::string(300, 'k');
    const Case cases[] = {
        {"setup.exe", false, ""},
        {"setup.exe   ", false, ""},
        {"setup.exe -dD:\\Tools\\Korvanta", true, "-dD:\\Tools\\Korvanta"},
        {"\"C:\\My Setup\\setup.exe\" -d\"D:\\My Programs\\Korvanta\" other", true, "-dD:\\My Programs\\Korvanta"},
        {"setup.exe \"-dD:\\My Programs\\Korvanta\"", true, "-dD:\\My Programs\\Korvanta"},
        {"setup.exe -d D:\\Korvanta", true, "-d"},
        {"setup.exe\t-D\x01x", true, "-D"},
        {"setup.exe -d" + longFolder, true, "-d" + longFolder},
    };
    for (const Case& c : cases) {
        std::string first = "unchanged";
        EXPECT_EQ(FirstParameter(c.commandLine, first), c.present) << c.commandLine;
        if (c.present)
            EXPECT_EQ(first, c.first) << c.commandLine;
    }
}
