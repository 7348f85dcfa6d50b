// tarncfg: edits the copier's stored defaults for the current user and for the machine.
#include <windows.h>
#include <ole2.h>
#include "main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The folder browser needs OLE on this thread for the whole run; failure is not fatal.
  ::OleInitialize(nullptr);
  {
    TDialogTarngetConfig window;
    window.Execute();
  }
  ::OleUninitialize();
  return 0;
}
