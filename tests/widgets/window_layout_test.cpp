// Where the editor windows open after a load: beside the main window and each
// other wherever the screen has room.
#include "widgets/window_layout.h"

#include <gtest/gtest.h>

namespace qorvi::widgets {
namespace {

// The main window's frame and the four editor windows' frames, as after a load.
const QRect kMain(28, 10, 555, 448);
const std::vector<QSize> kEditors{{421, 402}, {547, 294}, {425, 293}, {410, 508}};

TEST(ArrangeBeside, OnAWideScreenNoWindowCoversAnother) {
  const QRect screen(0, 0, 1920, 1080);
  const auto places = ArrangeBeside(screen, kMain, kEditors);
  ASSERT_EQ(places.size(), kEditors.size());
  std::vector<QRect> rects{kMain};
  for (std::size_t i = 0; i < places.size(); ++i) {
    ASSERT_TRUE(places[i].has_value()) << i;
    const QRect r(*places[i], kEditors[i]);
    EXPECT_TRUE(screen.contains(r)) << i;
    for (const QRect& other : rects) EXPECT_FALSE(r.intersects(other)) << i;
    rects.push_back(r);
  }
  // The first one stands right beside the main window, at the top of the screen.
  EXPECT_EQ(*places[0], QPoint(kMain.right() + 1 + 8, screen.top()));
}

TEST(ArrangeBeside, WindowsThatFindNoRoomKeepTheirPlaces) {
  const auto places = ArrangeBeside(QRect(0, 0, 800, 600), kMain, kEditors);
  for (const auto& place : places) EXPECT_FALSE(place.has_value());
  // On a screen with room for two, the first two are placed, the others not.
  const auto some = ArrangeBeside(QRect(0, 0, 1600, 500), kMain, kEditors);
  EXPECT_TRUE(some[0].has_value());
  EXPECT_TRUE(some[1].has_value());
  EXPECT_FALSE(some[3].has_value());
}

}  // namespace
}  // namespace qorvi::widgets
