#include "editor_settings.h"
#include "history.h"

const char kEditorSettingsKey[] = "Software\\Brennock\\Tarnwell Config";

EditorSettings g_editorSettings;

const EditorHistory kEditorHistories[8] = {
    {"Tarnget log path", &ConfigModel::logPath, "~tarnget.log"},
    {"Tarnget work directory", &ConfigModel::workDirectory, nullptr},
    {"Tarnget dir list name", &ConfigModel::dirListName, "~dir.lst"},
    {"Tarnget FTP proxy server", &ConfigModel::ftpProxy, nullptr},
    {"Tarnget default HTML file name", &ConfigModel::defaultHtml, "default.html"},
    {"Tarnget HTTP proxy server", &ConfigModel::httpProxy, nullptr},
    {"Tarnget MSGID directory", &ConfigModel::msgidDirectory, "msgid"},
    {"Tarnget NNTP file list name", &ConfigModel::fileList, "~files.lst"},
};

namespace {
const char kWindowPosition[] = "Window Position";
}

void LoadEditorSettings(EditorSettings& settings, ConfigModel& model) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kEditorSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;

  std::int32_t position[2];
  DWORD size = sizeof position;
  if (::RegQueryValueExA(key, kWindowPosition, nullptr, nullptr, reinterpret_cast<BYTE*>(position), &size) ==
          ERROR_SUCCESS &&
      size == sizeof position) {
    settings.windowX = position[0];
    settings.windowY = position[1];
    RECT desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    // A window closed while minimised reports a place far off the screen.
    if (position[0] < 0 || position[1] < 0 || position[0] >= desktop.right || position[1] >= desktop.bottom) {
      settings.windowX = kNoPosition;
    }
  }

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
  if (window.left != settings.windowX || window.top != settings.windowY) {
    settings.windowX = window.left;
    settings.windowY = window.top;
    std::int32_t position[2] = {settings.windowX, settings.windowY};
    ::RegSetValueExA(key, kWindowPosition, 0, REG_BINARY, reinterpret_cast<const BYTE*>(position), sizeof position);
  }
  if (model.storedSinceStart) {
    for (const EditorHistory& h : kEditorHistories) {
      save_history(key, h.name, (model.*h.setting).history, kHistoryLimit);
    }
  }
  ::RegCloseKey(key);
}
