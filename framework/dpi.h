// The DPI a window is drawn at, and pixel sizes and pictures made to follow it. Dialogs
// grow with their font by themselves; whatever a program draws or places in pixels is
// scaled here from its size at 96 DPI.
#pragma once
#include <windows.h>

const UINT kBaseDpi = 96;

// The window's own DPI where the system knows one per window, else that of its screen.
UINT WindowDpi(HWND window);

// A length of `pixels` at 96 DPI, at `dpi`.
int ScaleToDpi(int pixels, UINT dpi);

// Bitmap resource `id` stretched to `dpi` (a monochrome one stays monochrome), or null
// when it cannot be loaded. The caller owns the result.
HBITMAP LoadScaledBitmap(HINSTANCE module, int id, UINT dpi);

// A top-level window's answer to WM_DPICHANGED: it takes the rectangle the system
// suggests for the new DPI, which keeps it on the screen that caused the change.
void TakeSuggestedRect(HWND window, LPARAM suggested);

// A picture control's bitmap resource, shown at a window's DPI. It owns whatever bitmap
// the control shows once it has been shown: the one the control loaded itself has no
// other owner, and its own earlier ones are replaced.
class ScaledPicture {
public:
  explicit ScaledPicture(int resourceId) : resourceId_(resourceId) {}
  ~ScaledPicture();
  ScaledPicture(const ScaledPicture&) = delete;
  ScaledPicture& operator=(const ScaledPicture&) = delete;

  // Leaves the control as it is when the picture cannot be made.
  void ShowIn(HWND control, UINT dpi);

private:
  int resourceId_;
  HBITMAP shown_ = nullptr;
};
