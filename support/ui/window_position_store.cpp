#include "window_position_store.h"

namespace {
const char kValueName[] = "Window Position";
}

void load_window_position(HKEY key, WindowPosition& position) {
  std::int32_t stored[2];
  DWORD size = sizeof stored;
  if (::RegQueryValueExA(key, kValueName, nullptr, nullptr, reinterpret_cast<BYTE*>(stored), &size) != ERROR_SUCCESS ||
      size != sizeof stored)
    return;
  position.x = stored[0];
  position.y = stored[1];
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  if (stored[0] < 0 || stored[1] < 0 || stored[0] >= desktop.right || stored[1] >= desktop.bottom) position.x = kNotSet;
}

void save_window_position(HKEY key, const RECT& window, WindowPosition& position) {
  if (window.left == position.x && window.top == position.y) return;
  position.x = window.left;
  position.y = window.top;
  const std::int32_t stored[2] = {position.x, position.y};
  ::RegSetValueExA(key, kValueName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(stored), sizeof stored);
}
