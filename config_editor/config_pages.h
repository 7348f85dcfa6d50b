// The four pages of the configuration sheet. Each shows its part of ConfigModel when its
// window is made and takes it back when the sheet applies; none touches the registry.
#pragma once
#include <vector>
#include "config_model.h"
#include "controls.h"
#include "property_sheet.h"

// What the four pages share: the model, and committing typed text into a history combo
// box when its list opens or it loses the focus.
class TConfigPage : public TPropertyPage {
public:
  TConfigPage(int resourceId, ConfigModel& model) : TPropertyPage(resourceId), model_(model) {}

protected:
  // Registers a history combo box for EvCommit.
  void AddHistory(const TComboBox& combo) { histories_.push_back(&combo); }
  void EvCommit(TMessage& m);
  // Ends every page's apply: the model now holds what the pages show.
  LRESULT FinishApply();

  ConfigModel& model_;

private:
  std::vector<const TComboBox*> histories_;
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
  TComboBox firstName_;
  TCheckBox useWorkDirectory_;
  TComboBox workDirectory_;
  TCheckBox useLog_;
  TComboBox log_;
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
  TComboBox dirList_;
  TComboBox erase_, unixLinks_, pasv_;
  TCheckBox useProxy_;
  TComboBox proxy_;
  DECLARE_RESPONSE_TABLE(TPropertyPageFTP);
};

class TPropertyPageHTTP : public TConfigPage {
public:
  explicit TPropertyPageHTTP(ConfigModel& model);

protected:
  void SetupWindow() override;
  LRESULT Apply() override;

private:
  TCheckBox useDefaultHtml_;
  TComboBox defaultHtml_;
  TComboBox sameSite_, relocate_, nonHtml_;
  TCheckBox useProxy_;
  TComboBox proxy_;
  DECLARE_RESPONSE_TABLE(TPropertyPageHTTP);
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
  TComboBox msgidDirectory_;
  TCheckBox useFileList_;
  TComboBox fileList_;
  DECLARE_RESPONSE_TABLE(TPropertyPageNNTP);
};
