#include "app/codes.h"
#include "tests/link_fixture.h"

using namespace seen;

namespace {

constexpr long Theirs = 0x4080C0;

class ImportTest : public LinkTest {
 protected:
  // What a strip drop may change: the box, the page's slots, Image6 and SET.
  static std::tuple<QImage, QImage, QImage, long> strip(const Form1& f, int n, int slot) {
    return {f.stripBox(n)->picture(), f.savedthumbs[slot], f.Image6->picture(), f.Label26->backColor()};
  }
};

// Programs with import keys copy their picture when their window has them; the others leave the
// operator's clipboard, which is taken at its own size. Either way the box, Image6 and the shown
// page hold the picture, SET is idle, and the clipboard is the operator's again.
TEST_F(ImportTest, EveryProgramImportsIntoTheBoxAndThePage) {
  for (const SstvProgram& p : sstvPrograms()) {
    SCOPED_TRACE(p.code);
    Form1& f = startWith(p.code);
    link->windows = p.importTitles.isEmpty() ? QStringList() : QStringList{p.importTitles.last()};
    link->onKeys = [&](const QString&, const QString& keys) {
      if (keys == p.importKeys.last()) clipboard->setPicture(solidImage(320, 256, Theirs));
    };
    pendOnScreen();
    f.dragsource = drag::ImportButton;
    f.stripBox_DragDrop(4);  // the third slot of page 1 from the top is slot 4
    const QImage expected = p.importTitles.isEmpty() ? operatorsClipboard().picture : solidImage(320, 256, Theirs);
    EXPECT_EQ(link->keysSent(), p.importKeys);
    EXPECT_EQ(strip(f, 4, 4), std::tuple(expected, expected, expected, SetIdle));
    EXPECT_TRUE(clipboardIsTheOperators());
    EXPECT_TRUE(dialogs->calls.empty());
    link->sent.clear();
  }
}

// No window of the program, or nothing on the clipboard: the operator is told and nothing of the
// strip changes. In the scrap book the import goes into the box's scrap slot, not the page.
TEST_F(ImportTest, FailedImportsChangeNothingAndTheScrapBookKeepsItsOwn) {
  Form1& f = startWith(4);
  f.savedthumbs[2] = solidImage(10, 10, 0x1111);
  f.HScroll2_Change();
  const auto before = strip(f, 3, 2);
  f.dragsource = drag::ImportButton;
  f.stripBox_DragDrop(3);
  EXPECT_TRUE(toldCheckSetup());
  EXPECT_EQ(strip(f, 3, 2), before);
  EXPECT_TRUE(clipboardIsTheOperators());

  dialogs->calls.clear();
  startWith(1);
  clipboard->now = {{{QStringLiteral("text/plain"), "words"}}, {}};
  form->dragsource = drag::ImportButton;
  form->stripBox_DragDrop(3);
  EXPECT_TRUE(shownOnce(QString(), QStringLiteral("Nothing to get."), vb::OKOnly));
  EXPECT_FALSE(form->Image3->hasPicture());

  clipboard->now = operatorsClipboard();
  form->Label37_Click();
  form->stripBox_DragDrop(5);
  EXPECT_TRUE(sameImage(operatorsClipboard().picture, form->savedthumbs[slot::FirstScrap + 3]));
  EXPECT_TRUE(form->savedthumbs[3].isNull());
}

// Pictures dragged onto a box are copied into it and its page: the main picture, a sister box,
// the mugshot, a browse box; the box itself copies nothing.
TEST_F(ImportTest, StripCopiesItsSourcesIntoBoxAndPageOrScrapSlot) {
  Form1& f = startWith(6);
  f.Image3->setPicture(solidImage(101, 81, 0x3333));
  f.Image7->setPicture(solidImage(80, 64, 0x7777));
  f.Image11->setPicture(solidImage(89, 70, 0xBBBB));
  const struct {
    int source, box, slot;
    long colour;
  } drops[] = {{drag::MainPicture, 2, 1, MainColour}, {3, 5, 3, 0x3333}, {drag::Mugshot, 4, 4, 0x7777}, {14, 2, 1, 0xBBBB}};
  for (const auto& d : drops) {
    SCOPED_TRACE(d.source);
    f.dragsource = d.source;
    f.stripBox_DragDrop(d.box);
    EXPECT_EQ(pixelAt(f.stripBox(d.box)->picture(), 0, 0), d.colour);
    EXPECT_TRUE(sameImage(f.stripBox(d.box)->picture(), f.savedthumbs[d.slot]));
  }
  f.Image3->setPicture(solidImage(101, 81, 0x4444));
  f.dragsource = 3;
  f.stripBox_DragDrop(3);
  EXPECT_EQ(pixelAt(f.savedthumbs[2], 0, 0), 0x3333);
  f.Label37_Click();
  f.dragsource = drag::Mugshot;
  f.stripBox_DragDrop(2);
  EXPECT_TRUE(sameImage(f.Image7->picture(), f.savedthumbs[slot::FirstScrap]));
  EXPECT_FALSE(sameImage(f.Image7->picture(), f.savedthumbs[1]));
}

// Header making, a header strip dropped, or received pictures shown: the strip takes nothing.
TEST_F(ImportTest, StripRefusesDropsWhileHeadersOrReceivedPicturesAreShown) {
  Form1& f = startWith(6);
  f.dragsource = drag::MainPicture;
  f.makeheader->setChecked(true);
  f.stripBox_DragDrop(2);
  f.makeheader->setChecked(false);
  f.headerdrag = strip::Last;
  f.stripBox_DragDrop(2);
  EXPECT_EQ(f.headerdrag, strip::None);
  f.Text7->setBackColor(Selected);
  f.stripBox_DragDrop(2);
  f.dragsource = drag::ImportButton;
  f.stripBox_DragDrop(2);
  EXPECT_FALSE(f.Image2->hasPicture());
  EXPECT_TRUE(f.savedthumbs[1].isNull());
  EXPECT_TRUE(link->sent.empty() && dialogs->calls.empty());
}

TEST_F(ImportTest, ImportButtonStartsItsDragUnlessTheAdjustPanelIsOpen) {
  Form1& f = startWith(6);
  f.beginDrag = [this](QWidget*) { drags.push_back(form->dragsource); };
  f.Frame9->show();
  f.Command1_MouseDown(mousebutton::Left, 0, 5, 5);
  EXPECT_TRUE(drags.empty());
  f.Frame9->hide();
  f.Command1_MouseDown(mousebutton::Right, 0, 5, 5);
  EXPECT_EQ(drags, std::vector<int>{drag::ImportButton});
}

}  // namespace
