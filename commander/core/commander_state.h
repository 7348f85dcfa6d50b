// What the commander keeps for its whole run: the task options, its settings and the
// history lists inside both. WinMain owns the one instance; the windows and the settings
// store receive it by reference, and tests build a fresh one for each case.
#pragma once
#include "options.h"
#include "settings.h"

struct CommanderState {
  TaskOptions options;
  // Whether any options page applied during this run: only then are the option lists
  // written back at exit.
  unsigned char optionsApplied = 0;
  CommanderSettings settings;
};
