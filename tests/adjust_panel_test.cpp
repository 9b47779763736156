#include "app/codes.h"
#include "raster/adjust.h"
#include "tests/imaging_fixture.h"

namespace {

QImage filtered(QImage p, const std::function<bool(QImage&)>& filter) {
  EXPECT_TRUE(filter(p));
  return p;
}
QImage bright(const QImage& p, double b) {
  return filtered(p, [b](QImage& i) { return raster::brightnessContrast(i, b, 0.5); });
}

class AdjustPanelTest : public ImagingTest {
 protected:
  Form1& opened(int width = 320) {
    original = positionPicture(width, 256);
    Form1& f = prepare(original);
    f.Command13_Click();
    return f;
  }
  QImage shown() const { return form->PicbufVisible->picture(); }
  QImage original;
};

TEST_F(AdjustPanelTest, ThePreviewLiesExactlyOverThePictureInBothLayouts) {
  for (int width : {320, 340}) {
    Form1& f = opened(width);
    EXPECT_EQ(std::pair(f.Frame9->isHidden(), f.operationmarker), std::pair(false, int(marker::AdjustPanel)));
    const QPoint corner = f.Picture1->mapTo(f.centralWidget(), QPoint(2, 2));
    EXPECT_EQ(f.PicbufVisible->geometry(), QRect(corner, QSize(width, 256)));
    EXPECT_TRUE(sameImage(original, f.PicbufVisible->grab().toImage()));
  }
}

TEST_F(AdjustPanelTest, SlidesStartFromTheBaseFiltersStackAndRestoreGoesBack) {
  Form1& f = opened();
  f.HScroll6->setValue(80);
  EXPECT_TRUE(sameImage(bright(original, 0.8), shown()));
  f.HScroll6->setValue(50);
  EXPECT_TRUE(sameImage(original, shown()));
  f.HScroll6->setValue(80);
  f.Command42_Click();
  const QImage grey = filtered(bright(original, 0.8), raster::grey);
  EXPECT_TRUE(sameImage(grey, f.PicbufOriginal->picture()));
  f.HScroll6->setValue(60);
  f.Command43_Click();
  EXPECT_TRUE(sameImage(filtered(bright(grey, 0.6), raster::negative), shown()));
  f.Command40_Click();
  for (PicBuf* b : {f.PicbufVisible, f.PicbufOriginal, f.PicbufEdit}) EXPECT_TRUE(sameImage(original, b->picture()));
  EXPECT_EQ(f.HScroll6->value(), 50);
  EXPECT_TRUE(sameImage(original, f.Picture1->picture()));
}

// Accept, the turn and flip buttons keep the panel's picture and end the turn in force; Adjust
// and the Things list close the panel without it. OOPS keeps the picture from before.
TEST_F(AdjustPanelTest, ClosingKeepsOrDropsTheAdjustedPicture) {
  // Whether the adjusted picture is kept, and whether a step was taken that OOPS takes back (the
  // Things list commits the picture as it stands).
  const std::tuple<std::function<void(Form1&)>, bool, bool> cases[] = {
      {[](Form1& f) { f.Command38_Click(); }, true, true},
      {[](Form1& f) { f.Command28_MouseDown(1, 0, 0, 0); }, true, true},
      {[](Form1& f) { f.Command46_MouseDown(1, 0, 0, 0); }, true, true},
      {[](Form1& f) { f.Command13_Click(); }, false, false},
      {[](Form1& f) { f.Combo1_Click(); }, false, true}};
  for (const auto& [click, keeps, step] : cases) {
    Form1& f = opened();
    f.rotationangle = kStep;
    f.toolmarker = tool::Clockwise;
    f.HScroll6->setValue(20);
    click(f);
    EXPECT_TRUE(f.Frame9->isHidden() && f.PicbufVisible->isHidden());
    EXPECT_TRUE(sameImage(keeps ? bright(original, 0.2) : original, f.Picture1->picture()));
    // Closed without keeping, the panel took no step: OOPS keeps what it had.
    EXPECT_EQ(f.Image13->hasPicture(), step);
    if (step) EXPECT_TRUE(sameImage(original, f.Image13->picture()));
    if (keeps) EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
    if (keeps) EXPECT_EQ(f.rotationangle + f.toolmarker + f.operationmarker, 0);
  }
}

// Raising the slider's Min for Gamma must not show or store the gamma of the clamped slider.
TEST_F(AdjustPanelTest, ChoosingGammaShowsTheStoredGammaWhereverTheSliderStood) {
  for (auto [slider, gamma] : {std::pair{5, 5.0}, {9, 1.0}, {50, 2.5}}) {
    Form1& f = opened();
    f.gammavalue = gamma;
    f.HScroll6->setValue(slider);
    int pictures = 0;
    QObject::connect(f.PicbufVisible, &PicBuf::change, [&pictures] { ++pictures; });
    f.optProcessor[2]->setValue(true);
    EXPECT_EQ(pictures, 1) << slider;
    EXPECT_EQ(f.HScroll6->value(), int(gamma * 10));
    EXPECT_TRUE(sameImage(filtered(original, [g = gamma](QImage& i) { return raster::gammaCorrect(i, g); }), shown()));
    f.optProcessor[0]->setValue(true);
    EXPECT_EQ(f.HScroll6->value(), slider) << "Brightness again, also below 10";
  }
}

}  // namespace
