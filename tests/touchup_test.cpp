#include "platform/autoredraw.h"
#include "tests/canvas_fixture.h"

using namespace canvastest;

namespace {

using mousebutton::Left, mousebutton::Right;

// Quadrants split at (160, 128): red, green above; blue, white below.
QImage quadrants(int w = 320) {
  return painted(w, White,
                 {{QRect(0, 0, 160, 128), Red}, {QRect(160, 0, w, 128), Green}, {QRect(0, 128, 160, 128), Blue}});
}

class TouchUpTest : public CanvasTest {
 protected:
  Form1& onQuadrants(Mode mode = Text, bool wide = false) {
    Form1& f = ready(mode, wide);
    f.Picture1->setPicture(quadrants(f.frameWidth()));
    return f;
  }
  bool unchanged() const { return sameImage(quadrants(form->frameWidth()), form->Picture1->picture()); }
};

// Inserts, shapes and text grow and shrink by their own steps: the insert keeps its middle
// across and Smaller leaves it at least one pixel wide. Without pending work, with Follow Mouse or
// a full-frame overlay, nothing changes.
TEST_F(TouchUpTest, BiggerAndSmallerStepEachPendingThing) {
  Form1& f = ready(Overlays);
  using Press = void (Form1::*)(int, int, double, double);
  const Press bigger = &Form1::Command6_MouseDown, smaller = &Form1::Command10_MouseDown;
  const struct { Press press; double size, after, anchor; long set; int fullframe, follow; } cases[] = {
      {bigger, 120, 130, 95, Armed, 0, 0}, {smaller, 120, 110, 105, Armed, 0, 0}, {smaller, 3, 1, 101, Armed, 0, 0},
      {bigger, 120, 120, 100, SetIdle, 0, 0}, {bigger, 120, 120, 100, Armed, 1, 0},
      {bigger, 120, 120, 100, Armed, 0, 1}};
  for (const auto& c : cases) {
    std::tie(f.picinpicsize, f.startx, f.starty, f.fullframe) = std::tuple(c.size, 100, 100, c.fullframe);
    f.Check18->setValue(c.follow);
    f.Label26->setBackColor(c.set);
    (f.*c.press)(1, 0, 0, 0);
    EXPECT_EQ(std::tuple(f.picinpicsize, f.startx, f.starty), std::tuple(c.after, c.anchor, c.anchor));
  }
  f.Check18->setValue(0);
  f.Label26->setBackColor(Armed);
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 90;
  f.Command6_MouseDown(1, 0, 0, 0);
  EXPECT_FLOAT_EQ(f.shaperadius, 100);
  f.Combo1->setText(QStringLiteral("  Things"));
  f.Option1_Click();
  for (const auto& [press, size] : {std::pair{bigger, 13.3}, std::pair{smaller, 10.7}}) {
    f.Label26->setBackColor(Armed);
    f.Picture1->font.size = 12;
    (f.*press)(1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(f.Picture1->font.size, size);
  }
}

// The object inside a closed outline is centred on (165, 128) and everything else takes the
// transparency key; an outline with a gap, or nothing drawn, is refused and changes nothing.
TEST_F(TouchUpTest, MakeOverlayCutsOutTheObjectOrRefuses) {
  for (const int gap : {0, 1, 2}) {
    Form1& f = onQuadrants(Draw);
    dialogs->calls.clear();
    f.textsettings[7] = QString::number(Blue);
    if (gap < 2) {
      PersistentDrawing persistent(f.Picture1);  // as Draw-mode strokes are drawn
      f.Picture1->setDrawWidth(1);
      f.Picture1->Box(20, 30, 120, 90, Blue);
      if (gap == 1) f.Picture1->PSet(20, 60, Grey);
      std::tie(f.minx, f.maxx, f.miny, f.maxy) = std::tuple(20, 120, 30, 90);
    }
    f.Label26->setBackColor(Armed);
    const QImage drawn = f.Picture1->image();
    f.Label30_MouseDown(1, 0, 0, 0);
    if (gap) {
      EXPECT_EQ(std::tuple(sameImage(drawn, f.Picture1->image()), f.Label26->backColor(), dialogs->calls.size()),
                std::tuple(true, Armed, size_t(1)));
      continue;
    }
    // The box (20, 30) 100 x 60 lands at (115, 98); inside the outline the red stays.
    EXPECT_EQ(std::tuple(committed(Red, QRect(116, 99, 99, 59)), committed(Key)),
              std::tuple(99 * 59, 320 * 256 - 99 * 59));
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
    EXPECT_TRUE(sameImage(quadrants(), f.Image13->picture()));
    f.Picture1->Circle(165, 128, 20, Green);
    const QRect middle(160, 123, 10, 10);
    EXPECT_TRUE(sameImage(f.Picture1->picture().copy(middle), f.Picture1->shown().copy(middle))) << "drawn unfilled";
  }
}

// The marked rectangle, held to the frame, fills the picture, mirrored when marked backwards; one
// without area leaves Crop armed and the picture as it was. A Box after the rubber band is hollow.
TEST_F(TouchUpTest, CropStretchesTheMarkedRectangleOverThePicture) {
  const struct { bool wide; QPointF from, to; std::vector<long> corners; } cases[] = {
      {false, {200, 150}, {100, 50}, {White, Blue, Green, Red}}, {true, {-50, -40}, {160, 128}, {Red, Red, Red, Red}},
      {false, {100, 100}, {100.4, 200}, {Red, Green, Blue, White}}};
  for (const auto& c : cases) {
    Form1& f = onQuadrants(Text, c.wide);
    const int w = f.frameWidth();
    f.Label24_Click();
    f.Picture1_MouseDown(Left, 0, c.from.x(), c.from.y());
    f.Picture1_MouseMove(Left, 0, c.to.x(), c.to.y());
    f.Picture1_MouseUp(Left, 0, c.to.x(), c.to.y());
    const QImage& p = f.Picture1->picture();
    EXPECT_EQ(std::vector<long>({pixelAt(p, 5, 5), pixelAt(p, w - 5, 5), pixelAt(p, 5, 250), pixelAt(p, w - 5, 250)}),
              c.corners);
    EXPECT_EQ(f.Label24->backColor(), c.from.x() == 100 ? Armed : Idle);
    f.Combo1->setText(QStringLiteral("Box"));
    f.drawThingsShape(160, 128);
    EXPECT_TRUE(sameImage(p.copy(140, 108, 40, 40), f.Picture1->shown().copy(140, 108, 40, 40)));
  }
}

// Fix Col takes the colour under each stroke's start, keeps it outside the picture, and gives the
// colour it found back when it ends, by its own button or by the noise-line button.
TEST_F(TouchUpTest, FixColPicksAndGivesTheColourBack) {
  for (const bool byNoiseLines : {false, true}) {
    Form1& f = onQuadrants();
    f.textsettings[7] = QString::number(Blue);
    f.Label29_Click();
    f.Picture1_MouseDown(Left, 0, 200, 20);
    f.Picture1_MouseDown(Left, 0, -5, 20);
    EXPECT_EQ(f.textsettings[7], QString::number(Green));
    byNoiseLines ? f.Label73_Click() : f.Label29_Click();
    EXPECT_EQ(std::tuple(f.Label29->backColor(), f.textsettings[7]), std::tuple(Idle, QString::number(Blue)));
  }
}

// The row under the pointer takes the row above or below across the whole frame, and Undo brings
// it back; rows without such a neighbour and releases outside the picture change nothing.
TEST_F(TouchUpTest, NoiseLinesTakeTheNeighbouringRow) {
  const struct { int button; bool wide; double x, y; bool changes; } cases[] = {
      {Left, true, 10, 128, true}, {Right, false, 10, 127, true}, {Left, false, 10, 0, false},
      {Right, false, 10, 255, false}, {Left, false, -3, 128, false}};
  for (const auto& c : cases) {
    Form1& f = onQuadrants(Text, c.wide);
    const int row = int(c.y), from = row + (c.button == Left ? -1 : 1);
    f.Label73_Click();
    f.Picture1_MouseDown(c.button, 0, c.x, c.y);
    f.Picture1_MouseUp(c.button, 0, c.x, c.y);
    const QImage& p = f.Picture1->picture();
    EXPECT_EQ(c.changes, !unchanged()) << c.y;
    if (c.changes) EXPECT_TRUE(sameImage(p.copy(0, from, f.frameWidth(), 1), p.copy(0, row, f.frameWidth(), 1)));
    f.Command12_Click();
    EXPECT_TRUE(unchanged());
  }
}

// Blend lays the whole insert at the slider's ratio over the picture without it, in Pic in Pic
// and as an overlay, its last row and column too. Other modes and the check boxes refuse.
TEST_F(TouchUpTest, BlendMixesTheInsertByTheRatio) {
  for (const Mode mode : {PicInPic, Overlays}) {
    Form1& f = ready(mode, false, colour::rgb(128, 128, 128));
    const QImage insert = painted(320, Red, {{QRect(0, 0, 8, 8), Key}});  // the overlay's key corner
    f.Image6->setPicture(insert);
    f.Picture2->setPicture(insert);
    std::tie(f.startx, f.starty, f.picinpicsize) = std::tuple(100, 80, 120);
    f.Label26->setBackColor(Armed);
    f.HScroll7->setValue(3);
    f.Label14_Click();
    const long mixed = colour::rgb((255 * 30 + 128 * 70) / 100, 128 * 70 / 100, 128 * 70 / 100);
    EXPECT_EQ(committed(mixed, QRect(104, 84, 116, 92)), 116 * 92) << "to row 175 and column 219";
  }
  for (const Mode mode : {Text, FourInOne, PicInPic}) {
    Form1& f = onQuadrants(mode);
    f.Check18->setValue(mode == PicInPic);
    f.Label26->setBackColor(Armed);
    f.Label14_Click();
    EXPECT_TRUE(unchanged());
  }
}

}  // namespace
