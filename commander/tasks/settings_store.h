// The commander's settings in the registry: read once before the main window exists,
// written once when it closes after every task has gone.
#pragma once
#include "commander_state.h"
#include "window_state.h"

// HKEY_CURRENT_USER subkey of the commander's settings.
extern const char kCommanderSettingsKey[];

// Fills the settings and the option lists of `state` from the registry. A missing key
// or value leaves its default; nothing is reported.
void LoadSettings(CommanderState& state);
// Runs the collect step on the main window's controls and writes the settings back.
// Failures are silent: a write the user did not ask for must not keep the window open.
void SaveSettings(const CommanderControls& controls, CommanderState& state);
