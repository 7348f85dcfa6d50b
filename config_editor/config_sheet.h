// TPropertySheetConfig: the modal sheet over ConfigModel for one Personal or Global edit.
#pragma once
#include "config_pages.h"

class TPropertySheetConfig : public TPropertySheet {
public:
  TPropertySheetConfig(HWND parent, const char* caption, ConfigModel& model);
  ~TPropertySheetConfig() override;

private:
  TPropertyPageCommon common_;
  TPropertyPageFTP ftp_;
  TPropertyPageHTTP http_;
  TPropertyPageNNTP nntp_;
};
