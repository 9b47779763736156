#include "raster/fit.h"
#include "tests/pictures_fixture.h"

using namespace colour::state;

namespace {

class FittingTest : public PicturesTest {
 protected:
  static QImage expected(const QImage& source, raster::Fit fit, int w, QRgb background) {
    QImage frame(w, 256, QImage::Format_RGB32);
    raster::fitPicture(frame, source, fit, w, background);
    return frame;
  }
  static void chooseMode(Form1& f, LabelButton* mode) {
    for (LabelButton* l : {f.Label70, f.Label71, f.Label72}) l->setBackColor(l == mode ? Selected : Idle);
  }
};

// Each fit follows the green mode at the layout's width: the dropped file over black, the browsed
// file over its own pixel (1, 1). Sources without pixels leave only the background, and a dropped
// thumbnail without pixels keeps the main picture.
TEST_F(FittingTest, DroppedAndBrowsedPicturesFollowTheModeAtEitherWidth) {
  Form1& f = start();
  for (const auto& [layout, w] : {std::pair{f.simplecopypaste, 320}, std::pair{f.jvcomm1, 340}}) {
    layout->trigger();
    for (const auto& [mode, fit] : {std::pair{f.Label70, raster::Fit::Correct}, std::pair{f.Label71, raster::Fit::Spread},
                                    std::pair{f.Label72, raster::Fit::Stretch}})
      for (QSize size : {QSize(256, 256), QSize(640, 480), QSize(400, 200), QSize(100, 300)}) {
        SCOPED_TRACE(::testing::Message() << w << " " << mode->caption().toStdString() << " " << size.width() << "x"
                                          << size.height());
        chooseMode(f, mode);
        const QImage source = positionPicture(size.width(), size.height());
        f.PicbufVisible->setPicture(source);
        f.olepicturesize();
        EXPECT_TRUE(sameImage(expected(source, fit, w, qRgb(0, 0, 0)), f.Picture2->picture()));
        f.Picture13->setPicture(source);
        f.imagecorrectaspect();
        EXPECT_TRUE(sameImage(expected(source, fit, w, source.pixel(1, 1)), f.Picture2->image()));
      }
  }
  f.PicbufVisible->setPicture(QImage());
  f.olepicturesize();
  EXPECT_EQ(countColour(f.Picture2->picture(), 0), 340 * 256);
  f.Picture13->setPicture(QImage());
  f.imagecorrectaspect();
  EXPECT_EQ(countColour(f.Picture2->image(), 0), 340 * 256);
  f.Picture1->setPicture(solidImage(340, 256, 0x112233));
  f.dragsource = 11;
  f.picturecorrectaspect();
  EXPECT_EQ(countColour(f.Picture1->picture(), 0x112233), 340 * 256);
}

// The fill-mode labels show the same page again in the new mode, from its first file, also when
// the page ended at the list's end; in icon mode they do nothing.
TEST_F(FittingTest, ModeLabelsShowTheSamePageAgain) {
  const QString dir = folderOf(6);
  QImage tall(20, 60, QImage::Format_RGB32);
  tall.fill(colour::toQRgb(shade(5)));
  tall.setPixel(1, 1, colour::toQRgb(shade(9)));
  tall.save(dir + QStringLiteral("/p05.bmp"));
  Form1& f = browsing(dir);
  f.File1->setCurrentRow(4);
  f.Label13_Click();
  EXPECT_EQ(page(f), (std::vector<int>{4, 5, -1, -1}));
  f.Label70->clicked();
  EXPECT_EQ(std::pair(f.Label70->backColor(), f.Label71->backColor()), std::pair(Selected, Idle));
  EXPECT_EQ(page(f), (std::vector<int>{4, 5, -1, -1}));
  // Correct shows the narrow picture between bars of its pixel (1, 1).
  EXPECT_EQ(pixelAt(f.Image9->picture(), 5, 128), shade(9));
  f.Label70->clicked();
  EXPECT_EQ(page(f), (std::vector<int>{4, 5, -1, -1}));
  f.Label43->setBackColor(Selected);
  f.Label72->clicked();
  EXPECT_EQ(f.Label72->backColor(), Idle);
}

}  // namespace
