// The main window's task list beyond its buttons: the context menu over the selected rows,
// starting ended tasks again, copying command lines and selecting every row. Menu items and
// keys send the same commands as the buttons they stand for.
#include "main_window.h"

#include <cstring>
#include <memory>
#include <new>

#include "clipboard_text.h"
#include "command_ids.h"
#include "popup_menu.h"
#include "resource.h"
#include "tasks.h"

namespace {

const TMenuItem kTaskMenu[] = {
    {IDC_STATE, "&Messages"},
    {kCmRetry, "&Retry"},
    {kCmCopyCommandLines, "&Copy command line"},
    {IDC_KILL, "&Kill"},
    {IDC_CLEAR, "C&lear finished"},
    {0, nullptr},
};

// What the menu's items need to know of the rows.
struct TaskSelection {
  int selected = 0;
  int selectedEnded = 0;
  int ended = 0;
};

TaskSelection SelectionOf(const TListView& view, const chain<TarngetTaskItem>& tasks) {
  TaskSelection s;
  int row = 0;
  for (const chnode<TarngetTaskItem>* node = tasks.head; node; node = node->next, ++row) {
    const bool ended = !IsTaskRunning(*node->item);
    const bool selected = view.IsSelected(row);
    s.ended += ended;
    s.selected += selected;
    s.selectedEnded += ended && selected;
  }
  return s;
}

bool Applies(const TaskSelection& s, int command) {
  switch (command) {
    case kCmRetry: return s.selectedEnded > 0;
    case IDC_CLEAR: return s.ended > 0;
    default: return s.selected > 0;
  }
}

}  // namespace

void TDialogTarnwellCommander::EvContextMenu(Message& m) {
  if (!taskList || reinterpret_cast<HWND>(m.wParam) != taskList->Handle()) return;
  RECT anchor{0, 0, 0, 0};
  const int first = taskList->FirstSelected();
  if (first >= 0) taskList->GetItemRect(first, anchor);
  const TaskSelection selection = SelectionOf(*taskList, taskChain);
  const int command = ChooseFromMenu(hwnd_, kTaskMenu, ContextMenuPoint(m.lParam, taskList->Handle(), anchor),
                                     [&selection](int c) { return Applies(selection, c); });
  if (command) Send(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TDialogTarnwellCommander::CmRetry() {
  if (taskList) TaskBoard(hwnd_, *taskList, taskChain).RetrySelected();
}

// One command line a line, each ending with CR LF, in row order.
void TDialogTarnwellCommander::CmCopyCommandLines() {
  if (!taskList) return;
  std::size_t size = 1;
  int row = 0;
  for (const chnode<TarngetTaskItem>* node = taskChain.head; node; node = node->next, ++row)
    if (taskList->IsSelected(row) && node->item->commandLine) size += std::strlen(node->item->commandLine.get()) + 2;
  if (size == 1) return;
  std::unique_ptr<char[]> text(new (std::nothrow) char[size]);
  if (!text) return;
  char* end = text.get();
  row = 0;
  for (const chnode<TarngetTaskItem>* node = taskChain.head; node; node = node->next, ++row) {
    if (!taskList->IsSelected(row) || !node->item->commandLine) continue;
    const std::size_t length = std::strlen(node->item->commandLine.get());
    std::memcpy(end, node->item->commandLine.get(), length);
    std::memcpy(end + length, "\r\n", 2);
    end += length + 2;
  }
  *end = '\0';
  PutClipboardText(hwnd_, text.get());
}

void TDialogTarnwellCommander::CmSelectAllTasks() {
  if (taskList) taskList->SelectAll();
}
