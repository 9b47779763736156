#include <vector>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

constexpr long White = 0xFFFFFF;
constexpr long Ink = colour::rgb(200, 30, 40);
constexpr long OutlineBlue = colour::rgb(0, 0, 220);
constexpr long ShadowGreen = colour::rgb(0, 160, 0);
constexpr int Left = 1;
constexpr int Right = 2;

// A form with a white picture, big text "HI" in Text mode, and drags recorded instead of run.
class CanvasMouseTest : public FormTest {
 protected:
  Form1& prepare() {
    Form1& f = build();
    f.Picture1->setPicture(solidImage(320, 256, White));
    f.Picture1->font.size = 24;
    f.Picture1->setForeColor(Ink);
    f.textsettings[7] = QString::number(Ink);
    f.Text1->setText(QStringLiteral("HI"));
    f.beginDrag = [this](QWidget*) { drags.push_back(form->dragsource); };
    return f;
  }
  // The rectangle the text "HI" in 24 points covers when anchored at (x, y), with room to spare.
  static QRect textArea(int x, int y) { return QRect(x - 4, y - 4, 90, 60); }
  std::vector<int> drags;
};

TEST_F(CanvasMouseTest, TextFollowsThePressAndTheDrag) {
  Form1& f = prepare();
  f.Picture1_MouseDown(Left, 0, 40, 40);
  EXPECT_EQ(f.Label26->backColor(), colour::state::Armed);
  const int placed = countColour(f.Picture1->shown(), Ink, textArea(40, 40));
  EXPECT_GT(placed, 30);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink), placed) << "text drawn outside its place";
  EXPECT_EQ(countColour(f.Picture1->image(), Ink), 0) << "pending text must stay off the persistent image";

  f.Picture1_MouseMove(Left, 0, 170, 150);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink, textArea(40, 40)), 0);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink, textArea(170, 150)), placed);
  EXPECT_EQ(f.startx, 170);
  EXPECT_EQ(f.starty, 150);

  // A move without the left button leaves the text where it is.
  f.Picture1_MouseMove(0, 0, 60, 60);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink, textArea(170, 150)), placed);
}

TEST_F(CanvasMouseTest, ShadowAndOutlineComeWithTheLeftRelease) {
  Form1& f = prepare();
  f.palette[1]->setBackColor(OutlineBlue);
  f.HScroll4->setValueChecked(0);
  f.shadowcolour = ShadowGreen;
  f.shadowdepth = 9;
  f.Option5->setValue(true);
  f.Check17->setValue(1);
  f.Check15->setValue(1);

  f.Picture1_MouseDown(Left, 0, 60, 60);
  EXPECT_EQ(countColour(f.Picture1->shown(), ShadowGreen), 0);
  EXPECT_EQ(countColour(f.Picture1->shown(), OutlineBlue), 0);

  f.Picture1_MouseUp(Right, 0, 60, 60);
  EXPECT_EQ(countColour(f.Picture1->shown(), ShadowGreen), 0) << "a right release redraws nothing";

  f.Picture1_MouseUp(Left, 0, 60, 60);
  EXPECT_GT(countColour(f.Picture1->shown(), ShadowGreen), 0);
  EXPECT_GT(countColour(f.Picture1->shown(), OutlineBlue), 0);
  EXPECT_GT(countColour(f.Picture1->shown(), Ink), 0) << "the text is printed over its shadow";
}

TEST_F(CanvasMouseTest, DrawModeStrokeHasTheDrawWidthAndWidensTheBox) {
  Form1& f = prepare();
  f.Option8->setValue(true);
  f.Text6->setText(QStringLiteral("5"));
  f.Picture1_MouseDown(Left, 0, 20, 100);
  EXPECT_EQ(f.Picture1->drawWidth(), 5);
  f.Picture1_MouseMove(Left, 0, 200, 100);
  // The stroke is in the persistent image already: SET only has to commit it.
  EXPECT_EQ(countColour(f.Picture1->image(), Ink, QRect(100, 0, 1, 256)), 5);
  EXPECT_EQ(f.minx, 200);
  EXPECT_EQ(f.maxx, 200);
  EXPECT_EQ(f.miny, 100);
  EXPECT_EQ(f.maxy, 100);
  f.Picture1_MouseMove(Left, 0, 50, 150);
  EXPECT_EQ(f.minx, 50);
  EXPECT_EQ(f.maxx, 200);
  EXPECT_EQ(f.maxy, 150);
  f.Picture1_MouseUp(Left, 0, 50, 150);
  EXPECT_GT(countColour(f.Picture1->image(), Ink), 0) << "the stroke survives the release";
}

TEST_F(CanvasMouseTest, DrawWidthFromTheTextBoxIsHeldToItsRange) {
  Form1& f = prepare();
  f.Option8->setValue(true);
  f.Text6->setText(QStringLiteral("12"));
  f.Picture1_MouseDown(Left, 0, 20, 100);
  EXPECT_EQ(f.HScroll1->value(), 9);
  EXPECT_EQ(f.Picture1->drawWidth(), 9);
  f.Text6->setText(QStringLiteral("thick"));
  f.Picture1_MouseDown(Left, 0, 20, 120);
  EXPECT_EQ(f.Picture1->drawWidth(), 9) << "a text that is no number keeps the width";
  f.Text6->setText(QStringLiteral("0"));
  f.Picture1_MouseDown(Left, 0, 20, 140);
  EXPECT_EQ(f.Picture1->drawWidth(), 1);
}

TEST_F(CanvasMouseTest, RightPressEndsPendingWork) {
  Form1& f = prepare();
  // A pending shape is cancelled by Undo, and no drag starts.
  f.dragsource = 99;
  f.Label26->setBackColor(colour::state::Armed);
  f.VScroll4->show();
  f.Picture1->Circle(100, 100, 30, Ink);
  f.Picture1_MouseDown(Right, 0, 50, 50);
  EXPECT_EQ(f.dragsource, 0);
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_TRUE(f.VScroll4->isHidden());
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink), 0);
  EXPECT_TRUE(drags.empty());

  // Pending text goes and the picture itself is dragged away.
  f.Picture1_MouseDown(Left, 0, 40, 40);
  ASSERT_GT(countColour(f.Picture1->shown(), Ink), 0);
  f.Picture1_MouseDown(Right, 0, 40, 40);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink), 0);
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle);
  EXPECT_EQ(drags, std::vector<int>{8});

  // With PatFil armed the text still goes but nothing is dragged.
  f.dragsource = 0;
  f.Picture1_MouseDown(Left, 0, 40, 40);
  f.Label32->setBackColor(colour::state::Armed);
  f.Picture1_MouseDown(Right, 0, 40, 40);
  EXPECT_EQ(countColour(f.Picture1->shown(), Ink), 0);
  EXPECT_EQ(f.dragsource, 0);
  EXPECT_EQ(drags.size(), 1u);
}

TEST_F(CanvasMouseTest, PatFilPressDragsThePickedColour) {
  Form1& f = prepare();
  f.Picture1->setPicture(solidImage(320, 256, OutlineBlue));
  f.Label32->setBackColor(colour::state::Armed);
  f.Picture1_MouseDown(Left, 0, 10, 10);
  EXPECT_EQ(f.pickedcolour, OutlineBlue);
  EXPECT_EQ(f.operationmarker, 201);
  EXPECT_EQ(drags.size(), 1u);
  EXPECT_EQ(f.Label26->backColor(), colour::state::SetIdle) << "a colour drag puts nothing pending";
}

TEST_F(CanvasMouseTest, DraggedShapeWidensTheBoxByItsCentre) {
  Form1& f = prepare();
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 20;
  f.emptyDrawnArea();
  f.Picture1_MouseMove(Left, 0, 100, 50);
  EXPECT_EQ(f.minx, 80);
  EXPECT_EQ(f.maxx, 120);
  EXPECT_EQ(f.miny, 30);
  EXPECT_EQ(f.maxy, 70);
  EXPECT_EQ(f.startx, 100);
  EXPECT_GT(countColour(f.Picture1->shown(), Ink, QRect(75, 25, 51, 51)), 0) << "the shape follows the pointer";
  f.Picture1_MouseMove(Left, 0, 105, 50);
  EXPECT_EQ(f.maxx, 120);
  f.Picture1_MouseMove(Left, 0, 121, 50);
  EXPECT_EQ(f.maxx, 141);

  // Any button moves the shape on a press; nothing else runs.
  f.Picture1_MouseDown(Right, 0, 200, 200);
  EXPECT_EQ(f.startx, 200);
  EXPECT_TRUE(drags.empty());
}

TEST_F(CanvasMouseTest, InsertIsCentredOnThePointerAndDragged) {
  Form1& f = prepare();
  f.Option7->setValue(true);
  f.Picture2->setPicture(solidImage(320, 256, OutlineBlue));
  f.Image6->setPicture(solidImage(64, 64, OutlineBlue));
  f.picinpicsize = 100;
  f.Picture1_MouseDown(Left, 0, 160, 128);
  EXPECT_EQ(f.Label26->backColor(), colour::state::Armed);
  EXPECT_EQ(f.startx, 110);
  EXPECT_EQ(f.starty, 88);
  EXPECT_EQ(countColour(f.Picture1->shown(), OutlineBlue), 100 * 80);
  EXPECT_EQ(countColour(f.Picture1->shown(), OutlineBlue, QRect(110, 88, 100, 80)), 100 * 80);

  f.Picture1_MouseMove(Left, 0, 100, 100);
  EXPECT_EQ(countColour(f.Picture1->shown(), OutlineBlue, QRect(50, 60, 100, 80)), 100 * 80);
  EXPECT_EQ(countColour(f.Picture1->shown(), OutlineBlue), 100 * 80) << "the old place is cleared";
  EXPECT_EQ(countColour(f.Picture1->image(), OutlineBlue), 0) << "the insert stays pending";
}

TEST_F(CanvasMouseTest, FollowMouseGrowsTheInsertAndLaysATrail) {
  Form1& f = prepare();
  f.Option7->setValue(true);
  f.Check18->setValue(1);
  f.Image6->setPicture(solidImage(64, 64, OutlineBlue));
  f.Picture1_MouseDown(Left, 0, 20, 20);
  EXPECT_EQ(f.picinpicsize, 1);
  for (int i = 1; i <= 50; ++i) f.Picture1_MouseMove(Left, 0, 20 + 4 * i, 20 + 3 * i);
  EXPECT_EQ(f.picinpicsize, 51);
  EXPECT_GT(countColour(f.Picture1->image(), OutlineBlue), 500) << "the trail is stamped into the persistent image";
  f.Picture1_MouseUp(Left, 0, 220, 170);
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Image13->picture())) << "OOPS returns to the trail so far";
}

}  // namespace
