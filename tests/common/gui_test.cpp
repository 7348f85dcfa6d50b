#include "gui_test.h"
#include <shlobj.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void PumpMessages(int ms) {
  DWORD end = ::GetTickCount() + ms;
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    ::Sleep(1);
  } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  DWORD end = ::GetTickCount() + ms;
  while (!done()) {
    if (static_cast<int>(end - ::GetTickCount()) <= 0) return false;
    PumpMessages(5);
  }
  return true;
}

namespace {
std::vector<std::pair<UINT_PTR, ModalDriver*>> drivers;
}

ModalDriver::ModalDriver(std::function<bool()> action, UINT periodMs) : action_(std::move(action)) {
  timer_ = ::SetTimer(nullptr, 0, periodMs, Tick);
  drivers.push_back({timer_, this});
}

ModalDriver::~ModalDriver() {
  if (!done_) ::KillTimer(nullptr, timer_);
  for (auto it = drivers.begin(); it != drivers.end(); ++it)
    if (it->second == this) { drivers.erase(it); break; }
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  for (auto& d : drivers) {
    if (d.first != id || d.second->done_) continue;
    ModalDriver* self = d.second;
    // Stop the timer first: the action may itself open a modal loop.
    ::KillTimer(nullptr, id);
    if (self->action_()) self->done_ = true;
    else self->timer_ = d.first = ::SetTimer(nullptr, 0, 20, Tick);
    return;
  }
}

ScriptedPrompts* ScriptedPrompts::active_ = nullptr;

ScriptedPrompts::ScriptedPrompts() {
  active_ = this;
  previous_ = SetPromptHooks({MessageBoxHook, OpenFileHook, BrowseHook, SaveFileHook, PopupMenuHook});
}

ScriptedPrompts::~ScriptedPrompts() {
  SetPromptHooks(previous_);
  active_ = nullptr;
}

int ScriptedPrompts::MessageBoxHook(HWND owner, const char* text, const char* caption, UINT type) {
  ScriptedPrompts* self = active_;
  self->boxes.push_back({owner, text ? text : "", caption ? caption : "", type});
  if (self->onBox) self->onBox(self->boxes.back());
  if (self->answers.empty()) return self->defaultAnswer;
  int answer = self->answers.front();
  self->answers.erase(self->answers.begin());
  return answer;
}

namespace {
ScriptedPrompts::FileDialog Asked(const OPENFILENAMEA* ofn) {
  std::string filter;
  for (const char* p = ofn->lpstrFilter; p && *p; p += std::strlen(p) + 1) filter += std::string(p) + "|";
  return {filter, ofn->Flags, ofn->hwndOwner, ofn->lpstrFile ? ofn->lpstrFile : ""};
}
}  // namespace

BOOL ScriptedPrompts::SaveFileHook(OPENFILENAMEA* ofn) {
  ScriptedPrompts* self = active_;
  self->saveDialogs.push_back(Asked(ofn));
  if (self->nextSaveFile.empty() || self->nextSaveFile.size() >= ofn->nMaxFile) return FALSE;
  std::memcpy(ofn->lpstrFile, self->nextSaveFile.c_str(), self->nextSaveFile.size() + 1);
  return TRUE;
}

int ScriptedPrompts::PopupMenuHook(HMENU menu, int x, int y, HWND owner) {
  ScriptedPrompts* self = active_;
  Menu shown{{}, {}, POINT{x, y}, owner};
  int chosen = 0;
  for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
    char text[128] = "";
    ::GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
    const bool enabled = !(::GetMenuState(menu, i, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    shown.items.push_back(text);
    shown.enabled.push_back(enabled);
    if (enabled && self->menuChoice == text) chosen = static_cast<int>(::GetMenuItemID(menu, i));
  }
  self->menus.push_back(shown);
  return chosen;
}

BOOL ScriptedPrompts::OpenFileHook(OPENFILENAMEA* ofn) {
  ScriptedPrompts* self = active_;
  self->fileDialogs.push_back(Asked(ofn));
  if (self->nextFile.empty() || self->nextFile.size() >= ofn->nMaxFile) return FALSE;
  std::memcpy(ofn->lpstrFile, self->nextFile.c_str(), self->nextFile.size() + 1);
  return TRUE;
}

PIDLIST_ABSOLUTE ScriptedPrompts::BrowseHook(BROWSEINFOA* bi) {
  ScriptedPrompts* self = active_;
  self->folderTitles.push_back(bi->lpszTitle ? bi->lpszTitle : "");
  if (self->nextFolder.empty()) return nullptr;
  wchar_t wide[MAX_PATH];
  ::MultiByteToWideChar(CP_ACP, 0, self->nextFolder.c_str(), -1, wide, MAX_PATH);
  return ::ILCreateFromPathW(wide);
}

std::string WindowText(HWND hwnd) {
  int len = ::GetWindowTextLengthA(hwnd);
  std::string s(static_cast<size_t>(len) + 1, '\0');
  int got = ::GetWindowTextA(hwnd, &s[0], len + 1);
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return s;
}

namespace {
struct FindData { const char* caption; HWND found; };
BOOL CALLBACK FindProc(HWND hwnd, LPARAM l) {
  auto* d = reinterpret_cast<FindData*>(l);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid == ::GetCurrentProcessId() && WindowText(hwnd) == d->caption) {
    d->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

namespace {
struct OwnedSearch {
  HWND owner, found;
};
BOOL CALLBACK FindOwned(HWND hwnd, LPARAM l) {
  auto* s = reinterpret_cast<OwnedSearch*>(l);
  if (::GetWindow(hwnd, GW_OWNER) == s->owner && ::IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindOwnedWindow(HWND owner) {
  OwnedSearch s{owner, nullptr};
  ::EnumThreadWindows(::GetCurrentThreadId(), FindOwned, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

HWND FindOwnWindow(const char* caption) {
  FindData d{caption, nullptr};
  ::EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Type(HWND edit, const char* text) {
  for (const char* c = text; *c; ++c) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

RECT DialogUnitsToPixels(HWND dialog, int x, int y, int w, int h) {
  RECT r{x, y, x + w, y + h};
  ::MapDialogRect(dialog, &r);
  return r;
}

RECT ChildRect(HWND dialog, int id) {
  RECT r;
  ::GetWindowRect(::GetDlgItem(dialog, id), &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool SaveWindowPicture(HWND hwnd, const char* path) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  return SaveScreenPicture(r, path);
}

bool SaveScreenPicture(const RECT& r, const char* path) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = h;  // bottom-up, as a BMP file holds it
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP dib = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) {
    ::ReleaseDC(nullptr, screen);
    return false;
  }
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, dib);
  ::BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  ::GdiFlush();
  const DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + size;
  bool saved = false;
  if (FILE* f = std::fopen(path, "wb")) {
    saved = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&info, sizeof info, 1, f) == 1 &&
            std::fwrite(bits, size, 1, f) == 1;
    saved = std::fclose(f) == 0 && saved;
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(dib);
  ::ReleaseDC(nullptr, screen);
  return saved;
}

void DeclarePerMonitorDpiAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  using SetAwareFn = BOOL(WINAPI*)();
  HMODULE user32 = ::GetModuleHandleA("user32.dll");
  auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (setContext && setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) return;
  auto setAware = reinterpret_cast<SetAwareFn>(reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDPIAware")));
  if (setAware) setAware();
}

bool ScreenshotsWanted() { return std::getenv("TARNWELL_SCREENSHOTS") != nullptr; }

bool SaveScreenshot(HWND hwnd, const std::string& name) {
  ::SetForegroundWindow(hwnd);
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  PumpMessages(400);
  return SaveWindowPicture(hwnd, (name + ".bmp").c_str());
}

HeldKeys::HeldKeys(std::initializer_list<int> keys) {
  ::GetKeyboardState(before_);
  BYTE state[256];
  std::memcpy(state, before_, sizeof state);
  for (int key : keys) state[key] |= 0x80;
  ::SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { ::SetKeyboardState(before_); }

void PressKey(HWND control, UINT key) {
  ::SendMessageA(control, WM_KEYDOWN, key, 1);
  const bool ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (ctrl && key >= 'A' && key <= 'Z') ::SendMessageA(control, WM_CHAR, key - 'A' + 1, 1);
  ::SendMessageA(control, WM_KEYUP, key, 0xC0000001);
}

std::string ClipboardText() {
  if (!::OpenClipboard(nullptr)) return "(closed)";
  std::string text = "(none)";
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(::GlobalLock(data))) text = bytes;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}
