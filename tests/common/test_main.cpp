// Test programs start as the real programs do: DPI aware, OLE and the common controls first.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "gui_test.h"

#include <cstdio>
#include <cstdlib>

namespace {

// A run the test command meant for one ANSI code page (TARNWELL_CODE_PAGE) must have it: its
// cases for other code pages skip themselves, so on the wrong one it would pass unchecked.
bool HasTheCodePageMeantForIt() {
  char text[16];
  const DWORD n = ::GetEnvironmentVariableA("TARNWELL_CODE_PAGE", text, sizeof text);
  if (n == 0 || n >= sizeof text) return true;
  const unsigned meant = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  if (meant == ::GetACP()) return true;
  std::fprintf(stderr, "meant for ANSI code page %u, running under %u\n", meant, ::GetACP());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasTheCodePageMeantForIt()) return 1;
  DeclarePerMonitorDpiAware();
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
