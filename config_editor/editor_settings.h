// The editor's own settings under the current user: the main window's position and the
// history lists of the configuration's string settings, which live in ConfigModel.
#pragma once
#include <windows.h>
#include <cstdint>
#include "config_model.h"
#include "window_position.h"

extern const char kEditorSettingsKey[];

struct EditorSettings {
  WindowPosition position;
};

// The history lists in loading and saving order, each with its default entry or null.
struct EditorHistory {
  const char* name;
  ConfigString ConfigModel::*setting;
  const char* defaultEntry;
};
extern const EditorHistory kEditorHistories[8];

// Reads the position (ignored when off the desktop) and appends the stored histories,
// each followed by its default entry when that is missing. A missing key loads nothing.
void LoadEditorSettings(EditorSettings& settings, ConfigModel& model);
// Writes the position when `window` (screen coordinates) has moved since the last load
// or save, and the histories when some store has run. Failures are silent.
void SaveEditorSettings(const RECT& window, EditorSettings& settings, ConfigModel& model);
