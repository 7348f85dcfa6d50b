// Test programs start as the real programs do: DPI aware, OLE and the common controls first.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <gtest/gtest.h>
#include "gui_test.h"

int main(int argc, char** argv) {
  DeclarePerMonitorDpiAware();
  ::OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&icc);
  testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  ::OleUninitialize();
  return rc;
}
