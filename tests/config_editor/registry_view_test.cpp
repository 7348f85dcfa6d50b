// "Global" is the machine's key in the registry's 32-bit view, where the 32-bit copier
// reads it: in either build the editor writes, reads, copies and resets that one key, and
// a machine key that refuses writes is reported rather than passed over.
#include <windows.h>
#include <sddl.h>
#include <gtest/gtest.h>
#include "config_commands.h"
#include "config_model.h"
#include "copier_config.h"
#include "gui_test.h"
#include "registry_helpers.h"

namespace {

const char* const kKey = kCopierConfigKey;

// Opened here with explicit view flags, not through the editor's own helpers.
bool InView(REGSAM view, const char* name, const char* path = kKey) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  const bool found = ::RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return found;
}

// A 32-bit process on a 32-bit system has one view only; the flags are then ignored.
bool TwoViews() {
  BOOL wow64 = FALSE;
  return sizeof(void*) == 8 || (::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64);
}

// Sets the key's access list from its text form, in the 32-bit view.
bool SetKeySecurity(const char* sddl) {
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) return false;
  HKEY key;
  bool ok = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, WRITE_DAC | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS;
  if (ok) {
    ok = ::RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    ::RegCloseKey(key);
  }
  ::LocalFree(sd);
  return ok;
}

class GlobalView : public testing::Test {
 protected:
  CleanKeys clean;
  ScriptedPrompts prompts;
  HWND owner = ::GetDesktopWindow();

  // A value of the same key in the 64-bit view, which the editor must never touch.
  void PlantIn64BitView(const char* name) {
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_WRITE | KEY_WOW64_64KEY,
                                               nullptr, &key, nullptr));
    const DWORD one = 1;
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
    ::RegCloseKey(key);
  }
  ~GlobalView() override {
    SetKeySecurity("D:(A;;KA;;;WD)");
    if (TwoViews()) {
      ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kKey, KEY_WOW64_64KEY, 0);
      ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brennock", KEY_WOW64_64KEY, 0);  // only when empty
    }
  }
};

TEST_F(GlobalView, StoreAndReadUseThe32BitView) {
  ConfigModel model;
  model.pasvMode = 1;
  model.modified = 1;
  StoreConfigModel(HKEY_LOCAL_MACHINE, model);
  EXPECT_TRUE(prompts.boxes.empty());
  EXPECT_TRUE(InView(KEY_WOW64_32KEY, "PASV mode"));
  if (TwoViews()) {
    EXPECT_FALSE(InView(KEY_WOW64_64KEY, "PASV mode"));
    // Where a 64-bit registry tool sees the 32-bit view.
    EXPECT_TRUE(InView(KEY_WOW64_64KEY, "PASV mode", "Software\\Wow6432Node\\Brennock\\Tarnwell"));

    PlantIn64BitView("Decode newsgroup posts");
    char* strings[kCopierStringCount];
    std::int32_t numbers[kCopierNumberCount];
    ASSERT_EQ(0, ReadCopierConfig(HKEY_LOCAL_MACHINE, strings, numbers));
    FreeCopierStrings(strings);
    EXPECT_EQ(1, numbers[kPasvMode]);
    EXPECT_EQ(kAbsentNumber, numbers[kDecodePosts]);
  }
}

TEST_F(GlobalView, CopyAndResetActOnThe32BitKey) {
  if (TwoViews()) PlantIn64BitView("Decode newsgroup posts");
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 1);
  CopyCopierConfig(owner, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE);
  CopyCopierConfig(owner, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER);
  ResetCopierConfig(owner, HKEY_LOCAL_MACHINE);
  ASSERT_EQ(3u, prompts.boxes.size());
  EXPECT_EQ("Configuration copied", prompts.boxes[0].text);
  EXPECT_EQ("Configuration copied", prompts.boxes[1].text);
  EXPECT_EQ("Global configuration reset", prompts.boxes[2].text);
  // The copy back took nothing from the 64-bit view, and the reset left that view alone.
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kKey, "Decode newsgroup posts"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));
  if (TwoViews()) {
    EXPECT_TRUE(InView(KEY_WOW64_64KEY, "Decode newsgroup posts"));
  }
}

// A machine key whose access list lets this user read it but not write to it, as a plain
// user meets it: neither the store nor the copy may report success.
TEST_F(GlobalView, RefusedMachineWritesAreReported) {
  SetNumber(HKEY_LOCAL_MACHINE, kKey, "Recursive mode", 1);
  ASSERT_TRUE(SetKeySecurity("D:P(A;;KRSDWD;;;WD)"));
  SetNumber(HKEY_CURRENT_USER, kKey, "PASV mode", 1);

  ConfigModel model;
  model.pasvMode = 1;
  model.modified = 1;
  StoreConfigModel(HKEY_LOCAL_MACHINE, model);
  CopyCopierConfig(owner, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE);
  ASSERT_EQ(2u, prompts.boxes.size());
  EXPECT_EQ("write Global registry key \"Software\\Brennock\\Tarnwell\" error", prompts.boxes[0].text);
  EXPECT_EQ("copy registry key \"Software\\Brennock\\Tarnwell\" error", prompts.boxes[1].text);
  for (const auto& box : prompts.boxes) EXPECT_EQ("Error", box.caption);
  EXPECT_FALSE(InView(KEY_WOW64_32KEY, "PASV mode"));
  EXPECT_EQ(1, GetNumber(HKEY_LOCAL_MACHINE, kKey, "Recursive mode"));
}

}  // namespace
