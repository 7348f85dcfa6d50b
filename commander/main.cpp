// Program start of the commander: run in the program's own directory, with OLE, until
// the main window closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "change_dir.h"
#include "dll_search.h"
#include "main_window.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  restrict_dll_search();
  change_to_program_dir();

  const bool ole = SUCCEEDED(::OleInitialize(nullptr));
  // The task list is a list view; its window class must be registered before setup.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  {
    CommanderState state;
    TDialogTarnwellCommander window(state);
    window.Execute();
  }
  if (ole) ::OleUninitialize();  // only a successful start is balanced
  return 0;
}
