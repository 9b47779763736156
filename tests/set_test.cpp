#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

constexpr long White = 0xFFFFFF;
constexpr long Ink = colour::rgb(100, 150, 252);
constexpr long Committed = colour::rgb(101, 153, 255);  // +1, +3, +5 (capped) for 0.0, 0.5, 0.99
constexpr long Blue = colour::rgb(0, 0, 220);
constexpr int Left = 1;

class SetTest : public FormTest {
 protected:
  Form1& prepare() {
    Form1& f = build();
    f.Picture1->setPicture(solidImage(320, 256, White));
    f.Picture1->font.size = 24;
    f.Picture1->setForeColor(Ink);
    f.textsettings[7] = QString::number(Ink);
    f.Text1->setText(QStringLiteral("HI"));
    f.beginDrag = [](QWidget*) {};
    return f;
  }
  // Text placed by a left press at (x, y), pending.
  void placeText(double x, double y) {
    form->Picture1_MouseDown(Left, 0, x, y);
    form->Picture1_MouseUp(Left, 0, x, y);
    ASSERT_GT(countColour(form->Picture1->shown(), Ink), 0);
  }
  void chooseGradWithAngle() {
    form->Label34->setCaption(QStringLiteral("  Grad"));
    form->Label34->setBackColor(colour::state::Armed);
    form->textangle = 450;
  }
};

TEST_F(SetTest, TextIsCommittedInAJitteredColourAndSurvivesUndo) {
  Form1& f = prepare();
  placeText(60, 60);
  queueRandom({0.0, 0.5, 0.99});
  f.Label26_Click();
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  const int committed = countColour(f.Picture1->picture(), Committed);
  EXPECT_GT(committed, 30);
  EXPECT_EQ(countColour(f.Picture1->picture(), Ink), 0) << "the committed text differs from the preview";

  f.Command12_Click();
  EXPECT_EQ(countColour(f.Picture1->shown(), Committed), committed) << "Undo cannot take committed text";

  // The anchor leaves the picture and the pen goes back to the preview colour.
  EXPECT_EQ(f.startx, 1060);
  EXPECT_EQ(f.starty, 1060);
  EXPECT_EQ(f.textangle, 0);
  EXPECT_EQ(f.Picture1->foreColor(), Ink);
  EXPECT_EQ(f.textsettings[7], QString::number(Ink));
  EXPECT_EQ(f.texttoplace, QStringLiteral("HI"));
  EXPECT_FALSE(f.Picture1->autoRedraw());
}

TEST_F(SetTest, CommitRefreshesTheCopyOopsDoesNotShow) {
  Form1& f = prepare();
  placeText(60, 60);
  f.Label26_Click();
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture())) << "OOPS white: the after-picture";
  EXPECT_FALSE(f.Image13->hasPicture());

  f.Command31->setBackColor(colour::state::OopsBefore);
  f.Image14->clearPicture();
  placeText(150, 150);
  f.Label26_Click();
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image13->picture())) << "OOPS black: the before-picture";
  EXPECT_FALSE(f.Image14->hasPicture());
}

TEST_F(SetTest, HeaderMakerCommitKeepsTheOopsCopies) {
  Form1& f = prepare();
  f.makeheader->setChecked(true);
  placeText(60, 60);
  f.Label26_Click();
  EXPECT_GT(countColour(f.Picture1->picture(), colour::rgb(101, 151, 253)), 0);
  EXPECT_FALSE(f.Image14->hasPicture());
  EXPECT_FALSE(f.Image13->hasPicture());
}

TEST_F(SetTest, PendingShapeIsCommitted) {
  Form1& f = prepare();
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 30;
  f.Picture1_MouseDown(Left, 0, 100, 100);
  f.Label26->setBackColor(colour::state::Armed);
  f.dragsource = 99;
  f.VScroll4->show();
  f.Label26_Click();
  EXPECT_GT(countColour(f.Picture1->picture(), Ink, QRect(65, 65, 71, 71)), 0);
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("  Things"));
  EXPECT_EQ(f.dragsource, 0);
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_TRUE(f.VScroll4->isHidden());
  EXPECT_FALSE(f.Picture1->autoRedraw());
}

TEST_F(SetTest, DrawCommitIgnoresTheGradRefusal) {
  Form1& f = prepare();
  f.Option8->setValue(true);
  f.Picture1_MouseDown(Left, 0, 20, 100);
  f.Picture1_MouseMove(Left, 0, 200, 100);
  chooseGradWithAngle();
  f.Label26_Click();
  EXPECT_TRUE(dialogs->calls.empty());
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_GT(countColour(f.Picture1->picture(), Ink), 0) << "the stroke is committed";
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture()));
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  EXPECT_FALSE(f.Picture1->autoRedraw());
  EXPECT_EQ(f.startx, 1020);
  EXPECT_EQ(f.textangle, 0);
  EXPECT_EQ(f.minx, 340) << "the drawn-area box is emptied";
}

TEST_F(SetTest, GradWithRotatedTextIsRefusedAndKeepsTheWork) {
  Form1& f = prepare();
  placeText(60, 60);
  chooseGradWithAngle();
  const QImage before = f.Picture1->picture();
  f.Label26_Click();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_EQ(dialogs->calls[0].prompt,
            QStringLiteral("Does not work correctly with rotated texts. Will exit without change."));
  EXPECT_EQ(f.Label26->backColor(), colour::state::Armed);
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
  EXPECT_GT(countColour(f.Picture1->shown(), Ink), 0) << "the text stays pending";
  EXPECT_EQ(f.textangle, 450);
  EXPECT_EQ(f.startx, 60);
}

TEST_F(SetTest, FollowMouseSetOnlyEndsThePlacing) {
  Form1& f = prepare();
  f.Option7->setValue(true);
  f.Check18->setValue(1);
  f.Image6->setPicture(solidImage(64, 64, Blue));
  f.Picture1_MouseDown(Left, 0, 20, 20);
  f.Picture1_MouseMove(Left, 0, 60, 60);
  const QImage committedBefore = f.Picture1->picture();
  f.Label26_MouseDown(Left, 0, 5, 5);
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Picture2->picture()));
  EXPECT_FALSE(f.Image6->hasPicture());
  f.Label26_Click();
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_TRUE(sameImage(committedBefore, f.Picture1->picture())) << "nothing is committed";
}

TEST_F(SetTest, InsertCommitTakesTheSizeBiggerShowed) {
  Form1& f = prepare();
  f.Option7->setValue(true);
  f.Image6->setPicture(solidImage(64, 64, Blue));
  f.Label26->setBackColor(colour::state::Armed);
  f.picinpicsize = 130;
  f.picturefontmode = 100;
  f.startx = 10;
  f.starty = 10;
  f.dragsource = 3;
  f.Label26_Click();
  EXPECT_DOUBLE_EQ(f.picinpicsize, 136.5);
  EXPECT_EQ(f.picturefontmode, 0);
  EXPECT_EQ(f.dragsource, 0);
  const int w = countColour(f.Picture1->picture(), Blue, QRect(0, 20, 320, 1));
  EXPECT_GE(w, 136);
  EXPECT_LE(w, 137);
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture()));
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
}

TEST_F(SetTest, IdleSetDoesNothing) {
  Form1& f = prepare();
  queueRandom({0.5});
  f.Label26_Click();
  EXPECT_FALSE(f.Image14->hasPicture());
  EXPECT_EQ(randomValues->size(), 1u);
}

}  // namespace
