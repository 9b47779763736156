#include <gtest/gtest.h>

#include <functional>

#include "raster/extrude.h"
#include "tests/text_fixture.h"

using colour::rgb;

class ShadowTest : public TextFixture {
 protected:
  // "Hi" at size 60 (a step is a whole pixel) on (120, 80), shadow on, depth 9, thrown by `option`.
  Form1& prepareShadow(OptionButton* Form1::*option = &Form1::Option5) {
    Form1& f = prepare(QStringLiteral("Hi"), 60, 120, 80);
    (f.*option)->setValue(true);
    f.startx = 120;
    f.starty = 80;
    f.shadowdepth = 9;
    f.Check17->setValue(1);
    return f;
  }

  // Copy k stands k - 1 pixels out on `side`: the farthest first, coloured by its number, then
  // the text on top.
  static QImage expectedShadow(QPoint side, int depth, const std::function<long(int)>& colourOf = plain) {
    auto expected = expectedCanvas();
    for (int i = depth; i >= 1; --i)
      printAt(*expected, QStringLiteral(" Hi"), lineFont(60), 120 + side.x() * (i - 1), 80 + side.y() * (i - 1),
              colourOf(i));
    printAt(*expected, QStringLiteral(" Hi"), lineFont(60), 120, 80, Ink);
    return expected->shown();
  }

  static long plain(int) { return Shade; }
};

// Choosing a direction steps the anchor a copy's step back towards the text, and the release
// redraws on that side; after the copies the anchor, the pen and the marker are as before.
TEST_F(ShadowTest, EachDirectionThrowsTheShadowToItsSide) {
  const struct { OptionButton* Form1::*option; QPoint side; } cases[] = {
      {&Form1::Option2, {-1, -1}}, {&Form1::Option3, {+1, -1}}, {&Form1::Option4, {-1, +1}}, {&Form1::Option5, {+1, +1}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.side.x() << "," << c.side.y());
    Form1& f = prepareShadow(c.option == &Form1::Option2 ? &Form1::Option5 : &Form1::Option2);
    arm();
    (f.*c.option)->setValue(true);
    EXPECT_EQ(std::tuple(f.startx, f.starty), std::tuple(120.0 - c.side.x(), 80.0 - c.side.y()));
    f.startx = 120;
    f.starty = 80;
    f.OptionDirection_MouseUp(1, 0, 0, 0);
    EXPECT_TRUE(sameImage(expectedShadow(c.side, 9), shown()));
    EXPECT_EQ(std::tuple(f.startx, f.starty, f.Picture1->foreColor(), f.operationmarker), std::tuple(120.0, 80.0, Ink, 0));
  }
}

// The depth scroll gives its square in copies. While graded is off the base scroll changes
// nothing and a right click on the switch only takes the base of the scroll value. Graded, copy i
// of D adds (i x 36 / D + 1) x 64000 to the base colour of the scroll value, every channel stopping
// at 255; the farthest of nine adds 37 x 64000, blue 36 and green 34.
TEST_F(ShadowTest, DepthAndGradedColoursFollowTheirScrollsAndSwitch) {
  Form1& f = prepareShadow();
  arm();
  f.VScroll1->setValueChecked(4);
  EXPECT_EQ(f.shadowdepth.toInt(), 16);
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 16), shown()));
  f.VScroll1->setValueChecked(3);

  f.shadowbase = 123;
  arm();
  f.HScroll5->setValueChecked(3);
  EXPECT_EQ(std::tuple(f.shadowbase, f.Text13->text()), std::tuple(123L, QString(" Off")));
  EXPECT_EQ(countColour(shown(), Ink), 0);
  f.Text13_MouseDown(2, 0, 0, 0);
  EXPECT_EQ(std::tuple(f.Text13->text(), f.gradedshadow, f.shadowbase), std::tuple(QString(" Off"), 0, rgb(10, 0, 187)));
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 9), shown()));

  f.HScroll5->setValueChecked(1);
  arm();
  f.Text13_MouseDown(1, 0, 0, 0);  // graded on, base 1 = red
  EXPECT_EQ(std::tuple(f.Text13->text(), f.gradedshadow), std::tuple(QString(" 1"), 1));
  // With a red base no channel overflows: the colours are the plain sums.
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 9, [](int i) { return long((i * 36 / 9 + 1) * 64000 + 255); }), shown()));
  const long farthest[] = {0, rgb(255, 34, 36), rgb(0, 255, 36), rgb(10, 34, 223), rgb(234, 255, 250),
                           rgb(255, 255, 164)};
  for (int v : {5, 4, 3, 1, 2}) {
    SCOPED_TRACE(v);
    arm();
    ASSERT_TRUE(f.HScroll5->setValueChecked(v));
    EXPECT_EQ(f.Text13->text(), QStringLiteral(" %1").arg(v));
    EXPECT_GT(countColour(shown(), farthest[v]), 0);
  }
  EXPECT_GT(countColour(shown(), rgb(0, 255, 8)), 0);  // one step out adds 9 x 64000: green 202, blue 8
}

namespace {

// The shadow and then the outline as plain loops, every copy printed on its own in turn.
void printEachCopy(Form1& f, QPoint step) {
  const long fore = f.Picture1->foreColor();
  const QPointF anchor(f.startx, f.starty);
  const int depth = f.shadowdepth.toInt();
  const double size = f.Picture1->font.size;
  f.startx -= step.x() * (size * depth / 60.0);
  f.starty -= step.y() * (size * depth / 60.0);
  for (int i = depth; i >= 1; --i) {
    const QRgb graded = raster::gradedShade(i, depth, colour::toQRgb(f.shadowbase));
    f.Picture1->setForeColor(f.gradedshadow == 1 ? colour::fromQRgb(graded) : f.shadowcolour);
    f.startx += step.x() * (size / 60.0);
    f.starty += step.y() * (size / 60.0);
    f.printtext();
  }
  f.Picture1->setForeColor(f.palette[1]->backColor());
  for (const QPoint& o : raster::outlineOffsets(f.outlineweight.toInt())) {
    f.startx = anchor.x() + o.x();
    f.starty = anchor.y() + o.y();
    f.printtext();
  }
  f.startx = anchor.x();
  f.starty = anchor.y();
  f.Picture1->setForeColor(fore);
  f.printtext();
}

}  // namespace

// The copies are drawn together; the pixels must be those of printing each in turn.
TEST_F(ShadowTest, CopiesDrawnTogetherLeaveWhatPrintingEachInTurnLeaves) {
  using raster::ShadowSide;
  enum Layout { Lines, Columns, Turned, OnBackColour };
  struct Case { Layout layout; ShadowSide side; int graded, depth, weight; QPointF anchor; };
  OptionButton* Form1::*const option[] = {&Form1::Option2, &Form1::Option3, &Form1::Option4, &Form1::Option5};
  for (const Case& c : {Case{Lines, ShadowSide::BelowRight, 0, 400, 2, {20, 2}},
                        Case{Lines, ShadowSide::AboveLeft, 1, 100, 1, {60.3, 150.7}},
                        Case{Columns, ShadowSide::AboveRight, 0, 64, 0, {30.5, 20.25}},
                        Case{Columns, ShadowSide::BelowLeft, 1, 400, 2, {250, -30}},
                        Case{Turned, ShadowSide::BelowRight, 1, 144, 2, {40, 120}},
                        Case{Lines, ShadowSide::AboveRight, 1, 400, 1, {-40.3, 200.7}},
                        Case{OnBackColour, ShadowSide::BelowRight, 0, 100, 2, {20, 20}}}) {
    SCOPED_TRACE(testing::Message() << "layout " << c.layout << " depth " << c.depth << " at " << c.anchor.x());
    Form1& f = prepare(QStringLiteral("CQ CQ DE\r\nG4XYZ\r\nSSTV 20M"), 26, 0, 0);
    (f.*option[int(c.side)])->setValue(true);
    f.startx = c.anchor.x();
    f.starty = c.anchor.y();
    f.shadowdepth = c.depth;
    f.gradedshadow = c.graded;
    f.shadowbase = colour::rgb(255, 0, 0);
    f.outlineweight = c.weight;
    f.palette[1]->setBackColor(Rim);
    f.Check17->setValue(1);
    f.Check15->setValue(1);
    if (c.layout == Columns) f.Label31->setBackColor(colour::state::Armed);
    f.lineheight = 26 * 1.6;
    f.textangle = c.layout == Turned ? 300 : 0;
    f.Check16->setValue(c.layout == OnBackColour);
    arm();
    f.printtext();
    f.Check17_Click();
    const QImage together = shown();
    arm();
    f.printtext();
    if (c.layout != OnBackColour) printEachCopy(f, raster::shadowStep(c.side));
    EXPECT_TRUE(sameImage(shown(), together));
    EXPECT_EQ(countColour(together, Rim) > 0, c.layout != OnBackColour);
  }
}
