// Message: one window message as a handler sees it, and the result it hands back.
#pragma once
#include <windows.h>

struct Message {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  LRESULT result = 0;

  int Id() const { return LOWORD(wParam); }         // WM_COMMAND: the control id
  int Code() const { return HIWORD(wParam); }       // WM_COMMAND: the notification
  HWND Control() const { return reinterpret_cast<HWND>(lParam); }  // WM_COMMAND: the control window
  NMHDR* Notify() const { return reinterpret_cast<NMHDR*>(lParam); }  // WM_NOTIFY
};
