#include "clipboard_text.h"

#include <cstring>

bool PutClipboardText(HWND owner, const char* text) {
  const std::size_t size = std::strlen(text) + 1;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return false;
  void* bytes = ::GlobalLock(memory);
  if (!bytes) {
    ::GlobalFree(memory);
    return false;
  }
  std::memcpy(bytes, text, size);
  ::GlobalUnlock(memory);
  if (!::OpenClipboard(owner)) {
    ::GlobalFree(memory);
    return false;
  }
  ::EmptyClipboard();
  // Once set, the memory belongs to the clipboard.
  const bool set = ::SetClipboardData(CF_TEXT, memory) != nullptr;
  ::CloseClipboard();
  if (!set) ::GlobalFree(memory);
  return set;
}
