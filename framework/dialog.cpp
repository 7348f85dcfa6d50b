#include "dialog.h"

const TResponse<TDialog> TDialog::responses[] = {
    {WM_COMMAND, IDOK, BN_CLICKED, &TDialog::CmOk},
    {WM_COMMAND, IDCANCEL, BN_CLICKED, &TDialog::CmCancel},
    {WM_DPICHANGED, 0, 0, &TDialog::EvDpiChanged},
    {},
};

TDialog::TDialog(HWND parent, int resourceId) : parent_(parent), resourceId_(resourceId) {}

TDialog::~TDialog() {
  if (!modal_ && IsWindow()) ::DestroyWindow(hwnd_);
}

INT_PTR TDialog::Execute() {
  modal_ = true;
  result_ = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), parent_, DialogProc,
                              reinterpret_cast<LPARAM>(this));
  return result_;
}

HWND TDialog::Create() {
  modal_ = false;
  return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId_), parent_, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

void TDialog::CloseWindow(INT_PTR result) {
  result_ = result;
  if (modal_) ::EndDialog(hwnd_, result);
  else ::DestroyWindow(hwnd_);
}

void TDialog::Bind(HWND hwnd) {
  hwnd_ = hwnd;
  ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

void TDialog::SetupWindow() {
  for (TControl* c : children_) {
    c->Attach(::GetDlgItem(hwnd_, c->Id()));
    c->SetupWindow();
  }
}

bool TDialog::Respond(TMessage& m) { return RespondFrom(this, responses, m); }

TControl* TDialog::ChildById(int id) const {
  for (TControl* c : children_)
    if (c->Id() == id) return c;
  return nullptr;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_INITDIALOG) reinterpret_cast<TDialog*>(l)->Bind(hwnd);
  auto* self = reinterpret_cast<TDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  return self ? self->Dispatch(msg, w, l) : FALSE;
}

INT_PTR TDialog::Dispatch(UINT msg, WPARAM w, LPARAM l) {
  switch (msg) {
    case WM_INITDIALOG:
      SetupWindow();
      return TRUE;  // let the platform give the focus to the first control
    case WM_DESTROY:
      CleanupWindow();
      break;
    case WM_NCDESTROY:
      ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
      hwnd_ = nullptr;
      return FALSE;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (TControl* c = ChildById(static_cast<int>(dis->CtlID))) {
        c->DrawItem(*dis);
        return TRUE;
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (TControl* c = ChildById(static_cast<int>(mis->CtlID))) {
        c->MeasureItem(*mis);
        return TRUE;
      }
      break;
    }
  }
  TMessage m{msg, w, l};
  if (!Respond(m)) return FALSE;
  if (hwnd_) ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, m.result);
  return TRUE;
}
