#include <gtest/gtest.h>

#include <vector>

#include "tests/text_fixture.h"

using colour::rgb;

class OutlineTest : public TextFixture {
 protected:
  // "Hi" at (100, 100), outline on in the colour of Label1.
  Form1& prepareOutline() {
    Form1& f = prepare(QStringLiteral("Hi"), 20, 100, 100);
    f.palette[1]->setBackColor(Rim);
    f.Check15->setValue(1);
    return f;
  }

  // The rim copies by weight as the operator sees them, four plain neighbours, then the
  // diagonals, then the two-pixel ring; the text on top.
  static QImage expectedOutline(int weight) {
    std::vector<QPoint> rim{{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    if (weight >= 1) rim.insert(rim.end(), {{1, 1}, {1, -1}, {-1, 1}, {-1, -1}});
    if (weight >= 2)
      rim.insert(rim.end(), {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {2, 1}, {2, -1}, {-2, 1}, {-2, -1}, {1, 2}, {1, -2},
                             {-1, 2}, {-1, -2}});
    auto expected = expectedCanvas();
    for (QPoint o : rim) printAt(*expected, QStringLiteral(" Hi"), lineFont(20), 100 + o.x(), 100 + o.y(), Rim);
    printAt(*expected, QStringLiteral(" Hi"), lineFont(20), 100, 100, Ink);
    return expected->shown();
  }
};

// The weight button cycles the weights and redraws; after the rim the text's colour and anchor
// are as before.
TEST_F(OutlineTest, EachWeightPutsTheRimAtItsOffsetsWithTheTextOnTop) {
  Form1& f = prepareOutline();
  const QString captions[] = {"Fine outline", "Thin outline", "Bold outline"};
  for (int weight : {0, 1, 2}) {
    SCOPED_TRACE(weight);
    arm();
    if (weight > 0) {
      f.Label47_Click();
      EXPECT_TRUE(sameImage(expectedOutline(weight), shown()));
      arm();
    }
    EXPECT_EQ(f.Label47->caption(), captions[weight]);
    f.Check15_Click();
    EXPECT_TRUE(sameImage(expectedOutline(weight), shown()));
    EXPECT_EQ(std::tuple(f.textsettings[7], f.Picture1->foreColor(), f.startx, f.starty),
              std::tuple(QString::number(Ink), Ink, 100.0, 100.0));
  }
  f.Label47_Click();
  EXPECT_EQ(std::tuple(f.Label47->caption(), f.outlineweight.toInt()), std::tuple(captions[0], 0));
}

// No rim with BkGnd or with the box unchecked; with SET idle the QSL print gets a rim, but never
// a shadow.
TEST_F(OutlineTest, NoRimWithBkGndOrWithTheBoxUncheckedAndWithSetIdleOnlyForTheQslPrint) {
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

  f.Check15->setValue(1);
  f.Label26->setBackColor(colour::state::SetIdle);
  f.Picture1->Cls();
  f.Check15_Click();
  EXPECT_EQ(countColour(shown(), Rim), 0);
  f.operationmarker = marker::QslPrint;
  f.Check17->setValue(1);
  f.Check17_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, White), shown()));
  EXPECT_EQ(f.operationmarker, marker::QslPrint);
  f.Check15_Click();
  EXPECT_TRUE(sameImage(expectedOutline(0), shown()));
}

// Values 0 to 11 of the colour scroll take Label1 to Label12; 12 wraps round to Label1.
TEST_F(OutlineTest, ColourScrollTakesThePaletteButtonOfEachValueAndWrapsAtTwelve) {
  Form1& f = prepareOutline();
  for (int k = 1; k <= 12; ++k) f.palette[k]->setBackColor(rgb(0, 10 * k, 255 - k));
  for (int v = 1; v <= 12; ++v) {
    SCOPED_TRACE(v);
    const int k = v % 12 + 1;
    arm();
    f.HScroll4->setValueChecked(v);
    EXPECT_EQ(std::tuple(f.HScroll4->value(), f.Text8->backColor()), std::tuple(v % 12, rgb(0, 10 * k, 255 - k)));
    EXPECT_GT(countColour(shown(), rgb(0, 10 * k, 255 - k)), 0);
  }
}

// Releasing a switched-off effect box redraws the text with the other effect only; with SET idle
// it clears.
TEST_F(OutlineTest, ReleasingASwitchedOffEffectBoxRedrawsWithTheOtherEffectOnly) {
  for (auto [box, release, gone, kept] : {std::tuple(&Form1::Check15, &Form1::Check15_MouseUp, Rim, Shade),
                                          std::tuple(&Form1::Check17, &Form1::Check17_MouseUp, Shade, Rim)}) {
    SCOPED_TRACE(gone == Rim ? "outline" : "shadow");
    Form1& f = prepareOutline();
    f.shadowdepth = 9;
    f.Option5->setValue(true);
    f.Check17->setValue(1);
    arm();
    f.Check17_Click();
    ASSERT_GT(countColour(shown(), gone), 0);
    (f.*box)->setValue(0);
    (f.*release)(1, 0, 0, 0);
    EXPECT_EQ(std::tuple(countColour(shown(), gone), countColour(shown(), kept) > 0, countColour(shown(), Ink) > 0),
              std::tuple(0, true, true));
    f.Label26->setBackColor(colour::state::SetIdle);
    (f.*release)(2, 0, 0, 0);
    EXPECT_EQ(countColour(shown(), Ink), 0);
  }
}
