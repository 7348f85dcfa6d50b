// The whole-key operations behind the main window's copy and reset buttons. Each reports
// its outcome in a message box owned by `owner`; neither asks for confirmation.
#pragma once
#include <windows.h>

// Copies the source root's configuration key onto the destination root's, merging.
void CopyCopierConfig(HWND owner, HKEY sourceRoot, HKEY destRoot);
// Deletes the root's configuration key; a key that is not there counts as reset.
void ResetCopierConfig(HWND owner, HKEY root);
