// The options sheet: the four pages of task options, opened modally by "&Options".
#pragma once
#include "option_pages.h"

class TPropertySheetOptions : public TPropertySheet {
public:
  // The sheet, captioned "Tarnwell Command-line Options", with its pages added.
  // The pages show and change `state`'s option set.
  TPropertySheetOptions(HWND owner, CommanderState& state);
  ~TPropertySheetOptions() override;

  TPropertyPageCommon common;
  TPropertyPageFTP ftp;
  TPropertyPageHTTP http;
  TPropertyPageNNTP nntp;
};
