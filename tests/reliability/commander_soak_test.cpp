// The commander used for a long time through its own buttons: tasks started with "&Go!",
// finished and cleared, running ones killed after "Are you sure?", the message window and
// the options sheet opened and closed. Afterwards the process must hold exactly the
// kernel handles, GDI objects and USER objects it held before.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui_test.h"
#include "reliability_support.h"
#include "resource.h"
#include "task_test_support.h"

namespace {

using Strings = std::vector<std::string>;

const char kFinishes[] = "write \"@ one\\r\\n! two\\n~ 50% done\\n\"\nexit 0\n";
const char kRunsOn[] = "write \"@ started\\n\"\nsleep 60000\n";

class CommanderSoak : public TaskWindowTest {
 protected:
  HWND Main() const { return window->Handle(); }
  void Poll() { ::SendMessageA(Main(), WM_TIMER, 0, 0); }

  // "&Go!" with a URL typed into the field, the copier following `script`.
  void Go(const CopierScript& script) {
    ScopedEnv env("TARNGET_SCRIPT", script.Path());
    window->urlBox.SetText("ftp://soak.example/pub/file name");
    Click(Main(), IDC_GO);
  }

  void WaitForCopiers() {
    for (int i = 0; TarngetTaskItem* task = Task(i); ++i)
      if (task->state == kTaskActive) ::WaitForSingleObject(task->process, 20000);
  }

  // "&State" opens the message window modally; it is closed from inside its loop once
  // it has drawn its rows and seen one tick of its own timer.
  void OpenAndCloseMessageWindow() {
    int rows = -1;
    ModalDriver close([&] {
      HWND box = FindOwnWindow("Tarnwell Message Box");
      if (!box) return false;
      ::SendMessageA(box, WM_TIMER, 0, 0);
      rows = static_cast<int>(::SendDlgItemMessageA(box, 101, LB_GETCOUNT, 0, 0));
      // The window's close box: it has no Cancel button.
      ::SendMessageA(box, WM_CLOSE, 0, 0);
      return true;
    });
    Click(Main(), IDC_STATE);
    ASSERT_TRUE(close.Done());
    // Two stored lines and the progress row.
    EXPECT_EQ(3, rows);
  }

  // "&Options" opens the sheet modally; every page is shown once (so all four exist),
  // then OK or Cancel.
  void OpenAndCloseOptionsSheet(bool ok) {
    ModalDriver close([&] {
      HWND sheet = FindOwnWindow("Tarnwell Command-line Options");
      if (!sheet) return false;
      for (int page = 3; page >= 0; --page) PropSheet_SetCurSel(sheet, nullptr, page);
      PropSheet_PressButton(sheet, ok ? PSBTN_OK : PSBTN_CANCEL);
      return true;
    });
    Click(Main(), IDC_OPTIONS);
    ASSERT_TRUE(close.Done());
  }

  // One round: `finishing` tasks started, ended, looked at and cleared; `killed` running
  // tasks started and killed with "&Kill"; the two windows opened `windows` times each.
  void Round(int finishing, int killed, int windows, ScriptedPrompts& prompts) {
    const std::size_t boxesBefore = prompts.boxes.size();
    for (int i = 0; i < finishing; ++i) Go(*finishes_);
    ASSERT_EQ(finishing, Rows());
    WaitForCopiers();
    Poll();
    for (int row = 0; row < finishing; ++row) {
      ASSERT_EQ("Ok", Status(row)) << "row " << row;
      ASSERT_EQ((Strings{"0one", "1two"}), Messages(row)) << "row " << row;
      ASSERT_STREQ("550% done", Task(row)->output.progressText);
    }
    for (int i = 0; i < windows; ++i) {
      OpenAndCloseMessageWindow();
      OpenAndCloseOptionsSheet(i % 2 == 0);
    }
    Click(Main(), IDC_CLEAR);
    ASSERT_EQ(0, Rows());
    ASSERT_EQ(boxesBefore, prompts.boxes.size()) << "Clear asked a question";

    for (int i = 0; i < killed; ++i) Go(*runsOn_);
    ASSERT_EQ(killed, Rows());
    Poll();
    Select({});
    for (int row = 0; row < killed; ++row) window->taskList->SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    Click(Main(), IDC_KILL);
    ASSERT_EQ(0, Rows());
    ASSERT_EQ(boxesBefore + killed, prompts.boxes.size());
    for (std::size_t i = boxesBefore; i < prompts.boxes.size(); ++i) ASSERT_EQ("Are you sure?", prompts.boxes[i].text);
  }

  std::unique_ptr<CopierScript> finishes_{new CopierScript(kFinishes)};
  std::unique_ptr<CopierScript> runsOn_{new CopierScript(kRunsOn)};
};

TEST_F(CommanderSoak, TasksKillsAndWindowsGiveBackEveryHandleAndObject) {
  ScriptedPrompts prompts;
  prompts.defaultAnswer = IDOK;
  // One warm-up round: whatever the platform loads once is loaded before the count
  // starts. Wine keeps, for instance, four bitmaps from the first time the task list
  // shows its scroll bar, and more from the first message window and options sheet.
  Round(10, 2, 2, prompts);
  PumpMessages(100);
  const ResourceCounts before = CountResources();

  const int rounds = Scaled(3, 100);
  const DWORD start = ::GetTickCount();
  for (int i = 0; i < rounds; ++i) {
    Round(10, 2, 2, prompts);
    if (HasFatalFailure()) return;
  }
  const DWORD elapsed = ::GetTickCount() - start;
  PumpMessages(100);
  const ResourceCounts after = CountResources();

  ExpectResourcesBack("commander soak: " + std::to_string(rounds * 10) + " tasks finished and cleared, " +
                          std::to_string(rounds * 2) + " killed, message window and options sheet " +
                          std::to_string(rounds * 2) + " times each, " + std::to_string(elapsed) + " ms",
                      before, after);
}

}  // namespace
