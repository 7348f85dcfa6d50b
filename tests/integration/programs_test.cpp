// The two shipped programs together: the commander, started as a process from the folder
// it was built into, starts the configuration editor beside it with "&Tarnget Config".
#include <windows.h>
#include <gtest/gtest.h>
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

}  // namespace

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
