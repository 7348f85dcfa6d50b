// Pictures of the commander's windows for looking at the layout: each window is copied
// from the screen into shot-NAME.bmp in the current directory. Runs only when the
// environment variable TARNWELL_SCREENSHOTS is set (scripts/screenshots.sh sets it and
// turns the files into PNGs); otherwise every case is skipped.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "commander_fixture.h"
#include "gui_test.h"
#include "main_window.h"
#include "options_sheet.h"
#include "resource.h"
#include "settings.h"

namespace {

class Screenshots : public CommanderTest {
protected:
  void SetUp() override {
    if (!std::getenv("TARNWELL_SCREENSHOTS")) GTEST_SKIP() << "TARNWELL_SCREENSHOTS is not set";
    CommanderTest::SetUp();
  }
};

// Brings the window forward, lets it paint, and saves it as shot-NAME.bmp.
bool SaveShot(HWND hwnd, const std::string& name) {
  ::SetForegroundWindow(hwnd);
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpMessages(300);
  return SaveWindowPicture(hwnd, ("shot-" + name + ".bmp").c_str());
}

}  // namespace

TEST_F(Screenshots, MainWindowShownAndFolded) {
  SetList(g_settings.remoteUrl, {"ftp://ftp.example.org/pub/file.zip"});
  TDialogTarnwellCommander w;
  HWND hwnd = w.Create();
  ASSERT_NE(hwnd, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  ::SetWindowTextA(w.urlBox.Handle(), "ftp://ftp.example.org/pub/file.zip");
  ::SetWindowTextA(w.localBox.Handle(), "C:/download");
  EXPECT_TRUE(SaveShot(hwnd, "main_window"));
  Click(hwnd, IDC_TASK_SWITCH);
  EXPECT_TRUE(SaveShot(hwnd, "main_window_folded"));
}

TEST_F(Screenshots, AboutBox) {
  TDialogTarnwellCommander w;
  HWND hwnd = w.Create();
  ASSERT_NE(hwnd, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  PumpMessages(100);
  bool saved = false;
  ModalDriver driver([&] {
    HWND about = FindOwnedWindow(hwnd);
    if (!about) return false;
    saved = SaveShot(about, "about");
    Click(about, IDOK);
    return true;
  });
  Click(hwnd, IDC_ABOUT);
  EXPECT_TRUE(saved);
}

TEST_F(Screenshots, OptionPages) {
  SetList(g_options.workDirectory, {"C:/work"});
  SetList(g_options.inclusivePatterns, {"*.zip"});
  g_options.ftpProxyState = kProxyDefault;
  TPropertySheetOptions sheet(nullptr);
  HWND hwnd = sheet.Create();
  ASSERT_NE(hwnd, nullptr);
  const char* names[] = {"options_common", "options_ftp", "options_http", "options_nntp"};
  for (int i = 0; i < 4; ++i) {
    PropSheet_SetCurSel(hwnd, nullptr, i);
    EXPECT_TRUE(SaveShot(hwnd, names[i]));
  }
}
