#include "app/codes.h"
#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "platform/clipboard.h"
#include "platform/windowlink.h"
#include "sstvlink/programs.h"
#include "tests/support/form_fixture.h"

using namespace seen;

namespace {

// Every title asked for has a program window, which takes the keys it is sent, one string a call,
// until the call numbered `goneAt` (from 0; the pauses between activations not counted) finds it
// gone. The keys named in `copyOn` leave `copied` on the clipboard, as the program's copy does.
struct ProgramWindow : platform::WindowLink {
  int goneAt = -1;
  QString copyOn;
  QImage copied;
  QStringList activated;
  QStringList received;
  std::optional<platform::LinkWindow> activate(const QString& title) override {
    activated << title;
    return platform::LinkWindow{1, title};
  }
  platform::SendResult sendKeys(const platform::LinkWindow&, const QString& keys) override {
    if (keys.isEmpty()) return platform::SendResult::Sent;
    if (received.size() == goneAt) return platform::SendResult::WindowNotFound;
    received << keys;
    if (keys == copyOn) QGuiApplication::clipboard()->setImage(copied);
    return platform::SendResult::Sent;
  }
};

struct LinkHandlersTest : FormTest {
  platform::SystemClipboard clipboard;
  const QImage operators = solidImage(50, 40, 0x4444);  // what the operator had copied

  // Program `code` chosen, its windows the fake's, the first strip box holding a picture and the
  // clipboard the operator's.
  std::shared_ptr<ProgramWindow> chosen(int code) {
    Form1& f = start();
    auto program = std::make_shared<ProgramWindow>();
    f.env.link = program;
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.Image2->setPicture(solidImage(101, 81, 0x3333));
    clipboard.setPicture(operators);
    dialogs->calls.clear();
    return program;
  }
};

enum class Link { Send, Import };

// The send button clicked, or the import button dropped on the first strip box.
void run(Form1& f, Link what) {
  if (what == Link::Send) return f.Command3_Click();
  f.dragsource = drag::ImportButton;
  f.stripBox_DragDrop(2);
}

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

// The picture the operator made stays the committed one through a JVComm32 send (its first stage
// copying a picture or not), an import onto the strip and OOPS with PatFil armed after a paste,
// all with Stripes on: a text placed, Undo and OOPS twice all keep it. In Pic in Pic the import is the
// picture to insert.
TEST_F(LinkHandlersTest, OnlyACommitReplacesTheCommittedPicture) {
  const QImage made = columnPattern(340), pasted = solidImage(320, 256, 0xFF0000);
  using Step = void (*)(Form1&, ProgramWindow&);
  const std::pair<const char*, Step> steps[] = {
      {"JVComm32 send, a first picture copied",
       [](Form1& f, ProgramWindow& p) { p.copyOn = QStringLiteral("{enter}"), f.Command3_Click(); }},
      {"JVComm32 send, none copied", [](Form1& f, ProgramWindow&) { f.Command3_Click(); }},
      {"import onto a strip box", [](Form1& f, ProgramWindow&) { run(f, Link::Import); }},
      {"OOPS with PatFil armed after a paste",
       [](Form1& f, ProgramWindow&) {
         f.Command7_Click();
         f.Label32_Click();
         f.Command31_Click();
         f.Label32_Click();
       }},
  };
  for (const auto& [name, step] : steps) {
    SCOPED_TRACE(name);
    ProgramWindow& program = *chosen(8);
    program.copied = solidImage(320, 256, 0x2222);
    Form1& f = *form;
    f.Picture1->setPicture(made);
    f.Option1_Click();
    emit f.Label34->clicked();  // Stripes
    const bool pastes = name[0] == 'O';
    if (pastes) clipboard.setPicture(pasted);
    step(f, program);
    const QImage expected = pastes ? f.Picture1->picture() : made;
    if (pastes) ASSERT_EQ(pixelAt(expected, 5, 5), 0xFF0000);
    // A styled text placed and thrown away by Undo, or by OOPS and OOPS again.
    for (int presses : {0, 2}) {
      f.Picture1_MouseDown(mousebutton::Left, 0, 10, 100);
      f.Picture1_MouseUp(mousebutton::Left, 0, 10, 100);
      if (presses == 0) f.Command12_Click();
      for (int press = 0; press < presses; ++press) f.Command31_Click();
      EXPECT_TRUE(sameImage(expected, f.Picture1->picture())) << presses;
    }
  }
  chosen(8);
  form->Option7_Click();
  run(*form, Link::Import);
  EXPECT_TRUE(sameImage(operators, form->Image6->picture()));
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

// A program window gone midway, before the keys or between JVComm32's two stages, is reported as a
// missing one is; nothing more is typed, the clipboard comes back and the strip box keeps its
// picture.
TEST_F(LinkHandlersTest, WindowGoneMidwayIsReported) {
  const QImage theirs = solidImage(320, 256, 0x2222);
  const struct {
    int code;
    Link what;
    int goneAt;
    bool copies;
    QStringList typed;
  } cases[] = {
      {6, Link::Send, 0, false, {}},
      {8, Link::Send, 5, true, {"^m", "%", "p", "R", "{enter}"}},  // the second stage
      {8, Link::Send, 5, false, {"^m", "%", "p", "R", "{enter}"}},  // "{tab}"
      {8, Link::Send, 6, false, {"^m", "%", "p", "R", "{enter}", "{tab}"}},
      {4, Link::Import, 1, false, {"^m"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.code << " gone at " << c.goneAt);
    const std::shared_ptr<ProgramWindow> program = chosen(c.code);
    program->goneAt = c.goneAt;
    program->copyOn = c.copies ? QStringLiteral("{enter}") : QString();
    program->copied = theirs;
    Form1& f = *form;
    run(f, c.what);
    EXPECT_EQ(program->received, c.typed);
    EXPECT_TRUE(shownOnce(QStringLiteral("Check Setup"), QStringLiteral("ERROR, Cannot paste. Check Selected Program is Active"),
                          vb::OKOnly));
    EXPECT_TRUE(sameImage(operators, clipboard.picture()));
    EXPECT_EQ(pixelAt(f.Image2->picture(), 0, 0), 0x3333);
  }
}

// The window closed while a send or an import waits for the program's copy: the wait ends at once,
// nothing more is typed or taken, nothing is said, the clipboard comes back, and the window then
// closes as for any close, writing the settings.
TEST_F(LinkHandlersTest, CloseDuringAWaitEndsItAndClosesTheWindow) {
  const struct {
    int code;
    Link what;
    QStringList typed;
  } cases[] = {
      {8, Link::Send, {"^m", "%", "p", "R", "{enter}"}},
      {4, Link::Import, {"^m", "^c"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    const std::shared_ptr<ProgramWindow> program = chosen(c.code);
    Form1& f = *form;
    QFile::remove(path(QStringLiteral("restore")));
    QTimer::singleShot(50, &f, [&f] { f.close(); });
    QElapsedTimer clock;
    clock.start();
    run(f, c.what);
    EXPECT_LT(clock.elapsed(), 500);
    EXPECT_EQ(program->received, c.typed);
    EXPECT_TRUE(dialogs->calls.empty());
    EXPECT_TRUE(sameImage(operators, clipboard.picture()));
    EXPECT_EQ(pixelAt(f.Image2->picture(), 0, 0), 0x3333);
    EXPECT_FALSE(f.unloaded);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.unloaded && !f.isVisible() && QFile::exists(path(QStringLiteral("restore"))));
  }
}

// A file another program drags onto the picture or the file list while a send or an import waits
// is refused, so nothing is loaded or saved inside it; once the wait is over the same drop is taken.
TEST_F(LinkHandlersTest, DropsAreRefusedWhileASendOrAnImportWaits) {
  writeFile(QStringLiteral("dropped.bmp"), bmpBytes(solidImage(320, 256, 0x2222)));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(path(QStringLiteral("dropped.bmp")))});
  const auto taken = [&files](QWidget* target) {
    QDragEnterEvent enter(QPoint(60, 60), Qt::CopyAction, &files, Qt::NoButton, {});
    QDropEvent drop(QPointF(60, 60), Qt::CopyAction, &files, Qt::NoButton, {});
    QCoreApplication::sendEvent(target, &enter);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted() || drop.isAccepted();
  };
  for (const auto& [code, what] : {std::pair(8, Link::Send), std::pair(4, Link::Import)})
    for (const bool onList : {false, true}) {
      SCOPED_TRACE(testing::Message() << code << (onList ? " on the file list" : " on the picture"));
      chosen(code);
      Form1& f = *form;
      QWidget* target = onList ? f.File1->viewport() : static_cast<QWidget*>(f.Picture1);
      std::optional<bool> takenWhileWaiting;
      QTimer::singleShot(50, &f, [&] { takenWhileWaiting = taken(target); });
      run(f, what);
      QCoreApplication::processEvents();
      EXPECT_EQ(takenWhileWaiting, false);
      EXPECT_NE(pixelAt(f.Picture1->picture(), 5, 5), 0x2222);
      EXPECT_TRUE(taken(target));
    }
}

// The windows and keys of each program as the operator's programs need them, written out here
// rather than taken from the program table: the table's rows, and what a send and an import
// activate and type with every window present, must be exactly these.
TEST_F(LinkHandlersTest, EachProgramSendsAndImportsWithItsOwnWindowsAndKeys) {
  const QStringList w95 = {"W95SSTV 1",   "W95SSTV 2",   "W95SSTV - P", "W95SSTV - A",
                           "W95SSTV - C", "W95SSTV - D", "W95SSTV - E", "W95SSTV - F"};
  const struct {
    int code;
    QStringList sendTitles, sendKeys, secondStage, importTitles, importKeys;
  } programs[] = {
      {1, {}, {}, {}, {}, {}},
      {4, {"CPIX-1"}, {"^m^v"}, {}, {"CPIX-2"}, {"^m", "^c"}},
      {5, {"CPIX-2"}, {"^m^v"}, {}, {"CPIX-2"}, {"^m", "^c"}},
      {8, {"Comm32", "JVComm32"}, {"^m", "%", "p", "R", "{enter}"}, {"%", "p", "o", "{enter}"}, {}, {}},
      {10, {"SETUP YOUR CALLSIGN"}, {"%es", "{enter}"}, {}, {}, {}},
      {19, {"MScan", "Outgoing Video "}, {"{enter}", "^v", "{enter}"}, {}, {}, {}},
      {17, {"Roy1 SSTV"}, {"%", "e", "p", "{enter}"}, {}, {}, {}},
      {36, {"SSTV32 CONTROLS"}, {"%ep", "{F4}"}, {}, {}, {}},
      {6, w95, {"^m^v"}, {}, w95, {"^m^c"}},
      {7, {"WinPix"}, {"%", "e", "p", "{enter}"}, {}, {"WinPix"}, {"^m", "%", "e", "c", "{enter}"}},
      {27, {"Receive", "WinPix"}, {"%AW", "{enter}", "%", "e", "p", "{enter}"}, {}, {}, {}},
      {16, {"WinSkan For Windows", "WinSkan SSTV "}, {"^m", "%", "e", "p", "{enter}"}, {}, {}, {}},
  };
  ASSERT_EQ(sstvPrograms().size(), std::size(programs));
  for (std::size_t i = 0; i < std::size(programs); ++i) {
    const auto& p = programs[i];
    const SstvProgram& row = sstvPrograms()[i];
    SCOPED_TRACE(p.code);
    const QStringList sendTitles = row.sendToCallsign ? QStringList{"SETUP YOUR CALLSIGN"} : row.sendTitles;
    EXPECT_EQ(std::tuple(row.code, sendTitles, row.sendKeys, row.secondStageKeys, row.importTitles, row.importKeys),
              std::tuple(p.code, p.sendTitles, p.sendKeys, p.secondStage, p.importTitles, p.importKeys));

    Form1& f = start();
    (f.*(row.menu))->trigger();
    for (const Link what : {Link::Send, Link::Import}) {
      const bool send = what == Link::Send;
      auto program = std::make_shared<ProgramWindow>();
      program->copyOn = send ? QStringLiteral("{enter}") : p.importKeys.value(p.importKeys.size() - 1);
      program->copied = solidImage(320, 256, 0x2222);
      f.env.link = program;
      run(f, what);
      EXPECT_EQ(program->activated, send ? p.sendTitles : p.importTitles) << (send ? "send" : "import");
      EXPECT_EQ(program->received, send ? p.sendKeys + p.secondStage : p.importKeys) << (send ? "send" : "import");
    }
  }
}

}  // namespace
