// Starting a copier: the one place that makes its pipes and its process, for a new task
// and for a task started again.
#pragma once
#include <windows.h>

// The pipe the copier writes to holds this much before the copier has to wait: at least a
// second of a copier's fastest steady output, since the pipe is drained once a second.
const DWORD kOutputPipeSize = 256 * 1024;

struct CopierHandles {
  HANDLE process = nullptr;
  HANDLE outputPipe = nullptr;  // reading end of the copier's stdout and stderr
};

// Starts the copier with `commandLine`, left unchanged, its standard output and error on one
// new pipe and its input at end of file. True with both handles in `started`, which the
// caller then owns; false with nothing left open.
bool StartCopier(const char* commandLine, CopierHandles& started);
