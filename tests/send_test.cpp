#include "app/codes.h"
#include "tests/link_fixture.h"

using namespace seen;

namespace {

QStringList titlesOf(const SstvProgram& p, const Form1& f) {
  return p.sendToCallsign ? QStringList{f.qsldefaults[2]} : p.sendTitles;
}

class SendTest : public LinkTest {};

// Every program with its windows open: the last title found takes the keys in order while the
// main picture is on the clipboard, unset work is thrown away, and the operator's clipboard comes
// back whole. JVComm32's two stages are told apart below.
TEST_F(SendTest, EveryProgramGetsItsKeysWithTheMainPictureAndTheClipboardComesBack) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.sendKeys.isEmpty() || !p.secondStageKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    Form1& f = startWith(p.code);
    link->windows = titlesOf(p, f);
    pendOnScreen();
    f.Command3->click();
    ASSERT_EQ(link->keysSent(), p.sendKeys);
    for (const FakeLink::Keys& k : link->sent) {
      EXPECT_EQ(k.window, link->windows.last());
      EXPECT_TRUE(sameImage(f.Picture1->picture(), k.clipboardPicture));
    }
    EXPECT_TRUE(sameImage(f.Picture1->picture(), f.Picture1->shown()));
    EXPECT_EQ(f.Label26->backColor(), SetIdle);
    EXPECT_TRUE(clipboardIsTheOperators());
    EXPECT_TRUE(dialogs->calls.empty());
    link->sent.clear();
  }
}

// No window of the program (MMSSTV looks for the callsign, the default one too): no key goes
// anywhere, the operator is told, and the clipboard is as it was. A program that ends part-way
// gets no more keys.
TEST_F(SendTest, NoWindowOrAWindowGonePartWayStopsTheKeysAndSaysSo) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.sendKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    Form1& f = startWith(p.code);
    link->windows = QStringList{QStringLiteral("SETUP YOUR CALLSIG"), QStringLiteral("Marvane")};
    f.Command3_Click();
    EXPECT_TRUE(link->sent.empty());
    EXPECT_TRUE(toldCheckSetup());
    EXPECT_TRUE(clipboardIsTheOperators());

    if (p.sendKeys.size() < 2) continue;
    dialogs->calls.clear();
    link->windows = titlesOf(p, f);
    link->onKeys = [this](const QString&, const QString&) { link->windows.clear(); };
    f.Command3_Click();
    EXPECT_EQ(link->keysSent(), QStringList{p.sendKeys.first()});
    EXPECT_TRUE(toldCheckSetup());
    EXPECT_TRUE(clipboardIsTheOperators());
    link->onKeys = nullptr;
    link->sent.clear();
  }
}

TEST_F(SendTest, MmsstvLooksForTheCallsignAsWritten) {
  Form1& f = startWith(10);
  f.qsldefaults[2] = QStringLiteral("G4.AB");
  link->windows = QStringList{QStringLiteral("G4XAB"), QStringLiteral("G4.AB")};
  f.Command3_Click();
  ASSERT_EQ(link->sent.size(), 2u);
  EXPECT_EQ(link->sent[0].window, QStringLiteral("G4.AB"));
}

// JVComm32 keeps what its first stage left on the clipboard; with nothing there it is told to go
// on ("{tab}"). The second stage always has the main picture.
TEST_F(SendTest, JvcommSendsInTwoStages) {
  const SstvProgram& p = *sstvProgramOf(8);
  const QImage lastReceived = solidImage(64, 48, 0xFF);
  for (const bool leavesPicture : {true, false}) {
    SCOPED_TRACE(leavesPicture);
    Form1& f = startWith(8);
    link->windows = QStringList{QStringLiteral("Comm32"), QStringLiteral("JVComm32")};
    link->onKeys = [&](const QString&, const QString& keys) {
      if (keys == QLatin1String("{enter}") && link->sent.size() == 5 && leavesPicture) clipboard->setPicture(lastReceived);
    };
    link->sent.clear();
    f.Command3_Click();
    const QStringList tab = leavesPicture ? QStringList() : QStringList{QStringLiteral("{tab}")};
    EXPECT_EQ(link->keysSent(), p.sendKeys + tab + p.secondStageKeys);
    EXPECT_TRUE(link->sent.front().clipboardPicture.isNull());
    EXPECT_TRUE(sameImage(f.Picture1->picture(), link->sent.back().clipboardPicture));
    EXPECT_EQ(link->sent.back().window, QStringLiteral("JVComm32"));
    EXPECT_TRUE(sameImage(leavesPicture ? lastReceived : QImage(), f.Image6->picture()));
    EXPECT_TRUE(clipboardIsTheOperators());
  }
}

TEST_F(SendTest, CopyWithNoProgramLeavesTheMainPictureOnTheClipboard) {
  Form1& f = startWith(1);
  f.Command3_Click();
  EXPECT_TRUE(link->sent.empty() && dialogs->calls.empty());
  EXPECT_TRUE(sameImage(f.Picture1->picture(), clipboard->now.picture));
}

// A picture dragged onto the send button is sent in place of the main picture, which comes back
// and is the OOPS copy. Sources without a picture to send, and header strips, send nothing.
TEST_F(SendTest, DropsSendTheDraggedPictureAndGiveTheMainPictureBack) {
  Form1& f = startWith(7);
  link->windows = QStringList{QStringLiteral("WinPix")};
  const QImage main = f.Picture1->picture();
  f.Image4->setPicture(solidImage(101, 81, 0x0000FF));
  f.Image7->setPicture(solidImage(80, 64, 0x00FFFF));
  f.Image10->setPicture(solidImage(89, 70, 0xFF00FF));
  const struct {
    int source;
    long colour;  // -1: nothing sent
  } drops[] = {{drag::MainPicture, MainColour}, {4, 0x0000FF}, {drag::Mugshot, 0x00FFFF}, {13, 0xFF00FF},
               {drag::ImportButton, -1}, {drag::Nothing, -1}};
  for (const auto& d : drops) {
    SCOPED_TRACE(d.source);
    f.dragsource = d.source;
    link->sent.clear();
    f.Command3_DragDrop();
    EXPECT_EQ(link->sent.empty(), d.colour < 0);
    for (const FakeLink::Keys& k : link->sent) EXPECT_TRUE(sameImage(solidImage(320, 256, d.colour), k.clipboardPicture));
    EXPECT_TRUE(sameImage(main, f.Picture1->picture()));
    if (d.colour >= 0) EXPECT_TRUE(sameImage(main, f.Image13->picture()));
  }
  EXPECT_TRUE(dialogs->calls.empty());

  f.dragsource = 3;  // an empty box
  f.Command3_DragDrop();
  EXPECT_TRUE(toldCheckSetup());
  dialogs->calls.clear();
  f.dragsource = 4;
  link->sent.clear();
  f.headerdrag = strip::First;
  f.Command3_DragDrop();
  f.headerdrag = strip::None;
  f.makeheader16->setChecked(true);
  f.Command3_DragDrop();
  f.Command3_OLEDragDrop({path(QStringLiteral("any.bmp"))});
  EXPECT_TRUE(link->sent.empty() && dialogs->calls.empty());
}

// A file dropped on the send button is fitted to the frame and sent; one that cannot be read
// sends nothing and says nothing.
TEST_F(SendTest, FileDropSendsTheFittedFile) {
  Form1& f = startWith(6);
  link->windows = QStringList{QStringLiteral("W95SSTV - E")};
  writeFile(QStringLiteral("wide.bmp"), bmpBytes(solidImage(640, 512, 0xFF)));
  writeFile(QStringLiteral("broken.bmp"), "BM not a picture");
  f.Command3_OLEDragDrop({path(QStringLiteral("broken.bmp"))});
  EXPECT_TRUE(link->sent.empty());
  f.Command3_OLEDragDrop({path(QStringLiteral("wide.bmp"))});
  ASSERT_EQ(link->sent.size(), 1u);
  EXPECT_TRUE(sameImage(solidImage(320, 256, 0xFF), link->sent[0].clipboardPicture));
  EXPECT_TRUE(sameImage(solidImage(320, 256, MainColour), f.Picture1->picture()));
  EXPECT_TRUE(dialogs->calls.empty());
}

// The copy button copies the committed main picture, or a dragged one without touching the main
// picture and its unset work; the mugshot too.
TEST_F(SendTest, CopyButtonCopiesTheMainOrTheDraggedPicture) {
  Form1& f = startWith(6);
  pendOnScreen();
  const QImage shown = f.Picture1->shown();
  f.Image9->setPicture(solidImage(89, 70, 0xFF0000));
  f.Image7->setPicture(solidImage(80, 64, 0x00FFFF));
  for (const auto& [source, picture] : {std::pair{12, f.Image9->picture()}, std::pair{int(drag::Mugshot), f.Image7->picture()}}) {
    f.dragsource = source;
    f.Command11_DragDrop();
    EXPECT_TRUE(sameImage(picture, clipboard->now.picture));
    EXPECT_TRUE(sameImage(shown, f.Picture1->shown()));
  }
  f.dragsource = drag::ImportButton;
  f.Command11_DragDrop();
  EXPECT_TRUE(sameImage(f.Image7->picture(), clipboard->now.picture));
  f.Command11_Click();
  EXPECT_TRUE(sameImage(solidImage(320, 256, MainColour), clipboard->now.picture));
  EXPECT_EQ(f.Label26->backColor(), SetIdle);
  EXPECT_TRUE(link->sent.empty());
}

// Dragging the import button over either button shows no drop-allowed icon; other drags do.
TEST_F(SendTest, DragOverShowsTheDropAllowedIconExceptForTheImportButton) {
  Form1& f = startWith(6);
  f.Image2->setPicture(solidImage(8, 8, 0xFF));
  for (void (Form1::*over)(int) : {&Form1::Command3_DragOver, &Form1::Command11_DragOver})
    for (const int source : {int(drag::ImportButton), drag::FirstThumbnail}) {
      f.dragsource = source;
      (f.*over)(dragstate::Enter);
      EXPECT_EQ(f.showsDropAllowed(f.draggedControl()), source != drag::ImportButton);
      (f.*over)(dragstate::Leave);
      EXPECT_FALSE(f.showsDropAllowed(f.draggedControl()));
    }
}

}  // namespace
