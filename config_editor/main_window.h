// TDialogTarngetConfig: the editor's main window of seven buttons, and its About box.
#pragma once
#include "dialog.h"
#include "editor_state.h"

class TDialogTarngetConfig : public TDialog {
public:
  // Loads the editor's own settings into `state`, which outlives the window; the window
  // itself is made by Execute or Create.
  explicit TDialogTarngetConfig(EditorState& state);

protected:
  void SetupWindow() override;

private:
  void CmPersonal();
  void CmGlobal();
  void CmPersonalToGlobal();
  void CmGlobalToPersonal();
  void CmResetPersonal();
  void CmResetGlobal();
  void CmAbout();
  void CmIgnore() {}
  void EvClose();
  void Edit(HKEY root, const char* caption);

  EditorState& state_;
  TButton personal_, global_, personalToGlobal_, globalToPersonal_, resetPersonal_, resetGlobal_, about_;
  DECLARE_RESPONSE_TABLE(TDialogTarngetConfig);
};

// The About box: placed a fifth of its parent's width and a quarter of its height in from
// the parent's corner, kept on the desktop.
class TDialogAbout : public TDialog {
public:
  explicit TDialogAbout(HWND parent);

protected:
  void SetupWindow() override;

private:
  void EvDpiChanged(Message& m);

  ScaledPicture picture_;

  DECLARE_RESPONSE_TABLE(TDialogAbout);
};

