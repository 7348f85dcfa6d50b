// Helpers for tests that drive real windows in-process: pumping messages, acting from
// inside a modal loop, and answering the programs' prompts.
#pragma once
#include <windows.h>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>
#include "prompts.h"

// Dispatches this thread's messages for about `ms` milliseconds.
// Makes the test process aware of each screen's DPI, as the shipped programs declare
// themselves, so that windows are drawn at the display's DPI rather than at 96.
void DeclarePerMonitorDpiAware();

void PumpMessages(int ms = 50);
// Dispatches messages until `done` holds or `ms` pass; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, int ms = 5000);

// Runs `action` from inside the next modal loop on this thread (a thread timer that the
// loop dispatches), retrying each `periodMs` until it returns true.
class ModalDriver {
public:
  explicit ModalDriver(std::function<bool()> action, UINT periodMs = 20);
  ~ModalDriver();
  bool Done() const { return done_; }
private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
  std::function<bool()> action_;
  UINT_PTR timer_;
  bool done_ = false;
};

// Answers every message box, file dialog and folder browser while it lives, and records
// what was asked. Message boxes get the queued answers in order, then `defaultAnswer`.
class ScriptedPrompts {
public:
  struct Box { HWND owner; std::string text, caption; UINT type; };
  struct FileDialog { std::string filter; DWORD flags; HWND owner; std::string file; };
  // A pop-up menu as it was shown: its items' texts, which of them were enabled, and where.
  struct Menu { std::vector<std::string> items; std::vector<bool> enabled; POINT at; HWND owner; };

  ScriptedPrompts();
  ~ScriptedPrompts();

  std::vector<Box> boxes;
  std::vector<FileDialog> fileDialogs;
  std::vector<std::string> folderTitles;
  std::vector<int> answers;       // consumed front first
  int defaultAnswer = IDOK;
  std::string nextFile;           // empty: the file dialog is cancelled
  std::string nextFolder;         // empty: the folder browser is cancelled
  std::vector<FileDialog> saveDialogs;
  std::string nextSaveFile;       // empty: the save dialog is cancelled
  std::vector<Menu> menus;
  std::string menuChoice;         // the item's text; empty, unknown or greyed: dismissed
  std::function<void(const Box&)> onBox;  // runs while the "box" is open

private:
  static int MessageBoxHook(HWND, const char*, const char*, UINT);
  static BOOL OpenFileHook(OPENFILENAMEA*);
  static PIDLIST_ABSOLUTE BrowseHook(BROWSEINFOA*);
  static BOOL SaveFileHook(OPENFILENAMEA*);
  static int PopupMenuHook(HMENU, int, int, HWND);
  static ScriptedPrompts* active_;
  PromptHooks previous_;
};

// The text of a window, whole.
std::string WindowText(HWND hwnd);
// The visible window of this thread that `owner` owns (a modal dialog over it), or null.
HWND FindOwnedWindow(HWND owner);
// A top-level window of this process with this caption, or null.
HWND FindOwnWindow(const char* caption);
// Sends a click to a child control as the user's click would arrive (BM_CLICK).
void Click(HWND dialog, int id);
// Holds modifier keys (VK_CONTROL, VK_SHIFT) down in this thread's keyboard state while it
// lives, as GetKeyState then reports them.
class HeldKeys {
public:
  explicit HeldKeys(std::initializer_list<int> keys);
  ~HeldKeys();
private:
  BYTE before_[256];
};
// A key press and release sent to `control` as the keyboard delivers them to the focus:
// WM_KEYDOWN, the character it makes (Ctrl and a letter make 1 to 26), WM_KEYUP.
void PressKey(HWND control, UINT key);
// The clipboard's CF_TEXT content; "(none)" without text.
std::string ClipboardText();
// Types `text` into an edit control one character at a time, as keys would (WM_CHAR).
void Type(HWND edit, const char* text);
// Dialog units to pixels for this dialog, as the template's coordinates map.
RECT DialogUnitsToPixels(HWND dialog, int x, int y, int w, int h);
// A control's rectangle in its dialog's client coordinates.
RECT ChildRect(HWND dialog, int id);
// Copies what the screen shows of the window into a 24-bit BMP file at `path`.
bool SaveWindowPicture(HWND hwnd, const char* path);
// The same for a rectangle of the screen.
bool SaveScreenPicture(const RECT& r, const char* path);
// Pictures of both programs' windows for docs/: the Screenshots.* cases of each program's
// tests run only when TARNWELL_SCREENSHOTS is set (scripts/screenshots.sh sets it and
// turns NAME.bmp in the current directory into docs/NAME.png).
bool ScreenshotsWanted();
// Brings the window forward, lets it paint, and saves it as NAME.bmp.
bool SaveScreenshot(HWND hwnd, const std::string& name);
