#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

using UndoOopsTest = OnWhiteTest;

TEST_F(UndoOopsTest, PlainUndoClearsPendingWorkAndRereadsTheText) {
  Form1& f = *form;
  f.Text1->setText(QStringLiteral("CQ CQ\r\nDE G4ABC"));
  f.texttoplace = QStringLiteral("stale");
  f.minx = 3;
  f.maxx = 90;
  pendOnScreen();
  f.Command12_Click();
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
  EXPECT_TRUE(sameImage(white, f.Picture1->picture()));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.texttoplace), std::tuple(SetIdle, QString("CQ CQ\r\nDE G4ABC")));
  EXPECT_EQ(drawnArea(f), std::tuple(340, 0, 256, 0));

  // Nothing pending: the picture stays and SET stays idle.
  f.texttoplace.clear();
  f.Command12_Click();
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.texttoplace), std::tuple(SetIdle, QString("CQ CQ\r\nDE G4ABC")));
}

TEST_F(UndoOopsTest, UndoWithPendingShapeOnlyCancelsTheShape) {
  Form1& f = *form;
  f.Image6->setPicture(solidImage(320, 256, 0xFF00));
  f.styleapplied = 1;
  f.picturefontmode = 400;
  f.minx = 80;
  f.maxx = 120;
  f.dragsource = 99;
  f.Combo1->setText(QStringLiteral("Ellipse"));
  f.VScroll4->show();
  f.Picture1->setMousePointer(2);
  pendOnScreen();
  f.Command12_Click();
  EXPECT_EQ(std::tuple(f.dragsource, f.VScroll4->isHidden(), f.Combo1->text(), f.Label26->backColor(),
                       f.Picture1->mousePointer()),
            std::tuple(0, true, QString("  Things"), SetIdle, 0));
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));
  // The style preview, the box and the picture font are left alone.
  EXPECT_EQ(std::tuple(f.styleapplied, f.picturefontmode), std::tuple(1, 400));
  EXPECT_EQ(drawnArea(f), std::tuple(80, 120, 0, 0));
}

TEST_F(UndoOopsTest, UndoRestoresThePictureBeforeAStylePreviewNoiseLineRemovalOrFollowMouse) {
  Form1& f = *form;
  // Text mode with a Grad preview committed into the picture: Image6 comes back.
  f.Image6->setPicture(solidImage(320, 256, 0xFF00));
  f.styleapplied = 1;
  pendOnScreen();
  f.Command12_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF00), f.Picture1->shown()));

  // Draw mode with Remove noise lines and SET red: the picture from before the removal.
  f.styleapplied = 0;
  f.Option8->setValue(true);
  f.Picture1->setPicture(white);
  f.Picture3->setPicture(solidImage(320, 256, 0xFF0000));
  f.Label73->setBackColor(Armed);
  f.Label26->setBackColor(Armed);
  f.Command12_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF0000), f.Picture1->picture()));
  EXPECT_EQ(f.Label26->backColor(), SetIdle);

  // With SET idle it clears as usual and the picture stays.
  f.Picture1->setPicture(white);
  f.Picture1->setAutoRedraw(true);  // Draw-mode strokes go to the persistent image
  f.Picture1->BoxFilled(0, 0, 50, 50, 0xFF);
  f.Command12_Click();
  EXPECT_TRUE(sameImage(white, f.Picture1->shown()));

  // Follow Mouse: the copy the trail started from.
  f.Option7->setValue(true);
  f.Check18->setValue(1);
  f.Picture2->setPicture(solidImage(320, 256, 0xFFFF));
  f.Command12_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFFFF), f.Picture1->picture()));
}

TEST_F(UndoOopsTest, OopsTogglesBetweenThePicturesBeforeAndAfterTheLastDropOutsideHeaderMode) {
  Form1& f = *form;
  const QImage before = solidImage(320, 256, 0xFF0000);
  const QImage after = solidImage(320, 256, 0xFF);
  f.Image13->setPicture(before);
  f.Picture1->setPicture(after);
  pendOnScreen();

  f.Command31_Click();
  EXPECT_EQ(std::tuple(f.Command31->backColor(), f.Label26->backColor()), std::tuple(OopsBefore, SetIdle));
  EXPECT_TRUE(sameImage(before, f.Picture1->shown()));
  EXPECT_TRUE(sameImage(after, f.Image14->picture()));
  for (const QImage& copy : {f.Image6->picture(), f.Picture2->picture()}) EXPECT_TRUE(sameImage(before, copy));

  f.Command31_Click();
  EXPECT_EQ(f.Command31->backColor(), OopsNormal);
  for (const QImage& copy : {f.Picture1->shown(), f.Image6->picture(), f.Picture2->picture()})
    EXPECT_TRUE(sameImage(after, copy));

  f.Command31_Click();
  EXPECT_EQ(f.Command31->backColor(), OopsBefore);
  EXPECT_TRUE(sameImage(before, f.Picture1->shown()));
  f.Command31_Click();

  // Refused in header mode; with PatFil armed only what is not committed goes, and the OOPS pair
  // stays as it was.
  f.makeheader16->setChecked(true);
  pendOnScreen();
  const QImage shownBefore = f.Picture1->shown();
  f.Command31_Click();
  EXPECT_TRUE(sameImage(shownBefore, f.Picture1->shown()));
  EXPECT_EQ(std::tuple(f.Label26->backColor(), f.Command31->backColor()), std::tuple(Armed, OopsNormal));

  f.makeheader16->setChecked(false);
  f.Label32->setBackColor(Armed);
  f.Command31_Click();
  EXPECT_TRUE(sameImage(after, f.Picture1->shown()));
  EXPECT_TRUE(sameImage(after, f.Image14->picture()));
  EXPECT_EQ(std::tuple(f.Command31->backColor(), f.Label32->backColor()), std::tuple(OopsNormal, Armed));
}

}  // namespace

// In Text mode with a style on, Undo rebuilds from Image6: every step that commits or gives back
// a picture there must leave its result in Image6, or the next Undo takes it away.
TEST_F(UndoOopsTest, PicturesCommittedInTextModeSurviveAStyledUndo) {
  using Step = void (*)(Form1&);
  const std::pair<const char*, Step> steps[] = {
      {"SET of a Things shape", [](Form1& f) { f.Combo1->setText(QStringLiteral("Box")), f.Combo1_Click(), f.Label26_Click(); }},
      {"PatFil with one colour",
       [](Form1& f) {
         f.Label32_Click();
         f.palette[4]->setBackColor(0xFF0000);
         f.beginDrag = [&f](QWidget*) { f.Picture1_DragDrop(5, 5); };
         f.Palette_MouseDown(4, 1, 0, 5, 5);
       }},
      {"OOPS while PatFil is armed, on a picture as a load leaves it",
       [](Form1& f) {
         f.Picture1->setPicture(solidImage(320, 256, 0xFF00));
         f.Image6->setPicture(f.Picture1->picture());
         f.Label32_Click();
         f.Command31_Click();
       }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    Form1& f = prepareText(0xFF);
    f.shaperadius = 40;
    emit f.Label34->clicked();  // Stripes
    ASSERT_EQ(f.styleapplied, 1);
    step(f);
    const QImage result = f.Picture1->picture();
    ASSERT_FALSE(sameImage(white, result));
    f.Command12_Click();
    EXPECT_TRUE(sameImage(result, f.Picture1->picture()));
  }
}
