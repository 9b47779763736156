#include <gtest/gtest.h>

#include <vector>

#include "tests/text_fixture.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

// The rim copies by weight, as the operator sees them: four plain neighbours, then the
// diagonals, then the two-pixel ring.
std::vector<Offset> rimOf(int weight) {
  std::vector<Offset> rim{{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
  if (weight >= 1) rim.insert(rim.end(), {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}});
  if (weight >= 2)
    rim.insert(rim.end(), {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2},
                           {1, -2}, {-1, 2}, {-1, -2}});
  return rim;
}

}  // namespace

class OutlineTest : public TextFixture {
 protected:
  // "Hi" at (100, 100), outline on in the colour of Label1.
  Form1& prepareOutline() {
    Form1& f = prepare(QStringLiteral("Hi"), 20, 100, 100);
    f.palette[1]->setBackColor(Rim);
    f.Check15->setValue(1);
    return f;
  }

  QImage expectedOutline(int weight) {
    auto expected = expectedCanvas();
    for (const Offset& o : rimOf(weight))
      printAt(*expected, QStringLiteral(" Hi"), lineFont(20), 100 + o.dx, 100 + o.dy, Rim);
    printAt(*expected, QStringLiteral(" Hi"), lineFont(20), 100, 100, Ink);
    return expected->shown();
  }
};

TEST_F(OutlineTest, EachWeightPutsTheRimAtItsOffsetsWithTheTextOnTop) {
  Form1& f = prepareOutline();
  for (int weight : {0, 1, 2}) {
    SCOPED_TRACE(weight);
    f.outlineweight = weight;
    arm();
    f.Check15_Click();
    EXPECT_TRUE(sameImage(expectedOutline(weight), shown()));
    EXPECT_GT(countColour(shown(), Rim), 0);
  }
  EXPECT_EQ(f.Text8->backColor(), Rim);
}

TEST_F(OutlineTest, AfterAnOutlineColourAndAnchorAreAsBefore) {
  Form1& f = prepareOutline();
  f.startx = 100.25;
  f.starty = 99.5;
  f.textsettings[7] = QString::number(Ink);
  f.outlineweight = 2;
  arm();
  f.Check15_Click();
  EXPECT_EQ(f.textsettings[7], QString::number(Ink));
  EXPECT_EQ(f.Picture1->foreColor(), Ink);
  EXPECT_EQ(f.startx, 100.25);
  EXPECT_EQ(f.starty, 99.5);
}

TEST_F(OutlineTest, NoRimWithBkGndInDrawModeOrWithTheBoxUnchecked) {
  Form1& f = prepareOutline();
  f.Check16->setValue(1);
  arm();
  f.Check15_Click();
  EXPECT_EQ(countColour(shown(), Rim), 0);
  f.Check16->setValue(0);

  f.Check15->setValue(0);
  arm();
  f.Check15_Click();
  EXPECT_EQ(countColour(shown(), Rim), 0);
}

TEST_F(OutlineTest, WithSetIdleOnlyTheQslPrintGetsARim) {
  Form1& f = prepareOutline();
  f.Check15_Click();
  EXPECT_EQ(countColour(shown(), Rim), 0);
  f.operationmarker = marker::QslPrint;
  f.Check15_Click();
  EXPECT_TRUE(sameImage(expectedOutline(0), shown()));
}

TEST_F(OutlineTest, ColourScrollWrapsAtTwelveToLabelOne) {
  Form1& f = prepareOutline();
  f.palette[2]->setBackColor(Shade);
  f.HScroll4->setValueChecked(1);
  EXPECT_EQ(f.Text8->backColor(), Shade);
  f.HScroll4->setValueChecked(12);
  EXPECT_EQ(f.HScroll4->value(), 0);
  EXPECT_EQ(f.Text8->backColor(), Rim);
}

TEST_F(OutlineTest, WeightButtonCyclesAndRedrawsTheRim) {
  Form1& f = prepareOutline();
  arm();
  f.Label47_Click();
  EXPECT_EQ(f.Label47->caption(), QStringLiteral("Thin outline"));
  EXPECT_TRUE(sameImage(expectedOutline(1), shown()));
  f.Label47_Click();
  EXPECT_EQ(f.Label47->caption(), QStringLiteral("Bold outline"));
  EXPECT_TRUE(sameImage(expectedOutline(2), shown()));
  f.Label47_Click();
  EXPECT_EQ(f.Label47->caption(), QStringLiteral("Fine outline"));
  EXPECT_EQ(f.outlineweight.toInt(), 0);
}

TEST_F(OutlineTest, ReleasingTheSwitchedOffBoxRedrawsWithoutRim) {
  Form1& f = prepareOutline();
  arm();
  f.Check15_Click();
  ASSERT_GT(countColour(shown(), Rim), 0);
  f.Check15->setValue(0);
  f.Check15_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(countColour(shown(), Rim), 0);
  EXPECT_GT(countColour(shown(), Ink), 0);

  f.Label26->setBackColor(colour::state::SetIdle);
  f.Check15_MouseUp(2, 0, 0, 0);
  EXPECT_EQ(countColour(shown(), Ink), 0);
}
