#include "options_sheet.h"

TPropertySheetOptions::TPropertySheetOptions(HWND owner, CommanderState& state)
    : TPropertySheet(owner, "Tarnwell Command-line Options"), common(state), ftp(state), http(state), nntp(state) {
  AddPage(common);
  AddPage(ftp);
  AddPage(http);
  AddPage(nntp);
}

// A modeless sheet goes before its pages do, so no page object is gone while the sheet
// still talks to its window.
TPropertySheetOptions::~TPropertySheetOptions() { Destroy(); }
