// "&Go!": turns the main window's fields, its check boxes and the option set into a copier
// command line and starts the copier.
#pragma once
#include "commander_state.h"
#include "tasks.h"
#include "window_state.h"

// Collects the window's state, checks the URL, finds its protocol, composes the command line
// and starts the task; on success the URL field is emptied. 0 on success, -1 when a message
// box told the user why nothing started.
int LaunchTask(const CommanderControls& controls, CommanderState& state, TaskBoard& board);
