// The collect step: what the commander reads back from its main window before a task
// starts and before the settings are saved. One function serves both.
#pragma once
#include <windows.h>
#include <memory>
#include "controls.h"
#include "settings.h"

// The main window's controls that the collect step reads; all belong to the main window.
struct CommanderControls {
  HWND window = nullptr;
  const TComboBox* url = nullptr;        // 102
  const TComboBox* localPath = nullptr;  // 101
  const TCheckBox* topMost = nullptr;    // 105
  const TCheckBox* useOptions = nullptr; // 109
  const TCheckBox* useTarngetConfig = nullptr;  // 104
  const TListView* taskList = nullptr;   // null before the list view exists: widths stay
};

// The edit texts of the URL and local-path fields, whole.
struct FieldTexts {
  std::unique_ptr<char[]> url;
  std::unique_ptr<char[]> localPath;
};

// Reads both edit texts into `texts`, and into `settings`: the two fields' committed
// lists, the three check boxes and the widths of the task list's two columns.
void CollectWindowState(const CommanderControls& controls, CommanderSettings& settings, FieldTexts& texts);
