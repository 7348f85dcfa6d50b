#include "main_window.h"
#include "config_commands.h"
#include "config_sheet.h"
#include "kept_values.h"
#include "place_near_owner.h"
#include "tarncfg_ids.h"
#include "tarnwell_version.h"

DEFINE_RESPONSE_TABLE(TDialogTarngetConfig, TDialog) = {
    {WM_COMMAND, IDC_MAIN_PERSONAL, BN_CLICKED, &Self::CmPersonal},
    {WM_COMMAND, IDC_MAIN_GLOBAL, BN_CLICKED, &Self::CmGlobal},
    {WM_COMMAND, IDC_MAIN_PERSONAL_TO_GLOBAL, BN_CLICKED, &Self::CmPersonalToGlobal},
    {WM_COMMAND, IDC_MAIN_GLOBAL_TO_PERSONAL, BN_CLICKED, &Self::CmGlobalToPersonal},
    {WM_COMMAND, IDC_MAIN_RESET_PERSONAL, BN_CLICKED, &Self::CmResetPersonal},
    {WM_COMMAND, IDC_MAIN_RESET_GLOBAL, BN_CLICKED, &Self::CmResetGlobal},
    {WM_COMMAND, IDC_MAIN_ABOUT, BN_CLICKED, &Self::CmAbout},
    // Escape must not close the window: only WM_CLOSE does, after saving.
    {WM_COMMAND, IDCANCEL, BN_CLICKED, &Self::CmIgnore},
    {WM_CLOSE, 0, 0, &Self::EvClose},
    {},
};

TDialogTarngetConfig::TDialogTarngetConfig(EditorState& state)
    : TDialog(nullptr, IDD_CONFIG_MAIN),
      state_(state),
      personal_(this, IDC_MAIN_PERSONAL),
      global_(this, IDC_MAIN_GLOBAL),
      personalToGlobal_(this, IDC_MAIN_PERSONAL_TO_GLOBAL),
      globalToPersonal_(this, IDC_MAIN_GLOBAL_TO_PERSONAL),
      resetPersonal_(this, IDC_MAIN_RESET_PERSONAL),
      resetGlobal_(this, IDC_MAIN_RESET_GLOBAL),
      about_(this, IDC_MAIN_ABOUT) {
  LoadEditorSettings(state_.settings, state_.model);
}

void TDialogTarngetConfig::SetupWindow() {
  TDialog::SetupWindow();
  const WindowPosition& position = state_.settings.position;
  if (position.x != kNotSet) MoveTo(position.x, position.y);
  SetText("Tarnwell Config v" TARNWELL_VERSION);
  if (HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TARNCFG))) {
    Post(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  }
}

void TDialogTarngetConfig::Edit(HKEY root, const char* caption) {
  LoadConfigModel(root, state_.model);
  WarnOfKeptValues(Handle(), root, state_.model);
  {
    TPropertySheetConfig sheet(Handle(), caption, state_.model);
    sheet.Execute();
  }
  // Whether anything is written depends only on whether a page applied.
  StoreConfigModel(root, state_.model);
}

void TDialogTarngetConfig::CmPersonal() { Edit(HKEY_CURRENT_USER, "Personal Configuration"); }
void TDialogTarngetConfig::CmGlobal() { Edit(HKEY_LOCAL_MACHINE, "Global Configuration"); }
void TDialogTarngetConfig::CmPersonalToGlobal() { CopyCopierConfig(Handle(), HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE); }
void TDialogTarngetConfig::CmGlobalToPersonal() { CopyCopierConfig(Handle(), HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER); }
void TDialogTarngetConfig::CmResetPersonal() { ResetCopierConfig(Handle(), HKEY_CURRENT_USER); }
void TDialogTarngetConfig::CmResetGlobal() { ResetCopierConfig(Handle(), HKEY_LOCAL_MACHINE); }

void TDialogTarngetConfig::CmAbout() {
  TDialogAbout about(Handle());
  about.Execute();
}

void TDialogTarngetConfig::EvClose() {
  RECT r;
  if (GetRestoredRect(r)) SaveEditorSettings(r, state_.settings, state_.model);
  CloseWindow(IDCANCEL);
}

DEFINE_RESPONSE_TABLE(TDialogAbout, TDialog) = {
    {WM_DPICHANGED, 0, 0, &Self::EvDpiChanged},
    {},
};

TDialogAbout::TDialogAbout(HWND parent) : TDialog(parent, IDD_ABOUT), picture_(IDB_ABOUT) {}

void TDialogAbout::SetupWindow() {
  TDialog::SetupWindow();
  picture_.ShowIn(::GetDlgItem(hwnd_, IDC_ABOUT_PICTURE), WindowDpi(hwnd_));
  PlaceNearOwner(Handle(), ParentHandle(), 5, 4);
}

void TDialogAbout::EvDpiChanged(Message& m) {
  TDialog::EvDpiChanged(m);
  picture_.ShowIn(::GetDlgItem(hwnd_, IDC_ABOUT_PICTURE), HIWORD(m.wParam));
}
