#include <cmath>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;
using colour::rgb;

namespace {

constexpr long Ink = rgb(100, 150, 200);
constexpr long Blue = rgb(0, 0, 220);
using mousebutton::Left;

class SetTest : public FormTest {
 protected:
  // Text placed by a left press at (x, y), pending.
  void placeText(double x, double y) {
    form->Picture1_MouseDown(Left, 0, x, y);
    form->Picture1_MouseUp(Left, 0, x, y);
    ASSERT_GT(countColour(form->Picture1->shown(), form->Picture1->foreColor()), 0);
  }
  void chooseGradWithAngle() {
    form->Label34->setCaption(QStringLiteral("  Grad"));
    form->Label34->setBackColor(Armed);
    form->textangle = 450;
  }
};

// Each channel rises by its own 1 to 5 (random source at its bottom, middle and top) and stops
// at 255; Undo cannot take the committed text, and the pen goes back to the preview colour.
TEST_F(SetTest, TextIsCommittedInAJitteredColourAndSurvivesUndo) {
  const double top = std::nextafter(1.0, 0.0);
  const struct { long ink; std::vector<double> random; long committed; } cases[] = {
      {Ink, {0.0, 0.5, top}, rgb(101, 153, 205)}, {rgb(255, 252, 254), {top, top, 0.2}, rgb(255, 255, 255)}};
  for (const auto& c : cases) {
    Form1& f = prepareText(c.ink);
    placeText(60, 60);
    queueRandom(c.random);
    f.Label26_Click();
    EXPECT_EQ(f.Label26->backColor(), SetIdle);
    const int committed = countColour(f.Picture1->picture(), c.committed);
    EXPECT_GT(committed, 30) << std::hex << c.committed;
    EXPECT_EQ(countColour(f.Picture1->picture(), c.ink), 0) << "the committed text differs from the preview";
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture1->shown())) << "no preview left over the committed text";
    f.Command12_Click();
    EXPECT_EQ(countColour(f.Picture1->shown(), c.committed), committed) << "Undo cannot take committed text";
    // The anchor leaves the picture.
    EXPECT_EQ(std::tuple(f.startx, f.starty, f.textangle, f.Picture1->foreColor(), f.textsettings[7], f.texttoplace,
                         f.Picture1->autoRedraw()),
              std::tuple(1060.0, 1060.0, 0, c.ink, QString::number(c.ink), QString("HI"), false));
  }
}

// Idle, SET does nothing, not even draw a jitter.
TEST_F(SetTest, CommitRefreshesTheCopyOopsDoesNotShowAndHeaderMakingNeither) {
  Form1& f = prepareText(Ink);
  queueRandom({0.5});
  f.Label26_Click();
  EXPECT_EQ(std::tuple(f.Image14->hasPicture(), randomValues->size()), std::tuple(false, size_t(1)));
  randomValues->clear();

  placeText(60, 60);
  f.Label26_Click();
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture())) << "OOPS white: the after-picture";
  EXPECT_FALSE(f.Image13->hasPicture());

  f.Command31->setBackColor(OopsBefore);
  f.Image14->clearPicture();
  placeText(150, 150);
  f.Label26_Click();
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image13->picture())) << "OOPS black: the before-picture";
  EXPECT_FALSE(f.Image14->hasPicture());

  Form1& g = prepareText(Ink);
  g.makeheader->setChecked(true);
  placeText(60, 60);
  g.Label26_Click();
  EXPECT_GT(countColour(g.Picture1->picture(), rgb(101, 151, 201)), 0);
  EXPECT_FALSE(g.Image14->hasPicture() || g.Image13->hasPicture());
}

TEST_F(SetTest, PendingShapeIsCommitted) {
  Form1& f = prepareText(Ink);
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 30;
  f.Picture1_MouseDown(Left, 0, 100, 100);
  f.Label26->setBackColor(Armed);
  f.dragsource = 99;
  f.VScroll4->show();
  f.Label26_Click();
  EXPECT_GT(countColour(f.Picture1->picture(), Ink, QRect(65, 65, 71, 71)), 0);
  EXPECT_EQ(std::tuple(f.Combo1->text(), f.dragsource, f.Label26->backColor(), f.VScroll4->isHidden(),
                       f.Picture1->autoRedraw()),
            std::tuple(QString("  Things"), 0, SetIdle, true, false));
}

// With Grad chosen and the text turned SET refuses to commit text and keeps it pending; a Draw
// stroke is committed all the same.
TEST_F(SetTest, GradWithRotatedTextIsRefusedButADrawStrokeIsCommitted) {
  Form1& f = prepareText(Ink);
  placeText(60, 60);
  chooseGradWithAngle();
  const QImage before = f.Picture1->picture();
  f.Label26_Click();
  EXPECT_TRUE(shownOnce(QString(), QStringLiteral("Does not work correctly with rotated texts. Will exit without change."),
                        vb::OKOnly));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.textangle, f.startx), std::tuple(Armed, 450, 60.0));
  EXPECT_TRUE(sameImage(before, f.Picture1->picture()));
  EXPECT_GT(countColour(f.Picture1->shown(), Ink), 0) << "the text stays pending";

  dialogs->calls.clear();
  f.Option8->setValue(true);
  f.Picture1_MouseDown(Left, 0, 20, 100);
  f.Picture1_MouseMove(Left, 0, 200, 100);
  chooseGradWithAngle();
  f.Label26_Click();
  EXPECT_EQ(std::tuple(dialogs->calls.size(), f.Label26->backColor(), f.Picture1->autoRedraw(), f.startx, f.textangle),
            std::tuple(size_t(0), SetIdle, false, 1020.0, 0));
  EXPECT_GT(countColour(f.Picture1->picture(), Ink, QRect(100, 0, 1, 256)), 0) << "the stroke is committed";
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture()));
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image6->picture()));
  EXPECT_EQ(drawnArea(f), std::tuple(340, 0, 256, 0)) << "the drawn-area box is emptied";
}

// An insert is committed at the size Bigger showed; with Follow Mouse, SET only ends the placing,
// its press making the trail the picture the next insert lands on.
TEST_F(SetTest, InsertCommitTakesTheSizeBiggerShowedAndFollowMouseSetOnlyEndsThePlacing) {
  Form1& f = prepareText(Ink);
  f.Option7->setValue(true);
  f.Image6->setPicture(solidImage(64, 64, Blue));
  f.Label26->setBackColor(Armed);
  f.picinpicsize = 130;
  f.picturefontmode = 100;
  f.startx = f.starty = 10;
  f.dragsource = 3;
  f.Label26_Click();
  EXPECT_EQ(std::tuple(f.picinpicsize, f.picturefontmode, f.dragsource, f.Label26->backColor()),
            std::tuple(136.5, 0, 0, SetIdle));
  const int w = countColour(f.Picture1->picture(), Blue, QRect(0, 20, 320, 1));
  EXPECT_TRUE(w == 136 || w == 137) << w;
  EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Image14->picture()));

  f.Check18->setValue(1);
  f.Image6->setPicture(solidImage(64, 64, Blue));
  f.Picture1_MouseDown(Left, 0, 200, 20);
  f.Picture1_MouseMove(Left, 0, 240, 60);
  const QImage committedBefore = f.Picture1->picture();
  f.Label26_MouseDown(Left, 0, 5, 5);
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Picture2->picture()));
  EXPECT_FALSE(f.Image6->hasPicture());
  f.Label26_Click();
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_TRUE(sameImage(committedBefore, f.Picture1->picture())) << "nothing is committed";
}

}  // namespace
