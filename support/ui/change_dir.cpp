#include "change_dir.h"

#include <windows.h>

#include <memory>
#include <new>

#include "str_util.h"

namespace {

bool is_drive_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The current directory; null when it cannot be read.
std::unique_ptr<char[]> current_directory() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);  // terminator included
  if (size == 0) return nullptr;
  std::unique_ptr<char[]> dir(new (std::nothrow) char[size]);
  if (!dir) return nullptr;
  const DWORD len = GetCurrentDirectoryA(size, dir.get());
  if (len == 0 || len >= size) return nullptr;
  return dir;
}

}  // namespace

int change_dir(const char* path) {
  const bool has_drive = path[0] != '\0' && path[1] == ':' && is_drive_letter(path[0]);
  if (!has_drive) return SetCurrentDirectoryA(path) ? 0 : -1;

  // Win32 has one current directory per process; "X:" alone moves to the
  // directory last used on drive X (kept in the hidden "=X:" environment
  // variable), which is what selecting a drive means here.
  const std::unique_ptr<char[]> previous = current_directory();
  const char drive[3] = {path[0], ':', '\0'};
  // The drive switch fails when the directory remembered for that drive is gone; the
  // path itself may still be there, so its change decides.
  SetCurrentDirectoryA(drive);
  int result = -1;
  if (SetCurrentDirectoryA(path))
    result = 0;
  else if (previous)
    SetCurrentDirectoryA(previous.get());  // undo the drive switch
  return result;
}

int change_to_folder_of(char* program_path) { return change_dir(strip_last_component(program_path)); }

void change_to_program_dir() {
  // GetModuleFileNameA rather than the runtime's argv[0]: the same path, always absolute.
  // A path cut short by the buffer is not used.
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length > 0 && length < sizeof path) change_to_folder_of(path);
}
