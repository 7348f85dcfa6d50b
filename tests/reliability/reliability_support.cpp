#include "reliability_support.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

bool LongRun() {
  char value[8];
  const DWORD n = ::GetEnvironmentVariableA("TARNWELL_LONG", value, sizeof value);
  return n > 0 && n < sizeof value && std::strcmp(value, "0") != 0;
}

int Scaled(int shortCount, int longCount) { return LongRun() ? longCount : shortCount; }

void Figure(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  std::printf("figure: %s\n", text);
  std::fflush(stdout);
}

namespace {

bool Ours(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid == ::GetCurrentProcessId();
}

BOOL CALLBACK CountChild(HWND, LPARAM l) {
  ++*reinterpret_cast<long*>(l);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM l) {
  if (Ours(hwnd)) {
    ++*reinterpret_cast<long*>(l);
    ::EnumChildWindows(hwnd, CountChild, l);
  }
  return TRUE;
}

// Every window of the process: top-level ones with all their descendants, and the
// message-only ones, which EnumWindows leaves out.
long CountWindows() {
  long n = 0;
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&n));
  for (HWND w = ::FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); w;
       w = ::FindWindowExA(HWND_MESSAGE, w, nullptr, nullptr)) {
    if (Ours(w)) {
      ++n;
      ::EnumChildWindows(w, CountChild, reinterpret_cast<LPARAM>(&n));
    }
  }
  return n;
}

// Wine does not implement GetGuiResources (it answers 0 with ERROR_CALL_NOT_IMPLEMENTED).
// It keeps each process's GDI objects in a table of its own and accepts a handle given by
// its table index alone, so asking every index for its object type counts them.
long ProbeGdiObjects() {
  long n = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i)
    if (::GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0) ++n;
  return n;
}

using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);

// Wine's USER handles are table indices too, even numbers from 0x20, likewise accepted
// by index alone: menus and icons are probed that way; windows are enumerated.
long ProbeUserObjects() {
  static const auto frameInfo = reinterpret_cast<CursorFrameInfo>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetCursorFrameInfo")));
  long n = CountWindows();
  for (ULONG_PTR h = 0x20; h < 0x10000; h += 2) {
    if (::IsMenu(reinterpret_cast<HMENU>(h))) ++n;
    DWORD rate = 0, steps = 0;
    if (frameInfo && frameInfo(reinterpret_cast<HCURSOR>(h), 0, 0, &rate, &steps)) ++n;
  }
  return n;
}

// Wine answers GetProcessHandleCount with 0, which no real process can hold. Its kernel
// handles are multiples of 4 from 4 up, the lowest free one given out first, so asking
// each value in turn for its flags counts them; the scan ends after a long run of unused
// values above the highest handle seen.
long ProbeKernelHandles() {
  long n = 0;
  ULONG_PTR lastUsed = 0;
  for (ULONG_PTR h = 4; h < lastUsed + 0x4000 && h < 0x1000000; h += 4) {
    DWORD flags = 0;
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(h), &flags)) {
      ++n;
      lastUsed = h;
    }
  }
  return n;
}

bool GuiResourcesWork() {
  static const bool works = [] {
    ::SetLastError(0);
    const DWORD gdi = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return gdi != 0 || ::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
  }();
  return works;
}

}  // namespace

ResourceCounts CountResources() {
  ResourceCounts c;
  DWORD handles = 0;
  c.handles = ::GetProcessHandleCount(::GetCurrentProcess(), &handles) && handles > 0 ? static_cast<long>(handles)
                                                                                      : ProbeKernelHandles();
  if (GuiResourcesWork()) {
    c.gdi = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
    c.user = static_cast<long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS));
  } else {
    c.gdi = ProbeGdiObjects();
    c.user = ProbeUserObjects();
  }
  return c;
}

namespace {

// How the counts were taken: the platform's functions, or the probes where it does not
// implement them.
const char* ResourceCountMethod() {
  DWORD handles = 0;
  const bool handleCount = ::GetProcessHandleCount(::GetCurrentProcess(), &handles) && handles > 0;
  if (handleCount && GuiResourcesWork()) return "GetProcessHandleCount and GetGuiResources";
  if (GuiResourcesWork()) return "handle probe, GetGuiResources";
  if (handleCount) return "GetProcessHandleCount, GDI and USER table probes";
  return "handle, GDI and USER table probes: GetProcessHandleCount and GetGuiResources do not count here";
}

std::string Describe(const ResourceCounts& c) {
  return "handles " + std::to_string(c.handles) + ", GDI " + std::to_string(c.gdi) + ", USER " + std::to_string(c.user);
}

std::string DescribeDelta(const ResourceCounts& before, const ResourceCounts& after) {
  auto signedText = [](long d) { return (d > 0 ? "+" : "") + std::to_string(d); };
  return "handles " + signedText(after.handles - before.handles) + ", GDI " + signedText(after.gdi - before.gdi) +
         ", USER " + signedText(after.user - before.user);
}

}  // namespace

void ExpectResourcesBack(const std::string& soak, const ResourceCounts& before, const ResourceCounts& after) {
  Figure("%s; before: %s; after: %s; delta: %s (%s)", soak.c_str(), Describe(before).c_str(), Describe(after).c_str(),
         DescribeDelta(before, after).c_str(), ResourceCountMethod());
  EXPECT_EQ(before.handles, after.handles);
  EXPECT_EQ(before.gdi, after.gdi);
  EXPECT_EQ(before.user, after.user);
}

MemoryUse CurrentMemory() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  MemoryUse use;
  if (::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters)) {
    // Wine leaves PrivateUsage at 0 and gives the resident size as PagefileUsage, which on
    // Windows is the same figure as PrivateUsage.
    use.privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    use.workingSet = counters.WorkingSetSize;
  }
  return use;
}

REGSAM ViewOf(HKEY root) { return root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0; }

// ---- Saved keys: read and written with the wide functions, so that every byte comes
// back as it was, whatever the code page makes of the text.

SavedKey::SavedKey(HKEY root, const char* path) : root_(root), path_(path) {
  const int length = ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  std::wstring widePath(length > 0 ? length - 1 : 0, L'\0');
  if (length > 1) ::MultiByteToWideChar(CP_ACP, 0, path, -1, &widePath[0], length);
  existed_ = Read(root, widePath, node_);
}

bool SavedKey::Read(HKEY parent, const std::wstring& name, Node& node) {
  HKEY key;
  if (::RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ | ViewOf(parent), &key) != ERROR_SUCCESS) return false;
  node.name = name;
  DWORD maxSubkey = 0, maxName = 0, maxData = 0;
  ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &maxSubkey, nullptr, nullptr, &maxName, &maxData, nullptr,
                     nullptr);
  std::vector<wchar_t> valueName(maxName + 2);
  std::vector<BYTE> data(maxData + 2);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = static_cast<DWORD>(valueName.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (::RegEnumValueW(key, i, valueName.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
      break;
    node.values.push_back(
        {std::wstring(valueName.data(), nameSize), type, std::vector<BYTE>(data.begin(), data.begin() + dataSize)});
  }
  std::vector<wchar_t> subkey(maxSubkey + 2);
  for (DWORD i = 0;; ++i) {
    DWORD size = static_cast<DWORD>(subkey.size());
    if (::RegEnumKeyExW(key, i, subkey.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    Node child;
    if (Read(key, std::wstring(subkey.data(), size), child)) node.children.push_back(child);
  }
  ::RegCloseKey(key);
  return true;
}

void SavedKey::Write(HKEY parent, const Node& node) {
  HKEY key;
  if (::RegCreateKeyExW(parent, node.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | ViewOf(parent),
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (const Value& v : node.values)
    ::RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
  for (const Node& child : node.children) Write(key, child);
  ::RegCloseKey(key);
}

void SavedKey::Restore() const {
  DeleteKeyTree(root_, path_.c_str());
  if (existed_) Write(root_, node_);
}

namespace {

// Both programs keep everything under "Software\\Brennock" of either root.
class SettingKeysEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    saved_.emplace_back(new SavedKey(HKEY_CURRENT_USER, "Software\\Brennock"));
    saved_.emplace_back(new SavedKey(HKEY_LOCAL_MACHINE, "Software\\Brennock"));
  }
  void TearDown() override {
    for (const auto& key : saved_) key->Restore();
    saved_.clear();
  }

 private:
  std::vector<std::unique_ptr<SavedKey>> saved_;
};

// Registered before main runs, so the keys are saved before the first test of either program.
const bool kSettingKeysProtected = (testing::AddGlobalTestEnvironment(new SettingKeysEnvironment), true);

}  // namespace

std::vector<RawValue> KeyValues(HKEY root, const char* path) {
  std::vector<RawValue> out;
  HKEY key;
  if (::RegOpenKeyExA(root, path, 0, KEY_READ | ViewOf(root), &key) != ERROR_SUCCESS) return out;
  DWORD maxName = 0, maxData = 0;
  ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData, nullptr,
                     nullptr);
  // The ANSI data of a wide string may be up to twice as long in a double-byte code page.
  std::vector<char> name(maxName + 2);
  std::vector<BYTE> data(2 * maxData + 2);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (::RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS) break;
    out.push_back(
        RawValue{std::string(name.data(), nameSize), type, std::vector<BYTE>(data.begin(), data.begin() + dataSize)});
  }
  ::RegCloseKey(key);
  std::sort(out.begin(), out.end(), [](const RawValue& a, const RawValue& b) { return a.name < b.name; });
  return out;
}

const RawValue* FindValue(const std::vector<RawValue>& values, const std::string& name) {
  for (const RawValue& v : values)
    if (::lstrcmpiA(v.name.c_str(), name.c_str()) == 0) return &v;
  return nullptr;
}

std::vector<BYTE> BytesOf(const std::string& s) { return std::vector<BYTE>(s.begin(), s.end()); }

std::vector<BYTE> Int32Bytes(std::initializer_list<std::int32_t> numbers) {
  std::vector<BYTE> bytes(numbers.size() * sizeof(std::int32_t));
  std::size_t at = 0;
  for (std::int32_t n : numbers) {
    std::memcpy(bytes.data() + at, &n, sizeof n);
    at += sizeof n;
  }
  return bytes;
}

void SetRawValue(HKEY root, const char* path, const RawValue& value) {
  HKEY key;
  if (::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | ViewOf(root), nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(), static_cast<DWORD>(value.data.size()));
  ::RegCloseKey(key);
}

void DeleteKeyTree(HKEY root, const char* path) {
  HKEY key;
  if (::RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS | ViewOf(root), &key) == ERROR_SUCCESS) {
    ::RegDeleteTreeA(key, nullptr);
    ::RegCloseKey(key);
  }
  ::RegDeleteKeyExA(root, path, ViewOf(root), 0);
}

std::string Describe(const RawValue& v) {
  std::string text =
      "\"" + v.name + "\" type " + std::to_string(v.type) + ", " + std::to_string(v.data.size()) + " bytes";
  if (v.data.size() <= 48) {
    text += ":";
    char hex[4];
    for (BYTE b : v.data) {
      std::snprintf(hex, sizeof hex, " %02x", b);
      text += hex;
    }
  }
  return text;
}

void PrintTo(const RawValue& v, std::ostream* os) { *os << Describe(v); }
