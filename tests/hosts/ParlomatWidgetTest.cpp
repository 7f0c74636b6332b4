#include <QImage>

#include "control/Parlomat.h"
#include "hosts/common/ParlomatWidget.h"
#include "hosts/common/RecordingDispatch.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

using hosts::ParlomatWidget;

class ParlomatWidgetTest : public SimFixture {};

TEST_F(ParlomatWidgetTest, CreatesTheControlByNameAndShowsTheFixedFace) {
  registerParlomat(sim.registry, engine);
  ParlomatWidget face(sim.registry);
  EXPECT_EQ(face.size(), QSize(178, 98));
  EXPECT_NE(face.control().find("Start_Real_Action"), nullptr);
  face.control().put("Send_of_no", Variant(int32_t{5}));
  EXPECT_EQ(engine->state.sendIndex, 5);

  const QImage image = face.grab().toImage();
  EXPECT_EQ(image.pixelColor(60, 50), QColor(Qt::black));
  EXPECT_GT(image.pixelColor(1, 49).blue(), 180) << "a blue frame";
  EXPECT_LT(image.pixelColor(1, 49).red(), 100);
  // Some light grey caption pixels along the top and the bottom.
  auto lightIn = [&](int y0, int y1) {
    for (int y = y0; y < y1; ++y) {
      for (int x = 3; x < 175; ++x) {
        if (image.pixelColor(x, y).lightness() > 150) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(lightIn(3, 17));
  EXPECT_TRUE(lightIn(81, 95));
}

TEST_F(ParlomatWidgetTest, AControlThatCannotBeCreatedRaisesTheCreationError) {
  try {
    ParlomatWidget face(sim.registry);
    FAIL() << "created without a registered class";
  } catch (const DispatchError& e) {
    EXPECT_EQ(e.code(), errors::kCannotCreate);
  }
}

}  // namespace
}  // namespace parlomat::testing
