#include "app/codes.h"
#include <QCoreApplication>

#include "platform/clipboard.h"
#include "platform/windowlink.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

struct LinkHandlersTest : FormTest {
  platform::SystemClipboard clipboard;
};

// Pictures dragged onto a strip box are copied into it and kept in the shown page, or in the
// box's scrap slot; the box itself, header strips and received pictures shown copy nothing.
TEST_F(LinkHandlersTest, StripCopiesItsSourcesIntoPageOrScrapSlot) {
  Form1& f = start();
  f.Picture1->setPicture(solidImage(320, 256, 0x5555));
  f.Image3->setPicture(solidImage(101, 81, 0x3333));
  f.Image7->setPicture(solidImage(80, 64, 0x7777));
  f.Image11->setPicture(solidImage(89, 70, 0xBBBB));
  const struct {
    int source, box, slot;
    long colour;
  } drops[] = {{drag::MainPicture, 2, 1, 0x5555}, {3, 5, 3, 0x3333}, {drag::Mugshot, 4, 4, 0x7777}, {14, 2, 1, 0xBBBB}};
  for (const auto& d : drops) {
    f.dragsource = d.source;
    f.stripBox_DragDrop(d.box);
    EXPECT_EQ(pixelAt(f.stripBox(d.box)->picture(), 0, 0), d.colour) << d.source;
    EXPECT_TRUE(sameImage(f.stripBox(d.box)->picture(), f.savedthumbs[d.slot]));
  }
  f.Image3->setPicture(solidImage(101, 81, 0x4444));
  f.dragsource = 3;
  f.stripBox_DragDrop(3);
  f.dragsource = drag::MainPicture;
  f.makeheader->setChecked(true);
  f.stripBox_DragDrop(2);
  f.makeheader->setChecked(false);
  f.headerdrag = strip::Last;
  f.stripBox_DragDrop(2);
  f.Text7->setBackColor(Selected);
  f.stripBox_DragDrop(2);
  EXPECT_EQ(std::tuple(pixelAt(f.savedthumbs[2], 0, 0), pixelAt(f.savedthumbs[1], 0, 0), f.headerdrag),
            std::tuple(0x3333L, 0xBBBBL, 0));
  f.Text7->setBackColor(ModeOff);
  f.Label37_Click();
  f.dragsource = drag::Mugshot;
  f.stripBox_DragDrop(5);
  EXPECT_TRUE(sameImage(f.Image7->picture(), f.savedthumbs[slot::FirstScrap + 3]));
  EXPECT_EQ(pixelAt(f.savedthumbs[3], 0, 0), 0x3333);
}

// An import that finds no picture on the clipboard changes nothing and says so.
TEST_F(LinkHandlersTest, ImportOfNothingSaysSo) {
  Form1& f = start();
  f.Image3->setPicture(solidImage(101, 81, 0x3333));
  clipboard.clear();
  f.dragsource = drag::ImportButton;
  f.stripBox_DragDrop(3);
  EXPECT_TRUE(shownOnce(QString(), QStringLiteral("Nothing to get."), vb::OKOnly));
  EXPECT_TRUE(f.savedthumbs[2].isNull() && f.Image3->hasPicture());
}

// The copy button copies the committed main picture, or a dragged one (the mugshot too) leaving
// the main picture and its unset work alone; the import button is dragged, not under the adjust
// panel.
TEST_F(LinkHandlersTest, CopyButtonAndImportButton) {
  Form1& f = start();
  f.Picture1->setPicture(solidImage(320, 256, 0x5555));
  pendOnScreen();
  const QImage shown = f.Picture1->shown();
  f.Image7->setPicture(solidImage(80, 64, 0x7777));
  f.dragsource = drag::Mugshot;
  f.Command11_DragDrop();
  EXPECT_TRUE(sameImage(f.Image7->picture(), clipboard.picture()));
  EXPECT_TRUE(sameImage(shown, f.Picture1->shown()));
  f.Command11->click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0x5555), clipboard.picture()));
  recordDrags();
  f.Frame9->show();
  f.Command1_MouseDown(mousebutton::Left, 0, 5, 5);
  f.Frame9->hide();
  f.Command1_MouseDown(mousebutton::Right, 0, 5, 5);
  EXPECT_EQ(drags, std::vector<int>{drag::ImportButton});
}

// The window closed while a send waits on the program: it closes once the send is done with the
// pictures and the clipboard, not part-way through.
TEST_F(LinkHandlersTest, ClosingWaitsForTheSend) {
  struct ClosingLink : platform::WindowLink {
    Form1* form;
    bool unloadedDuringKeys = false;
    std::optional<platform::LinkWindow> activate(const QString& title) override { return platform::LinkWindow{1, title}; }
    platform::SendResult sendKeys(const platform::LinkWindow&, const QString&) override {
      form->close();
      unloadedDuringKeys = unloadedDuringKeys || form->unloaded;
      return platform::SendResult::Sent;
    }
  };
  Form1& f = start();
  auto link = std::make_shared<ClosingLink>();
  link->form = &f;
  f.env.link = link;
  f.w95sstvv->trigger();
  f.Command3_Click();
  EXPECT_FALSE(link->unloadedDuringKeys || f.unloaded);
  QCoreApplication::processEvents();
  EXPECT_TRUE(f.unloaded);
}

}  // namespace
