#include "history_combo.h"
#include "history.h"

// Other notifications are declined: the dialog's table may still want them.
bool THistoryComboBox::HandleNotification(Message& m) {
  if (m.msg != WM_COMMAND || (m.Code() != CBN_DROPDOWN && m.Code() != CBN_KILLFOCUS)) return false;
  commit_combo_text(*this, CommitMode::kAdd);
  return true;
}
