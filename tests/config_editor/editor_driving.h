// Driving the configuration editor's main window in the reliability tests: a Personal or
// Global edit through the real modal sheet.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Clicks "&Personal Config" (HKEY_CURRENT_USER) or "&Global Config" on `main`. Inside
// the modal sheet every page is shown once, from the last to the first, `onCommonPage`
// runs on the Common page, and OK closes the sheet. False when no sheet opened.
bool EditThroughSheet(HWND main, HKEY root, const std::function<void(HWND commonPage)>& onCommonPage = nullptr);
