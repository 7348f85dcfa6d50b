#include "about_dialog.h"
#include "place_near_owner.h"
#include "resource.h"

DEFINE_RESPONSE_TABLE(AboutDialog, TDialog) = {
    {WM_DPICHANGED, 0, 0, &Self::EvDpiChanged},
    {},
};

AboutDialog::AboutDialog(HWND owner) : TDialog(owner, IDD_ABOUT), picture_(IDB_ABOUT_PICTURE) {}

void AboutDialog::SetupWindow() {
  TDialog::SetupWindow();
  picture_.ShowIn(::GetDlgItem(hwnd_, IDC_ABOUT_PICTURE), WindowDpi(hwnd_));
  PlaceNearOwner(Handle(), ParentHandle());
}

void AboutDialog::EvDpiChanged(Message& m) {
  TDialog::EvDpiChanged(m);
  picture_.ShowIn(::GetDlgItem(hwnd_, IDC_ABOUT_PICTURE), HIWORD(m.wParam));
}
