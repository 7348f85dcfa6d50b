// The editor's own key and the copier's key under both roots filled with values of the
// wrong type, the wrong size, odd numbers, strings without their zero, huge strings,
// inner NULs and broken history numbering. The editor must start, and a Personal and a
// Global edit closed with OK without a change must leave every copier value meaning what
// it meant: byte for byte, or rewritten in its proper form when it was readable. Its own
// key is written well-formed, and a second run writes every key again unchanged.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config_model.h"
#include "copier_config.h"
#include "editor_driving.h"
#include "editor_settings.h"
#include "gui_test.h"
#include "history.h"
#include "main_window.h"
#include "reliability_support.h"
#include "tarncfg_ids.h"

namespace {

using Strings = std::vector<std::string>;
using Bytes = std::vector<BYTE>;

const char kPosition[] = "Window Position";
const char kForeign[] = "Not the editor's";

std::string Text(const Bytes& data) { return std::string(data.begin(), std::find(data.begin(), data.end(), 0)); }

struct Keys {
  std::vector<RawValue> own, personal, global;
  bool operator==(const Keys& o) const { return own == o.own && personal == o.personal && global == o.global; }
};

Keys ReadKeys() {
  return {KeyValues(HKEY_CURRENT_USER, kEditorSettingsKey), KeyValues(HKEY_CURRENT_USER, kCopierConfigKey),
          KeyValues(HKEY_LOCAL_MACHINE, kCopierConfigKey)};
}

struct Case {
  std::string name;
  std::vector<RawValue> own;     // the editor's own key
  std::vector<RawValue> copier;  // the copier's key, under both roots
};

struct Form {
  std::string name;
  DWORD type;
  Bytes data;
};

struct HistoryForm {
  std::string name;
  std::vector<std::pair<int, Form>> entries;
};

Form Sz(const std::string& bytes) { return {"", REG_SZ, BytesOf(bytes)}; }
Form Typed(DWORD type, const Bytes& data) { return {"", type, data}; }

const std::string& Big() {
  static const std::string big(65536, 'w');
  return big;
}

std::vector<Form> PositionForms() {
  return {
      {"string of 8 bytes", REG_SZ, BytesOf(std::string("100,100\0", 8))},
      {"number of 4 bytes", REG_DWORD, Int32Bytes({5})},
      {"0 bytes", REG_BINARY, {}},
      {"1 byte", REG_BINARY, {0x40}},
      {"3 bytes", REG_BINARY, {0x10, 0, 0}},
      {"5 bytes", REG_BINARY, {0x10, 0, 0, 0, 0x14}},
      {"64 KiB", REG_BINARY, Bytes(65536, 0x7F)},
      {"8-byte number", REG_QWORD, Int32Bytes({30, 40})},
      {"smallest", REG_BINARY, Int32Bytes({INT_MIN, INT_MIN})},
      {"left of the desktop", REG_BINARY, Int32Bytes({-5, 10})},
      {"largest", REG_BINARY, Int32Bytes({INT_MAX, INT_MAX})},
      {"just off the desktop", REG_BINARY, Int32Bytes({1280, 0})},
      {"last pixel", REG_BINARY, Int32Bytes({1279, 1023})},
  };
}

std::vector<HistoryForm> HistoryForms() {
  std::vector<HistoryForm> forms = {
      {"gap in the numbering",
       {{0, Sz(std::string("zero\0", 5))}, {1, Sz(std::string("one\0", 4))}, {3, Sz(std::string("three\0", 6))}}},
      {"no entry 0", {{1, Sz(std::string("one\0", 4))}}},
      {"wrong types",
       {{0, Typed(REG_DWORD, Int32Bytes({0x636261}))},
        {1, Typed(REG_BINARY, BytesOf("xyz"))},
        {2, Typed(REG_MULTI_SZ, BytesOf(std::string("m1\0m2\0\0", 7)))},
        {3, Typed(REG_EXPAND_SZ, BytesOf(std::string("%TEMP%\0", 7)))}}},
      {"odd sizes", {{0, Sz("")}, {1, Sz("abc")}, {2, Sz(std::string("a\0b\0", 4))}, {3, Sz("end")}}},
      {"64 KiB entries", {{0, Sz(Big() + '\0')}, {1, Sz(Big())}, {2, Sz(std::string("after\0", 6))}}},
      {"blanks and bytes above 0x7F",
       {{0, Sz(std::string("  padded  \0", 11))}, {1, Sz(std::string("\xe9t\xe9\0", 4))}}},
  };
  HistoryForm many{"15 entries", {}};
  for (int i = 0; i < 15; ++i) many.entries.push_back({i, Sz("entry " + std::to_string(i) + '\0')});
  forms.push_back(many);
  return forms;
}

std::vector<Form> StringForms() {
  return {
      {"number", REG_DWORD, Int32Bytes({0x636261})},
      {"bytes", REG_BINARY, BytesOf("abc")},
      {"multi-string", REG_MULTI_SZ, BytesOf(std::string("m1\0m2\0\0", 7))},
      {"expandable string", REG_EXPAND_SZ, BytesOf(std::string("%TEMP%\0", 7))},
      {"0 bytes", REG_SZ, {}},
      {"empty", REG_SZ, BytesOf(std::string("\0", 1))},
      {"without its zero", REG_SZ, BytesOf("abc")},
      {"inner zero", REG_SZ, BytesOf(std::string("ab\0cd\0", 6))},
      {"64 KiB", REG_SZ, BytesOf(Big() + '\0')},
      {"260 characters", REG_SZ, BytesOf(std::string(260, 'x') + '\0')},
      {"259 characters", REG_SZ, BytesOf(std::string(259, 'y') + '\0')},
      {"blanks around", REG_SZ, BytesOf(std::string("  spaced  \0", 11))},
      {"plain", REG_SZ, BytesOf(std::string("plain.txt\0", 10))},
  };
}

std::vector<Form> NumberForms() {
  return {
      {"bytes", REG_BINARY, Int32Bytes({1})},
      {"string", REG_SZ, BytesOf(std::string("5\0", 2))},
      {"0 bytes", REG_DWORD, {}},
      {"1 byte", REG_BINARY, {1}},
      {"3 bytes", REG_BINARY, {1, 0, 0}},
      {"5 bytes", REG_BINARY, {1, 0, 0, 0, 0}},
      {"8-byte number", REG_QWORD, Int32Bytes({1, 0})},
      {"the absent mark", REG_DWORD, Int32Bytes({INT_MAX})},
      {"smallest", REG_DWORD, Int32Bytes({INT_MIN})},
      {"unlisted code 7", REG_DWORD, Int32Bytes({7})},
      {"minus two", REG_DWORD, Int32Bytes({-2})},
      {"ten digits", REG_DWORD, Int32Bytes({1234567890})},
      {"minus and nine digits", REG_DWORD, Int32Bytes({-123456789})},
      {"zero", REG_DWORD, Int32Bytes({0})},
      {"one", REG_DWORD, Int32Bytes({1})},
      {"minus one", REG_DWORD, Int32Bytes({-1})},
  };
}

RawValue Named(const std::string& name, const Form& f) { return {name, f.type, f.data}; }

void AddHistory(Case& c, const EditorHistory& h, const HistoryForm& form) {
  for (const auto& e : form.entries)
    c.own.push_back(Named(std::string(h.name) + " " + std::to_string(e.first), e.second));
}

// A proxy server is kept without its port; one that holds a colon itself is not a
// server the editor can show and store back.
std::vector<Case> ProxyCases() {
  return {{"proxy server with a colon",
           {},
           {{"FTP proxy server", REG_SZ, BytesOf(std::string("host:21\0", 8))},
            {"FTP proxy port", REG_DWORD, Int32Bytes({8080})},
            {"HTTP proxy server", REG_SZ, BytesOf(std::string("web:\0", 5))},
            {"HTTP proxy port", REG_DWORD, Int32Bytes({0})}}},
          {"proxy ports",
           {},
           {{"FTP proxy server", REG_SZ, BytesOf(std::string("ftphost\0", 8))},
            {"FTP proxy port", REG_DWORD, Int32Bytes({INT_MIN})},
            {"HTTP proxy server", REG_SZ, BytesOf(std::string("webhost\0", 8))},
            {"HTTP proxy port", REG_DWORD, Int32Bytes({0})},
            {"NNTP proxy server", REG_BINARY, BytesOf("n")},
            {"NNTP proxy port", REG_SZ, BytesOf("7")}}}};
}

// The short form: every value gets a form at once, the forms turned one place further
// along the values from case to case, so that each form meets several values and each
// value several forms.
std::vector<Case> MixedCases(int count) {
  const std::vector<HistoryForm> histories = HistoryForms();
  const std::vector<Form> strings = StringForms(), numbers = NumberForms();
  std::vector<Case> cases;
  for (int k = 0; k < count; ++k) {
    Case c{"mixed " + std::to_string(k), {}, {}};
    for (int i = 0; i < 8; ++i) AddHistory(c, kEditorHistories[i], histories[(i + k) % histories.size()]);
    for (int i = 0; i < kCopierStringCount; ++i)
      c.copier.push_back(Named(kCopierStringNames[i], strings[(i + k * kCopierStringCount) % strings.size()]));
    for (int i = 0; i < kCopierNumberCount; ++i)
      c.copier.push_back(Named(kCopierNumberNames[i], numbers[(i + k * kCopierNumberCount) % numbers.size()]));
    cases.push_back(c);
  }
  return cases;
}

// The long form: each form on every value of its kind at once, then on each value alone.
std::vector<Case> SeparateCases() {
  std::vector<Case> cases;
  for (const HistoryForm& f : HistoryForms()) {
    Case all{"histories: " + f.name, {}, {}};
    for (const EditorHistory& h : kEditorHistories) AddHistory(all, h, f);
    cases.push_back(all);
    for (const EditorHistory& h : kEditorHistories) {
      Case one{all.name + ": " + h.name, {}, {}};
      AddHistory(one, h, f);
      cases.push_back(one);
    }
  }
  const struct {
    const char* kind;
    std::vector<Form> forms;
    const char* const* names;
    int count;
  } kinds[] = {{"copier strings", StringForms(), kCopierStringNames, kCopierStringCount},
               {"copier numbers", NumberForms(), kCopierNumberNames, kCopierNumberCount}};
  for (const auto& kind : kinds) {
    for (const Form& f : kind.forms) {
      Case all{std::string(kind.kind) + ": " + f.name, {}, {}};
      for (int i = 0; i < kind.count; ++i) all.copier.push_back(Named(kind.names[i], f));
      cases.push_back(all);
      for (int i = 0; i < kind.count; ++i)
        cases.push_back({all.name + ": " + kind.names[i], {}, {Named(kind.names[i], f)}});
    }
  }
  return cases;
}

std::vector<Case> AllCases() {
  std::vector<Case> cases = LongRun() ? SeparateCases() : MixedCases(5);
  for (const Case& c : ProxyCases()) cases.push_back(c);
  return cases;
}

// Every copier value still means what it meant: the same bytes, or, for a string that
// was readable, the same text written with its zero. No value appears or goes.
void ExpectSameMeaning(const std::vector<RawValue>& before, const std::vector<RawValue>& after, const char* what,
                       bool lonePortsMayGo = true) {
  SCOPED_TRACE(what);
  for (const RawValue& v : before) {
    const RawValue* a = FindValue(after, v.name);
    if (!a) {
      // A proxy's port belongs to its server: without the server, a store removes it.
      const bool lonePort = (v.name == "FTP proxy port" && !FindValue(before, "FTP proxy server")) ||
                            (v.name == "HTTP proxy port" && !FindValue(before, "HTTP proxy server"));
      if (!lonePort || !lonePortsMayGo) ADD_FAILURE() << "gone: " << Describe(v);
      continue;
    }
    if (*a == v) continue;
    const std::string text = Text(v.data);
    const bool plainString = v.type == REG_SZ && (v.data == BytesOf(text) || v.data == BytesOf(text + '\0'));
    EXPECT_TRUE(plainString && a->type == REG_SZ && a->data == BytesOf(text + '\0'))
        << "before: " << Describe(v) << "\nafter:  " << Describe(*a);
  }
  for (const RawValue& a : after) {
    if (FindValue(before, a.name)) continue;
    // A server stored without its port gets port 0, which means no port.
    const bool portZero = a == RawValue{a.name, REG_DWORD, Int32Bytes({0})} &&
                          ((a.name == "FTP proxy port" && FindValue(before, "FTP proxy server")) ||
                           (a.name == "HTTP proxy port" && FindValue(before, "HTTP proxy server")));
    if (!portZero) ADD_FAILURE() << "new: " << Describe(a);
  }
}

// The own key as a close writes it: the position, and the eight lists numbered without a
// gap from 0, at most 10 entries, each a string.
void ExpectOwnKeyWellFormed(const std::vector<RawValue>& before, const std::vector<RawValue>& after, const RECT& window,
                            bool listsSaved = true) {
  const RawValue* position = FindValue(after, kPosition);
  ASSERT_NE(nullptr, position);
  const RawValue* stored = FindValue(before, kPosition);
  if (!stored || !(*stored == *position)) {
    EXPECT_EQ((RawValue{kPosition, REG_BINARY, Int32Bytes({window.left, window.top})}), *position);
  }
  for (const EditorHistory& h : kEditorHistories) {
    int entries = 0;
    while (entries < kHistoryLimit) {
      const RawValue* e = FindValue(after, std::string(h.name) + " " + std::to_string(entries));
      if (!e) break;
      EXPECT_EQ(static_cast<DWORD>(REG_SZ), e->type) << e->name;
      ++entries;
    }
    // Numbers from 10 on are never read; any there were stay as they were.
    for (int i = kHistoryLimit; i < 20; ++i) {
      const std::string name = std::string(h.name) + " " + std::to_string(i);
      const RawValue *was = FindValue(before, name), *is = FindValue(after, name);
      EXPECT_TRUE(was ? is && *is == *was : !is) << name;
    }
    // A default entry is there unless ten others come first.
    if (listsSaved && h.defaultEntry && entries < kHistoryLimit) {
      bool found = false;
      for (int i = 0; i < entries; ++i)
        found |= Text(FindValue(after, std::string(h.name) + " " + std::to_string(i))->data) == h.defaultEntry;
      EXPECT_TRUE(found) << h.name;
    }
  }
  const RawValue* foreign = FindValue(after, kForeign);
  ASSERT_NE(nullptr, foreign);
  EXPECT_EQ(*FindValue(before, kForeign), *foreign);
}

class EditorSettings : public testing::Test {
 protected:
  // Starts the editor, edits Personal and then Global without a change, copies Personal
  // onto Global, and closes the editor.
  RECT Run(ScriptedPrompts& prompts) {
    EditorState state;
    RECT shown{};
    TDialogTarngetConfig window(state);
    HWND hwnd = window.Create();
    EXPECT_NE(nullptr, hwnd);
    if (!hwnd) return shown;
    ::ShowWindow(hwnd, SW_SHOW);
    PumpMessages(10);
    ::GetWindowRect(hwnd, &shown);
    EXPECT_TRUE(EditThroughSheet(hwnd, HKEY_CURRENT_USER));
    EXPECT_TRUE(EditThroughSheet(hwnd, HKEY_LOCAL_MACHINE));
    EXPECT_EQ(1, state.model.storedSinceStart);
    const std::size_t boxes = prompts.boxes.size();
    Click(hwnd, IDC_MAIN_PERSONAL_TO_GLOBAL);
    EXPECT_EQ(boxes + 1, prompts.boxes.size());
    ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hwnd));
    return shown;
  }
};

// Only the position is read: the window starts on the desktop, where the position put
// it or centred, and the close writes a well-formed position that a second start keeps.
TEST_F(EditorSettings, MalformedPositionsStartTheWindowOnTheDesktop) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  for (const Form& form : PositionForms()) {
    SCOPED_TRACE(form.name);
    DeleteKeyTree(HKEY_CURRENT_USER, kEditorSettingsKey);
    SetRawValue(HKEY_CURRENT_USER, kEditorSettingsKey, Named(kPosition, form));
    SetRawValue(HKEY_CURRENT_USER, kEditorSettingsKey, {kForeign, REG_BINARY, {1, 2, 3}});
    const std::vector<RawValue> before = KeyValues(HKEY_CURRENT_USER, kEditorSettingsKey);
    RECT shown[2];
    for (RECT& r : shown) {
      EditorState state;
      TDialogTarngetConfig window(state);
      HWND hwnd = window.Create();
      ASSERT_NE(nullptr, hwnd);
      ::GetWindowRect(hwnd, &r);
      ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
      ASSERT_FALSE(::IsWindow(hwnd));
    }
    EXPECT_GE(shown[0].left, desktop.left);
    EXPECT_GE(shown[0].top, desktop.top);
    EXPECT_LT(shown[0].left, desktop.right);
    EXPECT_LT(shown[0].top, desktop.bottom);
    EXPECT_EQ(0, std::memcmp(&shown[0], &shown[1], sizeof shown[0])) << "the second start stands elsewhere";
    ExpectOwnKeyWellFormed(before, KeyValues(HKEY_CURRENT_USER, kEditorSettingsKey), shown[0], false);
  }
}

TEST_F(EditorSettings, MalformedValuesStartTheEditorAndMeanTheSameAfterOk) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  ScriptedPrompts prompts;
  int count = 0;
  for (const Case& c : AllCases()) {
    SCOPED_TRACE(c.name);
    DeleteKeyTree(HKEY_CURRENT_USER, kEditorSettingsKey);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      DeleteKeyTree(root, kCopierConfigKey);
      for (const RawValue& v : c.copier) SetRawValue(root, kCopierConfigKey, v);
    }
    for (const RawValue& v : c.own) SetRawValue(HKEY_CURRENT_USER, kEditorSettingsKey, v);
    SetRawValue(HKEY_CURRENT_USER, kEditorSettingsKey, {kForeign, REG_BINARY, {1, 2, 3}});
    const Keys before = ReadKeys();
    prompts.boxes.clear();

    const RECT first = Run(prompts);
    if (HasFatalFailure()) return;
    EXPECT_GE(first.left, desktop.left);
    EXPECT_GE(first.top, desktop.top);
    EXPECT_LT(first.left, desktop.right);
    EXPECT_LT(first.top, desktop.bottom);
    const Keys written = ReadKeys();
    ExpectSameMeaning(before.personal, written.personal, "Personal");
    ExpectSameMeaning(before.global, written.global, "Global");
    // The copy holds every value, whatever it holds. The platform adds the missing zero
    // to a string value as it writes it, as Windows does.
    ExpectSameMeaning(written.personal, written.global, "copy", false);
    ExpectOwnKeyWellFormed(before.own, written.own, first);
    const char* report = c.copier.empty() ? "Personal configuration not exist" : "Configuration copied";
    // Values the sheets cannot show are named in a warning as each sheet opens.
    for (const auto& box : prompts.boxes)
      if (box.caption != "Warnning") EXPECT_EQ(report, box.text);

    const RECT second = Run(prompts);
    EXPECT_EQ(0, std::memcmp(&first, &second, sizeof first)) << "the second start stands elsewhere";
    EXPECT_TRUE(written == ReadKeys()) << "the second run wrote the keys differently";
    ++count;
    if (HasFailure()) break;  // one case's report is enough to read
  }
  Figure("editor settings: %d malformed key layouts started, edited with OK, copied, saved and run again", count);
}

}  // namespace
