// A registry key of one test's own, HKEY_CURRENT_USER\Software\TarnwellTests\NAME: empty
// when made, removed with the object (and its parent once nothing else lives there).
#pragma once
#include <windows.h>
#include <string>

class ScratchKey {
 public:
  explicit ScratchKey(const char* name) : path_(std::string(kRoot) + "\\" + name) {
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~ScratchKey() {
    if (key_) ::RegCloseKey(key_);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
    ::RegDeleteKeyA(HKEY_CURRENT_USER, kRoot);
  }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  HKEY Handle() const { return key_; }  // null when the key could not be made

 private:
  static constexpr const char* kRoot = "Software\\TarnwellTests";
  std::string path_;
  HKEY key_ = nullptr;
};
