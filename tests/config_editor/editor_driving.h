// Driving the configuration editor's main window in the reliability tests: the program's
// state as at start, and a Personal or Global edit through the real modal sheet.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Rebuilds the editing record and the editor's own settings as at program start.
void ResetEditorState();

// Clicks "&Personal Config" (HKEY_CURRENT_USER) or "&Global Config" on `main`. Inside
// the modal sheet every page is shown once, from the last to the first, `onCommonPage`
// runs on the Common page, and OK closes the sheet. False when no sheet opened.
bool EditThroughSheet(HWND main, HKEY root, const std::function<void(HWND commonPage)>& onCommonPage = nullptr);
