// The main window's stored position that both programs keep, against the real registry
// (a test key under HKEY_CURRENT_USER, removed afterwards).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "scratch_key.h"
#include "window_position_store.h"

namespace {

const char kValue[] = "Window Position";

class Position : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(key, nullptr);
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
  }
  void Store(DWORD type, const std::vector<std::int32_t>& numbers, DWORD size) {
    ::RegSetValueExA(key, kValue, 0, type, reinterpret_cast<const BYTE*>(numbers.data()), size);
  }
  // The stored bytes; empty when the value is missing.
  std::string Stored() {
    char data[64];
    DWORD size = sizeof data;
    if (::RegQueryValueExA(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
      return "";
    return std::string(data, size);
  }

  ScratchKey scratch{"Position"};
  HKEY key = scratch.Handle();
  RECT desktop{};
};

TEST_F(Position, OnlyEightBytesOnTheDesktopAreAPosition) {
  struct Case {
    const char* name;
    std::vector<std::int32_t> numbers;
    DWORD size;
    std::int32_t x, y;  // what loading over {kNotSet, 0} gives
  };
  const Case cases[] = {
      {"inside", {10, 20}, 8, 10, 20},
      {"last pixel", {desktop.right - 1, desktop.bottom - 1}, 8, desktop.right - 1, desktop.bottom - 1},
      {"left of the desktop", {-5, 10}, 8, kNotSet, 10},
      {"above the desktop", {10, -1}, 8, kNotSet, -1},
      {"right edge", {desktop.right, 10}, 8, kNotSet, 10},
      {"bottom edge", {10, desktop.bottom}, 8, kNotSet, desktop.bottom},
      {"minimized", {-32000, -32000}, 8, kNotSet, -32000},
      {"4 bytes", {30, 40}, 4, kNotSet, 0},
      {"12 bytes", {30, 40, 50}, 12, kNotSet, 0},
      {"0 bytes", {30, 40}, 0, kNotSet, 0},
  };
  for (const Case& c : cases) {
    Store(REG_BINARY, c.numbers, c.size);
    WindowPosition position;
    load_window_position(key, position);
    EXPECT_EQ(c.x, position.x) << c.name;
    EXPECT_EQ(c.y, position.y) << c.name;
  }
  ::RegDeleteValueA(key, kValue);
  WindowPosition kept{7, 8};
  load_window_position(key, kept);
  EXPECT_EQ(7, kept.x) << "a missing value leaves the position";
  EXPECT_EQ(8, kept.y);
}

TEST_F(Position, OnlyAMovedWindowIsWrittenAndThenRemembered) {
  WindowPosition position{30, 40};
  save_window_position(key, RECT{30, 40, 300, 200}, position);
  EXPECT_EQ("", Stored()) << "an unchanged position is not rewritten";

  save_window_position(key, RECT{31, 40, 300, 200}, position);
  const std::int32_t moved[2] = {31, 40};
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(moved), 8), Stored());
  EXPECT_EQ(31, position.x);
  EXPECT_EQ(40, position.y);

  WindowPosition none;  // nothing valid loaded: the first close always writes
  save_window_position(key, RECT{0, 0, 10, 10}, none);
  const std::int32_t origin[2] = {0, 0};
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(origin), 8), Stored());
}

}  // namespace
