#include <gtest/gtest.h>

#include "tests/text_fixture.h"

using colour::rgb;

// How the pending text looks with the font styles, vertical on its back colour, and in the
// colours the outline and the graded shadow take from their scroll bars.
class TextLooksTest : public TextFixture {};

// The printer asks for weight 2400 with Bold, and italic and underline from their own boxes.
TEST_F(TextLooksTest, BoldItalicAndUnderlineBoxesStyleThePrintedLine) {
  const struct { bool bold, italic, underline; } cases[] = {{true, false, false}, {false, true, false},
                                                            {false, false, true}, {true, true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bold << c.italic << c.underline);
    Form1& f = prepare(QStringLiteral("Hill"), 20, 40, 40);
    f.Check6->setValue(c.bold);
    f.Check14->setValue(c.italic);
    f.Check13->setValue(c.underline);
    arm();
    f.printtext();
    TextFont font = lineFont(20);
    auto plain = expectedCanvas();
    printAt(*plain, QStringLiteral(" Hill"), font, 40, 40, Ink);
    font.weight = c.bold ? 2400 : 400;
    font.italic = c.italic;
    font.underline = c.underline;
    auto expected = expectedCanvas();
    printAt(*expected, QStringLiteral(" Hill"), font, 40, 40, Ink);
    EXPECT_TRUE(sameImage(expected->shown(), shown()));
    EXPECT_FALSE(sameImage(plain->shown(), shown()));
  }
}

// With BkGnd on, characters step 1.5 sizes down and the columns 1.3 x 1.5 sizes right.
TEST_F(TextLooksTest, VerticalTextOnItsBackColourStepsColumnsByOnePointThreeLines) {
  Form1& f = prepare(QStringLiteral("AB\r\nC"), 10, 30, 20);
  f.Picture1->setBackColor(Paper);
  f.Label31->setBackColor(colour::state::Armed);
  f.Check16->setValue(1);
  arm();
  f.printtext();
  auto expected = expectedCanvas();
  expected->font = f.Picture1->font;
  expected->setBackColor(Paper);
  expected->setFontTransparent(false);
  expected->setForeColor(Ink);
  using At = std::tuple<const char*, double, double>;
  for (auto [text, x, y] : {At{"A", 30, 20}, At{"B", 30, 35}, At{"C", 49.5, 20}})
    for (const QString& cell : {QStringLiteral("     "), QStringLiteral(" ") + QLatin1String(text)}) {
      expected->currentX = x;
      expected->currentY = y;
      expected->Print(cell);
    }
  EXPECT_TRUE(sameImage(expected->shown(), shown()));
}

// Every value of the outline scroll bar, 0 to 11, takes its own palette button, Label1 to Label12.
TEST_F(TextLooksTest, OutlineTakesThePaletteButtonOfEachScrollValue) {
  Form1& f = prepare(QStringLiteral("Hi"), 20, 100, 100);
  f.Check15->setValue(1);
  for (int k = 1; k <= 12; ++k) f.palette[k]->setBackColor(rgb(0, 10 * k, 255 - k));
  for (int v = 0; v <= 11; ++v) {
    f.HScroll4->setValueChecked(v);
    arm();
    f.Check15_Click();
    EXPECT_EQ(f.Text8->backColor(), rgb(0, 10 * (v + 1), 254 - v)) << v;
    EXPECT_GT(countColour(shown(), rgb(0, 10 * (v + 1), 254 - v)), 0) << v;
  }
}

// The graded shadow's base colour by the scroll bar, seen in the farthest of nine copies, which
// adds 37 x 64000 (blue 36, green 34) with every channel stopping at 255.
TEST_F(TextLooksTest, GradedShadowTakesTheBaseColourOfEachScrollValue) {
  Form1& f = prepare(QStringLiteral("Hi"), 60, 120, 80);
  f.Option5->setValue(true);
  f.shadowdepth = 9;
  f.Check17->setValue(1);
  f.Text13_MouseDown(1, 0, 0, 0);
  const long farthest[] = {0, rgb(255, 34, 36), rgb(0, 255, 36), rgb(10, 34, 223), rgb(234, 255, 250),
                           rgb(255, 255, 164)};
  for (int v : {5, 4, 3, 2, 1}) {
    f.HScroll5->setValueChecked(v);
    arm();
    f.Check17_Click();
    EXPECT_GT(countColour(shown(), farthest[v]), 0) << v;
  }
}
