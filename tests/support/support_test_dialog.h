// The test dialog of support_test.rc: real combo boxes in a real window.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "combo_support.h"
#include "dialog.h"

enum { kSupportTestDialog = 300, kPlainCombo = 201, kSortedCombo = 202, kListCombo = 203, kDropCombo = 204 };

class TSupportTestDialog : public TDialog {
public:
  TSupportTestDialog()
      : TDialog(nullptr, kSupportTestDialog), plain(this, kPlainCombo), sorted(this, kSortedCombo),
        list(this, kListCombo), drop(this, kDropCombo) {}
  TComboBox plain;   // CBS_DROPDOWN
  TComboBox sorted;  // CBS_DROPDOWN | CBS_SORT
  TComboBox list;    // CBS_DROPDOWNLIST
  TDrop1ComboBox drop;  // CBS_DROPDOWN, WS_EX_ACCEPTFILES
};

// The items of a combo box, in order.
inline std::vector<std::string> Items(const TComboBox& combo) {
  std::vector<std::string> items;
  for (int i = 0; i < combo.GetCount(); ++i) {
    const std::unique_ptr<char[]> text = combo.DupItemText(i);
    items.push_back(text ? text.get() : "<missing>");
  }
  return items;
}

// The edit text of a combo box.
inline std::string EditText(const TComboBox& combo) {
  return combo.DupText().get();
}
