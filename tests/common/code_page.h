// Runs a case under one ANSI code page. Natively the lead-byte stand-in is switched for the
// case's length; under Windows the process's own code page must already be that one (the test
// command runs the double-byte cases again under the locales zh_TW.BIG5 and ja_JP.SJIS), else the
// case is skipped.
#pragma once
#include <gtest/gtest.h>

#include "dbcs.h"

class CodePageScope {
 public:
  explicit CodePageScope(unsigned code_page) {
#ifdef _WIN32
    active_ = ansi_code_page() == code_page;
#else
    set_ansi_code_page(code_page);
    active_ = true;
#endif
  }
  ~CodePageScope() {
#ifndef _WIN32
    set_ansi_code_page(1252);
#endif
  }
  bool active() const { return active_; }

 private:
  bool active_ = false;
};

#define ON_CODE_PAGE(cp)              \
  CodePageScope code_page_scope_(cp); \
  if (!code_page_scope_.active()) GTEST_SKIP() << "runs under code page " << (cp)
