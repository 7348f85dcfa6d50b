// The task list with real stand-in copiers: states from exit codes, draining, removal with
// and without the user's agreement, and the text the list view asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "gui_test.h"
#include "resource.h"
#include "str_util.h"
#include "task_test_support.h"

namespace {

using TaskList = TaskWindowTest;

// A second handle to a task's copier, to look at it after its record has gone.
HANDLE DuplicateProcess(const TarngetTaskItem* task) {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), task->process, ::GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return copy;
}

DWORD ExitCodeAfterEnd(HANDLE process) {
  ::WaitForSingleObject(process, 5000);
  DWORD code = 0;
  ::GetExitCodeProcess(process, &code);
  return code;
}

// "@ rate line 00000000 ....": `lines` numbered 64-byte lines, all at once.
std::string NumberedLines(int lines) { return "rate " + std::to_string(lines * 64 * 1000) + " 1\nexit 0\n"; }

// A handle of its own to this process: two of them are two different "processes" to the
// records, and the records may close them.
HANDLE OwnProcessHandle() {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentProcess(), ::GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return copy;
}

TarngetTaskItem* Record(const char* commandLine, HANDLE process) {
  auto* task = new TarngetTaskItem;
  task->commandLine.reset(dup_n(commandLine, std::strlen(commandLine)));
  task->process = process;
  return task;
}

TEST(ChainCustomElement, RemoveNeedsMatchingCommandLineAndSameProcess) {
  HANDLE one = OwnProcessHandle(), two = OwnProcessHandle();
  chain<TarngetTaskItem> tasks;
  TarngetTaskItem* first = tasks.append(Record("tarnget.exe ftp://h/ ", one));
  TarngetTaskItem* second = tasks.append(Record("tarnget.exe ftp://h/ ", two));

  std::unique_ptr<TarngetTaskItem> key(Record("TARNGET.EXE FTP://H/ ", two));
  EXPECT_EQ(second, tasks.remove(key.get())) << "the line regardless of case, and the same process";
  EXPECT_EQ(1, tasks.count);
  EXPECT_EQ(first, tasks.first());
  delete second;
  EXPECT_EQ(nullptr, tasks.remove(key.get())) << "same line, other process";
  key->process = nullptr;  // the key never owned a handle

  std::unique_ptr<TarngetTaskItem> otherLine(Record("tarnget.exe http://h/ ", one));
  EXPECT_EQ(nullptr, tasks.remove(otherLine.get())) << "same process, other line";
  otherLine->process = nullptr;
  EXPECT_EQ(1, tasks.count);

  // The chain frees its records the commander's way: their handles close with them.
  tasks.clear_delete();
  DWORD flags = 0;
  EXPECT_FALSE(::GetHandleInformation(one, &flags));
}

TEST_F(TaskList, NewTaskIsActiveAndEndedTasksShowOkOrErrorFromTheirExitCode) {
  Start("sleep 300\nexit 0\n", "tarnget.exe ftp://host/a ");
  Start("sleep 300\nexit 3\n", "tarnget.exe ftp://host/b ");
  // 259 is the code that reads "still active": the task must end all the same.
  Start("sleep 300\nexit 259\n", "tarnget.exe ftp://host/c ");
  EXPECT_EQ("Active", Status(0));
  EXPECT_EQ("Active", Status(2));
  EXPECT_EQ(kTaskActive, Task(0)->state);

  EXPECT_EQ("Ok", WaitForEnd(0));
  EXPECT_EQ("Error", WaitForEnd(1));
  EXPECT_EQ("Error", WaitForEnd(2));
  EXPECT_EQ(kTaskOk, Task(0)->state);
  EXPECT_EQ(kTaskError, Task(1)->state);
  EXPECT_EQ(kTaskError, Task(2)->state);
}

TEST_F(TaskList, ColumnOneShowsTheCommandLineFromTheUrlOn) {
  Start(kEndsOk, "tarnget.exe ftp://host/pub \"c:/my files\" -o? -r -l -u -pasv -p ");
  EXPECT_EQ("ftp://host/pub \"c:/my files\" -o? -r -l -u -pasv -p ", ColumnText(0, 1));
  Start(kEndsOk, "tarnget.exe");
  EXPECT_EQ("", ColumnText(1, 1));
  // The request finds its record by position: a walk on the chain's own cursor goes on
  // where it was.
  window->taskChain.first();
  ColumnText(1, 1);
  EXPECT_EQ(window->taskChain.nth(1), window->taskChain.next());
}

TEST_F(TaskList, OutputWrittenBeforeTheCopierEndedIsStoredWhole) {
  Start(NumberedLines(2000).c_str());
  // Everything is in the pipe and the copier has gone before the first tick.
  WaitForAllEnds();
  Board().PollTasks();
  EXPECT_EQ("Ok", Status(0));
  const std::vector<std::string> lines = Messages(0);
  ASSERT_EQ(2000u, lines.size());
  EXPECT_EQ(0u, lines[0].find("0rate line 00000000 ..."));
  EXPECT_EQ(0u, lines[1999].find("0rate line 00001999 ..."));
  // The marker and its blank give way to the code; the line end goes.
  EXPECT_EQ(64u - 3 + 1, lines[1999].size());
  // Later ticks find the pipe broken and leave the record alone.
  Board().PollTasks();
  EXPECT_EQ(2000u, Messages(0).size());
}

TEST_F(TaskList, OutputLargerThanThePipeKeepsArrivingUntilTheCopierEnds) {
  // Eight times the pipe: the copier can only finish while the ticks drain it.
  const int lines = static_cast<int>(8 * kOutputPipeSize / 64);
  Start(NumberedLines(lines).c_str());
  int ticks = 0;
  ASSERT_TRUE(PumpUntil(
      [&] {
        Board().PollTasks();
        ++ticks;
        return Task(0)->state != kTaskActive && ReadTaskOutput(*Task(0)) == 0;
      },
      30000));
  EXPECT_EQ("Ok", Status(0));
  const std::vector<std::string> stored = Messages(0);
  ASSERT_EQ(static_cast<std::size_t>(lines), stored.size());
  char last[32];
  std::snprintf(last, sizeof last, "0rate line %08d", lines - 1);
  EXPECT_EQ(0u, stored.back().find(last));
}

TEST_F(TaskList, OneReadTakesOneChunkAndNeverBlocks) {
  const int lines = static_cast<int>(3 * kReadChunkSize / 2 / 64);
  Start(NumberedLines(lines).c_str());
  WaitForAllEnds();
  TarngetTaskItem& task = *Task(0);
  EXPECT_EQ(100u, ReadTaskOutput(task, 100));
  EXPECT_EQ(kReadChunkSize, ReadTaskOutput(task));
  std::size_t total = 100 + kReadChunkSize;
  while (std::size_t got = ReadTaskOutput(task)) total += got;
  EXPECT_EQ(static_cast<std::size_t>(lines) * 64, total);
  EXPECT_EQ(0u, ReadTaskOutput(task));  // broken pipe: nothing, at once
  EXPECT_EQ(static_cast<std::size_t>(lines), Messages(0).size());
}

TEST_F(TaskList, AFloodOfOutputNeverHoldsATickForLongAndEveryTaskIsServedInTurn) {
  const int copiers = 12;
  for (int i = 0; i < copiers; ++i) Start(i % 2 ? "flood 200000000 any 9\n" : "flood 200000000 lines 7\n");
  DWORD longest = 0;
  for (int i = 0; i < 8; ++i) {
    ::Sleep(200);
    const DWORD start = ::GetTickCount();
    Board().PollTasks();
    longest = std::max<DWORD>(longest, ::GetTickCount() - start);
  }
  EXPECT_LT(longest, 2 * kDrainTimePerTickMs);
  for (int row = 0; row < copiers; ++row) {
    EXPECT_GT(Messages(row).size(), 100u) << "task " << row;
    EXPECT_EQ("Active", Status(row));
  }
}

TEST_F(TaskList, CopierSeesTheEndOfItsInputAtOnce) {
  Start("stdin\nexit 0\n");
  ASSERT_EQ("Ok", WaitForEnd(0, 5000));
  ASSERT_EQ(1u, Messages(0).size());
  EXPECT_EQ("0stdin: 0 bytes", Messages(0)[0]);
}

TEST_F(TaskList, CopierInheritsNoOtherHandleOfTheCommander) {
  // An inheritable pipe of the commander's own: once the commander closes its writing end,
  // the pipe breaks only if no copier took a copy of that end along.
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  ASSERT_TRUE(::CreatePipe(&read, &write, &sa, 0));
  Start(kRunsLong);
  ::CloseHandle(write);
  DWORD waiting = 0;
  EXPECT_FALSE(::PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_BROKEN_PIPE), ::GetLastError());
  ::CloseHandle(read);
}

TEST_F(TaskList, StartFailureTellsTheUserAndRecordsNothing) {
  ScriptedPrompts prompts;
  const char line[] = "no-such-copier.exe ftp://host/ ";
  EXPECT_EQ(-1, Board().StartTask(dup_n(line, sizeof line - 1)));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Spawn tarnget.exe error", prompts.boxes[0].text);
  EXPECT_EQ("Error", prompts.boxes[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONHAND), prompts.boxes[0].type);
  EXPECT_EQ(window->Handle(), prompts.boxes[0].owner);
  EXPECT_EQ(0, window->taskChain.count);
  EXPECT_EQ(0, Rows());
}

// A list view that refuses new rows, or the removal of rows.
LRESULT CALLBACK RefusingInserts(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == LVM_INSERTITEMA) return -1;
  const auto original = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, "original"));
  return ::CallWindowProcA(original, hwnd, msg, w, l);
}
LRESULT CALLBACK RefusingDeletes(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == LVM_DELETEITEM) return FALSE;
  const auto original = reinterpret_cast<WNDPROC>(::GetPropA(hwnd, "original"));
  return ::CallWindowProcA(original, hwnd, msg, w, l);
}
void Replace(HWND list, WNDPROC proc) {
  ::SetPropA(list, "original", reinterpret_cast<HANDLE>(::GetWindowLongPtrA(list, GWLP_WNDPROC)));
  ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}
void Restore(HWND list) {
  ::SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(::RemovePropA(list, "original")));
}

// A copier whose row cannot be made is ended and leaves no record: rows and records stay
// one to one by position.
TEST_F(TaskList, RowThatCannotBeAddedUndoesTheStart) {
  Start(kEndsOk, "tarnget.exe first ");
  HWND list = window->taskList->Handle();
  Replace(list, RefusingInserts);
  ScriptedPrompts prompts;
  scripts.emplace_back(new CopierScript(kRunsLong));
  ScopedEnv env("TARNGET_SCRIPT", scripts.back()->Path());
  const char line[] = "tarnget.exe second ";
  EXPECT_EQ(-1, Board().StartTask(dup_n(line, sizeof line - 1)));
  Restore(list);
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Spawn tarnget.exe error", prompts.boxes[0].text);
  EXPECT_EQ(1, window->taskChain.count);
  EXPECT_EQ(1, Rows());
  EXPECT_STREQ("tarnget.exe first ", Task(0)->commandLine.get());
}

// A row the list view keeps keeps its record, so the rows after it still find theirs.
TEST_F(TaskList, RowThatCannotBeRemovedKeepsItsTask) {
  Start(kEndsOk, "tarnget.exe r0 ");
  Start(kEndsOk, "tarnget.exe r1 ");
  WaitForAllEnds();
  HWND list = window->taskList->Handle();
  Replace(list, RefusingDeletes);
  EXPECT_EQ(-1, Board().RemoveTask(0));
  Board().ClearFinished();
  Restore(list);
  ASSERT_EQ(2, window->taskChain.count);
  EXPECT_EQ(2, Rows());
  EXPECT_STREQ("tarnget.exe r0 ", Task(0)->commandLine.get());
  EXPECT_EQ("r1 ", ColumnText(1, 1));
  Board().ClearFinished();
  EXPECT_EQ(0, window->taskChain.count);
  EXPECT_EQ(0, Rows());
}

// Rows 0 Ok, 1 Ok, 2 Active, 3 Ok: "Kill All" removes row 3 without a question, then asks
// for row 2; Cancel keeps rows 0 to 2, OK ends the copier with 255 and empties the list.
TEST_F(TaskList, KillAllStopsAtTheFirstRefusal) {
  Start(kEndsOk, "tarnget.exe r0 ");
  Start(kEndsOk, "tarnget.exe r1 ");
  Start(kRunsLong, "tarnget.exe r2 ");
  Start(kEndsOk, "tarnget.exe r3 ");
  WaitForEnd(3);
  WaitForEnd(1);
  WaitForEnd(0);
  HANDLE running = DuplicateProcess(Task(2));

  ScriptedPrompts prompts;
  prompts.answers = {IDCANCEL};
  EXPECT_EQ(-1, Board().RemoveAll());
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Are you sure?", prompts.boxes[0].text);
  EXPECT_EQ("Kill Active Task", prompts.boxes[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL), prompts.boxes[0].type);
  ASSERT_EQ(3, Rows());
  ASSERT_EQ(3, window->taskChain.count);
  EXPECT_STREQ("tarnget.exe r2 ", Task(2)->commandLine.get());
  EXPECT_EQ("Active", Status(2));
  EXPECT_EQ("r2 ", ColumnText(2, 1));

  prompts.answers = {IDOK};
  EXPECT_EQ(0, Board().RemoveAll());
  EXPECT_EQ(2u, prompts.boxes.size());
  EXPECT_EQ(0, Rows());
  EXPECT_EQ(0, window->taskChain.count);
  EXPECT_EQ(255u, ExitCodeAfterEnd(running));
  ::CloseHandle(running);
}

TEST_F(TaskList, ClearRemovesEndedTasksOnlyAndAsksNothing) {
  Start(kRunsLong, "tarnget.exe a0 ");
  Start(kEndsOk, "tarnget.exe ok1 ");
  Start("exit 2\n", "tarnget.exe err2 ");
  Start(kRunsLong, "tarnget.exe a3 ");
  WaitForEnd(1);
  WaitForEnd(2);
  ScriptedPrompts prompts;
  Board().ClearFinished();
  EXPECT_TRUE(prompts.boxes.empty());
  ASSERT_EQ(2, Rows());
  EXPECT_STREQ("tarnget.exe a0 ", Task(0)->commandLine.get());
  EXPECT_STREQ("tarnget.exe a3 ", Task(1)->commandLine.get());
  EXPECT_EQ("a0 ", ColumnText(0, 1));
  EXPECT_EQ("a3 ", ColumnText(1, 1));
  EXPECT_EQ("Active", Status(1));
}

TEST_F(TaskList, KillRemovesSelectedRowsAndARefusalSparesOnlyItsOwnTask) {
  Start(kEndsOk, "tarnget.exe ok0 ");
  Start(kRunsLong, "tarnget.exe run1 ");
  Start(kEndsOk, "tarnget.exe ok2 ");
  Start(kRunsLong, "tarnget.exe run3 ");
  WaitForEnd(0);
  WaitForEnd(2);
  ScriptedPrompts prompts;

  Select({});
  Board().KillSelected();
  EXPECT_EQ(4, Rows());

  Select({0, 1, 2});
  prompts.answers = {IDCANCEL};
  Board().KillSelected();
  ASSERT_EQ(1u, prompts.boxes.size());
  ASSERT_EQ(2, Rows());
  EXPECT_STREQ("tarnget.exe run1 ", Task(0)->commandLine.get());
  EXPECT_STREQ("tarnget.exe run3 ", Task(1)->commandLine.get());

  Select({0});
  prompts.answers = {IDOK};
  Board().KillSelected();
  ASSERT_EQ(1, Rows());
  EXPECT_STREQ("tarnget.exe run3 ", Task(0)->commandLine.get());
}

TEST_F(TaskList, TwoTasksWithOneCommandLineAreToldApartByTheirProcess) {
  Start(kRunsLong, "tarnget.exe same ");
  Start(kEndsOk, "TARNGET.EXE SAME ");
  WaitForEnd(1);
  ScriptedPrompts prompts;
  HANDLE first = DuplicateProcess(Task(0));
  Board().ClearFinished();
  ASSERT_EQ(1, Rows());
  EXPECT_EQ(WAIT_TIMEOUT, ::WaitForSingleObject(first, 0));
  EXPECT_STREQ("tarnget.exe same ", Task(0)->commandLine.get());
  ::CloseHandle(first);
}

TEST_F(TaskList, ACopierThatEndsWhileTheQuestionIsOpenIsRemovedWithoutAnError) {
  Start(kRunsLong);
  HANDLE copier = DuplicateProcess(Task(0));
  ScriptedPrompts prompts;
  prompts.onBox = [&](const ScriptedPrompts::Box&) {
    ::TerminateProcess(copier, 7);
    ::WaitForSingleObject(copier, 5000);
  };
  EXPECT_EQ(0, Board().RemoveTask(0));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Are you sure?", prompts.boxes[0].text);
  EXPECT_EQ(0, Rows());
  EXPECT_EQ(7u, ExitCodeAfterEnd(copier));
  ::CloseHandle(copier);
}

// Closing walks the rows from the bottom: a finished bottom row goes, the running middle
// one asks, and Cancel keeps the window open with the rows above.
TEST_F(TaskList, ClosingTheWindowStopsAtARefusalAndClosesOnceEveryTaskIsGone) {
  Start(kEndsOk, "tarnget.exe top ");
  Start(kRunsLong, "tarnget.exe middle ");
  Start(kEndsOk, "tarnget.exe bottom ");
  WaitForEnd(2);
  WaitForEnd(0);
  ScriptedPrompts prompts;
  prompts.answers = {IDCANCEL};
  window->Send(WM_CLOSE);
  ASSERT_TRUE(window->IsWindow());
  ASSERT_EQ(2, Rows());
  EXPECT_STREQ("tarnget.exe middle ", Task(1)->commandLine.get());
  EXPECT_EQ(1u, prompts.boxes.size());

  prompts.answers = {IDOK};
  window->Send(WM_CLOSE);
  EXPECT_FALSE(window->IsWindow());
  EXPECT_EQ(0, window->taskChain.count);
}

TEST_F(TaskList, ButtonsOfTheMainWindowReachTheTasks) {
  Start(kEndsOk, "tarnget.exe ok0 ");
  Start(kRunsLong, "tarnget.exe run1 ");
  WaitForEnd(0);
  ScriptedPrompts prompts;
  prompts.answers = {IDCANCEL};
  Click(window->Handle(), IDC_CLEAR);
  ASSERT_EQ(1, Rows());
  Click(window->Handle(), IDC_KILL_ALL);
  EXPECT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ(1, Rows());
  Select({0});
  prompts.answers = {IDOK};
  Click(window->Handle(), IDC_KILL);
  EXPECT_EQ(0, Rows());
}

}  // namespace
