#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

constexpr long kKey = 0x010101;
constexpr long kWhite = 0xFFFFFF;

class TransparentTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    build().Picture1->setPicture(solidImage(320, 256, kWhite));
  }
};

TEST_F(TransparentTest, KeyPixelsShowTheBackgroundAndEveryOtherValueIsCopied) {
  Form1& f = *form;
  f.Picture1->setPicture(solidImage(320, 256, 0xFF0000));
  f.Picture1->BoxFilled(20, 11, 20, 11, 0xFF00);  // erasable drawing under a key pixel
  QImage source = solidImage(4, 2, kKey);
  source.setPixel(1, 0, colour::toQRgb(kKey ^ 0x000100));  // one bit of green away from the key
  source.setPixel(2, 0, colour::toQRgb(0xFF));
  source.setPixel(3, 1, colour::toQRgb(0));
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(3, 1)), 20, 10, kKey);
  const QImage out = f.Picture1->shown();
  EXPECT_EQ(pixelAt(out, 20, 10), 0xFF0000);
  EXPECT_EQ(pixelAt(out, 21, 10), kKey ^ 0x000100);
  EXPECT_EQ(pixelAt(out, 22, 10), 0xFF);
  EXPECT_EQ(pixelAt(out, 23, 10), 0xFF0000);
  EXPECT_EQ(pixelAt(out, 23, 11), 0);
  EXPECT_EQ(pixelAt(out, 20, 11), 0xFF00);
  EXPECT_EQ(pixelAt(out, 24, 11), 0xFF0000);  // the rectangle ends at its right edge
  EXPECT_EQ(countColour(out, 0xFF0000), 320 * 256 - 4);
  // The copy went to the erasable layer: the picture itself is untouched.
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF0000), f.Picture1->image()));
}

TEST_F(TransparentTest, ARectangleBeyondSixteenBitsDrawsNothing) {
  Form1& f = *form;
  const QImage source = solidImage(40, 40, 0xFF);
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(32767, 10)), 0, 0, kKey);
  f.transparentblit(f.Picture1, source, QRect(QPoint(-5, 0), QPoint(10, 40000)), 0, 0, kKey);
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(32766, 10)), 0, 0, kKey);
  EXPECT_EQ(countColour(f.Picture1->shown(), 0xFF), 40 * 11);
}

TEST_F(TransparentTest, OversizeOverlayIsCappedWithOneMessage) {
  Form1& f = *form;
  // An overlay: its corner carries the key, everything else is blue.
  QImage overlay = solidImage(320, 256, 0xFF0000);
  overlay.setPixel(0, 0, colour::toQRgb(kKey));
  f.Picture2->setPicture(overlay);
  f.picinpicsize = 320;
  f.startx = 0;
  f.starty = 0;
  f.turntransparent();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("Overlay is at max size allowable"));
  EXPECT_EQ(dialogs->calls[0].buttons, vb::OKOnly);
  EXPECT_EQ(f.picinpicsize, 319);
  const QImage out = f.Picture1->shown();
  EXPECT_EQ(countColour(out, 0xFF0000, QRect(0, 0, 319, 255)), 319 * 255 - 1);
  EXPECT_EQ(pixelAt(out, 0, 0), kWhite);
  EXPECT_EQ(countColour(out, kWhite, QRect(319, 0, 1, 256)), 256);
  EXPECT_EQ(countColour(out, kWhite, QRect(0, 255, 320, 1)), 320);
  EXPECT_FALSE(f.Picture2->autoRedraw());

  // Within the limit: no message, a 120 x 96 insert at the anchor, its key frame left out.
  overlay = solidImage(320, 256, kKey);
  for (int y = 40; y < 216; ++y)
    for (int x = 40; x < 280; ++x) overlay.setPixel(x, y, colour::toQRgb(0xFF0000));
  f.Picture2->setPicture(overlay);
  f.Picture1->setPicture(solidImage(320, 256, kWhite));
  f.picinpicsize = 120;
  f.startx = 50;
  f.starty = 40;
  f.turntransparent();
  EXPECT_EQ(dialogs->calls.size(), 1u);
  const QImage placed = f.Picture1->shown();
  EXPECT_EQ(countColour(placed, kKey), 0);
  EXPECT_EQ(pixelAt(placed, 50, 40), kWhite);
  EXPECT_EQ(pixelAt(placed, 110, 88), 0xFF0000);
  const int blue = countColour(placed, 0xFF0000, QRect(50, 40, 120, 96));
  EXPECT_GT(blue, 80 * 60);
  EXPECT_EQ(countColour(placed, 0xFF0000), blue);
}

TEST_F(TransparentTest, OverlayLandsOnThePersistentLayerWhenTheCallerCommits) {
  Form1& f = *form;
  QImage overlay = solidImage(320, 256, kKey);
  for (int y = 126; y <= 130; ++y)
    for (int x = 158; x <= 162; ++x) overlay.setPixel(x, y, colour::toQRgb(0xFF));
  f.Picture2->setPicture(overlay);
  f.picinpicsize = 320 - 1;
  f.startx = 0;
  f.starty = 0;
  f.Picture1->setAutoRedraw(true);
  f.turntransparent();
  f.Picture1->setAutoRedraw(false);
  f.Picture1->Cls();
  EXPECT_GE(countColour(f.Picture1->image(), 0xFF), 1);
  EXPECT_EQ(countColour(f.Picture1->image(), kKey), 0);
}

}  // namespace
