// The program's main sequence: start the libraries, give the application its icon and title,
// create the archive catalogue and the wizard, show the wizard, save the settings once more when
// an installation began, and release everything before the process ends.

#include <memory>

#include <windows.h>

#include "archive/ArchiveRecords.h"
#include "archive/AttachFiles.h"
#include "components/Application.h"
#include "components/Exceptions.h"
#include "components/ExtCtrls.h"
#include "components/FormDescription.h"
#include "wizard/FileCtrl.h"
#include "components/StdCtrls.h"
#include "utils/InstUtils.h"
#include "utils/MessageBox.h"
#include "wizard/MainDlg.h"

namespace {

const char DamagedSetupMessage[] =
    "The setup program is damaged and cannot continue.\r\r"
    "Please obtain the setup program of the Korvanta Greek Spellchecker again.";

// The classes that the wizard's form description names.
void RegisterComponentClasses()
{
    RegisterComponentClass<TBevel>("TBevel");
    RegisterComponentClass<TButton>("TButton");
    RegisterComponentClass<TCheckBox>("TCheckBox");
    RegisterComponentClass<TDirectoryListBox>("TDirectoryListBox");
    RegisterComponentClass<TDriveComboBox>("TDriveComboBox");
    RegisterComponentClass<TEdit>("TEdit");
    RegisterComponentClass<TImage>("TImage");
    RegisterComponentClass<TLabel>("TLabel");
    RegisterComponentClass<TMemo>("TMemo");
    RegisterComponentClass<TPanel>("TPanel");
    RegisterComponentClass<TPageControl>("TPageControl");
    RegisterComponentClass<TTabSheet>("TTabSheet");
}

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
    RegisterComponentClasses();
    SetApplicationIconAndTitle(application);
    std::unique_ptr<TAttachedFiles> files;
    try {
        files = std::make_unique<TAttachedFiles>();
    } catch (const EArchiveDamaged&) {
        ShowMessageBox(DamagedSetupMessage, MessageKind::Error, mbOK);
        return 1;
    }
    AttachedFiles = files.get();
    {
        auto wizard = std::make_unique<TMainDlgForm>();
        MainDlgForm = wizard.get();
        wizard->ShowModal();
        if (InstallStarted)
            wizard->SaveSettings();
        MainDlgForm = nullptr;
    }
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
