// The warning that a configuration about to be edited holds stored values that the sheet
// cannot show.
#pragma once
#include <windows.h>
#include "config_model.h"

// One "Warnning" box owned by `owner` that names every value the model keeps unshown (see
// ConfigModel::kept) and says that they stay as stored until changed or reset. No box when
// there are none. The NNTP proxy, which the editor never shows or touches, is not named.
void WarnOfKeptValues(HWND owner, HKEY root, const ConfigModel& model);
