#include "task_list_view.h"

#include "command_ids.h"
#include "key_commands.h"
#include "resource.h"

namespace {

const TKeyCommand kTaskListKeys[] = {
    {VK_DELETE, false, IDC_KILL},
    {VK_RETURN, false, IDC_STATE},
    {'A', true, kCmSelectAllTasks},
    {'R', true, kCmRetry},
    {'C', true, kCmCopyCommandLines},
    {},
};

}  // namespace

bool TTaskListView::Create(HWND parent, int id, const RECT& r, DWORD style) {
  return TListView::Create(parent, id, r, style) && Subclass();
}

bool TTaskListView::WindowProc(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
  result = 0;
  if (msg == WM_GETDLGCODE) {
    // A dialog gives Enter to its default button unless the control asks for it.
    const MSG* key = reinterpret_cast<const MSG*>(l);
    if (!key || key->message != WM_KEYDOWN || key->wParam != VK_RETURN) return false;
    result = ::DefSubclassProc(hwnd_, msg, w, l) | DLGC_WANTMESSAGE;
    return true;
  }
  return TakeDialogKey(*this, kTaskListKeys, msg, w);
}
