// The program's main sequence: start the libraries, give the application its icon and title,
// create the archive catalogue and the wizard, show the wizard, save the settings once more when
// an installation began, and release everything before the process ends.

#include <memory>

#include <windows.h>

#include "archive/ArchiveRecords.h"
#include "archive/AttachFiles.h"
#include "components/Application.h"
#include "components/Exceptions.h"
#include "utils/InstUtils.h"
#include "utils/MessageBox.h"

namespace {

const char DamagedSetupMessage[] =
    "The setup program is damaged and cannot continue.\r\r"
    "Please obtain the setup program of the Korvanta Greek Spellchecker again.";

void SetApplicationIconAndTitle(TApplication& application)
{
    HICON icon = LoadIconA(application.Instance(), MAKEINTRESOURCEA(1));
    application.SetIcon(icon);
    SendMessageA(application.Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    application.SetTitle(SetupTitle);
    SetWindowTextA(application.Handle(), SetupTitle);
}

int RunSetup(TApplication& application)
{
    SetApplicationIconAndTitle(application);
    std::unique_ptr<TAttachedFiles> files;
    try {
        files = std::make_unique<TAttachedFiles>();
    } catch (const EArchiveDamaged&) {
        ShowMessageBox(DamagedSetupMessage, MessageKind::Error, mbOK);
        return 1;
    }
    AttachedFiles = files.get();
    AttachedFiles = nullptr;
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InstUtilsSession utilities;
    TApplication application(instance);
    try {
        return RunSetup(application);
    } catch (...) {
        ShowExceptionBox(CurrentExceptionClassName());
        return 1;
    }
}
