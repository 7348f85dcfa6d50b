// tarncfg: edits the copier's stored defaults for the current user and for the machine.
// It runs in its own directory, with OLE, until the main window closes.
#include <windows.h>
#include <ole2.h>
#include "change_dir.h"
#include "dll_search.h"
#include "main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  restrict_dll_search();
  change_to_program_dir();
  // The folder browser needs OLE on this thread for the whole run; failure is not fatal.
  const bool ole = SUCCEEDED(::OleInitialize(nullptr));
  {
    EditorState state;
    TDialogTarngetConfig window(state);
    window.Execute();
  }
  if (ole) ::OleUninitialize();  // only a successful start is balanced
  return 0;
}
