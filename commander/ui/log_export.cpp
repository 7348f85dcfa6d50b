// The message window's log on the clipboard and in a file, by key and by context menu.
#include "log_export.h"

#include <cstring>
#include <memory>

#include "combo_support.h"
#include "command_ids.h"
#include "log_text.h"
#include "message_window.h"
#include "popup_menu.h"
#include "clipboard_text.h"
#include "prompts.h"
#include "str_util.h"

const TKeyCommand kLogKeys[] = {
    {'C', true, kCmCopyLog},
    {'S', true, kCmSaveLog},
    {},
};

const char kLogFilter[] = "Log files (*.log)|*.log|All files (*.*)|*.*|";

namespace {

const TMenuItem kLogMenu[] = {
    {kCmCopyLog, "&Copy all"},
    {kCmSaveLog, "&Save as..."},
    {0, nullptr},
};

// The folder part of `path` with its last separator ("." when there is none) into `folder`,
// MAX_PATH bytes. False when it does not fit.
bool FolderOf(const char* path, char (&folder)[MAX_PATH]) {
  std::size_t end = 0;
  for (std::size_t i = 0; path[i]; ++i) {
    if (::IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1]) {
      ++i;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/') end = i + 1;
  }
  if (end == 0) {
    copy_n(folder, ".", sizeof folder - 1);
    return true;
  }
  if (end >= sizeof folder) return false;
  copy_n(folder, path, end);
  return true;
}

bool WriteAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD piece = size > 0x10000 ? 0x10000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!::WriteFile(file, data, piece, &written, nullptr) || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool WriteFileReplacing(const char* path, const char* data, std::size_t size) {
  char folder[MAX_PATH];
  char temporary[MAX_PATH];
  if (!FolderOf(path, folder) || !::GetTempFileNameA(folder, "tgl", 0, temporary)) return false;
  HANDLE file = ::CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  if (ok) {
    ok = WriteAll(file, data, size) && ::FlushFileBuffers(file);
    ok = ::CloseHandle(file) && ok;
  }
  ok = ok && ::MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) ::DeleteFileA(temporary);
  return ok;
}

void TarngetMessageDialog::CmCopyAll() {
  // What the window shows now, and not as of its last tick.
  Refresh();
  std::unique_ptr<char[]> text(ComposeLogText(currentTask_->output, progressRow_ != 0));
  if (text) PutClipboardText(hwnd_, text.get());
}

void TarngetMessageDialog::CmSaveAs() {
  char path[MAX_PATH];
  LogFileName(currentTask_->commandLine.get(), path, sizeof path);
  std::unique_ptr<char[]> filter(platform_filter(kLogFilter));
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd_;
  ofn.lpstrFilter = filter.get();
  ofn.lpstrFile = path;
  ofn.nMaxFile = sizeof path;
  ofn.lpstrDefExt = "log";
  // The commander finds the editor by its bare name in its own folder: the dialog must not
  // leave another folder current.
  ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!ShowSaveFileDialog(&ofn)) return;

  Refresh();
  std::unique_ptr<char[]> text(ComposeLogText(currentTask_->output, progressRow_ != 0));
  if (text && WriteFileReplacing(path, text.get(), std::strlen(text.get()))) return;
  std::unique_ptr<char[]> message(format_alloc("Write file \"%s\" error", path));
  ShowError(hwnd_, message ? message.get() : "Write file error");
}

void TarngetMessageDialog::EvContextMenu(Message& m) {
  const RECT anchor{0, 0, 0, 0};
  const int command =
      ChooseFromMenu(hwnd_, kLogMenu, ContextMenuPoint(m.lParam, list.Handle(), anchor), [](int) { return true; });
  if (command) Send(WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
