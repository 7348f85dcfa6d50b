// The control classes: one-line wrappers over each control's messages, bool at the boundary.
#pragma once
#include "control.h"
#include <commctrl.h>

class TStatic : public TControl {
public:
  using TControl::TControl;
};

class TButton : public TControl {
public:
  using TControl::TControl;
  void Click() const { Send(BM_CLICK); }
};

// A check box, two- or three-state: BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE.
class TCheckBox : public TButton {
public:
  using TButton::TButton;
  int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
  void SetCheck(int state) const { Send(BM_SETCHECK, state); }
  // Only the exact checked state counts: an indeterminate box is not checked.
  bool IsChecked() const { return GetCheck() == BST_CHECKED; }
};

class TRadioButton : public TCheckBox {
public:
  using TCheckBox::TCheckBox;
};

class TEdit : public TControl {
public:
  using TControl::TControl;
  void LimitText(int n) const { Send(EM_LIMITTEXT, n); }
  void SetSelection(int start, int end) const { Send(EM_SETSEL, start, end); }
  bool IsReadOnly() const { return (::GetWindowLongA(hwnd_, GWL_STYLE) & ES_READONLY) != 0; }
};

class TComboBox : public TControl {
public:
  using TControl::TControl;
  int AddString(const char* s) const { return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  int InsertString(const char* s, int index) const {
    return static_cast<int>(Send(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(s)));
  }
  int DeleteString(int index) const { return static_cast<int>(Send(CB_DELETESTRING, index)); }
  int GetCount() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  void Clear() const { Send(CB_RESETCONTENT); }
  // Item `index` whole, or null when there is no such item. The one way the programs read
  // a combo box's items.
  std::unique_ptr<char[]> DupItemText(int index) const;
  int GetSelIndex() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  bool SetSelIndex(int index) const { return Send(CB_SETCURSEL, index) != CB_ERR || index < 0; }
  bool SetEditSel(int start, int end) const { return Send(CB_SETEDITSEL, 0, MAKELPARAM(start, end)) != 0; }
  void ShowDropDown(bool show) const { Send(CB_SHOWDROPDOWN, show); }
  bool IsDroppedDown() const { return Send(CB_GETDROPPEDSTATE) != 0; }
};

// A list box; owner-drawn subclasses override the three drawing actions.
class TListBox : public TControl {
public:
  using TControl::TControl;
  int AddString(const char* s) const { return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
  // For lists without strings of their own the "string" is the item's value.
  int AddItemData(const void* p) const { return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(p))); }
  int DeleteString(int index) const { return static_cast<int>(Send(LB_DELETESTRING, index)); }
  int GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }
  void Clear() const { Send(LB_RESETCONTENT); }
  LPARAM GetItemData(int index) const { return Send(LB_GETITEMDATA, index); }
  int GetItemHeight(int index) const { return static_cast<int>(Send(LB_GETITEMHEIGHT, index)); }
  int GetSelIndex() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  bool SetSelIndex(int index) const { return Send(LB_SETCURSEL, index) != LB_ERR || index < 0; }
  int GetTopIndex() const { return static_cast<int>(Send(LB_GETTOPINDEX)); }

  void DrawItem(DRAWITEMSTRUCT& dis) override;
  virtual void ODADrawEntire(DRAWITEMSTRUCT&) {}
  virtual void ODAFocus(DRAWITEMSTRUCT&) {}
  virtual void ODASelect(DRAWITEMSTRUCT&) {}
};

// A list view in report view. Unlike the others it is usually made at run time (Create).
class TListView : public TControl {
public:
  using TControl::TControl;
  bool Create(HWND parent, int id, const RECT& r, DWORD style, DWORD exStyle = WS_EX_CLIENTEDGE);
  int InsertColumn(int index, const char* title, int width) const;
  int GetColumnWidth(int col) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, col)); }
  bool SetColumnWidth(int col, int width) const { return Send(LVM_SETCOLUMNWIDTH, col, MAKELPARAM(width, 0)) != 0; }
  int InsertItem(LVITEMA& item) const { return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))); }
  bool SetItemText(int row, int col, const char* text) const;
  bool DeleteItem(int row) const { return Send(LVM_DELETEITEM, row) != 0; }
  bool DeleteAllItems() const { return Send(LVM_DELETEALLITEMS) != 0; }
  int GetItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  int GetSelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
  UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, row, mask)); }
  bool IsSelected(int row) const { return (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0; }
  bool SetItemState(int row, UINT state, UINT mask) const;
  // Row -1 stands for every row.
  bool SelectAll() const { return SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED); }
  bool GetItemRect(int row, RECT& r) const { return ListView_GetItemRect(hwnd_, row, &r, LVIR_BOUNDS) != 0; }
  bool Redraw(int first, int last) const { return Send(LVM_REDRAWITEMS, first, last) != 0; }
  void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
};
