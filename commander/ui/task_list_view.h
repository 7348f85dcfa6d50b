// The main window's task list view with its keys: each key sends its dialog the command of
// the button or menu item it stands for, and Shift+F10 or the menu key opens the context
// menu at the selection.
#pragma once
#include "controls.h"

class TTaskListView : public TListView {
public:
  using TListView::TListView;
  // Creates the list view and starts taking its keys.
  bool Create(HWND parent, int id, const RECT& r, DWORD style);
  // The first selected row, or -1.
  int FirstSelected() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }

protected:
  bool WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
};
