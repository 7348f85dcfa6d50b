#include "editor_driving.h"

#include <commctrl.h>

#include "gui_test.h"
#include "tarncfg_ids.h"

bool EditThroughSheet(HWND main, HKEY root, const std::function<void(HWND commonPage)>& onCommonPage) {
  const bool personal = root == HKEY_CURRENT_USER;
  ModalDriver driver([&] {
    HWND sheet = FindOwnWindow(personal ? "Personal Configuration" : "Global Configuration");
    if (!sheet) return false;
    for (int page = 3; page >= 0; --page) PropSheet_SetCurSel(sheet, nullptr, page);
    if (onCommonPage) onCommonPage(PropSheet_GetCurrentPageHwnd(sheet));
    PropSheet_PressButton(sheet, PSBTN_OK);
    return true;
  });
  Click(main, personal ? IDC_MAIN_PERSONAL : IDC_MAIN_GLOBAL);
  return driver.Done();
}
