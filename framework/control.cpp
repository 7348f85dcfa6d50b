#include "control.h"
#include "allocation.h"
#include "dialog.h"
#include <commctrl.h>

TControl::TControl(TDialog* parent, int id) : id_(id) {
  if (parent) parent->AddChild(this);
}

TControl::~TControl() {
  if (IsWindow()) ::RemoveWindowSubclass(hwnd_, SubclassProc, 1);
}

bool TControl::Subclass() {
  return ::SetWindowSubclass(hwnd_, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this)) != 0;
}

bool TControl::WindowProc(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR self) {
  if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, SubclassProc, 1);
  return CatchAllocationFailure<LRESULT>(0, [&] {
    LRESULT result = 0;
    if (reinterpret_cast<TControl*>(self)->WindowProc(msg, w, l, result)) return result;
    return ::DefSubclassProc(hwnd, msg, w, l);
  });
}
