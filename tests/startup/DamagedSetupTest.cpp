// A setup.exe whose archive is missing, damaged or truncated must say so once and end, without
// hanging, without reading past its data and without leaving temporary files.
#include <gtest/gtest.h>

#include <vector>

#include "archive/ArchiveRecords.h"
#include "tests/driver/WindowDriver.h"
#include "tests/unit/TestSupport.h"
#include "tests/wizard/SetupSession.h"
#include "utils/InstUtils.h"

namespace {

const char DamagedText[] =
    "The setup program is damaged and cannot continue.\r\r"
    "Please obtain the setup program of the Korvanta Greek Spellchecker again.";

std::string ResourceBytes(const std::string& exe)
{
    HMODULE module = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceA(module, "FILES", "FILES");
    std::string bytes(static_cast<const char*>(LockResource(LoadResource(module, resource))),
                      SizeofResource(module, resource));
    FreeLibrary(module);
    return bytes;
}

// Replaces the FILES resource of a copy of the program.
void ReplaceArchive(const std::string& exe, const std::string& bytes)
{
    HANDLE update = BeginUpdateResourceA(exe.c_str(), FALSE);
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(UpdateResourceA(update, "FILES", "FILES", MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
                                const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size())));
    ASSERT_TRUE(EndUpdateResourceA(update, FALSE));
}

// Renames the FILES resource of a copy of the program, so that the program finds none. The
// resource directory holds its names as counted UTF-16 strings.
void HideArchive(const std::string& exe)
{
    std::string image = ReadWholeFile(exe);
    const std::string name("\x05\0F\0I\0L\0E\0S\0", 12);
    int renamed = 0;
    for (size_t at = image.find(name); at != std::string::npos; at = image.find(name, at + 1), ++renamed)
        image[at + 10] = 'X';
    ASSERT_GT(renamed, 0);
    WriteWholeFile(exe, image);
}

struct Outcome {
    std::vector<MessageBoxSeen> Boxes;
    DWORD ExitCode = STILL_ACTIVE;
};

// Runs the program, answers every box with OK and waits for its end.
Outcome RunAndAnswer(const std::string& exe)
{
    STARTUPINFOA startup{sizeof startup};
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + exe + "\"";
    Outcome outcome;
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return outcome;
    for (int round = 0; round < 3 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; ++round) {
        MessageBoxSeen box = WaitForMessageBox(process.dwProcessId, 10000);
        if (!box.Window)
            break;
        outcome.Boxes.push_back(box);
        AnswerMessageBox(box.Window, IDOK);
    }
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &outcome.ExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

bool HasPrefixedEntry(const std::string& folder)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "~KorvantaGreekSpellcheckerSetup*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

}  // namespace

TEST(DamagedSetup, ShowsOneErrorAndEndsWithAFailureCode)
{
    const std::string good = ResourceBytes(SetupExePath());
    ASSERT_GT(good.size(), 100u);
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x5A;
    std::string overrun;
    AppendRecord(overrun, "License.txt", 0, "terms");
    overrun.resize(overrun.size() - 2);
    const std::string overrunPacked = Compress(overrun);

    struct Case {
        const char* what;
        const std::string* archive;  // null: no FILES resource at all
    };
    const std::string truncated = good.substr(0, good.size() / 2);
    const std::string garbage = "this is not a zlib stream";
    for (const Case& c : {Case{"missing", nullptr}, Case{"truncated", &truncated}, Case{"flipped", &flipped},
                          Case{"garbage", &garbage}, Case{"record past the end", &overrunPacked}}) {
        ScratchFolder scratch;
        ScratchFolder temp(true);
        const std::string exe = scratch / "setup.exe";
        ASSERT_TRUE(CopyFileA(SetupExePath().c_str(), exe.c_str(), FALSE));
        if (c.archive)
            ReplaceArchive(exe, *c.archive);
        else
            HideArchive(exe);

        const Outcome outcome = RunAndAnswer(exe);
        EXPECT_EQ(outcome.Boxes.size(), 1u) << c.what;
        if (outcome.Boxes.size() != 1)
            continue;
        EXPECT_EQ(outcome.Boxes[0].Caption, "Korvanta Greek Spellchecker - Setup") << c.what;
        EXPECT_EQ(outcome.Boxes[0].Text, DamagedText) << c.what;
        EXPECT_EQ(outcome.Boxes[0].Buttons.size(), 1u) << c.what;
        EXPECT_NE(outcome.ExitCode, 0u) << c.what;
        EXPECT_NE(outcome.ExitCode, static_cast<DWORD>(STILL_ACTIVE)) << c.what;
        EXPECT_FALSE(HasPrefixedEntry(temp.Path())) << c.what;
    }
}
