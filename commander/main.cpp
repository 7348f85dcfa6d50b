// Program start of the commander: run in the program's own directory, with OLE, until
// the main window closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "change_dir.h"
#include "main_window.h"
#include "str_util.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The program's path comes from GetModuleFileNameA rather than the runtime's argv[0]:
  // the same path, always absolute. A path cut short by the buffer is not used.
  char path[MAX_PATH];
  DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
  if (length > 0 && length < sizeof path) change_dir(strip_last_component(path));

  ::OleInitialize(nullptr);
  // The task list is a list view; its window class must be registered before setup.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);
  {
    TDialogTarnwellCommander window;
    window.Execute();
  }
  ::OleUninitialize();
  return 0;
}
