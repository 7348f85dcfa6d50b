#include "editor_settings.h"
#include "history.h"
#include "history_names.h"
#include "window_position_store.h"

const char kEditorSettingsKey[] = "Software\\Brennock\\Tarnwell Config";

const EditorHistory kEditorHistories[8] = {
    {kLogPathHistory, &ConfigModel::logPath, "~tarnget.log"},
    {kWorkDirectoryHistory, &ConfigModel::workDirectory, nullptr},
    {kDirListNameHistory, &ConfigModel::dirListName, "~dir.lst"},
    {kFtpProxyHistory, &ConfigModel::ftpProxy, nullptr},
    {kDefaultHtmlHistory, &ConfigModel::defaultHtml, "default.html"},
    {kHttpProxyHistory, &ConfigModel::httpProxy, nullptr},
    {kMsgidDirectoryHistory, &ConfigModel::msgidDirectory, "msgid"},
    {kFileListHistory, &ConfigModel::fileList, "~files.lst"},
};

void LoadEditorSettings(EditorSettings& settings, ConfigModel& model) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kEditorSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;

  load_window_position(key, settings.position);

  for (const EditorHistory& h : kEditorHistories) {
    chain<cstring1>& history = (model.*h.setting).history;
    load_history(key, h.name, history, kHistoryLimit);
    if (h.defaultEntry && !history.find(cstring1_key(h.defaultEntry))) history.append(cstring1_new(h.defaultEntry));
  }
  ::RegCloseKey(key);
}

void SaveEditorSettings(const RECT& window, EditorSettings& settings, ConfigModel& model) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kEditorSettingsKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
      ::RegCreateKeyExA(HKEY_CURRENT_USER, kEditorSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  save_window_position(key, window, settings.position);
  if (model.storedSinceStart) {
    for (const EditorHistory& h : kEditorHistories) {
      save_history(key, h.name, (model.*h.setting).history, kHistoryLimit);
    }
  }
  ::RegCloseKey(key);
}
