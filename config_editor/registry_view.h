// Opening, creating and deleting keys under either root of the copier's configuration.
// The copier is a 32-bit program, so on a 64-bit Windows it reads the machine's key in the
// registry's 32-bit view; the editor, built for either size, works in that same view. The
// current user's keys are shared by both views and are opened as they are.
#pragma once
#include <windows.h>

// The view flag for keys under `root`: KEY_WOW64_32KEY for HKEY_LOCAL_MACHINE, else 0.
REGSAM RootView(HKEY root);

// RegOpenKeyExA with the root's view added to `access`.
LONG OpenRootKey(HKEY root, const char* path, REGSAM access, HKEY* key);
// Opens the key for writing, or creates it (non-volatile) when it is not there.
// `created`, when given, says which of the two happened.
LONG OpenOrCreateRootKey(HKEY root, const char* path, HKEY* key, bool* created = nullptr);
// Deletes a key without subkeys, in the root's view.
LONG DeleteRootKey(HKEY root, const char* path);
