// The commander's settings through the real registry: what closing the main window writes,
// what the next start reads back, and values of the wrong size or off the desktop.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui_test.h"
#include "resource.h"
#include "settings_store.h"
#include "task_test_support.h"

namespace {

class SettingsStore : public TaskWindowTest {
protected:
  HKEY OpenKey() {
    HKEY key = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kCommanderSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
  }
  void Put(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = OpenKey();
    ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(key);
  }
  // The stored value's type and bytes; type 0 when it is missing.
  std::pair<DWORD, std::string> Get(const char* name) {
    HKEY key = OpenKey();
    BYTE data[512];
    DWORD type = 0, size = sizeof data;
    if (::RegQueryValueExA(key, name, nullptr, &type, data, &size) != ERROR_SUCCESS) type = 0, size = 0;
    ::RegCloseKey(key);
    return {type, std::string(reinterpret_cast<char*>(data), size)};
  }
  bool Has(const char* name) { return Get(name).first != 0; }
  static std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
  }
  // Closes the main window the way the user does; every test here has no tasks.
  void CloseWindow() {
    window->Send(WM_CLOSE);
    ASSERT_FALSE(window->IsWindow());
  }
  // A fresh start's loading, over defaults, into `loaded`.
  void LoadAgain() {
    loaded.reset(new CommanderState);
    LoadSettings(*loaded);
  }

  std::unique_ptr<CommanderState> loaded;
};

TEST_F(SettingsStore, ClosingWritesEveryValueWithItsTypeAndSizeAndTheNextStartReadsThem) {
  for (int i = 0; i < 12; ++i) window->urlBox.AddString(("ftp://host/" + std::to_string(i)).c_str());
  window->localBox.AddString("c:/one");
  window->topMostBox.SetCheck(BST_CHECKED);
  window->useOptionsBox.SetCheck(BST_UNCHECKED);
  window->useConfigBox.SetCheck(BST_UNCHECKED);
  window->taskList->SetColumnWidth(0, 91);
  window->taskList->SetColumnWidth(1, 333);
  window->MoveTo(120, 70);
  CloseWindow();

  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({120, 0, 0, 0, 70, 0, 0, 0})), Get("Window Position"));
  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({1})), Get("Top most"));
  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({0})), Get("Use options"));
  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({0})), Get("Use tarnget config"));
  EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), Bytes({91, 0, 0, 0})), Get("Task list status width"));
  EXPECT_EQ(std::make_pair(DWORD(REG_DWORD), Bytes({77, 1, 0, 0})), Get("Task list command width"));
  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({1})), Get("Task list switch"));
  EXPECT_TRUE(Has("Remote URL 9"));
  EXPECT_FALSE(Has("Remote URL 10"));
  EXPECT_EQ("c:/one", std::string(Get("Local path 0").second.c_str()));

  LoadAgain();
  EXPECT_EQ(120, loaded->settings.position.x);
  EXPECT_EQ(70, loaded->settings.position.y);
  EXPECT_EQ(1, loaded->settings.topMost);
  EXPECT_EQ(0, loaded->settings.useOptions);
  EXPECT_EQ(0, loaded->settings.useTarngetConfig);
  EXPECT_EQ(91, loaded->settings.statusWidth);
  EXPECT_EQ(333, loaded->settings.commandWidth);
  EXPECT_EQ(1, loaded->settings.taskListSwitch);
  ASSERT_EQ(10, loaded->settings.remoteUrl.count);
  EXPECT_EQ("ftp://host/0", std::string(cstring1_text(loaded->settings.remoteUrl.nth(0))));
  EXPECT_EQ("ftp://host/9", std::string(cstring1_text(loaded->settings.remoteUrl.nth(9))));
  EXPECT_EQ(std::vector<std::string>{"c:/one"}, ListOf(loaded->settings.localPath));
}

TEST_F(SettingsStore, AFoldedTaskPanelIsStoredAsZeroAndOpensFoldedNextTime) {
  Click(window->Handle(), IDC_TASK_SWITCH);
  CloseWindow();
  EXPECT_EQ(Bytes({0}), Get("Task list switch").second);
  LoadAgain();
  EXPECT_EQ(0, loaded->settings.taskListSwitch);
}

// Closed from the taskbar while minimized: the place it comes back to is kept, not the
// minimized window's spot far off the screen.
TEST_F(SettingsStore, ClosingWhileMinimizedStoresWhereTheWindowStoodBefore) {
  window->MoveTo(150, 90);
  window->Show(SW_MINIMIZE);
  PumpMessages(10);
  ASSERT_TRUE(::IsIconic(window->Handle()));
  CloseWindow();
  EXPECT_EQ(std::make_pair(DWORD(REG_BINARY), Bytes({150, 0, 0, 0, 90, 0, 0, 0})), Get("Window Position"));
}

TEST_F(SettingsStore, AnUnmovedWindowDoesNotRewriteItsPosition) {
  RECT r;
  window->GetWindowRect(r);
  state.settings.position.x = r.left;
  state.settings.position.y = r.top;
  CloseWindow();
  EXPECT_FALSE(Has("Window Position"));
  EXPECT_TRUE(Has("Top most"));
}

TEST_F(SettingsStore, OptionListsAreWrittenOnlyAfterAnApply) {
  Put("Tarnget log path 0", REG_SZ, "old.log", 8);
  SetList(state.options.logFile, {"new.log"});
  SetList(state.options.httpProxy, {"proxy:8080"});
  CloseWindow();
  EXPECT_EQ("old.log", std::string(Get("Tarnget log path 0").second.c_str()));
  EXPECT_FALSE(Has("Tarnget HTTP proxy server 0"));
}

TEST_F(SettingsStore, AppliedOptionListsAreWrittenAndReadBackTenAtMost) {
  SetList(state.options.inclusivePatterns, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"});
  SetList(state.options.fileList, {"files.txt"});
  state.optionsApplied = 1;
  CloseWindow();
  EXPECT_TRUE(Has("Tarnget inclusive URL patterns 9"));
  EXPECT_FALSE(Has("Tarnget inclusive URL patterns 10"));
  LoadAgain();
  EXPECT_EQ(10, loaded->options.inclusivePatterns.count);
  EXPECT_EQ(std::vector<std::string>{"files.txt"}, ListOf(loaded->options.fileList));
  EXPECT_EQ(0, loaded->options.logFile.count);
}

TEST_F(SettingsStore, APositionOffTheDesktopIsIgnored) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  const std::int32_t cases[][2] = {{-5, 10}, {10, -1}, {desktop.right, 10}, {10, desktop.bottom}};
  for (const auto& position : cases) {
    Put("Window Position", REG_BINARY, position, sizeof position);
    LoadAgain();
    EXPECT_EQ(kNotSet, loaded->settings.position.x) << position[0] << "," << position[1];
  }
  const std::int32_t inside[2] = {desktop.right - 1, desktop.bottom - 1};
  Put("Window Position", REG_BINARY, inside, sizeof inside);
  LoadAgain();
  EXPECT_EQ(desktop.right - 1, loaded->settings.position.x);
  EXPECT_EQ(desktop.bottom - 1, loaded->settings.position.y);
}

TEST_F(SettingsStore, ValuesOfTheWrongSizeAreReadSafely) {
  const std::uint32_t one = 1;
  Put("Top most", REG_DWORD, &one, sizeof one);               // larger than its byte: not taken
  const BYTE shortWidth[2] = {0x34, 0x12};
  Put("Task list command width", REG_BINARY, shortWidth, 2);  // shorter: its first bytes only
  const std::int32_t wide[3] = {5, 6, 7};
  Put("Window Position", REG_BINARY, wide, sizeof wide);
  Put("Use options", REG_SZ, "", 1);                          // a one-byte string is one byte
  Put("Task list status width", REG_SZ, "1234567", 8);
  LoadAgain();
  EXPECT_EQ(0, loaded->settings.topMost);
  EXPECT_EQ(0x7FFF1234, loaded->settings.commandWidth);
  EXPECT_EQ(kNotSet, loaded->settings.position.x);
  EXPECT_EQ(0, loaded->settings.position.y);
  EXPECT_EQ(0, loaded->settings.useOptions);
  EXPECT_EQ(80, loaded->settings.statusWidth);
}

}  // namespace
