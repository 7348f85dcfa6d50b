// The task message window over hand-made task records: which rows it shows and when, the
// progress row, stepping between tasks, its drawing, and how "&State" opens it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gui_test.h"
#include "message_window.h"
#include "resource.h"
#include "str_util.h"
#include "task_test_support.h"

namespace {

class MessageWindow : public TaskWindowTest {
protected:
  void TearDown() override {
    dialog.reset();
    tasks.clear_delete();
    TaskWindowTest::TearDown();
  }

  TarngetTaskItem* AddTask(const char* commandLine, const char* output = "") {
    auto* task = new TarngetTaskItem;
    task->commandLine.reset(dup_n(commandLine, std::strlen(commandLine)));
    Say(task, output);
    tasks.append(task);
    return task;
  }
  static void Say(TarngetTaskItem* task, const char* output) { task->output.Take(output, std::strlen(output)); }

  void Open(TarngetTaskItem* task) {
    dialog.reset(new TarngetMessageDialog(window->Handle(), tasks, task));
    ASSERT_NE(nullptr, dialog->Create());
    ::ShowWindow(dialog->Handle(), SW_SHOW);
  }
  void Tick() { dialog->Send(WM_TIMER, 0); }
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < dialog->list.GetCount(); ++i)
      rows.push_back(reinterpret_cast<const char*>(dialog->list.GetItemData(i)));
    return rows;
  }

  chain<TarngetTaskItem> tasks;
  std::unique_ptr<TarngetMessageDialog> dialog;
};

using Strings = std::vector<std::string>;

TEST_F(MessageWindow, ShowsTheCommandLineTheStoredLinesAndTheProgressLineLast) {
  TarngetTaskItem* task = AddTask("tarnget.exe ftp://host/ -r ", "@ one\n! two\n~ 50% done\n*three\n~ 60% done\n");
  Open(task);
  EXPECT_EQ("Tarnwell Message Box", WindowText(dialog->Handle()));
  EXPECT_EQ("tarnget.exe ftp://host/ -r ", WindowText(dialog->commandLine.Handle()));
  EXPECT_EQ((Strings{"0one", "1two", "2hree", "560% done"}), Rows());
  EXPECT_TRUE(dialog->ProgressRowShown());
  EXPECT_EQ(0, task->output.progressPending);
  // The row points into the record, so it always draws the newest progress text.
  EXPECT_EQ(reinterpret_cast<LPARAM>(task->output.progressText), dialog->list.GetItemData(3));
}

TEST_F(MessageWindow, RefreshKeepsTheProgressRowLastAndDropsItForANewLine) {
  TarngetTaskItem* task = AddTask("tarnget.exe x ", "@ one\n~ 10%\n");
  Open(task);
  Say(task, "~ 20%\n");
  Tick();
  EXPECT_EQ((Strings{"0one", "520%"}), Rows());
  Say(task, "C: USER a\n");
  Tick();
  EXPECT_EQ((Strings{"0one", "3USER a"}), Rows());
  EXPECT_FALSE(dialog->ProgressRowShown());
  // A progress line followed by an ordinary one on the same tick is not shown.
  Say(task, "~ 30%\nS: 331 ok\n");
  Tick();
  EXPECT_EQ((Strings{"0one", "3USER a", "4331 ok"}), Rows());
  Say(task, "~ 40%\n");
  Tick();
  Tick();
  EXPECT_EQ((Strings{"0one", "3USER a", "4331 ok", "540%"}), Rows());
}

TEST_F(MessageWindow, LinesOfATaskThatHadSaidNothingAppearOnTheNextTick) {
  TarngetTaskItem* task = AddTask("tarnget.exe x ");
  Open(task);
  EXPECT_TRUE(Rows().empty());
  Say(task, "@ first\n@ second\n");
  Tick();
  EXPECT_EQ((Strings{"0first", "0second"}), Rows());
}

TEST_F(MessageWindow, ClosingWithAProgressRowShowsItAgainNextTime) {
  TarngetTaskItem* task = AddTask("tarnget.exe x ", "@ one\n@ two\n~ 70%\n");
  Open(task);
  dialog->Send(WM_COMMAND, IDCANCEL);  // Esc
  EXPECT_FALSE(dialog->IsWindow());
  EXPECT_EQ(1, task->output.progressPending);
  Open(task);
  EXPECT_EQ((Strings{"0one", "0two", "570%"}), Rows());
  dialog->Send(WM_CLOSE);
  EXPECT_FALSE(dialog->IsWindow());
  EXPECT_EQ(1, task->output.progressPending);
  Open(task);
  dialog->Send(WM_COMMAND, IDOK);  // Enter
  EXPECT_FALSE(dialog->IsWindow());
  EXPECT_EQ(1, task->output.progressPending);
  // Without a progress row shown, closing leaves the flag as it is.
  Say(task, "@ three\n");
  Open(task);
  EXPECT_EQ((Strings{"0one", "0two", "0three"}), Rows());
  dialog->Send(WM_CLOSE);
  EXPECT_EQ(0, task->output.progressPending);
}

TEST_F(MessageWindow, TheNewestRowIsScrolledIntoView) {
  std::string output;
  for (int i = 0; i < 300; ++i) output += "@ line " + std::to_string(i) + "\n";
  TarngetTaskItem* task = AddTask("tarnget.exe x ", output.c_str());
  Open(task);
  ASSERT_EQ(300, dialog->list.GetCount());
  RECT last{};
  dialog->list.Send(LB_GETITEMRECT, 299, reinterpret_cast<LPARAM>(&last));
  RECT client;
  dialog->list.GetClientRect(client);
  EXPECT_GT(dialog->list.GetTopIndex(), 0);
  EXPECT_LE(last.bottom, client.bottom);
}

TEST_F(MessageWindow, StepsWrapAroundAndOneTaskDoesNotStep) {
  TarngetTaskItem* only = AddTask("tarnget.exe only ", "@ only\n");
  Open(only);
  Click(dialog->Handle(), 104);
  Click(dialog->Handle(), 103);
  EXPECT_EQ(only, dialog->CurrentTask());
  EXPECT_EQ((Strings{"0only"}), Rows());
  dialog.reset();

  TarngetTaskItem* second = AddTask("tarnget.exe second ", "@ b1\n~ b 5%\n");
  TarngetTaskItem* third = AddTask("tarnget.exe third ", "@ c1\n@ c2\n");
  Open(third);
  Click(dialog->Handle(), 104);  // ">>" on the last shows the first
  EXPECT_EQ(only, dialog->CurrentTask());
  EXPECT_EQ("tarnget.exe only ", WindowText(dialog->commandLine.Handle()));
  EXPECT_EQ((Strings{"0only"}), Rows());
  Click(dialog->Handle(), 103);  // "<<" on the first shows the last
  EXPECT_EQ(third, dialog->CurrentTask());
  EXPECT_EQ((Strings{"0c1", "0c2"}), Rows());
  Click(dialog->Handle(), 103);
  EXPECT_EQ(second, dialog->CurrentTask());
  EXPECT_EQ((Strings{"0b1", "5b 5%"}), Rows());
  // Stepping away from a shown progress row keeps it for the next visit.
  Click(dialog->Handle(), 104);
  EXPECT_EQ(1, second->output.progressPending);
  Click(dialog->Handle(), 103);
  EXPECT_EQ((Strings{"0b1", "5b 5%"}), Rows());
  EXPECT_TRUE(dialog->list.IsVisible());
}

TEST_F(MessageWindow, RowsDrawTheirIconThroughItsMaskAndAnEmptyLineDrawsNothing) {
  // A marker alone stores an empty line; a marker and one character store the code alone.
  TarngetTaskItem* task = AddTask("tarnget.exe x ", "@ information\n@\n@ \n");
  Open(task);
  ASSERT_EQ((Strings{"0information", "", "0"}), Rows());
  ASSERT_TRUE(dialog->list.IconsLoaded());
  ::UpdateWindow(dialog->list.Handle());
  RECT row0{}, row1{};
  dialog->list.Send(LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
  dialog->list.Send(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
  HDC dc = ::GetDC(dialog->list.Handle());
  const COLORREF background = ::GetSysColor(COLOR_WINDOW);
  const UINT dpi = WindowDpi(dialog->list.Handle());
  auto at = [dpi](int pixels) { return ScaleToDpi(pixels, dpi); };
  const int x = row0.left + at(2), y = row0.top + dialog->list.IconOffset();
  // The information picture: blue at the disc's left edge, the row's own colour in the
  // mask's white corner, white in the letter.
  EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, x, y + at(4)));
  EXPECT_EQ(background, ::GetPixel(dc, x, y));
  EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc, x + at(5), y + at(2)));
  int inked = 0;
  for (int px = x + at(16); px < x + at(60); ++px)
    for (int py = row0.top; py < row0.bottom; ++py) inked += ::GetPixel(dc, px, py) != background;
  EXPECT_GT(inked, 0);
  int blank = 0;
  for (int px = row1.left; px < row1.left + 60; ++px)
    for (int py = row1.top; py < row1.bottom; ++py) blank += ::GetPixel(dc, px, py) == background;
  EXPECT_EQ(60 * (row1.bottom - row1.top), blank);
  ::ReleaseDC(dialog->list.Handle(), dc);
}

// A row drawn with the focus and then told the focus has gone looks like the row drawn
// without it: the outline goes where it came.
TEST_F(MessageWindow, FocusRectangleGoesWhereItWasDrawn) {
  TarngetTaskItem* task = AddTask("tarnget.exe x ", "@ information\n");
  Open(task);
  ASSERT_EQ((Strings{"0information"}), Rows());
  const int width = 200, height = dialog->list.GetItemHeight(0);
  HDC screen = ::GetDC(nullptr);
  HDC dc[2] = {::CreateCompatibleDC(screen), ::CreateCompatibleDC(screen)};
  HBITMAP bitmap[2] = {::CreateCompatibleBitmap(screen, width, height), ::CreateCompatibleBitmap(screen, width, height)};
  ::ReleaseDC(nullptr, screen);
  HGDIOBJ old[2];
  for (int i = 0; i < 2; ++i) {
    old[i] = ::SelectObject(dc[i], bitmap[i]);
    DRAWITEMSTRUCT dis{ODT_LISTBOX, 101, 0, ODA_DRAWENTIRE, 0, dialog->list.Handle(), dc[i], {0, 0, width, height},
                       static_cast<ULONG_PTR>(dialog->list.Send(LB_GETITEMDATA, 0))};
    dis.itemState = i == 0 ? ODS_FOCUS : 0;
    dialog->list.ODADrawEntire(dis);
    if (i == 0) {
      dis.itemAction = ODA_FOCUS;
      dis.itemState = 0;
      dialog->list.ODAFocus(dis);
    }
  }
  int differing = 0;
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) differing += ::GetPixel(dc[0], x, y) != ::GetPixel(dc[1], x, y);
  EXPECT_EQ(0, differing) << "pixels left by the focus rectangle";
  for (int i = 0; i < 2; ++i) {
    ::SelectObject(dc[i], old[i]);
    ::DeleteObject(bitmap[i]);
    ::DeleteDC(dc[i]);
  }
}

// The rows drawn into memory at 96, 144 and 192 DPI: the row grows with the DPI, and the
// icon is drawn at its scaled size, its scaled margin and centred in the row, with the text
// after it.
TEST_F(MessageWindow, RowsFollowTheDpi) {
  TarngetTaskItem* task = AddTask("tarnget.exe x ", "@ \n@ information\n");
  Open(task);
  ASSERT_EQ((Strings{"0", "0information"}), Rows());
  const int measured = dialog->list.GetItemHeight(0);
  const int shownDpi = static_cast<int>(WindowDpi(dialog->list.Handle()));
  const COLORREF background = ::GetSysColor(COLOR_WINDOW);
  for (UINT dpi : {96u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    dialog->list.ScaleTo(dpi);
    const int icon = 12 * static_cast<int>(dpi) / 96, left = 2 * static_cast<int>(dpi) / 96;
    const int height = dialog->list.GetItemHeight(0), width = 200;
    EXPECT_EQ(std::max(::MulDiv(measured, static_cast<int>(dpi), shownDpi), icon), height);
    EXPECT_EQ((height - icon) / 2, dialog->list.IconOffset());
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, 2 * height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    for (int row = 0; row < 2; ++row) {
      DRAWITEMSTRUCT dis{ODT_LISTBOX, 101, static_cast<UINT>(row), ODA_DRAWENTIRE, 0, dialog->list.Handle(), dc,
                         {0, row * height, width, (row + 1) * height},
                         static_cast<ULONG_PTR>(dialog->list.Send(LB_GETITEMDATA, row))};
      dialog->list.ODADrawEntire(dis);
    }
    // Row 0 holds the icon alone: its inked pixels are exactly the scaled disc.
    RECT ink{width, height, -1, -1};
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (::GetPixel(dc, x, y) != background) {
          ink.left = std::min<LONG>(ink.left, x), ink.top = std::min<LONG>(ink.top, y);
          ink.right = std::max<LONG>(ink.right, x + 1), ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    const int top = dialog->list.IconOffset();
    EXPECT_EQ(left, ink.left);
    EXPECT_EQ(top, ink.top);
    EXPECT_EQ(icon, ink.right - ink.left);
    EXPECT_EQ(icon, ink.bottom - ink.top);
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, left, top + icon / 2));
    EXPECT_EQ(RGB(255, 255, 255), ::GetPixel(dc, left + icon / 2, top + icon / 4));
    // Row 1's text starts after the icon and its scaled gap.
    int firstText = width;
    for (int x = left + icon; x < width && firstText == width; ++x)
      for (int y = height; y < 2 * height; ++y)
        if (::GetPixel(dc, x, y) != background) firstText = x;
    EXPECT_GE(firstText, left + icon + 4 * static_cast<int>(dpi) / 96);
    EXPECT_LT(firstText, width);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
}

// "&State" through the real main window, on tasks of real copiers.
class StateButton : public TaskWindowTest {
protected:
  // Clicks "&State" and returns the command line the message window shows, or "" when
  // no message window opened.
  std::string ShownCommandLine() {
    std::string shown;
    ModalDriver driver([&] {
      HWND box = FindOwnWindow("Tarnwell Message Box");
      if (!box) return false;
      shown = WindowText(::GetDlgItem(box, 102));
      ::SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
      return true;
    });
    Click(window->Handle(), IDC_STATE);
    return shown;
  }
};

TEST_F(StateButton, OpensNothingWithoutTasksAndTheFirstSelectedRowOtherwise) {
  EXPECT_EQ("", ShownCommandLine());
  for (const char* line : {"tarnget.exe r0 ", "tarnget.exe r1 ", "tarnget.exe r2 ", "tarnget.exe r3 "})
    Start(kEndsOk, line);
  EXPECT_EQ("tarnget.exe r0 ", ShownCommandLine());
  Select({1, 3});
  EXPECT_EQ("tarnget.exe r1 ", ShownCommandLine());
  Select({3});
  EXPECT_EQ("tarnget.exe r3 ", ShownCommandLine());
}

}  // namespace
