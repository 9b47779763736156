#include "app/codes.h"
#include "raster/adjust.h"
#include "tests/imaging_fixture.h"

namespace {

using colour::state::Armed;

QImage adjusted(QImage picture, const std::function<bool(QImage&)>& filter) {
  EXPECT_TRUE(filter(picture));
  return picture;
}

QImage brightness(const QImage& p, double b) {
  return adjusted(p, [b](QImage& i) { return raster::brightnessContrast(i, b, 0.5); });
}

class AdjustPanelTest : public ImagingTest {
 protected:
  // The panel opened on a committed picture.
  Form1& opened(int width = 320) {
    Form1& f = prepare(width);
    original = positionPicture(width, 256);
    commitPicture(original);
    f.Command13_Click();
    return f;
  }
  QImage shown() const { return form->PicbufVisible->picture(); }
  QImage original;
};

TEST_F(AdjustPanelTest, OpeningLaysThePreviewExactlyOverThePictureInBothLayouts) {
  for (int width : {320, 340}) {
    SCOPED_TRACE(width);
    Form1& f = opened(width);
    EXPECT_FALSE(f.Frame9->isHidden());
    EXPECT_FALSE(f.PicbufVisible->isHidden());
    EXPECT_EQ(f.operationmarker, marker::AdjustPanel);
    const QPoint corner = f.Picture1->mapTo(f.centralWidget(), QPoint(2, 2));
    EXPECT_EQ(f.PicbufVisible->geometry(), QRect(corner, QSize(width, 256)));
    EXPECT_TRUE(sameImage(original, f.PicbufVisible->grab().toImage().convertToFormat(QImage::Format_RGB32)));
    form->unloaded = true;
    form.reset();
  }
}

TEST_F(AdjustPanelTest, SliderAdjustmentsStartFromTheBaseAndNeverAccumulate) {
  Form1& f = opened();
  f.HScroll6->setValue(80);
  EXPECT_TRUE(sameImage(brightness(original, 0.8), shown()));
  EXPECT_TRUE(sameImage(original, f.PicbufEdit->picture())) << "the work buffer holds the base again";
  f.HScroll6->setValue(50);
  EXPECT_TRUE(sameImage(original, shown()));
  f.optProcessor[1]->setValue(true);
  f.HScroll6->setValue(30);
  EXPECT_TRUE(sameImage(adjusted(original, [](QImage& i) { return raster::brightnessContrast(i, 0.5, 0.3); }), shown()));
}

TEST_F(AdjustPanelTest, FiltersStackOnTheShownPictureAndRestoreBringsBackTheOriginal) {
  Form1& f = opened();
  f.HScroll6->setValue(80);
  f.Command42_Click();
  const QImage greyed = adjusted(brightness(original, 0.8), raster::grey);
  EXPECT_TRUE(sameImage(greyed, shown()));
  for (PicBuf* b : {f.PicbufOriginal, f.PicbufEdit}) EXPECT_TRUE(sameImage(greyed, b->picture()));
  f.HScroll6->setValue(60);
  EXPECT_TRUE(sameImage(brightness(greyed, 0.6), shown())) << "a later move applies on top of the filter";
  f.Command43_Click();
  f.Command39_Click();
  f.Command41_Click();
  const QImage stacked = adjusted(brightness(greyed, 0.6), [](QImage& i) {
    return raster::negative(i) && raster::sharpen(i, 1) && raster::soften(i, 1);
  });
  EXPECT_TRUE(sameImage(stacked, shown()));

  f.Command40_Click();
  for (PicBuf* b : {f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit}) EXPECT_TRUE(sameImage(original, b->picture()));
  EXPECT_EQ(f.HScroll6->value(), 50);
  EXPECT_EQ(f.brightnessvalue, 0.5);
  EXPECT_TRUE(sameImage(original, f.Picture1->picture())) << "nothing reaches the main picture before Accept";
}

TEST_F(AdjustPanelTest, ClosingKeepsThePictureAndAcceptKeepsTheAdjustedOne) {
  Form1& f = opened();
  f.HScroll6->setValue(70);
  f.Command13_Click();
  EXPECT_TRUE(f.Frame9->isHidden());
  EXPECT_TRUE(f.PicbufVisible->isHidden());
  EXPECT_TRUE(sameImage(original, f.Picture1->picture()));

  f.rotationangle = 2 * kStep;
  f.toolmarker = tool::Clockwise;
  f.Command13_Click();
  EXPECT_EQ(f.HScroll6->value(), 50) << "the panel opens at the neutral values";
  f.HScroll6->setValue(70);
  f.Command38_Click();
  const QImage brighter = brightness(original, 0.7);
  EXPECT_TRUE(sameImage(brighter, f.Picture1->picture()));
  EXPECT_TRUE(sameImage(brighter, f.Image6->picture()));
  EXPECT_TRUE(sameImage(original, f.Image13->picture())) << "OOPS still has the picture from before";
  EXPECT_TRUE(f.Frame9->isHidden());
  EXPECT_EQ(f.rotationangle, 0);
  EXPECT_EQ(f.toolmarker, 0);
  EXPECT_EQ(f.operationmarker, 0);
}

TEST_F(AdjustPanelTest, OpeningInAnInsertModeThrowsThePendingInsertAwayAndLeavesTextMode) {
  Form1& f = prepare();
  original = positionPicture(320, 256);
  commitPicture(original);
  pendInsert(f.Option7, solidImage(50, 40, 0xFF), 10, 10, 100);
  f.Command13_Click();
  EXPECT_TRUE(f.Option1->value());
  EXPECT_NE(f.Label26->backColor(), Armed);
  EXPECT_TRUE(sameImage(original, shown()));
}

// The turn and flip buttons only keep the panel's picture; the Things list drops it.
TEST_F(AdjustPanelTest, TurnsFlipsAndThingsCloseAnOpenPanel) {
  const struct {
    const char* name;
    std::function<void(Form1&)> click;
    bool keepsAdjustment;
  } cases[] = {
      {"Flip V", [](Form1& f) { f.Command28_MouseDown(1, 0, 0, 0); }, true},
      {"Flip H", [](Form1& f) { f.Command29_MouseDown(1, 0, 0, 0); }, true},
      {"Rot >", [](Form1& f) { f.Command44_MouseDown(1, 0, 0, 0); }, true},
      {"< Rot", [](Form1& f) { f.Command46_MouseDown(1, 0, 0, 0); }, true},
      {"Things", [](Form1& f) { f.Combo1_Click(); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Form1& f = opened();
    f.HScroll6->setValue(20);
    c.click(f);
    EXPECT_TRUE(f.Frame9->isHidden());
    EXPECT_TRUE(sameImage(c.keepsAdjustment ? brightness(original, 0.2) : original, f.Picture1->picture()));
    EXPECT_EQ(f.rotationangle, 0);
    form->unloaded = true;
    form.reset();
  }
}

// Choosing Gamma raises the slider's Min; a slider below it must not store gamma 1.0.
TEST_F(AdjustPanelTest, ChoosingGammaShowsTheStoredGammaWhateverTheSliderStoodAt) {
  const struct {
    int brightnessSlider;
    double storedGamma;
  } cases[] = {{5, 5.0}, {5, 1.0}, {50, 2.5}, {9, 1.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.brightnessSlider);
    Form1& f = opened();
    f.gammavalue = c.storedGamma;
    f.HScroll6->setValue(c.brightnessSlider);
    int pictures = 0;
    QObject::connect(f.PicbufVisible, &PicBuf::change, [&pictures] { ++pictures; });
    f.optProcessor[2]->setValue(true);
    EXPECT_EQ(pictures, 1) << "only the stored gamma is shown, no gamma of the clamped slider first";
    EXPECT_EQ(f.gammavalue, c.storedGamma);
    EXPECT_EQ(f.HScroll6->minimum(), 10);
    EXPECT_EQ(f.HScroll6->value(), int(c.storedGamma * 10));
    EXPECT_TRUE(sameImage(adjusted(original, [&c](QImage& i) { return raster::gammaCorrect(i, c.storedGamma); }),
                          shown()));
    // Back to Brightness: Min 0 and the stored brightness, also below 10.
    f.optProcessor[0]->setValue(true);
    EXPECT_EQ(f.HScroll6->minimum(), 0);
    EXPECT_EQ(f.HScroll6->value(), c.brightnessSlider);
    EXPECT_TRUE(sameImage(brightness(original, c.brightnessSlider / 100.0), shown()));
    form->unloaded = true;
    form.reset();
  }
}

// Dejag runs Sharpen and Soften on the image buffer with the panel closed.
TEST_F(AdjustPanelTest, SharpenAndSoftenWorkWithThePanelClosed) {
  Form1& f = prepare();
  original = positionPicture(320, 256);
  commitPicture(original);
  f.PicbufVisible->setPicture(original);
  f.Command41_Click();
  f.Command39_Click();
  const QImage expected = adjusted(original, [](QImage& i) { return raster::soften(i, 1) && raster::sharpen(i, 1); });
  for (PicBuf* b : {f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit}) EXPECT_TRUE(sameImage(expected, b->picture()));
  EXPECT_TRUE(sameImage(original, f.Picture1->picture()));
}

TEST_F(AdjustPanelTest, ClicksDeliveredWhileThePanelOpensAreIgnored) {
  Form1& f = prepare();
  original = positionPicture(320, 256);
  commitPicture(original);
  Form1* form1 = &f;
  const auto delivered = clickDuringPump([form1] {
    form1->Command13->click();
    form1->Command43->click();
    emit form1->Command44->mouseDown(1, 0, 0, 0);
  });
  f.Command13_Click();
  ASSERT_TRUE(*delivered);
  EXPECT_FALSE(f.Frame9->isHidden());
  EXPECT_TRUE(sameImage(original, shown()));
  EXPECT_TRUE(sameImage(original, f.Picture1->picture()));
}

}  // namespace
