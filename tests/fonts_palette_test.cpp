#include <gtest/gtest.h>

#include "platform/textfont.h"
#include "tests/styled_text_fixture.h"

using colour::rgb;
using colour::state::Armed;

namespace {

constexpr int Left = 1;
constexpr int Right = 2;
constexpr int Ctrl = 2;

QFont face(const char* family, bool styled) {
  QFont f(QString::fromLatin1(family), 40);
  f.setBold(styled);
  f.setItalic(styled);
  f.setUnderline(styled);
  f.setStrikeOut(styled);
  return f;
}

}  // namespace

class FontsPaletteTest : public StyledTextFixture {
 protected:
  Form1& prepareFonts() {
    Form1& f = prepare(QStringLiteral("Hi"));
    f.Text1->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
    f.textsettings[9] = QStringLiteral("26");
    return f;
  }

  // A pending item outside Text mode: a box on the erasable layer of Pic in Pic, SET red.
  QImage pendingInsert() {
    form->Option7_Click();
    form->Picture1->BoxFilled(10, 10, 60, 60, rgb(0, 128, 0));
    form->Label26->setBackColor(Armed);
    return form->Picture1->shown();
  }

  struct Drag {
    QWidget* source;
    int marker;
    long picked;
    QString textColour;
  };
  std::vector<Drag> drags;
  void recordDrags() {
    form->beginDrag = [this](QWidget* source) {
      drags.push_back({source, form->operationmarker, form->pickedcolour, form->textsettings[7]});
    };
  }
};

TEST_F(FontsPaletteTest, ChangeFontSetsFaceAndStylesOnBothFontsButNotTheSize) {
  Form1& f = prepareFonts();
  // Cancel first, while the two fonts still differ: it must not copy the text box's font over.
  const struct {
    const char* name;
    std::optional<QFont> answer;
    const char* textFamily;
    const char* pictureFamily;
    bool styled;
  } cases[] = {{"Cancel", std::nullopt, "Liberation Sans", "Arial", false},
               {"OK", face("Liberation Serif", true), "Liberation Serif", "Liberation Serif", true},
               {"OK plain", face("Liberation Mono", false), "Liberation Mono", "Liberation Mono", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs->font.calls.clear();
    dialogs->font.answers = {c.answer};
    f.changefont->trigger();
    ASSERT_EQ(dialogs->font.calls.size(), 1u);
    EXPECT_DOUBLE_EQ(dialogs->font.calls[0].pointSizeF(), 26);  // the pending text's size
    EXPECT_EQ(f.Text1->font().family(), QString::fromLatin1(c.textFamily));
    EXPECT_EQ(f.Text1->font().pointSize(), 12);
    EXPECT_EQ(f.Text1->font().strikeOut(), c.styled);
    const TextFont& picture = f.Picture1->font;
    EXPECT_EQ(picture.name, QString::fromLatin1(c.pictureFamily));
    EXPECT_EQ(picture.size, 30);
    EXPECT_EQ(picture.bold() && picture.italic && picture.underline, c.styled);
  }
  f.textsettings[9] = QStringLiteral("big");  // no number: the dialog keeps its own size
  f.changefont_Click();
  EXPECT_EQ(dialogs->font.calls.back().pointSize(), 12);
}

TEST_F(FontsPaletteTest, SavedFontLeftPressAppliesTheTwoFacesOnly) {
  Form1& f = prepareFonts();
  const QString text[] = {"Liberation Serif", "50", "True"}, picture[] = {"Liberation Mono", "70", "True"};
  std::copy(std::begin(text), std::end(text), &f.savedfonts[1]);
  std::copy(std::begin(picture), std::end(picture), &f.savedpicturefonts[1]);
  const QImage before = placePlain();

  emit f.Command21->mouseDown(Left, 0, 0, 0);
  EXPECT_EQ(f.Text1->font().family(), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));
  EXPECT_EQ(f.Picture1->font.size, 30);
  EXPECT_FALSE(f.Picture1->font.bold());
  EXPECT_FALSE(sameImage(before, f.Picture1->shown()));  // redrawn in the new face
  EXPECT_TRUE(f.Command21->font().underline());

  f.Command25_MouseDown(Left, 0, 0, 0);  // never saved: the fonts stay
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));
  EXPECT_FALSE(f.Command21->font().underline());
  EXPECT_TRUE(f.Command25->font().underline());
}

TEST_F(FontsPaletteTest, SavedFontRightPressSavesBothSidesOnOkAndOnlyAppliesOnCancel) {
  Form1& f = prepareFonts();
  placePlain();
  dialogs->font.answers = {face("Liberation Serif", true)};
  f.savefontandcolor->trigger();
  EXPECT_FALSE(f.Frame1->isHidden());
  emit f.Command23->mouseDown(Right, 0, 0, 0);
  const QString text[] = {"Liberation Serif", "26", "True", "True", "True", "True", QString::number(Ink)};
  const QString picture[] = {"Liberation Serif", "30", "True", "True", "True", "True", QString::number(Ink)};
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(f.savedfonts[15 + k], text[k]) << k;
    EXPECT_EQ(f.savedpicturefonts[15 + k], picture[k]) << k;
  }
  EXPECT_EQ(faceName(f.Command23), QStringLiteral("Liberation Serif"));

  f.savedfonts[8] = f.savedpicturefonts[8] = QStringLiteral("Liberation Mono");
  const auto keptText = f.savedfonts;
  const auto keptPicture = f.savedpicturefonts;
  f.Command25_MouseDown(Right, 0, 0, 0);  // cancelled: a left press
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));
  EXPECT_EQ(f.savedfonts, keptText);
  EXPECT_EQ(f.savedpicturefonts, keptPicture);
}

// Outside Text mode the printer would run Undo and throw the pending insert away.
TEST_F(FontsPaletteTest, OutsideTextModeStyleBoxesFontButtonsAndPaletteChangeOnlyFontOrColour) {
  Form1& f = prepareFonts();
  f.savedpicturefonts[1] = QStringLiteral("Liberation Mono");
  const QImage pending = pendingInsert();
  f.Check6->setValue(1);
  f.Check14->setValue(1);
  f.Command21_MouseDown(Left, 0, 0, 0);
  f.Palette_MouseDown(3, Left, 0, 0, 0);
  f.Palette_MouseDown(6, Right, 0, 0, 0);
  EXPECT_EQ(f.Label26->backColor(), Armed);
  EXPECT_TRUE(sameImage(pending, f.Picture1->shown()));
  EXPECT_TRUE(f.Picture1->font.bold());
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));
  EXPECT_EQ(f.Picture1->foreColor(), 238);
  EXPECT_EQ(f.Picture1->backColor(), 0xFF00);

  f.Option8_Click();
  f.Check6->setValue(0);  // Bold reaches the picture's font in Draw mode too
  EXPECT_FALSE(f.Picture1->font.bold());
}

TEST_F(FontsPaletteTest, LeftPressGivesTheTextColourLessKAndTheSwatchTheButtonColour) {
  Form1& f = prepare(QStringLiteral("Hi"));
  const struct {
    int n;
    long text;
    long swatch;
  } presses[] = {{3, 238, 0xFF}, {2, 0xEFEFEE, 0xFFFFFF}, {8, 0xFF00EE, 0xFF00FF}, {9, 0x80, 0x80}};
  for (const auto& p : presses) {
    SCOPED_TRACE(p.n);
    placePlain();
    emit f.palette[p.n]->mouseDown(Left, 0, 0, 0);
    EXPECT_EQ(f.textsettings[7], QString::number(p.text));
    EXPECT_EQ(f.Label25->backColor(), p.swatch);
    EXPECT_GT(countColour(f.Picture1->shown(), p.text), 0);  // printed again in the new colour
  }
}

TEST_F(FontsPaletteTest, RightPressColoursBackAndShadowAndHeaderModeTakesCtrlLeft) {
  Form1& f = prepare(QStringLiteral("Hi"));
  withShadowAndOutline();
  placePlain();
  f.Palette_MouseDown(6, Right, 0, 0, 0);
  EXPECT_EQ(f.Label45->backColor(), 0xFF00);
  EXPECT_GT(countColour(f.Picture1->shown(), 0xFF00), 0);  // the shadow copies

  f.makeheader->setChecked(true);
  f.Label25->setBackColor(0x123456);
  f.Palette_MouseDown(3, Left, Ctrl, 0, 0);  // the header fill: element 7 only, no text colour
  EXPECT_EQ(f.textsettings[7], QStringLiteral("238"));
  EXPECT_EQ(f.Label25->backColor(), 0x123456);
  EXPECT_EQ(f.Picture1->foreColor(), Ink);
  f.Palette_MouseDown(7, Right, Ctrl, 0, 0);  // nothing
  EXPECT_EQ(f.Picture1->backColor(), 0xFF00);
  f.Palette_MouseDown(3, Left, 0, 0, 0);  // without Ctrl as usual
  EXPECT_EQ(f.Label25->backColor(), 0xFF);
}

TEST_F(FontsPaletteTest, ArmedFillsDragTheColourAndTheMarkerEndsWithTheDrag) {
  Form1& f = prepare(QStringLiteral("Hi"));
  recordDrags();
  placePlain();
  f.Label32->setBackColor(Armed);  // PatFil: the press only drags
  f.Palette_MouseDown(4, Left, 0, 0, 0);
  f.Palette_MouseDown(4, Right, 0, 0, 0);
  ASSERT_EQ(drags.size(), 1u);
  EXPECT_EQ(drags[0].source, f.palette[4]);
  EXPECT_EQ(drags[0].marker, 201);
  EXPECT_EQ(drags[0].picked, 0x80FF);
  EXPECT_EQ(drags[0].textColour, QString::number(Ink));
  EXPECT_EQ(f.operationmarker, 0);
  EXPECT_EQ(f.Picture1->backColor(), Paper);

  f.Label32->setBackColor(colour::state::Idle);
  f.Label38->setBackColor(Armed);  // ColFill: the text takes the colour before the drag starts
  f.Palette_MouseDown(3, Left, 0, 0, 0);
  ASSERT_EQ(drags.size(), 2u);
  EXPECT_EQ(drags[1].marker, 201);
  EXPECT_EQ(drags[1].textColour, QStringLiteral("238"));
  EXPECT_EQ(f.operationmarker, 0);
  f.Palette_MouseDown(6, Right, 0, 0, 0);
  EXPECT_EQ(drags.size(), 2u);
  EXPECT_EQ(f.Picture1->backColor(), 0xFF00);
}

TEST_F(FontsPaletteTest, SaveColorStoresAnyChosenColourAndCancelStops) {
  Form1& f = prepare(QStringLiteral("Hi"));
  const struct {
    const char* name;
    std::optional<long> answer;
    bool panel;
    QString textColour;
  } cases[] = {{"Cancel", std::nullopt, false, QString::number(Ink)},
               {"the same colour", Ink, true, QString::number(Ink)},
               {"another colour", rgb(1, 2, 3), true, QString::number(rgb(1, 2, 3))}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    f.Frame8->hide();
    f.Command8->setCaption(QStringLiteral("Exit  Msg"));
    dialogs->colour.answers = {c.answer};
    f.savecolor->trigger();
    EXPECT_EQ(dialogs->colour.calls.back(), Ink);
    EXPECT_EQ(!f.Frame8->isHidden(), c.panel);
    EXPECT_EQ(f.textsettings[7], c.textColour);
    EXPECT_EQ(f.Command8->caption(), QString::fromLatin1(c.panel ? "Load Msg" : "Exit  Msg"));
  }
  EXPECT_EQ(f.Picture1->foreColor(), Ink);  // the text keeps its colour
  f.Check21->setValue(1);
  EXPECT_EQ(f.Label10->backColor(), rgb(1, 2, 3));
  EXPECT_EQ(f.Check21->value(), 0);
  EXPECT_TRUE(f.Frame8->isHidden());
}

TEST_F(FontsPaletteTest, SavedFontsAndColoursSurviveARestart) {
  Form1& f = start();
  dialogs->font.answers = {face("Liberation Serif", true)};
  f.Command24_MouseDown(Right, 0, 0, 0);
  dialogs->colour.answers = {rgb(1, 2, 3)};
  f.savecolor_Click();
  f.Check22->setValue(1);
  const auto keptText = f.savedfonts;
  const auto keptPicture = f.savedpicturefonts;
  ASSERT_EQ(keptText[22], QStringLiteral("Liberation Serif"));
  dialogs->answers = {vb::Yes};
  f.exit_Click();

  form.reset();
  Form1& g = start();
  EXPECT_EQ(g.savedfonts, keptText);
  EXPECT_EQ(g.savedpicturefonts, keptPicture);
  EXPECT_EQ(faceName(g.Command24), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(g.Label11->backColor(), rgb(1, 2, 3));
}

TEST_F(FontsPaletteTest, BadSavedItemsKeepDesignColoursAndUnknownFacesByName) {
  writeFile(QStringLiteral("restore"), restoreFile({{15, "\"NoSuchFace\""},
                                                    {71, "\"blue\""},
                                                    {72, "\"-5\""},
                                                    {73, "\"255\""}}));
  Form1& f = start();
  EXPECT_EQ(f.Label9->backColor(), 0x80);
  EXPECT_EQ(f.Label10->backColor(), 0x808080);
  EXPECT_EQ(f.Label11->backColor(), 0xFF);
  EXPECT_EQ(faceName(f.Command21), QStringLiteral("NoSuchFace"));
  f.Command21_MouseDown(Left, 0, 0, 0);
  EXPECT_EQ(f.Text1->font().family(), QStringLiteral("NoSuchFace"));
}
