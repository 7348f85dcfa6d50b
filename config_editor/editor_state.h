// What the editor keeps for its whole run: the one editing record of the copier's
// configuration (its histories included) and the editor's own settings. WinMain owns the
// one instance; the main window receives it by reference and hands the record on to the
// sheet and the store.
#pragma once
#include "config_model.h"
#include "editor_settings.h"

struct EditorState {
  ConfigModel model;
  EditorSettings settings;
};
