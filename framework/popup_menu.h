// Context menus as data: a table of items shown as a pop-up menu through the prompts' seam,
// each item greyed or not by the caller's rule.
#pragma once
#include <windows.h>
#include <functional>

struct TMenuItem {
  int command;
  const char* text;  // null ends the table
};

// Where a context menu opens for WM_CONTEXTMENU's `lParam` over `control`: the pointer's
// screen point, or for a key (lParam -1) the bottom-left corner of `anchor` in the
// control's client coordinates.
POINT ContextMenuPoint(LPARAM lParam, HWND control, const RECT& anchor);

// Shows `items` at `at`, greying each item for which `enabled` gives false, and returns
// the chosen item's command: 0 when the menu was dismissed or could not be built.
int ChooseFromMenu(HWND owner, const TMenuItem* items, POINT at, const std::function<bool(int command)>& enabled);
