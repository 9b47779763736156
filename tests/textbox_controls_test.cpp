#include <QTextCursor>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

using namespace colour::state;

namespace {

constexpr long kWhite = 0xFFFFFF;
constexpr long kShape = 0xFF0000;  // blue, the text colour of the shapes

class TextBoxControlsTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Form1& f = build();
    f.Picture1->setPicture(solidImage(320, 256, kWhite));
    f.textsettings[7] = QString::number(kShape);
  }
  void pendOnScreen() {
    form->Picture1->BoxFilled(10, 10, 40, 30, 0xFF);
    form->Label26->setBackColor(Armed);
  }
  void chooseThing(const QString& item) {
    form->Combo1->setText(item);
    form->Combo1_Click();
  }
  long shown(int x, int y) const { return pixelAt(form->Picture1->shown(), x, y); }
};

TEST_F(TextBoxControlsTest, EditingTheTextThrowsAwayPendingTextAndTheMarkedPart) {
  Form1& f = *form;
  pendOnScreen();
  f.markedtext = QStringLiteral("DE");
  f.Text1->setText(QStringLiteral("CQ DE G4ABC"));
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
  EXPECT_TRUE(f.markedtext.isEmpty());
  EXPECT_EQ(f.texttoplace, QStringLiteral("CQ DE G4ABC"));

  pendOnScreen();
  f.markedtext = QStringLiteral("G4");
  f.Text1_DblClick();
  EXPECT_TRUE(f.Text1->text().isEmpty());
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_TRUE(f.markedtext.isEmpty());
  EXPECT_TRUE(f.texttoplace.isEmpty());
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
}

TEST_F(TextBoxControlsTest, MouseReleaseTakesTheSelectionOrNothing) {
  Form1& f = *form;
  f.Text1->setText(QStringLiteral("CQ DE G4ABC"));
  f.Text1->setFocus();
  QTextCursor c = f.Text1->textCursor();
  c.setPosition(6);
  c.setPosition(11, QTextCursor::KeepAnchor);
  f.Text1->setTextCursor(c);
  f.Text1_MouseUp(1, 0, 0, 0);
  EXPECT_EQ(f.markedtext, QStringLiteral("G4ABC"));
  c.clearSelection();
  f.Text1->setTextCursor(c);
  f.Text1_MouseUp(1, 0, 0, 0);
  EXPECT_TRUE(f.markedtext.isEmpty());
}

TEST_F(TextBoxControlsTest, DrawWidthFollowsTheScrollBarAndFileListMovesTheAnchor) {
  Form1& f = *form;
  f.HScroll1->setValueChecked(9);
  EXPECT_EQ(f.Picture1->drawWidth(), 9);
  EXPECT_EQ(f.Text6->text(), QStringLiteral("9"));
  f.HScroll1->setValueChecked(1);
  EXPECT_EQ(f.Picture1->drawWidth(), 1);
  EXPECT_EQ(f.Text6->text(), QStringLiteral("1"));

  f.File1_MouseUp(1, 0, 37.5, 81);
  EXPECT_EQ(f.startx, 37.5);
  EXPECT_EQ(f.starty, 81);
  EXPECT_EQ(f.Picture1->currentX, 37.5);
  EXPECT_EQ(f.Picture1->currentY, 81);
}

TEST_F(TextBoxControlsTest, ShapeHeightCountsChangesAndRedrawsThePendingShape) {
  Form1& f = *form;
  f.Combo1_GotFocus();
  chooseThing(QStringLiteral("Ellipse"));
  f.VScroll4->setValueChecked(20);  // one change, however far
  EXPECT_DOUBLE_EQ(f.shapeaspect, 0.5 * 10 / 9);
  EXPECT_EQ(f.shapescrollvalue, 20);
  // The ellipse is redrawn taller (aspect 5/9: half axes 100 and 56).
  EXPECT_EQ(shown(260, 128), kShape);
  EXPECT_EQ(shown(160, 128 - 56), kShape);
  EXPECT_EQ(shown(160, 128 - 50), kWhite);
  double expected = f.shapeaspect;
  for (int v = 19; v >= 9; --v) {
    f.VScroll4->setValueChecked(v);
    expected = expected * 9 / 10;
  }
  EXPECT_DOUBLE_EQ(f.shapeaspect, expected);

  // Box: top edge fixed, growing downwards with the value.
  f.Picture1->setForeColor(0xFF);
  f.Combo1->setText(QStringLiteral("Box"));
  f.VScroll4->setValueChecked(18);
  EXPECT_EQ(shown(160, 78), 0xFF);   // top edge at starty - r/2
  EXPECT_EQ(shown(160, 200), kWhite);
  EXPECT_EQ(shown(110, 200), 0xFF);  // left edge reaches 200 rows deep: 78 + 200
  f.VScroll4->setValueChecked(0);
  EXPECT_EQ(shown(160, 78), 0xFF);
  EXPECT_EQ(shown(110, 100), kWhite);

  // Circle: the change only clears.
  f.Combo1->setText(QStringLiteral("Circle"));
  f.VScroll4->setValueChecked(5);
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
}

TEST_F(TextBoxControlsTest, ThingsShapeIsDrawnPendingAndRedrawnAtThePendingAnchor) {
  Form1& f = *form;
  f.Combo1_GotFocus();
  f.startx = 30;
  chooseThing(QStringLiteral("Ellipse"));
  EXPECT_EQ(f.Label26->backColor(), Armed);
  EXPECT_EQ(f.dragsource, 99);
  EXPECT_FALSE(f.VScroll4->isHidden());
  EXPECT_EQ(f.Picture1->drawWidth(), 3);
  EXPECT_EQ(f.startx, 160);
  EXPECT_EQ(f.starty, 128);
  // Half axes 100 and 50 about (160, 128), on the erasable layer only.
  for (QPoint p : {QPoint(60, 128), QPoint(260, 128), QPoint(160, 78), QPoint(160, 178)})
    EXPECT_EQ(shown(p.x(), p.y()), kShape) << p.x() << "," << p.y();
  EXPECT_EQ(shown(160, 128), kWhite);
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->image()));
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Image13->picture()));

  // Dragged elsewhere, then the list clicked again: redrawn where it is pending.
  f.startx = 100;
  f.starty = 90;
  chooseThing(QStringLiteral("Ellipse"));
  EXPECT_EQ(shown(200, 90), kShape);
  EXPECT_EQ(shown(260, 128), kWhite);

  // A circle has aspect 1 and hides the height bar; a box uses the fore colour.
  chooseThing(QStringLiteral("Circle"));
  EXPECT_TRUE(f.VScroll4->isHidden());
  EXPECT_EQ(shown(100, 190), kShape);
  f.Picture1->setForeColor(0xFF00);
  chooseThing(QStringLiteral("Box"));
  EXPECT_EQ(shown(50, 40), 0xFF00);   // top-left corner (startx - 50, starty - 50)
  EXPECT_EQ(shown(149, 139), 0xFF00);  // square at the value 9
  EXPECT_EQ(shown(100, 190), kWhite);
}

TEST_F(TextBoxControlsTest, ThingsListFocusResetsTheShapeValues) {
  Form1& f = *form;
  f.shaperadius = 40;
  f.shapeaspect = 0.8;
  f.shapescrollvalue = 3;
  f.VScroll4->setValueChecked(15);
  f.Combo1->setText(QStringLiteral("Box"));
  f.startx = 10;
  pendOnScreen();
  f.Combo1_GotFocus();
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("  Things"));
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
  EXPECT_EQ(f.shaperadius, 100);
  EXPECT_EQ(f.shapeaspect, 0.5);  // the raised change saw no step
  EXPECT_EQ(f.shapescrollvalue, 9);
  EXPECT_EQ(f.VScroll4->value(), 9);
  EXPECT_EQ(f.startx, 160);
  EXPECT_EQ(f.starty, 128);

  f.Combo1->setText(QStringLiteral("Red"));
  f.Combo1_LostFocus();
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("  Things"));
  f.Combo1->setText(QStringLiteral("Circle"));
  f.Combo1_LostFocus();
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("Circle"));
}

TEST_F(TextBoxControlsTest, ThingsShapesWaitInHeaderModeAndPassToUndo) {
  Form1& f = *form;
  f.Combo1_GotFocus();
  f.makeheader->setChecked(true);
  chooseThing(QStringLiteral("Ellipse"));
  EXPECT_EQ(f.dragsource, 0);
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  f.makeheader->setChecked(false);
  f.makeheader16->setChecked(true);
  chooseThing(QStringLiteral("Ellipse"));
  EXPECT_EQ(f.dragsource, 99);
  f.Command12_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, kWhite), f.Picture1->shown()));
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("  Things"));
  EXPECT_TRUE(f.VScroll4->isHidden());
}

}  // namespace
