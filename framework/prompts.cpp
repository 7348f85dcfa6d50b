#include "prompts.h"

namespace {
int PlatformMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  return ::MessageBoxA(owner, text, caption, type);
}
// The platform's functions are stdcall on 32-bit Windows; the hooks are plain functions.
BOOL PlatformOpenFile(OPENFILENAMEA* ofn) { return ::GetOpenFileNameA(ofn); }
PIDLIST_ABSOLUTE PlatformBrowseFolder(BROWSEINFOA* bi) { return ::SHBrowseForFolderA(bi); }
PromptHooks platform{PlatformMessageBox, PlatformOpenFile, PlatformBrowseFolder};
PromptHooks current = platform;
}  // namespace

PromptHooks SetPromptHooks(const PromptHooks& hooks) {
  PromptHooks old = current;
  current.messageBox = hooks.messageBox ? hooks.messageBox : platform.messageBox;
  current.openFile = hooks.openFile ? hooks.openFile : platform.openFile;
  current.browseFolder = hooks.browseFolder ? hooks.browseFolder : platform.browseFolder;
  return old;
}

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  return current.messageBox(owner, text, caption, type);
}
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn) { return current.openFile(ofn); }
PIDLIST_ABSOLUTE ShowFolderBrowser(BROWSEINFOA* bi) { return current.browseFolder(bi); }
