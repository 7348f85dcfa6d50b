// Shared by the commander's window tests: a clean first-start state for every test, and
// short ways to read lists, combo boxes and the windows a click opens.
#pragma once
#include "gui_test.h"
#include <windows.h>
#include <initializer_list>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "chain.h"
#include "commander_state.h"
#include "cstring1.h"

// Every test starts as a first start: no stored settings, and a fresh state with the
// default settings and option set for the windows it builds.
class CommanderTest : public testing::Test {
protected:
  void SetUp() override;

  CommanderState state;
};

void SetList(chain<cstring1>& list, std::initializer_list<const char*> entries);
std::vector<std::string> ListOf(chain<cstring1>& list);
std::vector<std::string> ComboItems(HWND combo);
int WindowHeight(HWND hwnd);
RECT ScreenRect(HWND hwnd);
