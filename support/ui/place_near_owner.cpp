#include "place_near_owner.h"

POINT near_owner_position(const RECT& desktop, const RECT& window, const RECT& owner, int widthPart, int heightPart) {
  const LONG width = window.right - window.left, height = window.bottom - window.top;
  const LONG desktopWidth = desktop.right - desktop.left, desktopHeight = desktop.bottom - desktop.top;
  POINT p{owner.left + (owner.right - owner.left) / widthPart, owner.top + (owner.bottom - owner.top) / heightPart};
  if (width + p.x > desktopWidth) p.x = desktopWidth - width;
  if (height + p.y > desktopHeight) p.y = desktopHeight - height;
  return p;
}

void PlaceNearOwner(HWND window, HWND owner, int widthPart, int heightPart) {
  RECT desktop, self, parent;
  if (!::GetWindowRect(::GetDesktopWindow(), &desktop) || !::GetWindowRect(window, &self) ||
      !::GetWindowRect(owner, &parent))
    return;
  POINT p = near_owner_position(desktop, self, parent, widthPart, heightPart);
  ::SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
