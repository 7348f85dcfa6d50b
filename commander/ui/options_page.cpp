#include "option_pages.h"

#include "combo_support.h"
#include "history.h"

void TOptionsPage::SetupWindow() {
  TPropertyPage::SetupWindow();
  ShowValues();
}

LRESULT TOptionsPage::Apply() {
  StoreValues();
  applied_ = 1;
  return TPropertyPage::Apply();
}

// A stored selection beyond the choices shows, and so applies, as "Default".
void TOptionsPage::ShowChoice(const TComboBox& box, const ChoiceOption& option) {
  fill_choices(box, option.choices, option.selection);
}

void TOptionsPage::ShowYesOnly(const TComboBox& box, std::int32_t selection) {
  fill_choices(box, kYesOnlyChoices, selection);
}

void TOptionsPage::ShowFlag(const TCheckBox& box, unsigned char flag) {
  box.SetCheck(flag ? BST_CHECKED : BST_UNCHECKED);
}

void TOptionsPage::ShowHistory(const TComboBox& box, chain<cstring1>& list) { fill_combo(box, list, true); }

std::int32_t TOptionsPage::ReadChoice(const TComboBox& box) {
  int selection = box.GetSelIndex();
  return selection > 0 ? selection : 0;
}

unsigned char TOptionsPage::ReadFlag(const TCheckBox& box) { return box.IsChecked() ? 1 : 0; }

// At most kShortTextSize - 1 characters: a longer entry is cut, never overflows.
void TOptionsPage::ReadShortText(const TEdit& edit, char (&text)[kShortTextSize]) {
  text[0] = '\0';
  edit.GetText(text, kShortTextSize);
  text[kShortTextSize - 1] = '\0';
}
