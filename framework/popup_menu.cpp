#include "popup_menu.h"

#include <windowsx.h>

#include "prompts.h"

POINT ContextMenuPoint(LPARAM lParam, HWND control, const RECT& anchor) {
  if (lParam != -1) return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  POINT at{anchor.left, anchor.bottom};
  ::ClientToScreen(control, &at);
  return at;
}

int ChooseFromMenu(HWND owner, const TMenuItem* items, POINT at, const std::function<bool(int command)>& enabled) {
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return 0;
  for (; items->text; ++items) {
    const UINT grey = enabled(items->command) ? MF_ENABLED : MF_GRAYED;
    ::AppendMenuA(menu, MF_STRING | grey, static_cast<UINT_PTR>(items->command), items->text);
  }
  const int command = ShowPopupMenu(menu, at.x, at.y, owner);
  ::DestroyMenu(menu);
  return command;
}
