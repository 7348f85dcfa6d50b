// The task message window: one task's command line and stored output lines, each row
// drawn after the icon of its message code, refreshed once a second, with "<<" and ">>"
// stepping through the tasks without closing.
#pragma once
#include <windows.h>
#include "chain.h"
#include "dialog.h"
#include "dpi.h"
#include "key_commands.h"
#include "task_item.h"

// The rows of the message window. A row holds no text of its own: its item value points
// at a stored line (or the progress text) of the task shown, whose first character is
// the line's message code.
class TarngetStatusTListBox : public TListBox {
public:
  static const int kIconCount = 6;

  // Loads the six images and six masks from the program's resources at 96 DPI; the
  // window's setup takes them to the window's DPI.
  TarngetStatusTListBox(TDialog* parent, int id);
  ~TarngetStatusTListBox() override;
  TarngetStatusTListBox(const TarngetStatusTListBox&) = delete;
  TarngetStatusTListBox& operator=(const TarngetStatusTListBox&) = delete;

  void SetupWindow() override;
  void ODADrawEntire(DRAWITEMSTRUCT& dis) override;
  void ODAFocus(DRAWITEMSTRUCT& dis) override;
  void ODASelect(DRAWITEMSTRUCT& dis) override;

  // Draws the rows for `dpi` from now on: icons, margins and the row height follow it.
  // Called at setup and on a DPI change; tests call it for a DPI the display lacks.
  void ScaleTo(UINT dpi);

  int IconOffset() const { return iconOffset_; }
  bool IconsLoaded() const;

protected:
  // The log keys (Ctrl+C, Ctrl+S) and the menu key go to the dialog.
  bool WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

private:
  void LoadIcons(UINT dpi);
  void FreeIcons();

  HBITMAP images_[kIconCount] = {};
  HBITMAP masks_[kIconCount] = {};
  int iconOffset_ = 0;
  UINT dpi_ = kBaseDpi;   // the icons' DPI
  int setupRowHeight_ = 0;  // the platform's row height at setupDpi_, for the list's font
  UINT setupDpi_ = kBaseDpi;
};

class TarngetMessageDialog : public TDialog {
public:
  // Shows `current`, a record of `tasks`; both belong to the main window, which cannot
  // remove a task while this window is open.
  TarngetMessageDialog(HWND owner, chain<TarngetTaskItem>& tasks, TarngetTaskItem* current);

  TKeyedEdit commandLine;
  TButton previous;
  TButton next;
  TarngetStatusTListBox list;

  const TarngetTaskItem* CurrentTask() const { return currentTask_; }
  bool ProgressRowShown() const { return progressRow_ != 0; }

protected:
  void SetupWindow() override;

private:
  void CmClose();
  void EvTimer();
  void EvDpiChanged(Message& m);
  // The log out of the window: the clipboard, a file, and the menu that offers both.
  void CmCopyAll();
  void CmSaveAs();
  void EvContextMenu(Message& m);
  void CmPrevious() { Step(-1); }
  void CmNext() { Step(+1); }
  void AddFirstLine();
  void Refresh();
  void ShowRow(int row);
  void Step(int direction);

  chain<TarngetTaskItem>* tasks_;
  TarngetTaskItem* currentTask_;
  unsigned char progressRow_ = 0;

  DECLARE_RESPONSE_TABLE(TarngetMessageDialog);
};

// "&State" and a double click on the task list: shows the first selected row's task, or
// the first task when none is selected; nothing when there are no tasks.
void OpenMessageWindow(HWND owner, const TListView& view, chain<TarngetTaskItem>& tasks);
