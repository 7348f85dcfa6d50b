#include "dll_search.h"

#include <windows.h>

void restrict_dll_search() {
  // SetDefaultDllDirectories is missing on a Windows 7 without its 2011 loader update, so
  // it is looked up rather than imported: an import would stop the program from starting.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDirectories>(
                          reinterpret_cast<void*>(::GetProcAddress(kernel, "SetDefaultDllDirectories")))
                    : nullptr;
  if (set && set(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it the program's folder stays searched, but the current directory at least
  // leaves the search order.
  ::SetDllDirectoryA("");
}
