#include "message_window.h"

#include "command_ids.h"
#include "controls.h"
#include "log_export.h"
#include "place_near_owner.h"

namespace {

const int kImageBase = 100;  // image of code "0"; its mask follows, then code "1"'s image...
const int kDialogResource = 7;
const UINT_PTR kTimerId = 0;
const UINT kTimerMs = 1000;
// Where the mask is black the image's pixel is copied; where it is white the row stays.
const DWORD kMaskedCopy = 0xCCAA2000;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info)) return SIZE{0, 0};
  return SIZE{info.bmWidth, info.bmHeight};
}

}  // namespace

TarngetStatusTListBox::TarngetStatusTListBox(TDialog* parent, int id) : TListBox(parent, id) { LoadIcons(kBaseDpi); }

TarngetStatusTListBox::~TarngetStatusTListBox() { FreeIcons(); }

void TarngetStatusTListBox::LoadIcons(UINT dpi) {
  FreeIcons();
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  for (int i = 0; i < kIconCount; ++i) {
    images_[i] = LoadScaledBitmap(module, kImageBase + 2 * i, dpi);
    masks_[i] = LoadScaledBitmap(module, kImageBase + 2 * i + 1, dpi);
  }
  dpi_ = dpi;
}

void TarngetStatusTListBox::FreeIcons() {
  for (int i = 0; i < kIconCount; ++i) {
    if (images_[i]) ::DeleteObject(images_[i]);
    if (masks_[i]) ::DeleteObject(masks_[i]);
    images_[i] = masks_[i] = nullptr;
  }
}

bool TarngetStatusTListBox::IconsLoaded() const {
  for (int i = 0; i < kIconCount; ++i)
    if (!images_[i] || !masks_[i]) return false;
  return true;
}

void TarngetStatusTListBox::SetupWindow() {
  TListBox::SetupWindow();
  Subclass();
  setupRowHeight_ = GetItemHeight(0);
  setupDpi_ = WindowDpi(Handle());
  ScaleTo(setupDpi_);
}

void TarngetStatusTListBox::ScaleTo(UINT dpi) {
  if (dpi != dpi_) LoadIcons(dpi);
  const int icon = BitmapSize(images_[0]).cy;
  // The row measured at setup grows with the DPI as the list's font does; it never cuts
  // an icon, whatever the font.
  const int measured = ::MulDiv(setupRowHeight_, static_cast<int>(dpi), static_cast<int>(setupDpi_));
  const int row = measured > icon ? measured : icon;
  if (row != GetItemHeight(0)) Send(LB_SETITEMHEIGHT, 0, row);
  const int offset = (row - icon) / 2;
  iconOffset_ = offset > 0 ? offset : 0;
  Invalidate();
}

void TarngetStatusTListBox::ODADrawEntire(DRAWITEMSTRUCT& dis) {
  if (dis.itemID == static_cast<UINT>(-1)) return;
  const char* text = reinterpret_cast<const char*>(dis.itemData);
  if (!text) text = "";
  const int icon = text[0] >= '0' && text[0] < '0' + kIconCount ? text[0] - '0' : -1;
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;

  ::SetBkMode(dc, TRANSPARENT);
  const bool selected = (dis.itemState & ODS_SELECTED) != 0;
  ::FillRect(dc, &r, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  r.left += ScaleToDpi(2, dpi_);

  if (icon >= 0 && images_[icon] && masks_[icon]) {
    const SIZE size = BitmapSize(images_[icon]);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, images_[icon]);
    ::MaskBlt(dc, r.left, r.top + iconOffset_, size.cx, size.cy, memory, 0, 0, masks_[icon], 0, 0, kMaskedCopy);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    r.left += size.cx + ScaleToDpi(4, dpi_);
  }
  // Copier output is text, not labels: an '&' in it is shown, not taken as a mnemonic.
  if (text[0]) ::DrawTextA(dc, text + 1, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  // Over the whole row, where a focus change toggles it: drawn anywhere else, the toggle
  // would leave a stray outline.
  if (dis.itemState & ODS_FOCUS) ::DrawFocusRect(dc, &dis.rcItem);
}

bool TarngetStatusTListBox::WindowProc(UINT msg, WPARAM w, LPARAM, LRESULT& result) {
  result = 0;
  return TakeDialogKey(*this, kLogKeys, msg, w);
}

void TarngetStatusTListBox::ODAFocus(DRAWITEMSTRUCT& dis) { ::DrawFocusRect(dis.hDC, &dis.rcItem); }

void TarngetStatusTListBox::ODASelect(DRAWITEMSTRUCT& dis) { ODADrawEntire(dis); }

DEFINE_RESPONSE_TABLE(TarngetMessageDialog, TDialog) = {
    {WM_COMMAND, IDOK, BN_CLICKED, &Self::CmClose},  // Enter
    {WM_COMMAND, IDCANCEL, BN_CLICKED, &Self::CmClose},
    {WM_CLOSE, 0, 0, &Self::CmClose},
    {WM_TIMER, 0, 0, &Self::EvTimer},
    {WM_DPICHANGED, 0, 0, &Self::EvDpiChanged},
    {WM_COMMAND, 103, BN_CLICKED, &Self::CmPrevious},
    {WM_COMMAND, 104, BN_CLICKED, &Self::CmNext},
    {WM_COMMAND, kCmCopyLog, 0, &Self::CmCopyAll},
    {WM_COMMAND, kCmSaveLog, 0, &Self::CmSaveAs},
    {WM_CONTEXTMENU, 0, 0, &Self::EvContextMenu},
    {},
};

TarngetMessageDialog::TarngetMessageDialog(HWND owner, chain<TarngetTaskItem>& tasks, TarngetTaskItem* current)
    : TDialog(owner, kDialogResource), commandLine(this, 102, kLogKeys), previous(this, 103), next(this, 104), list(this, 101),
      tasks_(&tasks), currentTask_(current) {}

void TarngetMessageDialog::SetupWindow() {
  TDialog::SetupWindow();
  PlaceNearOwner(Handle(), ParentHandle());
  SetText("Tarnwell Message Box");
  commandLine.SetText(currentTask_->commandLine.get());
  progressRow_ = 0;
  AddFirstLine();
  Refresh();
  SetTimer(kTimerId, kTimerMs);
}

void TarngetMessageDialog::AddFirstLine() {
  if (char* line = currentTask_->output.messages.first()) list.AddItemData(line);
}

void TarngetMessageDialog::Refresh() {
  TaskOutput& output = currentTask_->output;
  // Many new rows at once (a window opening on a long output, a copier that said a lot in
  // a second): room for all of them first, and no redrawing of the list and its scroll bar
  // after each one, which would cost far more than the rows themselves.
  const int fresh = output.messages.count - (list.GetCount() - progressRow_);
  const bool many = fresh > 8;
  if (many) {
    list.Send(LB_INITSTORAGE, static_cast<WPARAM>(fresh), 0);
    list.Send(WM_SETREDRAW, FALSE);
  }
  int last = 0;
  // The task's own cursor remembers where the previous refresh stopped.
  while (char* line = output.messages.next()) {
    if (progressRow_) {
      list.DeleteString(list.GetCount() - 1);
      progressRow_ = 0;
    }
    last = list.AddItemData(line);
  }
  if (many) {
    list.Send(WM_SETREDRAW, TRUE);
    list.Invalidate();
  }
  if (output.progressPending) {
    if (progressRow_) list.DeleteString(list.GetCount() - 1);
    else progressRow_ = 1;
    last = list.AddItemData(output.progressText);
    output.progressPending = 0;
  }
  if (last > 0) ShowRow(last);
}

void TarngetMessageDialog::ShowRow(int row) {
  list.SetSelIndex(row);
  // A list without user selection may refuse the selection and so not scroll at all:
  // bring the row into view explicitly.
  RECT client;
  list.GetClientRect(client);
  const int height = list.GetItemHeight(0);
  const int fits = height > 0 ? (client.bottom - client.top) / height : 0;
  const int visible = fits > 0 ? fits : 1;
  const int top = list.GetTopIndex();
  if (row < top || row >= top + visible) list.Send(LB_SETTOPINDEX, row >= visible ? row - visible + 1 : 0);
}

void TarngetMessageDialog::EvTimer() { Refresh(); }

void TarngetMessageDialog::EvDpiChanged(Message& m) {
  TDialog::EvDpiChanged(m);
  list.ScaleTo(HIWORD(m.wParam));
}

void TarngetMessageDialog::CmClose() {
  // The progress row shows again when this task is next shown.
  if (progressRow_) currentTask_->output.progressPending = 1;
  CloseWindow(IDCANCEL);
}

void TarngetMessageDialog::Step(int direction) {
  if (tasks_->count < 2) return;
  if (progressRow_) currentTask_->output.progressPending = 1;
  tasks_->direction = static_cast<std::int8_t>(direction);
  tasks_->seek(currentTask_);
  TarngetTaskItem* task = tasks_->next();
  if (!task) task = direction > 0 ? tasks_->first() : tasks_->last();
  currentTask_ = task;
  commandLine.SetText(currentTask_->commandLine.get());

  list.Show(SW_HIDE);
  list.Clear();
  progressRow_ = 0;
  AddFirstLine();
  Refresh();
  list.Show(SW_SHOW);
}

void OpenMessageWindow(HWND owner, const TListView& view, chain<TarngetTaskItem>& tasks) {
  if (tasks.count == 0) return;
  int row = 0;
  const int rows = view.GetItemCount();
  for (int i = 0; i < rows; ++i) {
    if (view.IsSelected(i)) {
      row = i;
      break;
    }
  }
  TarngetTaskItem* task = tasks.nth(row);
  if (!task) return;
  TarngetMessageDialog dialog(owner, tasks, task);
  dialog.Execute();
}
