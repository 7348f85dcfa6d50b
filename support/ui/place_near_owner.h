// Placing a secondary window (an About box, the task message window) near its owner.
#pragma once
#include <windows.h>

// Top-left corner for a window of rectangle `window`: the owner's width divided by
// `widthPart` and its height divided by `heightPart` in from the owner's top-left corner,
// pulled back so that the window's right and bottom edges stay on the desktop. No lower
// bound. The commander's windows open a tenth and an eighth in, the editor's About box a
// fifth and a quarter.
POINT near_owner_position(const RECT& desktop, const RECT& window, const RECT& owner, int widthPart = 10,
                          int heightPart = 8);
// Moves `window` there without resizing, reordering or activating it.
void PlaceNearOwner(HWND window, HWND owner, int widthPart = 10, int heightPart = 8);
