// One copier task: the record that the main window's task chain owns from a successful
// start until the task is removed, one per row of the task list.
#pragma once
#include <windows.h>
#include <cstdint>
#include <memory>
#include "chain.h"
#include "task_output.h"

enum TaskState : std::int32_t { kTaskActive = 0, kTaskOk = 1, kTaskError = 2 };

struct TarngetTaskItem {
  std::int32_t state = kTaskActive;
  std::unique_ptr<char[]> commandLine;  // the program name, a blank, then the arguments
  HANDLE process = nullptr;
  HANDLE outputPipe = nullptr;    // reading end of the copier's stdout and stderr
  TaskOutput output;              // stored lines, the line still arriving, the progress line
  bool drainedThisRound = false;  // had its turn at the ticks' drain since the round began

  TarngetTaskItem() = default;
  TarngetTaskItem(const TarngetTaskItem&) = delete;
  TarngetTaskItem& operator=(const TarngetTaskItem&) = delete;
  // Frees the stored lines and the command line and closes both handles. The copier
  // itself is left running: ending it is the remover's decision.
  ~TarngetTaskItem();
};

// Whether the copier still runs. Decided by the process handle's signal, not by the exit
// code, since a copier may well exit with the code that means "still active" (259).
bool IsTaskRunning(const TarngetTaskItem& task);

// Two records are the same task when their command lines match regardless of case and
// they hold the same process: two copiers with one command line may run side by side.
template <>
struct chain_traits<TarngetTaskItem> {
  static bool equal(const TarngetTaskItem* element, const TarngetTaskItem* key);
  static void destroy(TarngetTaskItem* element) { delete element; }
};
