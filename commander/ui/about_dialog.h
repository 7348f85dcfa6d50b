// The About box: the program's icon, name and picture, opened near the main window.
#pragma once
#include "dialog.h"

class AboutDialog : public TDialog {
public:
  explicit AboutDialog(HWND owner);

protected:
  void SetupWindow() override;

private:
  void EvDpiChanged(Message& m);

  ScaledPicture picture_;

  DECLARE_RESPONSE_TABLE(AboutDialog);
};
