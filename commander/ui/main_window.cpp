#include "main_window.h"

#include <cstring>

#include "about_dialog.h"
#include "command_ids.h"
#include "history.h"
#include "options_sheet.h"
#include "prompts.h"
#include "resource.h"
#include "settings_store.h"
#include "str_util.h"
#include "tarnwell_version.h"

DEFINE_RESPONSE_TABLE(TDialogTarnwellCommander, TDialog) = {
    {WM_COMMAND, IDC_GO, BN_CLICKED, &Self::CmGo},
    {WM_COMMAND, IDC_ESCAPE, BN_CLICKED, &Self::CmEscape},
    {WM_COMMAND, IDC_BROWSE_LOCAL, BN_CLICKED, &Self::CmBrowseLocal},
    {WM_COMMAND, IDC_ABOUT, BN_CLICKED, &Self::CmAbout},
    {WM_COMMAND, IDC_OPTIONS, BN_CLICKED, &Self::CmOptions},
    {WM_COMMAND, IDC_CONFIG, BN_CLICKED, &Self::CmTarngetConfig},
    {WM_COMMAND, IDC_TOPMOST, BN_CLICKED, &Self::CmTopMost},
    {WM_COMMAND, IDC_TASK_SWITCH, BN_CLICKED, &Self::CmTaskSwitch},
    {WM_COMMAND, IDC_STATE, BN_CLICKED, &Self::CmState},
    {WM_NOTIFY, IDC_TASK_LIST, NM_DBLCLK, &Self::CmState},
    {WM_NOTIFY, IDC_TASK_LIST, LVN_GETDISPINFOA, &Self::EvTaskListDisplayText},
    {WM_COMMAND, IDC_CLEAR, BN_CLICKED, &Self::CmClear},
    {WM_COMMAND, IDC_KILL, BN_CLICKED, &Self::CmKill},
    {WM_COMMAND, IDC_KILL_ALL, BN_CLICKED, &Self::CmKillAll},
    {WM_COMMAND, IDC_PAUSE, BN_CLICKED, &Self::CmPause},
    {WM_COMMAND, kCmRetry, 0, &Self::CmRetry},
    {WM_COMMAND, kCmCopyCommandLines, 0, &Self::CmCopyCommandLines},
    {WM_COMMAND, kCmSelectAllTasks, 0, &Self::CmSelectAllTasks},
    {WM_CONTEXTMENU, 0, 0, &Self::EvContextMenu},
    {WM_DROPFILES, 0, 0, &Self::EvDropFiles},
    {WM_TIMER, 0, 0, &Self::EvTimer},
    {WM_CLOSE, 0, 0, &Self::EvClose},
    {WM_DPICHANGED, 0, 0, &Self::EvDpiChanged},
    {},
};

// The drop target only keeps a reference to urlBox, which is built after it; GCC takes
// the binding for a read of the member before its construction.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
TDialogTarnwellCommander::TDialogTarnwellCommander(CommanderState& state)
    : TDialog(nullptr, IDD_COMMANDER),
      dropTarget(urlBox),
      goButton(this, IDC_GO),
      topMostBox(this, IDC_TOPMOST),
      useOptionsBox(this, IDC_USE_OPTIONS),
      useConfigBox(this, IDC_USE_CONFIG),
      urlBox(this, IDC_URL),
      localBox(this, IDC_LOCAL),
      placeholder(this, IDC_TASK_PLACEHOLDER),
      state_(state) {
  LoadSettings(state_);
}
#pragma GCC diagnostic pop

TDialogTarnwellCommander::~TDialogTarnwellCommander() {
  // A window left open (a modeless one) goes while this object can still revoke its drop
  // target.
  Destroy();
  // Tasks still listed when the window object goes (never after a normal close) are
  // freed with their handles; their copiers keep running.
  taskChain.clear_delete();
  // The editor outlives the commander; only our handle to it goes.
  if (configProcess) ::CloseHandle(configProcess);
}

void TDialogTarnwellCommander::SetupWindow() {
  TDialog::SetupWindow();

  RECT window, topMost;
  GetWindowRect(window);
  topMostBox.GetWindowRect(topMost);
  fullWidth = window.right - window.left;
  fullHeight = window.bottom - window.top;
  dpi = WindowDpi(hwnd_);
  collapsedHeight = topMost.bottom - window.top + ScaleToDpi(6, dpi);
  ApplyTaskPanelSwitch();

  ::DragAcceptFiles(hwnd_, TRUE);
  ::RegisterDragDrop(hwnd_, &dropTarget);

  if (state_.settings.position.x != kNotSet) MoveTo(state_.settings.position.x, state_.settings.position.y);
  SetText("Tarnwell Commander v" TARNWELL_VERSION);
  if (HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PROGRAM)))
    Post(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

  // From here on the combo boxes hold these lists until they are read back.
  fill_combo_take(urlBox, state_.settings.remoteUrl, false);
  fill_combo_take(localBox, state_.settings.localPath, false);

  topMostBox.SetCheck(state_.settings.topMost ? BST_CHECKED : BST_UNCHECKED);
  ApplyTopMost();
  useOptionsBox.SetCheck(state_.settings.useOptions ? BST_CHECKED : BST_UNCHECKED);
  useConfigBox.SetCheck(state_.settings.useTarngetConfig ? BST_CHECKED : BST_UNCHECKED);

  CreateTaskList();
  SetTimer(0, 1000);
}

void TDialogTarnwellCommander::CleanupWindow() {
  ::RevokeDragDrop(hwnd_);
  TDialog::CleanupWindow();
}

// The setting holds the state this call selects; afterwards it holds the other one, which
// the next "&Task" click selects.
void TDialogTarnwellCommander::ApplyTaskPanelSwitch() {
  SetPos(nullptr, 0, 0, fullWidth, state_.settings.taskListSwitch ? fullHeight : collapsedHeight,
         SWP_NOMOVE | SWP_NOZORDER);
  state_.settings.taskListSwitch = !state_.settings.taskListSwitch;
}

void TDialogTarnwellCommander::ApplyTopMost() {
  SetPos(topMostBox.IsChecked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

// What the status column leaves of the list's width. The stored status width may be any
// 32-bit number, so the difference is taken wide and kept between none and all of it.
int FillWidth(int listWidth, std::int32_t statusWidth) {
  const std::int64_t rest = static_cast<std::int64_t>(listWidth) - statusWidth;
  return static_cast<int>(rest < 0 ? 0 : rest > listWidth ? listWidth : rest);
}

}  // namespace

// The list takes the placeholder's size; its top follows the folded window's bottom edge.
void TDialogTarnwellCommander::CreateTaskList() {
  RECT area;
  placeholder.GetWindowRect(area);
  const int width = area.right - area.left, height = area.bottom - area.top;
  const int left = ScaleToDpi(6, dpi), top = collapsedHeight - ScaleToDpi(20, dpi);
  taskList.reset(new TTaskListView(nullptr, IDC_TASK_LIST));
  if (!taskList->Create(hwnd_, IDC_TASK_LIST, RECT{left, top, left + width, top + height},
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS)) {
    taskList.reset();  // no list, no tasks: Go checks for the list
    return;
  }
  taskList->InsertColumn(0, "Status", state_.settings.statusWidth);
  taskList->InsertColumn(1, "Tarnwell command-line arguments",
                         state_.settings.commandWidth == kNotSet ? FillWidth(width, state_.settings.statusWidth)
                                                            : state_.settings.commandWidth);
}

// The panel's two heights and the width grow with the dialog the system rescales.
void TDialogTarnwellCommander::EvDpiChanged(Message& m) {
  const UINT now = HIWORD(m.wParam);
  fullWidth = ::MulDiv(fullWidth, static_cast<int>(now), static_cast<int>(dpi));
  fullHeight = ::MulDiv(fullHeight, static_cast<int>(now), static_cast<int>(dpi));
  collapsedHeight = ::MulDiv(collapsedHeight, static_cast<int>(now), static_cast<int>(dpi));
  dpi = now;
  TDialog::EvDpiChanged(m);
}

void TDialogTarnwellCommander::CmBrowseLocal() { browse_folder(localBox, nullptr); }

void TDialogTarnwellCommander::EvDropFiles(Message& m) {
  accept_dropped_file(localBox, reinterpret_cast<HDROP>(m.wParam));
}

void TDialogTarnwellCommander::CmAbout() {
  AboutDialog about(hwnd_);
  about.Execute();
}

void TDialogTarnwellCommander::CmOptions() {
  TPropertySheetOptions sheet(hwnd_, state_);
  sheet.Execute();
}

// One editor at a time: a click while the editor we started still runs does nothing.
void TDialogTarnwellCommander::CmTarngetConfig() {
  if (configProcess) {
    // By the handle's signal, not the exit code: an editor may end with 259 itself.
    if (::WaitForSingleObject(configProcess, 0) == WAIT_TIMEOUT) return;
    ::CloseHandle(configProcess);
    configProcess = nullptr;
  }
  // CreateProcessA may write into its command line, so it gets a copy.
  const std::unique_ptr<char[]> commandLine(dup_n(configCommand, std::strlen(configCommand)));
  if (!commandLine) return;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (::CreateProcessA(nullptr, commandLine.get(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    ::CloseHandle(started.hThread);
    configProcess = started.hProcess;
  } else if (const std::unique_ptr<char[]> text{format_alloc("Spawn %s error", configCommand)}) {
    ShowError(hwnd_, text.get());
  }
}

// Closing succeeds only once every task is gone; a refusal keeps the window open.
void TDialogTarnwellCommander::EvClose() {
  if (RemoveAllTasks() != 0) return;
  SaveSettings(ControlsOf(*this), state_);
  CloseWindow(IDCANCEL);
}
