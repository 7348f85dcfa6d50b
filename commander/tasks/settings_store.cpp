#include "settings_store.h"

#include <cstdint>
#include <cstring>

#include "history.h"
#include "window_position_store.h"

const char kCommanderSettingsKey[] = "Software\\Brennock\\Tarnwell Commander";

namespace {

// Reads a fixed-size value of any type into `target`, `size` bytes at most. A missing
// value, or one larger than `size`, leaves the target as it was; a shorter one overwrites
// only its first bytes. The query lands in a scratch buffer first, since the registry may
// write into the buffer even when it reports the value too large.
bool QueryInto(HKEY key, const char* name, void* target, DWORD size) {
  BYTE scratch[8];
  if (size > sizeof scratch) return false;
  DWORD got = size;
  if (::RegQueryValueExA(key, name, nullptr, nullptr, scratch, &got) != ERROR_SUCCESS) return false;
  std::memcpy(target, scratch, got < size ? got : size);
  return true;
}

void SetBinary(HKEY key, const char* name, const void* data, DWORD size) {
  ::RegSetValueExA(key, name, 0, REG_BINARY, static_cast<const BYTE*>(data), size);
}

void SetDword(HKEY key, const char* name, std::int32_t value) {
  ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

}  // namespace

void LoadSettings(CommanderState& state) {
  CommanderSettings& settings = state.settings;
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kCommanderSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;

  load_window_position(key, settings.position);

  load_history(key, "Remote URL", settings.remoteUrl, kHistoryLimit);
  load_history(key, "Local path", settings.localPath, kHistoryLimit);

  QueryInto(key, "Top most", &settings.topMost, 1);
  QueryInto(key, "Use options", &settings.useOptions, 1);
  QueryInto(key, "Use tarnget config", &settings.useTarngetConfig, 1);
  QueryInto(key, "Task list status width", &settings.statusWidth, 4);
  QueryInto(key, "Task list command width", &settings.commandWidth, 4);
  QueryInto(key, "Task list switch", &settings.taskListSwitch, 1);

  for (const OptionListName& list : kOptionLists)
    load_history(key, list.registryName, state.options.*list.list, kHistoryLimit);

  ::RegCloseKey(key);
}

void SaveSettings(const CommanderControls& controls, CommanderState& state) {
  CommanderSettings& settings = state.settings;
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kCommanderSettingsKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
      ::RegCreateKeyExA(HKEY_CURRENT_USER, kCommanderSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;

  RECT r;
  if (TWindow(controls.window).GetRestoredRect(r)) save_window_position(key, r, settings.position);

  FieldTexts texts;
  CollectWindowState(controls, settings, texts);

  save_history(key, "Remote URL", settings.remoteUrl, kHistoryLimit);
  save_history(key, "Local path", settings.localPath, kHistoryLimit);

  SetBinary(key, "Top most", &settings.topMost, 1);
  SetBinary(key, "Use options", &settings.useOptions, 1);
  SetBinary(key, "Use tarnget config", &settings.useTarngetConfig, 1);
  SetDword(key, "Task list status width", settings.statusWidth);
  SetDword(key, "Task list command width", settings.commandWidth);
  // While running, the byte holds what the next "&Task" click selects, the opposite of
  // what is shown; the stored byte says whether the task list was shown at exit.
  settings.taskListSwitch = settings.taskListSwitch ? 0 : 1;
  SetBinary(key, "Task list switch", &settings.taskListSwitch, 1);

  // Option lists only after an options page applied: otherwise the stored lists stay.
  if (state.optionsApplied)
    for (const OptionListName& list : kOptionLists)
      save_history(key, list.registryName, state.options.*list.list, kHistoryLimit);

  ::RegCloseKey(key);
}
