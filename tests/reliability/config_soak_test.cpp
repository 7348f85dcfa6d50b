// The configuration editor used for a long time through its own buttons: Personal edits
// (the sheet opened, a field changed, OK), copies onto Global and back, resets. Every
// edit must arrive in the registry, and afterwards the process must hold exactly the
// kernel handles, GDI objects and USER objects it held before.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "copier_config.h"
#include "editor_driving.h"
#include "gui_test.h"
#include "main_window.h"
#include "reliability_support.h"
#include "tarncfg_ids.h"

namespace {

const char kRetries[] = "Failure retry count in each transfer";

std::int32_t StoredNumber(HKEY root, const char* name) {
  std::int32_t value = kAbsentNumber;
  for (const RawValue& v : KeyValues(root, kCopierConfigKey))
    if (v.name == name && v.type == REG_DWORD && v.data.size() == sizeof value) std::memcpy(&value, v.data.data(), 4);
  return value;
}

class EditorSoak : public testing::Test {
 protected:
  void SetUp() override {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) DeleteKeyTree(root, kCopierConfigKey);
    window.reset(new TDialogTarngetConfig(state));
    hwnd = window->Create();
    ASSERT_NE(nullptr, hwnd);
    ::ShowWindow(hwnd, SW_SHOW);
    PumpMessages(20);
  }
  void TearDown() override {
    window.reset();
    PumpMessages(20);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) DeleteKeyTree(root, kCopierConfigKey);
  }

  // One edit: the retry count becomes `n` on the Common page; OK stores it.
  void Edit(int n) {
    const std::string text = std::to_string(n);
    ASSERT_TRUE(EditThroughSheet(hwnd, HKEY_CURRENT_USER,
                                 [&](HWND common) { ::SetDlgItemTextA(common, IDC_COMMON_RETRIES, text.c_str()); }));
    ASSERT_EQ(n, StoredNumber(HKEY_CURRENT_USER, kRetries));
  }

  // An edit, then Personal -> Global, Global -> Personal, and every other time both
  // resets; each with its report.
  void Round(int n, ScriptedPrompts& prompts, int& resets) {
    const std::size_t boxes = prompts.boxes.size();
    Edit(n);
    Click(hwnd, IDC_MAIN_PERSONAL_TO_GLOBAL);
    ASSERT_EQ(n, StoredNumber(HKEY_LOCAL_MACHINE, kRetries));
    Click(hwnd, IDC_MAIN_GLOBAL_TO_PERSONAL);
    ASSERT_EQ(boxes + 2, prompts.boxes.size());
    EXPECT_EQ("Configuration copied", prompts.boxes[boxes].text);
    EXPECT_EQ("Configuration copied", prompts.boxes[boxes + 1].text);
    if (n % 2 == 0) {
      Click(hwnd, IDC_MAIN_RESET_GLOBAL);
      Click(hwnd, IDC_MAIN_RESET_PERSONAL);
      ASSERT_EQ(boxes + 4, prompts.boxes.size());
      EXPECT_EQ("Global configuration reset", prompts.boxes[boxes + 2].text);
      EXPECT_EQ("Personal configuration reset", prompts.boxes[boxes + 3].text);
      ASSERT_EQ(kAbsentNumber, StoredNumber(HKEY_CURRENT_USER, kRetries));
      ++resets;
    }
  }

  EditorState state;  // fresh for every test, as at program start
  std::unique_ptr<TDialogTarngetConfig> window;
  HWND hwnd = nullptr;
};

TEST_F(EditorSoak, EditsCopiesAndResetsGiveBackEveryHandleAndObject) {
  ScriptedPrompts prompts;
  // Warm-up: the platform's one-time loads happen before the count starts.
  int resets = 0;
  Round(1, prompts, resets);
  Round(2, prompts, resets);
  resets = 0;
  PumpMessages(50);
  const ResourceCounts before = CountResources();

  const int edits = Scaled(10, 200);
  const DWORD start = ::GetTickCount();
  for (int n = 3; n < 3 + edits; ++n) {
    Round(n, prompts, resets);
    if (HasFatalFailure()) return;
  }
  const DWORD elapsed = ::GetTickCount() - start;
  PumpMessages(50);
  const ResourceCounts after = CountResources();

  ExpectResourcesBack("editor soak: " + std::to_string(edits) + " Personal edits, " + std::to_string(edits) +
                          " copies each way, " + std::to_string(resets) + " resets of each root, " +
                          std::to_string(elapsed) + " ms",
                      before, after);
}

}  // namespace
