#include "registry_view.h"

REGSAM RootView(HKEY root) { return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0; }

LONG OpenRootKey(HKEY root, const char* path, REGSAM access, HKEY* key) {
  return ::RegOpenKeyExA(root, path, 0, access | RootView(root), key);
}

LONG OpenOrCreateRootKey(HKEY root, const char* path, HKEY* key, bool* created) {
  if (created) *created = false;
  LONG rc = OpenRootKey(root, path, KEY_WRITE, key);
  if (rc == ERROR_SUCCESS) return rc;
  DWORD disposition = 0;
  rc = ::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | RootView(root), nullptr, key,
                         &disposition);
  if (created) *created = rc == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
  return rc;
}

LONG DeleteRootKey(HKEY root, const char* path) { return ::RegDeleteKeyExA(root, path, RootView(root), 0); }
