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

TPropertyPageCommon::TPropertyPageCommon(CommanderState& state)
    : TOptionsPage(IDD_OPTIONS_COMMON, state),
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
  ShowChoice(createDirBox, options_.createDirectory);
  ShowChoice(overwriteBox, options_.overwriteMode);
  ShowChoice(recursiveBox, options_.recursiveMode);
  ShowChoice(gaugeBox, options_.transferGauge);
  ShowChoice(talkBox, options_.clientServerTalk);
  ShowFlag(useIncludeBox, options_.useInclusivePatterns);
  ShowHistory(includeBox, options_.inclusivePatterns);
  ShowFlag(useExcludeBox, options_.useExclusivePatterns);
  ShowHistory(excludeBox, options_.exclusivePatterns);
  ShowFlag(useFirstFilenameBox, options_.useFirstFilename);
  ShowHistory(firstFilenameBox, options_.firstFilename);
  ShowFlag(useLogBox, options_.useLogFile);
  ShowHistory(logBox, options_.logFile);
  ShowFlag(useWorkDirBox, options_.useWorkDirectory);
  ShowHistory(workDirBox, options_.workDirectory);
  // Typing stops at what the option keeps, rather than losing the rest unseen.
  retriesEdit.LimitText(kShortTextSize - 1);
  retriesEdit.SetText(options_.retryCount);
}

void TPropertyPageCommon::StoreValues() {
  options_.createDirectory.selection = ReadChoice(createDirBox);
  options_.overwriteMode.selection = ReadChoice(overwriteBox);
  options_.recursiveMode.selection = ReadChoice(recursiveBox);
  options_.transferGauge.selection = ReadChoice(gaugeBox);
  options_.clientServerTalk.selection = ReadChoice(talkBox);
  options_.useInclusivePatterns = ReadFlag(useIncludeBox);
  read_combo(includeBox, options_.inclusivePatterns);
  options_.useExclusivePatterns = ReadFlag(useExcludeBox);
  read_combo(excludeBox, options_.exclusivePatterns);
  options_.useFirstFilename = ReadFlag(useFirstFilenameBox);
  read_combo(firstFilenameBox, options_.firstFilename);
  options_.useLogFile = ReadFlag(useLogBox);
  read_combo(logBox, options_.logFile);
  options_.useWorkDirectory = ReadFlag(useWorkDirBox);
  read_combo(workDirBox, options_.workDirectory);
  ReadShortText(retriesEdit, options_.retryCount);
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
