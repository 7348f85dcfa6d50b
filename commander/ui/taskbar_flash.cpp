#include "taskbar_flash.h"

bool IsLookedAt(HWND window) {
  HWND foreground = ::GetForegroundWindow();
  return foreground && (foreground == window || ::GetAncestor(foreground, GA_ROOTOWNER) == window);
}

bool FlashIfInBackground(HWND window) {
  if (IsLookedAt(window)) return false;
  FLASHWINFO flash{};
  flash.cbSize = sizeof flash;
  flash.hwnd = window;
  flash.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
  ::FlashWindowEx(&flash);
  return true;
}
