// The one way the programs ask the user something: message boxes, the open- and save-file
// dialogs, the folder browser and pop-up menus. Each goes through a replaceable function, so a test can answer it
// and read what was asked.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

struct PromptHooks {
  int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
  BOOL (*openFile)(OPENFILENAMEA* ofn);
  PIDLIST_ABSOLUTE (*browseFolder)(BROWSEINFOA* bi);
  BOOL (*saveFile)(OPENFILENAMEA* ofn);
  // The command id of the chosen item, 0 when the menu was dismissed.
  int (*popupMenu)(HMENU menu, int x, int y, HWND owner);
};

// Installs new hooks (null members keep the platform's function); returns the previous set.
PromptHooks SetPromptHooks(const PromptHooks& hooks);

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);
BOOL ShowOpenFileDialog(OPENFILENAMEA* ofn);
PIDLIST_ABSOLUTE ShowFolderBrowser(BROWSEINFOA* bi);
BOOL ShowSaveFileDialog(OPENFILENAMEA* ofn);
// Shows `menu` at screen point (x, y) and waits for the choice: the command id, or 0.
int ShowPopupMenu(HMENU menu, int x, int y, HWND owner);

// The programs' three kinds of message, each with a single OK button.
inline int ShowError(HWND owner, const char* text) { return ShowMessageBox(owner, text, "Error", MB_OK | MB_ICONHAND); }
inline int ShowWarning(HWND owner, const char* text) {
  return ShowMessageBox(owner, text, "Warnning", MB_OK | MB_ICONEXCLAMATION);
}
inline int ShowSuccess(HWND owner, const char* text) { return ShowMessageBox(owner, text, "Ok", MB_OK | MB_ICONINFORMATION); }
