// TControl: a control object bound to a control id of its dialog. The dialog attaches it
// to the template's control during its own setup, before the derived dialog's setup runs.
#pragma once
#include "message.h"
#include "window.h"

class TDialog;

class TControl : public TWindow {
public:
  // Bound to control `id` of `parent`; parent may be null for a control made at run time.
  TControl(TDialog* parent, int id);
  // A control object may go before its window: the window then stops calling it.
  ~TControl() override;
  int Id() const { return id_; }

  // Called by the dialog once the control window exists.
  virtual void SetupWindow() {}
  // Owner drawing, forwarded by the dialog from WM_DRAWITEM / WM_MEASUREITEM.
  virtual void DrawItem(DRAWITEMSTRUCT&) {}
  virtual void MeasureItem(MEASUREITEMSTRUCT&) {}
  // A notification this control sent its dialog (WM_COMMAND or WM_NOTIFY), offered here
  // before the dialog's table. True handles it, with any answer in m.result; false
  // declines, and the dialog's table sees it as if the control had no say.
  virtual bool HandleNotification(Message&) { return false; }

protected:
  // Routes the control window's own messages to WindowProc (a subclass over the
  // platform's class). Returning false passes the message on to the control's class.
  bool Subclass();
  virtual bool WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

private:
  static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  int id_;
};
