// Placing a secondary window (the About box, the task message window) near its owner.
#pragma once
#include <windows.h>

// Top-left corner for a window of rectangle `window`: a tenth of the owner's width and an
// eighth of its height from the owner's top-left corner, pulled back so that the window's
// right and bottom edges stay on the desktop. No lower bound.
POINT NearOwnerPosition(const RECT& desktop, const RECT& window, const RECT& owner);
// Moves `window` there without resizing, reordering or activating it.
void PlaceNearOwner(HWND window, HWND owner);
