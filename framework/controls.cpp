#include "controls.h"

#include <memory>

// Read through the wide message and turned into the ANSI code page here. With Common
// Controls 6 a combo box is a Unicode window, so an ANSI CB_GETLBTEXT is translated on the
// way; Wine translates it through a fixed buffer of 512 characters and overruns it with a
// longer item (a long URL in a history list). The wide message needs no translation.
std::unique_ptr<char[]> TComboBox::DupItemText(int index) const {
  const LRESULT length = ::SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR || length < 0) return nullptr;
  std::unique_ptr<wchar_t[]> wide(new wchar_t[length + 1]);
  const LRESULT got = ::SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide.get()));
  if (got == CB_ERR || got < 0) return nullptr;
  const int count = static_cast<int>(got <= length ? got : length);
  const int size = count ? ::WideCharToMultiByte(CP_ACP, 0, wide.get(), count, nullptr, 0, nullptr, nullptr) : 0;
  if (count && size <= 0) return nullptr;
  std::unique_ptr<char[]> text(new char[size + 1]);
  if (size) ::WideCharToMultiByte(CP_ACP, 0, wide.get(), count, text.get(), size, nullptr, nullptr);
  text[size] = '\0';
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
