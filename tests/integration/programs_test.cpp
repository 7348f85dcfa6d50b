// The two shipped programs as processes started from the folder they were built into: each
// opens its window and ends with exit code 0 when it is closed, and the commander starts the
// configuration editor beside it with "&Tarnget Config".
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "gui_test.h"

namespace {

const int kConfigButton = 110;  // "&Tarnget Config" on the commander's main window

struct Found {
  const char* caption;
  DWORD notPid;
  HWND hwnd;
};

BOOL CALLBACK FindByCaption(HWND w, LPARAM l) {
  auto* f = reinterpret_cast<Found*>(l);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(w, &pid);
  if (pid != f->notPid && ::IsWindowVisible(w) && WindowText(w) == f->caption) {
    f->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

// A visible top-level window with this caption, of a process other than `notPid`.
HWND WaitForWindow(const char* caption, DWORD notPid, int ms) {
  Found f{caption, notPid, nullptr};
  PumpUntil([&] {
    ::EnumWindows(FindByCaption, reinterpret_cast<LPARAM>(&f));
    return f.hwnd != nullptr;
  }, ms);
  return f.hwnd;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

// Closes a program's main window as the user would and waits for its process to end.
bool CloseAndWait(HWND hwnd, int ms) {
  HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, ProcessOf(hwnd));
  ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
  bool ended = process && ::WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
  if (process) ::CloseHandle(process);
  return ended;
}

// How long a program may take to show its window: TARNWELL_START_SECONDS when set (an
// emulated 32-bit start takes about a minute), otherwise 15 seconds.
int StartWaitMs() {
  const char* seconds = std::getenv("TARNWELL_START_SECONDS");
  const int value = seconds ? std::atoi(seconds) : 0;
  return value > 0 && value < 3600 ? value * 1000 : 15000;
}

}  // namespace

TEST(Programs, EachOpensItsWindowAndEndsWithZeroWhenClosed) {
  const struct {
    const char* program;
    const char* caption;
  } programs[] = {{"tarncmd.exe", "Tarnwell Commander v1.0a"}, {"tarncfg.exe", "Tarnwell Config v1.0a"}};
  for (const auto& p : programs) {
    SCOPED_TRACE(p.program);
    std::string commandLine = p.program;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ::CloseHandle(pi.hThread);
    HWND window = WaitForWindow(p.caption, ::GetCurrentProcessId(), StartWaitMs());
    EXPECT_NE(window, nullptr) << "no window";
    if (window) {
      EXPECT_EQ(ProcessOf(window), pi.dwProcessId);
      EXPECT_TRUE(CloseAndWait(window, StartWaitMs()));
    }
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (code == STILL_ACTIVE) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
  }
}

TEST(Programs, CommanderStartsTheEditorBesideIt) {
  char commandLine[] = "tarncmd.exe";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(::CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
      << "tarncmd.exe must be in the test's folder";
  ::CloseHandle(pi.hThread);

  HWND commander = WaitForWindow("Tarnwell Commander v1.0a", ::GetCurrentProcessId(), 15000);
  ASSERT_NE(commander, nullptr) << "the commander's window did not appear";
  EXPECT_EQ(ProcessOf(commander), pi.dwProcessId);

  ::PostMessageA(commander, WM_COMMAND, MAKEWPARAM(kConfigButton, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(commander, kConfigButton)));
  HWND editor = WaitForWindow("Tarnwell Config v1.0a", pi.dwProcessId, 15000);
  ASSERT_NE(editor, nullptr) << "the editor's window did not appear";
  EXPECT_NE(ProcessOf(editor), pi.dwProcessId);
  EXPECT_NE(ProcessOf(editor), ::GetCurrentProcessId());

  EXPECT_TRUE(CloseAndWait(editor, 10000));
  EXPECT_TRUE(CloseAndWait(commander, 10000));
  DWORD code = 1;
  ::GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  ::CloseHandle(pi.hProcess);
}
