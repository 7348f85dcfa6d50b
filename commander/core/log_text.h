// A task's log as text for the clipboard and for a file, and the name offered for that file.
#pragma once
#include <cstddef>
#include "task_output.h"

// Every stored line of `output` in arrival order without its code, then the progress line
// when `withProgress`; each line ends with CR LF. New[]; null when memory runs out.
char* ComposeLogText(const TaskOutput& output, bool withProgress);

// The name the save dialog offers for the log of a task started with `commandLine`: the last
// part of its URL's path (the first argument after the program) with ".log" added, or
// "tarnget.log" when that part is empty. Characters that a file name cannot hold become
// "_". Written into `name`, `size` bytes, which must hold at least "tarnget.log".
void LogFileName(const char* commandLine, char* name, std::size_t size);
