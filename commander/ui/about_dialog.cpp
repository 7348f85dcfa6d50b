#include "about_dialog.h"
#include "place_near_owner.h"
#include "resource.h"

AboutDialog::AboutDialog(HWND owner) : TDialog(owner, IDD_ABOUT) {}

void AboutDialog::SetupWindow() {
  TDialog::SetupWindow();
  PlaceNearOwner(Handle(), ParentHandle());
}
