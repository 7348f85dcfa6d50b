// The editor's own settings key: position checks, histories with their default entries,
// and what a close writes with and without a store since start.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "editor_settings.h"
#include "registry_helpers.h"

namespace {

const char* const kKey = kEditorSettingsKey;

std::vector<std::string> Texts(const chain<cstring1>& list) {
  std::vector<std::string> texts;
  for (chnode<cstring1>* node = list.head; node; node = node->next) texts.push_back(cstring1_text(node->item));
  return texts;
}

void SetPosition(std::int32_t x, std::int32_t y) {
  std::int32_t p[2] = {x, y};
  SetRaw(HKEY_CURRENT_USER, kKey, "Window Position", REG_BINARY, p, sizeof p);
}

class Settings : public testing::Test {
protected:
  CleanKeys clean;
  EditorSettings settings;
  ConfigModel model;
  void Load() { LoadEditorSettings(settings, model); }
};

TEST_F(Settings, MissingKeyLoadsNothingNotEvenDefaults) {
  Load();
  EXPECT_EQ(kNotSet, settings.position.x);
  for (const EditorHistory& h : kEditorHistories) EXPECT_EQ(0, (model.*h.setting).history.count) << h.name;
}

TEST_F(Settings, DefaultEntriesComeAfterTheSavedOnes) {
  SetString(HKEY_CURRENT_USER, kKey, "Tarnget log path 0", "a.log");
  SetString(HKEY_CURRENT_USER, kKey, "Tarnget log path 1", "b.log");
  SetString(HKEY_CURRENT_USER, kKey, "Tarnget dir list name 0", "~DIR.LST");
  SetString(HKEY_CURRENT_USER, kKey, "Tarnget FTP proxy server 0", "gate:21");
  Load();
  EXPECT_EQ((std::vector<std::string>{"a.log", "b.log", "~tarnget.log"}), Texts(model.logPath.history));
  EXPECT_EQ((std::vector<std::string>{"~DIR.LST"}), Texts(model.dirListName.history));
  EXPECT_EQ((std::vector<std::string>{"gate:21"}), Texts(model.ftpProxy.history));
  EXPECT_EQ((std::vector<std::string>{}), Texts(model.workDirectory.history));
  EXPECT_EQ((std::vector<std::string>{"default.html"}), Texts(model.defaultHtml.history));
  EXPECT_EQ((std::vector<std::string>{"msgid"}), Texts(model.msgidDirectory.history));
  EXPECT_EQ((std::vector<std::string>{"~files.lst"}), Texts(model.fileList.history));
  EXPECT_EQ((std::vector<std::string>{}), Texts(model.httpProxy.history));
}

TEST_F(Settings, PositionOnTheDesktopIsKeptAndOffItIgnored) {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  SetPosition(10, 20);
  Load();
  EXPECT_EQ(10, settings.position.x);
  EXPECT_EQ(20, settings.position.y);
  const std::pair<std::int32_t, std::int32_t> off[] = {
      {-32000, -32000}, {-1, 5}, {5, -1}, {desktop.right, 5}, {5, desktop.bottom}};
  for (const auto& p : off) {
    settings = EditorSettings{};
    SetPosition(p.first, p.second);
    Load();
    EXPECT_EQ(kNotSet, settings.position.x) << p.first << "," << p.second;
  }
  // A value of another size is no position.
  settings = EditorSettings{};
  SetRaw(HKEY_CURRENT_USER, kKey, "Window Position", REG_BINARY, "\x05\x00\x00\x00", 4);
  Load();
  EXPECT_EQ(kNotSet, settings.position.x);
}

TEST_F(Settings, CloseWithoutStoreWritesOnlyAChangedPosition) {
  SetString(HKEY_CURRENT_USER, kKey, "Tarnget log path 0", "saved.log");
  Load();
  model.logPath.history.prepend(cstring1_new("unsaved.log"));
  RECT r{30, 40, 300, 200};
  SaveEditorSettings(r, settings, model);
  std::vector<BYTE> expected = {30, 0, 0, 0, 40, 0, 0, 0};
  DWORD type;
  std::vector<BYTE> data;
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Window Position", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(expected, data);
  EXPECT_EQ("saved.log", GetString(HKEY_CURRENT_USER, kKey, "Tarnget log path 0"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "Tarnget log path 1"));

  // Unmoved since the last save: nothing is written.
  SetPosition(1, 2);
  SaveEditorSettings(r, settings, model);
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Window Position", type, data));
  EXPECT_EQ((std::vector<BYTE>{1, 0, 0, 0, 2, 0, 0, 0}), data);
}

TEST_F(Settings, HistoriesRoundTripAfterAStore) {
  model.storedSinceStart = 1;
  model.logPath.history.append(cstring1_new("x.log"));
  model.logPath.history.append(cstring1_new("~tarnget.log"));
  model.httpProxy.history.append(cstring1_new("web:3128"));
  for (int i = 0; i < 12; ++i) model.workDirectory.history.append(cstring1_new(("c:/w" + std::to_string(i)).c_str()));
  RECT r{0, 0, 10, 10};
  SaveEditorSettings(r, settings, model);

  EditorSettings loadedSettings;
  ConfigModel loaded;
  LoadEditorSettings(loadedSettings, loaded);
  EXPECT_EQ((std::vector<std::string>{"x.log", "~tarnget.log"}), Texts(loaded.logPath.history));
  EXPECT_EQ((std::vector<std::string>{"web:3128"}), Texts(loaded.httpProxy.history));
  EXPECT_EQ(10, loaded.workDirectory.history.count);
  EXPECT_EQ((std::vector<std::string>{"~dir.lst"}), Texts(loaded.dirListName.history));
  EXPECT_EQ(0, loadedSettings.position.x);
}

}  // namespace
