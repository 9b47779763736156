#include "app/codes.h"
#include "raster/fill.h"
#include "raster/globe.h"
#include "tests/imaging_fixture.h"

namespace {

using colour::state::Armed;
using colour::state::SetIdle;

class ThingsTest : public ImagingTest {
 protected:
  void choose(const QString& entry) {
    form->Combo1->setText(entry);
    form->Combo1_Click();
  }
  // The committed result is the picture, its committed copy, the OOPS after-copy and Picture2.
  void expectCommitted(const QImage& expected) {
    Form1& f = *form;
    EXPECT_TRUE(sameImage(expected, f.Picture1->picture()));
    EXPECT_TRUE(sameImage(expected, f.Picture1->shown())) << "nothing stays pending";
    for (ImageBox* copy : {f.Image6, f.Image14}) EXPECT_TRUE(sameImage(expected, copy->picture()));
    EXPECT_EQ(f.Label26->backColor(), SetIdle);
  }
};

QImage frameFilled(int width, long colour) { return solidImage(width, 256, colour); }

QImage crossHatched(int width, const QImage& under) {
  QImage out = under;
  raster::hatch(out, QRect(0, 0, width, 256), qRgb(0, 0, 0), raster::Hatch::Cross);
  PictureBox outline(nullptr, width, 256);
  outline.setPicture(out);
  outline.setDrawWidth(3);
  outline.Box(0, 0, width, 256, 0);
  return outline.shown();
}

QImage testPattern(int width, const QImage& pattern) {
  PictureBox box(nullptr, width, 256);
  box.PaintPicture(pattern, 0, 0, width, 256);
  return box.shown();
}

// Every full-frame entry covers W x 256 and is committed at once; OOPS brings the picture back.
TEST_F(ThingsTest, EachFillCoversTheFrameInBothLayoutsAndOopsUndoesIt) {
  const struct {
    const char* entry;
    std::function<QImage(int width, const QImage& before, const QImage& pattern)> expected;
  } cases[] = {
      {"Red", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0xFF); }},
      {"White", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0xFFFFFF); }},
      {"Black", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0); }},
      {"Green", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0xFF00); }},
      {"Blue", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0xFF0000); }},
      {"User Color", [](int w, const QImage&, const QImage&) { return frameFilled(w, 0x123456); }},
      {"X-Hatch", [](int w, const QImage& before, const QImage&) { return crossHatched(w, before); }},
      {"Test Patern", [](int w, const QImage&, const QImage& pattern) { return testPattern(w, pattern); }},
  };
  for (int width : {320, 340}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(width);
      SCOPED_TRACE(c.entry);
      Form1& f = prepare(width);
      const QImage before = positionPicture(width, 256);
      commitPicture(before);
      dialogs->colour.answers.push_back(0x123456);
      choose(QString::fromLatin1(c.entry));
      expectCommitted(c.expected(width, before, f.Image1->picture()));
      EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture2->picture()));
      EXPECT_TRUE(sameImage(before, f.Image13->picture()));
      f.Command31_Click();
      EXPECT_TRUE(sameImage(before, f.Picture1->picture())) << "OOPS";
      form->unloaded = true;
      form.reset();
    }
  }
}

TEST_F(ThingsTest, UserColorOffersTheLastColourAndCancelFillsNothing) {
  Form1& f = prepare();
  const QImage before = positionPicture(320, 256);
  commitPicture(before);
  f.Image14->setPicture(solidImage(320, 256, 0xFF));
  dialogs->colour.answers.push_back(0x0000AA);
  choose(QStringLiteral("User Color"));
  dialogs->colour.answers.push_back(std::nullopt);
  commitPicture(before);
  f.Image14->setPicture(solidImage(320, 256, 0xFF));
  choose(QStringLiteral("User Color"));
  ASSERT_EQ(dialogs->colour.calls.size(), 2u);
  EXPECT_EQ(dialogs->colour.calls[1], 0x0000AA);
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
  EXPECT_TRUE(sameImage(before, f.Image6->picture()));
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF), f.Image14->picture()));
}

// The globe is the pixel library's disc, centred in the frame. A picture holding the marker
// colour (a band left of the centre) does not cut its rows short.
TEST_F(ThingsTest, GlobeSqueezesThePictureIntoACentredDiscInBothLayouts) {
  constexpr QRgb kMarker = raster::kGlobeMarker & 0xFFFFFF;
  for (int width : {320, 340}) {
    for (bool holdsMarker : {false, true}) {
      SCOPED_TRACE(width);
      SCOPED_TRACE(holdsMarker);
      Form1& f = prepare(width);
      const int centre = width / 2;
      QImage before = positionPicture(width, 256);
      if (holdsMarker)
        for (int y = 0; y < 256; ++y)
          for (int x = centre - 60; x < centre - 50; ++x) before.setPixel(x, y, raster::kGlobeMarker);
      commitPicture(before);
      choose(QStringLiteral("Globe"));
      QImage expected = before;
      ASSERT_TRUE(raster::globe(expected));
      expectCommitted(expected);
      const QImage out = f.Picture1->picture();
      const auto marker = [&out](int x, int y) { return (out.pixel(x, y) & 0xFFFFFF) == kMarker; };
      for (QPoint corner : {QPoint(0, 0), QPoint(width - 1, 0), QPoint(0, 255), QPoint(width - 1, 255)})
        EXPECT_TRUE(marker(corner.x(), corner.y()));
      int left = 0;
      while (marker(left, 128)) ++left;
      int right = width - 1;
      while (marker(right, 128)) --right;
      EXPECT_LE(std::abs(left + right - 2 * centre), 2) << left << ".." << right;
      EXPECT_GE(right - left, 250);
      for (int x : {centre - 120, centre, centre + 120}) EXPECT_FALSE(marker(x, 128)) << x;
      form->unloaded = true;
      form.reset();
    }
  }
}

TEST_F(ThingsTest, ReRunWhileTheListReadsThingsOnlyCommitsThePicture) {
  Form1& f = prepare();
  const QImage before = positionPicture(320, 256);
  f.Picture1->setPicture(before);
  f.Image6->setPicture(solidImage(320, 256, 0));
  f.Image14->setPicture(solidImage(320, 256, 0));
  choose(QStringLiteral("  Things"));
  expectCommitted(before);
}

TEST_F(ThingsTest, NothingHappensWhileA32LineHeaderIsMade) {
  Form1& f = prepare();
  const QImage before = positionPicture(320, 256);
  commitPicture(before);
  f.makeheader->setChecked(true);
  for (const char* entry : {"Red", "Globe", "Box"}) choose(QString::fromLatin1(entry));
  EXPECT_TRUE(sameImage(before, f.Picture1->shown()));
  EXPECT_FALSE(f.Image13->hasPicture());
  f.makeheader->setChecked(false);
  f.makeheader16->setChecked(true);
  choose(QStringLiteral("Red"));
  EXPECT_TRUE(sameImage(frameFilled(320, 0xFF), f.Picture1->picture())) << "the 16-line header does not stop it";
}

TEST_F(ThingsTest, ShapesStayPendingAtTheAnchor) {
  Form1& f = prepare();
  const QImage before = solidImage(320, 256, 0xFFFFFF);
  commitPicture(before);
  f.Picture1->setForeColor(0xFF);
  f.Combo1_GotFocus();
  choose(QStringLiteral("Box"));
  EXPECT_EQ(f.Label26->backColor(), Armed);
  EXPECT_EQ(f.dragsource, drag::PendingShape);
  // A square of side 100 about the anchor (160, 128).
  EXPECT_EQ(pixelAt(f.Picture1->shown(), 110, 128), 0xFF);
  EXPECT_EQ(pixelAt(f.Picture1->shown(), 160, 128), 0xFFFFFF);
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
}

TEST_F(ThingsTest, ClicksDeliveredWhileTheGlobeIsMadeAreIgnored) {
  Form1& f = prepare();
  const QImage before = positionPicture(320, 256);
  commitPicture(before);
  Form1* form1 = &f;
  const auto delivered = clickDuringPump([form1] {
    form1->Combo1->setText(QStringLiteral("User Color"));
    emit form1->Combo1->click();
    emit form1->Command29->mouseDown(1, 0, 0, 0);
    form1->Command13->click();
  });
  choose(QStringLiteral("Globe"));
  ASSERT_TRUE(*delivered);
  EXPECT_TRUE(dialogs->colour.calls.empty());
  EXPECT_TRUE(f.Frame9->isHidden());
  QImage expected = before;
  raster::globe(expected);
  EXPECT_TRUE(sameImage(expected, f.Picture1->picture()));
}

}  // namespace
