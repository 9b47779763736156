#include "raster/globe.h"
#include "tests/imaging_fixture.h"

namespace {

class ThingsTest : public ImagingTest {
 protected:
  void choose(const char* entry) {
    form->Combo1->setText(QString::fromLatin1(entry));
    form->Combo1_Click();
  }
  // Committed at once: picture and committed copy agree, and OOPS shows the latest work.
  void expectCommitted(const QImage& expected) {
    Form1& f = *form;
    EXPECT_TRUE(sameImage(expected, f.Picture1->shown()));
    for (const QImage& copy : {f.Picture1->picture(), f.Image6->picture()}) EXPECT_TRUE(sameImage(expected, copy));
    EXPECT_EQ(f.Command31->backColor(), seen::OopsNormal);
  }
};

// The cross hatch: black lines one pixel wide, eight pixels apart, through the frame's corner so
// that hatches of neighbouring boxes join up; the gaps keep the picture.
QImage crossHatched(QImage picture) {
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (x % 8 == 0 || y % 8 == 0) picture.setPixel(x, y, qRgb(0, 0, 0));
  return picture;
}

// What an entry leaves over a frame as wide as `before`: the fills drawn on a box as the entries
// draw, the globe as the pixel library squeezes it.
QImage expectedFill(const std::string& entry, const QImage& before, const QImage& pattern) {
  if (entry == "Globe") {
    QImage globe = before;
    raster::globe(globe);
    return globe;
  }
  PictureBox box(nullptr, before.width(), 256);
  box.setPicture(entry == "X-Hatch" ? crossHatched(before) : before);
  box.setAutoRedraw(true);
  const std::map<std::string, long> solid = {{"Red", 0xFF},       {"White", 0xFFFFFF}, {"Black", 0},
                                              {"Green", 0xFF00},   {"Blue", 0xFF0000},  {"User Color", 0x123456}};
  if (solid.count(entry)) box.BoxFilled(0, 0, before.width(), 256, solid.at(entry));
  if (entry == "Test Patern") box.PaintPicture(pattern, 0, 0, before.width(), 256);
  if (entry == "X-Hatch") {
    box.setDrawWidth(3);
    box.Box(0, 0, before.width(), 256, 0);
  }
  return box.image();
}

// Each fill, and the globe, covers the frame in both layouts at once; OOPS undoes it.
TEST_F(ThingsTest, EachFillCoversTheFrameInBothLayoutsAndOopsUndoesIt) {
  for (int width : {320, 340}) {
    for (const char* entry : {"Red", "White", "Black", "Green", "Blue", "User Color", "X-Hatch", "Test Patern", "Globe"}) {
      SCOPED_TRACE(entry);
      const QImage before = positionPicture(width, 256);
      Form1& f = prepare(before);
      dialogs->colour.answers.push_back(0x123456);
      choose(entry);
      expectCommitted(expectedFill(entry, before, f.Image1->picture()));
      if (std::string(entry) != "Globe") EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture2->picture()));
      f.Command31_Click();
      EXPECT_TRUE(sameImage(before, f.Picture1->picture())) << "OOPS";
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
