// ConfigModel against the real registry: codes to choices and back, texts, string
// settings and proxies, what a store deletes and keeps, and values it must not rewrite.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "config_model.h"
#include "gui_test.h"
#include "history.h"
#include "kept_values.h"
#include "registry_helpers.h"

namespace {

const char* const kKey = kCopierConfigKey;

std::vector<std::string> Texts(const chain<cstring1>& list) {
  std::vector<std::string> texts;
  for (chnode<cstring1>* node = list.head; node; node = node->next) texts.push_back(cstring1_text(node->item));
  return texts;
}

// Name, type and bytes of every value of the configuration key.
using RawBytes = std::pair<std::string, std::vector<BYTE>>;
std::vector<RawBytes> AllValues(HKEY root) {
  std::vector<RawBytes> values;
  for (const std::string& name : ValueNames(root, kKey)) {
    DWORD type;
    std::vector<BYTE> data;
    GetRaw(root, kKey, name.c_str(), type, data);
    data.push_back(static_cast<BYTE>(type));
    values.push_back({name, data});
  }
  return values;
}

class Model : public testing::Test {
 protected:
  CleanKeys clean;
  ScriptedPrompts prompts;
  ConfigModel model;
  void Store(HKEY root = HKEY_CURRENT_USER) {
    model.modified = 1;
    StoreConfigModel(root, model);
  }
};

TEST_F(Model, DefaultStoreOnMissingKeyLeavesNoKey) {
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    LoadConfigModel(root, model);
    Store(root);
    EXPECT_FALSE(KeyExists(root, kKey));
  }
  EXPECT_TRUE(prompts.boxes.empty());
}

TEST_F(Model, DefaultStoreDeletesManagedValuesAndKeepsNntpProxy) {
  for (int i = 0; i < kCopierStringCount; ++i) SetString(HKEY_LOCAL_MACHINE, kKey, kCopierStringNames[i], "v");
  for (int i = 0; i < kCopierNumberCount; ++i) SetNumber(HKEY_LOCAL_MACHINE, kKey, kCopierNumberNames[i], 1);
  SetString(HKEY_LOCAL_MACHINE, kKey, "Something else", "untouched");
  model.modified = 1;  // as after an apply of a model that shows nothing
  StoreConfigModel(HKEY_LOCAL_MACHINE, model);
  EXPECT_EQ((std::vector<std::string>{"NNTP proxy port", "NNTP proxy server", "Something else"}),
            ValueNames(HKEY_LOCAL_MACHINE, kKey));
}

TEST_F(Model, StoreWithoutModificationWritesNothing) {
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 1);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  model.pasvMode = 0;
  StoreConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "PASV mode"));
  EXPECT_EQ(0, model.storedSinceStart);
  Store();
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "PASV mode"));
  EXPECT_EQ(0, model.modified);
  EXPECT_EQ(1, model.storedSinceStart);
}

struct CodeCase {
  const char* name;
  std::int32_t ConfigModel::*choice;
  std::vector<std::int32_t> codes;  // by position from 1
};

TEST_F(Model, EveryListedCodeLoadsToItsChoiceAndStoresBack) {
  const CodeCase cases[] = {
      {"Overwrite mode", &ConfigModel::overwriteMode, {0, 1, -1}},
      {"Create directory structure", &ConfigModel::createDirectory, {1, 2, 0}},
      {"Recursive mode", &ConfigModel::recursiveMode, {1, 3, 0}},
      {"Transfer gauge switch", &ConfigModel::transferGauge, {1, 0}},
      {"Client/server talk switch", &ConfigModel::clientServerTalk, {1, 0}},
      {"Erase source file/directory", &ConfigModel::eraseSource, {1, 0}},
      {"PASV mode", &ConfigModel::pasvMode, {1, 0}},
      {"Include non-HTML objects accross sites", &ConfigModel::includeNonHtml, {1, 0}},
      {"Relocate HTTP image", &ConfigModel::relocateImage, {1, 0}},
      {"Decode newsgroup posts", &ConfigModel::decodePosts, {1, 0}},
  };
  for (const CodeCase& c : cases) {
    for (size_t i = 0; i < c.codes.size(); ++i) {
      SetNumber(HKEY_CURRENT_USER, kKey, c.name, c.codes[i]);
      LoadConfigModel(HKEY_CURRENT_USER, model);
      EXPECT_EQ(static_cast<int>(i + 1), model.*c.choice) << c.name << " code " << c.codes[i];
      model.*c.choice = 0;
      Store();
      EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, c.name)) << c.name;
      model.*c.choice = static_cast<std::int32_t>(i + 1);
      Store();
      EXPECT_EQ(c.codes[i], GetNumber(HKEY_CURRENT_USER, kKey, c.name)) << c.name << " position " << i + 1;
    }
  }
}

TEST_F(Model, OverwriteNoIsStoredAsAllOnes) {
  SetNumber(HKEY_CURRENT_USER, kKey, "Overwrite mode", -1);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_STREQ("No", kOverwriteChoice.texts[model.overwriteMode]);
  Store();
  DWORD type;
  std::vector<BYTE> data;
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Overwrite mode", type, data));
  EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}), data);
}

TEST_F(Model, DerivedChoicesFollowRecursiveModeAsLoaded) {
  SetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode", 3);
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "Recursive mode", 1);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_STREQ("All links", kRecursiveChoice.texts[model.recursiveMode]);
  EXPECT_EQ(1, model.includeUnixLinks);
  EXPECT_EQ(1, model.includeSameSite);
  LoadConfigModel(HKEY_LOCAL_MACHINE, model);
  EXPECT_EQ(0, model.includeUnixLinks);
  EXPECT_EQ(0, model.includeSameSite);
  // Never stored: a change of either leaves the key as it was.
  model.includeSameSite = 1;
  Store(HKEY_LOCAL_MACHINE);
  EXPECT_EQ((std::vector<std::string>{"Recursive mode"}), ValueNames(HKEY_LOCAL_MACHINE, kKey));
  EXPECT_EQ(1, GetNumber(HKEY_LOCAL_MACHINE, kKey, "Recursive mode"));
}

TEST_F(Model, UnlistedCodeShowsDefaultAndIsKeptUntilChanged) {
  SetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode", 3);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  SetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode", 2);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(0, model.recursiveMode);
  EXPECT_EQ(0, model.includeUnixLinks);
  Store();
  EXPECT_EQ(2, GetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode"));
  model.recursiveMode = 1;
  Store();
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode"));
}

TEST_F(Model, NumberTexts) {
  SetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer", 5);
  SetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan", -12345678);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_STREQ("5", model.retryCount);
  EXPECT_STREQ("-12345678", model.minimumRows);

  std::strcpy(model.retryCount, "12abc");
  std::strcpy(model.minimumRows, "  +40");
  Store();
  EXPECT_EQ(12, GetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer"));
  EXPECT_EQ(40, GetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan"));
  std::strcpy(model.retryCount, "abc");
  model.minimumRows[0] = '\0';
  Store();
  EXPECT_EQ(0, GetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan"));
}

// A number whose decimal form needs more than 9 characters cannot be shown whole: it is
// shown empty, and kept as stored unless the user types a new one.
TEST_F(Model, NumberTooLongForItsTextIsShownEmptyAndKept) {
  SetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer", 1234567890);
  SetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan", -123456789);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_STREQ("", model.retryCount);
  EXPECT_STREQ("", model.minimumRows);
  Store();
  EXPECT_EQ(1234567890, GetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer"));
  EXPECT_EQ(-123456789, GetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan"));
  std::strcpy(model.retryCount, "7");
  Store();
  EXPECT_EQ(7, GetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer"));
  EXPECT_EQ(-123456789, GetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan"));
}

TEST_F(Model, StringSettingsLoadToTheHeadOfTheirHistory) {
  model.logPath.history.append(cstring1_new("other.log"));
  model.logPath.history.append(cstring1_new("C:/Logs/T.LOG"));
  model.workDirectory.enabled = 1;
  model.workDirectory.history.append(cstring1_new("c:/old"));
  SetString(HKEY_CURRENT_USER, kKey, "Log file path", "c:/logs/t.log");
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(1, model.logPath.enabled);
  // The entry equal but for letter case moves up in its own letter case.
  EXPECT_EQ((std::vector<std::string>{"C:/Logs/T.LOG", "other.log"}), Texts(model.logPath.history));
  EXPECT_EQ(0, model.workDirectory.enabled);
  EXPECT_EQ((std::vector<std::string>{"c:/old"}), Texts(model.workDirectory.history));
}

TEST_F(Model, StringSettingsStoreTheHeadOrDelete) {
  model.msgidDirectory.enabled = 1;
  model.msgidDirectory.history.append(cstring1_new("c:/news/msgid"));
  model.msgidDirectory.history.append(cstring1_new("msgid"));
  model.fileList.enabled = 1;                                    // checked but empty: nothing to store
  model.defaultHtml.history.append(cstring1_new("index.html"));  // unchecked
  SetString(HKEY_CURRENT_USER, kKey, "Default HTML filename", "old.html");
  SetString(HKEY_CURRENT_USER, kKey, "File description list name", "old.lst");
  Store();
  EXPECT_EQ("c:/news/msgid", GetString(HKEY_CURRENT_USER, kKey, "Message-ID directory"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "File description list name"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "Default HTML filename"));
}

TEST_F(Model, ProxyLoadsAsHostWithPortUnlessPortIsZeroOrAbsent) {
  SetString(HKEY_CURRENT_USER, kKey, "FTP proxy server", "ftpgate");
  SetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port", 21);
  SetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server", "webgate");
  SetNumber(HKEY_CURRENT_USER, kKey, "HTTP proxy port", 0);
  SetString(HKEY_LOCAL_MACHINE, kKey, "HTTP proxy server", "bare");
  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ((std::vector<std::string>{"ftpgate:21"}), Texts(model.ftpProxy.history));
  EXPECT_EQ((std::vector<std::string>{"webgate"}), Texts(model.httpProxy.history));
  LoadConfigModel(HKEY_LOCAL_MACHINE, model);
  EXPECT_EQ(0, model.ftpProxy.enabled);
  EXPECT_EQ((std::vector<std::string>{"bare", "webgate"}), Texts(model.httpProxy.history));
}

// The history keeps "host:port" as typed; only the stored values are split.
TEST_F(Model, ProxyStoreSplitsACopyOfTheEntry) {
  model.ftpProxy.enabled = 1;
  model.ftpProxy.history.append(cstring1_new("gate.example:8080"));
  model.httpProxy.enabled = 1;
  model.httpProxy.history.append(cstring1_new("plainhost"));
  Store();
  EXPECT_EQ("gate.example", GetString(HKEY_CURRENT_USER, kKey, "FTP proxy server"));
  EXPECT_EQ(8080, GetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port"));
  EXPECT_EQ("plainhost", GetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server"));
  EXPECT_EQ(0, GetNumber(HKEY_CURRENT_USER, kKey, "HTTP proxy port"));
  EXPECT_EQ((std::vector<std::string>{"gate.example:8080"}), Texts(model.ftpProxy.history));

  model.ftpProxy.history.prepend(cstring1_new("other:port"));
  Store();
  EXPECT_EQ("other", GetString(HKEY_CURRENT_USER, kKey, "FTP proxy server"));
  EXPECT_EQ(0, GetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port"));

  model.ftpProxy.enabled = 0;
  Store();
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "FTP proxy server"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "FTP proxy port"));
}

// No port given is port 0, so a port under the other root cannot pair with this server.
TEST_F(Model, ProxyWithoutPortStoresPortZero) {
  SetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server", "web");
  SetString(HKEY_CURRENT_USER, kKey, "FTP proxy server", "ftpgate");
  SetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port", 21);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  Store();
  EXPECT_EQ(0, GetNumber(HKEY_CURRENT_USER, kKey, "HTTP proxy port"));
  EXPECT_EQ(21, GetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port"));
  model.ftpProxy.history.prepend(cstring1_new("ftpgate"));
  Store();
  EXPECT_EQ(0, GetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port"));
}

// A port is held to what loads back: the largest number is the mark of an absent one.
TEST_F(Model, ProxyPortIsHeldBelowTheAbsentMark) {
  model.ftpProxy.enabled = 1;
  for (const char* entry : {"gate:2147483647", "gate:99999999999", "gate:2147483646"}) {
    model.ftpProxy.history.prepend(cstring1_new(entry));
    Store();
    EXPECT_EQ(kAbsentNumber - 1, GetNumber(HKEY_CURRENT_USER, kKey, "FTP proxy port")) << entry;
    ConfigModel loaded;
    LoadConfigModel(HKEY_CURRENT_USER, loaded);
    EXPECT_EQ(1, loaded.ftpProxy.enabled) << entry;
    EXPECT_EQ((std::vector<std::string>{"gate:2147483646"}), Texts(loaded.ftpProxy.history)) << entry;
  }
}

// An entry without a server is no entry: server and port go, rather than a port alone.
TEST_F(Model, ProxyEntryWithoutServerIsNoEntry) {
  SetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server", "old");
  SetNumber(HKEY_CURRENT_USER, kKey, "HTTP proxy port", 80);
  LoadConfigModel(HKEY_CURRENT_USER, model);
  model.httpProxy.history.prepend(cstring1_new(":8080"));
  model.ftpProxy.enabled = 1;
  model.ftpProxy.history.append(cstring1_new(":"));
  Store();
  for (const char* name : {"HTTP proxy server", "HTTP proxy port", "FTP proxy server", "FTP proxy port"})
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, name)) << name;
  EXPECT_TRUE(prompts.boxes.empty());
}

// What scripts and .reg files write: paths as REG_EXPAND_SZ (shown unexpanded), numbers as
// four bytes of REG_BINARY or another type. A store leaves them as they stand until the user
// changes them; a changed value is written in the format's own type.
TEST_F(Model, ExpandStringsAndFourByteBinariesAreReadAndKeptAsStored) {
  const char log[] = "%TEMP%\\tarnget.log";
  SetRaw(HKEY_CURRENT_USER, kKey, "Log file path", REG_EXPAND_SZ, log, sizeof log);
  SetRaw(HKEY_CURRENT_USER, kKey, "Work directory", REG_EXPAND_SZ, "%USERPROFILE%\\dl", 17);  // no terminator
  const BYTE retries[] = {5, 0, 0, 0}, pasv[] = {1, 0, 0, 0}, port[] = {0x90, 0x1F, 0, 0};
  SetRaw(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer", REG_BINARY, retries, 4);
  SetRaw(HKEY_CURRENT_USER, kKey, "PASV mode", REG_BINARY, pasv, 4);
  SetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server", "web");
  SetRaw(HKEY_CURRENT_USER, kKey, "HTTP proxy port", REG_DWORD_BIG_ENDIAN, port, 4);  // read as the copier reads it
  const std::vector<RawBytes> before = AllValues(HKEY_CURRENT_USER);

  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(1, model.logPath.enabled);
  EXPECT_EQ((std::vector<std::string>{log}), Texts(model.logPath.history));
  EXPECT_EQ((std::vector<std::string>{"%USERPROFILE%\\dl"}), Texts(model.workDirectory.history));
  EXPECT_STREQ("5", model.retryCount);
  EXPECT_EQ(1, model.pasvMode);  // "Yes"
  EXPECT_EQ((std::vector<std::string>{"web:8080"}), Texts(model.httpProxy.history));
  Store();
  EXPECT_EQ(before, AllValues(HKEY_CURRENT_USER)) << "untouched values stay byte for byte";

  model.logPath.history.prepend(cstring1_new("%TEMP%\\other.log"));
  std::strcpy(model.retryCount, "6");
  Store();
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Log file path", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
  EXPECT_EQ("%TEMP%\\other.log", GetString(HKEY_CURRENT_USER, kKey, "Log file path"));
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
  EXPECT_EQ(6, GetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer"));
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Work directory", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), type) << "the unchanged one stays as it was";
}

// Values of an unexpected type or size are shown as absent, and a store that the user
// did not change them for leaves them exactly as they were.
TEST_F(Model, OddValuesSurviveAStoreUntouched) {
  const std::string huge(10000, 'h');
  SetString(HKEY_CURRENT_USER, kKey, "Log file path", huge);
  SetString(HKEY_CURRENT_USER, kKey, "Work directory", "");
  SetString(HKEY_CURRENT_USER, kKey, "Overwrite mode", "1");
  SetRaw(HKEY_CURRENT_USER, kKey, "PASV mode", REG_DWORD, "\x01\x00\x00", 3);
  SetNumber(HKEY_CURRENT_USER, kKey, "Decode newsgroup posts", kAbsentNumber);
  SetString(HKEY_CURRENT_USER, kKey, "FTP proxy server", "gate");
  SetString(HKEY_CURRENT_USER, kKey, "FTP proxy port", "21");
  SetRaw(HKEY_CURRENT_USER, kKey, "Directory list name", REG_SZ, "dirs.lst", 8);  // no terminator
  const std::vector<RawBytes> before = AllValues(HKEY_CURRENT_USER);

  LoadConfigModel(HKEY_CURRENT_USER, model);
  EXPECT_EQ(0, model.logPath.enabled);
  EXPECT_EQ(0, model.workDirectory.enabled);
  EXPECT_EQ(0, model.overwriteMode);
  EXPECT_EQ(0, model.pasvMode);
  EXPECT_EQ(0, model.ftpProxy.enabled);
  EXPECT_EQ(1, model.dirListName.enabled);
  EXPECT_EQ((std::vector<std::string>{"dirs.lst"}), Texts(model.dirListName.history));
  Store();

  EXPECT_EQ(before, AllValues(HKEY_CURRENT_USER));

  // What the user does change is written as usual.
  model.pasvMode = 1;
  model.logPath.enabled = 1;
  model.logPath.history.prepend(cstring1_new("short.log"));
  Store();
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "PASV mode"));
  EXPECT_EQ("short.log", GetString(HKEY_CURRENT_USER, kKey, "Log file path"));
  EXPECT_EQ("1", GetString(HKEY_CURRENT_USER, kKey, "Overwrite mode"));
}

// Values the sheet cannot show are named in one warning, and only those the editor manages.
TEST_F(Model, KeptValuesAreNamedInOneWarning) {
  SetRaw(HKEY_LOCAL_MACHINE, kKey, "Log file path", REG_MULTI_SZ, "a\0b\0", 5);
  SetRaw(HKEY_LOCAL_MACHINE, kKey, "PASV mode", REG_DWORD, "\x01\x00\x00", 3);
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "Overwrite mode", 7);  // no choice has this code
  SetString(HKEY_LOCAL_MACHINE, kKey, "FTP proxy server", "host:with:colons");
  SetRaw(HKEY_LOCAL_MACHINE, kKey, "NNTP proxy server", REG_BINARY, "xy", 2);
  SetString(HKEY_LOCAL_MACHINE, kKey, "Work directory", "shown");
  LoadConfigModel(HKEY_LOCAL_MACHINE, model);
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  WarnOfKeptValues(owner, HKEY_LOCAL_MACHINE, model);
  ASSERT_EQ(1u, prompts.boxes.size());
  const ScriptedPrompts::Box& box = prompts.boxes[0];
  EXPECT_EQ("Warnning", box.caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION), box.type);
  EXPECT_EQ(owner, box.owner);
  EXPECT_EQ(0u, box.text.find("Global configuration")) << box.text;
  EXPECT_NE(std::string::npos, box.text.find("kept as they are until changed or reset")) << box.text;
  for (const char* name : {"Log file path", "PASV mode", "Overwrite mode", "FTP proxy server"})
    EXPECT_NE(std::string::npos, box.text.find(std::string("\n    ") + name)) << name << " in " << box.text;
  for (const char* name : {"NNTP proxy", "Work directory", "FTP proxy port"})
    EXPECT_EQ(std::string::npos, box.text.find(name)) << name << " in " << box.text;

  prompts.boxes.clear();
  CleanKeys::Clear();
  SetString(HKEY_CURRENT_USER, kKey, "Work directory", "shown");
  LoadConfigModel(HKEY_CURRENT_USER, model);
  WarnOfKeptValues(owner, HKEY_CURRENT_USER, model);
  EXPECT_TRUE(prompts.boxes.empty()) << "nothing kept, nothing said";
}

// A key that cannot be created (its parent is volatile, so a lasting child is refused) fails
// the store: the failure is reported once, for the root written, without owner, nothing is
// written, and the model keeps what the user set for the next store.
TEST_F(Model, FailedWriteIsReportedWithoutOwner) {
  const std::pair<HKEY, const char*> roots[] = {{HKEY_CURRENT_USER, "Personal"}, {HKEY_LOCAL_MACHINE, "Global"}};
  for (const auto& root : roots) {
    // Under HKEY_LOCAL_MACHINE in both registry views, whichever the editor writes to.
    std::vector<REGSAM> views = {0};
    if (root.first == HKEY_LOCAL_MACHINE) views.push_back(KEY_WOW64_32KEY);
    for (REGSAM view : views) {
      HKEY parent;
      DWORD disposition = 0;
      ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root.first, "Software\\Brennock", 0, nullptr, REG_OPTION_VOLATILE,
                                                 KEY_ALL_ACCESS | view, nullptr, &parent, &disposition));
      ::RegCloseKey(parent);
      if (disposition != REG_CREATED_NEW_KEY) GTEST_SKIP() << "Software\\Brennock is in use";
    }
    prompts.boxes.clear();
    model.pasvMode = 1;
    Store(root.first);
    for (REGSAM view : views) ::RegDeleteKeyExA(root.first, "Software\\Brennock", view, 0);
    ASSERT_EQ(1u, prompts.boxes.size()) << root.second;
    EXPECT_EQ(std::string("write ") + root.second + " registry key \"Software\\Brennock\\Tarnwell\" error",
              prompts.boxes[0].text);
    EXPECT_EQ("Error", prompts.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONHAND), prompts.boxes[0].type);
    EXPECT_EQ(nullptr, prompts.boxes[0].owner);
    EXPECT_FALSE(KeyExists(root.first, kKey));
    EXPECT_EQ(1, model.storedSinceStart);
    EXPECT_EQ(1, model.pasvMode);

    Store(root.first);
    EXPECT_EQ(1, GetNumber(root.first, kKey, "PASV mode")) << "the next store writes what the user set";
    EXPECT_EQ(1u, prompts.boxes.size());
    CleanKeys::Clear();
  }
}

}  // namespace
