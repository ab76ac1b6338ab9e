// The setup wizard's window: six pages walked with Back and Next, the close question, and the
// test for a running word processor.
#pragma once

#include <cstdint>
#include <string>

#include "components/ExtCtrls.h"
#include "components/Forms.h"
#include "wizard/FileCtrl.h"
#include "components/StdCtrls.h"
#include "utils/DateTime.h"

// The titles of the banner, by page; the first is formatted once by the wizard's constructor.
extern std::string PageTitles[7];

// Set once the installation run has begun writing; never cleared.
extern bool InstallStarted;

struct TOptions {
    std::string HomeFolder;
};

// Whether a top-level window of any process carries the word processor's marker property with
// a non-null value.
bool IsProductRunning();

class TMainDlgForm : public TForm {
public:
    TMainDlgForm();
    ~TMainDlgForm() override;

    TPanel* TopPanel = nullptr;
    TLabel* TopLbl = nullptr;
    TImage* LogoSmallImage = nullptr;
    TPanel* LeftPanel = nullptr;
    TImage* LogoImage = nullptr;
    TBevel* LeftBevel = nullptr;
    TPageControl* PgCtrl = nullptr;
    TTabSheet* WelcomeTabSheet = nullptr;
    TLabel* WelcomeLbl = nullptr;
    TTabSheet* LicenseTabSheet = nullptr;
    TLabel* LicenseLbl = nullptr;
    TMemo* LicenseMemo = nullptr;
    TCheckBox* LicenseChkBx = nullptr;
    TTabSheet* DestDirTabSheet = nullptr;
    TLabel* DestDirLbl = nullptr;
    TEdit* DestDirEdt = nullptr;
    TDirectoryListBox* DestDirLstBx = nullptr;
    TDriveComboBox* DestDirCmbBx = nullptr;
    TTabSheet* StartTabSheet = nullptr;
    TLabel* StartLbl = nullptr;
    TTabSheet* InstallingTabSheet = nullptr;
    TTabSheet* FinishTabSheet = nullptr;
    TLabel* FinishLbl = nullptr;
    TCheckBox* FinishChkBx = nullptr;
    TPanel* BottomBevelPanel = nullptr;
    TBevel* BottomBevel = nullptr;
    TPanel* BottomPanel = nullptr;
    TButton* BackBtn = nullptr;
    TButton* NextBtn = nullptr;
    TButton* CancelBtn = nullptr;

    bool CloseAllowed = false;
    bool DirListSync = false;
    TDateTime InstallTime = 0;
    TOptions Options;

    // Moves from one page to another (255: no page yet; 6: Finish pressed), or refuses with a
    // message and stays, or ends the wizard.
    void GoToPage(uint8_t from, uint8_t to);
    void BNClick(TObject* sender);
    void CancelBtnClick(TObject* sender);
    void FormCloseQuery(TObject* sender, bool& canClose);
    void DestDirLstBxChange(TObject* sender);
    // Tidies the folder edit box: blanks trimmed, a drive supplied, the default folder name added.
    void NormalizeHomeFolderEdit();

    void ProposeHomeFolder();
    void RunInstallation();
    void FinishSetup();
    void SaveSettings();
    bool IsPortableInstall();
    void WMTimer();
    // Merges the files installed below the shared public folder into the update log.
    void UpdateInstallLog();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // CloseAllowed := true, then the modal result := result.
    void EndWizard(int result);
    void LoadLicense();
    void LoadLogos();
};

// The one wizard window of the process while it exists.
extern TMainDlgForm* MainDlgForm;
