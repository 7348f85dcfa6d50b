// The copier's key against the real registry: reading odd values safely, write states,
// the recursive merging copy, and the copy and reset commands with their messages.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "config_commands.h"
#include "copier_config.h"
#include "gui_test.h"
#include "registry_helpers.h"

namespace {

const char* const kKey = kCopierConfigKey;

class CopierConfig : public testing::Test {
protected:
  CleanKeys clean;
  char* strings[kCopierStringCount] = {};
  std::int32_t numbers[kCopierNumberCount] = {};
  UnreadableValues unreadable{};
  void TearDown() override { FreeCopierStrings(strings); }
  int Read(HKEY root = HKEY_CURRENT_USER) {
    FreeCopierStrings(strings);
    return ReadCopierConfig(root, strings, numbers, &unreadable);
  }
};

TEST_F(CopierConfig, MissingKeyReadsAllAbsent) {
  EXPECT_EQ(-1, Read());
  for (char* s : strings) EXPECT_EQ(nullptr, s);
  for (std::int32_t n : numbers) EXPECT_EQ(kAbsentNumber, n);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
}

TEST_F(CopierConfig, ReadsStringsAndNumbersByName) {
  SetString(HKEY_CURRENT_USER, kKey, "Log file path", "c:/tmp/t.log");
  SetString(HKEY_CURRENT_USER, kKey, "File description list name", "files.lst");
  SetNumber(HKEY_CURRENT_USER, kKey, "Overwrite mode", -1);
  SetNumber(HKEY_CURRENT_USER, kKey, "Posts of minimum rows to scan", 250);
  SetNumber(HKEY_CURRENT_USER, kKey, "Include non-HTML objects accross sites", 1);
  EXPECT_EQ(0, Read());
  EXPECT_STREQ("c:/tmp/t.log", strings[kLogFilePath]);
  EXPECT_STREQ("files.lst", strings[kFileListName]);
  EXPECT_EQ(nullptr, strings[kWorkDirectory]);
  EXPECT_EQ(-1, numbers[kOverwriteMode]);
  EXPECT_EQ(250, numbers[kMinimumRows]);
  EXPECT_EQ(1, numbers[kIncludeNonHtml]);
  EXPECT_EQ(kAbsentNumber, numbers[kRetryCount]);
}

TEST_F(CopierConfig, GlobalRootIsItsOwnKey) {
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "PASV mode", 1);
  EXPECT_EQ(-1, Read(HKEY_CURRENT_USER));
  EXPECT_EQ(0, Read(HKEY_LOCAL_MACHINE));
  EXPECT_EQ(1, numbers[kPasvMode]);
}

// Values written by something else, of the wrong type or size: none may crash, overrun or
// yield garbage; each reads as absent and is reported as present-but-unreadable.
TEST_F(CopierConfig, OddValuesReadAsAbsentAndAreReported) {
  const std::string s259(259, 'a'), s260(260, 'b'), s10000(10000, 'c');
  SetString(HKEY_CURRENT_USER, kKey, "FTP proxy server", s259);
  SetString(HKEY_CURRENT_USER, kKey, "HTTP proxy server", s260);
  SetString(HKEY_CURRENT_USER, kKey, "Log file path", s10000);
  SetString(HKEY_CURRENT_USER, kKey, "Work directory", "");
  std::int32_t five = 5;
  SetRaw(HKEY_CURRENT_USER, kKey, "Directory list name", REG_DWORD, &five, 4);
  SetString(HKEY_CURRENT_USER, kKey, "Overwrite mode", "1");
  SetRaw(HKEY_CURRENT_USER, kKey, "Recursive mode", REG_DWORD, "\x01\x00\x00", 3);
  long long wide = 1;
  SetRaw(HKEY_CURRENT_USER, kKey, "PASV mode", REG_QWORD, &wide, 8);
  SetNumber(HKEY_CURRENT_USER, kKey, "Failure retry count in each transfer", kAbsentNumber);
  SetRaw(HKEY_CURRENT_USER, kKey, "Message-ID directory", REG_SZ, "ab\0cd", 6);

  EXPECT_EQ(0, Read());
  ASSERT_NE(nullptr, strings[kFtpProxyServer]);
  EXPECT_EQ(s259, strings[kFtpProxyServer]);
  EXPECT_FALSE(unreadable.strings[kFtpProxyServer]);
  for (int i : {kHttpProxyServer, kLogFilePath, kWorkDirectory, kDirListName, kMsgidDirectory}) {
    EXPECT_EQ(nullptr, strings[i]) << kCopierStringNames[i];
    EXPECT_TRUE(unreadable.strings[i]) << kCopierStringNames[i];
  }
  for (int i : {kOverwriteMode, kRecursiveMode, kPasvMode, kRetryCount}) {
    EXPECT_EQ(kAbsentNumber, numbers[i]) << kCopierNumberNames[i];
    EXPECT_TRUE(unreadable.numbers[i]) << kCopierNumberNames[i];
  }
  EXPECT_FALSE(unreadable.strings[kFileListName]);
  EXPECT_FALSE(unreadable.numbers[kMinimumRows]);
}

TEST_F(CopierConfig, StringWithoutTerminatorIsReadWhole) {
  SetRaw(HKEY_CURRENT_USER, kKey, "Log file path", REG_SZ, "abcdef", 6);
  const std::string s260(260, 'x');
  SetRaw(HKEY_CURRENT_USER, kKey, "Work directory", REG_SZ, s260.data(), 260);
  Read();
  ASSERT_NE(nullptr, strings[kLogFilePath]);
  EXPECT_STREQ("abcdef", strings[kLogFilePath]);
  EXPECT_EQ(nullptr, strings[kWorkDirectory]);
  EXPECT_TRUE(unreadable.strings[kWorkDirectory]);
}

TEST_F(CopierConfig, WriteSetsEveryValueWithItsType) {
  char text[] = "t";
  char* texts[kCopierStringCount];
  signed char stringStates[kCopierStringCount], numberStates[kCopierNumberCount];
  std::int32_t values[kCopierNumberCount];
  for (int i = 0; i < kCopierStringCount; ++i) texts[i] = text, stringStates[i] = kSet;
  for (int i = 0; i < kCopierNumberCount; ++i) values[i] = i - 1, numberStates[i] = kSet;
  ASSERT_EQ(0, WriteCopierConfig(HKEY_CURRENT_USER, texts, stringStates, values, numberStates));

  std::vector<std::string> expected = {
      "FTP proxy server", "HTTP proxy server", "NNTP proxy server", "Log file path", "Work directory",
      "Directory list name", "Default HTML filename", "Message-ID directory", "File description list name",
      "FTP proxy port", "HTTP proxy port", "NNTP proxy port", "Create directory structure", "Overwrite mode",
      "Failure retry count in each transfer", "Recursive mode", "Client/server talk switch", "Transfer gauge switch",
      "Erase source file/directory", "PASV mode", "Include non-HTML objects accross sites", "Relocate HTTP image",
      "Decode newsgroup posts", "Posts of minimum rows to scan"};
  for (int i = 0; i < kCopierStringCount; ++i) {
    DWORD type;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, expected[i].c_str(), type, data)) << expected[i];
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type) << expected[i];
    EXPECT_EQ(2u, data.size()) << expected[i];  // the text and its terminator
  }
  for (int i = 0; i < kCopierNumberCount; ++i) {
    EXPECT_EQ(i - 1, GetNumber(HKEY_CURRENT_USER, kKey, expected[kCopierStringCount + i].c_str()))
        << expected[kCopierStringCount + i];
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, ValueNames(HKEY_CURRENT_USER, kKey));
}

TEST_F(CopierConfig, WriteStatesSetDeleteAndLeave) {
  SetString(HKEY_CURRENT_USER, kKey, "Log file path", "old.log");
  SetString(HKEY_CURRENT_USER, kKey, "Work directory", "c:/work");
  SetNumber(HKEY_CURRENT_USER, kKey, "Recursive mode", 3);
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 1);
  char newLog[] = "new.log";
  char* texts[kCopierStringCount] = {};
  texts[kLogFilePath] = newLog;
  signed char stringStates[kCopierStringCount] = {};
  signed char numberStates[kCopierNumberCount] = {};
  std::int32_t values[kCopierNumberCount] = {};
  stringStates[kLogFilePath] = kSet;
  stringStates[kDefaultHtmlName] = kDelete;  // not there: no error
  numberStates[kRecursiveMode] = kDelete;
  numberStates[kOverwriteMode] = kSet;
  values[kOverwriteMode] = -1;
  ASSERT_EQ(0, WriteCopierConfig(HKEY_CURRENT_USER, texts, stringStates, values, numberStates));
  EXPECT_EQ("new.log", GetString(HKEY_CURRENT_USER, kKey, "Log file path"));
  EXPECT_EQ("c:/work", GetString(HKEY_CURRENT_USER, kKey, "Work directory"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "Recursive mode"));
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "PASV mode"));
  DWORD type;
  std::vector<BYTE> data;
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kKey, "Overwrite mode", type, data));
  EXPECT_EQ((std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}), data);
}

TEST_F(CopierConfig, KeyMadeOnlyToDeleteInIsRemovedAgain) {
  char* texts[kCopierStringCount] = {};
  signed char deleteAll[kCopierNumberCount];
  std::int32_t values[kCopierNumberCount] = {};
  for (signed char& s : deleteAll) s = kDelete;
  EXPECT_EQ(0, WriteCopierConfig(HKEY_LOCAL_MACHINE, texts, deleteAll, values, deleteAll));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));

  // An existing key stays, even when the write leaves it empty.
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "PASV mode", 1);
  EXPECT_EQ(0, WriteCopierConfig(HKEY_LOCAL_MACHINE, texts, deleteAll, values, deleteAll));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
  EXPECT_TRUE(ValueNames(HKEY_LOCAL_MACHINE, kKey).empty());
}

TEST_F(CopierConfig, WriteToUnusableRootFails) {
  char* texts[kCopierStringCount] = {};
  signed char states[kCopierNumberCount] = {};
  std::int32_t values[kCopierNumberCount] = {};
  EXPECT_EQ(-1, WriteCopierConfig(reinterpret_cast<HKEY>(0x7654), texts, states, values, states));
}

TEST_F(CopierConfig, CopyRegistryKeyMergesRecursively) {
  const char* src = "Software\\Brennock\\Tarnwell\\CopySource";
  const char* dst = "Software\\Brennock\\Tarnwell\\CopyDest";
  SetString(HKEY_CURRENT_USER, src, "text", "from source");
  SetNumber(HKEY_CURRENT_USER, src, "shared", 7);
  SetRaw(HKEY_CURRENT_USER, src, "bytes", REG_BINARY, "\x01\x02\x03", 3);
  SetNumber(HKEY_CURRENT_USER, (std::string(src) + "\\Sub\\Deeper").c_str(), "deep", 42);
  SetNumber(HKEY_CURRENT_USER, dst, "shared", 1);
  SetString(HKEY_CURRENT_USER, dst, "only in destination", "kept");
  SetString(HKEY_CURRENT_USER, (std::string(dst) + "\\Own").c_str(), "own", "kept too");

  ASSERT_EQ(0, CopyRegistryKey(HKEY_CURRENT_USER, src, HKEY_LOCAL_MACHINE, dst));
  ASSERT_EQ(0, CopyRegistryKey(HKEY_CURRENT_USER, src, HKEY_CURRENT_USER, dst));
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    EXPECT_EQ("from source", GetString(root, dst, "text"));
    EXPECT_EQ(7, GetNumber(root, dst, "shared"));
    DWORD type;
    std::vector<BYTE> data;
    ASSERT_TRUE(GetRaw(root, dst, "bytes", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), data);
    EXPECT_EQ(42, GetNumber(root, (std::string(dst) + "\\Sub\\Deeper").c_str(), "deep"));
  }
  EXPECT_EQ("kept", GetString(HKEY_CURRENT_USER, dst, "only in destination"));
  EXPECT_EQ("kept too", GetString(HKEY_CURRENT_USER, (std::string(dst) + "\\Own").c_str(), "own"));
  EXPECT_EQ(-1, CopyRegistryKey(HKEY_CURRENT_USER, "Software\\Brennock\\Tarnwell\\Nowhere", HKEY_CURRENT_USER, dst));
}

class CopierCommands : public CopierConfig {
protected:
  ScriptedPrompts prompts;
  HWND owner = ::GetDesktopWindow();
  void ExpectOneBox(const char* text, const char* caption, UINT type) {
    ASSERT_EQ(1u, prompts.boxes.size());
    EXPECT_EQ(text, prompts.boxes[0].text);
    EXPECT_EQ(caption, prompts.boxes[0].caption);
    EXPECT_EQ(type, prompts.boxes[0].type);
    EXPECT_EQ(owner, prompts.boxes[0].owner);
  }
};

TEST_F(CopierCommands, CopyFromMissingRootWarnsAndWritesNothing) {
  CopyCopierConfig(owner, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE);
  ExpectOneBox("Personal configuration not exist", "Warnning", MB_OK | MB_ICONEXCLAMATION);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
  prompts.boxes.clear();
  CopyCopierConfig(owner, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER);
  ExpectOneBox("Global configuration not exist", "Warnning", MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(CopierCommands, CopyMergesIntoTheOtherRoot) {
  SetString(HKEY_LOCAL_MACHINE, kKey, "Log file path", "global.log");
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "PASV mode", 1);
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 0);
  SetNumber(HKEY_CURRENT_USER, kKey, "Decode newsgroup posts", 1);
  CopyCopierConfig(owner, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER);
  ExpectOneBox("Configuration copied", "Ok", MB_OK | MB_ICONINFORMATION);
  EXPECT_EQ("global.log", GetString(HKEY_CURRENT_USER, kKey, "Log file path"));
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "PASV mode"));
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kKey, "Decode newsgroup posts"));
}

TEST_F(CopierCommands, CopyThatCannotReadAValueReportsItsFailure) {
  SetNumber(HKEY_CURRENT_USER, kKey, std::string(300, 'n').c_str(), 1);  // beyond the name buffer
  CopyCopierConfig(owner, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE);
  ExpectOneBox("copy registry key \"Software\\Brennock\\Tarnwell\" error", "Error", MB_OK | MB_ICONHAND);
}

TEST_F(CopierCommands, ResetDeletesTheKeyAndReportsSuccess) {
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 1);
  ResetCopierConfig(owner, HKEY_CURRENT_USER);
  ExpectOneBox("Personal configuration reset", "Ok", MB_OK | MB_ICONINFORMATION);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kKey));
  // Nothing to reset is still a reset.
  prompts.boxes.clear();
  ResetCopierConfig(owner, HKEY_LOCAL_MACHINE);
  ExpectOneBox("Global configuration reset", "Ok", MB_OK | MB_ICONINFORMATION);
}

TEST_F(CopierCommands, ResetThatCannotDeleteReportsAnError) {
  SetNumber(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\Sub").c_str(), "x", 1);  // a key with a subkey stays
  ResetCopierConfig(owner, HKEY_LOCAL_MACHINE);
  ExpectOneBox("erase Global registry key \"Software\\Brennock\\Tarnwell\" error", "Error", MB_OK | MB_ICONHAND);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
}

}  // namespace
