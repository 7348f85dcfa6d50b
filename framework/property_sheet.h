// TPropertySheet and TPropertyPage: a tabbed sheet of pages built from dialog resources.
// The platform creates a page the first time it is shown, so only created pages see the
// apply notification; a page's Apply decides, the base class answers the sheet.
// A page never ends itself: OK and Cancel belong to the sheet, so a page answers none of
// the dialog's ending rows. The sheet's window goes before its pages: a derived sheet that
// holds its pages calls Destroy() in its destructor, and a page object that goes while its
// sheet is still open takes the sheet down first.
#pragma once
#include <vector>
#include "dialog.h"
#include <prsht.h>

class TPropertyPage : public TDialog {
public:
  explicit TPropertyPage(int resourceId);
  ~TPropertyPage() override;
  HPROPSHEETPAGE CreatePage();
  bool IsCreated() const { return hwnd_ != nullptr; }

protected:
  // The sheet's apply notification (PSN_APPLY): store the controls, then return the
  // base's result, which accepts.
  virtual LRESULT Apply() { return PSNRET_NOERROR; }
  bool Respond(Message& m) override;

private:
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
};

class TPropertySheet {
public:
  TPropertySheet(HWND parent, const char* caption);
  virtual ~TPropertySheet();
  TPropertySheet(const TPropertySheet&) = delete;
  TPropertySheet& operator=(const TPropertySheet&) = delete;

  void AddPage(TPropertyPage& page) { pages_.push_back(&page); }
  INT_PTR Execute();  // modal
  HWND Create();      // modeless, for tests; the caller pumps messages
  void Destroy();     // modeless: destroys the sheet's window and with it the pages' windows
  HWND Handle() const { return hwnd_; }  // modeless only; a page finds a modal sheet as its parent

private:
  bool Build(PROPSHEETHEADERA& header, DWORD flags);

  HWND parent_;
  const char* caption_;
  HWND hwnd_ = nullptr;
  std::vector<TPropertyPage*> pages_;
  std::vector<HPROPSHEETPAGE> handles_;
};
