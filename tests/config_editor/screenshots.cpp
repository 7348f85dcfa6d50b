// Shows each window of the configuration editor with sample values and saves what the
// screen shows of it as a 24-bit BMP in the current directory: the main window, the About
// box and the four pages of the sheet. scripts/screenshots.sh runs it and turns the
// pictures into the PNGs under docs/.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <cstdio>
#include <vector>
#include "config_sheet.h"
#include "gui_test.h"
#include "main_window.h"

namespace {

bool SaveWindow(HWND hwnd, const char* path) {
  bool ok = SaveWindowPicture(hwnd, path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path);
  return ok;
}

void Settle(HWND hwnd) {
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpMessages(400);
}

void SampleModel(ConfigModel& m) {
  m.createDirectory = 1;
  m.overwriteMode = 1;
  m.recursiveMode = 2;
  m.includeUnixLinks = 1;
  m.includeSameSite = 1;
  m.transferGauge = 1;
  m.pasvMode = 1;
  m.decodePosts = 1;
  std::snprintf(m.retryCount, sizeof m.retryCount, "3");
  std::snprintf(m.minimumRows, sizeof m.minimumRows, "20");
  m.logPath.enabled = 1;
  for (const char* t : {"C:/logs/tarnget.log", "~tarnget.log"}) m.logPath.history.append(cstring1_new(t));
  m.workDirectory.history.append(cstring1_new("C:/downloads"));
  m.dirListName.enabled = 1;
  m.dirListName.history.append(cstring1_new("~dir.lst"));
  m.ftpProxy.enabled = 1;
  m.ftpProxy.history.append(cstring1_new("ftpgate.example.net:2121"));
  m.defaultHtml.history.append(cstring1_new("default.html"));
  m.httpProxy.history.append(cstring1_new("proxy.example.net:3128"));
  m.msgidDirectory.enabled = 1;
  m.msgidDirectory.history.append(cstring1_new("msgid"));
  m.fileList.history.append(cstring1_new("~files.lst"));
}

}  // namespace

int main() {
  DeclarePerMonitorDpiAware();
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  int failures = 0;
  {
    TDialogTarngetConfig window;
    HWND main = window.Create();
    ::SetWindowPos(main, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    Settle(main);
    failures += !SaveWindow(main, "tarncfg-main.bmp");

    ModalDriver about([&] {
      HWND box = ::GetForegroundWindow();
      if (!box || box == main) box = ::GetWindow(main, GW_ENABLEDPOPUP);
      if (!box || box == main || !::IsWindowVisible(box)) return false;
      Settle(box);
      failures += !SaveWindow(box, "tarncfg-about.bmp");
      ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      return true;
    });
    Click(main, 111);

    ConfigModel model;
    SampleModel(model);
    TPropertySheetConfig sheet(main, "Personal Configuration", model);
    HWND hwnd = sheet.Create();
    ::SetWindowPos(hwnd, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    const char* const names[] = {"tarncfg-common.bmp", "tarncfg-ftp.bmp", "tarncfg-http.bmp", "tarncfg-nntp.bmp"};
    for (int i = 0; i < 4; ++i) {
      PropSheet_SetCurSel(hwnd, nullptr, i);
      Settle(hwnd);
      failures += !SaveWindow(hwnd, names[i]);
    }
  }
  ::OleUninitialize();
  return failures ? 1 : 0;
}
