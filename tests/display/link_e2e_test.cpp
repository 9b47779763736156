// The send, its drops and the import of the main window on a real X display with a window
// manager (run by link_e2e.sh): every program row against stand-ins that show its titles, log
// their keys, take the clipboard's picture on their paste keys and offer one on their copy keys,
// while another program owns the operator's clipboard, which must come back whole.
#include <QElapsedTimer>

#include "app/codes.h"
#include "platform/clipboard.h"
#include "sstvlink/programs.h"
#include "tests/display/support/standin_process.h"
#include "tests/support/form_fixture.h"

namespace {

const QString OwnedText = QStringLiteral("73 de G4XAB \u00e9 \u2013 QSL via bureau");

class LinkEndToEnd : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("SSTV_STANDIN")) << "run through link_e2e.sh";
    ASSERT_TRUE(gradient(123, 45, 9).save(file("owned.png")) && gradient(320, 256, 77).save(file("theirs.png")));
  }
  // Program `code` chosen, with a main picture of its own.
  Form1& started(int code) {
    standIns.stopAll();
    Form1& f = start();
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.Picture1->setPicture(gradient(f.frameWidth(), 256, code));
    return f;
  }
  // The same, the operator's clipboard owned elsewhere.
  Form1& chosen(int code) {
    Form1& f = started(code);
    owner = standIns.open({{"--own-png", file("owned.png"), "--own-text", OwnedText}}).front();
    dialogs->calls.clear();
    return f;
  }
  // The owner has gone: what is offered now is what it offered, byte for byte.
  bool clipboardCameBack() {
    owner->stop();
    return readAsAnotherProgram("image/png") == bytesOf(file("owned.png")) &&
           readAsAnotherProgram("UTF8_STRING") == OwnedText.toUtf8();
  }
  bool told() const { return dialogs->calls.size() == 1 && dialogs->calls[0].title == QLatin1String("Check Setup"); }
  QString file(const QString& name) const { return folder.filePath(name); }
  static QString joined(const QStringList& keys) { return strokesOf(keys).join(QLatin1Char(',')); }

  QTemporaryDir folder;
  platform::XdoWindowLink finder;
  StandIns standIns{folder.path(), finder};
  StandIn* owner = nullptr;
};

// All of a row's windows shown (W95SSTV one of its eight, WinSkan's second by the beginning of
// its title): the last takes the keys in order and pastes the main picture, the others get none.
TEST_F(LinkEndToEnd, EveryProgramRowSends) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.sendKeys.isEmpty() || !p.secondStageKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    Form1& f = chosen(p.code);
    QStringList titles = p.code == 6 ? QStringList{"W95SSTV - E"} : p.sendToCallsign ? QStringList{f.qsldefaults[2]} : p.sendTitles;
    if (p.code == 16) titles.last() = QStringLiteral("WinSkan SSTV 2.0");
    std::vector<QStringList> arguments;
    for (const QString& t : titles) arguments.push_back({"--window-title", t, "--paste-on", joined(p.sendKeys)});
    const std::vector<StandIn*> windows = standIns.open(arguments);
    f.Command3_Click();
    for (StandIn* w : windows) EXPECT_EQ(w->strokes(), w == windows.back() ? strokesOf(p.sendKeys) : QStringList());
    EXPECT_TRUE(sameImage(f.Picture1->picture(), QImage(windows.back()->pasted())));
    EXPECT_TRUE(dialogs->calls.empty() && clipboardCameBack());
  }
}

// A program under Wine (told by its window's class) keeps a clipboard of its own, which takes ours
// in only a moment after each change: a row with one window, the row sent to the callsign and
// JVComm32's second stage all paste the main picture, not what that clipboard held before.
TEST_F(LinkEndToEnd, ProgramsUnderWinePasteTheMainPicture) {
  for (const int code : {4, 10, 8}) {
    SCOPED_TRACE(code);
    Form1& f = chosen(code);
    const SstvProgram& p = *sstvProgramOf(code);
    const bool twoStages = !p.secondStageKeys.isEmpty();
    QStringList wine = {"-name", "sstv.exe", "--take-in-after", "300", "--paste-on",
                        joined(twoStages ? p.secondStageKeys : p.sendKeys)};
    if (twoStages) wine << "--copy-on" << joined(p.sendKeys) << "--copy-from" << file("theirs.png");
    StandIn& program = standIns.open(p.sendToCallsign ? f.qsldefaults[2] : p.sendTitles.last(), wine);
    f.Command3_Click();
    EXPECT_TRUE(sameImage(f.Picture1->picture(), QImage(program.pasted())));
    EXPECT_TRUE(clipboardCameBack());
  }
}

// JVComm32 is told "{tab}" when its first stage copies no picture. The second stage pastes the
// main picture; what the first stage copied replaces no picture of the operator's.
TEST_F(LinkEndToEnd, JvcommSendsInTwoStages) {
  const SstvProgram& p = *sstvProgramOf(8);
  for (const bool copies : {true, false}) {
    Form1& f = chosen(8);
    QStringList jvcomm = {"--window-title", "JVComm32", "--paste-on", joined(p.secondStageKeys)};
    if (copies) jvcomm << "--copy-on" << joined(p.sendKeys) << "--copy-from" << file("theirs.png");
    const std::vector<StandIn*> windows = standIns.open({{"--window-title", "Comm32"}, jvcomm});
    const QImage committed = f.Image6->picture();
    f.Command3_Click();
    EXPECT_EQ(windows[0]->strokes(), QStringList());
    EXPECT_EQ(windows[1]->strokes(), strokesOf(p.sendKeys + QStringList(copies ? 0 : 1, "{tab}") + p.secondStageKeys));
    EXPECT_TRUE(sameImage(f.Picture1->picture(), QImage(windows[1]->pasted())));
    EXPECT_TRUE(sameImage(committed, f.Image6->picture()));
    EXPECT_TRUE(clipboardCameBack());
  }
}

// The rows with import keys copy their picture into the strip box and its page; without the
// program's window box and page stay as they were. The committed picture in Image6 stays in Text
// mode either way.
TEST_F(LinkEndToEnd, EveryProgramRowImportsIntoTheStrip) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.importKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    for (const bool shown : {false, true}) {
      Form1& f = chosen(p.code);
      if (shown) standIns.open(p.importTitles.last(), {"--copy-on", joined(p.importKeys), "--copy-from", file("theirs.png")});
      const QImage before = f.Image6->picture();
      f.dragsource = drag::ImportButton;
      f.stripBox_DragDrop(2);
      const QImage expected = shown ? QImage(file("theirs.png")) : QImage();
      for (const QImage& kept : {f.Image2->picture(), f.savedthumbs[1]}) EXPECT_TRUE(sameImage(expected, kept));
      EXPECT_TRUE(sameImage(before, f.Image6->picture()));
      EXPECT_EQ(told(), !shown);
      EXPECT_TRUE(clipboardCameBack());
    }
  }
}

// No window of the program (a callsign with "." matches no other title), or the program ending
// part-way: no key reaches anyone else, the operator is told, and nothing is lost.
TEST_F(LinkEndToEnd, MissingOrVanishingProgramsSendNoKeysAndLoseNothing) {
  for (const int code : {10, 17}) {
    SCOPED_TRACE(code);
    Form1& f = chosen(code);
    f.qsldefaults[2] = QStringLiteral("G4.AB");
    const std::vector<StandIn*> others =
        standIns.open({{"--window-title", "G4XAB"}, {"--window-title", "Roy1 SSTV", "--exit-on", "alt"}, {"--window-title", "Bystander"}});
    f.Command3_Click();
    waitFor([] { return false; }, 200);  // time for a stray key to arrive
    for (StandIn* s : others) EXPECT_EQ(s->strokes(), QStringList(s == others[1] && code == 17 ? 1 : 0, "alt"));
    EXPECT_TRUE(told() && clipboardCameBack());
  }
}

// A picture dragged onto the send button goes in place of the main picture, which comes back;
// OOPS keeps its pictures. An empty box is refused, the import button and header strips send
// nothing.
TEST_F(LinkEndToEnd, DropsOnTheSendButtonSendTheDraggedPicture) {
  Form1& f = chosen(7);
  StandIn& winpix = standIns.open("WinPix", {"--paste-on", joined(sstvProgramOf(7)->sendKeys)});
  const QImage main = f.Picture1->picture();
  const QImage oopsBefore = f.Image13->picture();
  f.Image4->setPicture(solidImage(101, 81, 0xFF));
  f.Image7->setPicture(solidImage(80, 64, 0xFF00));
  f.Image10->setPicture(solidImage(89, 70, 0xFF0000));
  const std::pair<int, QImage> drops[] = {{drag::MainPicture, main},
                                          {4, solidImage(320, 256, 0xFF)},
                                          {drag::Mugshot, solidImage(320, 256, 0xFF00)},
                                          {13, solidImage(320, 256, 0xFF0000)}};
  for (const auto& [source, sent] : drops) {
    f.dragsource = source;
    f.Command3_DragDrop();
    EXPECT_TRUE(sameImage(sent, QImage(winpix.pasted()))) << source;
    EXPECT_TRUE(sameImage(main, f.Picture1->picture()));
    EXPECT_TRUE(sameImage(oopsBefore, f.Image13->picture()));
  }
  const qsizetype keys = winpix.strokes().size();
  f.dragsource = drag::ImportButton;
  f.Command3_DragDrop();
  f.dragsource = 4;
  f.makeheader->setChecked(true);
  f.Command3_DragDrop();
  f.makeheader->setChecked(false);
  f.dragsource = 3;  // an empty box
  f.Command3_DragDrop();
  EXPECT_EQ(winpix.strokes().size(), keys);
  EXPECT_TRUE(told() && clipboardCameBack());
}

// The operator's clipboard held by a program outside Qt: empty; a picture offered as Wine offers
// it, its pixmap's id (which Qt lists as "image/ppm") before its BMP; a picture from an owner that
// answers each request only when the next one reaches it, or that hands it over in pieces. A send
// and an import (JVComm32's, of the clipboard as it is) take at most 1.5 s and leave it as they
// found it: empty, or the picture in every image format.
TEST_F(LinkEndToEnd, ClipboardsOfProgramsOutsideQtComeBack) {
  const QImage theirs = gradient(123, 45, 9);
  ASSERT_TRUE(theirs.save(file("owned.bmp")));
  writeBytes(file("handle"), QByteArray("\x05\x00\x40\x00", 4));
  const std::pair<const char*, QStringList> clipboards[] = {
      {"empty", {}},
      {"Wine's offer", {"image/ppm=" + file("handle"), "PIXMAP=" + file("handle"), "image/bmp=" + file("owned.bmp")}},
      {"late answers", {"--late", "image/bmp=" + file("owned.bmp")}},
      {"in pieces", {"--pieces", "image/bmp=" + file("owned.bmp")}},
  };
  for (const auto& [name, offer] : clipboards)
    for (const int code : {6, 8}) {
      SCOPED_TRACE(testing::Message() << name << ", program " << code);
      Form1& f = started(code);
      const QStringList paste = {"--paste-on", joined(sstvProgramOf(6)->sendKeys)};
      StandIn* program = code == 6 ? &standIns.open("W95SSTV - C", paste) : nullptr;
      f.env.clipboard->clear();  // what the tests before left there
      std::optional<ClipboardOwner> owner;
      if (!offer.isEmpty()) ASSERT_TRUE(owner.emplace(offer).ready());
      dialogs->calls.clear();
      QElapsedTimer clock;
      clock.start();
      if (program) {
        f.Command3_Click();
        EXPECT_TRUE(sameImage(f.Picture1->picture(), QImage(program->pasted())));
      } else {
        f.dragsource = drag::ImportButton;
        f.stripBox_DragDrop(2);
        EXPECT_TRUE(sameImage(offer.isEmpty() ? QImage() : theirs, f.Image2->picture()));
      }
      EXPECT_LT(clock.elapsed(), 1500);
      owner.reset();
      if (offer.isEmpty()) {
        EXPECT_EQ(readAsAnotherProgram("TARGETS"), QByteArray());
        continue;
      }
      EXPECT_TRUE(dialogs->calls.empty());
      for (const char* format : {"image/ppm", "image/bmp", "image/png"})
        EXPECT_TRUE(sameImage(theirs, QImage::fromData(readAsAnotherProgram(format)))) << format;
    }
}

}  // namespace
