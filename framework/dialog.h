// TDialog: a window built from a dialog resource, run modally (Execute) or, for tests and
// embedding, modeless (Create). It attaches its control objects before the derived setup
// runs, offers each control's notifications to that control's object first, dispatches
// the rest through the class's response table, and speaks the
// dialog-procedure protocol itself: handlers only decide, and put any result in
// Message::result, which goes to DWLP_MSGRESULT.
#pragma once
#include <vector>
#include "allocation.h"
#include "controls.h"
#include "dpi.h"
#include "response_table.h"

class TDialog : public TWindow {
public:
  // `parent` may be null (a top-level window).
  TDialog(HWND parent, int resourceId);
  ~TDialog() override;
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  INT_PTR Execute();           // modal; returns the result given to CloseWindow
  HWND Create();               // modeless; null on failure
  void Destroy();              // modeless: destroys the window now, with the derived clean-up
  void CloseWindow(INT_PTR result);
  INT_PTR Result() const { return result_; }
  HWND ParentHandle() const { return parent_; }
  int ResourceId() const { return resourceId_; }

  void AddChild(TControl* control) { children_.push_back(control); }

protected:
  virtual void SetupWindow();    // WM_INITDIALOG: attaches and sets up the controls
  virtual void CleanupWindow() {}  // WM_DESTROY
  virtual bool Respond(Message& m);
  void CmOk() { CloseWindow(IDOK); }
  void CmCancel() { CloseWindow(IDCANCEL); }
  // Only top-level windows are told; pictures drawn at the old DPI are the class's own.
  void EvDpiChanged(Message& m) { TakeSuggestedRect(hwnd_, m.lParam); }

  // The one procedure for every dialog: finds the object and dispatches.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
  // Shared by the dialog procedures once the object is known.
  INT_PTR Dispatch(UINT msg, WPARAM w, LPARAM l);
  // Called at WM_INITDIALOG by whichever procedure found the object.
  void Bind(HWND hwnd);
  // Stops the window's messages reaching this object; the window itself stays.
  void Unbind();
  // Finds the object bound to `hwnd` and dispatches, catching a failed allocation.
  static INT_PTR Route(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

private:
  TControl* ChildById(int id) const;
  // The control object a WM_COMMAND or WM_NOTIFY came from, or null (menus, accelerators,
  // windows without an object).
  TControl* SourceOf(const Message& m) const;
  INT_PTR Answer(UINT msg, LRESULT result);
  static const Response<TDialog> responses[];

  HWND parent_;
  int resourceId_;
  bool modal_ = false;
  INT_PTR result_ = 0;
  std::vector<TControl*> children_;
};
