#include <windows.h>
#include <shlobj.h>
#include <tlhelp32.h>
#include <cstring>
#include <gtest/gtest.h>

#include "commander_fixture.h"
#include "gui_test.h"
#include "main_window.h"
#include "place_near_owner.h"
#include "resource.h"

namespace {

// The main window with its task work replaced by counters, so that these tests see what
// reaches it and decide whether closing may go on.
class TTestCommander : public TDialogTarnwellCommander {
public:
  using TDialogTarnwellCommander::TDialogTarnwellCommander;
  int goes = 0;
  int closeWalks = 0;
  int removeAllResult = 0;

  // Opens the window modeless and shows it, as the modal run would.
  HWND Open() {
    HWND hwnd = Create();
    if (hwnd) {
      ::ShowWindow(hwnd, SW_SHOW);
      ::SetForegroundWindow(hwnd);
      PumpMessages(30);
    }
    return hwnd;
  }
  HWND Item(int id) const { return ::GetDlgItem(Handle(), id); }

protected:
  void CmGo() override { ++goes; }
  int RemoveAllTasks() override {
    ++closeWalks;
    return removeAllResult;
  }
};

using MainWindow = CommanderTest;

bool Checked(HWND box) { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool TopMost(HWND hwnd) { return (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::string ColumnTitle(HWND list, int col) {
  char text[64] = "";
  LVCOLUMNA c{};
  c.mask = LVCF_TEXT;
  c.pszText = text;
  c.cchTextMax = sizeof text;
  ::SendMessageA(list, LVM_GETCOLUMNA, col, reinterpret_cast<LPARAM>(&c));
  return text;
}

int ColumnWidth(HWND list, int col) { return static_cast<int>(::SendMessageA(list, LVM_GETCOLUMNWIDTH, col, 0)); }

// Processes of this name that are running now.
int RunningProcesses(const char* exeName) {
  int n = 0;
  HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snap == INVALID_HANDLE_VALUE) return -1;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL ok = ::Process32First(snap, &entry); ok; ok = ::Process32Next(snap, &entry))
    if (::lstrcmpiA(entry.szExeFile, exeName) == 0) ++n;
  ::CloseHandle(snap);
  return n;
}

// A shell file drop of `paths`, as the shell hands it to WM_DROPFILES.
HDROP MakeDrop(std::initializer_list<const char*> paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const char* p : paths) size += std::strlen(p) + 1;
  HGLOBAL mem = ::GlobalAlloc(GHND, size);
  auto* df = static_cast<DROPFILES*>(::GlobalLock(mem));
  df->pFiles = sizeof(DROPFILES);
  char* out = reinterpret_cast<char*>(df) + sizeof(DROPFILES);
  for (const char* p : paths) {
    std::strcpy(out, p);
    out += std::strlen(p) + 1;
  }
  ::GlobalUnlock(mem);
  return static_cast<HDROP>(mem);
}

// Where the dialog manager puts a template control: position and size are converted
// one by one, so the right edge is not the converted x + w.
RECT TemplateRect(HWND dialog, int x, int y, int w, int h) {
  RECT origin = DialogUnitsToPixels(dialog, x, y, 0, 0), size = DialogUnitsToPixels(dialog, 0, 0, w, h);
  return RECT{origin.left, origin.top, origin.left + size.right, origin.top + size.bottom};
}

}  // namespace

TEST_F(MainWindow, FirstStartOpensCentredWithThePanelShownAndEmptyFields) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);

  EXPECT_EQ(WindowText(hwnd), "Tarnwell Commander v1.0a");
  EXPECT_TRUE(Checked(w.Item(IDC_USE_OPTIONS)));
  EXPECT_TRUE(Checked(w.Item(IDC_USE_CONFIG)));
  EXPECT_FALSE(Checked(w.Item(IDC_TOPMOST)));
  EXPECT_FALSE(TopMost(hwnd));
  EXPECT_EQ(WindowText(w.Item(IDC_URL)), "");
  EXPECT_EQ(WindowText(w.Item(IDC_LOCAL)), "");
  EXPECT_TRUE(ComboItems(w.Item(IDC_URL)).empty());

  // Shown panel: full height, and the byte now selects the folded state for "&Task".
  EXPECT_EQ(WindowHeight(hwnd), w.fullHeight);
  EXPECT_EQ(state.settings.taskListSwitch, 0);

  RECT work, r = ScreenRect(hwnd);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);

  EXPECT_NE(::SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_STREQ(w.configCommand, "tarncfg.exe");
  EXPECT_EQ(w.configProcess, nullptr);
}

TEST_F(MainWindow, StoredSettingsShapeTheWindowAndTheCombosTakeTheLists) {
  state.settings.position = {30, 40};
  state.settings.topMost = 1;
  state.settings.useOptions = 0;
  state.settings.useTarngetConfig = 0;
  state.settings.taskListSwitch = 0;
  state.settings.statusWidth = 50;
  state.settings.commandWidth = 200;
  SetList(state.settings.remoteUrl, {"ftp://b/", "http://a/"});
  SetList(state.settings.localPath, {"C:/in"});

  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  RECT r = ScreenRect(hwnd);
  EXPECT_EQ(r.left, 30);
  EXPECT_EQ(r.top, 40);
  EXPECT_TRUE(Checked(w.Item(IDC_TOPMOST)));
  EXPECT_TRUE(TopMost(hwnd));
  EXPECT_FALSE(Checked(w.Item(IDC_USE_OPTIONS)));
  EXPECT_FALSE(Checked(w.Item(IDC_USE_CONFIG)));
  EXPECT_EQ(WindowHeight(hwnd), w.collapsedHeight);
  EXPECT_EQ(state.settings.taskListSwitch, 1);

  // The combos now hold the lists, in order, with empty edit fields.
  EXPECT_EQ(ComboItems(w.Item(IDC_URL)), (std::vector<std::string>{"ftp://b/", "http://a/"}));
  EXPECT_EQ(ComboItems(w.Item(IDC_LOCAL)), (std::vector<std::string>{"C:/in"}));
  EXPECT_EQ(WindowText(w.Item(IDC_URL)), "");
  EXPECT_EQ(state.settings.remoteUrl.count, 0);
  EXPECT_EQ(state.settings.localPath.count, 0);

  HWND list = w.Item(IDC_TASK_LIST);
  EXPECT_EQ(ColumnWidth(list, 0), 50);
  EXPECT_EQ(ColumnWidth(list, 1), 200);
}

TEST_F(MainWindow, TaskButtonFoldsAndRestoresThePanel) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  RECT window = ScreenRect(hwnd), box = ScreenRect(w.Item(IDC_TOPMOST));
  EXPECT_EQ(w.collapsedHeight, box.bottom - window.top + ScaleToDpi(6, WindowDpi(hwnd)));
  EXPECT_EQ(w.fullHeight, window.bottom - window.top);
  EXPECT_LT(w.collapsedHeight, w.fullHeight);

  Click(hwnd, IDC_TASK_SWITCH);
  EXPECT_EQ(WindowHeight(hwnd), w.collapsedHeight);
  EXPECT_EQ(ScreenRect(hwnd).right - ScreenRect(hwnd).left, w.fullWidth);
  EXPECT_EQ(ScreenRect(hwnd).left, window.left);
  EXPECT_EQ(state.settings.taskListSwitch, 1);

  Click(hwnd, IDC_TASK_SWITCH);
  EXPECT_EQ(WindowHeight(hwnd), w.fullHeight);
  EXPECT_EQ(state.settings.taskListSwitch, 0);
}

TEST_F(MainWindow, AlwaysOnTopFollowsItsBox) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  Click(hwnd, IDC_TOPMOST);
  EXPECT_TRUE(Checked(w.Item(IDC_TOPMOST)));
  EXPECT_TRUE(TopMost(hwnd));
  Click(hwnd, IDC_TOPMOST);
  EXPECT_FALSE(TopMost(hwnd));
}

// Run modally, as the program runs it, so that the dialog manager turns keys into commands.
TEST_F(MainWindow, EnterStartsATaskEscDoesNothingAndCloseEnds) {
  TTestCommander w(state);
  int step = 0;
  bool openAfterEscape = false;
  int goesAfterEnter = -1;
  ModalDriver driver([&] {
    HWND hwnd = FindOwnWindow("Tarnwell Commander v1.0a");
    if (!hwnd) return false;
    HWND edit = ::GetWindow(::GetDlgItem(hwnd, IDC_URL), GW_CHILD);
    switch (step++) {
      case 0:
        ::SetFocus(edit);
        ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
        ::PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC0000001);
        return false;
      case 1:
        goesAfterEnter = w.goes;
        ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageA(edit, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        return false;
      case 2:
        ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return false;
      default:
        openAfterEscape = ::IsWindow(hwnd) != 0;
        ::PostMessageA(hwnd, WM_CLOSE, 0, 0);
        return true;
    }
  });
  EXPECT_EQ(w.Execute(), IDCANCEL);
  EXPECT_EQ(goesAfterEnter, 1);
  EXPECT_EQ(w.goes, 1);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(w.closeWalks, 1);
}

TEST_F(MainWindow, CloseIsRefusedWhileATaskStaysAndThenRevokesTheDropTarget) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_GT(w.dropTarget.RefCount(), 0);  // registered for the window

  w.removeAllResult = -1;
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindow(hwnd));

  w.removeAllResult = 0;
  ::SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(w.Result(), IDCANCEL);
  EXPECT_EQ(w.closeWalks, 2);
  EXPECT_EQ(w.dropTarget.RefCount(), 0);
}

TEST_F(MainWindow, ConfigEditorIsStartedOnceWhileItRuns) {
  TTestCommander w(state);
  w.configCommand = "fake_tarncfg.exe";
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  ASSERT_EQ(RunningProcesses("fake_tarncfg.exe"), 0);

  Click(hwnd, IDC_CONFIG);
  ASSERT_NE(w.configProcess, nullptr);
  DWORD first = ::GetProcessId(w.configProcess);
  Click(hwnd, IDC_CONFIG);
  EXPECT_EQ(::GetProcessId(w.configProcess), first);
  EXPECT_EQ(RunningProcesses("fake_tarncfg.exe"), 1);

  // Once that editor has ended, the next click starts a new one, even when its exit code
  // is the one that reads "still active".
  ::TerminateProcess(w.configProcess, STILL_ACTIVE);
  ::WaitForSingleObject(w.configProcess, 5000);
  Click(hwnd, IDC_CONFIG);
  ASSERT_NE(w.configProcess, nullptr);
  EXPECT_NE(::GetProcessId(w.configProcess), first);
  EXPECT_EQ(RunningProcesses("fake_tarncfg.exe"), 1);

  ::TerminateProcess(w.configProcess, 0);
  ::WaitForSingleObject(w.configProcess, 5000);
}

TEST_F(MainWindow, ConfigEditorThatCannotStartIsReported) {
  ScriptedPrompts prompts;
  TTestCommander w(state);
  w.configCommand = "no_such_editor.exe";
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  Click(hwnd, IDC_CONFIG);
  ASSERT_EQ(prompts.boxes.size(), 1u);
  EXPECT_EQ(prompts.boxes[0].text, "Spawn no_such_editor.exe error");
  EXPECT_EQ(prompts.boxes[0].caption, "Error");
  EXPECT_EQ(prompts.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONHAND));
  EXPECT_EQ(prompts.boxes[0].owner, hwnd);
  EXPECT_EQ(w.configProcess, nullptr);
}

TEST_F(MainWindow, FilesDroppedOnTheWindowGoToTheLocalField) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  EXPECT_TRUE(::GetWindowLongA(w.Item(IDC_LOCAL), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  ::SendMessageA(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\data\\in", "C:\\other"})), 0);
  EXPECT_EQ(WindowText(w.Item(IDC_LOCAL)), "C:/data/in");
  EXPECT_EQ(ComboItems(w.Item(IDC_LOCAL)), (std::vector<std::string>{"C:/data/in"}));
  EXPECT_EQ(WindowText(w.Item(IDC_URL)), "");
}

TEST_F(MainWindow, FieldsCommitOnFocusLossAndDropDown) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  HWND url = w.Item(IDC_URL), local = w.Item(IDC_LOCAL);

  ::SetFocus(url);
  ::SetWindowTextA(url, "  ftp://host/file \t");
  ::SetFocus(local);
  EXPECT_EQ(ComboItems(url), (std::vector<std::string>{"ftp://host/file"}));

  ::SetWindowTextA(local, "C:/out");
  ::SendMessageA(local, CB_SHOWDROPDOWN, TRUE, 0);
  ::SendMessageA(local, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(ComboItems(local), (std::vector<std::string>{"C:/out"}));
}

TEST_F(MainWindow, BrowseButtonPutsTheChosenFolderIntoTheLocalField) {
  ScriptedPrompts prompts;
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);

  Click(hwnd, IDC_BROWSE_LOCAL);  // cancelled
  EXPECT_EQ(WindowText(w.Item(IDC_LOCAL)), "");

  prompts.nextFolder = "C:\\windows";
  Click(hwnd, IDC_BROWSE_LOCAL);
  ASSERT_EQ(prompts.folderTitles.size(), 2u);
  EXPECT_EQ(prompts.folderTitles[1], "Please select a directory");
  EXPECT_EQ(WindowText(w.Item(IDC_LOCAL)), "C:/windows");
  EXPECT_EQ(ComboItems(w.Item(IDC_LOCAL)), (std::vector<std::string>{"C:/windows"}));
}

TEST_F(MainWindow, AboutBoxOpensNearTheWindowAndOkClosesIt) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);
  RECT owner = ScreenRect(hwnd), about{}, desktop = ScreenRect(::GetDesktopWindow());
  std::string text;
  bool hasPicture = false;
  ModalDriver driver([&] {
    HWND box = FindOwnedWindow(hwnd);
    if (!box) return false;
    about = ScreenRect(box);
    text = WindowText(::GetWindow(::GetDlgItem(box, IDOK), GW_HWNDPREV));
    hasPicture = ::SendDlgItemMessageA(box, IDC_ABOUT_PICTURE, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    Click(box, IDOK);
    return true;
  });
  Click(hwnd, IDC_ABOUT);
  ASSERT_TRUE(driver.Done());
  POINT expected = near_owner_position(desktop, about, owner);
  EXPECT_EQ(about.left, expected.x);
  EXPECT_EQ(about.top, expected.y);
  EXPECT_EQ(about.left, owner.left + (owner.right - owner.left) / 10);
  EXPECT_EQ(text, "Tarnwell Commander v1.0a");
  EXPECT_TRUE(hasPicture);
  EXPECT_EQ(FindOwnedWindow(hwnd), nullptr);
}

TEST_F(MainWindow, ControlsAndTheTaskListSitWhereTheLayoutPutsThem) {
  TTestCommander w(state);
  HWND hwnd = w.Open();
  ASSERT_NE(hwnd, nullptr);

  RECT client;
  ::GetClientRect(hwnd, &client);
  RECT size = DialogUnitsToPixels(hwnd, 0, 0, 329, 138);
  EXPECT_EQ(client.right, size.right);
  EXPECT_EQ(client.bottom, size.bottom);

  struct Expected { int id, x, y, w, h; };
  for (const Expected& e : {Expected{IDC_GO, 297, 2, 30, 12}, Expected{IDC_BROWSE_LOCAL, 297, 16, 15, 12},
                            Expected{IDC_CONFIG, 121, 35, 64, 12}, Expected{IDC_TOPMOST, 206, 35, 77, 12},
                            Expected{IDC_KILL_ALL, 297, 104, 30, 22}, Expected{IDC_TASK_PLACEHOLDER, 4, 52, 290, 84}}) {
    RECT want = TemplateRect(hwnd, e.x, e.y, e.w, e.h), got = ChildRect(hwnd, e.id);
    EXPECT_EQ(got.left, want.left) << "control " << e.id;
    EXPECT_EQ(got.top, want.top) << "control " << e.id;
    EXPECT_EQ(got.right, want.right) << "control " << e.id;
    EXPECT_EQ(got.bottom, want.bottom) << "control " << e.id;
  }
  // Combo boxes: the height is the edit's, the template's height is the drop-down's.
  RECT url = ChildRect(hwnd, IDC_URL), want = TemplateRect(hwnd, 24, 2, 272, 60);
  EXPECT_EQ(url.left, want.left);
  EXPECT_EQ(url.top, want.top);
  EXPECT_EQ(url.right, want.right);

  EXPECT_FALSE(::IsWindowVisible(w.Item(IDC_TASK_PLACEHOLDER)));
  EXPECT_FALSE(::IsWindowVisible(w.Item(IDC_PAUSE)));
  EXPECT_FALSE(::IsWindowEnabled(w.Item(IDC_PAUSE)));

  // The list takes the placeholder's size, at x 6 and 20 pixels (at 96 DPI) above the folded bottom.
  HWND list = w.Item(IDC_TASK_LIST);
  ASSERT_NE(list, nullptr);
  RECT area = ChildRect(hwnd, IDC_TASK_PLACEHOLDER), got = ChildRect(hwnd, IDC_TASK_LIST);
  EXPECT_EQ(got.left, ScaleToDpi(6, WindowDpi(hwnd)));
  EXPECT_EQ(got.top, w.collapsedHeight - ScaleToDpi(20, WindowDpi(hwnd)));
  EXPECT_EQ(got.right - got.left, area.right - area.left);
  EXPECT_EQ(got.bottom - got.top, area.bottom - area.top);

  LONG style = ::GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_SHAREIMAGELISTS);
  EXPECT_FALSE(style & (LVS_SINGLESEL | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER));
  EXPECT_EQ(ColumnTitle(list, 0), "Status");
  EXPECT_EQ(ColumnTitle(list, 1), "Tarnwell command-line arguments");
  EXPECT_EQ(ColumnWidth(list, 0), 80);
  EXPECT_EQ(ColumnWidth(list, 1), (area.right - area.left) - 80);
}
