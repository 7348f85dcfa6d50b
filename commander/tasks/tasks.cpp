#include "tasks.h"

#include <memory>
#include <new>

#include "command_line.h"
#include "copier_process.h"
#include "prompts.h"
#include "str_util.h"

namespace {

const char* const kStateTexts[] = {"Active", "Ok", "Error"};

// Reads `want` bytes (at most one chunk) that are known to wait in the task's pipe and
// stores the lines they complete. The commander is the pipe's only reader, so bytes once
// seen waiting stay there and the read cannot block. Returns the bytes taken.
std::size_t TakeOutput(TarngetTaskItem& task, std::size_t want) {
  // One user-interface thread and no reentry between the read and the store: one buffer
  // serves every task, and a large chunk keeps the calls per tick few.
  static char chunk[kReadChunkSize];
  if (want > sizeof chunk) want = sizeof chunk;
  DWORD got = 0;
  if (want == 0 || !::ReadFile(task.outputPipe, chunk, static_cast<DWORD>(want), &got, nullptr)) return 0;
  task.output.Take(chunk, got);
  return got;
}

}  // namespace

const char* StateText(std::int32_t state) { return kStateTexts[state]; }

void ShowSpawnError(HWND owner) {
  const std::unique_ptr<char[]> text(format_alloc("Spawn %s error", kCopierProgram));
  ShowError(owner, text ? text.get() : "Spawn error");
}

std::size_t WaitingOutput(const TarngetTaskItem& task) {
  DWORD waiting = 0;
  if (!::PeekNamedPipe(task.outputPipe, nullptr, 0, nullptr, &waiting, nullptr)) return 0;
  return waiting;
}

std::size_t ReadTaskOutput(TarngetTaskItem& task, std::size_t most) {
  const std::size_t waiting = WaitingOutput(task);
  return TakeOutput(task, waiting < most ? waiting : most);
}

int TaskBoard::StartTask(char* commandLine) {
  std::unique_ptr<char[]> owned(commandLine);
  CopierHandles started;
  if (!StartCopier(owned.get(), started)) {
    ShowSpawnError(owner_);
    return -1;
  }
  TarngetTaskItem* task = new (std::nothrow) TarngetTaskItem;
  if (task) {
    task->commandLine = std::move(owned);
    task->process = started.process;
    task->outputPipe = started.outputPipe;
  }
  // A copier without its record, or without its row, could never be seen or ended (and
  // the rows must match the records by position): it must not run on unseen.
  if (!task || !tasks_.append(task) || !AddRow()) {
    ::TerminateProcess(started.process, 255);
    if (task) {
      tasks_.remove(task);  // nothing to unlink when the append itself failed
      delete task;          // closes both handles and frees the command line
    } else {
      ::CloseHandle(started.process);
      ::CloseHandle(started.outputPipe);
    }
    ShowSpawnError(owner_);
    return -1;
  }
  return 0;
}

bool TaskBoard::AddRow() {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = view_.GetItemCount();
  item.pszText = const_cast<char*>(kStateTexts[kTaskActive]);
  const int row = view_.InsertItem(item);
  if (row < 0) return false;
  // The command line stays in the record; the list view asks for it when it draws.
  view_.SetItemText(row, 1, LPSTR_TEXTCALLBACKA);
  return true;
}

int TaskBoard::PollTasks() {
  int ended = 0;
  DrainInTurn();
  int row = 0;
  // Walks the nodes, not the chain's cursor: the message window steps through the chain
  // with the cursor, and this tick may run between its steps.
  for (chnode<TarngetTaskItem>* node = tasks_.head; node; node = node->next, ++row) {
    TarngetTaskItem& task = *node->item;
    if (task.state == kTaskActive && !IsTaskRunning(task)) {
      DWORD code = 1;
      ::GetExitCodeProcess(task.process, &code);
      task.state = code == 0 ? kTaskOk : kTaskError;
      view_.SetItemText(row, 0, kStateTexts[task.state]);
      ++ended;
    }
  }
  return ended;
}

// A round gives every task one turn; the round's state lives in the records, so tasks
// added or removed between ticks neither lose nor repeat a turn.
void TaskBoard::DrainInTurn() {
  const DWORD start = ::GetTickCount();
  bool roundOver = true;
  for (chnode<TarngetTaskItem>* node = tasks_.head; node && roundOver; node = node->next)
    roundOver = node->item->drainedThisRound;
  if (roundOver)
    for (chnode<TarngetTaskItem>* node = tasks_.head; node; node = node->next) node->item->drainedThisRound = false;

  for (chnode<TarngetTaskItem>* node = tasks_.head; node; node = node->next) {
    TarngetTaskItem& task = *node->item;
    if (task.drainedThisRound) continue;
    std::size_t due = WaitingOutput(task);
    if (due > kDrainBytesPerTask) due = kDrainBytesPerTask;
    while (due > 0) {
      // Time is up: this task goes on first next tick.
      if (::GetTickCount() - start >= kDrainTimePerTickMs) return;
      const std::size_t got = TakeOutput(task, due);
      if (got == 0) break;
      due -= got;
    }
    task.drainedThisRound = true;
  }
}

int TaskBoard::RemoveTask(int row) {
  TarngetTaskItem* task = tasks_.nth(row);
  if (!task) return -1;
  if (IsTaskRunning(*task)) {
    if (ShowMessageBox(owner_, "Are you sure?", "Kill Active Task", MB_OKCANCEL) != IDOK) return -1;
    // The copier may have ended on its own while the question was open; ending an ended
    // process fails, and that is no reason to keep its task.
    if (!::TerminateProcess(task->process, 255) && IsTaskRunning(*task)) {
      ShowError(owner_, "Kill process error");
      return -1;
    }
  }
  // Rows and records match by position: a row that stays keeps its record (the copier,
  // if ended, shows so at the next tick).
  if (!view_.DeleteItem(row)) return -1;
  chain_traits<TarngetTaskItem>::destroy(tasks_.remove(task));
  return 0;
}

void TaskBoard::KillSelected() {
  if (view_.GetSelectedCount() == 0) return;
  for (int row = view_.GetItemCount() - 1; row >= 0; --row)
    if (view_.IsSelected(row)) RemoveTask(row);
}

void TaskBoard::ClearFinished() {
  const int count = tasks_.count;
  const std::unique_ptr<TarngetTaskItem*[]> snapshot(tasks_.to_array());
  if (!snapshot) return;
  for (int i = count - 1; i >= 0; --i)
    if (!IsTaskRunning(*snapshot[i])) RemoveTask(i);
}

int TaskBoard::RemoveAll() {
  for (int row = view_.GetItemCount() - 1; row >= 0; --row)
    if (RemoveTask(row) != 0) return -1;
  return 0;
}

void TaskBoard::DisplayText(NMLVDISPINFOA& request) const {
  if (request.item.iSubItem != 1 || !(request.item.mask & LVIF_TEXT)) return;
  // By position, not by the chain's cursor: this request may arrive in the middle of any walk.
  const TarngetTaskItem* task = tasks_.nth(request.item.iItem);
  if (!task || !task->commandLine) return;
  request.item.pszText = find_char(task->commandLine.get(), ' ');
  if (*request.item.pszText == ' ') ++request.item.pszText;
}
