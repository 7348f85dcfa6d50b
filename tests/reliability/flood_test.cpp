// A copier that writes random bytes as fast as it can, read by the main window's own
// one-second timer. Throughout, a message sent to the main window from another thread
// must be answered within 250 ms; nothing may crash; what is stored must be exactly what
// the same bytes give when read at leisure; and the process may grow only by what it
// stores.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "gui_test.h"
#include "reliability_support.h"
#include "resource.h"
#include "task_test_support.h"

namespace {

using Strings = std::vector<std::string>;

const DWORD kAnswerLimitMs = 250;

double NowMs() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

// Sends WM_NULL to the window every 10 ms from a thread of its own and keeps the longest
// time an answer took.
class AnswerWatch {
 public:
  explicit AnswerWatch(HWND window) : window_(window) { thread_ = ::CreateThread(nullptr, 0, Run, this, 0, nullptr); }
  ~AnswerWatch() { Stop(); }
  void Stop() {
    if (!thread_) return;
    stop_ = true;
    // The thread may be waiting for an answer right now: keep answering until it ends.
    while (::MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
      MSG msg;
      ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    ::CloseHandle(thread_);
    thread_ = nullptr;
  }
  double WorstMs() const { return worst_; }
  int Sent() const { return sent_; }
  int Unanswered() const { return unanswered_; }

 private:
  static DWORD WINAPI Run(void* self) {
    static_cast<AnswerWatch*>(self)->Loop();
    return 0;
  }
  void Loop() {
    while (!stop_) {
      DWORD_PTR result = 0;
      const double start = NowMs();
      // A generous time-out, so that a slow answer is measured rather than cut off.
      const bool answered = ::SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) != 0;
      const double took = NowMs() - start;
      ++sent_;
      if (!answered) ++unanswered_;
      worst_ = std::max<double>(worst_, took);
      ::Sleep(10);
    }
  }

  HWND window_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stop_{false};
  std::atomic<double> worst_{0};
  std::atomic<int> sent_{0};
  std::atomic<int> unanswered_{0};
};

// What a task's records hold of `script`'s output when every byte is read as soon as it
// arrives: the copier started on a pipe of our own and drained without a pause.
void ReadAtLeisure(const CopierScript& script, TaskOutput& output, std::uint64_t& bytes) {
  ScopedEnv env("TARNGET_SCRIPT", script.Path());
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  ASSERT_TRUE(::CreatePipe(&read, &write, &inherit, 0));
  ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = write;
  PROCESS_INFORMATION process{};
  char line[] = "tarnget.exe ftp://flood/ flood ";
  const BOOL started =
      ::CreateProcessA(nullptr, line, nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &startup, &process);
  ::CloseHandle(write);
  ASSERT_TRUE(started);
  std::vector<char> buffer(1 << 16);
  DWORD got = 0;
  bytes = 0;
  while (::ReadFile(read, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    output.Take(buffer.data(), got);
    bytes += got;
  }
  ::CloseHandle(read);
  ::WaitForSingleObject(process.hProcess, 30000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

Strings Lines(const TaskOutput& output) {
  Strings lines;
  for (const chnode<char>* n = output.messages.head; n; n = n->next) lines.push_back(n->item);
  return lines;
}

// The heap a task's stored lines take at least: each line's bytes and terminator, and
// its list node.
std::uint64_t StoredBytes(const TaskOutput& output) {
  std::uint64_t total = 0;
  for (const chnode<char>* n = output.messages.head; n; n = n->next)
    total += std::strlen(n->item) + 1 + sizeof(chnode<char>);
  return total;
}

class Flood : public TaskWindowTest {
 protected:
  void Run(const char* kind, std::uint64_t megabytes) {
    const std::uint64_t total = megabytes * 1024 * 1024;
    const std::string script = "flood " + std::to_string(total) + " " + kind + " 17\nexit 0\n";
    // Warm up: one short task of the same kind and a watching thread, so that what their
    // first use costs is spent before memory is measured.
    Start(("flood 4096 " + std::string(kind) + " 3\nexit 0\n").c_str());
    WaitForEnd(0);
    Click(window->Handle(), IDC_CLEAR);
    ASSERT_EQ(0, Rows());
    {
      // The watching thread's first messages cost the platform memory of its own.
      AnswerWatch warmUp(window->Handle());
      PumpMessages(100);
    }
    PumpMessages(50);
    const MemoryUse before = CurrentMemory();

    Start(script.c_str());
    TarngetTaskItem* task = Task(0);
    const double start = NowMs();
    AnswerWatch watch(window->Handle());
    // The window's own timer drains the pipe; nothing here reads it. The work ends when
    // the copier has ended and its last bytes have been taken.
    const int allowedMs = static_cast<int>(60000 + total / 50);
    const bool drained = PumpUntil([&] { return task->state != kTaskActive && WaitingOutput(*task) == 0; }, allowedMs);
    watch.Stop();
    const double elapsed = NowMs() - start;
    ASSERT_TRUE(drained) << "not drained after " << allowedMs << " ms";
    EXPECT_EQ("Ok", Status(0));

    const MemoryUse after = CurrentMemory();
    const std::uint64_t stored = StoredBytes(task->output);
    const double growth = static_cast<double>(after.privateBytes) - static_cast<double>(before.privateBytes);
    const double workingGrowth = static_cast<double>(after.workingSet) - static_cast<double>(before.workingSet);

    TaskOutput reference;
    std::uint64_t referenceBytes = 0;
    ReadAtLeisure(*scripts.back(), reference, referenceBytes);
    EXPECT_EQ(total, referenceBytes);
    const Strings got = Lines(task->output), want = Lines(reference);
    EXPECT_EQ(want.size(), got.size());
    EXPECT_TRUE(got == want) << "the stored lines differ from the lines of the same bytes read at leisure";
    EXPECT_STREQ(reference.progressText, task->output.progressText);

    Figure(
        "flood %s, %llu MB: drained in %.1f s (%.0f KB/s); main window answered %d messages from another "
        "thread, worst %.1f ms, %d unanswered; %d lines stored (%llu bytes with nodes); private bytes %+.0f KB "
        "(%llu KB to %llu KB), working set %+.0f KB",
        kind, static_cast<unsigned long long>(megabytes), elapsed / 1000, total / 1024.0 / (elapsed / 1000),
        watch.Sent(), watch.WorstMs(), watch.Unanswered(), static_cast<int>(got.size()),
        static_cast<unsigned long long>(stored), growth / 1024,
        static_cast<unsigned long long>(before.privateBytes / 1024),
        static_cast<unsigned long long>(after.privateBytes / 1024), workingGrowth / 1024);
    EXPECT_GT(watch.Sent(), 0);
    EXPECT_EQ(0, watch.Unanswered());
    EXPECT_LT(watch.WorstMs(), kAnswerLimitMs);
    // Heap blocks cost more than their bytes; the raw stream itself (megabytes) must not
    // stay behind.
    EXPECT_LT(growth, 3.0 * static_cast<double>(stored) + 4.0 * 1024 * 1024);
  }
};

// Random bytes of every value: CRs and LFs end lines, and a line is stored when it happens
// to begin with a marker.
TEST_F(Flood, RandomBytesWithLineEnds) { Run("any", Scaled(3, 100)); }

// No line end at all: one endless line, of which nothing may be kept but its first bytes.
TEST_F(Flood, RandomBytesWithoutLineEnds) { Run("noends", Scaled(2, 100)); }

}  // namespace
