// The four pages of the options sheet. Each fills its controls from the commander's option
// set when it is first shown and stores them back when the sheet applies; a page that was
// never shown stores nothing. History fields commit typed text into their own list when it
// drops down and when they lose the focus; only apply copies those lists into the option set.
#pragma once
#include <cstdint>
#include "commander_state.h"
#include "history_combo.h"
#include "property_sheet.h"

class TOptionsPage : public TPropertyPage {
public:
  TOptionsPage(int resourceId, CommanderState& state)
      : TPropertyPage(resourceId), options_(state.options), applied_(state.optionsApplied) {}

protected:
  void SetupWindow() override;
  LRESULT Apply() override;
  // Fill the controls from the option set, and store them into it, in the page's order.
  virtual void ShowValues() = 0;
  virtual void StoreValues() = 0;

  static void ShowChoice(const TComboBox& box, const ChoiceOption& option);
  static void ShowYesOnly(const TComboBox& box, std::int32_t selection);
  static void ShowFlag(const TCheckBox& box, unsigned char flag);
  static void ShowHistory(const TComboBox& box, chain<cstring1>& list);
  static std::int32_t ReadChoice(const TComboBox& box);
  static unsigned char ReadFlag(const TCheckBox& box);
  static void ReadShortText(const TEdit& edit, char (&text)[kShortTextSize]);

  TaskOptions& options_;

private:
  unsigned char& applied_;
};

class TPropertyPageCommon : public TOptionsPage {
public:
  explicit TPropertyPageCommon(CommanderState& state);

  TComboBox createDirBox, overwriteBox, recursiveBox, gaugeBox, talkBox;
  TEdit retriesEdit;
  TCheckBox useFirstFilenameBox, useLogBox, useIncludeBox, useExcludeBox, useWorkDirBox;
  THistoryComboBox firstFilenameBox, logBox, includeBox, excludeBox, workDirBox;
  // The "+" beside the inclusive patterns: it shares id 65535 with the static labels.
  HWND includeAddButton = nullptr;

protected:
  void SetupWindow() override;
  void ShowValues() override;
  void StoreValues() override;

private:
  void CmUnnamed(Message& m);
  void CmIncludeRemove();
  void CmExcludeAdd();
  void CmExcludeRemove();
  void CmBrowseWorkDir();
  void CmBrowseLog();

  DECLARE_RESPONSE_TABLE(TPropertyPageCommon);
};

class TPropertyPageFTP : public TOptionsPage {
public:
  explicit TPropertyPageFTP(CommanderState& state);

  TRadioButton downloadButton, uploadButton, dirListButton;
  TCheckBox useDirListNameBox;
  THistoryComboBox dirListNameBox;
  TComboBox eraseBox, unixLinksBox, pasvBox;
  TCheckBox useProxyBox;  // three states
  THistoryComboBox proxyBox;

protected:
  void ShowValues() override;
  void StoreValues() override;
};

class TPropertyPageHTTP : public TOptionsPage {
public:
  explicit TPropertyPageHTTP(CommanderState& state);

  TRadioButton downloadButton, recoveryButton;
  TCheckBox useDefaultHtmlBox;
  THistoryComboBox defaultHtmlBox;
  TComboBox sameSiteBox, nonHtmlBox, relocateBox;
  TCheckBox useProxyBox;  // three states
  THistoryComboBox proxyBox;

protected:
  void ShowValues() override;
  void StoreValues() override;
};

class TPropertyPageNNTP : public TOptionsPage {
public:
  explicit TPropertyPageNNTP(CommanderState& state);

  TRadioButton downloadButton, outdateButton;
  TComboBox decodeBox;
  TEdit minRowsEdit;
  TCheckBox useMsgidDirBox;
  THistoryComboBox msgidDirBox;
  TCheckBox useFileListBox;
  THistoryComboBox fileListBox;

protected:
  void ShowValues() override;
  void StoreValues() override;

private:
  void CmBrowseMsgidDir();

  DECLARE_RESPONSE_TABLE(TPropertyPageNNTP);
};
