#include <cstring>

#include "combo_support.h"
#include "history.h"
#include "option_pages.h"
#include "resource.h"

DEFINE_RESPONSE_TABLE(TPropertyPageCommon, TOptionsPage) = {
    {WM_COMMAND, IDC_COMMON_BROWSE_LOG, BN_CLICKED, &Self::CmBrowseLog},
    {WM_COMMAND, IDC_COMMON_BROWSE_WORK_DIR, BN_CLICKED, &Self::CmBrowseWorkDir},
    {WM_COMMAND, IDC_COMMON_INCLUDE_ADD, BN_CLICKED, &Self::CmUnnamed},
    {WM_COMMAND, IDC_COMMON_INCLUDE_REMOVE, BN_CLICKED, &Self::CmIncludeRemove},
    {WM_COMMAND, IDC_COMMON_EXCLUDE_ADD, BN_CLICKED, &Self::CmExcludeAdd},
    {WM_COMMAND, IDC_COMMON_EXCLUDE_REMOVE, BN_CLICKED, &Self::CmExcludeRemove},
    {},
};

TPropertyPageCommon::TPropertyPageCommon()
    : TOptionsPage(IDD_OPTIONS_COMMON),
      createDirBox(this, IDC_COMMON_CREATE_DIR),
      overwriteBox(this, IDC_COMMON_OVERWRITE),
      recursiveBox(this, IDC_COMMON_RECURSIVE),
      gaugeBox(this, IDC_COMMON_GAUGE),
      talkBox(this, IDC_COMMON_TALK),
      retriesEdit(this, IDC_COMMON_RETRIES),
      useFirstFilenameBox(this, IDC_COMMON_USE_FIRST_FILENAME),
      useLogBox(this, IDC_COMMON_USE_LOG),
      useIncludeBox(this, IDC_COMMON_USE_INCLUDE),
      useExcludeBox(this, IDC_COMMON_USE_EXCLUDE),
      useWorkDirBox(this, IDC_COMMON_USE_WORK_DIR),
      firstFilenameBox(this, IDC_COMMON_FIRST_FILENAME),
      logBox(this, IDC_COMMON_LOG),
      includeBox(this, IDC_COMMON_INCLUDE),
      excludeBox(this, IDC_COMMON_EXCLUDE),
      workDirBox(this, IDC_COMMON_WORK_DIR) {}

// The "+" beside the inclusive patterns is the one button among the controls with id
// 65535 (the others are static labels), so it is found once by its window class.
void TPropertyPageCommon::SetupWindow() {
  for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char className[16];
    if (::GetDlgCtrlID(child) == IDC_UNNAMED && ::GetClassNameA(child, className, sizeof className) &&
        ::lstrcmpiA(className, "Button") == 0) {
      includeAddButton = child;
      break;
    }
  }
  TOptionsPage::SetupWindow();
}

void TPropertyPageCommon::ShowValues() {
  ShowChoice(createDirBox, g_options.createDirectory);
  ShowChoice(overwriteBox, g_options.overwriteMode);
  ShowChoice(recursiveBox, g_options.recursiveMode);
  ShowChoice(gaugeBox, g_options.transferGauge);
  ShowChoice(talkBox, g_options.clientServerTalk);
  ShowFlag(useIncludeBox, g_options.useInclusivePatterns);
  ShowHistory(includeBox, g_options.inclusivePatterns);
  ShowFlag(useExcludeBox, g_options.useExclusivePatterns);
  ShowHistory(excludeBox, g_options.exclusivePatterns);
  ShowFlag(useFirstFilenameBox, g_options.useFirstFilename);
  ShowHistory(firstFilenameBox, g_options.firstFilename);
  ShowFlag(useLogBox, g_options.useLogFile);
  ShowHistory(logBox, g_options.logFile);
  ShowFlag(useWorkDirBox, g_options.useWorkDirectory);
  ShowHistory(workDirBox, g_options.workDirectory);
  // Typing stops at what the option keeps, rather than losing the rest unseen.
  retriesEdit.LimitText(kShortTextSize - 1);
  retriesEdit.SetText(g_options.retryCount);
}

void TPropertyPageCommon::StoreValues() {
  g_options.createDirectory.selection = ReadChoice(createDirBox);
  g_options.overwriteMode.selection = ReadChoice(overwriteBox);
  g_options.recursiveMode.selection = ReadChoice(recursiveBox);
  g_options.transferGauge.selection = ReadChoice(gaugeBox);
  g_options.clientServerTalk.selection = ReadChoice(talkBox);
  g_options.useInclusivePatterns = ReadFlag(useIncludeBox);
  read_combo(includeBox, g_options.inclusivePatterns);
  g_options.useExclusivePatterns = ReadFlag(useExcludeBox);
  read_combo(excludeBox, g_options.exclusivePatterns);
  g_options.useFirstFilename = ReadFlag(useFirstFilenameBox);
  read_combo(firstFilenameBox, g_options.firstFilename);
  g_options.useLogFile = ReadFlag(useLogBox);
  read_combo(logBox, g_options.logFile);
  g_options.useWorkDirectory = ReadFlag(useWorkDirBox);
  read_combo(workDirBox, g_options.workDirectory);
  ReadShortText(retriesEdit, g_options.retryCount);
}

// Id 65535 also names the labels: only a click of the "+" button itself commits.
void TPropertyPageCommon::CmUnnamed(Message& m) {
  if (includeAddButton && m.Control() == includeAddButton) commit_combo_text(includeBox, CommitMode::kAdd);
}

void TPropertyPageCommon::CmIncludeRemove() { commit_combo_text(includeBox, CommitMode::kRemove); }
void TPropertyPageCommon::CmExcludeAdd() { commit_combo_text(excludeBox, CommitMode::kAdd); }
void TPropertyPageCommon::CmExcludeRemove() { commit_combo_text(excludeBox, CommitMode::kRemove); }
void TPropertyPageCommon::CmBrowseWorkDir() { browse_folder(workDirBox, nullptr); }
void TPropertyPageCommon::CmBrowseLog() { browse_file(logBox, "Log files (*.log)|*.log|All files (*.*)|*.*|"); }
