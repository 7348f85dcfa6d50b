// Checks on real dialogs shared by the editor's window tests.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A control's place in dialog units; h 0 for a combo box, whose closed height the
// platform decides.
struct Placed {
  int id, x, y, w, h;
};
// Each control where its dialog units put it (gtest failures name the control).
void ExpectLayout(HWND dialog, const std::vector<Placed>& controls);
// The item texts of a combo box.
std::vector<std::string> Items(HWND combo);
