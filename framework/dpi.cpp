#include "dpi.h"

namespace {

// Present in user32 from Windows 10 1607 only, so it is looked up rather than imported.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

GetDpiForWindowFn DpiForWindowFunction() {
  static const GetDpiForWindowFn function = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return function;
}

}  // namespace

UINT WindowDpi(HWND window) {
  if (GetDpiForWindowFn function = DpiForWindowFunction()) {
    if (const UINT dpi = function(window)) return dpi;
  }
  HDC dc = ::GetDC(window);
  const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 0;
  if (dc) ::ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

int ScaleToDpi(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), kBaseDpi); }

HBITMAP LoadScaledBitmap(HINSTANCE module, int id, UINT dpi) {
  HBITMAP source = ::LoadBitmapA(module, MAKEINTRESOURCEA(id));
  BITMAP info{};
  if (!source || !::GetObjectA(source, sizeof info, &info)) {
    if (source) ::DeleteObject(source);
    return nullptr;
  }
  if (dpi == kBaseDpi) return source;
  const int width = ScaleToDpi(info.bmWidth, dpi), height = ScaleToDpi(info.bmHeight, dpi);
  HDC screen = ::GetDC(nullptr);
  HBITMAP scaled = info.bmBitsPixel == 1 ? ::CreateBitmap(width, height, 1, 1, nullptr)
                                         : ::CreateCompatibleBitmap(screen, width, height);
  HDC from = ::CreateCompatibleDC(screen), to = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
  if (scaled && from && to) {
    HGDIOBJ oldFrom = ::SelectObject(from, source), oldTo = ::SelectObject(to, scaled);
    // Whole pixels only: an image and its mask must keep exactly the same shape.
    ::SetStretchBltMode(to, COLORONCOLOR);
    ::StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
  }
  if (from) ::DeleteDC(from);
  if (to) ::DeleteDC(to);
  ::DeleteObject(source);
  return scaled;
}

void TakeSuggestedRect(HWND window, LPARAM suggested) {
  const RECT* r = reinterpret_cast<const RECT*>(suggested);
  ::SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ScaledPicture::~ScaledPicture() {
  if (shown_) ::DeleteObject(shown_);
}

void ScaledPicture::ShowIn(HWND control, UINT dpi) {
  HBITMAP scaled = LoadScaledBitmap(::GetModuleHandleA(nullptr), resourceId_, dpi);
  if (!scaled) return;
  auto previous = reinterpret_cast<HBITMAP>(
      ::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
  if (previous && previous != scaled) ::DeleteObject(previous);
  shown_ = scaled;
}
