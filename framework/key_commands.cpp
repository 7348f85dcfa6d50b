#include "key_commands.h"

namespace {

bool KeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

bool IsContextMenuKey(WPARAM key) { return key == VK_APPS || (key == VK_F10 && KeyDown(VK_SHIFT)); }

// Ctrl and a letter make the character of the letter's place in the alphabet (Ctrl+C is 3).
bool IsKeyCommandChar(const TKeyCommand* table, WPARAM ch) {
  for (; table->key; ++table)
    if (table->control && table->key >= 'A' && table->key <= 'Z' && ch == table->key - 'A' + 1) return true;
  return false;
}

}  // namespace

int FindKeyCommand(const TKeyCommand* table, WPARAM key) {
  const bool control = KeyDown(VK_CONTROL);
  for (; table->key; ++table)
    if (table->key == key && table->control == control) return table->command;
  return 0;
}

bool TakeDialogKey(const TControl& control, const TKeyCommand* table, UINT msg, WPARAM w) {
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      if (IsContextMenuKey(w)) {
        ::SendMessageA(control.Parent(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control.Handle()), -1);
        return true;
      }
      const int command = msg == WM_KEYDOWN ? FindKeyCommand(table, w) : 0;
      if (command)
        ::SendMessageA(control.Parent(), WM_COMMAND, MAKEWPARAM(command, 0),
                       reinterpret_cast<LPARAM>(control.Handle()));
      return command != 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      // The menu opened on the key's press; its release must not open another.
      return IsContextMenuKey(w);
    case WM_CHAR:
      return IsKeyCommandChar(table, w);
  }
  return false;
}
