// Pictures of the editor's windows for docs/, saved as tarncfg-NAME.bmp only when
// screenshots are wanted; otherwise every case is skipped. The main window, the About box
// and the four pages of the sheet, with sample values.
#include <windows.h>
#include <commctrl.h>
#include <cstdio>
#include <memory>
#include <gtest/gtest.h>
#include "config_sheet.h"
#include "gui_test.h"
#include "main_window.h"

namespace {

class Screenshots : public testing::Test {
 protected:
  void SetUp() override {
    if (!ScreenshotsWanted()) GTEST_SKIP() << "TARNWELL_SCREENSHOTS is not set";
    // Made only now: building the window loads the editor's settings.
    window.reset(new TDialogTarngetConfig(state));
    main = window->Create();
    ASSERT_NE(nullptr, main);
    ::SetWindowPos(main, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  }
  EditorState state;
  std::unique_ptr<TDialogTarngetConfig> window;
  HWND main = nullptr;
};

bool SaveShot(HWND hwnd, const char* name) { return SaveScreenshot(hwnd, std::string("tarncfg-") + name); }

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

TEST_F(Screenshots, MainWindowAndAboutBox) {
  EXPECT_TRUE(SaveShot(main, "main"));
  bool saved = false;
  ModalDriver about([&] {
    HWND box = FindOwnedWindow(main);
    if (!box || !::IsWindowVisible(box)) return false;
    saved = SaveShot(box, "about");
    Click(box, IDOK);
    return true;
  });
  Click(main, 111);
  EXPECT_TRUE(saved);
}

TEST_F(Screenshots, SheetPages) {
  ConfigModel model;
  SampleModel(model);
  TPropertySheetConfig sheet(main, "Personal Configuration", model);
  HWND hwnd = sheet.Create();
  ASSERT_NE(nullptr, hwnd);
  ::SetWindowPos(hwnd, HWND_TOP, 200, 150, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  const char* const names[] = {"common", "ftp", "http", "nntp"};
  for (int i = 0; i < 4; ++i) {
    PropSheet_SetCurSel(hwnd, nullptr, i);
    EXPECT_TRUE(SaveShot(hwnd, names[i]));
  }
}
