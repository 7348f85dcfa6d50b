#include "property_sheet.h"
#include <commctrl.h>

TPropertyPage::TPropertyPage(int resourceId) : TDialog(nullptr, resourceId) {}

// This page's derived part is gone, the others may still be whole: this page stops
// answering, then the sheet goes with every page window it holds.
TPropertyPage::~TPropertyPage() {
  if (!IsWindow()) return;
  HWND sheet = Parent();
  Unbind();
  if (sheet) ::DestroyWindow(sheet);
}

HPROPSHEETPAGE TPropertyPage::CreatePage() {
  PROPSHEETPAGEA psp{};
  psp.dwSize = sizeof psp;
  psp.dwFlags = PSP_DEFAULT;  // the tab caption comes from the dialog resource
  psp.hInstance = ::GetModuleHandleA(nullptr);
  psp.pszTemplate = MAKEINTRESOURCEA(ResourceId());
  psp.pfnDlgProc = PageProc;
  psp.lParam = reinterpret_cast<LPARAM>(this);
  return ::CreatePropertySheetPageA(&psp);
}

bool TPropertyPage::Respond(Message& m) {
  if (m.msg == WM_NOTIFY && m.Notify()->code == static_cast<UINT>(PSN_APPLY)) {
    m.result = Apply();
    return true;
  }
  return false;
}

// A page's WM_INITDIALOG carries the sheet's copy of the PROPSHEETPAGE, whose lParam
// holds the page object.
INT_PTR CALLBACK TPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_INITDIALOG) reinterpret_cast<TPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(l)->lParam)->Bind(hwnd);
  return Route(hwnd, msg, w, l);
}

TPropertySheet::TPropertySheet(HWND parent, const char* caption) : parent_(parent), caption_(caption) {}

TPropertySheet::~TPropertySheet() { Destroy(); }

void TPropertySheet::Destroy() {
  if (hwnd_ && ::IsWindow(hwnd_)) ::DestroyWindow(hwnd_);
  hwnd_ = nullptr;
}

bool TPropertySheet::Build(PROPSHEETHEADERA& header, DWORD flags) {
  handles_.clear();
  for (TPropertyPage* p : pages_) {
    HPROPSHEETPAGE h = p->CreatePage();
    if (!h) {
      for (HPROPSHEETPAGE made : handles_) ::DestroyPropertySheetPage(made);
      handles_.clear();
      return false;
    }
    handles_.push_back(h);
  }
  header = PROPSHEETHEADERA{};
  header.dwSize = sizeof header;
  header.dwFlags = flags;
  header.hwndParent = parent_;
  header.hInstance = ::GetModuleHandleA(nullptr);
  header.pszCaption = caption_;
  header.nPages = static_cast<UINT>(handles_.size());
  header.nStartPage = 0;
  header.phpage = handles_.data();
  return true;
}

INT_PTR TPropertySheet::Execute() {
  PROPSHEETHEADERA header;
  if (!Build(header, 0)) return -1;
  return ::PropertySheetA(&header);
}

HWND TPropertySheet::Create() {
  PROPSHEETHEADERA header;
  if (!Build(header, PSH_MODELESS)) return nullptr;
  hwnd_ = reinterpret_cast<HWND>(::PropertySheetA(&header));
  return hwnd_;
}
