// Combo-box support: dropped files, the folder browser, the open-file dialog
// and the fixed-choice lists. The drop target lives in drop_target.cpp.
#include "combo_support.h"

#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <memory>
#include <new>

#include "history.h"
#include "prompts.h"
#include "str_util.h"

namespace {

// Puts a picked or dropped path into the combo: forward slashes after the root, edit
// text, committed to the top of the history, focus.
void take_path(const TComboBox& combo, char* path) {
  to_forward_slashes(path);
  combo.SetText(path);
  commit_combo_text(combo, CommitMode::kAdd);
  combo.SetFocus();
}

void free_pidl(PIDLIST_ABSOLUTE pidl) {
  IMalloc* shellMalloc = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
    shellMalloc->Free(pidl);
    shellMalloc->Release();
  } else {
    CoTaskMemFree(pidl);
  }
}

}  // namespace

std::unique_ptr<char[]> platform_filter(const char* filter) {
  if (!filter) return nullptr;
  const std::size_t length = std::strlen(filter);
  std::unique_ptr<char[]> out(new (std::nothrow) char[length + 2]);
  if (!out) return nullptr;
  std::memcpy(out.get(), filter, length);
  out[length] = '\0';
  out[length + 1] = '\0';
  for (std::size_t i = 0; i < length; ++i) {
    if (is_dbcs_pair(out.get() + i)) {
      ++i;
      continue;
    }
    if (out[i] == '|') out[i] = '\0';
  }
  return out;
}

void accept_dropped_file(const TComboBox& combo, HDROP drop) {
  if (!drop) return;
  // Size first: a name of any length is read whole, never past the buffer.
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFFu, nullptr, 0);
  if (count > 0) {
    const UINT length = DragQueryFileA(drop, 0, nullptr, 0);
    if (length > 0 && length < 0xFFFFFFFFu) {
      std::unique_ptr<char[]> name(new (std::nothrow) char[static_cast<std::size_t>(length) + 1]);
      if (name) {
        const UINT got = DragQueryFileA(drop, 0, name.get(), length + 1);
        name[got <= length ? got : length] = '\0';
        if (name[0] != '\0') take_path(combo, name.get());
      }
    }
  }
  DragFinish(drop);
}

void browse_folder(const TComboBox& combo, const char* title) {
  char displayName[MAX_PATH] = "";  // the browser writes the folder's display name here
  BROWSEINFOA bi{};
  bi.hwndOwner = combo.Parent();
  bi.pidlRoot = nullptr;  // the desktop
  bi.pszDisplayName = displayName;
  bi.lpszTitle = title ? title : "Please select a directory";
  bi.ulFlags = BIF_RETURNONLYFSDIRS;
  bi.lpfn = nullptr;
  PIDLIST_ABSOLUTE pidl = ShowFolderBrowser(&bi);
  if (!pidl) return;
  char path[MAX_PATH];
  if (SHGetPathFromIDListA(pidl, path)) {
    path[MAX_PATH - 1] = '\0';
    take_path(combo, path);
  }
  free_pidl(pidl);
}

void browse_file(const TComboBox& combo, const char* filter) {
  const std::unique_ptr<char[]> platformFilter = platform_filter(filter);
  char file[MAX_PATH] = "";
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = combo.Handle();
  ofn.lpstrFilter = platformFilter.get();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrInitialDir = nullptr;
  ofn.lpstrDefExt = nullptr;
  ofn.Flags = OFN_HIDEREADONLY | OFN_NOVALIDATE | OFN_CREATEPROMPT;
  if (ShowOpenFileDialog(&ofn)) {
    file[MAX_PATH - 1] = '\0';
    take_path(combo, file);
  }
}

void fill_choices(const TComboBox& combo, const char* const* texts, int index) {
  int count = 0;
  if (texts) {
    for (; texts[count]; ++count) combo.AddString(texts[count]);
  }
  combo.SetSelIndex(index >= 0 && index < count ? index : 0);
}
