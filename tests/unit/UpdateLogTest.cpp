#include <gtest/gtest.h>

#include <cstring>

#include "components/Exceptions.h"
#include "tests/unit/TestSupport.h"
#include "wizard/UpdateLog.h"

namespace {

TDateTime FromBytes(const unsigned char (&bytes)[8])
{
    TDateTime value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

const TDateTime ExampleTime = FromBytes({0x55, 0x55, 0x55, 0x55, 0xD3, 0x26, 0xE6, 0x40});
const std::string NewMarker = "*55555555D326E640";

TStringList Lines(std::initializer_list<const char*> lines)
{
    TStringList list;
    for (const char* line : lines)
        list.Add(line);
    return list;
}

}  // namespace

TEST(UpdateLog, MarkerCarriesTheEightBytesOfTheTime)
{
    EXPECT_EQ(MarkerLine(ExampleTime), NewMarker);
    EXPECT_EQ(MarkerLine(0.0), "*0000000000000000");
}

TEST(UpdateLog, WorkedExampleByteForByte)
{
    ScratchFolder scratch;
    const std::string log = scratch / "Update.log";
    WriteWholeFile(log,
                   "*1CC7711C0C16E640\r\n"
                   "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\Greek.asc\r\n"
                   "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\userdicgr.tlx\t!\r\n"
                   "C:\\ProgramData\\Korvanta\\Public\\Extras\\sample.dat\r\n"
                   "\r\n");
    const std::string folder = "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\";
    TStringList installed;
    for (const char* name : {"Greek.asc", "hunspell.dll", "el_GR.dic", "el_GR.aff", "userdicgr.tlx\t!", "Greek.hyph",
                             "Greek.thes"})
        installed.Add(folder + name);

    MergeInstallLog(installed, ExampleTime, log);
    EXPECT_EQ(ReadWholeFile(log),
              "*1CC7711C0C16E640\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Extras\\sample.dat\r\n"
              "*55555555D326E640\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\el_GR.aff\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\el_GR.dic\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\Greek.asc\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\Greek.hyph\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\Greek.thes\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\hunspell.dll\r\n"
              "C:\\ProgramData\\Korvanta\\Public\\Spellcheck\\userdicgr.tlx\t!\r\n");
}

TEST(UpdateLog, MergesOldLogsOfEveryShape)
{
    struct Case {
        const char* what;
        const char* before;  // null: no log file
        const char* after;
    };
    const std::string n = NewMarker;
    const Case cases[] = {
        {"no log", nullptr, "*N\r\np\r\n"},
        {"empty log", "", "*N\r\np\r\n"},
        {"only markers", "*A\r\n*B\r\n*C", "*N\r\np\r\n"},
        {"same pack again", "*A\r\np\r\n", "*N\r\np\r\n"},
        {"M1 p M2 x", "*A\r\np\r\n*B\r\nx\r\n", "*A\r\nx\r\n*N\r\np\r\n"},
        {"M1 x M2 p", "*A\r\nx\r\n*B\r\np\r\n", "*A\r\nx\r\n*N\r\np\r\n"},
        {"no final line end", "*A\r\nx", "*A\r\nx\r\n*N\r\np\r\n"},
        {"lone CR and lone LF", "*A\rx\np\r", "*A\r\nx\r\n*N\r\np\r\n"},
        {"other letter case removed", "*A\r\nP\r\nx\r\n", "*A\r\nx\r\n*N\r\np\r\n"},
        {"marked line is another line", "*A\r\np\t!\r\n", "*A\r\np\t!\r\n*N\r\np\r\n"},
        {"blanks and foreign head kept", "head\r\n*A\r\n  \r\n", "head\r\n*A\r\n  \r\n*N\r\np\r\n"},
    };
    for (const Case& c : cases) {
        ScratchFolder scratch;
        const std::string log = scratch / "Update.log";
        if (c.before)
            WriteWholeFile(log, c.before);
        TStringList installed = Lines({"p"});
        MergeInstallLog(installed, ExampleTime, log);
        std::string expected = c.after;
        expected.replace(expected.find("*N"), 2, n);
        EXPECT_EQ(ReadWholeFile(log), expected) << c.what;
    }
}

TEST(UpdateLog, NothingInstalledLeavesTheLogUntouched)
{
    ScratchFolder scratch;
    const std::string log = scratch / "Update.log";
    WriteWholeFile(log, "*A\r\n\r\n");
    TStringList installed;
    MergeInstallLog(installed, ExampleTime, log);
    EXPECT_EQ(ReadWholeFile(log), "*A\r\n\r\n");
}

TEST(UpdateLog, AnUnreadableOrUnwritableLogRaisesTheSilentAbortAndStaysAsItWas)
{
    ScratchFolder scratch;
    const std::string folderLog = scratch / "Folder.log";
    MakeFolder(folderLog);
    TStringList installed = Lines({"p"});
    EXPECT_THROW(MergeInstallLog(installed, ExampleTime, folderLog), EAbort);
    EXPECT_TRUE(PathIsFolder(folderLog));

    const std::string heldLog = scratch / "Held.log";
    WriteWholeFile(heldLog, "*A\r\nx\r\n");
    HANDLE holder = CreateFileA(heldLog.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_THROW(MergeInstallLog(installed, ExampleTime, heldLog), EAbort);
    CloseHandle(holder);
    EXPECT_EQ(ReadWholeFile(heldLog), "*A\r\nx\r\n");
}
