#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

class ModesTest : public OnWhiteTest {
 protected:
  void SetUp() override {
    OnWhiteTest::SetUp();
    form->textsettings[7] = QStringLiteral("255");
  }
  // Every tool another mode must end, armed at once.
  void armForeignTools() {
    Form1& f = *form;
    f.Label73->setBackColor(Armed);
    f.Label29->setBackColor(Armed);
    f.fixcolsaved = QStringLiteral("65280");
    f.textsettings[7] = QStringLiteral("12345");
    f.picturefontmode = 400;
    f.normalfontsize = QStringLiteral("12");
    f.Picture1->font.name = QStringLiteral("Webdings");
    f.Picture1->font.size = 40;
  }
  // `mode` is on and no other mode button.
  ::testing::AssertionResult onlyMode(OptionButton* mode) const {
    const int on = form->Option1->value() + form->Option6->value() + form->Option7->value() + form->Option8->value();
    if (mode->value() && on == 1) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << on << " modes on";
  }
};

// Each mode colours its button and frames its tool group. Text and Overlays end Fix Col and Remove
// noise lines, Draw keeps them, its own; each ends a picture font, Overlays keeping its name on
// the picture.
TEST_F(ModesTest, EachModeColoursItsButtonFramesItsToolsAndEndsTheToolsOfTheOthers) {
  Form1& f = *form;
  const QString textFont = f.Text1->font().family();
  const struct { OptionButton* button; std::vector<int> shapes; bool drawTools; QString fontName; } modes[] = {
      {f.Option7, {13, 13, 14}}, {f.Option8, {14, 13, 13}, true, textFont}, {f.Option6, {13, 13, 14}, false, "Webdings"},
      {f.Option1, {13, 14, 13}, false, textFont}};
  for (const auto& m : modes) {
    SCOPED_TRACE(m.button->text().toStdString());
    f.Option7->setValue(true);
    armForeignTools();
    m.button->setValue(true);
    EXPECT_TRUE(onlyMode(m.button));
    const auto seenOn = [&m](OptionButton* o) { return o == m.button ? ModeChosen : ModeOff; };
    EXPECT_EQ(std::vector<long>({f.Option1->backColor(), f.Option6->backColor(), f.Option7->backColor(),
                                 f.Option8->backColor(), f.Text6->backColor()}),
              std::vector<long>(
                  {seenOn(f.Option1), seenOn(f.Option6), seenOn(f.Option7), seenOn(f.Option8), seenOn(f.Option8)}));
    EXPECT_EQ(std::vector<int>({f.Shape1->drawMode(), f.Shape2->drawMode(), f.Shape3->drawMode()}), m.shapes);
    if (m.button == f.Option7) continue;
    const long tools = m.drawTools ? Armed : Idle;
    EXPECT_EQ(std::tuple(f.Label73->backColor(), f.Label29->backColor(), f.textsettings[7], f.picturefontmode,
                         f.Picture1->font.name, f.Picture1->font.size, f.Label26->backColor()),
              std::tuple(tools, tools, QString(m.drawTools ? "12345" : "65280"), 0, m.fontName, 12.0, SetIdle));
  }
  EXPECT_TRUE(f.texttoplace.isEmpty());
}

// Follow Mouse and 4 pics in 1 choose Pic in Pic and exclude each other. Text from Draw with 4 pics
// in 1 on, or from Pic in Pic with Follow Mouse on, passes through Pic in Pic: the trail so far
// becomes the working copy, and both boxes end.
TEST_F(ModesTest, FollowMouseAndFourPicsExcludeEachOtherAndTextPassesThroughPicInPic) {
  Form1& f = *form;
  f.Option8->setValue(true);
  f.Check19->setValue(1);
  f.Option1->setValue(true);
  EXPECT_EQ(f.Check18->value() + f.Check19->value(), 0);
  f.Option7->setValue(true);
  f.Check18->setValue(1);
  const QImage newer = solidImage(320, 256, 0xFF0000);
  f.Picture1->setPicture(newer);
  f.Picture2->setPicture(solidImage(320, 256, 0));
  f.Option1->setValue(true);
  EXPECT_TRUE(sameImage(newer, f.Picture2->picture()));
  EXPECT_TRUE(sameImage(newer, f.Picture1->picture()));
  EXPECT_TRUE(onlyMode(f.Option1));
  EXPECT_EQ(std::tuple(f.Check18->value(), f.Option1->backColor(), f.Option7->backColor()), std::tuple(0, ModeChosen, ModeOff));

  f.Check18->setValue(1);
  EXPECT_TRUE(onlyMode(f.Option7));
  f.Check19->setValue(1);
  EXPECT_EQ(std::tuple(f.Check18->value(), f.Check19->value()), std::tuple(0, 1));
}

TEST_F(ModesTest, ChoosingAStyledTextModeOrAnotherModeHandlesThePreview) {
  Form1& f = *form;
  f.Option8->setValue(true);
  f.Label34->setCaption(QStringLiteral(" Stripes"));
  f.Option1->setValue(true);
  EXPECT_EQ(f.styleapplied, 1);
  f.Image6->setPicture(solidImage(320, 256, 0xFF00));
  f.Option7->setValue(true);
  EXPECT_EQ(f.styleapplied, 0);
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF00), f.Picture1->picture()));
}

// PatFil and ColFill disarm each other; ColFill ends a style, PatFil vertical text, Draw ends
// ColFill and resets the line width.
TEST_F(ModesTest, PatFilAndColFillDisarmEachOtherAndEndTheirRivals) {
  Form1& f = *form;
  f.Picture1->setForeColor(0xFF8000);
  f.Label34->setCaption(QStringLiteral("  Grad"));
  f.Label34->setBackColor(Armed);
  f.styleapplied = 1;
  f.savedtextangle = 450;
  f.Label38_Click();
  // Text mode's reset follows the style's end.
  EXPECT_EQ(std::tuple(f.Label34->caption(), f.Label34->backColor(), f.styleapplied, f.textangle, f.textsettings[7]),
            std::tuple(QString(" Normal"), Idle, 0, 0, QString::number(0xFF8000)));
  f.Label38_Click();

  f.Picture1->setForeColor(0xFF);
  f.dragsource = 5;
  f.Label32_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.dragsource), std::tuple(Armed, 0));
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Image6->picture()));
  f.Label38_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.Label38->backColor(), f.savedforecolour), std::tuple(Idle, Armed, 0xFFL));
  // A dragged colour changed the pen; ending ColFill gives the operator's colour back.
  f.Picture1->setForeColor(0xFF00);
  f.Label32_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.Label38->backColor(), f.Picture1->foreColor(), f.Label25->backColor()),
            std::tuple(Armed, Idle, 0xFFL, 0xFFL));
  f.Label32_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.Option1->value()), std::tuple(Idle, true));

  f.Label31->setBackColor(Armed);
  f.Label31->setCaption(QStringLiteral("Vert"));
  f.VScroll3->show();
  f.Text1->setText(QStringLiteral("DX"));
  f.Label32_Click();
  EXPECT_EQ(std::tuple(f.Label32->backColor(), f.Label31->caption(), f.Label31->backColor(), f.VScroll3->isHidden(),
                       f.Text1->text()),
            std::tuple(Armed, QString("Horiz"), Idle, true, QString()));

  // A mouse release on the Text button disarms PatFil; code choosing Text does not. Overlays does.
  f.Option1_Click();
  EXPECT_EQ(f.Label32->backColor(), Armed);
  f.Option1_MouseUp(1, 0, 5, 5);
  EXPECT_EQ(f.Label32->backColor(), Idle);
  f.Label32_Click();
  f.Option6->setValue(true);
  EXPECT_TRUE(onlyMode(f.Option6));
  EXPECT_EQ(f.Label32->backColor(), Idle);

  f.HScroll1->setValueChecked(7);
  f.Label38_Click();  // ColFill armed, keeping the fore colour
  ASSERT_EQ(f.Label38->backColor(), Armed);
  f.Picture1->setForeColor(0xFF00FF);
  f.Option8->setValue(true);
  EXPECT_EQ(std::tuple(f.HScroll1->value(), f.Text6->text(), f.Picture1->drawWidth(), f.Label38->backColor(),
                       f.Picture1->foreColor()),
            std::tuple(3, QString("3"), 3, Idle, 0xFFL));
}

}  // namespace
