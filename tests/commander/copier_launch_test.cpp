// Starts the stand-in copier through the task list, as "&Go!" does, and checks what arrives
// on each side: the arguments it sees, and its output as the task stores it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "command_line.h"
#include "copier_record.h"
#include "task_test_support.h"
#include "tasks.h"

namespace {

using Strings = std::vector<std::string>;

std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  return std::string(dir) + name;
}

struct CopierRun {
  DWORD exitCode = 0;
  std::string bytes;
  Strings messages;
  std::string progressText;
};

// A hidden window with a task list, where TaskBoard starts its copiers.
class Board {
public:
  Board() {
    owner_ = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    view_.Create(owner_, 1, RECT{0, 0, 300, 200}, WS_CHILD | LVS_REPORT);
  }
  ~Board() {
    tasks_.clear_delete();
    ::DestroyWindow(owner_);
  }
  Board(const Board&) = delete;
  Board& operator=(const Board&) = delete;

  // Starts the copier through the task list; the record, or null after a failed start.
  TarngetTaskItem* Start(const std::string& commandLine) {
    if (TaskBoard(owner_, view_, tasks_).StartTask(dup_n(commandLine.data(), commandLine.size())) != 0) return nullptr;
    return tasks_.last();
  }

private:
  HWND owner_;
  TListView view_{nullptr, 1};
  chain<TarngetTaskItem> tasks_;
};

// Starts the copier as "&Go!" does, then drains its pipe in reads of at most `chunk`
// bytes until it breaks, storing lines as the task stores them.
CopierRun StartAndDrain(const std::string& commandLine, DWORD chunk = 511) {
  CopierRun run;
  Board board;
  TarngetTaskItem* task = board.Start(commandLine);
  EXPECT_NE(task, nullptr) << commandLine;
  if (!task) return run;
  for (;;) {
    DWORD waiting = 0;
    if (!PeekNamedPipe(task->outputPipe, nullptr, 0, nullptr, &waiting, nullptr)) break;
    if (waiting == 0) {
      Sleep(2);
      continue;
    }
    std::vector<char> buffer(std::min<DWORD>(waiting, chunk));
    DWORD got = 0;
    if (!ReadFile(task->outputPipe, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) break;
    task->output.Take(buffer.data(), got);
    run.bytes.append(buffer.data(), got);
  }
  WaitForSingleObject(task->process, 10000);
  GetExitCodeProcess(task->process, &run.exitCode);
  for (const chnode<char>* n = task->output.messages.head; n; n = n->next) run.messages.push_back(n->item);
  run.progressText = task->output.progressText;
  return run;
}

CopierRun RunCopierScript(const std::string& script, DWORD chunk = 511) {
  const std::string path = TempPath("tarnget_test_script.txt");
  WriteFileText(path, script);
  ScopedEnv env("TARNGET_SCRIPT", path);
  CopierRun run = StartAndDrain("tarnget.exe ftp://h/ x ", chunk);
  DeleteFileA(path.c_str());
  return run;
}

std::string Trimmed(std::string s) {
  s.erase(0, s.find_first_not_of(" \t\r\n"));
  s.erase(s.find_last_not_of(" \t\r\n") + 1);
  return s;
}

TEST(CopierLaunch, CopierReceivesExactlyTheComposedArguments) {
  const std::vector<Strings> lists = {
      {"tarnget.exe", "   ", "", "-y=*.html", "-r*", "?"},
      {"tarnget.exe", "c:\\my files\\", "next", "c:\\dir\\", "\\\\server\\share x\\\\"},
      {"tarnget.exe", "say \"hi\"", "a\"b", "\\\"", "\\\\\"", "\"", "\"\""},
      {"tarnget.exe", "tab\there", "a\\b c\\\\d", "x\ny", "p\vq", "%PATH%", "^&|<>()"},
      {"tarnget.exe", "caf\xe9 \xa5\x5c", "\xb3\x5c\"", " \t lead and trail \r\n"},
  };
  const std::string record = TempPath("tarnget_test_record.txt");
  DeleteFileA(record.c_str());
  const std::string script = TempPath("tarnget_test_exit.txt");
  WriteFileText(script, "exit 0\n");
  ScopedEnv scriptEnv("TARNGET_SCRIPT", script);
  ScopedEnv env("TARNGET_RECORD", record);

  std::vector<std::string> lines;
  for (const Strings& list : lists) {
    chain<char> args;
    for (const std::string& a : list) args.append(dup_n(a.data(), a.size()));
    char* line = JoinArguments(args);
    args.clear_delete();
    lines.push_back(line);
    delete[] line;
    EXPECT_EQ(StartAndDrain(lines.back()).exitCode, 0u);
  }
  // And a line composed from an option set, with values that need quoting.
  TaskOptions o;
  o.useInclusivePatterns = 1;
  o.inclusivePatterns.append(cstring1_new("my \"best\" files\\"));
  o.useLogFile = 1;
  o.logFile.append(cstring1_new("c:\\log dir\\"));
  char* composed = ComposeCommandLine("ftp://host/a b", "c:\\dl\\", 0, false, true, o);
  ASSERT_NE(composed, nullptr);
  lines.push_back(composed);
  delete[] composed;
  EXPECT_EQ(StartAndDrain(lines.back()).exitCode, 0u);

  const std::vector<Strings> records = ReadCopierRecords(record);
  ASSERT_EQ(records.size(), lines.size());
  for (std::size_t i = 0; i < lists.size(); ++i) {
    Strings expected = {lines[i]};
    for (const std::string& a : lists[i]) expected.push_back(Trimmed(a));
    EXPECT_EQ(records[i], expected) << "list " << i;
  }
  EXPECT_EQ(records.back(), (Strings{lines.back(), "tarnget.exe", "ftp://host/a b", "c:\\dl\\", "-cfg~",
                                     "-l=c:\\log dir\\", "-y=my \"best\" files\\"}));
  DeleteFileA(record.c_str());
  DeleteFileA(script.c_str());
}

TEST(CopierLaunch, SplitCommandLineAgreesWithTheRuntime) {
  const Strings lines = {
      "tarnget.exe \"a b c\" d e",   "tarnget.exe \"ab\\\"c\" \"\\\\\" d", "tarnget.exe a\\\\\\b d\"e f\"g h",
      "tarnget.exe a\\\\\\\"b c d",  "tarnget.exe a\\\\\\\\\"b c\" d e",   "tarnget.exe \"unclosed c",
      "tarnget.exe \t x\t \"\"",     "\"tarnget.exe\" q\"uo\"ted",
  };
  const std::string record = TempPath("tarnget_test_split.txt");
  DeleteFileA(record.c_str());
  const std::string script = TempPath("tarnget_test_exit.txt");
  WriteFileText(script, "exit 0\n");
  ScopedEnv scriptEnv("TARNGET_SCRIPT", script);
  ScopedEnv env("TARNGET_RECORD", record);
  for (const std::string& line : lines) StartAndDrain(line);
  const std::vector<Strings> records = ReadCopierRecords(record);
  ASSERT_EQ(records.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    chain<char> args;
    ASSERT_EQ(SplitCommandLine(lines[i].c_str(), args), 0);
    Strings expected = {lines[i]};
    for (chnode<char>* n = args.head; n; n = n->next) expected.push_back(n->item);
    args.clear_delete();
    EXPECT_EQ(records[i], expected) << lines[i];
  }
  DeleteFileA(record.c_str());
  DeleteFileA(script.c_str());
}

TEST(CopierLaunch, ScriptedOutputIsStoredAsTheTaskStoresIt) {
  const CopierRun run = RunCopierScript(
      "# partial lines, pauses, NUL, a lone marker and a long line\n"
      "write \"@ Connec\"\n"
      "sleep 50\n"
      "write \"ted\\r\"\n"
      "sleep 50\n"
      "write \"\\nC: 220 re\\x00ady\\r\\n  S:USER x\\n@\\nx\"\n"
      "flood 700 noends 3\n"
      "write \"\\n~ 42% done\\n\"\n"
      "exit 7\n",
      7);
  EXPECT_EQ(run.exitCode, 7u);
  ASSERT_EQ(run.messages.size(), 4u);
  EXPECT_EQ(run.messages[0], "0Connected");
  EXPECT_EQ(run.messages[1], "3220 ready");
  EXPECT_EQ(run.messages[2], "4USER x");
  EXPECT_EQ(run.messages[3], "");
  EXPECT_EQ(run.progressText, "542% done");
}

TEST(CopierLaunch, FloodArrivesWholeAndSplitsAsInOnePiece) {
  const CopierRun run = RunCopierScript("flood 300000 lines 5\nwrite \"\\n\"\nflood 20000 any 9\nexit 0\n", 4096);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.bytes.size(), 320001u);
  TaskOutput whole;
  whole.Take(run.bytes.data(), run.bytes.size());
  Strings expected;
  for (const chnode<char>* n = whole.messages.head; n; n = n->next) expected.push_back(n->item);
  EXPECT_GT(expected.size(), 1000u);
  EXPECT_EQ(run.messages, expected);
  EXPECT_EQ(run.progressText, whole.progressText);
}

TEST(CopierLaunch, InputIsAtItsEndAndRateIsPaced) {
  const DWORD before = GetTickCount();
  const CopierRun run = RunCopierScript("stdin\nrate 20000 400\nexit 0\n");
  const DWORD elapsed = GetTickCount() - before;
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_FALSE(run.messages.empty());
  EXPECT_EQ(run.messages[0], "0stdin: 0 bytes");
  EXPECT_EQ(run.bytes.size(), std::string("@ stdin: 0 bytes\n").size() + 8000u);
  EXPECT_EQ(run.messages.size(), 1u + 8000u / 64u);
  EXPECT_GE(elapsed, 380u);
}

TEST(CopierLaunch, MalformedScriptAndDemonstration) {
  const CopierRun bad = RunCopierScript("sleep 1\nwrite unquoted\n");
  EXPECT_EQ(bad.exitCode, 99u);
  EXPECT_EQ(bad.messages, Strings{"2script line 2: write needs one quoted text"});

  const CopierRun demo = StartAndDrain("tarnget.exe ftp://host/pub \"c:/my files\" -o? ");
  EXPECT_EQ(demo.exitCode, 0u);
  ASSERT_FALSE(demo.messages.empty());
  EXPECT_EQ(demo.messages[0], "0Connecting to ftp://host/pub");
  EXPECT_EQ(demo.progressText, "5100% done");
}

}  // namespace
