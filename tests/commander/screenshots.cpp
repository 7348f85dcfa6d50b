// Pictures of the commander's windows for docs/, saved as tarncmd-NAME.bmp only when
// screenshots are wanted; otherwise every case is skipped.
#include <windows.h>
#include <cstring>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "commander_fixture.h"
#include "gui_test.h"
#include "main_window.h"
#include "options_sheet.h"
#include "resource.h"
#include "str_util.h"
#include "tasks.h"

namespace {

class Screenshots : public CommanderTest {
protected:
  void SetUp() override {
    if (!ScreenshotsWanted()) GTEST_SKIP() << "TARNWELL_SCREENSHOTS is not set";
    CommanderTest::SetUp();
  }
};

bool SaveShot(HWND hwnd, const std::string& name) { return SaveScreenshot(hwnd, "tarncmd-" + name); }

}  // namespace

TEST_F(Screenshots, MainWindowShownAndFolded) {
  SetList(state.settings.remoteUrl, {"ftp://ftp.example.org/pub/file.zip"});
  TDialogTarnwellCommander w(state);
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
  TDialogTarnwellCommander w(state);
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
  SetList(state.options.workDirectory, {"C:/work"});
  SetList(state.options.inclusivePatterns, {"*.zip"});
  state.options.ftpProxyState = kProxyDefault;
  TPropertySheetOptions sheet(nullptr, state);
  HWND hwnd = sheet.Create();
  ASSERT_NE(hwnd, nullptr);
  const char* names[] = {"options_common", "options_ftp", "options_http", "options_nntp"};
  for (int i = 0; i < 4; ++i) {
    PropSheet_SetCurSel(hwnd, nullptr, i);
    EXPECT_TRUE(SaveShot(hwnd, names[i]));
  }
}

TEST_F(Screenshots, TaskListContextMenu) {
  TDialogTarnwellCommander w(state);
  HWND hwnd = w.Create();
  ASSERT_NE(hwnd, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  TaskBoard board(hwnd, *w.taskList, w.taskChain);
  for (const char* line : {"tarnget.exe ftp://ftp.example.org/pub/file.zip C:/download ",
                           "tarnget.exe http://www.example.org/docs/ C:/download -r "})
    ASSERT_EQ(0, board.StartTask(dup_n(line, std::strlen(line))));
  for (int i = 0; TarngetTaskItem* task = w.taskChain.nth(i); ++i) ::WaitForSingleObject(task->process, 10000);
  board.PollTasks();
  w.taskList->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ::SetForegroundWindow(hwnd);
  PumpMessages(300);
  // The real menu, opened by the menu key; pictured once it has painted, then dismissed.
  bool saved = false;
  int ticks = 0;
  ModalDriver driver([&] {
    if (++ticks < 15) return false;
    // The menu reaches below the window: the picture holds both.
    RECT area, menu;
    ::GetWindowRect(hwnd, &area);
    if (HWND popup = ::FindWindowA("#32768", nullptr)) {
      ::GetWindowRect(popup, &menu);
      ::UnionRect(&area, &area, &menu);
    }
    saved = SaveScreenPicture(area, "tarncmd-task_menu.bmp");
    ::EndMenu();
    return true;
  });
  w.taskList->SetFocus();
  PressKey(w.taskList->Handle(), VK_APPS);
  EXPECT_TRUE(saved);
  w.taskChain.clear_delete();
}
