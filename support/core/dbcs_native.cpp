// Native (non-Windows) build: stand-in for the platform's lead-byte table, with the lead
// ranges of the double-byte ANSI code pages, so the window-free core can be checked under
// each of them.
#include "dbcs.h"

namespace {

unsigned g_codePage = 1252;

}  // namespace

bool is_lead_byte(char c) {
  const unsigned char b = static_cast<unsigned char>(c);
  switch (g_codePage) {
    case 932:
      return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);  // Shift-JIS
    case 936:                                                       // GBK
    case 949:                                                       // Unified Hangul
    case 950:
      return b >= 0x81 && b <= 0xFE;  // Big5
    default:
      return false;
  }
}

unsigned ansi_code_page() { return g_codePage; }

void set_ansi_code_page(unsigned code_page) { g_codePage = code_page; }
