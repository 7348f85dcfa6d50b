// Stands in for the configuration editor in tests: a window-less program that just stays
// alive (a minute at most) until the test ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  ::Sleep(60000);
  return 0;
}
