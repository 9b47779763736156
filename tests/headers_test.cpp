#include "app/codes.h"
#include "platform/colour.h"
#include "sstvlink/layout.h"
#include "tests/canvas_fixture.h"

namespace {

using canvastest::Grey;
constexpr long Strip32 = 0xFF;
constexpr long Strip16 = 0xFF00;
constexpr long Composed = 0xFF0000;

class HeadersTest : public canvastest::CanvasTest {
 protected:
  Form1& prepared(bool wide = false) {
    Form1& f = ready(canvastest::Text, wide);
    f.Picture4->setPicture(solidImage(320, 32, Strip32));
    f.Picture7->setPicture(solidImage(320, 16, Strip16));
    return f;
  }
  // The strips that show the drop icon.
  std::vector<int> allowed() const {
    std::vector<int> v;
    for (int n = 4; n <= 12; ++n)
      if (showsDropAllowed(*form, form->headerStrips[n])) v.push_back(n);
    return v;
  }
};

}  // namespace

TEST_F(HeadersTest, AStripDroppedAboveRow200GoesToTheTopElseToTheBottomAcrossTheWholeWidth) {
  const struct { bool wide; int strip; double y; int top, height; long colour; } cases[] = {
      {false, 4, 199.9, 0, 32, Strip32}, {false, 4, 200, 224, 32, Strip32}, {false, 7, 199, 0, 16, Strip16},
      {false, 7, 200, 240, 16, Strip16}, {true, 4, 250, 224, 32, Strip32},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.y);
    Form1& f = prepared(c.wide);
    const int width = f.frameWidth();
    f.Label26->setBackColor(colour::state::Armed);  // pending work goes with the drop
    f.beginDrag = [&f, y = c.y](QWidget*) { f.Picture1_DragDrop(5, y); };
    f.PictureStrip_MouseDown(c.strip, 1, 0, 5, 5);
    const QImage& picture = f.Picture1->picture();
    EXPECT_EQ(countColour(picture, c.colour, QRect(0, c.top, width, c.height)), width * c.height);
    EXPECT_EQ(countColour(picture, Grey), width * (256 - c.height));
    EXPECT_TRUE(sameImage(picture, f.Image6->picture()));
    EXPECT_TRUE(sameImage(solidImage(width, 256, Grey), f.Image13->picture()));
    EXPECT_EQ(std::tuple(f.Label26->backColor(), f.headerdrag), std::tuple(colour::state::SetIdle, 0));
  }
}

// Only the strip being dragged shows the drop icon over the picture, and a strip is placed by its
// own drag only: after a drag that ended elsewhere, or a press in the header maker, a later drop
// on the main picture places no strip.
TEST_F(HeadersTest, OnlyTheStripBeingDraggedShowsItsIconOrIsPlaced) {
  Form1& f = prepared();
  std::vector<std::vector<int>> icons;
  f.beginDrag = [&](QWidget*) {
    for (int state : {dragstate::Enter, dragstate::Leave}) {
      f.Picture1_DragOver(state);
      icons.push_back(allowed());
    }
  };
  f.PictureStrip_MouseDown(4, 1, 0, 5, 5);
  EXPECT_EQ(icons, (std::vector<std::vector<int>>{{4}, {}}));
  EXPECT_EQ(f.headerdrag, 0);
  f.Picture1_DragOver(dragstate::Enter);
  EXPECT_EQ(allowed(), std::vector<int>{});
  f.dragsource = 8;
  f.Picture1_DragDrop(5, 250);
  EXPECT_EQ(countColour(f.Picture1->picture(), Strip32), 0);

  f.makeheader_Click();
  icons.clear();
  f.PictureStrip_MouseDown(4, 1, 0, 5, 5);
  EXPECT_TRUE(icons.empty());
  EXPECT_EQ(f.headerdrag, 0);
}

TEST_F(HeadersTest, TheHeaderMakerStoresTheCommittedBottomRowsInTheStripDroppedOn) {
  const struct { void (Form1::*menu)(); int strip; int firstRow; } cases[] = {
      {&Form1::makeheader_Click, 5, 224}, {&Form1::makeheader16_Click, 9, 240}, {nullptr, 5, 224}};
  for (const auto& c : cases) {
    Form1& f = prepared();
    const QImage before = f.headerStrips[c.strip]->picture();
    if (c.menu) (f.*c.menu)();
    f.Picture1->setAutoRedraw(true);
    f.Picture1->BoxFilled(0, c.firstRow, 320, c.firstRow + 8, Composed);
    f.Picture1->setAutoRedraw(false);
    f.Picture1->BoxFilled(0, 250, 320, 256, 0);  // pending, not part of the header
    f.dragsource = 8;
    f.PictureStrip_DragDrop(c.strip);
    const QImage& stored = f.headerStrips[c.strip]->picture();
    if (!c.menu) {
      EXPECT_TRUE(sameImage(before, stored));
      continue;
    }
    EXPECT_TRUE(sameImage(f.Picture1->picture().copy(0, c.firstRow, 320, 256 - c.firstRow), stored));
    EXPECT_EQ(countColour(stored, Composed), 320 * 9);
  }
}

// The header background: the palette's Ctrl press hands its colour to headercolor, which fills
// and commits the whole picture; entering the header maker fills with it again.
TEST_F(HeadersTest, TheHeaderColourFillsTheWholePictureAndStaysForTheNextHeader) {
  Form1& f = prepared();
  f.textsettings[7] = QStringLiteral("255");
  f.headercolor();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF), f.Picture1->picture()));
  EXPECT_EQ(f.headerfillcolour, 0xFF);
  f.Picture1->setPicture(solidImage(320, 256, Grey));
  f.makeheader16_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF), f.Picture1->picture()));
  EXPECT_EQ(f.Picture1->font.size, 10);
}

TEST_F(HeadersTest, DoneGivesBackThePictureOfTheFirstEntryAtItsFullWidth) {
  Form1& f = prepared(true);
  f.Picture1->setPicture(columnPattern(340));
  f.makeheader_Click();
  EXPECT_EQ(std::tuple(f.Picture1->scaleWidth(), f.Picture1->x(), f.makeheader->isChecked()),
            std::tuple(320, narrowLayout.pictureLeft, true));
  f.makeheader16_Click();  // switching kind keeps the picture of the first entry
  EXPECT_EQ(std::tuple(f.makeheader->isChecked(), f.Picture7->isVisibleTo(f.Frame7)), std::tuple(false, true));
  f.Command36_Click();
  EXPECT_EQ(std::tuple(f.Picture1->scaleWidth(), f.Picture1->x(), f.headerMode(), f.Frame7->isHidden(), f.Picture1->font.size),
            std::tuple(340, wideLayout.pictureLeft, false, true, 26.0));
  EXPECT_TRUE(sameImage(columnPattern(340), f.Picture1->image()));
}

TEST_F(HeadersTest, The32And16ButtonsToggleTheirPanelsAndLeaveTheHeaderMaker) {
  Form1& f = prepared();
  f.makeheader->trigger();
  EXPECT_TRUE(f.makeheader->isChecked());
  f.Command35_Click();  // leaves the header maker with the picture as it was
  EXPECT_FALSE(f.headerMode());
  EXPECT_TRUE(sameImage(solidImage(320, 256, Grey), f.Picture1->picture()));
  const struct { CommandButton* button; const char* caption32; const char* caption16; bool open, strips32; } steps[] = {
      {nullptr, "Exit", "16", true, true},
      {f.Command37, "32", "Exit", true, false},
      {f.Command37, "32", "16", false, false},
  };
  for (const auto& s : steps) {
    if (s.button) s.button->click();
    EXPECT_EQ(std::tuple(f.Command35->caption(), f.Command37->caption(), f.Command35->font().bold()),
              std::tuple(QString::fromLatin1(s.caption32), QString::fromLatin1(s.caption16), s.caption32[0] == 'E'));
    EXPECT_EQ(std::tuple(f.Frame7->isVisibleTo(&f), f.Picture4->isVisibleTo(f.Frame7), f.Picture7->isVisibleTo(f.Frame7)),
              std::tuple(s.open, s.strips32, !s.strips32));
  }
  f.Frame9->show();
  f.makeheader->trigger();
  EXPECT_FALSE(f.makeheader->isChecked());
}

// The header maker and the strip panels close the browser panel.
TEST_F(HeadersTest, HeaderMakerAndStripPanelsCloseTheBrowser) {
  for (auto open :
       {&Form1::makeheader_Click, &Form1::makeheader16_Click, &Form1::Command35_Click, &Form1::Command37_Click}) {
    Form1& f = prepared();
    f.Command20_Click();
    ASSERT_FALSE(f.Frame2->isHidden());
    (f.*open)();
    EXPECT_EQ(std::tuple(f.Frame2->isHidden(), f.Command20->caption()), std::tuple(true, QString("Load Pic")));
  }
}

// The header background is committed as it is filled: with a text style on, Undo keeps it, a
// Ctrl press on the palette refills it for good, and text placed and SET lies on it, in the
// picture and in the strip it is stored in; nothing of the picture from before comes back.
TEST_F(HeadersTest, TheHeaderBackgroundStaysUnderStyledTextAndUndo) {
  constexpr int Ctrl = 2;
  const struct { void (Form1::*menu)(); int styleClicks; int firstRow, strip; } cases[] = {
      {&Form1::makeheader_Click, 1, 224, 4}, {&Form1::makeheader_Click, 2, 224, 5},
      {&Form1::makeheader16_Click, 1, 240, 7}, {&Form1::makeheader16_Click, 2, 240, 8}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.strip);
    Form1& f = prepared();
    for (int k = 0; k < c.styleClicks; ++k) emit f.Label34->clicked();  // Stripes, then Grad
    (f.*c.menu)();
    f.Command12_Click();
    EXPECT_EQ(committed(seen::White), 320 * 256);
    f.Palette_MouseDown(3, mousebutton::Left, Ctrl, 0, 0);
    const long background = f.headerfillcolour;
    ASSERT_NE(background, seen::White);
    f.Command12_Click();
    EXPECT_EQ(committed(background), 320 * 256);

    f.Picture1_MouseDown(mousebutton::Left, 0, 10, c.firstRow + 1);
    f.Picture1_MouseUp(mousebutton::Left, 0, 10, c.firstRow + 1);
    f.Label26_Click();
    f.Command12_Click();
    const QRect rows(0, c.firstRow, 320, 256 - c.firstRow);
    const int text = rows.width() * rows.height() - committed(background, rows);
    EXPECT_EQ(std::tuple(committed(Grey), committed(background) + text), std::tuple(0, 320 * 256));
    EXPECT_GT(text, 20);
    f.dragsource = 8;
    f.PictureStrip_DragDrop(c.strip);
    EXPECT_TRUE(sameImage(f.Picture1->picture().copy(rows), f.headerStrips[c.strip]->picture()));
  }
}

// However the header maker is left, the picture from before it comes back for good: a text placed
// on it in any style, Undo and OOPS all keep it, whatever was filled, styled or set in the maker.
TEST_F(HeadersTest, LeavingTheHeaderMakerGivesThePictureBackForGood) {
  constexpr int Ctrl = 2;
  using Leave = void (*)(Form1&);
  const std::pair<const char*, Leave> exits[] = {
      {"DONE", [](Form1& f) { f.Command36_Click(); }},
      {"32", [](Form1& f) { f.Command35_Click(); }},
      {"16", [](Form1& f) { f.Command37_Click(); }},
      {"Adjust", [](Form1& f) { f.Command13_Click(), f.Command13_Click(); }}};
  const QImage photo = columnPattern(320);
  const auto placeText = [](Form1& f, int y) {
    f.Picture1_MouseDown(mousebutton::Left, 0, 10, y);
    f.Picture1_MouseUp(mousebutton::Left, 0, 10, y);
  };
  for (const auto& [exit, leave] : exits)
    for (auto menu : {&Form1::makeheader_Click, &Form1::makeheader16_Click})
      for (int styleClicks : {0, 1, 2})  // Normal, Stripes, Grad
        for (bool fillAndSet : {false, true}) {
          SCOPED_TRACE(testing::Message() << exit << " " << (menu == &Form1::makeheader_Click ? 32 : 16) << " style "
                                          << styleClicks << " fill and set " << fillAndSet);
          Form1& f = prepared();
          // As a loaded picture leaves it: shown, committed and the OOPS copies.
          f.Picture1->setPicture(photo);
          for (ImageBox* copy : {f.Image6, f.Image13, f.Image14}) copy->setPicture(photo);
          for (int k = 0; k < styleClicks; ++k) emit f.Label34->clicked();
          (f.*menu)();
          if (fillAndSet) {
            f.Palette_MouseDown(3, mousebutton::Left, Ctrl, 0, 0);
            placeText(f, 250);
            f.Label26_Click();
          }
          leave(f);
          placeText(f, 100);
          f.Command12_Click();
          EXPECT_TRUE(sameImage(photo, f.Picture1->picture()));
          placeText(f, 100);
          for (int press = 0; press < 2; ++press) {
            f.Command31_Click();
            EXPECT_TRUE(sameImage(photo, f.Picture1->picture()));
          }
        }
}
