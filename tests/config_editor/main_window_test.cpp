// The editor's main window as a real dialog: its buttons, Escape, closing with the own
// settings, the Personal and Global edits through the real sheet, and the About box.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include "config_model.h"
#include "editor_driving.h"
#include "editor_settings.h"
#include "gui_test.h"
#include "main_window.h"
#include "registry_helpers.h"
#include "tarncfg_ids.h"
#include "window_checks.h"

namespace {

void SetPosition(std::int32_t x, std::int32_t y) {
  std::int32_t p[2] = {x, y};
  SetRaw(HKEY_CURRENT_USER, kEditorSettingsKey, "Window Position", REG_BINARY, p, sizeof p);
}

std::vector<BYTE> StoredPosition() {
  DWORD type;
  std::vector<BYTE> data;
  GetRaw(HKEY_CURRENT_USER, kEditorSettingsKey, "Window Position", type, data);
  return data;
}

std::vector<BYTE> PositionBytes(std::int32_t x, std::int32_t y) {
  std::vector<BYTE> b(8);
  std::memcpy(b.data(), &x, 4);
  std::memcpy(b.data() + 4, &y, 4);
  return b;
}

class MainWindow : public testing::Test {
 protected:
  CleanKeys clean;
  ScriptedPrompts prompts;
  EditorState state;  // fresh for every test, as at program start
  std::unique_ptr<TDialogTarngetConfig> window;
  HWND hwnd = nullptr;

  void TearDown() override {
    window.reset();
    PumpMessages(10);
  }
  void Open() {
    window.reset(new TDialogTarngetConfig(state));
    hwnd = window->Create();
    ASSERT_NE(nullptr, hwnd);
    PumpMessages(20);
  }
};

TEST_F(MainWindow, SevenPlainButtonsUnderItsOwnCaption) {
  Open();
  EXPECT_EQ("Tarnwell Config v1.0a", WindowText(hwnd));
  ExpectLayout(hwnd, {{1, 4, 4, 88, 12},
                      {113, 96, 4, 88, 12},
                      {103, 4, 18, 88, 12},
                      {101, 96, 18, 88, 12},
                      {102, 4, 32, 88, 12},
                      {104, 96, 32, 88, 12},
                      {111, 157, 46, 27, 12}});
  const std::pair<int, const char*> labels[] = {{1, "&Personal Config"},
                                                {113, "&Global Config"},
                                                {103, "Personal -> Global"},
                                                {101, "Global -> Personal"},
                                                {102, "Reset Personal"},
                                                {104, "Reset Global"},
                                                {111, "&About"}};
  for (const auto& l : labels) {
    HWND button = ::GetDlgItem(hwnd, l.first);
    EXPECT_EQ(l.second, WindowText(button));
    EXPECT_EQ(static_cast<LONG>(BS_PUSHBUTTON), ::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) << l.first;
  }
  LONG style = ::GetWindowLongA(hwnd, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_NE(0, ::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0));

  // No stored position: centred on the screen.
  RECT r, desktop;
  ::GetWindowRect(hwnd, &r);
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  EXPECT_LE(std::abs((r.left + r.right) - (desktop.left + desktop.right)), 2);
  EXPECT_LE(std::abs((r.top + r.bottom) - (desktop.top + desktop.bottom)), 2);
}

TEST_F(MainWindow, EscapeLeavesItOpenAndCloseSavesThePosition) {
  SetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 0", "kept.log");
  Open();
  ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  PumpMessages(10);
  ASSERT_TRUE(::IsWindow(hwnd));

  ::SetWindowPos(hwnd, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  PumpMessages(10);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(PositionBytes(50, 60), StoredPosition());
  // No edit was stored: the histories stay as saved, the default entry is not added.
  EXPECT_EQ("kept.log", GetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 0"));
  EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 1"));
}

// Closed from the taskbar while minimized: the place it comes back to is kept, not the
// minimized window's spot far off the screen.
TEST_F(MainWindow, CloseWhileMinimizedSavesWhereItStoodBefore) {
  Open();
  ::SetWindowPos(hwnd, nullptr, 140, 75, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(hwnd, SW_MINIMIZE);
  PumpMessages(10);
  ASSERT_TRUE(::IsIconic(hwnd));
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  PumpMessages(10);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(PositionBytes(140, 75), StoredPosition());
}

TEST_F(MainWindow, StartsWhereItWasClosed) {
  SetPosition(70, 80);
  Open();
  RECT r;
  ::GetWindowRect(hwnd, &r);
  EXPECT_EQ(70, r.left);
  EXPECT_EQ(80, r.top);
}

TEST_F(MainWindow, CopyAndResetButtonsReportToTheMainWindow) {
  Open();
  Click(hwnd, 103);
  SetNumber(HKEY_LOCAL_MACHINE, kCopierConfigKey, "PASV mode", 1);
  Click(hwnd, 101);
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kCopierConfigKey, "PASV mode"));
  Click(hwnd, 102);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kCopierConfigKey));
  Click(hwnd, 104);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCopierConfigKey));
  ASSERT_EQ(4u, prompts.boxes.size());
  EXPECT_EQ("Personal configuration not exist", prompts.boxes[0].text);
  EXPECT_EQ("Configuration copied", prompts.boxes[1].text);
  EXPECT_EQ("Personal configuration reset", prompts.boxes[2].text);
  EXPECT_EQ("Global configuration reset", prompts.boxes[3].text);
  for (const auto& box : prompts.boxes) EXPECT_EQ(hwnd, box.owner) << box.text;
}

// Global edit through the real sheet: OK stores the change; the close then saves the
// histories, default entries included, because a store has run.
TEST_F(MainWindow, GlobalEditStoresWhatOkAppliesAndCloseSavesHistories) {
  SetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 0", "pre.log");
  Open();
  std::string caption;
  ModalDriver driver([&] {
    HWND sheet = FindOwnWindow("Global Configuration");
    if (!sheet) return false;
    caption = WindowText(sheet);
    ::SendDlgItemMessageA(PropSheet_GetCurrentPageHwnd(sheet), 115, CB_SETCURSEL, 2, 0);
    PropSheet_PressButton(sheet, PSBTN_OK);
    return true;
  });
  Click(hwnd, 113);
  ASSERT_TRUE(driver.Done());
  EXPECT_EQ("Global Configuration", caption);
  EXPECT_EQ(1, GetNumber(HKEY_LOCAL_MACHINE, kCopierConfigKey, "Overwrite mode"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kCopierConfigKey));
  EXPECT_EQ(1, state.model.storedSinceStart);

  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ("pre.log", GetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 0"));
  EXPECT_EQ("~tarnget.log", GetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget log path 1"));
  EXPECT_EQ("default.html", GetString(HKEY_CURRENT_USER, kEditorSettingsKey, "Tarnget default HTML file name 0"));
}

// The sheet opens over values it cannot show: one warning first, owned by the main window.
TEST_F(MainWindow, PersonalEditOverKeptValuesWarnsOnceAndKeepsThem) {
  SetRaw(HKEY_CURRENT_USER, kCopierConfigKey, "Work directory", REG_BINARY, "dir", 3);
  SetRaw(HKEY_CURRENT_USER, kCopierConfigKey, "Relocate HTTP image", REG_BINARY, "\x01\x00", 2);
  Open();
  ASSERT_TRUE(EditThroughSheet(hwnd, HKEY_CURRENT_USER, [](HWND common) {
    ::SendDlgItemMessageA(common, 115, CB_SETCURSEL, 2, 0);  // a change, so the store runs
  }));
  ASSERT_EQ(1u, prompts.boxes.size());
  EXPECT_EQ("Warnning", prompts.boxes[0].caption);
  EXPECT_EQ(hwnd, prompts.boxes[0].owner);
  EXPECT_NE(std::string::npos, prompts.boxes[0].text.find("Work directory")) << prompts.boxes[0].text;
  EXPECT_NE(std::string::npos, prompts.boxes[0].text.find("Relocate HTTP image")) << prompts.boxes[0].text;
  EXPECT_EQ(1, GetNumber(HKEY_CURRENT_USER, kCopierConfigKey, "Overwrite mode"));
  DWORD type = 0;
  std::vector<BYTE> data;
  ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kCopierConfigKey, "Work directory", type, data));
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(3u, data.size());
}

// The program's own run: Enter at once opens the Personal sheet; Cancel writes nothing;
// closing ends the modal loop.
TEST_F(MainWindow, EnterOpensPersonalAndCancelWritesNothing) {
  SetNumber(HKEY_CURRENT_USER, kCopierConfigKey, "PASV mode", 1);
  TDialogTarngetConfig program(state);
  HWND main = nullptr;
  bool sheetSeen = false;
  ModalDriver enter([&] {
    main = FindOwnWindow("Tarnwell Config v1.0a");
    if (!main || !::IsWindowVisible(main) || !::GetFocus()) return false;
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    return true;
  });
  ModalDriver cancel([&] {
    HWND sheet = FindOwnWindow("Personal Configuration");
    if (!sheet) return false;
    sheetSeen = true;
    ::SendDlgItemMessageA(PropSheet_GetCurrentPageHwnd(sheet), 115, CB_SETCURSEL, 2, 0);
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
    return true;
  });
  ModalDriver close([&] {
    if (!cancel.Done() || FindOwnWindow("Personal Configuration")) return false;
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    return true;
  });
  program.Execute();
  EXPECT_TRUE(sheetSeen);
  EXPECT_EQ((std::vector<std::string>{"PASV mode"}), ValueNames(HKEY_CURRENT_USER, kCopierConfigKey));
  EXPECT_EQ(0, state.model.storedSinceStart);
  EXPECT_EQ(8u, StoredPosition().size());  // none was known, so the close wrote one
}

BITMAP ShownPicture(HWND about) {
  BITMAP picture{};
  auto bitmap = reinterpret_cast<HBITMAP>(::SendDlgItemMessageA(about, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0));
  if (bitmap) ::GetObjectA(bitmap, sizeof picture, &picture);
  return picture;
}

TEST_F(MainWindow, AboutBoxPlacesItselfAndShowsThePicture) {
  Open();
  UINT dpi = 0;
  // Opens the About box over the main window at (x, y); returns where the box stood.
  auto aboutAt = [&](int x, int y, std::string& title, BITMAP& picture) {
    ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT aboutRect{};
    ModalDriver driver([&] {
      HWND about = FindOwnedWindow(hwnd);
      if (!about) return false;
      ::GetWindowRect(about, &aboutRect);
      title = WindowText(::FindWindowExA(about, nullptr, "Static", "Tarnwell Config v1.0a"));
      picture = ShownPicture(about);
      dpi = WindowDpi(about);
      Click(about, IDOK);
      return true;
    });
    Click(hwnd, 111);
    EXPECT_TRUE(driver.Done());
    return aboutRect;
  };
  std::string title;
  BITMAP picture{};
  RECT main;
  ::GetWindowRect(hwnd, &main);
  const int width = main.right - main.left, height = main.bottom - main.top;
  const RECT about = aboutAt(100, 90, title, picture);
  EXPECT_EQ("Tarnwell Config v1.0a", title);
  EXPECT_EQ(ScaleToDpi(398, dpi), picture.bmWidth);
  EXPECT_EQ(ScaleToDpi(142, dpi), picture.bmHeight);
  EXPECT_EQ(1, picture.bmBitsPixel);
  // A fifth of the main window's width and a quarter of its height in from its corner.
  EXPECT_EQ(100 + width / 5, about.left);
  EXPECT_EQ(90 + height / 4, about.top);

  // Near the screen's far corner the box keeps its right and bottom edges on the screen.
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN), screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  const RECT pulled = aboutAt(screenWidth - 60, screenHeight - 40, title, picture);
  EXPECT_EQ(screenWidth, pulled.right);
  EXPECT_EQ(screenHeight, pulled.bottom);
}

// A DPI change while the box is open: it takes the suggested rectangle and draws its
// picture again at the new DPI, still monochrome.
TEST_F(MainWindow, AboutBoxFollowsADpiChange) {
  Open();
  RECT moved{};
  BITMAP picture{}, rescaled{};
  UINT dpi = 0;
  const RECT suggested{40, 50, 40 + 444, 50 + 222};
  ModalDriver driver([&] {
    HWND about = FindOwnedWindow(hwnd);
    if (!about) return false;
    picture = ShownPicture(about);
    dpi = WindowDpi(about);
    const UINT next = dpi == 144 ? 192 : 144;
    ::SendMessageA(about, WM_DPICHANGED, MAKEWPARAM(next, next), reinterpret_cast<LPARAM>(&suggested));
    ::GetWindowRect(about, &moved);
    rescaled = ShownPicture(about);
    Click(about, IDOK);
    return true;
  });
  Click(hwnd, 111);
  ASSERT_TRUE(driver.Done());
  const UINT next = dpi == 144 ? 192 : 144;
  for (const auto& shown : {std::make_pair(picture, dpi), std::make_pair(rescaled, next)}) {
    EXPECT_EQ(ScaleToDpi(398, shown.second), shown.first.bmWidth);
    EXPECT_EQ(ScaleToDpi(142, shown.second), shown.first.bmHeight);
    EXPECT_EQ(1, shown.first.bmBitsPixel);
  }
  EXPECT_TRUE(::EqualRect(&suggested, &moved));
}

}  // namespace
