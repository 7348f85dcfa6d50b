// Text onto the clipboard.
#pragma once
#include <windows.h>

// Replaces the clipboard's content with `text` as CF_TEXT. Whether it got there.
bool PutClipboardText(HWND owner, const char* text);
