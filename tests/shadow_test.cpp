#include <gtest/gtest.h>

#include <functional>

#include "raster/extrude.h"
#include "tests/text_fixture.h"

namespace {

// Where the copies go for a direction: copy k stands k pixels out on that side (size 60 makes
// one step a whole pixel).
struct Side {
  int dx;
  int dy;
};

constexpr double Size = 60;

}  // namespace

class ShadowTest : public TextFixture {
 protected:
  // "Hi" at size 60 on (120, 80), shadow on, in one colour, depth 9, thrown by `option`.
  Form1& prepareShadow(OptionButton* Form1::*option) {
    Form1& f = prepare(QStringLiteral("Hi"), Size, 0, 0);
    (f.*option)->setValue(true);
    f.startx = 120;
    f.starty = 80;
    f.shadowcolour = Shade;
    f.shadowdepth = 9;
    f.Check17->setValue(1);
    return f;
  }

  // D copies from the farthest in, coloured by copy number i (D the farthest, 1 under the
  // text), then the text on top.
  QImage expectedShadow(Side side, int depth, const std::function<long(int)>& colourOf) {
    auto expected = expectedCanvas();
    for (int i = depth; i >= 1; --i)
      printAt(*expected, QStringLiteral(" Hi"), lineFont(Size), 120 + side.dx * (i - 1), 80 + side.dy * (i - 1),
              colourOf(i));
    printAt(*expected, QStringLiteral(" Hi"), lineFont(Size), 120, 80, Ink);
    return expected->shown();
  }

  static long plain(int) { return Shade; }
};

TEST_F(ShadowTest, EachDirectionThrowsTheShadowToItsSide) {
  struct Case {
    OptionButton* Form1::*option;
    Side side;
    const char* name;
  };
  for (const Case& c : {Case{&Form1::Option2, {-1, -1}, "above left"}, Case{&Form1::Option3, {+1, -1}, "above right"},
                        Case{&Form1::Option4, {-1, +1}, "below left"}, Case{&Form1::Option5, {+1, +1}, "below right"}}) {
    SCOPED_TRACE(c.name);
    Form1& f = prepareShadow(c.option);
    arm();
    f.Check17_Click();
    EXPECT_TRUE(sameImage(expectedShadow(c.side, 9, plain), shown()));
  }
}

TEST_F(ShadowTest, DepthScrollGivesItsSquareInCopies) {
  Form1& f = prepareShadow(&Form1::Option5);
  arm();
  f.VScroll1->setValueChecked(4);
  EXPECT_EQ(f.shadowdepth.toInt(), 16);
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 16, plain), shown()));
}

TEST_F(ShadowTest, AnchorAndColourAreKeptAndTheMarkerEndsAtZero) {
  Form1& f = prepareShadow(&Form1::Option4);
  f.Picture1->font.size = 30;  // half-unit steps
  f.startx = 120.25;
  f.starty = 80.75;
  arm();
  f.Check17_Click();
  EXPECT_EQ(f.startx, 120.25);
  EXPECT_EQ(f.starty, 80.75);
  EXPECT_EQ(f.Picture1->foreColor(), Ink);
  EXPECT_EQ(f.operationmarker, 0);
  EXPECT_GT(countColour(shown(), Shade), 0);
}

TEST_F(ShadowTest, NothingWhileSetIsIdleEvenForTheQslBand) {
  Form1& f = prepareShadow(&Form1::Option5);
  f.operationmarker = marker::QslPrint;
  f.Check17_Click();
  EXPECT_EQ(countColour(shown(), Shade), 0);
  EXPECT_EQ(countColour(shown(), Ink), 0);
  EXPECT_EQ(f.operationmarker, marker::QslPrint);
}

TEST_F(ShadowTest, GradedCopiesTakeTheirShareOfTheBaseColour) {
  Form1& f = prepareShadow(&Form1::Option5);
  arm();
  f.Text13_MouseDown(1, 0, 0, 0);  // graded on, base 1 = red
  EXPECT_EQ(f.Text13->text(), QStringLiteral(" 1"));
  EXPECT_EQ(f.gradedshadow, 1);
  // With a red base no channel overflows: the colours are the plain sums.
  const auto graded = [](int i) { return long((i * 36 / 9 + 1) * 64000 + 255); };
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 9, graded), shown()));
  EXPECT_GT(countColour(shown(), 36 * 64000 + 255 + 64000), 0);  // the farthest copy
}

TEST_F(ShadowTest, GradedChannelsStopAt255) {
  Form1& f = prepareShadow(&Form1::Option5);
  f.Text13_MouseDown(1, 0, 0, 0);
  arm();
  f.HScroll5->setValueChecked(2);  // base green 255: any addition to green overflows
  EXPECT_EQ(f.Text13->text(), QStringLiteral(" 2"));
  // The farthest copy adds 37 x 64000 = blue 36, green 34: green stays 255, blue is 36.
  EXPECT_GT(countColour(shown(), colour::rgb(0, 255, 36)), 0);
  EXPECT_EQ(countColour(shown(), 37 * 64000 + colour::rgb(0, 255, 0)), 0);
  // The copy one step out adds 9 x 64000 = blue 8, green 202.
  EXPECT_GT(countColour(shown(), colour::rgb(0, 255, 8)), 0);
}

TEST_F(ShadowTest, PickingADirectionStepsTheAnchorAndRedrawsOnTheNewSide) {
  Form1& f = prepareShadow(&Form1::Option5);
  arm();
  f.Option2->setValue(true);
  EXPECT_EQ(f.startx, 121);
  EXPECT_EQ(f.starty, 81);
  f.startx = 120;
  f.starty = 80;
  f.OptionDirection_MouseUp(1, 0, 0, 0);
  EXPECT_TRUE(sameImage(expectedShadow({-1, -1}, 9, plain), shown()));
}

TEST_F(ShadowTest, SwitchingTheShadowOffRedrawsTheTextAlone) {
  Form1& f = prepareShadow(&Form1::Option5);
  arm();
  f.Check17_Click();
  f.Check17->setValue(0);
  f.Check17_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(countColour(shown(), Shade), 0);
  EXPECT_GT(countColour(shown(), Ink), 0);
}

TEST_F(ShadowTest, BaseScrollDoesNothingWhileGradedIsOff) {
  Form1& f = prepareShadow(&Form1::Option5);
  f.shadowbase = 123;
  arm();
  f.HScroll5->setValueChecked(3);
  EXPECT_EQ(f.shadowbase, 123);
  EXPECT_EQ(f.Text13->text(), QStringLiteral(" Off"));
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

TEST_F(ShadowTest, RightClickOnTheGradedSwitchOnlyRetakesTheBase) {
  Form1& f = prepareShadow(&Form1::Option5);
  f.HScroll5->setValueChecked(3);
  f.shadowbase = 0;
  arm();
  f.Text13_MouseDown(2, 0, 0, 0);
  EXPECT_EQ(f.Text13->text(), QStringLiteral(" Off"));
  EXPECT_EQ(f.gradedshadow, 0);
  EXPECT_EQ(f.shadowbase, colour::rgb(10, 0, 187));
  EXPECT_TRUE(sameImage(expectedShadow({+1, +1}, 9, plain), shown()));
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
  struct Case {
    Layout layout;
    ShadowSide side;
    int graded, depth, weight;
    QPointF anchor;
  };
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
    f.shadowcolour = Shade;
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
