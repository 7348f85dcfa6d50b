// The task list's keys and context menu on the real main window with real stand-in copiers:
// what the menu offers for a selection, retrying ended tasks (and never running ones),
// copying command lines, selecting, killing and opening the message window by key, and the
// taskbar sign when a task ends in the background.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui_test.h"
#include "resource.h"
#include "str_util.h"
#include "task_test_support.h"
#include "taskbar_flash.h"

namespace {

using Strings = std::vector<std::string>;
using Flags = std::vector<bool>;

class TaskListKeys : public TaskWindowTest {
 protected:
  void SetUp() override {
    TaskWindowTest::SetUp();
    record = TempFilePath("rec");
    ::DeleteFileA(record.c_str());
  }
  void TearDown() override {
    TaskWindowTest::TearDown();
    ::DeleteFileA(record.c_str());
  }
  // Starts two copiers: row 0 ends at once, row 1 runs on.
  void StartEndedAndRunning() {
    ScopedEnv env("TARNGET_RECORD", record);
    Start(kEndsOk, "tarnget.exe ftp://host/a ");
    Start(kRunsLong, "tarnget.exe ftp://host/b ");
    ASSERT_EQ("Ok", WaitForEnd(0));
  }
  void Press(UINT key, std::initializer_list<int> held = {}) {
    HeldKeys keys(held);
    window->taskList->SetFocus();
    PressKey(::GetFocus(), key);
  }
  std::vector<std::string> StartedCommandLines() {
    std::vector<std::string> lines;
    for (const auto& start : ReadCopierRecords(record)) lines.push_back(start.empty() ? "" : start[0]);
    return lines;
  }

  std::string record;
};

const Strings kMenuItems{"&Messages", "&Retry", "&Copy command line", "&Kill", "C&lear finished"};

TEST_F(TaskListKeys, ContextMenuOffersWhatAppliesToTheSelectionWhereverItOpens) {
  StartEndedAndRunning();
  ScriptedPrompts prompts;
  Select({1});
  Press(VK_F10, {VK_SHIFT});
  Select({});
  Press(VK_APPS);
  Select({0, 1});
  window->taskList->Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window->taskList->Handle()), MAKELPARAM(50, 60));

  ASSERT_EQ(3u, prompts.menus.size());
  EXPECT_EQ(kMenuItems, prompts.menus[0].items);
  EXPECT_EQ((Flags{true, false, true, true, true}), prompts.menus[0].enabled);  // a running row: no retry
  EXPECT_EQ((Flags{false, false, false, false, true}), prompts.menus[1].enabled);
  EXPECT_EQ((Flags{true, true, true, true, true}), prompts.menus[2].enabled);
  // From the keyboard the menu opens at the first selected row, from the mouse at the pointer.
  RECT row;
  ASSERT_TRUE(window->taskList->GetItemRect(1, row));
  POINT at{row.left, row.bottom};
  ::ClientToScreen(window->taskList->Handle(), &at);
  EXPECT_EQ(at.x, prompts.menus[0].at.x);
  EXPECT_EQ(at.y, prompts.menus[0].at.y);
  EXPECT_EQ(50, prompts.menus[2].at.x);
  EXPECT_EQ(60, prompts.menus[2].at.y);
  EXPECT_EQ(2, Rows());  // nothing was chosen
}

TEST_F(TaskListKeys, RetryStartsTheSameCommandLineAgainInTheSameRowAndNeverARunningTask) {
  StartEndedAndRunning();
  ASSERT_EQ((Strings{"0done"}), Messages(0));
  HANDLE oldProcess = Task(0)->process;
  HANDLE running = Task(1)->process;
  ScopedEnv env("TARNGET_RECORD", record);
  ScopedEnv script("TARNGET_SCRIPT", scripts[0]->Path());
  ScriptedPrompts prompts;
  prompts.menuChoice = "&Retry";
  Select({0, 1});
  Press(VK_APPS);

  EXPECT_EQ("Active", Status(0));
  EXPECT_EQ(kTaskActive, Task(0)->state);
  EXPECT_NE(oldProcess, Task(0)->process);
  EXPECT_TRUE(Messages(0).empty());
  EXPECT_EQ(running, Task(1)->process);
  EXPECT_EQ("Ok", WaitForEnd(0));
  EXPECT_EQ((Strings{"0done"}), Messages(0));
  EXPECT_EQ((Strings{"tarnget.exe ftp://host/a ", "tarnget.exe ftp://host/b ", "tarnget.exe ftp://host/a "}),
            StartedCommandLines());

  // Ctrl+R on the running row alone: nothing starts.
  Select({1});
  Press('R', {VK_CONTROL});
  EXPECT_EQ(running, Task(1)->process);
  EXPECT_EQ(3u, StartedCommandLines().size());
  EXPECT_TRUE(prompts.boxes.empty());

  // A start that fails says so and leaves the ended task as it was.
  Task(0)->commandLine.reset(dup_n("no-such-copier.exe x ", 21));
  HANDLE ended = Task(0)->process;
  Select({0});
  Press('R', {VK_CONTROL});
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Spawn tarnget.exe error", prompts.boxes[0].text);
  EXPECT_EQ("Error", prompts.boxes[0].caption);
  EXPECT_EQ("Ok", Status(0));
  EXPECT_EQ(ended, Task(0)->process);
  EXPECT_EQ((Strings{"0done"}), Messages(0));
}

TEST_F(TaskListKeys, CtrlASelectsCtrlCCopiesCommandLinesDeleteKillsAsKillDoes) {
  StartEndedAndRunning();
  Select({});
  Press('A', {VK_CONTROL});
  EXPECT_EQ(2, window->taskList->GetSelectedCount());
  Press('C', {VK_CONTROL});
  EXPECT_EQ("tarnget.exe ftp://host/a \r\ntarnget.exe ftp://host/b \r\n", ClipboardText());

  ScriptedPrompts prompts;
  prompts.defaultAnswer = IDCANCEL;
  Press(VK_DELETE);
  ASSERT_EQ(1u, prompts.boxes.size());  // asked once, for the running task
  EXPECT_EQ("Are you sure?", prompts.boxes[0].text);
  ASSERT_EQ(1, Rows());
  EXPECT_EQ("Active", Status(0));
}

TEST_F(TaskListKeys, EnterReachesTheListInTheDialogAndOpensTheFirstSelectedRowsMessages) {
  StartEndedAndRunning();
  Select({1});
  window->taskList->SetFocus();
  ScriptedPrompts prompts;  // "&Go!" would complain of the empty URL
  std::string shown;
  ModalDriver driver([&] {
    HWND messages = FindOwnWindow("Tarnwell Message Box");
    if (!messages) return false;
    shown = WindowText(::GetDlgItem(messages, 102));
    ::SendMessageA(messages, WM_COMMAND, IDCANCEL, 0);
    return true;
  });
  // Through the dialog's own key handling, which would give Enter to "&Go!" otherwise.
  MSG enter{window->taskList->Handle(), WM_KEYDOWN, VK_RETURN, 1, 0, {0, 0}};
  EXPECT_TRUE(::IsDialogMessageA(window->Handle(), &enter));
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ("tarnget.exe ftp://host/b ", shown);
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(TaskListKeys, TaskbarFlashesOnlyWhileAnotherWindowIsInFront) {
  ::SetForegroundWindow(window->Handle());
  PumpMessages(50);
  EXPECT_FALSE(FlashIfInBackground(window->Handle()));
  HWND other = ::CreateWindowExA(0, "STATIC", "elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                 nullptr, nullptr);
  ::SetForegroundWindow(other);
  PumpMessages(50);
  EXPECT_TRUE(FlashIfInBackground(window->Handle()));
  ::DestroyWindow(other);
}

}  // namespace
