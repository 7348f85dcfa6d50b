// Shared by the reliability programs: the short or long form of a run, figures printed for
// scripts/reliability.sh, counts of what the process holds, and whole registry keys saved
// and put back. Linking this file also saves "Software\\Brennock" under both roots before
// the first test and restores it after the last.
#pragma once
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// TARNWELL_LONG set (and not "0") selects the long form of every case.
bool LongRun();
// `shortCount` in the short form, `longCount` in the long one.
int Scaled(int shortCount, int longCount);

// Prints one measured figure as "figure: <text>" on its own line, at once.
void Figure(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Kernel handles, GDI objects and USER objects of this process.
struct ResourceCounts {
  long handles = 0;
  long gdi = 0;
  long user = 0;
};
ResourceCounts CountResources();
// The end of a soak: prints `soak` with both counts as a figure, and expects every count
// back at its starting value.
void ExpectResourcesBack(const std::string& soak, const ResourceCounts& before, const ResourceCounts& after);

// Private bytes and working set of this process.
struct MemoryUse {
  std::uint64_t privateBytes = 0;
  std::uint64_t workingSet = 0;
};
MemoryUse CurrentMemory();

// The view in which every helper here opens keys under `root`: the editor keeps the
// machine's keys in the 32-bit view, where the 32-bit copier reads them.
REGSAM ViewOf(HKEY root);

// A whole registry key, its values and subkeys, as it stood when taken; Restore puts it
// back exactly (or removes it when it did not exist).
class SavedKey {
 public:
  SavedKey(HKEY root, const char* path);
  void Restore() const;

 private:
  struct Value {
    std::wstring name;
    DWORD type;
    std::vector<BYTE> data;
  };
  struct Node {
    std::wstring name;
    std::vector<Value> values;
    std::vector<Node> children;
  };
  static bool Read(HKEY parent, const std::wstring& name, Node& node);
  static void Write(HKEY parent, const Node& node);

  HKEY root_;
  std::string path_;
  bool existed_ = false;
  Node node_;
};

// Every value of a key: name, type and bytes, sorted by name.
struct RawValue {
  std::string name;
  DWORD type;
  std::vector<BYTE> data;
  bool operator==(const RawValue& o) const { return name == o.name && type == o.type && data == o.data; }
};
std::vector<RawValue> KeyValues(HKEY root, const char* path);
// The value of that name (names compare regardless of case, as the registry's do), or null.
const RawValue* FindValue(const std::vector<RawValue>& values, const std::string& name);
// Value data: a string's bytes as they stand (no zero added), or 32-bit numbers in order.
std::vector<BYTE> BytesOf(const std::string& s);
std::vector<BYTE> Int32Bytes(std::initializer_list<std::int32_t> numbers);
// Sets one value exactly as given (creating the key), whatever its type and size.
void SetRawValue(HKEY root, const char* path, const RawValue& value);
// Deletes a key with everything below it; a missing key is fine.
void DeleteKeyTree(HKEY root, const char* path);
std::string Describe(const RawValue& v);
void PrintTo(const RawValue& v, std::ostream* os);
