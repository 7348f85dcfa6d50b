#include "window.h"

std::unique_ptr<char[]> TWindow::DupText() const {
  // The length may be an overestimate (ANSI/DBCS conversions); the copy is cut at what
  // GetWindowText actually wrote.
  int len = GetTextLength();
  if (len < 0) len = 0;
  std::unique_ptr<char[]> text(new char[len + 1]);
  int got = GetText(text.get(), len + 1);
  text[got >= 0 && got <= len ? got : 0] = '\0';
  return text;
}

bool TWindow::GetRestoredRect(RECT& r) const {
  if (!::IsIconic(hwnd_)) return GetWindowRect(r);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!::GetWindowPlacement(hwnd_, &placement)) return false;
  // The placement is in work-area coordinates: they start after a taskbar at the top or
  // the left of the screen.
  RECT work{};
  if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) work = RECT{};
  r = placement.rcNormalPosition;
  ::OffsetRect(&r, work.left, work.top);
  return true;
}
