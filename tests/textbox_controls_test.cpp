#include <QTextCursor>

#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long kShape = 0xFF0000;  // blue, the text colour of the shapes

class TextBoxControlsTest : public OnWhiteTest {
 protected:
  void SetUp() override {
    OnWhiteTest::SetUp();
    form->textsettings[7] = QString::number(kShape);
  }
  void chooseThing(const QString& item) {
    form->Combo1->setText(item);
    form->Combo1_Click();
  }
  // Pixels (x, y, colour) the screen must show.
  void expectShown(std::initializer_list<std::tuple<int, int, long>> pixels) const {
    const QImage img = form->Picture1->shown();
    for (auto [x, y, c] : pixels) EXPECT_EQ(pixelAt(img, x, y), c) << x << "," << y;
  }
};

TEST_F(TextBoxControlsTest, EditingThrowsAwayPendingTextAndTheMarkedPartAndReleasesTakeTheSelection) {
  Form1& f = *form;
  pendOnScreen();
  f.markedtext = QStringLiteral("DE");
  f.Text1->setText(QStringLiteral("CQ DE G4ABC"));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.markedtext, f.texttoplace),
            std::tuple(SetIdle, QString(), QString("CQ DE G4ABC")));
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));

  pendOnScreen();
  f.markedtext = QStringLiteral("G4");
  f.Text1_DblClick();
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.Text1->text(), f.markedtext, f.texttoplace),
            std::tuple(SetIdle, QString(), QString(), QString()));
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));

  // A release in the text box takes the selection or nothing; in the file list it moves the anchor.
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
  f.File1_MouseUp(1, 0, 37.5, 81);
  EXPECT_EQ(std::tuple(f.startx, f.starty, f.Picture1->currentX, f.Picture1->currentY), std::tuple(37.5, 81, 37.5, 81));
}

TEST_F(TextBoxControlsTest, ShapeHeightCountsChangesAndRedrawsThePendingShape) {
  Form1& f = *form;
  f.Combo1_GotFocus();
  chooseThing(QStringLiteral("Ellipse"));
  f.VScroll4->setValueChecked(20);  // one change, however far
  EXPECT_EQ(std::tuple(f.shapeaspect, f.shapescrollvalue), std::tuple(0.5 * 10 / 9, 20));
  expectShown({{260, 128, kShape}, {160, 128 - 56, kShape}, {160, 128 - 50, White}});  // taller: half axes 100, 56
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
  expectShown({{160, 78, 0xFF}, {160, 200, White}, {110, 200, 0xFF}});  // top at starty - r/2, left edge 200 deep
  f.VScroll4->setValueChecked(0);
  expectShown({{160, 78, 0xFF}, {110, 100, White}});

  // Circle: the change only clears.
  f.Combo1->setText(QStringLiteral("Circle"));
  f.VScroll4->setValueChecked(5);
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
}

TEST_F(TextBoxControlsTest, ThingsShapeIsDrawnPendingAndRedrawnAtThePendingAnchor) {
  Form1& f = *form;
  f.Combo1_GotFocus();
  f.startx = 30;
  const QImage oopsBefore = f.Image13->picture();
  chooseThing(QStringLiteral("Ellipse"));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.dragsource, f.Picture1->drawWidth(), f.VScroll4->isHidden(), f.startx,
                       f.starty),
            std::tuple(Armed, 99, 3, false, 160.0, 128.0));
  // Half axes 100 and 50 about (160, 128), on the erasable layer only.
  expectShown({{60, 128, kShape}, {260, 128, kShape}, {160, 78, kShape}, {160, 178, kShape}, {160, 128, White}});
  EXPECT_TRUE(sameImage(white, f.Picture1->image()));
  EXPECT_TRUE(sameImage(oopsBefore, f.Image13->picture()));  // SET makes the shape a step, not its placing

  // Dragged elsewhere, then the list clicked again: redrawn where it is pending.
  f.startx = 100;
  f.starty = 90;
  chooseThing(QStringLiteral("Ellipse"));
  expectShown({{200, 90, kShape}, {260, 128, White}});

  // A circle has aspect 1 and hides the height bar; a box uses the fore colour.
  chooseThing(QStringLiteral("Circle"));
  EXPECT_TRUE(f.VScroll4->isHidden());
  expectShown({{100, 190, kShape}});
  f.Picture1->setForeColor(0xFF00);
  chooseThing(QStringLiteral("Box"));
  // Square at the value 9, its corner at (startx - 50, starty - 50).
  expectShown({{50, 40, 0xFF00}, {149, 139, 0xFF00}, {100, 190, White}});
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
  EXPECT_EQ(std::tuple(f.Combo1->text(), f.Label26->backColor()), std::tuple(QString("  Things"), SetIdle));
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
  // The raised change saw no step.
  EXPECT_EQ(std::tuple(f.shaperadius, f.shapeaspect, f.shapescrollvalue, f.VScroll4->value(), f.startx, f.starty),
            std::tuple(100.0, 0.5, 9, 9, 160.0, 128.0));

  f.Combo1->setText(QStringLiteral("Red"));
  f.Combo1_LostFocus();
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("  Things"));
  f.Combo1->setText(QStringLiteral("Circle"));
  f.Combo1_LostFocus();
  EXPECT_EQ(f.Combo1->text(), QStringLiteral("Circle"));
}

}  // namespace
