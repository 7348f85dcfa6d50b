#include "config_sheet.h"

TPropertySheetConfig::TPropertySheetConfig(HWND parent, const char* caption, ConfigModel& model)
    : TPropertySheet(parent, caption), common_(model), ftp_(model), http_(model), nntp_(model) {
  AddPage(common_);
  AddPage(ftp_);
  AddPage(http_);
  AddPage(nntp_);
}

// A modeless sheet goes while its pages are whole.
TPropertySheetConfig::~TPropertySheetConfig() { Destroy(); }
