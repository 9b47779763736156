#include <gtest/gtest.h>

#include <tuple>

#include "tests/text_fixture.h"

static std::vector<double> lineYs(const Form1& f, int count) { return {f.lineys.begin() + 1, f.lineys.begin() + 1 + count}; }

using TextPrinterTest = TextFixture;

// A point asks for 1.2 pixels of font, rounded (12 points: 14). Each line follows after a blank,
// 1.9 sizes further down less the angle's share of the size (angle x size / 470), which moves it
// sideways. A selection is printed alone and becomes the text to place; lines past 20 are not
// printed.
TEST_F(TextPrinterTest, LinesLandAtTheAnchorOnePointNineSizesApartAndNowhereElse) {
  QStringList numbered;
  for (int k = 1; k <= 25; ++k) numbered << QStringLiteral("L%1").arg(k);
  const struct { QString text, marked; double size, x, y; int angle; } cases[] = {
      {"Hello\r\nWorld\r\nMarvane", "", 10, 40, 30, 0}, {"Abc", "", 12, 10, 10, 0}, {"whole text", "part", 10, 20, 20, 0},
      {"a\r\nb", "", 20, 50, 50, 900}, {"a\r\nb", "", 10, 50, 50, -300}, {numbered.join("\r\n"), "", 6, 5, 5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.text.left(20).toStdString() << " angle " << c.angle);
    Form1& f = prepare(c.text, c.size, c.x, c.y);
    f.markedtext = c.marked;
    f.textangle = c.angle;
    arm();
    f.printtext();
    const QString printed = c.marked.isEmpty() ? c.text : c.marked;
    auto expected = expectedCanvas();
    std::vector<double> ys;
    double x = c.x, y = c.y;
    const double d = c.angle * c.size / 470;
    for (const QString& line : printed.split(QStringLiteral("\r\n")).mid(0, 20)) {
      ys.push_back(y);
      printAt(*expected, QLatin1Char(' ') + line, lineFont(c.size), x, y, Ink, c.angle);
      x += d;
      y += c.size * 1.9 - std::fabs(d);
    }
    EXPECT_TRUE(sameImage(expected->shown(), shown()));
    EXPECT_GT(countColour(shown(), Ink), 0);
    EXPECT_EQ(lineYs(f, int(ys.size())), ys);
    EXPECT_EQ(std::tuple(f.texttoplace, f.startx, f.starty), std::tuple(printed, c.x, c.y));
  }
}

// The printer asks for weight 2400 with Bold, and italic and underline from their own boxes.
TEST_F(TextPrinterTest, BoldItalicAndUnderlineBoxesStyleThePrintedLine) {
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
    auto plain = expectedCanvas();
    printAt(*plain, QStringLiteral(" Hill"), lineFont(20), 40, 40, Ink);
    TextFont font = lineFont(20);
    font.weight = c.bold ? 2400 : 400;
    font.italic = c.italic;
    font.underline = c.underline;
    auto expected = expectedCanvas();
    printAt(*expected, QStringLiteral(" Hill"), font, 40, 40, Ink);
    EXPECT_TRUE(sameImage(expected->shown(), shown()));
    EXPECT_FALSE(sameImage(plain->shown(), shown()));
  }
}

TEST_F(TextPrinterTest, ALineCutAtItsLengthLimitLosesNoCharacter) {
  const QString longLine(1501, QLatin1Char('x'));
  Form1& f = prepare(longLine + QStringLiteral("ABC\r\nnext"), 8, 0, 0);
  arm();
  f.printtext();
  EXPECT_EQ(QStringList({f.textlines[1], f.textlines[2], f.textlines[3]}), QStringList({longLine, "ABC", "next"}));
  // A line exactly at the limit followed by CR LF is one line, not a line and an empty one.
  f.texttoplace = longLine + QStringLiteral("\r\nZ");
  f.printtext();
  EXPECT_EQ(QStringList({f.textlines[1], f.textlines[2], f.textlines[3]}), QStringList({longLine, "Z", ""}));
  // The limit counts the characters the operator sees: an emoji at the cut stays whole.
  const QString emojiLast = longLine.left(1500) + QStringLiteral("\U0001F600");
  f.texttoplace = emojiLast + QStringLiteral("ABC");
  f.printtext();
  EXPECT_EQ(QStringList({f.textlines[1], f.textlines[2]}), QStringList({emojiLast, "ABC"}));
}

// When the printer must not print: SET idle (except for the QSL band and the date stamp), a
// wildcard search running, or a mode other than Text, where it throws the pending work away.
TEST_F(TextPrinterTest, PrintsOnlyWhenArmedInTextModeAndOutsideItThrowsThePendingWorkAway) {
  Form1& f = prepare(QStringLiteral("Hello"), 12, 40, 40);
  f.textlines[1] = QStringLiteral("kept");
  f.printtext();
  EXPECT_EQ(std::tuple(countColour(shown(), Ink), f.textlines[1]), std::tuple(0, QString("kept")));
  f.operationmarker = marker::QslPrint;
  f.printtext();
  EXPECT_GT(countColour(shown(), Ink), 0);

  f.operationmarker = 0;
  f.Label48->setBackColor(colour::state::Armed);
  arm();
  f.printtext();
  EXPECT_EQ(countColour(shown(), Ink), 0);

  f.Label48->setBackColor(colour::state::Idle);
  f.Option8->setValue(true);  // Draw mode
  f.Text1->setText(QStringLiteral("typed"));
  f.texttoplace = QStringLiteral("other");
  f.Picture1->PSet(5, 5, Ink);  // some unset drawing
  f.Label26->setBackColor(colour::state::Armed);
  f.printtext();
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.texttoplace), std::tuple(colour::state::SetIdle, QString("typed")));
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

// Vertical text is printed in the picture's own font a character at a time: characters step down
// by the spacing (here 1.5 sizes), columns by twice it. On its back colour a blank cell goes under
// each character and columns step 1.3 times the spacing.
TEST_F(TextPrinterTest, CharactersStepDownByTheSpacingAndColumnsByTwiceItOrOnePointThreeOnBackColour) {
  for (bool bkgnd : {false, true}) {
    SCOPED_TRACE(bkgnd ? "on back colour" : "plain");
    Form1& f = prepare(QString(), 10, 30, 20);
    f.Text1->setText(QStringLiteral("AB\r\nC"));
    f.VScroll3->setValueChecked(5);
    f.Check16->setValue(bkgnd);
    f.Label31_Click();
    EXPECT_EQ(std::tuple(f.Label31->caption(), f.Label26->backColor()), std::tuple(QString("Vert"), colour::state::Armed));
    EXPECT_EQ(lineYs(f, 2), (std::vector<double>{20, 35}));
    auto expected = expectedCanvas();
    expected->font = f.Picture1->font;
    expected->setForeColor(Ink);
    expected->setBackColor(Paper);
    expected->setFontTransparent(!bkgnd);
    for (auto [text, x, y] : {std::tuple{"A", 30.0, 20}, std::tuple{"B", 30.0, 35}, std::tuple{"C", bkgnd ? 49.5 : 60, 20}})
      for (const QString& cell : bkgnd ? QStringList{"     ", QLatin1Char(' ') + QLatin1String(text)} : QStringList{text}) {
        expected->currentX = x;
        expected->currentY = y;
        expected->Print(cell);
      }
    EXPECT_TRUE(sameImage(expected->shown(), shown()));
  }
  Form1& f = *form;
  f.Label31_Click();
  EXPECT_EQ(std::tuple(f.Label31->caption(), f.Label31->backColor()), std::tuple(QString("Horiz"), colour::state::Idle));

  // While PatFil is armed the button only ends PatFil.
  f.Label32->setBackColor(colour::state::Armed);
  arm();
  f.Label31_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.Label31->caption()), std::tuple(colour::state::Idle, QString("Horiz")));
  EXPECT_EQ(countColour(shown(), Ink), 0);
}

TEST_F(TextPrinterTest, AColumnRecordsTheFirstTwentyCharactersOnly) {
  Form1& f = prepare(QString(25, QLatin1Char('i')), 6, 5, 0);
  f.Label31->setBackColor(colour::state::Armed);
  f.lineheight = 10;
  arm();
  f.printtext();
  EXPECT_EQ(std::tuple(f.lineys[20], f.starty), std::tuple(190.0, 0.0));
}

// A column steps by the characters the operator sees: an emoji of two UTF-16 units, one with a
// skin tone, a family joined into one, a letter with one or two combining marks each fill one
// cell exactly as they print alone there, and the longest column counts them so.
TEST_F(TextPrinterTest, AColumnStepsByTheCharactersTheOperatorSees) {
  const std::vector<QStringList> cases[] = {
      {{"A", "\U0001F600", "B"}},
      {{"e\u0301", "x\u0308\u0323", "n"}, {"\U0001F44D\U0001F3FD", "\U0001F468\u200D\U0001F469\u200D\U0001F467"}},
  };
  for (const std::vector<QStringList>& columns : cases) {
    QStringList lines;
    for (const QStringList& cells : columns) lines << cells.join(QString());
    SCOPED_TRACE(lines.join(QLatin1Char('|')).toStdString());
    Form1& f = prepare(lines.join(QStringLiteral("\r\n")), 10, 30, 20);
    f.Label31->setBackColor(colour::state::Armed);
    f.lineheight = 16;
    arm();
    f.printtext();
    auto expected = expectedCanvas();
    expected->font = f.Picture1->font;
    expected->setForeColor(Ink);
    std::vector<double> ys;
    for (size_t column = 0; column < columns.size(); ++column)
      for (qsizetype k = 0; k < columns[column].size(); ++k) {
        if (ys.size() <= size_t(k)) ys.push_back(20 + 16.0 * double(k));
        expected->currentX = 30 + 32.0 * double(column);
        expected->currentY = ys[k];
        expected->Print(columns[column][k]);
      }
    EXPECT_TRUE(sameImage(expected->shown(), shown()));
    ys.push_back(0);  // nothing past the longest column
    EXPECT_EQ(lineYs(f, int(ys.size())), ys);
  }
}

TEST_F(TextPrinterTest, BkGndFillsTheBackColourBoxAndKeepsTextHorizontal) {
  Form1& f = prepare(QStringLiteral("Hi"), 12, 60, 80);
  f.textangle = 450;
  arm();
  f.Check16->setValue(1);
  EXPECT_EQ(std::tuple(f.textangle, f.Picture1->fontTransparent()), std::tuple(0, false));
  // The cell of " Hi " is back colour with the ink on it, level with the anchor.
  const QImage img = shown();
  const QRect cell(60, 80, 40, 14);
  EXPECT_GT(countColour(img, Paper, cell), 0);
  EXPECT_GT(countColour(img, Ink, cell), 0);
  EXPECT_EQ(countColour(img, Paper), countColour(img, Paper, QRect(60, 80, 60, 20)));
  EXPECT_EQ(pixelAt(img, 61, 81), Paper);

  f.Check16->setValue(0);
  EXPECT_EQ(std::tuple(f.textangle, f.Picture1->fontTransparent()), std::tuple(450, true));
  EXPECT_EQ(countColour(shown(), Paper), 0);
  EXPECT_GT(countColour(shown(), Ink), 0);

  // With nothing pending the last line is not printed again.
  f.Label26->setBackColor(colour::state::SetIdle);
  f.Check16->setValue(1);
  EXPECT_TRUE(sameImage(solidImage(320, 256, White), shown()));
}

// Text reaching past the picture's edges: what is printed is exactly the part a bigger picture
// shows there, however much of the text is passed over for lying outside.
TEST_F(TextPrinterTest, APictureShowsItsPartOfTextReachingPastItsEdges) {
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
    f.textangle = layout == Turned ? 470 : 0;  // lines step 10 sideways and 9 down
    if (layout >= Columns) f.Label31->setBackColor(colour::state::Armed);
    f.lineheight = 16;
    f.Check16->setValue(layout == ColumnsOnBackColour);
    const auto printFrom = [&](QPointF at) {
      f.startx = at.x();
      f.starty = at.y();
      arm();
      f.printtext();
      return shown();
    };
    const QImage small = printFrom(anchor);
    EXPECT_GT(countColour(small, Ink), 0);
    f.Picture1->setScaleSize(320 + 2 * margin, 256 + 2 * margin);
    f.Picture1->setPicture(solidImage(320 + 2 * margin, 256 + 2 * margin, White));
    EXPECT_TRUE(sameImage(printFrom(anchor + QPointF(margin, margin)).copy(margin, margin, 320, 256), small));
  }
}
