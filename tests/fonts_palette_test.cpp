#include <gtest/gtest.h>

#include "platform/textfont.h"
#include "tests/text_fixture.h"

using colour::rgb;
using colour::state::Armed;

namespace {

using mousebutton::Left, mousebutton::Right;
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

class FontsPaletteTest : public TextFixture {
 protected:
  Form1& prepareFonts() {
    Form1& f = prepare(QStringLiteral("Hi"));
    f.Text1->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
    f.textsettings[9] = QStringLiteral("26");
    return f;
  }
};

TEST_F(FontsPaletteTest, ChangeFontSetsFaceAndStylesOnBothFontsButNotTheSize) {
  Form1& f = prepareFonts();
  // Cancel first, while the two fonts still differ: it must not copy the text box's font over.
  const struct { std::optional<QFont> answer; const char *textFamily, *pictureFamily; bool styled; } cases[] = {
      {std::nullopt, "Liberation Sans", "Arial", false},
      {face("Liberation Serif", true), "Liberation Serif", "Liberation Serif", true},
      {face("Liberation Mono", false), "Liberation Mono", "Liberation Mono", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pictureFamily);
    dialogs->font.calls.clear();
    dialogs->font.answers = {c.answer};
    f.changefont->trigger();
    ASSERT_EQ(dialogs->font.calls.size(), 1u);
    EXPECT_DOUBLE_EQ(dialogs->font.calls[0].pointSizeF(), 26);  // the pending text's size
    const QFont& text = f.Text1->font();
    EXPECT_EQ(std::tuple(text.family(), text.pointSize(), text.strikeOut()),
              std::tuple(QString::fromLatin1(c.textFamily), 12, c.styled));
    const TextFont& picture = f.Picture1->font;
    EXPECT_EQ(std::tuple(picture.name, picture.size, picture.bold() && picture.italic && picture.underline),
              std::tuple(QString::fromLatin1(c.pictureFamily), 30.0, c.styled));
  }
  f.textsettings[9] = QStringLiteral("big");  // no number: the dialog keeps its own size
  f.changefont_Click();
  EXPECT_EQ(dialogs->font.calls.back().pointSize(), 12);
}

// A left press applies the two saved faces only; a right press saves both sides when the dialog
// is answered and is a left press when it is cancelled.
TEST_F(FontsPaletteTest, SavedFontLeftPressAppliesTheTwoFacesAndRightPressSavesBothSides) {
  Form1& f = prepareFonts();
  const QString text[] = {"Liberation Serif", "50", "True"}, picture[] = {"Liberation Mono", "70", "True"};
  std::copy(std::begin(text), std::end(text), &f.savedfonts[1]);
  std::copy(std::begin(picture), std::end(picture), &f.savedpicturefonts[1]);
  const QImage before = placePlain();

  emit f.Command21->mouseDown(Left, 0, 0, 0);
  EXPECT_EQ(std::tuple(f.Text1->font().family(), f.Picture1->font.name, f.Picture1->font.size, f.Picture1->font.bold()),
            std::tuple(QString("Liberation Serif"), QString("Liberation Mono"), 30.0, false));
  EXPECT_FALSE(sameImage(before, f.Picture1->shown()));  // redrawn in the new face
  EXPECT_TRUE(f.Command21->font().underline());

  f.Command25_MouseDown(Left, 0, 0, 0);  // never saved: the fonts stay
  EXPECT_EQ(std::tuple(f.Picture1->font.name, f.Command21->font().underline(), f.Command25->font().underline()),
            std::tuple(QString("Liberation Mono"), false, true));

  dialogs->font.answers = {face("Liberation Serif", true)};
  f.savefontandcolor->trigger();
  EXPECT_FALSE(f.Frame1->isHidden());
  emit f.Command23->mouseDown(Right, 0, 0, 0);
  const auto slot3 = [](const auto& saved) { return QStringList(saved.begin() + 15, saved.begin() + 22); };
  EXPECT_EQ(slot3(f.savedfonts), QStringList({"Liberation Serif", "26", "True", "True", "True", "True", QString::number(Ink)}));
  EXPECT_EQ(slot3(f.savedpicturefonts),
            QStringList({"Liberation Serif", "30", "True", "True", "True", "True", QString::number(Ink)}));
  EXPECT_EQ(faceName(f.Command23), QStringLiteral("Liberation Serif"));

  f.savedfonts[8] = f.savedpicturefonts[8] = QStringLiteral("Liberation Mono");
  const auto keptText = f.savedfonts;
  const auto keptPicture = f.savedpicturefonts;
  f.Command25_MouseDown(Right, 0, 0, 0);  // cancelled: a left press
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));
  EXPECT_EQ(f.savedfonts, keptText);
  EXPECT_EQ(f.savedpicturefonts, keptPicture);
}

// A right press on a saved font goes through Change Font, which closes the Save Color panel first,
// answered or cancelled; a left press leaves the panel open.
TEST_F(FontsPaletteTest, ARightPressOnASavedFontClosesTheSaveColorPanel) {
  Form1& f = prepareFonts();
  const struct { int button; std::optional<QFont> answer; bool closed; } cases[] = {
      {Left, std::nullopt, false}, {Right, std::nullopt, true}, {Right, face("Liberation Serif", false), true}};
  for (const auto& c : cases) {
    f.Frame8->show();
    dialogs->font.answers = {c.answer};
    f.Command25_MouseDown(c.button, 0, 0, 0);
    EXPECT_EQ(std::tuple(f.Frame8->isHidden(), f.savedfonts[8].isEmpty()), std::tuple(c.closed, !c.answer))
        << c.button;
  }
}

// Outside Text mode the printer would run Undo and throw the pending insert away.
TEST_F(FontsPaletteTest, OutsideTextModeStyleBoxesFontButtonsAndPaletteChangeOnlyFontOrColour) {
  Form1& f = prepareFonts();
  f.savedpicturefonts[1] = QStringLiteral("Liberation Mono");
  f.Option7_Click();  // a box pending on the erasable layer of Pic in Pic
  f.Picture1->BoxFilled(10, 10, 60, 60, rgb(0, 128, 0));
  f.Label26->setBackColor(Armed);
  const QImage pending = f.Picture1->shown();
  f.Check6->setValue(1);
  f.Check14->setValue(1);
  f.Command21_MouseDown(Left, 0, 0, 0);
  f.Palette_MouseDown(3, Left, 0, 0, 0);
  f.Palette_MouseDown(6, Right, 0, 0, 0);
  EXPECT_EQ(f.Label26->backColor(), Armed);
  EXPECT_TRUE(sameImage(pending, f.Picture1->shown()));
  EXPECT_EQ(std::tuple(f.Picture1->font.bold(), f.Picture1->font.name, f.Picture1->foreColor(), f.Picture1->backColor()),
            std::tuple(true, QString("Liberation Mono"), 238L, 0xFF00L));

  f.Option8_Click();
  f.Check6->setValue(0);  // Bold reaches the picture's font in Draw mode too
  EXPECT_FALSE(f.Picture1->font.bold());
}

// A left press gives the text the button's colour less k and the swatch the button's colour; a
// right press colours the back and the shadow; in header mode Ctrl-left only takes element 7.
// With PatFil armed a press only drags the colour, with ColFill the text takes it first.
TEST_F(FontsPaletteTest, PaletteLeftPressColoursTheTextRightPressTheBackAndArmedFillsDragTheColour) {
  Form1& f = prepare(QStringLiteral("Hi"));
  withShadowAndOutline();
  for (auto [n, text, swatch] : {std::tuple(3, 238L, 0xFFL), std::tuple(2, 0xEFEFEEL, 0xFFFFFFL),
                                 std::tuple(8, 0xFF00EEL, 0xFF00FFL), std::tuple(9, 0x80L, 0x80L)}) {
    SCOPED_TRACE(n);
    placePlain();
    emit f.palette[n]->mouseDown(Left, 0, 0, 0);
    EXPECT_EQ(std::tuple(f.textsettings[7], f.Label25->backColor()), std::tuple(QString::number(text), swatch));
    EXPECT_GT(countColour(f.Picture1->shown(), text), 0);  // printed again in the new colour
  }
  placePlain();
  f.Palette_MouseDown(6, Right, 0, 0, 0);
  EXPECT_EQ(f.Label45->backColor(), 0xFF00);
  EXPECT_GT(countColour(f.Picture1->shown(), 0xFF00), 0);  // the shadow copies

  f.makeheader->setChecked(true);
  f.Label25->setBackColor(0x123456);
  f.Palette_MouseDown(3, Left, Ctrl, 0, 0);  // the header fill: element 7 only, no text colour
  EXPECT_EQ(std::tuple(f.textsettings[7], f.Label25->backColor(), f.Picture1->foreColor()),
            std::tuple(QString("238"), 0x123456L, 0x80L));
  f.Palette_MouseDown(7, Right, Ctrl, 0, 0);  // nothing
  EXPECT_EQ(f.Picture1->backColor(), 0xFF00);
  f.Palette_MouseDown(3, Left, 0, 0, 0);  // without Ctrl as usual
  EXPECT_EQ(f.Label25->backColor(), 0xFF);
  f.makeheader->setChecked(false);

  // With a fill armed a left press drags the colour; the marker ends with the drag.
  std::vector<std::tuple<QWidget*, int, long, QString>> drags;  // source, marker, picked and text colour
  f.beginDrag = [&](QWidget* source) { drags.emplace_back(source, f.operationmarker, f.pickedcolour, f.textsettings[7]); };
  placePlain();
  f.Label32->setBackColor(Armed);  // PatFil: the press only drags
  f.Palette_MouseDown(4, Left, 0, 0, 0);
  f.Palette_MouseDown(4, Right, 0, 0, 0);
  ASSERT_EQ(drags.size(), 1u);
  EXPECT_EQ(drags[0], std::tuple(static_cast<QWidget*>(f.palette[4]), 201, 0x80FFL, QString("238")));
  EXPECT_EQ(std::tuple(f.operationmarker, f.Picture1->backColor()), std::tuple(0, 0xFF00L));

  f.Label32->setBackColor(colour::state::Idle);
  f.Label38->setBackColor(Armed);  // ColFill: the text takes the colour before the drag starts
  f.Palette_MouseDown(2, Left, 0, 0, 0);
  ASSERT_EQ(drags.size(), 2u);
  EXPECT_EQ(std::tuple(std::get<1>(drags[1]), std::get<3>(drags[1]), f.operationmarker),
            std::tuple(201, QString::number(0xEFEFEE), 0));
  f.Palette_MouseDown(1, Right, 0, 0, 0);
  EXPECT_EQ(std::tuple(drags.size(), f.Picture1->backColor()), std::tuple(size_t(2), f.palette[1]->backColor()));
}

// Save Color stores any chosen colour, the text's own too, in element 7 for the colour boxes, and
// Cancel stops; bad colour items keep the design colours and an unknown face is kept by name; what
// the operator saves survives a restart.
TEST_F(FontsPaletteTest, SavedFontsAndColoursSurviveARestartAndBadItemsKeepDesignColours) {
  writeFile(QStringLiteral("restore"),
            restoreFile({{15, "\"NoSuchFace\""}, {71, "\"blue\""}, {72, "\"-5\""}, {73, "\"255\""}}));
  Form1& f = start();
  EXPECT_EQ(std::vector<long>({f.Label9->backColor(), f.Label10->backColor(), f.Label11->backColor()}),
            std::vector<long>({0x80, 0x808080, 0xFF}));
  const long pen = f.Picture1->foreColor();
  for (std::optional<long> answer : {std::optional<long>(), std::optional(pen), std::optional(rgb(1, 2, 3))}) {
    SCOPED_TRACE(answer.value_or(-1));
    f.Frame8->hide();
    f.Command8->setCaption(QStringLiteral("Exit  Msg"));
    dialogs->colour.answers = {answer};
    f.savecolor->trigger();
    EXPECT_EQ(std::tuple(dialogs->colour.calls.back(), !f.Frame8->isHidden(), f.textsettings[7], f.Command8->caption()),
              std::tuple(pen, answer.has_value(), QString::number(answer.value_or(pen)),
                         QString::fromLatin1(answer ? "Load Msg" : "Exit  Msg")));
  }
  EXPECT_EQ(f.Picture1->foreColor(), pen);  // the text keeps its colour
  f.Check21->setValue(1);
  EXPECT_EQ(std::tuple(f.Label10->backColor(), f.Check21->value(), f.Frame8->isHidden()), std::tuple(rgb(1, 2, 3), 0, true));
  f.Check22->setValue(1);

  EXPECT_EQ(faceName(f.Command21), QStringLiteral("NoSuchFace"));
  f.Command21_MouseDown(Left, 0, 0, 0);
  EXPECT_EQ(f.Text1->font().family(), QStringLiteral("NoSuchFace"));
  dialogs->font.answers = {face("Liberation Serif", true)};
  f.Command24_MouseDown(Right, 0, 0, 0);
  const auto keptText = f.savedfonts;
  const auto keptPicture = f.savedpicturefonts;
  ASSERT_EQ(keptText[22], QStringLiteral("Liberation Serif"));
  dialogs->answers = {vb::Yes};
  f.exit_Click();

  form.reset();
  Form1& g = start();
  EXPECT_EQ(g.savedfonts, keptText);
  EXPECT_EQ(g.savedpicturefonts, keptPicture);
  EXPECT_EQ(std::tuple(faceName(g.Command24), g.Label10->backColor(), g.Label11->backColor()),
            std::tuple(QString("Liberation Serif"), rgb(1, 2, 3), rgb(1, 2, 3)));
}
