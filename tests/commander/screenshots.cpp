// Pictures of the commander's windows for looking at the layout: each window is copied
// from the screen into shot-NAME.bmp in the current directory. Runs only when the
// environment variable TARNWELL_SCREENSHOTS is set (scripts/screenshots.sh sets it and
// turns the files into PNGs); otherwise every case is skipped.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <gtest/gtest.h>

#include "commander_fixture.h"
#include "gui_test.h"
#include "main_window.h"
#include "options_sheet.h"
#include "resource.h"
#include "settings.h"

namespace {

class Screenshots : public CommanderTest {
protected:
  void SetUp() override {
    if (!std::getenv("TARNWELL_SCREENSHOTS")) GTEST_SKIP() << "TARNWELL_SCREENSHOTS is not set";
    CommanderTest::SetUp();
  }
};

// Copies the window's screen rectangle into a 24-bit bottom-up BMP file.
bool SaveWindowPicture(HWND hwnd, const std::string& name) {
  ::SetForegroundWindow(hwnd);
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpMessages(300);
  RECT r;
  ::GetWindowRect(hwnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP dib = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) {
    ::ReleaseDC(nullptr, screen);
    return false;
  }
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + size;
  bool saved = false;
  if (FILE* f = std::fopen(("shot-" + name + ".bmp").c_str(), "wb")) {
    saved = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info, sizeof info, 1, f) == 1 &&
            std::fwrite(bits, size, 1, f) == 1;
    saved = std::fclose(f) == 0 && saved;
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(dib);
  ::ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace

TEST_F(Screenshots, MainWindowShownAndFolded) {
  SetList(g_settings.remoteUrl, {"ftp://ftp.example.org/pub/file.zip"});
  TDialogTarnwellCommander w;
  HWND hwnd = w.Create();
  ASSERT_NE(hwnd, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  ::SetWindowTextA(w.urlBox.Handle(), "ftp://ftp.example.org/pub/file.zip");
  ::SetWindowTextA(w.localBox.Handle(), "C:/download");
  EXPECT_TRUE(SaveWindowPicture(hwnd, "main_window"));
  Click(hwnd, IDC_TASK_SWITCH);
  EXPECT_TRUE(SaveWindowPicture(hwnd, "main_window_folded"));
}

TEST_F(Screenshots, AboutBox) {
  TDialogTarnwellCommander w;
  HWND hwnd = w.Create();
  ASSERT_NE(hwnd, nullptr);
  ::ShowWindow(hwnd, SW_SHOW);
  PumpMessages(100);
  bool saved = false;
  ModalDriver driver([&] {
    HWND about = FindOwnedWindow(hwnd);
    if (!about) return false;
    saved = SaveWindowPicture(about, "about");
    Click(about, IDOK);
    return true;
  });
  Click(hwnd, IDC_ABOUT);
  EXPECT_TRUE(saved);
}

TEST_F(Screenshots, OptionPages) {
  SetList(g_options.workDirectory, {"C:/work"});
  SetList(g_options.inclusivePatterns, {"*.zip"});
  g_options.ftpProxyState = kProxyDefault;
  TPropertySheetOptions sheet(nullptr);
  HWND hwnd = sheet.Create();
  ASSERT_NE(hwnd, nullptr);
  const char* names[] = {"options_common", "options_ftp", "options_http", "options_nntp"};
  for (int i = 0; i < 4; ++i) {
    PropSheet_SetCurSel(hwnd, nullptr, i);
    EXPECT_TRUE(SaveWindowPicture(hwnd, names[i]));
  }
}
