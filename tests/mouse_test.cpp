#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long Ink = colour::rgb(200, 30, 40);
constexpr long Blue = colour::rgb(0, 0, 220);
constexpr long ShadowGreen = colour::rgb(0, 160, 0);
using mousebutton::Left, mousebutton::Right;

// The rectangle the text "HI" in 24 points covers when anchored at (x, y), with room to spare.
QRect textArea(int x, int y) { return QRect(x - 4, y - 4, 90, 60); }

class CanvasMouseTest : public FormTest {
 protected:
  int shownInk(const QRect& area = QRect()) const { return countColour(form->Picture1->shown(), Ink, area); }
};

// The text follows the press and the drag alone; its shadow (green) and outline (blue) come with
// the left release.
TEST_F(CanvasMouseTest, TextFollowsThePressAndTheDragAndTheLeftReleaseAddsShadowAndOutline) {
  Form1& f = prepareText(Ink);
  f.palette[1]->setBackColor(Blue);
  f.HScroll4->setValueChecked(0);
  f.shadowcolour = ShadowGreen;
  withShadowAndOutline();
  const auto layers = [&f] {
    const QImage shown = f.Picture1->shown();
    return std::tuple(countColour(shown, ShadowGreen) > 0, countColour(shown, Blue) > 0, countColour(shown, Ink) > 0);
  };
  f.Picture1_MouseDown(Left, 0, 40, 40);
  EXPECT_EQ(f.Label26->backColor(), Armed);
  const int placed = shownInk(textArea(40, 40));
  EXPECT_GT(placed, 30);
  EXPECT_EQ(shownInk(), placed) << "text drawn outside its place";
  EXPECT_EQ(countColour(f.Picture1->image(), Ink), 0) << "pending text must stay off the persistent image";

  f.Picture1_MouseMove(Left, 0, 170, 150);
  EXPECT_EQ(std::tuple(shownInk(textArea(40, 40)), shownInk(textArea(170, 150)), f.startx, f.starty),
            std::tuple(0, placed, 170.0, 150.0));
  f.Picture1_MouseMove(0, 0, 60, 60);  // no button: the text stays
  EXPECT_EQ(shownInk(textArea(170, 150)), placed);
  EXPECT_EQ(layers(), std::tuple(false, false, true));
  f.Picture1_MouseUp(Right, 0, 60, 60);
  EXPECT_EQ(layers(), std::tuple(false, false, true)) << "a right release redraws nothing";
  f.Picture1_MouseUp(Left, 0, 60, 60);
  EXPECT_EQ(layers(), std::tuple(true, true, true)) << "the text is printed over its shadow and outline";
}

// The width follows its scroll bar, or the box typed into, taken at the next press: held to
// 1..9, and a text that is no number keeps the width. The stroke goes to the persistent image
// at once (SET only commits it) and widens the drawn-area box.
TEST_F(CanvasMouseTest, DrawModeStrokeTakesTheWidthOfTheScrollBarOrTheBoxHeldToItsRange) {
  Form1& f = prepareText(Ink);
  f.Option8->setValue(true);
  const struct { int scroll; const char* typed; int width; } cases[] = {
      {9, nullptr, 9}, {1, nullptr, 1}, {0, "12", 9}, {0, "thick", 9}, {0, "0", 1}, {0, "5", 5}};
  for (const auto& c : cases) {
    if (c.typed) {
      f.Text6->setText(QString::fromLatin1(c.typed));
      f.Picture1_MouseDown(Left, 0, 20, 100);
    } else {
      f.HScroll1->setValueChecked(c.scroll);
      EXPECT_EQ(f.Text6->text(), QString::number(c.scroll));
    }
    EXPECT_EQ(std::tuple(f.HScroll1->value(), f.Picture1->drawWidth()), std::tuple(c.width, c.width))
        << (c.typed ? c.typed : "scroll bar");
  }
  f.Picture1_MouseMove(Left, 0, 200, 100);
  EXPECT_EQ(countColour(f.Picture1->image(), Ink, QRect(100, 0, 1, 256)), 5);
  EXPECT_EQ(drawnArea(f), std::tuple(200, 200, 100, 100));
  f.Picture1_MouseMove(Left, 0, 50, 150);
  EXPECT_EQ(drawnArea(f), std::tuple(50, 200, 100, 150));
  f.Picture1_MouseUp(Left, 0, 50, 150);
  EXPECT_GT(countColour(f.Picture1->image(), Ink), 0) << "the stroke survives the release";
}

// A right press ends pending work and drags the picture away, except a shape's or with PatFil
// armed; a PatFil press drags the colour under it and puts nothing pending, and its cross stays.
TEST_F(CanvasMouseTest, RightPressEndsPendingWorkAndPatFilPressDragsThePickedColour) {
  Form1& f = prepareText(Ink);
  f.dragsource = 99;
  f.Label26->setBackColor(Armed);
  f.VScroll4->show();
  f.Picture1->Circle(100, 100, 30, Ink);
  f.Picture1_MouseDown(Right, 0, 50, 50);
  EXPECT_EQ(std::tuple(f.dragsource, f.Label26->backColor(), f.VScroll4->isHidden(), shownInk(), drags.size()),
            std::tuple(0, SetIdle, true, 0, size_t(0)));

  f.Picture1_MouseDown(Left, 0, 40, 40);
  ASSERT_GT(shownInk(), 0);
  f.Picture1_MouseDown(Right, 0, 40, 40);
  EXPECT_EQ(std::tuple(shownInk(), f.Label26->backColor(), drags), std::tuple(0, SetIdle, std::vector<int>{8}));

  f.dragsource = 0;
  f.Picture1_MouseDown(Left, 0, 40, 40);
  f.Label32->setBackColor(Armed);
  f.Picture1_MouseDown(Right, 0, 40, 40);
  EXPECT_EQ(std::tuple(shownInk(), f.dragsource, drags.size()), std::tuple(0, 0, size_t(1)));

  f.Picture1->setPicture(solidImage(320, 256, Blue));
  int markerWhileDragged = 0;
  f.beginDrag = [&](QWidget*) { markerWhileDragged = f.operationmarker; };
  f.Picture1_MouseDown(Left, 0, 10, 10);
  // The colour travels with the drag; a drag that ends without a fill leaves nothing armed or pending.
  EXPECT_EQ(std::tuple(f.pickedcolour, markerWhileDragged, f.operationmarker, f.Label26->backColor()),
            std::tuple(Blue, 201, 0, SetIdle));
  // The drag swallows the release: the cross of the colour pick stays until the next mouse-up.
  f.beginDrag = [&f](QWidget* source) { f.startQDrag(source); };
  f.Picture1_MouseDown(Left, 0, 10, 10);
  EXPECT_EQ(std::tuple(f.Picture1->mousePointer(), f.Picture1->cursor().shape()), std::tuple(2, Qt::CrossCursor));
  f.Picture1_MouseUp(Left, 0, 10, 10);
  EXPECT_EQ(f.Picture1->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CanvasMouseTest, DraggedShapeWidensTheBoxByItsCentre) {
  Form1& f = prepareText(Ink);
  f.Combo1->setText(QStringLiteral("Circle"));
  f.shaperadius = 20;
  f.emptyDrawnArea();
  f.Picture1_MouseMove(Left, 0, 100, 50);
  EXPECT_EQ(drawnArea(f), std::tuple(80, 120, 30, 70));
  EXPECT_EQ(f.startx, 100);
  EXPECT_GT(shownInk(QRect(75, 25, 51, 51)), 0) << "the shape follows the pointer";
  f.Picture1_MouseMove(Left, 0, 105, 50);
  EXPECT_EQ(f.maxx, 120);
  f.Picture1_MouseMove(Left, 0, 121, 50);
  EXPECT_EQ(f.maxx, 141);
  // Any button moves the shape on a press; nothing else runs.
  f.Picture1_MouseDown(Right, 0, 200, 200);
  EXPECT_EQ(std::tuple(f.startx, drags.size()), std::tuple(200.0, size_t(0)));
}

// An insert is centred on the pointer and dragged, pending; with Follow Mouse it grows by one at
// each move and lays a trail into the persistent image.
TEST_F(CanvasMouseTest, InsertIsCentredOnThePointerAndDraggedOrLaysAGrowingTrail) {
  Form1& f = prepareText(Ink);
  f.Option7->setValue(true);
  f.Picture2->setPicture(solidImage(320, 256, Blue));
  f.Image6->setPicture(solidImage(64, 64, Blue));
  f.picinpicsize = 100;
  f.Picture1_MouseDown(Left, 0, 160, 128);
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.startx, f.starty), std::tuple(Armed, 110.0, 88.0));
  const auto blue = [&f](const QRect& area) { return countColour(f.Picture1->shown(), Blue, area); };
  EXPECT_EQ(std::tuple(blue(QRect()), blue(QRect(110, 88, 100, 80))), std::tuple(100 * 80, 100 * 80));
  f.Picture1_MouseMove(Left, 0, 100, 100);
  EXPECT_EQ(std::tuple(blue(QRect()), blue(QRect(50, 60, 100, 80))), std::tuple(100 * 80, 100 * 80))
      << "the old place is cleared";
  EXPECT_EQ(countColour(f.Picture1->image(), Blue), 0) << "the insert stays pending";

  f.Label26->setBackColor(SetIdle);
  f.Picture1->Cls();
  f.Check18->setValue(1);
  f.Picture1_MouseDown(Left, 0, 20, 20);
  EXPECT_EQ(f.picinpicsize, 1);
  for (int i = 1; i <= 50; ++i) f.Picture1_MouseMove(Left, 0, 20 + 4 * i, 20 + 3 * i);
  EXPECT_EQ(f.picinpicsize, 51);
  EXPECT_GT(countColour(f.Picture1->image(), Blue), 500) << "the trail is stamped into the persistent image";
  f.Picture1_MouseUp(Left, 0, 220, 170);
  EXPECT_TRUE(sameImage(f.Picture1->image(), f.Image13->picture())) << "OOPS returns to the trail so far";
}

}  // namespace
