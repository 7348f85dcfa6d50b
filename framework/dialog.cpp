#include "dialog.h"

const Response<TDialog> TDialog::responses[] = {
    {WM_COMMAND, IDOK, BN_CLICKED, &TDialog::CmOk},
    {WM_COMMAND, IDCANCEL, BN_CLICKED, &TDialog::CmCancel},
    {WM_DPICHANGED, 0, 0, &TDialog::EvDpiChanged},
    {},
};

TDialog::TDialog(HWND parent, int resourceId) : parent_(parent), resourceId_(resourceId) {}

namespace {

// Messages whose answer is the dialog procedure's return value rather than DWLP_MSGRESULT.
bool AnswersByReturn(UINT msg) {
  switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
  }
  return false;
}

}  // namespace

// The derived parts are gone by now: the window, if still there, must not reach them.
TDialog::~TDialog() {
  HWND left = hwnd_;
  Unbind();
  if (left && ::IsWindow(left)) ::DestroyWindow(left);
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

void TDialog::Destroy() {
  if (!modal_ && IsWindow()) ::DestroyWindow(hwnd_);
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

void TDialog::Unbind() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
  hwnd_ = nullptr;
}

void TDialog::SetupWindow() {
  for (TControl* c : children_) {
    c->Attach(::GetDlgItem(hwnd_, c->Id()));
    c->SetupWindow();
  }
}

bool TDialog::Respond(Message& m) { return RespondFrom(this, responses, m); }

TControl* TDialog::ChildById(int id) const {
  for (TControl* c : children_)
    if (c->Id() == id) return c;
  return nullptr;
}

// Several controls may share an id (the template's unnamed 65535, for one): the window
// handle the message names settles which object it is.
TControl* TDialog::SourceOf(const Message& m) const {
  int id = 0;
  HWND from = nullptr;
  if (m.msg == WM_COMMAND) {
    id = m.Id();
    from = m.Control();
  } else if (m.msg == WM_NOTIFY) {
    id = static_cast<int>(m.Notify()->idFrom);
    from = m.Notify()->hwndFrom;
  }
  if (!from) return nullptr;
  for (TControl* c : children_)
    if (c->Id() == id && c->Handle() == from) return c;
  return nullptr;
}

INT_PTR CALLBACK TDialog::DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_INITDIALOG) reinterpret_cast<TDialog*>(l)->Bind(hwnd);
  return Route(hwnd, msg, w, l);
}

INT_PTR TDialog::Route(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<TDialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
  if (!self) return FALSE;
  return CatchAllocationFailure<INT_PTR>(FALSE, [&] { return self->Dispatch(msg, w, l); });
}

INT_PTR TDialog::Answer(UINT msg, LRESULT result) {
  if (AnswersByReturn(msg)) return static_cast<INT_PTR>(result);
  // The handler may have destroyed the window; then there is nowhere to answer.
  if (hwnd_) ::SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
  return TRUE;
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
      Unbind();
      return FALSE;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (TControl* c = ChildById(static_cast<int>(dis->CtlID))) {
        c->DrawItem(*dis);
        return Answer(msg, TRUE);
      }
      break;
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (TControl* c = ChildById(static_cast<int>(mis->CtlID))) {
        c->MeasureItem(*mis);
        return Answer(msg, TRUE);
      }
      break;
    }
  }
  Message m{msg, w, l};
  if (TControl* c = SourceOf(m)) {
    if (c->HandleNotification(m)) return Answer(msg, m.result);
  }
  if (!Respond(m)) return FALSE;
  return Answer(msg, m.result);
}
