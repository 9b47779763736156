#include <QPainter>

#include "platform/autoredraw.h"
#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long Grey = 0x808080, Red = 0xFF, Green = 0xFF00, Blue = 0xFF0000, Key = 0x010101;
constexpr int Left = 1, Right = 2;

// Quadrants split at (160, 128): red, green above; blue, white below.
QImage quadrants(int w = 320) {
  QImage img = solidImage(w, 256, White);
  QPainter p(&img);
  p.fillRect(0, 0, 160, 128, colour::toQColor(Red));
  p.fillRect(160, 0, w - 160, 128, colour::toQColor(Green));
  p.fillRect(0, 128, 160, 128, colour::toQColor(Blue));
  return img;
}

class TouchUpTest : public FormTest {
 protected:
  Form1& ready(bool wide = false) {
    Form1& f = start();
    if (wide) f.jvcomm1->trigger();
    f.Picture1->setPicture(quadrants(f.frameWidth()));
    return f;
  }
  long at(int x, int y) const { return pixelAt(form->Picture1->picture(), x, y); }
};

// Inserts, shapes and text grow and shrink by their own steps; the insert keeps its middle, and
// Smaller leaves it at least one pixel wide.
TEST_F(TouchUpTest, BiggerAndSmallerStepEachPendingThing) {
  Form1& f = ready();
  f.Option7_Click();
  f.Label26->setBackColor(Armed);
  const struct {
    double size;
    void (Form1::*press)(int, int, double, double);
    double after, anchor;
  } inserts[] = {{120, &Form1::Command6_MouseDown, 130, 95},
                 {120, &Form1::Command10_MouseDown, 110, 105},
                 {3, &Form1::Command10_MouseDown, 1, 101}};
  for (const auto& c : inserts) {
    f.picinpicsize = c.size;
    f.startx = f.starty = 100;
    (f.*c.press)(1, 0, 0, 0);
    EXPECT_EQ(std::tuple(f.picinpicsize, f.startx, f.starty), std::tuple(c.after, c.anchor, c.anchor));
  }
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 90;
  f.Command6_MouseDown(1, 0, 0, 0);
  EXPECT_FLOAT_EQ(f.shaperadius, 100);
  f.Command10_MouseDown(1, 0, 0, 0);
  EXPECT_FLOAT_EQ(f.shaperadius, 90);
  f.Combo1->setText(QStringLiteral("  Things"));
  f.Option1_Click();
  f.Label26->setBackColor(Armed);
  f.Picture1->font.size = 12;
  f.Command6_MouseDown(1, 0, 0, 0);
  EXPECT_DOUBLE_EQ(f.Picture1->font.size, 13.3);
  f.Picture1->font.size = 12;
  f.Command10_MouseDown(1, 0, 0, 0);
  EXPECT_DOUBLE_EQ(f.Picture1->font.size, 10.7);
}

TEST_F(TouchUpTest, BiggerAndSmallerRefuseWithoutPendingWorkFollowMouseOrAFullFrameOverlay) {
  Form1& f = ready();
  const auto refusal = [&f](int which) {
    f.Option6_Click();
    f.Label26->setBackColor(which == 0 ? SetIdle : Armed);
    if (which == 1) f.fullframe = 1;
    if (which == 2) f.Check18->setValue(1);
    f.Label26->setBackColor(which == 0 ? SetIdle : Armed);
    f.picinpicsize = 120;
    f.Command6_MouseDown(1, 0, 0, 0);
    f.Command10_MouseDown(1, 0, 0, 0);
    return f.picinpicsize;
  };
  for (int which : {0, 1, 2}) EXPECT_EQ(refusal(which), 120) << which;
}

// The object inside a closed outline is centred on (165, 128) and everything else takes the
// transparency key; an outline with a gap, or nothing drawn, is refused and changes nothing.
TEST_F(TouchUpTest, MakeOverlayCutsOutTheObjectOrRefuses) {
  for (const bool gap : {false, true}) {
    Form1& f = ready();
    f.Option8_Click();
    f.textsettings[7] = QString::number(Blue);
    {
      PersistentDrawing persistent(f.Picture1);  // Draw-mode strokes go to the persistent image
      f.Picture1->setDrawWidth(1);
      f.Picture1->Box(20, 30, 120, 90, Blue);
      if (gap) f.Picture1->PSet(20, 60, Grey);
    }
    f.Label26->setBackColor(Armed);
    std::tie(f.minx, f.maxx, f.miny, f.maxy) = std::tuple(20, 120, 30, 90);
    const QImage drawn = f.Picture1->image();
    f.Label30_MouseDown(1, 0, 0, 0);
    if (gap) {
      EXPECT_TRUE(sameImage(drawn, f.Picture1->image())) << "the strokes stay for mending";
      EXPECT_EQ(std::tuple(f.Label26->backColor(), dialogs->calls.size()), std::tuple(Armed, size_t(1)));
      continue;
    }
    // The box (20, 30) 100 x 60 lands at (115, 98); its inside keeps its red.
    EXPECT_EQ(countColour(f.Picture1->picture(), Red, QRect(116, 99, 99, 59)), 99 * 59);
    EXPECT_EQ(countColour(f.Picture1->picture(), Key), 320 * 256 - 99 * 59);
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
    EXPECT_TRUE(sameImage(quadrants(), f.Image13->picture()));
    EXPECT_EQ(std::tuple(f.Label26->backColor(), f.Command31->backColor()), std::tuple(SetIdle, OopsNormal));
    EXPECT_EQ(f.Picture1->fillStyle(), 1) << "later shapes are drawn unfilled";
  }
  Form1& f = ready();
  f.Option8_Click();
  f.Label26->setBackColor(Armed);
  dialogs->calls.clear();
  f.Label30_MouseDown(1, 0, 0, 0);
  EXPECT_EQ(dialogs->calls.size(), 1u);
  EXPECT_TRUE(sameImage(quadrants(), f.Picture1->picture()));
}

// The marked rectangle, held to the frame, fills the picture, mirrored when marked backwards; a
// rectangle without area leaves Crop armed and the picture as it was.
TEST_F(TouchUpTest, CropStretchesTheMarkedRectangleOverThePicture) {
  const struct {
    bool wide;
    QPointF from, to;
    long corners[4];
  } cases[] = {{false, {200, 150}, {100, 50}, {White, Blue, Green, Red}},
               {true, {-50, -40}, {160, 128}, {Red, Red, Red, Red}},
               {false, {100, 100}, {100.4, 200}, {Red, Green, Blue, White}}};
  for (const auto& c : cases) {
    Form1& f = ready(c.wide);
    const int w = f.frameWidth();
    f.Label24_Click();
    f.Picture1_MouseDown(Left, 0, c.from.x(), c.from.y());
    f.Picture1_MouseMove(Left, 0, c.to.x(), c.to.y());
    f.Picture1_MouseUp(Left, 0, c.to.x(), c.to.y());
    const bool cropped = c.corners[0] != Red || c.wide;
    EXPECT_EQ(std::vector<long>({at(5, 5), at(w - 5, 5), at(5, 250), at(w - 5, 250)}),
              std::vector<long>(c.corners, c.corners + 4));
    EXPECT_EQ(f.Label24->backColor(), cropped ? Idle : Armed);
    if (cropped) EXPECT_TRUE(sameImage(quadrants(w), f.Image13->picture()));
    // A Box drawn after the rubber band is unfilled.
    f.Picture1->Cls();
    f.Combo1->setText(QStringLiteral("Box"));
    f.drawThingsShape(160, 128);
    EXPECT_TRUE(sameImage(f.Picture1->picture().copy(140, 108, 40, 40), f.Picture1->shown().copy(140, 108, 40, 40)));
  }
}

// Fix Col takes the colour under each stroke's start, keeps it outside the picture, and puts the
// colour it found back when it ends, by its own button or by the noise-line button.
TEST_F(TouchUpTest, FixColPicksAndGivesTheColourBack) {
  for (const bool byNoiseLines : {false, true}) {
    Form1& f = ready();
    f.textsettings[7] = QString::number(Blue);
    f.Label29_Click();
    f.Picture1_MouseDown(Left, 0, 200, 20);
    EXPECT_EQ(f.textsettings[7], QString::number(Green));
    f.Picture1_MouseDown(Left, 0, -5, 20);
    EXPECT_EQ(f.textsettings[7], QString::number(Green));
    byNoiseLines ? f.Label73_Click() : f.Label29_Click();
    EXPECT_EQ(std::tuple(f.Label29->backColor(), f.textsettings[7]), std::tuple(Idle, QString::number(Blue)));
  }
}

// The row under the pointer takes the row above or below, across the whole frame; rows without
// such a neighbour and releases outside the picture change nothing; Undo brings the row back.
TEST_F(TouchUpTest, NoiseLinesTakeTheNeighbouringRow) {
  const struct {
    int button;
    bool wide;
    double x, y;
    long row127;
    int changedRow;
  } cases[] = {{Left, true, 10, 128, Green, 128},
               {Right, false, 10, 127, Blue, 127},
               {Left, false, 10, 0, Red, -1},
               {Right, false, 10, 255, Red, -1},
               {Left, false, -3, 128, Red, -1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.y);
    Form1& f = ready(c.wide);
    const int w = f.frameWidth();
    f.Label73_Click();
    f.Picture1_MouseDown(c.button, 0, c.x, c.y);
    f.Picture1_MouseUp(c.button, 0, c.x, c.y);
    const QImage& p = f.Picture1->picture();
    if (c.changedRow < 0) {
      EXPECT_TRUE(sameImage(quadrants(w), p));
      continue;
    }
    const int from = c.changedRow + (c.button == Left ? -1 : 1);
    EXPECT_TRUE(sameImage(p.copy(0, from, w, 1), p.copy(0, c.changedRow, w, 1)));
    EXPECT_EQ(f.Label26->backColor(), Armed);
    f.Command12_Click();
    EXPECT_TRUE(sameImage(quadrants(w), f.Picture1->picture()));
  }
}

// Blend lays the insert at the slider's ratio over the picture without it: the whole insert, in
// Pic in Pic and as an overlay, last row and column too. Other modes and the check boxes refuse.
TEST_F(TouchUpTest, BlendMixesTheInsertByTheRatio) {
  for (const bool overlay : {false, true}) {
    SCOPED_TRACE(overlay);
    Form1& f = ready();
    f.Picture1->setPicture(solidImage(320, 256, colour::rgb(128, 128, 128)));
    overlay ? f.Option6_Click() : f.Option7_Click();
    QImage insert = solidImage(320, 256, Red);
    QPainter(&insert).fillRect(0, 0, 8, 8, colour::toQColor(Key));  // the overlay's key corner
    f.Image6->setPicture(insert);
    f.Picture2->setPicture(insert);
    std::tie(f.startx, f.starty, f.picinpicsize) = std::tuple(100, 80, 120);
    f.Label26->setBackColor(Armed);
    f.HScroll7->setValue(3);
    f.Label14_Click();
    const long mixed = colour::rgb((255 * 30 + 128 * 70) / 100, 128 * 70 / 100, 128 * 70 / 100);
    EXPECT_EQ(countColour(f.Picture1->picture(), mixed, QRect(104, 84, 116, 92)), 116 * 92);
    EXPECT_EQ(pixelAt(f.Picture1->picture(), 219, 175), mixed) << "the last column and row";
    EXPECT_EQ(f.Label14->backColor(), Idle);
  }
  Form1& f = ready();
  for (int refusal : {0, 18, 19}) {
    refusal == 0 ? f.Option1_Click() : (refusal == 18 ? f.Check18 : f.Check19)->setValue(1);
    f.Label26->setBackColor(Armed);
    f.Label14_Click();
    EXPECT_TRUE(sameImage(quadrants(), f.Picture1->picture())) << refusal;
  }
}

}  // namespace
