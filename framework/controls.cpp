#include "controls.h"

std::unique_ptr<char[]> TComboBox::DupItemText(int index) const {
  int len = GetItemTextLength(index);
  if (len == CB_ERR) return nullptr;
  std::unique_ptr<char[]> text(new char[len + 1]);
  int got = GetItemText(index, text.get());
  if (got == CB_ERR) return nullptr;
  text[got <= len ? got : len] = '\0';
  return text;
}

void TListBox::DrawItem(DRAWITEMSTRUCT& dis) {
  switch (dis.itemAction) {
    case ODA_DRAWENTIRE: ODADrawEntire(dis); break;
    case ODA_FOCUS: ODAFocus(dis); break;
    case ODA_SELECT: ODASelect(dis); break;
  }
}

bool TListView::Create(HWND parent, int id, const RECT& r, DWORD style, DWORD exStyle) {
  hwnd_ = ::CreateWindowExA(exStyle, WC_LISTVIEWA, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                            parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  return hwnd_ != nullptr;
}

int TListView::InsertColumn(int index, const char* title, int width) const {
  LVCOLUMNA col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = const_cast<char*>(title);
  col.cx = width;
  col.iSubItem = index;
  return static_cast<int>(Send(LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&col)));
}

bool TListView::SetItemText(int row, int col, const char* text) const {
  LVITEMA item{};
  item.iSubItem = col;
  item.pszText = const_cast<char*>(text);
  return Send(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool TListView::SetItemState(int row, UINT state, UINT mask) const {
  LVITEMA item{};
  item.stateMask = mask;
  item.state = state;
  return Send(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item)) != 0;
}
