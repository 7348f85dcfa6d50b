// The commander's settings key filled with values of the wrong type, the wrong size, odd
// numbers, strings without their zero, huge strings, inner NULs and broken history
// numbering. The main window must start, show the defaults or the readable part, and
// write back only well-formed values that mean what it showed: a second start from the
// written key shows the same, and its close writes the same key again.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "commander_fixture.h"
#include "gui_test.h"
#include "history.h"
#include "main_window.h"
#include "reliability_support.h"
#include "settings_store.h"

namespace {

using Strings = std::vector<std::string>;
using Bytes = std::vector<BYTE>;

const char* const kFlagNames[] = {"Top most", "Use options", "Use tarnget config", "Task list switch"};
const char* const kWidthNames[] = {"Task list status width", "Task list command width"};
const char kPosition[] = "Window Position";
const char kForeign[] = "Not the commander's";

std::vector<std::string> HistoryNames() {
  std::vector<std::string> names = {"Remote URL", "Local path"};
  for (const OptionListName& l : kOptionLists) names.push_back(l.registryName);
  return names;
}

std::string EntryName(const std::string& list, int i) { return list + " " + std::to_string(i); }

// A history list as the stored format defines its readable part: entries numbered from 0
// until the first missing number, at most 10, each value of any type read up to its first
// zero byte or its end.
Strings ReadableList(const std::vector<RawValue>& key, const std::string& list) {
  Strings entries;
  for (int i = 0; i < kHistoryLimit; ++i) {
    const RawValue* found = FindValue(key, EntryName(list, i));
    if (!found) break;
    const auto zero = std::find(found->data.begin(), found->data.end(), 0);
    entries.emplace_back(found->data.begin(), zero);
  }
  return entries;
}

// What the main window showed of its settings.
struct Shown {
  RECT window{};
  int checks[3] = {};  // "Always on top", "Use options", "Use tarnget config"
  bool taskListShown = false;
  int widths[2] = {};
  int listWidth = 0;
  Strings urls, localPaths;
  std::vector<Strings> optionLists;

  bool operator==(const Shown& o) const {
    return std::memcmp(&window, &o.window, sizeof window) == 0 && std::memcmp(checks, o.checks, sizeof checks) == 0 &&
           taskListShown == o.taskListShown && std::memcmp(widths, o.widths, sizeof widths) == 0 &&
           listWidth == o.listWidth && urls == o.urls && localPaths == o.localPaths && optionLists == o.optionLists;
  }
};

void PrintTo(const Shown& s, std::ostream* os) {
  *os << "window (" << s.window.left << "," << s.window.top << ")-(" << s.window.right << "," << s.window.bottom
      << "), checks " << s.checks[0] << s.checks[1] << s.checks[2] << ", task list " << s.taskListShown << ", widths "
      << s.widths[0] << "/" << s.widths[1] << ", urls " << testing::PrintToString(s.urls) << ", paths "
      << testing::PrintToString(s.localPaths);
}

// Starts the main window as the program does (settings loaded while it is built), reads
// what it shows, and closes it as the user does, which saves the settings.
Shown StartShowAndClose() {
  CommanderState state;
  Shown shown;
  TDialogTarnwellCommander window(state);
  HWND hwnd = window.Create();
  EXPECT_NE(nullptr, hwnd);
  if (!hwnd) return shown;
  ::ShowWindow(hwnd, SW_SHOW);
  PumpMessages(10);
  ::GetWindowRect(hwnd, &shown.window);
  shown.checks[0] = window.topMostBox.GetCheck();
  shown.checks[1] = window.useOptionsBox.GetCheck();
  shown.checks[2] = window.useConfigBox.GetCheck();
  shown.taskListShown = shown.window.bottom - shown.window.top == window.fullHeight;
  if (window.taskList) {
    RECT list;
    window.taskList->GetWindowRect(list);
    shown.listWidth = list.right - list.left;
    shown.widths[0] = window.taskList->GetColumnWidth(0);
    shown.widths[1] = window.taskList->GetColumnWidth(1);
  }
  shown.urls = ComboItems(window.urlBox.Handle());
  shown.localPaths = ComboItems(window.localBox.Handle());
  for (const OptionListName& l : kOptionLists) shown.optionLists.push_back(ListOf(state.options.*l.list));
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(hwnd)) << "the window did not close";
  return shown;
}

struct Case {
  std::string name;
  std::vector<RawValue> values;
  std::function<void(const Shown&)> check;  // what this case must show besides the rest
};

// The same bad form for every fixed-size value at once.
Case FixedForm(const std::string& name, DWORD type, const Bytes& data) {
  Case c{name, {}, nullptr};
  c.values.push_back({kPosition, type, data});
  for (const char* f : kFlagNames) c.values.push_back({f, type, data});
  for (const char* w : kWidthNames) c.values.push_back({w, type, data});
  return c;
}

// Odd numbers of the right type and size.
Case Numbers(const std::string& name, std::int32_t x, std::int32_t y, BYTE flag, std::int32_t status,
             std::int32_t command, std::function<void(const Shown&)> check = nullptr) {
  Case c{name, {}, check};
  c.values.push_back({kPosition, REG_BINARY, Int32Bytes({x, y})});
  for (const char* f : kFlagNames) c.values.push_back({f, REG_BINARY, Bytes{flag}});
  c.values.push_back({kWidthNames[0], REG_DWORD, Int32Bytes({status})});
  c.values.push_back({kWidthNames[1], REG_DWORD, Int32Bytes({command})});
  return c;
}

// The same damaged entries in every history list at once.
Case HistoryForm(const std::string& name, const std::vector<std::pair<int, RawValue>>& entries) {
  Case c{name, {}, nullptr};
  for (const std::string& list : HistoryNames())
    for (const auto& e : entries) c.values.push_back({EntryName(list, e.first), e.second.type, e.second.data});
  return c;
}

RawValue Sz(const std::string& bytes) { return {"", REG_SZ, BytesOf(bytes)}; }
RawValue Typed(DWORD type, const Bytes& data) { return {"", type, data}; }

std::vector<Case> Cases() {
  const std::string big(65536, 'w');
  std::vector<Case> cases = {
      FixedForm("string with its zero", REG_SZ, BytesOf(std::string("1\0", 2))),
      FixedForm("empty string", REG_SZ, BytesOf(std::string("\0", 1))),
      FixedForm("string of 8 bytes", REG_SZ, BytesOf(std::string("100,100\0", 8))),
      FixedForm("number of 4 bytes", REG_DWORD, Int32Bytes({5})),
      FixedForm("0 bytes", REG_BINARY, {}),
      FixedForm("1 byte", REG_BINARY, {0x40}),
      FixedForm("3 bytes", REG_BINARY, {0x10, 0, 0}),
      FixedForm("5 bytes", REG_BINARY, {0x10, 0, 0, 0, 0x14}),
      FixedForm("8-byte number", REG_QWORD, {0x20, 0, 0, 0, 0x30, 0, 0, 0}),
      FixedForm("64 KiB string without its zero", REG_SZ, BytesOf(big)),
      FixedForm("64 KiB of bytes", REG_BINARY, Bytes(65536, 0x7F)),
      FixedForm("multi-string", REG_MULTI_SZ, BytesOf(std::string("a\0b\0\0", 5))),
      FixedForm("zeros in a string", REG_SZ, BytesOf(std::string("\0\0\0\0", 4))),
      Numbers("smallest numbers", INT_MIN, INT_MIN, 0xFF, INT_MIN, INT_MIN),
      Numbers("minus one", -5, 10, 0x02, -1, -1),
      Numbers("largest numbers", INT_MAX, INT_MAX, 0x80, INT_MAX - 1, INT_MAX - 1),
      Numbers("zero widths", 1279, 1023, 0x01, 0, 0),
      Numbers("just off the desktop", 1280, 0, 0x00, 1, 100000),
      // The command column then fills what the status column leaves of the list: all of
      // it, or nothing, but never a width that the subtraction wrapped round to.
      Numbers("smallest status width, command width not set", 20, 20, 0x01, INT_MIN, INT_MAX,
              [](const Shown& s) { EXPECT_EQ(s.listWidth, s.widths[1]); }),
      Numbers("largest status width, command width not set", 20, 20, 0x01, INT_MAX - 1, INT_MAX,
              [](const Shown& s) { EXPECT_EQ(0, s.widths[1]); }),
      Numbers("default status width, command width not set", 20, 20, 0x01, 80, INT_MAX,
              [](const Shown& s) { EXPECT_EQ(s.listWidth - 80, s.widths[1]); }),
      HistoryForm(
          "gap in the numbering",
          {{0, Sz(std::string("zero\0", 5))}, {1, Sz(std::string("one\0", 4))}, {3, Sz(std::string("three\0", 6))}}),
      HistoryForm("no entry 0", {{1, Sz(std::string("one\0", 4))}, {2, Sz(std::string("two\0", 4))}}),
      HistoryForm("wrong types", {{0, Typed(REG_DWORD, Int32Bytes({0x636261}))},
                                  {1, Typed(REG_BINARY, BytesOf("xyz"))},
                                  {2, Typed(REG_MULTI_SZ, BytesOf(std::string("m1\0m2\0\0", 7)))},
                                  {3, Typed(REG_EXPAND_SZ, BytesOf(std::string("%TEMP%\0", 7)))},
                                  {4, Typed(REG_QWORD, {0x71, 0, 0, 0, 0, 0, 0, 0})},
                                  {5, Typed(REG_NONE, BytesOf("n"))}}),
      HistoryForm("odd sizes", {{0, Sz("")},
                                {1, Sz("abc")},
                                {2, Sz(std::string("a\0b\0", 4))},
                                {3, Sz(std::string("\0\0\0", 3))},
                                {4, Sz(std::string("last\0", 5))}}),
      HistoryForm("64 KiB entries", {{0, Sz(big + '\0')}, {1, Sz(big)}, {2, Sz(std::string("after\0", 6))}}),
      HistoryForm("blanks and bytes above 0x7F", {{0, Sz(std::string("  padded  \0", 11))},
                                                  {1, Sz(std::string("\xe9t\xe9\0", 4))},
                                                  {2, Sz(std::string("tab\there\0", 9))}}),
  };
  std::vector<std::pair<int, RawValue>> many;
  for (int i = 0; i < 15; ++i) many.push_back({i, Sz("entry " + std::to_string(i) + '\0')});
  cases.push_back(HistoryForm("15 entries", many));
  return cases;
}

// The value, or for a history entry its list, that a value belongs to.
std::string GroupOf(const std::string& valueName) {
  for (const std::string& list : HistoryNames())
    if (valueName.compare(0, list.size() + 1, list + " ") == 0) return list;
  return valueName;
}

// In the long form each case's values also go in one value (or one list) at a time, so
// that no value's damage hides behind another's.
std::vector<Case> AllCases() {
  std::vector<Case> cases = Cases();
  if (!LongRun()) return cases;
  const std::size_t whole = cases.size();
  for (std::size_t i = 0; i < whole; ++i) {
    std::vector<std::string> groups;
    for (const RawValue& v : cases[i].values)
      if (std::find(groups.begin(), groups.end(), GroupOf(v.name)) == groups.end()) groups.push_back(GroupOf(v.name));
    if (groups.size() < 2) continue;
    for (const std::string& group : groups) {
      Case one{cases[i].name + ": " + group, {}, nullptr};
      for (const RawValue& v : cases[i].values)
        if (GroupOf(v.name) == group) one.values.push_back(v);
      cases.push_back(one);
    }
  }
  return cases;
}

bool IsOptionListValue(const std::string& name) {
  for (const OptionListName& l : kOptionLists)
    if (name.compare(0, std::strlen(l.registryName) + 1, std::string(l.registryName) + " ") == 0) return true;
  return false;
}

// What the close must have written: well-formed values that say what was shown.
void ExpectWrittenAsShown(const std::vector<RawValue>& before, const std::vector<RawValue>& after, const Shown& s) {
  // A position is written only when the window stands elsewhere than the stored value
  // put it; a stored value that put it there stays as it was.
  const RawValue* position = FindValue(after, kPosition);
  ASSERT_NE(nullptr, position);
  const RawValue* storedPosition = FindValue(before, kPosition);
  if (!storedPosition || !(*storedPosition == *position)) {
    EXPECT_EQ((RawValue{kPosition, REG_BINARY, Int32Bytes({s.window.left, s.window.top})}), *position);
  }
  const BYTE flags[] = {static_cast<BYTE>(s.checks[0] == BST_CHECKED), static_cast<BYTE>(s.checks[1] == BST_CHECKED),
                        static_cast<BYTE>(s.checks[2] == BST_CHECKED), static_cast<BYTE>(s.taskListShown)};
  for (int i = 0; i < 4; ++i) {
    const RawValue* flag = FindValue(after, kFlagNames[i]);
    ASSERT_NE(nullptr, flag) << kFlagNames[i];
    EXPECT_EQ((RawValue{kFlagNames[i], REG_BINARY, Bytes{flags[i]}}), *flag);
  }
  for (int i = 0; i < 2; ++i) {
    const RawValue* width = FindValue(after, kWidthNames[i]);
    ASSERT_NE(nullptr, width) << kWidthNames[i];
    EXPECT_EQ((RawValue{kWidthNames[i], REG_DWORD, Int32Bytes({s.widths[i]})}), *width);
  }
  EXPECT_EQ(s.urls, ReadableList(after, "Remote URL"));
  EXPECT_EQ(s.localPaths, ReadableList(after, "Local path"));
  for (int i = 0; i < static_cast<int>(s.urls.size()); ++i)
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), FindValue(after, EntryName("Remote URL", i))->type);
  // No options page applied: the option lists, and what is not the commander's, stay.
  for (const RawValue& v : before) {
    if (!IsOptionListValue(v.name) && v.name != kForeign) continue;
    const RawValue* kept = FindValue(after, v.name);
    ASSERT_NE(nullptr, kept) << v.name;
    EXPECT_EQ(v, *kept);
  }
}

class CommanderSettings : public CommanderTest {};

TEST_F(CommanderSettings, MalformedValuesStartTheWindowAndAreWrittenBackWellFormed) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  int count = 0;
  for (const Case& c : AllCases()) {
    SCOPED_TRACE(c.name);
    DeleteKeyTree(HKEY_CURRENT_USER, kCommanderSettingsKey);
    for (const RawValue& v : c.values) SetRawValue(HKEY_CURRENT_USER, kCommanderSettingsKey, v);
    SetRawValue(HKEY_CURRENT_USER, kCommanderSettingsKey, {kForeign, REG_BINARY, {1, 2, 3}});
    const std::vector<RawValue> before = KeyValues(HKEY_CURRENT_USER, kCommanderSettingsKey);

    const Shown first = StartShowAndClose();
    if (HasFatalFailure()) return;
    // On the desktop, the stored lists' readable parts, the option lists loaded as stored.
    EXPECT_GE(first.window.left, desktop.left);
    EXPECT_GE(first.window.top, desktop.top);
    EXPECT_LT(first.window.left, desktop.right);
    EXPECT_LT(first.window.top, desktop.bottom);
    if (c.check) c.check(first);
    EXPECT_EQ(ReadableList(before, "Remote URL"), first.urls);
    EXPECT_EQ(ReadableList(before, "Local path"), first.localPaths);
    for (std::size_t i = 0; i < first.optionLists.size(); ++i)
      EXPECT_EQ(ReadableList(before, kOptionLists[i].registryName), first.optionLists[i])
          << kOptionLists[i].registryName;
    const std::vector<RawValue> written = KeyValues(HKEY_CURRENT_USER, kCommanderSettingsKey);
    ExpectWrittenAsShown(before, written, first);

    // What was written shows the same, and is written again unchanged.
    const Shown second = StartShowAndClose();
    EXPECT_EQ(first, second);
    EXPECT_EQ(written, KeyValues(HKEY_CURRENT_USER, kCommanderSettingsKey));
    ++count;
    if (HasFailure()) break;  // one case's report is enough to read
  }
  Figure("commander settings: %d malformed key layouts started, shown, saved and started again", count);
}

}  // namespace
