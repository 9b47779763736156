#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include "platform/colour.h"
#include "platform/picturebox.h"
#include "platform/textfont.h"
#include "platform/textstamp.h"
#include "tests/support/checks.h"

// The canvas model: persistent image, erasable screen layer, clear and commit; Point reads the
// persistent image while AutoRedraw is on, and -1 outside.
TEST(PictureBoxLayers, ClearKeepsPersistentDrawingAndCommitMakesItThePicture) {
  PictureBox box(nullptr, 40, 30);
  box.setPicture(solidImage(40, 30, 0xFFFFFF));
  box.setAutoRedraw(true);
  box.PSet(5, 5, 0xFF);
  box.setAutoRedraw(false);
  box.PSet(6, 6, 0xFF00);
  EXPECT_EQ(box.Point(6, 6), 0xFF00);   // shown while AutoRedraw is off
  box.Cls();                            // clears only the screen layer
  EXPECT_EQ(box.Point(5, 5), 0xFF);
  EXPECT_EQ(box.Point(6, 6), 0xFFFFFF);
  box.setAutoRedraw(true);
  box.Cls();                            // with AutoRedraw on, back to the picture
  EXPECT_EQ(box.Point(5, 5), 0xFFFFFF);
  box.PSet(7, 7, 0xFF0000);
  box.commit();
  box.Cls();
  EXPECT_EQ(box.Point(7, 7), 0xFF0000);
  box.setAutoRedraw(false);
  box.PSet(1, 1, 0xFF);
  box.setAutoRedraw(true);
  EXPECT_EQ(std::tuple(box.Point(1, 1), box.Point(50, 1)), std::tuple(0xFFFFFFL, -1L));
}

TEST(PictureBoxText, StampedTextIsExactlyWhatThePainterDraws) {
  TextFont f;
  f.name = QStringLiteral("Arial");
  f.pixelHeight = 24;
  f.setBold(true);
  for (int escapement : {0, 300, 900, -450}) {
    QImage direct(200, 120, QImage::Format_RGB32);
    direct.fill(Qt::white);
    {
      QPainter p(&direct);
      p.translate(60, 50);
      p.rotate(-escapement / 10.0);
      p.setFont(f.qfont());
      p.setPen(Qt::red);
      p.drawText(0, QFontMetrics(f.qfont()).ascent(), QStringLiteral(" Marvane 73"));
    }
    QImage stamped(200, 120, QImage::Format_RGB32);
    stamped.fill(Qt::white);
    TextStamp::of(QStringLiteral(" Marvane 73"), f, escapement)->draw(stamped, QPoint(60, 50), qRgb(255, 0, 0), false, 0);
    EXPECT_TRUE(sameImage(direct, stamped)) << "escapement " << escapement;
    EXPECT_GT(countColour(stamped, 0xFF), 50);
    // Only the two colours: nothing antialiased.
    EXPECT_EQ(countColour(stamped, 0xFF) + countColour(stamped, 0xFFFFFF), 200 * 120);
  }
}

// Prints collected in a batch leave what printing them in turn leaves, with other drawing, a
// switch of layers and a commit in between, and with the character cells filled.
TEST(PictureBoxText, ABatchOfPrintsLeavesWhatPrintingThemInTurnLeaves) {
  const auto draw = [](PictureBox& box) {
    const auto printAt = [&box](double x, double y, long colour) {
      box.setForeColor(colour);
      box.currentX = x;
      box.currentY = y;
      box.Print(QStringLiteral("Marvane 73"));
    };
    box.setBackColor(0x808080);
    box.setPicture(solidImage(120, 60, 0xFFFFFF));
    box.setAutoRedraw(true);
    printAt(4, 4, 0xFF);
    box.Line(0, 0, 119, 59, 0xFF00);
    box.setFontTransparent(false);
    printAt(40.5, 25, 0xFF0000);
    box.commit();
    box.setAutoRedraw(false);
    printAt(30, 20, 0xFFFF);
  };
  PictureBox inTurn(nullptr, 120, 60);
  draw(inTurn);
  PictureBox batched(nullptr, 120, 60);
  {
    PictureBox::PrintBatch batch(batched);
    draw(batched);
  }
  EXPECT_TRUE(sameImage(inTurn.picture(), batched.picture()));
  EXPECT_TRUE(sameImage(inTurn.shown(), batched.shown()));
  EXPECT_GT(countColour(batched.shown(), 0x808080), 0);
}
