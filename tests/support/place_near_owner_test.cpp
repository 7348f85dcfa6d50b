// Where a secondary window opens beside its owner, for both programs' fractions.
#include <gtest/gtest.h>

#include "place_near_owner.h"

TEST(PlaceNearOwner, OffsetsByATenthAndAnEighthAndStaysOnTheDesktop) {
  const RECT desktop{0, 0, 1000, 800};
  // 299 / 10 and 95 / 8 truncate.
  POINT p = near_owner_position(desktop, RECT{0, 0, 100, 50}, RECT{100, 200, 399, 295});
  EXPECT_EQ(p.x, 129);
  EXPECT_EQ(p.y, 211);
  // Pulled back so that the right and bottom edges stay inside.
  p = near_owner_position(desktop, RECT{0, 0, 300, 200}, RECT{800, 700, 1000, 800});
  EXPECT_EQ(p.x, 700);
  EXPECT_EQ(p.y, 600);
  // A window larger than the desktop goes past its left and top: no lower bound.
  p = near_owner_position(desktop, RECT{0, 0, 1200, 900}, RECT{0, 0, 100, 80});
  EXPECT_EQ(p.x, -200);
  EXPECT_EQ(p.y, -100);
  // The editor's About box: a fifth and a quarter in, kept on the desktop the same way.
  p = near_owner_position(RECT{0, 0, 1280, 1024}, RECT{0, 0, 300, 150}, RECT{100, 100, 603, 503}, 5, 4);
  EXPECT_EQ(p.x, 100 + 503 / 5);
  EXPECT_EQ(p.y, 100 + 403 / 4);
  p = near_owner_position(RECT{0, 0, 1280, 1024}, RECT{0, 0, 300, 150}, RECT{1100, 900, 1600, 1100}, 5, 4);
  EXPECT_EQ(p.x, 1280 - 300);
  EXPECT_EQ(p.y, 1024 - 150);
}
