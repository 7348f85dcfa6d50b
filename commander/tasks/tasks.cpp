#include "tasks.h"

#include <memory>
#include <new>

#include "command_line.h"
#include "prompts.h"
#include "str_util.h"

namespace {

const char* const kStateTexts[] = {"Active", "Ok", "Error"};

void CloseIf(HANDLE& h) {
  if (h) ::CloseHandle(h);
  h = nullptr;
}

// Starts the copier with `input` and `output` as its standard handles and, through the
// start's handle list, as the only handles it inherits. Should the list not be set up (no
// memory for it), every inheritable handle of the process goes along; the commander's own
// pipe ends are never inheritable then either, and a copier's ends are closed here right
// after its start, so no copier holds another's pipe. Without the list, ends of the
// commander's own that could not be kept back (`ownEndsPrivate` false) would go along, so
// nothing starts.
bool SpawnCopier(char* commandLine, HANDLE input, HANDLE output, bool ownEndsPrivate, PROCESS_INFORMATION& pi) {
  STARTUPINFOEXA si{};
  si.StartupInfo.cb = sizeof si.StartupInfo;
  si.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  si.StartupInfo.hStdInput = input;
  si.StartupInfo.hStdOutput = output;
  si.StartupInfo.hStdError = output;
  DWORD flags = DETACHED_PROCESS;

  HANDLE inherit[2] = {input, output};
  SIZE_T size = 0;
  ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  const std::unique_ptr<BYTE[]> storage(size ? new (std::nothrow) BYTE[size] : nullptr);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage.get());
  bool initialised = attributes && ::InitializeProcThreadAttributeList(attributes, 1, 0, &size);
  if (initialised && ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherit,
                                                 sizeof inherit, nullptr, nullptr)) {
    si.StartupInfo.cb = sizeof si;
    si.lpAttributeList = attributes;
    flags |= EXTENDED_STARTUPINFO_PRESENT;
  }

  const bool ok =
      (si.lpAttributeList || ownEndsPrivate) && ::CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE, flags,
                                                                 nullptr, nullptr, &si.StartupInfo, &pi) != 0;
  if (initialised) ::DeleteProcThreadAttributeList(attributes);
  return ok;
}

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
  // Every end inheritable, as the copier needs its two; the commander's own two are made
  // non-inheritable at once. An inherited writing end of its input would keep the copier
  // from ever seeing end of file; an inherited reading end of another task's output would
  // be harmless but is no business of the copier.
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE outRead = nullptr, outWrite = nullptr, inRead = nullptr, inWrite = nullptr;
  bool piped = ::CreatePipe(&outRead, &outWrite, &sa, kOutputPipeSize) && ::CreatePipe(&inRead, &inWrite, &sa, 0);
  const bool ownEndsPrivate = piped && ::SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0) &&
                              ::SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

  PROCESS_INFORMATION pi{};
  const bool started = piped && SpawnCopier(commandLine, inRead, outWrite, ownEndsPrivate, pi);
  // The copier holds its own ends now: its input is at end of file at once, and the output
  // pipe breaks once every writer has gone.
  CloseIf(inWrite);
  CloseIf(outWrite);
  CloseIf(inRead);
  if (!started) {
    CloseIf(outRead);
    ShowSpawnError(owner_);
    return -1;
  }

  ::CloseHandle(pi.hThread);
  // Not a communications device: the call fails on a pipe, and the result does not matter.
  COMMTIMEOUTS timeouts{1, 0, 0, 0, 0};
  ::SetCommTimeouts(outRead, &timeouts);

  TarngetTaskItem* task = new (std::nothrow) TarngetTaskItem;
  if (task) {
    task->commandLine = std::move(owned);
    task->process = pi.hProcess;
    task->outputPipe = outRead;
  }
  // A copier without its record, or without its row, could never be seen or ended (and
  // the rows must match the records by position): it must not run on unseen.
  if (!task || !tasks_.append(task) || !AddRow()) {
    ::TerminateProcess(pi.hProcess, 255);
    if (task) {
      tasks_.remove(task);  // nothing to unlink when the append itself failed
      delete task;          // closes both handles and frees the command line
    } else {
      ::CloseHandle(pi.hProcess);
      ::CloseHandle(outRead);
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

void TaskBoard::PollTasks() {
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
    }
  }
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
