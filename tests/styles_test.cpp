#include <gtest/gtest.h>

#include "tests/text_fixture.h"

using colour::rgb;

class StylesTest : public TextFixture {
 protected:
  // The style button pressed `times` times from " Normal".
  void chooseStyle(int times) {
    for (int k = 0; k < times; ++k) emit form->Label34->clicked();
  }

  // What Stripes makes of a plainly drawn picture: pixels of exactly the ink take the raised ink
  // on rows 0-4 of every 9 and the raised back colour on rows 5-8; all others keep theirs.
  static QImage striped(const QImage& plain, long ink, long back) {
    QImage out = plain.copy();
    for (int y = 0; y < out.height(); ++y)
      for (int x = 0; x < out.width(); ++x)
        if (pixelAt(plain, x, y) == ink) out.setPixel(x, y, colour::toQRgb(raised(y % 9 < 5 ? ink : back)));
    return out;
  }
};

// The button cycles the styles in Text mode only; Try outside Text mode keeps the insert source.
TEST_F(StylesTest, TheButtonCyclesTheStylesInTextModeOnly) {
  Form1& f = prepare(QStringLiteral("Hi"));
  for (const auto& step : {std::tuple(QString(" Stripes"), 0xFFFF00L), std::tuple(QString("  Grad"), 0xFFL),
                           std::tuple(QString(" Normal"), seen::Idle)}) {
    chooseStyle(1);
    EXPECT_EQ(std::tuple(f.Label34->caption(), f.Label34->backColor()), step);
  }
  chooseStyle(1);
  f.Option7_Click();
  const QString caption = f.Label34->caption();
  chooseStyle(1);  // the button only gives the focus
  EXPECT_EQ(f.Label34->caption(), caption);
  const QImage insert = solidImage(320, 256, rgb(9, 9, 9));
  f.Image6->setPicture(insert);
  f.Label36_Click();
  EXPECT_TRUE(sameImage(insert, f.Image6->picture()));
  EXPECT_EQ(f.styleapplied, 0);
}

TEST_F(StylesTest, StripesFillOnlyTheLettersAndFollowTheTextAndSetCommitsThem) {
  Form1& f = prepare(QStringLiteral("Hi\r\nMM"), 40);
  // A pixel one step off the ink, away from the text, is no letter.
  QImage base = solidImage(320, 256, White);
  base.setPixel(300, 200, colour::toQRgb(rgb(1, 0, 200)));
  f.Picture1->setPicture(base);
  withShadowAndOutline();
  const QImage plain = placePlain();
  ASSERT_GT(countColour(plain, Ink), 200);

  const QImage oopsBefore = f.Image13->picture();
  chooseStyle(1);
  const QImage preview = f.Picture1->picture();
  EXPECT_TRUE(sameImage(striped(plain, Ink, Paper), preview));
  EXPECT_TRUE(sameImage(base, f.Image6->picture()));  // the clean base
  EXPECT_TRUE(sameImage(oopsBefore, f.Image13->picture()));  // a preview is unset work: OOPS keeps its pair
  // Save Color puts another colour into element 7 alone; the letters are still the ink's pixels.
  f.textsettings[7] = QString::number(rgb(255, 0, 0));
  f.redrawPendingText();
  EXPECT_TRUE(sameImage(preview, f.Picture1->picture()));
  // A second preview elsewhere leaves no trace of the first.
  f.startx += 80;
  f.starty += 60;
  f.redrawPendingText();
  const QImage moved = f.Picture1->picture();
  EXPECT_TRUE(sameImage(oopsBefore, f.Image13->picture()));
  f.Command12_Click();  // back to the clean base
  f.Label26->setBackColor(colour::state::Armed);
  f.Label36_Click();
  EXPECT_TRUE(sameImage(f.Picture1->picture(), moved));

  f.Label26_Click();
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  // SET raises the ink by 1 before it draws, the stripes by 1 more.
  EXPECT_GT(countColour(f.Picture1->picture(), raised(raised(Ink))), 0);
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  const QImage committed = f.Picture1->picture();
  f.Command12_Click();
  EXPECT_TRUE(sameImage(committed, f.Picture1->picture()));
}

TEST_F(StylesTest, GradBandsTheLinesInBandsOfFourAndRefusesRotatedText) {
  Form1& f = prepare(QStringLiteral("HH"), 40);
  placePlain();
  chooseStyle(2);
  const QImage preview = f.Picture1->picture();
  EXPECT_GT(countColour(preview, raised(Ink)), 0);  // the base bands in the letters
  EXPECT_EQ(countColour(preview, Ink), 0);

  f.textangle = 300;
  f.Label36_Click();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].prompt,
            QStringLiteral("Does not work correctly with rotated texts. Will exit without change."));
  EXPECT_TRUE(sameImage(preview, f.Picture1->picture()));

  // The bands: four rows each, holding the base, then swinging about the back colour.
  f.Picture1->setBackColor(rgb(255, 0, 100));
  int r = 10, g = 200, b = 100;
  f.Picture3->setAutoRedraw(true);
  f.gradlines(f.Picture3, r, g, b, true);
  const QImage bands = f.Picture3->image();
  for (auto [band, colour] : {std::pair(1, rgb(10, 200, 100)), std::pair(21, rgb(10, 200, 100)),
                               std::pair(22, rgb(17, 193, 107)), std::pair(23, rgb(24, 186, 114)),
                               std::pair(24, rgb(31, 179, 107)), std::pair(50, rgb(213, 11, 107)),
                               std::pair(63, rgb(255, 4, 114))})
    for (int row = (band - 1) * 4; row < band * 4; ++row) EXPECT_EQ(pixelAt(bands, 160, row), colour) << row;
  EXPECT_EQ(pixelAt(bands, 319, 252), rgb(255, 4, 114));  // the last box includes its last row
}

// BkGnd and Grad each force horizontal text; the operator's angle comes back when the last of
// them ends, in whichever order they start and end.
TEST_F(StylesTest, BkGndAndGradBringTheAngleBackInEitherOrder) {
  Form1& f = prepare(QStringLiteral("Hi"));
  const auto grad = [this](bool on) { chooseStyle(on ? 2 : 1); };
  const auto bkgnd = [&f](bool on) { f.Check16->setValue(on ? 1 : 0); };
  for (bool gradFirst : {true, false})
    for (bool gradEndsFirst : {true, false}) {
      SCOPED_TRACE(testing::Message() << "grad in first " << gradFirst << ", out first " << gradEndsFirst);
      f.textangle = 300;
      gradFirst ? (grad(true), bkgnd(true)) : (bkgnd(true), grad(true));
      EXPECT_EQ(f.textangle, 0);
      gradEndsFirst ? grad(false) : bkgnd(false);
      EXPECT_EQ(f.textangle, 0);  // the other one still holds the text horizontal
      gradEndsFirst ? bkgnd(false) : grad(false);
      EXPECT_EQ(f.textangle, 300);
    }
}
