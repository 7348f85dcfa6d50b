// Windows build: the platform's own lead-byte table for the system's ANSI code page.
#include "dbcs.h"

#include <windows.h>

bool is_lead_byte(char c) { return IsDBCSLeadByte(static_cast<BYTE>(c)) != FALSE; }

unsigned ansi_code_page() { return GetACP(); }
