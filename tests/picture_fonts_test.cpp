#include <gtest/gtest.h>

#include "platform/textfont.h"
#include "tests/text_fixture.h"

using mousebutton::Right;

class PictureFontsTest : public TextFixture {
 protected:
  // Chooses the list's item `character` as the operator does.
  void pick(const QString& character) {
    const int index = form->Combo3->findText(character);
    form->Combo3->setCurrentIndex(index);
    emit form->Combo3->activated(index);
  }
};

// The list holds the keyboard's characters. A character is placed and sized for each header
// state, a second one keeping the picture's normal size, which SET, Undo and a mode change each
// give back as they end the character.
TEST_F(PictureFontsTest, ACharacterIsPlacedAndSizedForEachHeaderStateUntilItEnds) {
  Form1& f = prepare(QStringLiteral("Hi"), 26);
  EXPECT_EQ(std::tuple(f.Combo3->count(), f.Combo3->itemText(0), f.Combo3->itemText(45), f.Combo3->itemText(85)),
            std::tuple(86, QString("["), QString("-"), QString("?")));
  f.Text1->setFont(QFont(QStringLiteral("Liberation Sans"), 12));
  setFace(f.Combo3, QStringLiteral("Liberation Serif"), 20);
  const std::function<void()> endings[] = {[&f] { f.Command12_Click(); }, [&f] { f.Label26_Click(); },
                                           [&f] { f.Option8_Click(); }, [&f] { f.Command12_Click(); }};
  const struct { bool header32, header16; double x, y, size; } states[] = {
      {false, false, 50, 40, 100}, {true, false, 160, 228, 20}, {false, true, 160, 240, 10}, {true, true, 160, 240, 10}};
  for (int k = 0; k < 4; ++k) {
    const auto& s = states[k];
    SCOPED_TRACE(testing::Message() << s.header32 << s.header16);
    f.makeheader->setChecked(s.header32);
    f.makeheader16->setChecked(s.header16);
    f.Option8_Click();
    pick(QStringLiteral("a"));
    pick(QStringLiteral("W"));
    EXPECT_EQ(std::tuple(f.Option1->value(), f.picturefontmode, f.startx, f.starty, f.Picture1->font.size,
                         f.Picture1->font.name, f.normalfontsize),
              std::tuple(true, 400, s.x, s.y, s.size, QString("Liberation Serif"), QString("26")));
    EXPECT_GT(countColour(f.Picture1->shown(), Ink), 0);
    endings[k]();
    EXPECT_EQ(std::tuple(f.picturefontmode, f.Picture1->font.size, f.Picture1->font.name),
              std::tuple(0, 26.0, QString("Liberation Sans")));
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
  // Nothing pending: the typed text keeps its font.
  EXPECT_EQ(std::tuple(f.textsettings[17], faceName(f.Combo3), f.Combo3->font().pointSize(), f.Picture1->font.name),
            std::tuple(QString("Liberation Serif"), QString("Liberation Serif"), 20, QString("Arial")));

  pick(QStringLiteral("x"));
  dialogs->font.answers = {QFont(QStringLiteral("Liberation Mono"))};
  f.Text14_MouseDown(Right, 0, 0, 0);
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Liberation Mono"));

  f.VScroll2->setValue(4);  // no font for 4 yet: the list keeps the one it shows
  EXPECT_EQ(faceName(f.Combo3), QStringLiteral("Liberation Mono"));
  f.VScroll2->setValue(3);
  EXPECT_EQ(QStringList({faceName(f.Combo3), f.textsettings[17]}), QStringList({"Liberation Mono", "Liberation Mono"}));
}

TEST_F(PictureFontsTest, WebdingsStaysStoredAndDrawsInTheFreeSymbolFont) {
  writeFile(QStringLiteral("restore"), restoreFile({{111, "\"Webdings\""}}));
  Form1& f = start();
  EXPECT_EQ(std::tuple(faceName(f.Combo3), f.Combo3->font().family()), std::tuple(QString("Webdings"), QString("D050000L")));

  f.Picture1->setPicture(solidImage(320, 256, White));
  pick(QStringLiteral("e"));
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Webdings"));

  // The character as the printer puts it at (50, 40): 100 points are 120 pixels.
  const auto printed = [&f](const char* family) {
    const auto box = expectedCanvas();
    printAt(*box, QStringLiteral(" e"), TextFont{QString::fromLatin1(family), 0, 120}, 50, 40, f.Picture1->foreColor());
    return box->shown();
  };
  EXPECT_TRUE(sameImage(printed("D050000L"), f.Picture1->shown()));
  EXPECT_FALSE(sameImage(printed("Liberation Sans"), f.Picture1->shown()));
}
