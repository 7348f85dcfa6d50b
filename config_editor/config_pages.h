// The four pages of the configuration sheet. Each shows its part of ConfigModel when its
// window is made and takes it back when the sheet applies; none touches the registry.
#pragma once
#include "config_model.h"
#include "controls.h"
#include "history_combo.h"
#include "property_sheet.h"

// What the four pages share: the model. History fields are THistoryComboBox members,
// which commit typed text when their list opens or they lose the focus.
class TConfigPage : public TPropertyPage {
public:
  TConfigPage(int resourceId, ConfigModel& model) : TPropertyPage(resourceId), model_(model) {}

protected:
  // Ends every page's apply: the model now holds what the pages show.
  LRESULT FinishApply();

  ConfigModel& model_;
};

class TPropertyPageCommon : public TConfigPage {
public:
  explicit TPropertyPageCommon(ConfigModel& model);

protected:
  void SetupWindow() override;
  LRESULT Apply() override;

private:
  void CmBrowseLog();
  void CmBrowseWorkDirectory();

  TComboBox createDirectory_, overwrite_, recursive_, gauge_, talk_;
  TCheckBox useFirstName_;  // hidden and disabled, never filled
  THistoryComboBox firstName_;
  TCheckBox useWorkDirectory_;
  THistoryComboBox workDirectory_;
  TCheckBox useLog_;
  THistoryComboBox log_;
  TEdit retries_;
  DECLARE_RESPONSE_TABLE(TPropertyPageCommon);
};

class TPropertyPageFTP : public TConfigPage {
public:
  explicit TPropertyPageFTP(ConfigModel& model);

protected:
  void SetupWindow() override;
  LRESULT Apply() override;

private:
  TCheckBox useDirList_;
  THistoryComboBox dirList_;
  TComboBox erase_, unixLinks_, pasv_;
  TCheckBox useProxy_;
  THistoryComboBox proxy_;
};

class TPropertyPageHTTP : public TConfigPage {
public:
  explicit TPropertyPageHTTP(ConfigModel& model);

protected:
  void SetupWindow() override;
  LRESULT Apply() override;

private:
  TCheckBox useDefaultHtml_;
  THistoryComboBox defaultHtml_;
  TComboBox sameSite_, relocate_, nonHtml_;
  TCheckBox useProxy_;
  THistoryComboBox proxy_;
};

class TPropertyPageNNTP : public TConfigPage {
public:
  explicit TPropertyPageNNTP(ConfigModel& model);

protected:
  void SetupWindow() override;
  LRESULT Apply() override;

private:
  void CmBrowseMsgidDirectory();

  TComboBox decode_;
  TEdit minimumRows_;
  TCheckBox useMsgidDirectory_;
  THistoryComboBox msgidDirectory_;
  TCheckBox useFileList_;
  THistoryComboBox fileList_;
  DECLARE_RESPONSE_TABLE(TPropertyPageNNTP);
};
