// Measures the commander's task machinery with real stand-in copiers under the real main
// window: how much a copier is slowed by being read once a second, what a tick costs,
// how quickly the message window opens on a long output, and what finished tasks weigh.
// Run from bin/ (scripts/bench.sh), where tarnget.exe lies.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "main_window.h"
#include "message_window.h"
#include "prompts.h"
#include "str_util.h"
#include "tasks.h"

namespace {

// Nobody is there to press OK: a message box is printed, with the last platform error,
// and the run goes on.
int PrintMessageBox(HWND, const char* text, const char* caption, UINT) {
  std::printf("   (message box \"%s\": %s; last error %lu)\n", caption, text, ::GetLastError());
  return IDOK;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string TempPath(const char* stem) {
  char dir[MAX_PATH], path[MAX_PATH];
  ::GetTempPathA(sizeof dir, dir);
  ::GetTempFileNameA(dir, stem, 0, path);
  return path;
}

// A script file for the stand-in, named by TARNGET_SCRIPT while copiers start.
class Script {
public:
  explicit Script(const std::string& text) : path_(TempPath("bch")) {
    HANDLE f = ::CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(f);
    ::SetEnvironmentVariableA("TARNGET_SCRIPT", path_.c_str());
  }
  ~Script() {
    ::SetEnvironmentVariableA("TARNGET_SCRIPT", nullptr);
    ::DeleteFileA(path_.c_str());
  }

private:
  std::string path_;
};

double RunSeconds(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
  auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(exited) - ticks(created)) / 1e7;
}

void Pump(int ms) {
  const DWORD end = ::GetTickCount() + ms;
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(5);
  } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

// What one call to Wine's server costs at the moment: a peek on an unrelated empty pipe.
double ServerLatency() {
  HANDLE read, write;
  ::CreatePipe(&read, &write, nullptr, 0);
  const double start = Now();
  DWORD waiting = 0;
  for (int i = 0; i < 10; ++i) ::PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr);
  const double took = (Now() - start) / 10;
  ::CloseHandle(read);
  ::CloseHandle(write);
  return 1000 * took;
}

std::size_t WorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize;
}

std::size_t PrivateBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

class Bench {
public:
  Bench() {
    window_.Create();
    ::ShowWindow(window_.Handle(), SW_SHOW);
  }
  ~Bench() { EndAll(); }

  TaskBoard Board() { return TaskBoard(window_.Handle(), *window_.taskList, window_.taskChain); }
  chain<TarngetTaskItem>& Tasks() { return window_.taskChain; }

  bool Start(const char* commandLine = "tarnget.exe ftp://bench/ c:/bench ") {
    return Board().StartTask(dup_n(commandLine, std::strlen(commandLine))) == 0;
  }
  void EndAll() {
    for (int i = 0; TarngetTaskItem* task = Tasks().nth(i); ++i) ::TerminateProcess(task->process, 255);
    for (int i = 0; TarngetTaskItem* task = Tasks().nth(i); ++i) ::WaitForSingleObject(task->process, 5000);
    Board().ClearFinished();
  }
  HWND Handle() const { return window_.Handle(); }

private:
  CommanderState state_;  // built before the window, which loads into it
  TDialogTarnwellCommander window_{state_};
};

// How much a pipe of each requested size holds before its writer waits, as Wine keeps it.
void PipeCapacity() {
  std::printf("Pipe capacity (bytes a writer gets in before it waits):\n");
  for (DWORD requested : {DWORD(0), DWORD(64 * 1024), kOutputPipeSize}) {
    HANDLE read, write;
    ::CreatePipe(&read, &write, nullptr, requested);
    HANDLE thread = ::CreateThread(nullptr, 0, [](void* h) -> DWORD {
      char block[1024] = {};
      DWORD written;
      while (::WriteFile(static_cast<HANDLE>(h), block, sizeof block, &written, nullptr)) {}
      return 0;
    }, write, 0, nullptr);
    ::Sleep(500);
    DWORD waiting = 0;
    ::PeekNamedPipe(read, nullptr, 0, nullptr, &waiting, nullptr);
    std::printf("  requested %7lu: %7lu\n", static_cast<unsigned long>(requested), static_cast<unsigned long>(waiting));
    ::CloseHandle(read);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(write);
  }
}

// 1. A copier writing 64 KiB/s of marked lines for 8 s: once read by the commander's
// one-second timer, once writing into a file, both at the same time.
void Drain(Bench& bench) {
  Script script("rate 65536 8000\nexit 0\n");
  std::string file = TempPath("out");
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE out = ::CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = out;
  si.hStdInput = nullptr;
  PROCESS_INFORMATION toFile{};
  char line[] = "tarnget.exe ftp://bench/ file ";
  ::CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &si, &toFile);
  ::CloseHandle(out);
  bench.Start();
  TarngetTaskItem* task = bench.Tasks().nth(bench.Tasks().count - 1);

  // The window's own timer does the polling, as in the program.
  while (task->state == kTaskActive) Pump(50);
  Pump(1100);
  ::WaitForSingleObject(toFile.hProcess, 30000);
  const double polled = RunSeconds(task->process), written = RunSeconds(toFile.hProcess);
  std::printf("1. Drain, 64 KiB/s for 8 s: read by the commander %.3f s, into a file %.3f s, ratio %.3f "
              "(lines stored %d of 8192)\n",
              polled, written, polled / written, task->output.messages.count);
  ::CloseHandle(toFile.hThread);
  ::CloseHandle(toFile.hProcess);
  ::DeleteFileA(file.c_str());
  bench.EndAll();
}

// 2. One PollTasks over 200 silent copiers, and over 50 copiers writing 16 KiB/s each.
void TickCost(Bench& bench) {
  {
    Script script("sleep 600000\n");
    for (int i = 0; i < 200; ++i) bench.Start();
    Pump(2000);
    const int rounds = 20;
    double total = 0;
    for (int i = 0; i < rounds; ++i) {
      const double start = Now();
      bench.Board().PollTasks();
      total += Now() - start;
    }
    std::printf("2. Tick cost, 200 idle tasks: %.3f ms per PollTasks (mean of %d); unrelated peek %.3f ms\n",
                1000 * total / rounds, rounds, ServerLatency());
    bench.EndAll();
  }
  {
    Script script("rate 16384 120000\n");
    for (int i = 0; i < 50; ++i) {
      bench.Start();
      Pump(50);  // the window's timer drains meanwhile, as it does in the program
    }
    Pump(2000);
    double total = 0, longest = 0;
    const int rounds = 5;
    std::size_t before = 0;
    for (int i = 0; TarngetTaskItem* task = bench.Tasks().nth(i); ++i) before += task->output.messages.count;
    for (int i = 0; i < rounds; ++i) {
      ::Sleep(1000);  // a tick's worth of output; the window's timer is not dispatched meanwhile
      const double start = Now();
      bench.Board().PollTasks();
      const double took = Now() - start;
      total += took;
      if (took > longest) longest = took;
    }
    const double latency = ServerLatency();
    std::size_t after = 0;
    for (int i = 0; TarngetTaskItem* task = bench.Tasks().nth(i); ++i) after += task->output.messages.count;
    std::printf("   Tick cost, 50 tasks at 16 KiB/s: %.3f ms per PollTasks (mean of %d, longest %.3f ms, "
                "%.0f lines a tick)\n"
                "   (meanwhile one PeekNamedPipe on an unrelated empty pipe took %.3f ms)\n",
                1000 * total / rounds, rounds, 1000 * longest, static_cast<double>(after - before) / rounds, latency);
    bench.EndAll();
  }
}

// 3. The message window on a task with 100,000 stored lines, and a refresh adding 1,000.
void MessageWindow(Bench& bench) {
  chain<TarngetTaskItem> tasks;
  auto* task = new TarngetTaskItem;
  const char commandLine[] = "tarnget.exe ftp://bench/ c:/bench ";
  task->commandLine.reset(dup_n(commandLine, sizeof commandLine - 1));
  tasks.append(task);
  auto say = [task](int from, int count) {
    std::string text;
    char line[96];
    for (int i = from; i < from + count; ++i) {
      std::snprintf(line, sizeof line, "@ stored line %06d of a long transfer, with some text after it\n", i);
      text += line;
    }
    task->output.Take(text.data(), text.size());
  };
  say(0, 100000);

  double start = Now();
  {
    TarngetMessageDialog dialog(bench.Handle(), tasks, task);
    dialog.Create();
    ::ShowWindow(dialog.Handle(), SW_SHOW);
    ::UpdateWindow(dialog.Handle());
    const double opened = Now() - start;
    say(100000, 1000);
    start = Now();
    dialog.Send(WM_TIMER, 0);
    ::UpdateWindow(dialog.Handle());
    const double refreshed = Now() - start;
    std::printf("3. Message window: opening on 100,000 lines %.1f ms (%d rows); a refresh adding 1,000 lines %.1f ms\n",
                1000 * opened, dialog.list.GetCount(), 1000 * refreshed);
  }
  tasks.clear_delete();
}

// 4. The commander's working set with 200 finished tasks of 1,000 stored lines each.
void Memory(Bench& bench) {
  Pump(200);
  const std::size_t before = WorkingSet(), privateBefore = PrivateBytes();
  Script script("rate 6400000 10\nexit 0\n");  // 1,000 lines of 64 bytes at once
  for (int batch = 0; batch < 8; ++batch) {
    for (int i = 0; i < 25; ++i) bench.Start();
    for (;;) {
      bench.Board().PollTasks();
      bool done = true;
      for (int i = 0; TarngetTaskItem* task = bench.Tasks().nth(i); ++i)
        done = done && task->state != kTaskActive && ReadTaskOutput(*task) == 0;
      if (done) break;
      Pump(20);
    }
  }
  long lines = 0;
  for (int i = 0; TarngetTaskItem* task = bench.Tasks().nth(i); ++i) lines += task->output.messages.count;
  Pump(200);
  const std::size_t after = WorkingSet(), privateAfter = PrivateBytes();
  std::printf("4. Memory, %d finished tasks with %ld lines: working set %.1f MiB (was %.1f MiB before them, "
              "+%.1f MiB); private bytes +%.1f MiB\n",
              bench.Tasks().count, lines, after / 1048576.0, before / 1048576.0,
              (static_cast<double>(after) - before) / 1048576.0,
              (static_cast<double>(privateAfter) - privateBefore) / 1048576.0);
  bench.EndAll();
}

// 5. The longest tick while 50 and then 200 copiers flood their pipes with no pause, and
// how many ticks it takes until every task has had its turn at the drain.
void FloodingTicks(Bench& bench) {
  Script script("flood 100000000000 any 5\n");
  for (int copiers : {50, 200}) {
    for (int i = 0; i < copiers; ++i) bench.Start();
    Pump(1000);
    double longest = 0, total = 0;
    const int rounds = 10;
    int ticksUntilAllServed = 0;
    for (int i = 0; i < rounds; ++i) {
      ::Sleep(200);  // the pipes fill again; the window's timer is not dispatched meanwhile
      const double start = Now();
      bench.Board().PollTasks();
      const double took = Now() - start;
      total += took;
      if (took > longest) longest = took;
      bool allServed = true;
      for (int k = 0; TarngetTaskItem* task = bench.Tasks().nth(k); ++k)
        allServed = allServed && task->output.messages.count > 0;
      if (allServed && ticksUntilAllServed == 0) ticksUntilAllServed = i + 1;
    }
    std::printf("5. %d copiers flooding: longest tick %.1f ms, mean %.1f ms (of %d); every task had output after "
                "%d ticks\n",
                copiers, 1000 * longest, 1000 * total / rounds, rounds, ticksUntilAllServed);
    bench.EndAll();
  }
}

}  // namespace

// With "flood" only the flooding ticks run.
int main(int argc, char** argv) {
  const bool floodOnly = argc > 1 && std::strcmp(argv[1], "flood") == 0;
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  SetPromptHooks({PrintMessageBox, nullptr, nullptr, nullptr, nullptr});
  {
    Bench bench;
    if (!floodOnly) {
      PipeCapacity();
      Drain(bench);
      TickCost(bench);
      MessageWindow(bench);
      Memory(bench);
    }
    FloodingTicks(bench);
  }
  ::OleUninitialize();
  return 0;
}
