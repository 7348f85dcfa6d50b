// Registry helpers for the editor's tests. Tests work on the real keys of the build's own
// Wine prefix and leave them as they found them: absent. Keys under HKEY_LOCAL_MACHINE are
// those of the 32-bit view, where the editor keeps them.
#pragma once
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "copier_config.h"
#include "editor_settings.h"

// Deletes a key and everything below it; a missing key is fine.
void DeleteTree(HKEY root, const char* path);
bool KeyExists(HKEY root, const char* path);
// Deletes a key that holds neither values nor subkeys.
void DeleteIfEmpty(HKEY root, const char* path);

// Raw value access, type and size as given.
void SetRaw(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size);
void SetString(HKEY root, const char* path, const char* name, const std::string& text);
void SetNumber(HKEY root, const char* path, const char* name, std::int32_t value);
bool HasValue(HKEY root, const char* path, const char* name);
// The value's type and bytes; false when it is missing.
bool GetRaw(HKEY root, const char* path, const char* name, DWORD& type, std::vector<BYTE>& data);
// A REG_SZ value's text ("<missing>" / "<type N>" otherwise).
std::string GetString(HKEY root, const char* path, const char* name);
// A REG_DWORD value (kAbsentNumber when missing or of another type or size).
std::int32_t GetNumber(HKEY root, const char* path, const char* name);
// Every value name of the key, sorted.
std::vector<std::string> ValueNames(HKEY root, const char* path);

// Runs with both copier keys and the editor's own key absent, and removes them again after.
class CleanKeys {
public:
  CleanKeys() { Clear(); }
  ~CleanKeys() { Clear(); }
  static void Clear() {
    DeleteTree(HKEY_CURRENT_USER, kCopierConfigKey);
    DeleteTree(HKEY_LOCAL_MACHINE, kCopierConfigKey);
    DeleteTree(HKEY_CURRENT_USER, kEditorSettingsKey);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) DeleteIfEmpty(root, "Software\\Brennock");
  }
};
