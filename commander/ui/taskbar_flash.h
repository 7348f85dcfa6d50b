// A sign on the taskbar that a task has ended while the user was elsewhere.
#pragma once
#include <windows.h>

// Whether the user is looking at `window`: the foreground window is it, or a window it owns
// (the message window, a message box).
bool IsLookedAt(HWND window);

// Flashes `window`'s taskbar button until it comes to the foreground, unless it is looked at
// now. Whether it flashes.
bool FlashIfInBackground(HWND window);
