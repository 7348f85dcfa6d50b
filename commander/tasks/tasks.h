// The task list: starting copiers, draining their output every tick, showing their state
// in the main window's list view and removing them. The main window owns the chain and
// the list view; a TaskBoard only works on them, so it is made wherever it is needed.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include "chain.h"
#include "controls.h"
#include "copier_process.h"
#include "task_item.h"


// What a task's turn at the drain takes from its pipe: what was waiting when the turn
// began, up to kDrainBytesPerTask, in reads of kReadChunkSize; output that arrives
// meanwhile waits for the next turn. A tick stops draining once it has run
// kDrainTimePerTickMs, and the next tick goes on with the tasks that have not had their
// turn yet, so a flood of output slows its copiers down but never freezes the window, and
// every task is served in turn.
const std::size_t kReadChunkSize = 64 * 1024;
const std::size_t kDrainBytesPerTask = 4 * kOutputPipeSize;
const DWORD kDrainTimePerTickMs = 250;

// Bytes waiting in the task's pipe; 0 also when the pipe is broken.
std::size_t WaitingOutput(const TarngetTaskItem& task);

// Takes one chunk of what waits in the task's pipe, at most `most` bytes, without
// blocking, and stores the lines it completes. Returns the number of bytes taken: 0 when
// nothing waits or the pipe is broken.
std::size_t ReadTaskOutput(TarngetTaskItem& task, std::size_t most = kReadChunkSize);

// What the status column shows for a task state: "Active", "Ok" or "Error".
const char* StateText(std::int32_t state);

// "Spawn tarnget.exe error", owned by `owner`: the copier could not be started.
void ShowSpawnError(HWND owner);

class TaskBoard {
public:
  TaskBoard(HWND owner, const TListView& view, chain<TarngetTaskItem>& tasks)
      : owner_(owner), view_(view), tasks_(tasks) {}

  // Starts the copier with `commandLine` (new[], taken in every case) and records the task
  // with a row "Active". 0 on success; -1 after showing "Spawn tarnget.exe error".
  int StartTask(char* commandLine);

  // The timer's work: drains every task's output and marks ended tasks "Ok" or "Error".
  // Returns how many tasks ended on this tick.
  int PollTasks();

  // Removes the task of `row`; a running one is ended first, after the user agreed.
  // 0 when removed, -1 when refused or the kill failed.
  int RemoveTask(int row);

  // "&Kill": every selected row, last first; a refusal skips only that row.
  void KillSelected();
  // "&Clear": every task whose copier has ended; no question.
  void ClearFinished();
  // "Kill All" and closing: every row, last first, stopping at the first refusal.
  // 0 when every row is gone.
  int RemoveAll();

  // Starts the ended task of `row` again with its own command line, in the same row, its
  // stored output cleared. 0 on success; -1 for a running task (nothing happens) or after
  // showing "Spawn tarnget.exe error" (the task stays as it was).
  int RetryTask(int row);
  // Every selected row whose task has ended, first to last.
  void RetrySelected();

  // The list view's request for the text of column 1: the command line without the
  // program name. Other columns are left alone.
  void DisplayText(NMLVDISPINFOA& request) const;

private:
  bool AddRow();
  // Serves the tasks whose turn it is until the tick's time is spent.
  void DrainInTurn();

  HWND owner_;
  const TListView& view_;
  chain<TarngetTaskItem>& tasks_;
};
