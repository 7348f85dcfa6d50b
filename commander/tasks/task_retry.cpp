// Starting an ended task again: the same command line, the same record and row, a new
// copier.
#include "tasks.h"

int TaskBoard::RetryTask(int row) {
  TarngetTaskItem* task = tasks_.nth(row);
  // A running copier is never started a second time under one record.
  if (!task || IsTaskRunning(*task)) return -1;
  CopierHandles started;
  if (!StartCopier(task->commandLine.get(), started)) {
    ShowSpawnError(owner_);
    return -1;
  }
  // Whatever the old copier left in its pipe belongs to the old run and goes with it.
  ::CloseHandle(task->process);
  ::CloseHandle(task->outputPipe);
  task->process = started.process;
  task->outputPipe = started.outputPipe;
  task->output.Clear();
  task->state = kTaskActive;
  view_.SetItemText(row, 0, StateText(kTaskActive));
  return 0;
}

void TaskBoard::RetrySelected() {
  const int rows = view_.GetItemCount();
  for (int row = 0; row < rows; ++row)
    if (view_.IsSelected(row)) RetryTask(row);
}
