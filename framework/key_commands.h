// Keys as commands: a control that takes keys on behalf of its dialog looks them up in a
// table and hands the dialog a WM_COMMAND, so that a key and the button or menu item it
// stands for run the same handler.
#pragma once
#include "controls.h"

struct TKeyCommand {
  UINT key;      // virtual-key code; 0 ends the table
  bool control;  // whether Ctrl must be down (and otherwise must not be)
  int command;   // the id sent to the dialog with WM_COMMAND
};

// The command of the row for `key` with the Ctrl state the keyboard has now; 0 for none.
int FindKeyCommand(const TKeyCommand* table, WPARAM key);

// The key message `msg` of `control`, taken on behalf of its dialog: a key of the table is
// sent to the parent as its command, the menu key or Shift+F10 as WM_CONTEXTMENU for the
// keyboard (lParam -1), and the characters and releases of those keys are dropped so that
// the control does not act on them as well. Whether the message was taken.
bool TakeDialogKey(const TControl& control, const TKeyCommand* table, UINT msg, WPARAM w);

// A text field whose keys of the table go to its dialog instead of to the field.
class TKeyedEdit : public TEdit {
public:
  TKeyedEdit(TDialog* parent, int id, const TKeyCommand* keys) : TEdit(parent, id), keys_(keys) {}
  void SetupWindow() override { Subclass(); }

protected:
  bool WindowProc(UINT msg, WPARAM w, LPARAM, LRESULT& result) override {
    result = 0;
    return TakeDialogKey(*this, keys_, msg, w);
  }

private:
  const TKeyCommand* keys_;
};
