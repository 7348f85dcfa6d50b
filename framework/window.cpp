#include "window.h"

char* TWindow::DupText() const {
  // The length may be an overestimate (ANSI/DBCS conversions); the copy is cut at what
  // GetWindowText actually wrote.
  int len = GetTextLength();
  if (len < 0) len = 0;
  char* text = new char[len + 1];
  int got = GetText(text, len + 1);
  text[got >= 0 && got <= len ? got : 0] = '\0';
  return text;
}
