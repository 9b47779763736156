#include <gtest/gtest.h>

#include "platform/textfont.h"
#include "tests/styled_text_fixture.h"

namespace {

constexpr int Right = 2;

}  // namespace

class PictureFontsTest : public StyledTextFixture {
 protected:
  // Chooses the list's item `character` as the operator does.
  void pick(const QString& character) {
    const int index = form->Combo3->findText(character);
    form->Combo3->setCurrentIndex(index);
    emit form->Combo3->activated(index);
  }
};

TEST_F(PictureFontsTest, TheListHoldsTheKeyboardsCharacters) {
  Form1& f = prepare(QStringLiteral("Hi"));
  ASSERT_EQ(f.Combo3->count(), 86);
  EXPECT_EQ(f.Combo3->itemText(0), QStringLiteral("["));
  EXPECT_EQ(f.Combo3->itemText(45), QStringLiteral("-"));
  EXPECT_EQ(f.Combo3->itemText(85), QStringLiteral("?"));
}

TEST_F(PictureFontsTest, ACharacterIsPlacedAndSizedForEachHeaderState) {
  Form1& f = prepare(QStringLiteral("Hi"));
  setFace(f.Combo3, QStringLiteral("Liberation Serif"), 20);
  const struct {
    bool header32, header16;
    double x, y, size;
  } states[] = {{false, false, 50, 40, 100}, {true, false, 160, 228, 20}, {false, true, 160, 240, 10},
                {true, true, 160, 240, 10}};
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << s.header32 << s.header16);
    f.makeheader->setChecked(s.header32);
    f.makeheader16->setChecked(s.header16);
    f.Option8_Click();
    pick(QStringLiteral("W"));
    EXPECT_TRUE(f.Option1->value());
    EXPECT_EQ(f.picturefontmode, 400);
    EXPECT_EQ(f.startx, s.x);
    EXPECT_EQ(f.starty, s.y);
    EXPECT_EQ(f.Picture1->font.size, s.size);
    EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Serif"));
    EXPECT_GT(countColour(f.Picture1->shown(), Ink), 0);
  }
}

// SET, Undo and a mode change each end the character and give the picture its size back.
TEST_F(PictureFontsTest, TheNormalSizeIsKeptOverTwoCharactersAndComesBackWhenTheCharacterEnds) {
  Form1& f = prepare(QStringLiteral("Hi"), 26);
  f.Text1->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
  setFace(f.Combo3, QStringLiteral("Liberation Serif"), 20);
  const std::pair<const char*, std::function<void()>> endings[] = {
      {"Undo", [&f] { f.Command12_Click(); }},
      {"SET", [&f] { f.Label26_Click(); }},
      {"Draw", [&f] { f.Option8_Click(); }}};
  for (const auto& [name, end] : endings) {
    SCOPED_TRACE(name);
    pick(QStringLiteral("a"));
    pick(QStringLiteral("b"));
    EXPECT_EQ(f.normalfontsize, QStringLiteral("26"));
    end();
    EXPECT_EQ(f.picturefontmode, 0);
    EXPECT_EQ(f.Picture1->font.size, 26);
    EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Sans"));
  }
}

TEST_F(PictureFontsTest, Text14ChoosesTheFontOfTheNumberAndTouchesThePictureOnlyWithACharacterPending) {
  Form1& f = prepare(QStringLiteral("Hi"));
  f.VScroll2->setValue(3);
  EXPECT_EQ(f.Text14->text(), QStringLiteral("3"));
  emit f.Text14->mouseDown(Right, 0, 0, 0);  // cancelled
  EXPECT_TRUE(f.textsettings[17].isEmpty());

  const QFont serif(QStringLiteral("Liberation Serif"));
  dialogs->font.answers = {serif};
  f.Text14_MouseDown(Right, 0, 0, 0);
  EXPECT_EQ(f.textsettings[17], QStringLiteral("Liberation Serif"));
  EXPECT_EQ(faceName(f.Combo3), QStringLiteral("Liberation Serif"));
  EXPECT_EQ(f.Combo3->font().pointSize(), 20);
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Arial"));  // nothing pending: typed text stays

  pick(QStringLiteral("x"));
  dialogs->font.answers = {QFont(QStringLiteral("Liberation Mono"))};
  f.Text14_MouseDown(Right, 0, 0, 0);
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));

  f.VScroll2->setValue(4);  // no font for 4 yet: the list keeps the one it shows
  EXPECT_EQ(faceName(f.Combo3), QStringLiteral("Liberation Mono"));
  f.VScroll2->setValue(3);
  EXPECT_EQ(faceName(f.Combo3), QStringLiteral("Liberation Mono"));
  EXPECT_EQ(f.textsettings[17], QStringLiteral("Liberation Mono"));
}

TEST_F(PictureFontsTest, WebdingsStaysStoredAndDrawsInTheFreeSymbolFont) {
  writeFile(QStringLiteral("restore"), restoreFile({{111, "\"Webdings\""}}));
  Form1& f = start();
  EXPECT_EQ(faceName(f.Combo3), QStringLiteral("Webdings"));
  EXPECT_EQ(f.Combo3->font().family(), QStringLiteral("D050000L"));

  f.Picture1->setPicture(solidImage(320, 256, White));
  pick(QStringLiteral("e"));
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Webdings"));

  // The character as the printer puts it at (50, 40): 100 points are 120 pixels.
  const auto printed = [&f](const char* family) {
    PictureBox box(nullptr, 320, 256);
    box.setPicture(solidImage(320, 256, White));
    box.setForeColor(f.Picture1->foreColor());
    box.currentX = 50;
    box.currentY = 40;
    box.Print(QStringLiteral(" e"), TextFont{QString::fromLatin1(family), 0, 120}, 0);
    return box.shown();
  };
  EXPECT_TRUE(sameImage(printed("D050000L"), f.Picture1->shown()));
  EXPECT_FALSE(sameImage(printed("Liberation Sans"), f.Picture1->shown()));
}
