#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace colour::state;

namespace {

class ModesTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Form1& f = build();
    f.Picture1->setPicture(solidImage(320, 256, 0xFFFFFF));
    f.textsettings[7] = QStringLiteral("255");
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
  int optionsOn() const {
    int n = 0;
    for (OptionButton* o : {form->Option1, form->Option6, form->Option7, form->Option8}) n += o->value() ? 1 : 0;
    return n;
  }
};

TEST_F(ModesTest, EachModeColoursItsButtonAndFramesItsToolGroup) {
  Form1& f = *form;
  struct Mode {
    OptionButton* button;
    int shape1, shape2, shape3;
  };
  const Mode modes[] = {{f.Option8, 14, 13, 13}, {f.Option6, 13, 13, 14}, {f.Option1, 13, 14, 13},
                        {f.Option7, 13, 13, 14}, {f.Option8, 14, 13, 13}, {f.Option1, 13, 14, 13}};
  for (const Mode& m : modes) {
    m.button->setValue(true);
    SCOPED_TRACE(m.button->text().toStdString());
    EXPECT_EQ(optionsOn(), 1);
    EXPECT_TRUE(m.button->value());
    for (OptionButton* o : {f.Option1, f.Option6, f.Option7, f.Option8})
      EXPECT_EQ(o->backColor(), o == m.button ? ModeChosen : Off) << o->text().toStdString();
    EXPECT_EQ(f.Text6->backColor(), m.button == f.Option8 ? ModeChosen : Off);
    EXPECT_EQ(f.Shape1->drawMode(), m.shape1);
    EXPECT_EQ(f.Shape2->drawMode(), m.shape2);
    EXPECT_EQ(f.Shape3->drawMode(), m.shape3);
  }
}

TEST_F(ModesTest, TextAndOverlaysEndTheToolsOfOtherModes) {
  Form1& f = *form;
  f.Option8->setValue(true);
  f.Check19->setValue(1);  // passes into Pic in Pic
  armForeignTools();
  f.Option1->setValue(true);
  EXPECT_TRUE(f.Option1->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.Label73->backColor(), Idle);
  EXPECT_EQ(f.Label29->backColor(), Idle);
  EXPECT_EQ(f.textsettings[7], QStringLiteral("65280"));
  EXPECT_EQ(f.Check18->value() + f.Check19->value(), 0);
  EXPECT_EQ(f.picturefontmode, 0);
  EXPECT_EQ(f.Picture1->font.name, f.Text1->font().family());
  EXPECT_EQ(f.Picture1->font.size, 12);
  EXPECT_EQ(f.Label26->backColor(), SetIdle);

  // Overlays puts back the size but keeps the picture font's name.
  armForeignTools();
  f.Option6->setValue(true);
  EXPECT_TRUE(f.Option6->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.Label73->backColor(), Idle);
  EXPECT_EQ(f.Label29->backColor(), Idle);
  EXPECT_EQ(f.textsettings[7], QStringLiteral("65280"));
  EXPECT_EQ(f.picturefontmode, 0);
  EXPECT_EQ(f.Picture1->font.name, QStringLiteral("Webdings"));
  EXPECT_EQ(f.Picture1->font.size, 12);

  // Armed PatFil is switched off on the way, through Text mode.
  f.Option1->setValue(true);
  f.Label32_Click();
  ASSERT_EQ(f.Label32->backColor(), Armed);
  f.Option6->setValue(true);
  EXPECT_TRUE(f.Option6->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.Label32->backColor(), Idle);
}

TEST_F(ModesTest, DrawEndsColFillResetsTheLineWidthAndKeepsItsOwnTools) {
  Form1& f = *form;
  f.HScroll1->setValueChecked(7);
  f.Picture1->setForeColor(0xFF);
  f.Label38_Click();  // ColFill armed, keeping the fore colour
  ASSERT_EQ(f.Label38->backColor(), Armed);
  f.Picture1->setForeColor(0xFF00FF);
  f.Option8->setValue(true);
  EXPECT_TRUE(f.Option8->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.HScroll1->value(), 3);
  EXPECT_EQ(f.Text6->text(), QStringLiteral("3"));
  EXPECT_EQ(f.Picture1->drawWidth(), 3);
  EXPECT_EQ(f.Label38->backColor(), Idle);
  EXPECT_EQ(f.Picture1->foreColor(), 0xFF);

  // Fix Col and Remove noise lines are Draw tools: they stay armed.
  f.Option1->setValue(true);
  armForeignTools();
  f.picturefontmode = 0;
  f.HScroll1->setValueChecked(9);
  f.Option8->setValue(true);
  EXPECT_EQ(f.Text6->text(), QStringLiteral("3"));
  EXPECT_EQ(f.Label73->backColor(), Armed);
  EXPECT_EQ(f.Label29->backColor(), Armed);
  EXPECT_EQ(f.textsettings[7], QStringLiteral("12345"));
  EXPECT_TRUE(f.texttoplace.isEmpty());

  // A picture font ends with its name and size.
  f.Option1->setValue(true);
  armForeignTools();
  f.Option8->setValue(true);
  EXPECT_TRUE(f.Option8->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.picturefontmode, 0);
  EXPECT_EQ(f.Picture1->font.name, f.Text1->font().family());
  EXPECT_EQ(f.Picture1->font.size, 12);
}

TEST_F(ModesTest, TextWhileFollowMouseIsOnPassesThroughPicInPic) {
  Form1& f = *form;
  f.Option7->setValue(true);
  f.Check18->setValue(1);
  ASSERT_TRUE(f.Option7->value());
  const QImage newer = solidImage(320, 256, 0xFF0000);
  f.Picture1->setPicture(newer);
  f.Picture2->setPicture(solidImage(320, 256, 0));
  f.Option1->setValue(true);
  EXPECT_TRUE(sameImage(newer, f.Picture2->picture()));
  EXPECT_TRUE(f.Option1->value());
  EXPECT_EQ(optionsOn(), 1);
  EXPECT_EQ(f.Check18->value(), 0);
  EXPECT_EQ(f.Option1->backColor(), ModeChosen);
  EXPECT_EQ(f.Option7->backColor(), Off);
  EXPECT_TRUE(sameImage(newer, f.Picture1->picture()));
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

TEST_F(ModesTest, PatFilAndColFillDisarmEachOther) {
  Form1& f = *form;
  f.Picture1->setForeColor(0xFF);
  f.dragsource = 5;
  f.Label32_Click();
  EXPECT_EQ(f.Label32->backColor(), Armed);
  EXPECT_EQ(f.dragsource, 0);
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Image6->picture()));

  f.Label38_Click();
  EXPECT_EQ(f.Label32->backColor(), Idle);
  EXPECT_EQ(f.Label38->backColor(), Armed);
  EXPECT_EQ(f.savedforecolour, 0xFF);

  // A dragged colour changed the pen; ending ColFill gives the operator's colour back.
  f.Picture1->setForeColor(0xFF00);
  f.Label32_Click();
  EXPECT_EQ(f.Label38->backColor(), Idle);
  EXPECT_EQ(f.Picture1->foreColor(), 0xFF);
  EXPECT_EQ(f.Label25->backColor(), 0xFF);
  EXPECT_EQ(f.Label32->backColor(), Armed);

  f.Label32_Click();
  EXPECT_EQ(f.Label32->backColor(), Idle);
  EXPECT_TRUE(f.Option1->value());

  // A mouse release on the Text button disarms PatFil; code choosing Text does not.
  f.Label32_Click();
  f.Option1_Click();
  EXPECT_EQ(f.Label32->backColor(), Armed);
  f.Option1_MouseUp(1, 0, 5, 5);
  EXPECT_EQ(f.Label32->backColor(), Idle);
}

TEST_F(ModesTest, ColFillEndsAStyleAndPatFilEndsVerticalText) {
  Form1& f = *form;
  f.Picture1->setForeColor(0xFF8000);
  f.Label34->setCaption(QStringLiteral("  Grad"));
  f.Label34->setBackColor(Armed);
  f.styleapplied = 1;
  f.savedtextangle = 450;
  f.Label38_Click();
  EXPECT_EQ(f.Label34->caption(), QStringLiteral(" Normal"));
  EXPECT_EQ(f.Label34->backColor(), Idle);
  EXPECT_EQ(f.styleapplied, 0);
  EXPECT_EQ(f.textangle, 0);  // Text mode's own reset follows the style's end
  EXPECT_EQ(f.textsettings[7], QString::number(0xFF8000));
  f.Label38_Click();

  f.Label31->setBackColor(Armed);
  f.Label31->setCaption(QStringLiteral("Vert"));
  f.VScroll3->show();
  f.Text1->setText(QStringLiteral("DX"));
  f.Label32_Click();
  EXPECT_EQ(f.Label31->backColor(), Idle);
  EXPECT_EQ(f.Label31->caption(), QStringLiteral("Horiz"));
  EXPECT_TRUE(f.VScroll3->isHidden());
  EXPECT_TRUE(f.Text1->text().isEmpty());
}

TEST_F(ModesTest, FollowMouseAndFourPicsExcludeEachOtherInPicInPic) {
  Form1& f = *form;
  f.Check18->setValue(1);
  EXPECT_TRUE(f.Option7->value());
  f.Check19->setValue(1);
  EXPECT_EQ(f.Check18->value(), 0);
  EXPECT_EQ(f.Check19->value(), 1);
  EXPECT_TRUE(f.Option7->value());
  EXPECT_EQ(optionsOn(), 1);
}

}  // namespace
