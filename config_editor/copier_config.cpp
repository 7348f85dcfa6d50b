#include "copier_config.h"
#include <cstring>
#include <vector>
#include "registry_view.h"
#include "str_util.h"

const char kCopierConfigKey[] = "Software\\Brennock\\Tarnwell";

const char* const kCopierStringNames[kCopierStringCount] = {
    "FTP proxy server",
    "HTTP proxy server",
    "NNTP proxy server",
    "Log file path",
    "Work directory",
    "Directory list name",
    "Default HTML filename",
    "Message-ID directory",
    "File description list name",
};

const char* const kCopierNumberNames[kCopierNumberCount] = {
    "FTP proxy port",
    "HTTP proxy port",
    "NNTP proxy port",
    "Create directory structure",
    "Overwrite mode",
    "Failure retry count in each transfer",
    "Recursive mode",
    "Client/server talk switch",
    "Transfer gauge switch",
    "Erase source file/directory",
    "PASV mode",
    "Include non-HTML objects accross sites",
    "Relocate HTTP image",
    "Decode newsgroup posts",
    "Posts of minimum rows to scan",
};

const char* RootName(HKEY root) { return root == HKEY_CURRENT_USER ? "Personal" : "Global"; }

namespace {

enum class Found { Absent, Value, Unreadable };

// The data may lack its terminating zero (whoever wrote it chose the length), so the
// buffer keeps one byte past what the query may fill.
Found ReadString(HKEY key, const char* name, char*& out) {
  char buffer[kCopierStringMax + 2];
  DWORD type = 0;
  DWORD size = kCopierStringMax + 1;
  LONG rc = ::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (rc == ERROR_FILE_NOT_FOUND) return Found::Absent;
  // REG_EXPAND_SZ is what scripts and .reg files often write for paths; the copier takes its
  // text as it stands, so it is shown and kept unexpanded.
  const bool text = type == REG_SZ || type == REG_EXPAND_SZ;
  if (rc != ERROR_SUCCESS || !text || size > kCopierStringMax + 1) return Found::Unreadable;
  buffer[size] = '\0';
  std::size_t len = std::strlen(buffer);
  // Empty, too long to write back whole, or with more after an inner zero.
  if (len == 0 || len > kCopierStringMax || (len != size && len + 1 != size)) return Found::Unreadable;
  out = dup_n(buffer, len);
  return out ? Found::Value : Found::Unreadable;
}

Found ReadNumber(HKEY key, const char* name, std::int32_t& out) {
  std::int32_t value = 0;
  DWORD size = sizeof value;
  LONG rc = ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  if (rc == ERROR_FILE_NOT_FOUND) return Found::Absent;
  // Any four bytes are the number the copier reads, whatever type the writer gave them
  // (REG_BINARY from a .reg file, for one): the bytes in little-endian order, as the copier
  // takes them, so REG_DWORD_BIG_ENDIAN data reads as the copier sees it too.
  if (rc != ERROR_SUCCESS || size != sizeof value || value == kAbsentNumber) return Found::Unreadable;
  out = value;
  return Found::Value;
}

// Deleting a value that is not there is no error; any other refusal is, since the value
// the user removed would otherwise stay in force unseen.
bool DeletedOrAbsent(LONG rc) { return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND; }

}  // namespace

int ReadCopierConfig(HKEY root, char* strings[kCopierStringCount], std::int32_t numbers[kCopierNumberCount],
                     UnreadableValues* unreadable) {
  for (int i = 0; i < kCopierStringCount; ++i) strings[i] = nullptr;
  for (int i = 0; i < kCopierNumberCount; ++i) numbers[i] = kAbsentNumber;
  if (unreadable) *unreadable = UnreadableValues{};
  HKEY key;
  if (OpenRootKey(root, kCopierConfigKey, KEY_READ, &key) != ERROR_SUCCESS) return -1;
  bool found = false;
  for (int i = 0; i < kCopierStringCount; ++i) {
    Found f = ReadString(key, kCopierStringNames[i], strings[i]);
    found |= f == Found::Value;
    if (unreadable) unreadable->strings[i] = f == Found::Unreadable;
  }
  for (int i = 0; i < kCopierNumberCount; ++i) {
    Found f = ReadNumber(key, kCopierNumberNames[i], numbers[i]);
    found |= f == Found::Value;
    if (unreadable) unreadable->numbers[i] = f == Found::Unreadable;
  }
  ::RegCloseKey(key);
  return found ? 0 : -1;
}

void FreeCopierStrings(char* strings[kCopierStringCount]) {
  for (int i = 0; i < kCopierStringCount; ++i) {
    delete[] strings[i];
    strings[i] = nullptr;
  }
}

int WriteCopierConfig(HKEY root, char* const strings[kCopierStringCount],
                      const signed char stringStates[kCopierStringCount],
                      const std::int32_t numbers[kCopierNumberCount],
                      const signed char numberStates[kCopierNumberCount]) {
  HKEY key;
  bool created = false;
  if (OpenOrCreateRootKey(root, kCopierConfigKey, &key, &created) != ERROR_SUCCESS) return -1;
  bool anySet = false;
  bool failed = false;
  for (int i = 0; i < kCopierStringCount; ++i) {
    const char* name = kCopierStringNames[i];
    if (stringStates[i] == kSet) {
      const char* text = strings[i] ? strings[i] : "";
      anySet = true;
      failed |= ::RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(std::strlen(text) + 1)) != ERROR_SUCCESS;
    } else if (stringStates[i] == kDelete) {
      failed |= !DeletedOrAbsent(::RegDeleteValueA(key, name));
    }
  }
  for (int i = 0; i < kCopierNumberCount; ++i) {
    const char* name = kCopierNumberNames[i];
    if (numberStates[i] == kSet) {
      anySet = true;
      failed |= ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&numbers[i]),
                                 sizeof numbers[i]) != ERROR_SUCCESS;
    } else if (numberStates[i] == kDelete) {
      failed |= !DeletedOrAbsent(::RegDeleteValueA(key, name));
    }
  }
  ::RegCloseKey(key);
  // A write that only deletes must not leave an empty key where there was none.
  if (created && !anySet) DeleteRootKey(root, kCopierConfigKey);
  return failed ? -1 : 0;
}

namespace {

// Longest value or subkey name, with room for its terminator.
const DWORD kNameSize = 261;

int CopyOpenKey(HKEY source, HKEY destRoot, const char* destPath);

int CopyValuesAndSubkeys(HKEY source, HKEY dest) {
  DWORD maxData = 0;
  if (::RegQueryInfoKeyA(source, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS) {
    return -1;
  }
  std::vector<BYTE> data(maxData ? maxData : 1);
  char name[kNameSize];
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = kNameSize;
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    LONG rc = ::RegEnumValueA(source, i, name, &nameSize, nullptr, &type, data.data(), &dataSize);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) return -1;
    if (::RegSetValueExA(dest, name, 0, type, data.data(), dataSize) != ERROR_SUCCESS) return -1;
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = kNameSize;
    const LONG listed = ::RegEnumKeyExA(source, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr);
    if (listed == ERROR_NO_MORE_ITEMS) break;
    if (listed != ERROR_SUCCESS) return -1;  // a subkey left out is no copy
    HKEY child;
    if (OpenRootKey(source, name, KEY_READ, &child) != ERROR_SUCCESS) return -1;
    int rc = CopyOpenKey(child, dest, name);
    ::RegCloseKey(child);
    if (rc != 0) return -1;
  }
  return 0;
}

int CopyOpenKey(HKEY source, HKEY destRoot, const char* destPath) {
  HKEY dest;
  if (OpenOrCreateRootKey(destRoot, destPath, &dest) != ERROR_SUCCESS) return -1;
  int rc = CopyValuesAndSubkeys(source, dest);
  ::RegCloseKey(dest);
  return rc;
}

}  // namespace

int CopyRegistryKey(HKEY sourceRoot, const char* sourcePath, HKEY destRoot, const char* destPath) {
  HKEY source;
  if (OpenRootKey(sourceRoot, sourcePath, KEY_READ, &source) != ERROR_SUCCESS) return -1;
  int rc = CopyOpenKey(source, destRoot, destPath);
  ::RegCloseKey(source);
  return rc;
}
