#include "stdout_writer.h"

#include <windows.h>

#include <cstring>

void WriteOut(const char* bytes, std::size_t length) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  while (length > 0) {
    // A pipe write blocks while the pipe is full, which is how a slow reader holds the copier back.
    const DWORD slice = length > 65536 ? 65536 : static_cast<DWORD>(length);
    DWORD written = 0;
    if (!WriteFile(out, bytes, slice, &written, nullptr) || written == 0) ExitProcess(kOutputLostExit);
    bytes += written;
    length -= written;
  }
}

void WriteOut(const char* text) {
  WriteOut(text, std::strlen(text));
}
