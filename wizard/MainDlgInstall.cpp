// The wizard's work beyond the page flow: proposing the home folder and following drives that
// come and go, the installation run, Finish with its stamp file and update log, and the saved
// settings.
#include "wizard/MainDlg.h"

#include <windows.h>

#include "archive/AttachFiles.h"
#include "utils/CommandLine.h"
#include "utils/InstUtils.h"
#include "wizard/FileCtrl.h"
#include "wizard/Settings.h"
#include "wizard/UpdateLog.h"

namespace {

const char* const PackSubfolders[] = {"Spellcheck\\", "Orthographe\\"};

struct TPackFile {
    const char* Name;
    TInstallMode Mode;
};

// What every target folder receives, in queue order.
const TPackFile PackTable[] = {
    {"Greek.asc", imAlways},     {"hunspell.dll", imIfChanged}, {"el_GR.dic", imIfChanged},
    {"el_GR.aff", imIfChanged},  {"userdicgr.tlx", imIfMissing}, {"Greek.hyph", imIfChanged},
    {"Greek.thes", imIfChanged},
};

// The shared application-data folder, or the user's documents folder where there is none.
std::string SharedBaseFolder()
{
    const std::string commonData = GetSpecialFolder(CSIDL_COMMON_APPDATA_FOLDER);
    return commonData.empty() ? GetSpecialFolder(CSIDL_PERSONAL_FOLDER) : commonData;
}

char LowerCase(char c)
{
    CharLowerBuffA(&c, 1);
    return c;
}

}  // namespace

void TMainDlgForm::ProposeHomeFolder()
{
    const TStoredSettings saved = ReadSettings();
    Options.HomeFolder = saved.HomeFolderPresent ? saved.HomeFolder : std::string();
    if (Options.HomeFolder.empty() || !DirExists(Options.HomeFolder))
        Options.HomeFolder = PathJoin(GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER), "Korvanta");
    std::string parameter;
    if (FirstParameter(GetCommandLineA(), parameter) && parameter.compare(0, 2, "-d") == 0)
        Options.HomeFolder = parameter.substr(2);
    FinishChkBx->SetChecked(saved.Launch);
    DestDirEdt->SetText(Options.HomeFolder);
    DestDirLstBx->SetFolder(Options.HomeFolder);
}

void TMainDlgForm::WMTimer()
{
    const uint32_t now = GetLogicalDrives();
    const uint32_t before = DestDirCmbBx->DriveMask();
    if (now == before)
        return;
    const std::string selectedText = DestDirCmbBx->SelectedText();
    DestDirCmbBx->RebuildDriveList();
    if (now < before) {
        const char current = DestDirCmbBx->CurrentDrive();
        if (current >= 'a' && current <= 'z' && (now & (1u << (current - 'a')))) {
            DestDirCmbBx->SelectItemByText(selectedText);
        } else {
            // The current drive has gone: back to the program-files drive (lists unchanged without one).
            const std::string programFiles = GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER);
            if (!programFiles.empty())
                DestDirCmbBx->SelectDrive(LowerCase(programFiles[0]));
        }
        return;
    }
    for (int i = 2; i <= 25; ++i) {
        const uint32_t bit = 1u << i;
        if ((now & bit) && !(before & bit)) {
            DestDirCmbBx->SelectDrive(static_cast<char>('a' + i));
            return;
        }
    }
}

bool TMainDlgForm::IsPortableInstall()
{
    return IsRemovableDrive(Options.HomeFolder);
}

void TMainDlgForm::RunInstallation()
{
    const bool portable = IsPortableInstall();
    AttachedFiles->ForceOverwrite = !portable;
    LogPublicFiles = true;

    std::string targets[2];
    for (int i = 0; i < 2; ++i)
        targets[i] = portable ? PathJoin(Options.HomeFolder, PackSubfolders[i])
                              : PathJoin(SharedBaseFolder(), std::string("Korvanta\\Public\\") + PackSubfolders[i]);
    for (int i = 0; i < 2; ++i) {
        if (!DirExists(targets[i]) && !(i == 0 && !DirExists(targets[1])))
            continue;
        for (const TPackFile& file : PackTable)
            AttachedFiles->AddFiles(file.Name, targets[i], 0, file.Mode);
    }
    InstallStarted = true;

    for (const auto& item : AttachedFiles->InstallGroup(0)) {
        if (!AttachedFiles->ExtractFile(item->Entry, "", item->DestPath)) {
            EndWizard(mrCancel);
            return;
        }
    }
    GoToPage(4, 5);
}

void TMainDlgForm::UpdateInstallLog()
{
    MergeInstallLog(AttachedFiles->InstalledFiles(), InstallTime, PathJoin(SharedBaseFolder(), "Korvanta\\Update.log"));
}

void TMainDlgForm::FinishSetup()
{
    if (!IsPortableInstall()) {
        InstallTime = LocalNow();
        WriteStringToFile(PathJoin(SharedBaseFolder(), "Korvanta\\Hidden\\install_stamp"),
                          std::string(reinterpret_cast<const char*>(&InstallTime), sizeof InstallTime));
        UpdateInstallLog();
    }
    if (FinishChkBx->Checked()) {
        const std::string commandLine = "\"" + PathJoin(Options.HomeFolder, "kvwrite.exe\"");
        WinExec(commandLine.c_str(), SW_SHOW);
    }
    SaveSettings();
    EndWizard(mrOk);
}

void TMainDlgForm::SaveSettings()
{
    WriteSettings(Options.HomeFolder, FinishChkBx->Checked());
}
