#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using seen::White;

namespace {

constexpr long kKey = 0x010101;
constexpr long kBlue = 0xFF0000;

// An overlay of the key colour with a blue block over [x0, x1) x [y0, y1).
QImage overlay(int x0, int y0, int x1, int y1) {
  QImage img = solidImage(320, 256, kKey);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) img.setPixel(x, y, colour::toQRgb(kBlue));
  return img;
}

class TransparentTest : public OnWhiteTest {
 protected:
  // The overlay laid at the anchor, picinpicsize wide.
  void lay(const QImage& img, double size, double x, double y) {
    form->Picture2->setPicture(img);
    form->picinpicsize = size;
    form->startx = x;
    form->starty = y;
    form->turntransparent();
  }
};

// Which values count as the key is pinned by the copy's own test; here the copy goes to the
// erasable layer, shows what is drawn there under a key pixel and takes the rectangle's right and
// bottom edges in.
TEST_F(TransparentTest, KeyPixelsShowTheBackgroundAndEveryOtherValueIsCopied) {
  Form1& f = *form;
  f.Picture1->setPicture(solidImage(320, 256, kBlue));
  f.Picture1->BoxFilled(20, 11, 20, 11, 0xFF00);  // erasable drawing under a key pixel
  QImage source = solidImage(4, 2, kKey);
  source.setPixel(2, 0, colour::toQRgb(0xFF));
  source.setPixel(3, 1, colour::toQRgb(0));
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(3, 1)), 20, 10, kKey);
  const QImage out = f.Picture1->shown();
  EXPECT_EQ(std::tuple(pixelAt(out, 22, 10), pixelAt(out, 20, 11), pixelAt(out, 23, 11), countColour(out, kBlue)),
            std::tuple(0xFFL, 0xFF00L, 0L, 320 * 256 - 3));
  EXPECT_TRUE(sameImage(solidImage(320, 256, kBlue), f.Picture1->image()));
}

TEST_F(TransparentTest, ARectangleBeyondSixteenBitsDrawsNothing) {
  Form1& f = *form;
  const QImage source = solidImage(40, 40, 0xFF);
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(32767, 10)), 0, 0, kKey);
  f.transparentblit(f.Picture1, source, QRect(QPoint(-5, 0), QPoint(10, 40000)), 0, 0, kKey);
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
  f.transparentblit(f.Picture1, source, QRect(QPoint(0, 0), QPoint(32766, 10)), 0, 0, kKey);
  EXPECT_EQ(countColour(f.Picture1->shown(), 0xFF), 40 * 11);
}

TEST_F(TransparentTest, OversizeOverlayIsCappedWithOneMessageAndAnOverlayLandsWhereItIsDrawn) {
  Form1& f = *form;
  QImage big = overlay(0, 0, 320, 256);
  big.setPixel(0, 0, colour::toQRgb(kKey));  // only its corner carries the key
  lay(big, 320, 0, 0);
  EXPECT_TRUE(shownOnce(QString(), QStringLiteral("Overlay is at max size allowable"), vb::OKOnly));
  EXPECT_EQ(f.picinpicsize, 319);
  const QImage out = f.Picture1->shown();
  EXPECT_EQ(countColour(out, kBlue, QRect(0, 0, 319, 255)), 319 * 255 - 1);
  EXPECT_EQ(pixelAt(out, 0, 0), White);
  EXPECT_EQ(countColour(out, White, QRect(319, 0, 1, 256)) + countColour(out, White, QRect(0, 255, 320, 1)), 256 + 320);
  EXPECT_FALSE(f.Picture2->autoRedraw());

  // Within the limit: no new message, a 120 x 96 insert at the anchor, its key frame left out.
  f.Picture1->setPicture(white);
  lay(overlay(40, 40, 280, 216), 120, 50, 40);
  EXPECT_EQ(dialogs->calls.size(), 1u);
  const QImage placed = f.Picture1->shown();
  EXPECT_EQ(countColour(placed, kKey), 0);
  EXPECT_EQ(std::tuple(pixelAt(placed, 50, 40), pixelAt(placed, 110, 88)), std::tuple(White, kBlue));
  const int blue = countColour(placed, kBlue, QRect(50, 40, 120, 96));
  EXPECT_GT(blue, 80 * 60);
  EXPECT_EQ(countColour(placed, kBlue), blue);

  // The overlay lands on the persistent layer when the caller commits.
  f.Picture1->setPicture(white);
  f.Picture1->setAutoRedraw(true);
  lay(overlay(158, 126, 163, 131), 319, 0, 0);
  f.Picture1->setAutoRedraw(false);
  f.Picture1->Cls();
  EXPECT_GE(countColour(f.Picture1->image(), kBlue), 1);
  EXPECT_EQ(countColour(f.Picture1->image(), kKey), 0);
}

}  // namespace
