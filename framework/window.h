// TWindow: a non-owning holder of a window handle with one-line wrappers over the
// messages every window answers. Controls and dialogs derive from it.
#pragma once
#include <windows.h>
#include <memory>

class TWindow {
public:
  TWindow() = default;
  explicit TWindow(HWND hwnd) : hwnd_(hwnd) {}
  virtual ~TWindow() = default;

  void Attach(HWND hwnd) { hwnd_ = hwnd; }
  HWND Handle() const { return hwnd_; }
  bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }

  LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::SendMessageA(hwnd_, msg, w, l); }
  bool Post(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return ::PostMessageA(hwnd_, msg, w, l) != 0; }

  int GetTextLength() const { return ::GetWindowTextLengthA(hwnd_); }
  int GetText(char* buf, int size) const { return ::GetWindowTextA(hwnd_, buf, size); }
  bool SetText(const char* text) const { return ::SetWindowTextA(hwnd_, text) != 0; }
  // The whole text, never cut short.
  std::unique_ptr<char[]> DupText() const;

  bool Enable(bool on) const { return ::EnableWindow(hwnd_, on) != 0; }
  bool IsEnabled() const { return ::IsWindowEnabled(hwnd_) != 0; }
  bool Show(int cmd) const { return ::ShowWindow(hwnd_, cmd) != 0; }
  bool IsVisible() const { return ::IsWindowVisible(hwnd_) != 0; }
  HWND SetFocus() const { return ::SetFocus(hwnd_); }
  HWND Parent() const { return ::GetParent(hwnd_); }
  bool GetWindowRect(RECT& r) const { return ::GetWindowRect(hwnd_, &r) != 0; }
  // Where the window stands when it is not minimized: a minimized window's own rectangle
  // lies far off the screen, and is no place to come back to.
  bool GetRestoredRect(RECT& r) const;
  bool GetClientRect(RECT& r) const { return ::GetClientRect(hwnd_, &r) != 0; }
  // Moves without resizing, reordering or activating.
  bool MoveTo(int x, int y) const {
    return ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
  }
  bool SetPos(HWND after, int x, int y, int cx, int cy, UINT flags) const {
    return ::SetWindowPos(hwnd_, after, x, y, cx, cy, flags) != 0;
  }
  bool Invalidate(bool erase = true) const { return ::InvalidateRect(hwnd_, nullptr, erase) != 0; }
  UINT_PTR SetTimer(UINT_PTR id, UINT ms) const { return ::SetTimer(hwnd_, id, ms, nullptr); }
  bool KillTimer(UINT_PTR id) const { return ::KillTimer(hwnd_, id) != 0; }

protected:
  HWND hwnd_ = nullptr;
};
