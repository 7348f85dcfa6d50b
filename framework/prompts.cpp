#include "prompts.h"

namespace {
int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(owner, text, caption, type);
}
// The platform's functions are stdcall on 32-bit Windows; the hooks are plain functions.
BOOL PlatformOpenFile(OPENFILENAMEA* ofn) { return ::GetOpenFileNameA(ofn); }
PIDLIST_ABSOLUTE PlatformBrowseFolder(BROWSEINFOA* bi) { return ::SHBrowseForFolderA(bi); }
BOOL PlatformSaveFile(OPENFILENAMEA* ofn) { return ::GetSaveFileNameA(ofn); }
// The choice comes back as the result, not as a WM_COMMAND, so the caller acts on it in order.
int PlatformPopupMenu(HMENU menu, int x, int y, HWND owner) {
  return static_cast<int>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x,
                                           y, 0, owner, nullptr));
}
PromptHooks platform{PlatformMessageBox, PlatformOpenFile, PlatformBrowseFolder, PlatformSaveFile,
                      PlatformPopupMenu};
PromptHooks current = platform;
}  // namespace

PromptHooks SetPromptHooks(const PromptHooks& hooks) {
  PromptHooks old = current;
  current.messageBox = hooks.messageBox ? hooks.messageBox : platform.messageBox;
  current.openFile = hooks.openFile ? hooks.openFile : platform.openFile;
  current.browseFolder = hooks.browseFolder ? hooks.browseFolder : platform.browseFolder;
  current.saveFile = hooks.saveFile ? hooks.saveFile : platform.saveFile;
  current.popupMenu = hooks.popupMenu ? hooks.popupMenu : platform.popupMenu;
  return old;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  return current.messageBox(owner, text, caption, type);
}
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn) { return current.openFile(ofn); }
PIDLIST_ABSOLUTE ShowFolderBrowser(BROWSEINFOA* bi) { return current.browseFolder(bi); }
BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn) { return current.saveFile(ofn); }
int ShowPopupMenu(HMENU menu, int x, int y, HWND owner) { return current.popupMenu(menu, x, y, owner); }
