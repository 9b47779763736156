#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <functional>

#include "app/codes.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

constexpr long Red = 0xFF, Green = 0xFF00;

struct Step {
  const char* name;
  std::function<void(Form1&, const QString& file)> run;
  bool replaces = true;  // false: the step changes no picture, only the pending work
  // A SET commit goes into the OOPS copy not shown, so the first OOPS after it brings back the
  // picture OOPS had taken away, not the one it ran on.
  bool set = false;
};

// What the operator can see of the committed work along a step: the picture once nothing is
// pending, the committed copy, and what Undo, OOPS and OOPS again show.
std::vector<QImage> committedTrail(Form1& f) {
  std::vector<QImage> seen;
  if (f.Label26->backColor() == SetIdle) seen.push_back(f.Picture1->picture());
  seen.push_back(f.Image6->picture());
  f.Command12_Click();
  seen.push_back(f.Picture1->picture());
  for (int press = 0; press < 2; ++press) {
    f.Command31_Click();
    seen.push_back(f.Picture1->picture());
  }
  return seen;
}

void dropFromStrip(Form1& f, double x, double y) {
  f.Image2->setPicture(solidImage(320, 256, Green));
  f.dragsource = drag::FirstThumbnail;
  f.Picture1_DragDrop(x, y);
}

void dragPaletteColour(Form1& f) {
  f.palette[4]->setBackColor(Red);
  f.beginDrag = [&f](QWidget*) { f.Picture1_DragDrop(5, 5); };
  f.Palette_MouseDown(4, mousebutton::Left, 0, 5, 5);
}

// As the operator's mouse does it: a label raises its press, its release and then its click.
void clickLabel(LabelButton* label) { QTest::mouseClick(label, Qt::LeftButton); }

void overlayAndSet(Form1& f) {
  f.Option6->click();
  f.Picture1_MouseDown(mousebutton::Left, 0, 100, 80);
  f.Picture1_MouseUp(mousebutton::Left, 0, 100, 80);
  clickLabel(f.Label26);
}

void chooseThing(Form1& f, const char* thing) {
  f.Combo1->setText(QString::fromLatin1(thing));
  f.Combo1_Click();
}

const Step Steps[] = {
    {"Load Picture", [](Form1& f, const QString&) { f.loadpic_Click(); }},
    {"Adjust: Neg, Accept and Exit", [](Form1& f, const QString&) { f.Command13_Click(), f.Command43_Click(), f.Command38_Click(); }},
    {"Date", [](Form1& f, const QString&) { f.Label53_Click(); }},
    {"QSL", [](Form1& f, const QString&) { f.Label54_Click(), f.Command32_Click(); }},
    {"Dejag", [](Form1& f, const QString&) { f.Label35_Click(); }},
    {"PatFil", [](Form1& f, const QString&) { f.Label32_Click(), dragPaletteColour(f); }},
    {"ColFill", [](Form1& f, const QString&) { f.Label38_Click(), dragPaletteColour(f); }},
    {"Things: Red", [](Form1& f, const QString&) { chooseThing(f, "Red"); }},
    {"Things: Globe", [](Form1& f, const QString&) { chooseThing(f, "Globe"); }},
    {"Things: Box, SET", [](Form1& f, const QString&) { chooseThing(f, "Box"), f.Label26_Click(); }},
    {"Paste", [](Form1& f, const QString&) {
       QGuiApplication::clipboard()->setImage(solidImage(320, 256, Green));
       f.Command7_Click();
     }},
    {"thumbnail dropped", [](Form1& f, const QString&) { dropFromStrip(f, 100, 100); }},
    {"header strip dropped", [](Form1& f, const QString&) {
       f.headerStrips[strip::First]->setPicture(solidImage(320, strip::height(strip::First), Green));
       f.headerdrag = strip::First;
       f.Picture1_DragDrop(10, 10);
     }},
    {"file dropped from the desktop", [](Form1& f, const QString& file) { f.Picture1_OLEDragDrop({file}, 10, 10); }},
    {"Crop", [](Form1& f, const QString&) {
       f.Label24_Click();
       f.Picture1_MouseDown(mousebutton::Left, 0, 200, 150);
       f.Picture1_MouseMove(mousebutton::Left, 0, 100, 50);
       f.Picture1_MouseUp(mousebutton::Left, 0, 100, 50);
     }},
    {"Flip", [](Form1& f, const QString&) { f.Command28_MouseDown(mousebutton::Left, 0, 0, 0); }},
    {"Turn", [](Form1& f, const QString&) { f.Command44_MouseDown(mousebutton::Left, 0, 0, 0); }},
    {"Blend of an insert", [](Form1& f, const QString&) { f.Option7_Click(), dropFromStrip(f, 160, 128), f.Label14_Click(); }},
    {"Overlays, click, SET", [](Form1& f, const QString&) { overlayAndSet(f); }, true, true},
    {"Text mode from code", [](Form1& f, const QString&) { f.Option1_Click(); }, false},
    {"Draw button", [](Form1& f, const QString&) { f.Option8->click(); }, false},
    {"Overlays button", [](Form1& f, const QString&) { f.Option6->click(); }, false},
    {"Pic in Pic button", [](Form1& f, const QString&) { f.Option7->click(); }, false},
    {"Fix Col", [](Form1& f, const QString&) { clickLabel(f.Label29); }, false},
    {"Remove noise lines", [](Form1& f, const QString&) { clickLabel(f.Label73); }, false},
    {"Follow Mouse", [](Form1& f, const QString&) { f.Check18->click(); }, false},
    {"4 pics in 1", [](Form1& f, const QString&) { f.Check19->click(); }, false},
    {"Vert", [](Form1& f, const QString&) { clickLabel(f.Label31); }, false},
};

class PictureStepsTest : public FormTest {
 protected:
  // Text mode on `ground`, which OOPS also holds, with "HI" in the text box and the clock fixed;
  // the file the load and the desktop drop take is blue.
  Form1& ready() {
    dialogs = std::make_shared<ScriptedDialogs>();
    Form1& f = start();
    f.env.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(8, 15)); };
    file = path(QStringLiteral("blue.bmp"));
    writeFile(QStringLiteral("blue.bmp"), bmpBytes(solidImage(320, 256, 0xFF0000)));
    dialogs->open.answers.push_back(file);
    f.Picture1->setPicture(ground);
    f.Image6->setPicture(ground);
    f.Image13->setPicture(ground);
    f.Picture1->font.size = 24;
    f.Text1->setText(QStringLiteral("HI"));
    return f;
  }
  // Stripes (one click of the style button) or Grad (two), with the text placed at (40, 40) and
  // left pending, or not placed at all.
  Form1& styled(int clicks, bool placed) {
    Form1& f = ready();
    for (int c = 0; c < clicks; ++c) emit f.Label34->clicked();
    if (!placed) return f;
    f.Picture1_MouseDown(mousebutton::Left, 0, 40, 40);
    f.Picture1_MouseUp(mousebutton::Left, 0, 40, 40);
    EXPECT_EQ(std::tuple(f.Label26->backColor(), f.styleapplied), std::tuple(Armed, 1));
    EXPECT_FALSE(sameImage(ground, f.Picture1->shown()));
    return f;
  }
  const QImage ground = positionPicture(320, 256);
  QString file;
};

// A step taken over a styled text that was never SET leaves the text out of everything committed:
// what the step, Undo and OOPS show is what they show when no text was placed.
TEST_F(PictureStepsTest, AStyledTextNeverSetIsNeverCommitted) {
  for (const Step& step : Steps)
    for (int clicks : {1, 2}) {
      SCOPED_TRACE(testing::Message() << step.name << (clicks == 1 ? ", Stripes" : ", Grad"));
      Form1& clean = styled(clicks, false);
      step.run(clean, file);
      std::vector<QImage> allowed = committedTrail(clean);
      allowed.push_back(ground);
      Form1& f = styled(clicks, true);
      step.run(f, file);
      for (const QImage& seen : committedTrail(f))
        EXPECT_TRUE(std::any_of(allowed.begin(), allowed.end(), [&](const QImage& a) { return bool(sameImage(a, seen)); }))
            << "a picture with the text that was never SET";
    }
}

// A step taken while OOPS shows the picture from before the last paste: the first OOPS after it
// shows the picture it ran on (after a SET, the paste), the next the step's result.
TEST_F(PictureStepsTest, AStepTakenWhileOopsShowsTheBeforePictureIsKept) {
  for (const Step& step : Steps) {
    if (!step.replaces) continue;
    SCOPED_TRACE(step.name);
    Form1& f = ready();
    QGuiApplication::clipboard()->setImage(solidImage(320, 256, Red));
    f.Command7_Click();
    f.Command31_Click();
    ASSERT_TRUE(sameImage(ground, f.Picture1->picture()));
    step.run(f, file);
    f.Command12_Click();
    const QImage result = f.Picture1->picture();
    EXPECT_FALSE(sameImage(ground, result));
    f.Command31_Click();
    EXPECT_TRUE(sameImage(step.set ? solidImage(320, 256, Red) : ground, f.Picture1->picture()));
    f.Command31_Click();
    EXPECT_TRUE(sameImage(result, f.Picture1->picture()));
  }
}

// What leaves the picture as it was takes no step: OOPS still goes back to the picture before
// the last paste, and then to the paste.
TEST_F(PictureStepsTest, WhatLeavesThePictureAsItWasLeavesOopsAlone) {
  const std::pair<const char*, std::function<void(Form1&)>> others[] = {
      {"thumbnail dropped on the send button",
       [](Form1& f) {
         f.Image2->setPicture(solidImage(320, 256, Green));
         f.dragsource = drag::FirstThumbnail;
         f.Command3_DragDrop();
       }},
      {"Adjust opened and closed", [](Form1& f) { f.Command13_Click(), f.Command13_Click(); }},
      {"Load Picture cancelled", [](Form1& f) { f.loadpic_Click(); }},
      {"a styled text placed and thrown away",
       [](Form1& f) {
         emit f.Label34->clicked();
         f.Picture1_MouseDown(mousebutton::Left, 0, 40, 40);
         f.Picture1_MouseUp(mousebutton::Left, 0, 40, 40);
         f.Command12_Click();
       }},
  };
  for (const auto& [name, other] : others) {
    SCOPED_TRACE(name);
    Form1& f = ready();
    dialogs->open.answers.clear();
    QGuiApplication::clipboard()->setImage(solidImage(320, 256, Red));
    f.Command7_Click();
    other(f);
    ASSERT_TRUE(sameImage(solidImage(320, 256, Red), f.Picture1->picture()));
    f.Command31_Click();
    EXPECT_TRUE(sameImage(ground, f.Picture1->picture()));
    f.Command31_Click();
    EXPECT_TRUE(sameImage(solidImage(320, 256, Red), f.Picture1->picture()));
  }
}

}  // namespace
