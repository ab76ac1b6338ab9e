#include "wizard/MainDlg.h"

#include "archive/AttachFiles.h"
#include "utils/InstUtils.h"
#include "utils/MessageBox.h"
#include "utils/WideText.h"

std::string PageTitles[7] = {"Welcome to the %s", "License Agreement", "Specify Home Folder", "Ready to Install",
                             "Installing",        "Installation Complete", ""};
bool InstallStarted = false;
TMainDlgForm* MainDlgForm = nullptr;

namespace {

const char ProductName[] = "Korvanta Greek Spellchecker";
const char RunningMarker[] = "1.x Brenvask";
constexpr UINT_PTR DriveWatchTimer = 1;

const char RunningMessage[] =
    "There are running instances of Korvanta Word Processor on your computer.\r"
    "Please close any running instance(s) of Korvanta Word Processor before proceeding.";
const char LicenseRefusalQuestion[] =
    "To install this program, you need to agree to all the terms\r"
    "of the Korvanta Word Processor License Agreement.\r"
    "Do you really want to cancel the Korvanta Spellchecker install?";
const char WrongFolderMessage[] =
    "The specified folder does not contain a properly installed Korvanta Word Processor.\r"
    "Please specify the proper home folder of Korvanta Word Processor on your hard disk.";
const char CloseQuestion[] =
    "Setup is not complete. If you quit this setup program now,\r"
    "the %s will not be correctly installed.\r\r"
    "You may relaunch the setup program at a later time\r"
    "to complete the installation of the %s.\r\r"
    "To continue installing, click No.\r"
    "To quit this setup program, click Yes.";

// Replaces every %s of the pattern with the argument.
std::string FormatText(const std::string& pattern, const std::string& argument)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's') {
            text += argument;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

BOOL CALLBACK FindMarkedWindow(HWND window, LPARAM found) noexcept
{
    if (!GetPropA(window, RunningMarker))
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

}  // namespace

bool IsProductRunning()
{
    bool found = false;
    EnumWindows(FindMarkedWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

TMainDlgForm::TMainDlgForm() : TForm("TMainDlgForm")
{
    RegisterHandler("BNClick", [this](TObject* sender) { BNClick(sender); });
    RegisterHandler("CancelBtnClick", [this](TObject* sender) { CancelBtnClick(sender); });
    RegisterHandler("DestDirLstBxChange", [this](TObject* sender) { DestDirLstBxChange(sender); });
    RegisterCloseQuery("FormCloseQuery", [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); });
    LoadFromDescription(LoadFormResource("TMAINDLGFORM"));
    Bind(TopPanel, "TopPanel");
    Bind(TopLbl, "TopLbl");
    Bind(LogoSmallImage, "LogoSmallImage");
    Bind(LeftPanel, "LeftPanel");
    Bind(LogoImage, "LogoImage");
    Bind(LeftBevel, "LeftBevel");
    Bind(PgCtrl, "PgCtrl");
    Bind(WelcomeTabSheet, "WelcomeTabSheet");
    Bind(WelcomeLbl, "WelcomeLbl");
    Bind(LicenseTabSheet, "LicenseTabSheet");
    Bind(LicenseLbl, "LicenseLbl");
    Bind(LicenseMemo, "LicenseMemo");
    Bind(LicenseChkBx, "LicenseChkBx");
    Bind(DestDirTabSheet, "DestDirTabSheet");
    Bind(DestDirLbl, "DestDirLbl");
    Bind(DestDirEdt, "DestDirEdt");
    Bind(DestDirLstBx, "DestDirLstBx");
    Bind(DestDirCmbBx, "DestDirCmbBx");
    Bind(StartTabSheet, "StartTabSheet");
    Bind(StartLbl, "StartLbl");
    Bind(InstallingTabSheet, "InstallingTabSheet");
    Bind(FinishTabSheet, "FinishTabSheet");
    Bind(FinishLbl, "FinishLbl");
    Bind(FinishChkBx, "FinishChkBx");
    Bind(BottomBevelPanel, "BottomBevelPanel");
    Bind(BottomBevel, "BottomBevel");
    Bind(BottomPanel, "BottomPanel");
    Bind(BackBtn, "BackBtn");
    Bind(NextBtn, "NextBtn");
    Bind(CancelBtn, "CancelBtn");

    SetCaption(SetupTitle);
    PageTitles[0] = FormatText(PageTitles[0], ProductName);
    TopPanel->SetParentBackground(false);
    LoadLogos();
    WelcomeLbl->SetCaption(FormatText(WelcomeLbl->Caption(), "Greek Spellchecker"));
    StartLbl->SetCaption(FormatText(StartLbl->Caption(), ProductName));
    FinishLbl->SetCaption(FormatText(FinishLbl->Caption(), ProductName));
    ProposeHomeFolder();
    SetTimer(Handle(), DriveWatchTimer, 1000, nullptr);
    GoToPage(255, 0);
    DirListSync = true;
}

TMainDlgForm::~TMainDlgForm()
{
    KillTimer(Handle(), DriveWatchTimer);
}

void TMainDlgForm::LoadLogos()
{
    const std::string tmp = NewTempFileName();
    AttachedFiles->ExtractFile(nullptr, "Logo.bmp", tmp);
    LogoImage->LoadBitmapFromFile(tmp);
    AttachedFiles->ExtractFile(nullptr, "LogoSmall.bmp", tmp);
    LogoSmallImage->LoadBitmapFromFile(tmp);
    DeleteFileW(ToWide(tmp).c_str());
}

void TMainDlgForm::LoadLicense()
{
    const std::string tmp = NewTempFileName();
    if (!AttachedFiles->ExtractFile(nullptr, "License.txt", tmp)) {
        // Abort in the extraction's question; the temporary file goes at program end.
        EndWizard(mrCancel);
        return;
    }
    try {
        LicenseMemo->LoadLinesFromFile(tmp);
    } catch (...) {
        // An unreadable license leaves the memo empty; the next visit tries again.
    }
    DeleteFileW(ToWide(tmp).c_str());
}

void TMainDlgForm::EndWizard(int result)
{
    CloseAllowed = true;
    ModalResult = result;
}

void TMainDlgForm::GoToPage(uint8_t from, uint8_t to)
{
    TWinControl* focus = nullptr;
    switch (to) {
    case 1:
        if (from == 0 && LicenseMemo->LineCount() == 0) {
            if (IsProductRunning()) {
                ShowMessageBox(RunningMessage, MessageKind::Information, mbOK);
                return;
            }
            NextBtn->SetEnabled(false);
            CancelBtn->SetEnabled(false);
            SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));
            LoadLicense();
        }
        focus = LicenseMemo;
        break;
    case 2:
        if (from == 1 && !LicenseChkBx->Checked()) {
            if (ShowMessageBox(LicenseRefusalQuestion, MessageKind::Information, mbYes | mbNo) == mrYes)
                EndWizard(mrCancel);
            return;
        }
        focus = DestDirEdt;
        break;
    case 3:
        NormalizeHomeFolderEdit();
        if (!FileExists(PathJoin(DestDirEdt->Text(), "kvwrite.exe"))) {
            ShowMessageBox(WrongFolderMessage, MessageKind::Information, mbOK);
            return;
        }
        Options.HomeFolder = DestDirEdt->Text();
        focus = NextBtn;
        break;
    case 4:
        if (IsProductRunning()) {
            ShowMessageBox(RunningMessage, MessageKind::Information, mbOK);
            return;
        }
        break;
    case 6:
        FinishSetup();
        return;
    default:
        break;
    }

    BackBtn->SetVisible(to != 0);
    BackBtn->SetEnabled(to < 4);
    BackBtn->SetCaption("< &Back");
    NextBtn->SetEnabled(to != 4);
    NextBtn->SetCaption(to == 5 ? "&Finish" : "&Next >");
    CancelBtn->SetEnabled(to != 5);
    CancelBtn->SetCaption("Cancel");
    TopLbl->SetCaption(PageTitles[to]);
    PgCtrl->SetActivePageIndex(to);
    if (focus)
        focus->SetFocus();
    if (to == 4)
        RunInstallation();
}

void TMainDlgForm::BNClick(TObject* sender)
{
    const auto from = static_cast<uint8_t>(PgCtrl->ActivePageIndex());
    GoToPage(from, static_cast<uint8_t>(sender == BackBtn ? from - 1 : from + 1));
}

void TMainDlgForm::CancelBtnClick(TObject*)
{
    Close();
}

void TMainDlgForm::FormCloseQuery(TObject*, bool& canClose)
{
    bool allow = CloseAllowed;
    if (!allow)
        allow = ShowMessageBox(FormatText(CloseQuestion, ProductName), MessageKind::Confirmation, mbYes | mbNo) == mrYes;
    CloseAllowed = allow;
    canClose = allow;
}

void TMainDlgForm::DestDirLstBxChange(TObject*)
{
    if (!DirListSync)
        return;
    DestDirEdt->SetText(DestDirLstBx->CurrentFolder());
    NormalizeHomeFolderEdit();
}

void TMainDlgForm::NormalizeHomeFolderEdit()
{
    std::string s = DestDirEdt->Text();
    while (!s.empty() && s[0] == ' ')
        DeleteFirstChar(s);
    while (!s.empty() && LastChar(s) == ' ')
        DeleteLastChar(s);
    const bool hasDrive = (s.size() >= 2 && s[1] == ':') || s.compare(0, 2, "\\\\") == 0;
    if (!hasDrive)
        s = std::string(1, DestDirCmbBx->CurrentDrive()) + ":";
    if (!s.empty() && LastChar(s) == '\\')
        DeleteLastChar(s);
    const size_t nameStart = s.find_last_of("\\:");
    const bool noName = s.empty() || (nameStart != std::string::npos && nameStart + 1 == s.size());
    if (noName || SameTextCI(s, GetSpecialFolder(CSIDL_PROGRAM_FILES_FOLDER)))
        s = PathJoin(s, "Korvanta");
    DestDirEdt->SetText(s);
}

LRESULT TMainDlgForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_TIMER)
        return TForm::WndProc(message, wParam, lParam);
    GuardEvent([this] { WMTimer(); });
    return 0;
}
