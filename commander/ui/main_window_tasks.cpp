// The main window's task work: starting a task with "&Go!", the one-second poll, the
// task list's text, "&State", and the removal of tasks ("&Kill", "&Clear", "Kill All",
// closing). The window only forwards to a TaskBoard over its chain and list view; without
// a list view (its creation failed) no task can be started, so there is nothing to do.
#include "main_window.h"

#include "message_window.h"
#include "taskbar_flash.h"
#include "task_launch.h"
#include "tasks.h"
#include "window_state.h"

void TDialogTarnwellCommander::CmGo() {
  if (!taskList) return;
  TaskBoard board(hwnd_, *taskList, taskChain);
  LaunchTask(ControlsOf(*this), state_, board);
}

void TDialogTarnwellCommander::CmKill() {
  if (taskList) TaskBoard(hwnd_, *taskList, taskChain).KillSelected();
}

void TDialogTarnwellCommander::CmClear() {
  if (taskList) TaskBoard(hwnd_, *taskList, taskChain).ClearFinished();
}

void TDialogTarnwellCommander::CmKillAll() { RemoveAllTasks(); }

void TDialogTarnwellCommander::CmState() {
  if (taskList) OpenMessageWindow(hwnd_, *taskList, taskChain);
}

void TDialogTarnwellCommander::PollTasks() {
  if (taskList && TaskBoard(hwnd_, *taskList, taskChain).PollTasks() > 0) FlashIfInBackground(hwnd_);
}

void TDialogTarnwellCommander::EvTaskListDisplayText(Message& m) {
  if (taskList) TaskBoard(hwnd_, *taskList, taskChain).DisplayText(*reinterpret_cast<NMLVDISPINFOA*>(m.lParam));
}

int TDialogTarnwellCommander::RemoveTask(int row) {
  return taskList ? TaskBoard(hwnd_, *taskList, taskChain).RemoveTask(row) : -1;
}

int TDialogTarnwellCommander::RemoveAllTasks() {
  if (!taskList) return taskChain.count == 0 ? 0 : -1;
  return TaskBoard(hwnd_, *taskList, taskChain).RemoveAll();
}
