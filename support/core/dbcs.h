// The one double-byte rule of both programs: which bytes open a two-byte character in the
// system's ANSI code page. Path scanning, command-line quoting and file-dialog filters all
// step over characters by this rule, so they agree with each other and with the platform.
#pragma once

// True when c is a lead byte in the system's ANSI code page: c and the byte after it (if
// that is not the terminator) are one character.
bool is_lead_byte(char c);

// The ANSI code page the rule follows.
unsigned ansi_code_page();

#ifndef _WIN32
// Native build only (there is no system to ask): the code page whose lead-byte ranges
// is_lead_byte uses. 932, 936, 949 and 950 are double-byte; any other has no lead bytes.
// 1252 until set.
void set_ansi_code_page(unsigned code_page);
#endif
