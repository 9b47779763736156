#include "raster/fill.h"
#include "raster/globe.h"
#include "tests/imaging_fixture.h"

namespace {

class ThingsTest : public ImagingTest {
 protected:
  void choose(const char* entry) {
    form->Combo1->setText(QString::fromLatin1(entry));
    form->Combo1_Click();
  }
  // Committed at once: picture, committed copy, OOPS after-copy and Picture2 agree.
  void expectCommitted(const QImage& expected) {
    Form1& f = *form;
    EXPECT_TRUE(sameImage(expected, f.Picture1->shown()));
    for (const QImage& copy : {f.Picture1->picture(), f.Image6->picture(), f.Image14->picture()})
      EXPECT_TRUE(sameImage(expected, copy));
  }
};

// What a fill leaves over a frame `w` wide, drawn on a box as the entries draw.
QImage expectedFill(const char* entry, const QImage& before, const QImage& pattern) {
  PictureBox box(nullptr, before.width(), 256);
  box.setPicture(before);
  box.setAutoRedraw(true);
  const std::map<std::string, long> solid = {{"Red", 0xFF},       {"White", 0xFFFFFF}, {"Black", 0},
                                              {"Green", 0xFF00},   {"Blue", 0xFF0000},  {"User Color", 0x123456}};
  if (solid.count(entry)) box.BoxFilled(0, 0, before.width(), 256, solid.at(entry));
  if (entry == std::string("Test Patern")) box.PaintPicture(pattern, 0, 0, before.width(), 256);
  if (entry == std::string("X-Hatch")) {
    raster::hatch(box.drawTarget(), QRect(0, 0, before.width(), 256), qRgb(0, 0, 0), raster::Hatch::Cross);
    box.setDrawWidth(3);
    box.Box(0, 0, before.width(), 256, 0);
  }
  return box.image();
}

TEST_F(ThingsTest, EachFillCoversTheFrameInBothLayoutsAndOopsUndoesIt) {
  for (int width : {320, 340}) {
    for (const char* entry : {"Red", "White", "Black", "Green", "Blue", "User Color", "X-Hatch", "Test Patern"}) {
      SCOPED_TRACE(entry);
      const QImage before = positionPicture(width, 256);
      Form1& f = prepare(before);
      dialogs->colour.answers.push_back(0x123456);
      choose(entry);
      expectCommitted(expectedFill(entry, before, f.Image1->picture()));
      EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture2->picture()));
      f.Command31_Click();
      EXPECT_TRUE(sameImage(before, f.Picture1->picture())) << "OOPS";
      rebuild();
    }
  }
}

TEST_F(ThingsTest, UserColorOffersTheLastColourAndCancelFillsNothing) {
  const QImage before = positionPicture(320, 256);
  Form1& f = prepare(before);
  dialogs->colour.answers = {0xAA, std::nullopt};
  choose("User Color");
  f.Picture1->setPicture(before);
  f.Image6->setPicture(before);
  f.Image14->clearPicture();
  choose("User Color");
  EXPECT_EQ(dialogs->colour.calls.back(), 0xAA);
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
  EXPECT_TRUE(sameImage(before, f.Image6->picture()));
  EXPECT_FALSE(f.Image14->hasPicture());
}

// The disc is centred in either frame and a picture holding the marker colour (a band left of
// the centre) does not cut its rows short.
TEST_F(ThingsTest, GlobeSqueezesThePictureIntoACentredDisc) {
  for (int width : {320, 340}) {
    for (bool holdsMarker : {false, true}) {
      const int centre = width / 2;
      QImage before = positionPicture(width, 256);
      if (holdsMarker)
        for (int y = 0; y < 256; ++y)
          for (int x = centre - 60; x < centre - 50; ++x) before.setPixel(x, y, raster::kGlobeMarker);
      Form1& f = prepare(before);
      choose("Globe");
      QImage expected = before;
      raster::globe(expected);
      expectCommitted(expected);
      const auto marker = [&f](int x, int y) { return pixelAt(f.Picture1->picture(), x, y) == 0x1C30; };
      EXPECT_TRUE(marker(0, 0) && marker(width - 1, 0) && marker(0, 255) && marker(width - 1, 255));
      int left = 0, right = width - 1;
      while (marker(left, 128)) ++left;
      while (marker(right, 128)) --right;
      EXPECT_LE(std::abs(left + right - 2 * centre), 2) << width;
      EXPECT_FALSE(marker(centre - 120, 128) || marker(centre, 128) || marker(centre + 120, 128));
      rebuild();
    }
  }
}

// "  Things" again only commits the picture as it stands; the 32-line header stops every entry.
TEST_F(ThingsTest, ReRunCommitsOnlyAndThe32LineHeaderStopsEverything) {
  const QImage before = positionPicture(320, 256);
  Form1& f = prepare(before);
  f.Image6->clearPicture();
  choose("  Things");
  expectCommitted(before);
  f.makeheader->setChecked(true);
  for (const char* entry : {"Red", "Globe", "Box"}) choose(entry);
  EXPECT_TRUE(sameImage(before, f.Picture1->shown()));
  f.makeheader->setChecked(false);
  f.makeheader16->setChecked(true);
  choose("Red");
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF), f.Picture1->picture()));
}

}  // namespace
