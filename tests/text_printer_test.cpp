#include <gtest/gtest.h>

#include <tuple>

#include "tests/text_fixture.h"

namespace {

// How many rows of `img` hold `colour` within the rows [top, bottom].
int inkRows(const QImage& img, long colour, int top, int bottom) {
  int rows = 0;
  for (int y = top; y <= bottom; ++y)
    if (countColour(img, colour, QRect(0, y, img.width(), 1)) > 0) ++rows;
  return rows;
}

QString numberedLines(int count) {
  QStringList lines;
  for (int k = 1; k <= count; ++k) lines << QStringLiteral("L%1").arg(k);
  return lines.join(QStringLiteral("\r\n"));
}

}  // namespace

// Horizontal printing: where the lines land and how they look.
class TextPrinterHorizontal : public TextFixture {};

TEST_F(TextPrinterHorizontal, LinesLandAtTheAnchorOnePointNineSizesApartAndNowhereElse) {
  Form1& f = prepare(QStringLiteral("Hello\r\nWorld\r\nMarvane"), 10, 40, 30);
  arm();
  f.printtext();

  // Size 10 asks for a 12-pixel font; the lines stand 19 pixels apart, each after a blank.
  auto expected = expectedCanvas();
  printAt(*expected, QStringLiteral(" Hello"), lineFont(10), 40, 30, Ink);
  printAt(*expected, QStringLiteral(" World"), lineFont(10), 40, 49, Ink);
  printAt(*expected, QStringLiteral(" Marvane"), lineFont(10), 40, 68, Ink);
  EXPECT_TRUE(sameImage(expected->shown(), shown()));
  EXPECT_GT(countColour(shown(), Ink, QRect(40, 30, 80, 55)), 0);
  EXPECT_DOUBLE_EQ(f.lineheight, 19.0);
  EXPECT_DOUBLE_EQ(f.lineys[1], 30.0);
  EXPECT_DOUBLE_EQ(f.lineys[2], 49.0);
  EXPECT_DOUBLE_EQ(f.lineys[3], 68.0);
  EXPECT_EQ(f.startx, 40.0);
  EXPECT_EQ(f.starty, 30.0);
}

TEST_F(TextPrinterHorizontal, TwelvePointsAskForAFourteenPixelFont) {
  Form1& f = prepare(QStringLiteral("Abc"), 12, 10, 10);
  arm();
  f.printtext();
  auto expected = expectedCanvas();
  TextFont font = lineFont(12);
  ASSERT_EQ(font.pixelHeight, 14);
  printAt(*expected, QStringLiteral(" Abc"), font, 10, 10, Ink);
  EXPECT_TRUE(sameImage(expected->shown(), shown()));
}

TEST_F(TextPrinterHorizontal, TwentyFiveTypedLinesPrintExactlyTwenty) {
  Form1& f = prepare(numberedLines(25), 6, 5, 5);
  arm();
  f.printtext();
  EXPECT_EQ(f.textlines[1], QStringLiteral("L1"));
  EXPECT_EQ(f.textlines[20], QStringLiteral("L20"));
  // Lines step 11.4 pixels: line 20 starts at 221.6, a 21st would start at 233.
  EXPECT_DOUBLE_EQ(f.lineys[20], 5 + 19 * 11.4);
  EXPECT_GT(inkRows(shown(), Ink, 222, 232), 0);
  EXPECT_EQ(inkRows(shown(), Ink, 233, 255), 0);
}

TEST_F(TextPrinterHorizontal, TurnedLinesStepSidewaysByTheAngle) {
  Form1& f = prepare(QStringLiteral("a\r\nb"), 20, 50, 50);
  f.textangle = 900;
  arm();
  f.printtext();
  EXPECT_DOUBLE_EQ(f.lineheight, 38.0);
  EXPECT_NEAR(f.lineys[2] - f.lineys[1], 38.0 - 900 * 20 / 470.0, 1e-9);  // 0.298 up
  f.textangle = -300;
  f.Picture1->font.size = 10;
  f.printtext();
  EXPECT_NEAR(f.lineys[2] - f.lineys[1], 19.0 - 300 * 10 / 470.0, 1e-9);  // 12.617 down
  EXPECT_EQ(f.startx, 50.0);
}

TEST_F(TextPrinterHorizontal, ALineCutAtItsLengthLimitLosesNoCharacter) {
  const QString longLine(1501, QLatin1Char('x'));
  Form1& f = prepare(longLine + QStringLiteral("ABC\r\nnext"), 8, 0, 0);
  arm();
  f.printtext();
  EXPECT_EQ(f.textlines[1], longLine);
  EXPECT_EQ(f.textlines[2], QStringLiteral("ABC"));
  EXPECT_EQ(f.textlines[3], QStringLiteral("next"));

  // A line exactly at the limit followed by CR LF is one line, not a line and an empty one.
  f.texttoplace = longLine + QStringLiteral("\r\nZ");
  f.printtext();
  EXPECT_EQ(f.textlines[1], longLine);
  EXPECT_EQ(f.textlines[2], QStringLiteral("Z"));
  EXPECT_TRUE(f.textlines[3].isEmpty());
}

TEST_F(TextPrinterHorizontal, ASelectionIsPrintedAndBecomesTheTextToPlace) {
  Form1& f = prepare(QStringLiteral("whole text"), 10, 20, 20);
  f.markedtext = QStringLiteral("part");
  arm();
  f.printtext();
  EXPECT_EQ(f.texttoplace, QStringLiteral("part"));
  auto expected = expectedCanvas();
  printAt(*expected, QStringLiteral(" part"), lineFont(10), 20, 20, Ink);
  EXPECT_TRUE(sameImage(expected->shown(), shown()));
}

// When the printer must not print.
class TextPrinterGuards : public TextFixture {};

TEST_F(TextPrinterGuards, NothingHappensWhileSetIsIdle) {
  Form1& f = prepare(QStringLiteral("Hello"), 12, 40, 40);
  f.textlines[1] = QStringLiteral("kept");
  f.printtext();
  EXPECT_EQ(countColour(shown(), Ink), 0);
  EXPECT_EQ(f.textlines[1], QStringLiteral("kept"));

  // The QSL band and the date stamp print with SET idle.
  f.operationmarker = marker::QslPrint;
  f.printtext();
  EXPECT_GT(countColour(shown(), Ink), 0);
}

TEST_F(TextPrinterGuards, WildcardSearchStopsPrinting) {
  Form1& f = prepare(QStringLiteral("Hello"), 12, 40, 40);
  f.Label48->setBackColor(colour::state::Armed);
  arm();
  f.printtext();
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

TEST_F(TextPrinterGuards, OutsideTextModeItThrowsThePendingWorkAway) {
  Form1& f = prepare(QStringLiteral("Hello"), 12, 40, 40);
  f.Option8->setValue(true);  // Draw mode
  f.Text1->setText(QStringLiteral("typed"));
  f.texttoplace = QStringLiteral("other");
  f.Picture1->PSet(5, 5, Ink);  // some unset drawing
  f.Label26->setBackColor(colour::state::Armed);
  f.printtext();
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_EQ(f.texttoplace, QStringLiteral("typed"));
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

// Vertical text and the spacing scroll.
class TextPrinterVertical : public TextFixture {};

TEST_F(TextPrinterVertical, CharactersStepDownByTheSpacingAndColumnsByTwiceIt) {
  Form1& f = prepare(QString(), 10, 30, 20);
  f.Text1->setText(QStringLiteral("AB\r\nC"));
  f.VScroll3->setValueChecked(5);  // spacing 1.5
  f.Label26->setBackColor(colour::state::SetIdle);
  f.Label31_Click();

  EXPECT_EQ(f.Label31->caption(), QStringLiteral("Vert"));
  EXPECT_EQ(f.Label26->backColor(), colour::state::Armed);
  EXPECT_DOUBLE_EQ(f.lineheight, 15.0);
  EXPECT_DOUBLE_EQ(f.lineys[1], 20.0);
  EXPECT_DOUBLE_EQ(f.lineys[2], 35.0);
  // Vertical text is printed in the picture's own font, a character at a time.
  auto expected = expectedCanvas();
  expected->font = f.Picture1->font;
  for (auto [text, x, y] : {std::tuple{"A", 30, 20}, std::tuple{"B", 30, 35}, std::tuple{"C", 60, 20}}) {
    expected->setForeColor(Ink);
    expected->currentX = x;
    expected->currentY = y;
    expected->Print(QString::fromLatin1(text));
  }
  EXPECT_TRUE(sameImage(expected->shown(), shown()));

  f.Label31_Click();
  EXPECT_EQ(f.Label31->caption(), QStringLiteral("Horiz"));
  EXPECT_EQ(f.Label31->backColor(), colour::state::Idle);
}

TEST_F(TextPrinterVertical, HorizVertWhilePatFilIsArmedOnlyEndsPatFil) {
  Form1& f = prepare(QStringLiteral("AB"), 10, 30, 20);
  f.Label32->setBackColor(colour::state::Armed);
  f.Label31_Click();
  EXPECT_EQ(f.Label32->backColor(), colour::state::Idle);
  EXPECT_EQ(f.Label31->caption(), QStringLiteral("Horiz"));
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

TEST_F(TextPrinterVertical, AColumnRecordsTheFirstTwentyCharactersOnly) {
  Form1& f = prepare(QString(25, QLatin1Char('i')), 6, 5, 0);
  f.Label31->setBackColor(colour::state::Armed);
  f.lineheight = 10;
  arm();
  f.printtext();
  EXPECT_DOUBLE_EQ(f.lineys[20], 190.0);
  EXPECT_EQ(f.starty, 0.0);
}

// BkGnd: the text on its back colour.
class TextPrinterBackground : public TextFixture {};

TEST_F(TextPrinterBackground, BkGndFillsTheBackColourBoxAndKeepsTextHorizontal) {
  Form1& f = prepare(QStringLiteral("Hi"), 12, 60, 80);
  f.Picture1->setBackColor(Paper);
  f.textangle = 450;
  arm();
  f.Check16->setValue(1);

  EXPECT_EQ(f.textangle, 0);
  EXPECT_FALSE(f.Picture1->fontTransparent());
  // The cell of " Hi " is back colour with the ink on it, level with the anchor.
  const QImage img = shown();
  const QRect cell(60, 80, 40, 14);
  EXPECT_GT(countColour(img, Paper, cell), 0);
  EXPECT_GT(countColour(img, Ink, cell), 0);
  EXPECT_EQ(countColour(img, Paper), countColour(img, Paper, QRect(60, 80, 60, 20)));
  EXPECT_EQ(pixelAt(img, 61, 81), Paper);

  f.Check16->setValue(0);
  EXPECT_EQ(f.textangle, 450);
  EXPECT_TRUE(f.Picture1->fontTransparent());
  EXPECT_EQ(countColour(shown(), Paper), 0);
  EXPECT_GT(countColour(shown(), Ink), 0);
}

TEST_F(TextPrinterBackground, BkGndOnWithNothingPendingPrintsNothing) {
  Form1& f = prepare(QStringLiteral("Hi"), 12, 60, 80);
  f.Picture1->setBackColor(Paper);
  f.worktext = QStringLiteral(" already set");
  f.Check16->setValue(1);
  EXPECT_TRUE(sameImage(solidImage(320, 256, White), shown()));
}

TEST_F(TextPrinterBackground, VerticalTextOnBackgroundStepsByOneAndAHalf) {
  Form1& f = prepare(QStringLiteral("AB\r\nC"), 10, 30, 20);
  f.Picture1->setBackColor(Paper);
  f.Label31->setBackColor(colour::state::Armed);
  f.Check16->setValue(1);
  arm();
  f.printtext();
  EXPECT_DOUBLE_EQ(f.lineheight, 15.0);
  EXPECT_DOUBLE_EQ(f.lineys[2], 35.0);
  // The second column starts 1.3 x 15 = 19.5 to the right: back colour reaches there.
  EXPECT_GT(countColour(shown(), Paper, QRect(50, 20, 10, 12)), 0);
}

// Text reaching past the picture's edges: what is printed is exactly the part a bigger picture
// shows there, however much of the text is passed over for lying outside.
class TextPrinterEdges : public TextFixture {};

TEST_F(TextPrinterEdges, APictureShowsItsPartOfTextReachingPastItsEdges) {
  enum Layout { Lines, Turned, Columns, ColumnsOnBackColour };
  QStringList lines;
  for (char c : {'A', 'B', 'C'}) lines << QString(60, QLatin1Char(c)) + QStringLiteral("xyz");
  constexpr int margin = 400;  // even, so that halves round to even alike
  for (const auto& [layout, anchor] :
       {std::pair{Lines, QPointF(-30.25, -20.5)}, std::pair{Lines, QPointF(200.5, 230)}, std::pair{Turned, QPointF(-100, 100)},
        std::pair{Columns, QPointF(-10.5, -100.25)}, std::pair{Columns, QPointF(300, 150)},
        std::pair{ColumnsOnBackColour, QPointF(-20, -300.5)}}) {
    SCOPED_TRACE(testing::Message() << "layout " << layout << " at " << anchor.x() << "," << anchor.y());
    Form1& f = prepare(lines.join(QStringLiteral("\r\n")), 10, 0, 0);
    f.Picture1->setBackColor(Paper);
    f.textangle = layout == Turned ? 470 : 0;  // lines step 10 sideways and 9 down
    if (layout >= Columns) f.Label31->setBackColor(colour::state::Armed);
    f.lineheight = 16;
    f.Check16->setValue(layout == ColumnsOnBackColour);
    const auto printAt = [&](QPointF at) {
      f.startx = at.x();
      f.starty = at.y();
      arm();
      f.printtext();
      return shown();
    };
    const QImage small = printAt(anchor);
    EXPECT_GT(countColour(small, Ink), 0);
    f.Picture1->setScaleSize(320 + 2 * margin, 256 + 2 * margin);
    f.Picture1->setPicture(solidImage(320 + 2 * margin, 256 + 2 * margin, White));
    EXPECT_TRUE(sameImage(printAt(anchor + QPointF(margin, margin)).copy(margin, margin, 320, 256), small));
  }
}
