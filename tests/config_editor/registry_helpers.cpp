#include "registry_helpers.h"
#include <algorithm>
#include <cstring>
#include "registry_view.h"

void DeleteTree(HKEY root, const char* path) {
  HKEY key;
  if (OpenRootKey(root, path, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    ::RegDeleteTreeA(key, nullptr);
    ::RegCloseKey(key);
  }
  DeleteRootKey(root, path);
}

bool KeyExists(HKEY root, const char* path) {
  HKEY key;
  if (OpenRootKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

void DeleteIfEmpty(HKEY root, const char* path) {
  HKEY key;
  if (OpenRootKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 1, values = 1;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
  ::RegCloseKey(key);
  if (subkeys == 0 && values == 0) DeleteRootKey(root, path);
}

void SetRaw(HKEY root, const char* path, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key;
  if (OpenOrCreateRootKey(root, path, &key) != ERROR_SUCCESS) return;
  ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
  ::RegCloseKey(key);
}

void SetString(HKEY root, const char* path, const char* name, const std::string& text) {
  SetRaw(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetNumber(HKEY root, const char* path, const char* name, std::int32_t value) {
  SetRaw(root, path, name, REG_DWORD, &value, sizeof value);
}

bool GetRaw(HKEY root, const char* path, const char* name, DWORD& type, std::vector<BYTE>& data) {
  HKEY key;
  if (OpenRootKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  bool ok = ::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
  if (ok) {
    data.assign(size, 0);
    ok = ::RegQueryValueExA(key, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS;
    data.resize(size);
  }
  ::RegCloseKey(key);
  return ok;
}

bool HasValue(HKEY root, const char* path, const char* name) {
  DWORD type;
  std::vector<BYTE> data;
  return GetRaw(root, path, name, type, data);
}

std::string GetString(HKEY root, const char* path, const char* name) {
  DWORD type;
  std::vector<BYTE> data;
  if (!GetRaw(root, path, name, type, data)) return "<missing>";
  if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
  std::string s(data.begin(), data.end());
  if (!s.empty() && s.back() == '\0') s.pop_back();
  return s;
}

std::int32_t GetNumber(HKEY root, const char* path, const char* name) {
  DWORD type;
  std::vector<BYTE> data;
  if (!GetRaw(root, path, name, type, data) || type != REG_DWORD || data.size() != 4) return kAbsentNumber;
  std::int32_t v;
  std::memcpy(&v, data.data(), 4);
  return v;
}

std::vector<std::string> ValueNames(HKEY root, const char* path) {
  std::vector<std::string> names;
  HKEY key;
  if (OpenRootKey(root, path, KEY_READ, &key) != ERROR_SUCCESS) return names;
  char name[300];
  for (DWORD i = 0;; ++i) {
    DWORD size = sizeof name;
    if (::RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.push_back(name);
  }
  ::RegCloseKey(key);
  std::sort(names.begin(), names.end());
  return names;
}
