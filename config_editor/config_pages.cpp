#include "config_pages.h"
#include "combo_support.h"
#include "history.h"
#include "tarncfg_ids.h"

namespace {

const char kLogFilter[] = "Log files (*.log)|*.log|All files (*.*)|*.*|";

void ShowChoice(const TComboBox& combo, const char* const* texts, std::int32_t position) {
  fill_choices(combo, texts, position);
}

std::int32_t TakeChoice(const TComboBox& combo) {
  int selected = combo.GetSelIndex();
  return selected < 0 ? 0 : selected;
}

// The edit shows the head entry even while the box is unchecked.
void ShowString(const TCheckBox& check, const TComboBox& combo, ConfigString& setting) {
  check.SetCheck(setting.enabled ? BST_CHECKED : BST_UNCHECKED);
  fill_combo(combo, setting.history, true);
}

// Only the list counts: text still in the edit was never committed.
void TakeString(const TCheckBox& check, const TComboBox& combo, ConfigString& setting) {
  setting.enabled = check.IsChecked() ? 1 : 0;
  read_combo(combo, setting.history);
}

void TakeNumberText(const TEdit& edit, char (&text)[kNumberTextSize]) {
  if (edit.GetText(text, kNumberTextSize) <= 0) text[0] = '\0';
}

}  // namespace

LRESULT TConfigPage::FinishApply() {
  model_.modified = 1;
  return TPropertyPage::Apply();
}

// ---- Common Options

DEFINE_RESPONSE_TABLE(TPropertyPageCommon, TConfigPage) = {
    {WM_COMMAND, IDC_COMMON_BROWSE_LOG, BN_CLICKED, &Self::CmBrowseLog},
    {WM_COMMAND, IDC_COMMON_BROWSE_WORK_DIR, BN_CLICKED, &Self::CmBrowseWorkDirectory},
    {},
};

TPropertyPageCommon::TPropertyPageCommon(ConfigModel& model)
    : TConfigPage(IDD_PAGE_COMMON, model),
      createDirectory_(this, IDC_COMMON_CREATE_DIR),
      overwrite_(this, IDC_COMMON_OVERWRITE),
      recursive_(this, IDC_COMMON_RECURSIVE),
      gauge_(this, IDC_COMMON_GAUGE),
      talk_(this, IDC_COMMON_TALK),
      useFirstName_(this, IDC_COMMON_USE_FIRST_NAME),
      firstName_(this, IDC_COMMON_FIRST_NAME),
      useWorkDirectory_(this, IDC_COMMON_USE_WORK_DIR),
      workDirectory_(this, IDC_COMMON_WORK_DIR),
      useLog_(this, IDC_COMMON_USE_LOG),
      log_(this, IDC_COMMON_LOG),
      retries_(this, IDC_COMMON_RETRIES) {}

void TPropertyPageCommon::SetupWindow() {
  TConfigPage::SetupWindow();
  ShowChoice(createDirectory_, kCreateDirChoice.texts, model_.createDirectory);
  ShowChoice(overwrite_, kOverwriteChoice.texts, model_.overwriteMode);
  ShowChoice(recursive_, kRecursiveChoice.texts, model_.recursiveMode);
  ShowChoice(gauge_, kYesNoChoice.texts, model_.transferGauge);
  ShowChoice(talk_, kYesNoChoice.texts, model_.clientServerTalk);
  ShowString(useLog_, log_, model_.logPath);
  ShowString(useWorkDirectory_, workDirectory_, model_.workDirectory);
  // Typing stops at what the model keeps, rather than losing the rest unseen.
  retries_.LimitText(kNumberTextSize - 1);
  retries_.SetText(model_.retryCount);
}

LRESULT TPropertyPageCommon::Apply() {
  model_.createDirectory = TakeChoice(createDirectory_);
  model_.overwriteMode = TakeChoice(overwrite_);
  model_.recursiveMode = TakeChoice(recursive_);
  model_.transferGauge = TakeChoice(gauge_);
  model_.clientServerTalk = TakeChoice(talk_);
  TakeString(useLog_, log_, model_.logPath);
  TakeString(useWorkDirectory_, workDirectory_, model_.workDirectory);
  TakeNumberText(retries_, model_.retryCount);
  return FinishApply();
}

void TPropertyPageCommon::CmBrowseLog() { browse_file(log_, kLogFilter); }

void TPropertyPageCommon::CmBrowseWorkDirectory() { browse_folder(workDirectory_, nullptr); }

// ---- FTP Options

TPropertyPageFTP::TPropertyPageFTP(ConfigModel& model)
    : TConfigPage(IDD_PAGE_FTP, model),
      useDirList_(this, IDC_FTP_USE_DIR_LIST),
      dirList_(this, IDC_FTP_DIR_LIST),
      erase_(this, IDC_FTP_ERASE),
      unixLinks_(this, IDC_FTP_UNIX_LINKS),
      pasv_(this, IDC_FTP_PASV),
      useProxy_(this, IDC_FTP_USE_PROXY),
      proxy_(this, IDC_FTP_PROXY) {}

void TPropertyPageFTP::SetupWindow() {
  TConfigPage::SetupWindow();
  ShowString(useDirList_, dirList_, model_.dirListName);
  ShowChoice(erase_, kYesNoChoice.texts, model_.eraseSource);
  ShowChoice(unixLinks_, kYesOnlyTexts, model_.includeUnixLinks);
  ShowChoice(pasv_, kYesNoChoice.texts, model_.pasvMode);
  ShowString(useProxy_, proxy_, model_.ftpProxy);
}

LRESULT TPropertyPageFTP::Apply() {
  TakeString(useDirList_, dirList_, model_.dirListName);
  model_.eraseSource = TakeChoice(erase_);
  model_.includeUnixLinks = TakeChoice(unixLinks_);
  model_.pasvMode = TakeChoice(pasv_);
  TakeString(useProxy_, proxy_, model_.ftpProxy);
  return FinishApply();
}

// ---- HTTP Options

TPropertyPageHTTP::TPropertyPageHTTP(ConfigModel& model)
    : TConfigPage(IDD_PAGE_HTTP, model),
      useDefaultHtml_(this, IDC_HTTP_USE_DEFAULT_HTML),
      defaultHtml_(this, IDC_HTTP_DEFAULT_HTML),
      sameSite_(this, IDC_HTTP_SAME_SITE),
      relocate_(this, IDC_HTTP_RELOCATE),
      nonHtml_(this, IDC_HTTP_NON_HTML),
      useProxy_(this, IDC_HTTP_USE_PROXY),
      proxy_(this, IDC_HTTP_PROXY) {}

void TPropertyPageHTTP::SetupWindow() {
  TConfigPage::SetupWindow();
  ShowString(useDefaultHtml_, defaultHtml_, model_.defaultHtml);
  ShowChoice(sameSite_, kYesOnlyTexts, model_.includeSameSite);
  ShowChoice(relocate_, kYesNoChoice.texts, model_.relocateImage);
  ShowChoice(nonHtml_, kYesNoChoice.texts, model_.includeNonHtml);
  ShowString(useProxy_, proxy_, model_.httpProxy);
}

LRESULT TPropertyPageHTTP::Apply() {
  TakeString(useDefaultHtml_, defaultHtml_, model_.defaultHtml);
  model_.includeSameSite = TakeChoice(sameSite_);
  model_.relocateImage = TakeChoice(relocate_);
  model_.includeNonHtml = TakeChoice(nonHtml_);
  TakeString(useProxy_, proxy_, model_.httpProxy);
  return FinishApply();
}

// ---- NNTP Options

DEFINE_RESPONSE_TABLE(TPropertyPageNNTP, TConfigPage) = {
    {WM_COMMAND, IDC_NNTP_BROWSE_MSGID_DIR, BN_CLICKED, &Self::CmBrowseMsgidDirectory},
    {},
};

TPropertyPageNNTP::TPropertyPageNNTP(ConfigModel& model)
    : TConfigPage(IDD_PAGE_NNTP, model),
      decode_(this, IDC_NNTP_DECODE),
      minimumRows_(this, IDC_NNTP_MIN_ROWS),
      useMsgidDirectory_(this, IDC_NNTP_USE_MSGID_DIR),
      msgidDirectory_(this, IDC_NNTP_MSGID_DIR),
      useFileList_(this, IDC_NNTP_USE_FILE_LIST),
      fileList_(this, IDC_NNTP_FILE_LIST) {}

void TPropertyPageNNTP::SetupWindow() {
  TConfigPage::SetupWindow();
  ShowChoice(decode_, kYesNoChoice.texts, model_.decodePosts);
  minimumRows_.LimitText(kNumberTextSize - 1);
  minimumRows_.SetText(model_.minimumRows);
  ShowString(useMsgidDirectory_, msgidDirectory_, model_.msgidDirectory);
  ShowString(useFileList_, fileList_, model_.fileList);
}

LRESULT TPropertyPageNNTP::Apply() {
  model_.decodePosts = TakeChoice(decode_);
  TakeNumberText(minimumRows_, model_.minimumRows);
  TakeString(useMsgidDirectory_, msgidDirectory_, model_.msgidDirectory);
  TakeString(useFileList_, fileList_, model_.fileList);
  return FinishApply();
}

void TPropertyPageNNTP::CmBrowseMsgidDirectory() { browse_folder(msgidDirectory_, nullptr); }
