// THistoryComboBox: an editable combo box that keeps a history list. It commits its own
// edit text (add mode, ignoring case) when its list is about to drop down and when it
// loses the focus, so the dialog that holds it needs no rows for either.
#pragma once
#include "controls.h"

class THistoryComboBox : public TComboBox {
public:
  using TComboBox::TComboBox;

protected:
  bool HandleNotification(Message& m) override;
};
