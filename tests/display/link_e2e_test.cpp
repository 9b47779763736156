// The send and the import from the main window, end to end on a real X display with a window
// manager (run by link_e2e.sh): every program row against stand-ins that show its window titles,
// log their keys, take the clipboard's picture on their paste keys and offer one on their copy
// keys, while another program owns the operator's clipboard.
#include "app/codes.h"
#include "platform/clipboard.h"
#include "sstvlink/programs.h"
#include "tests/display/support/standin_process.h"
#include "tests/support/form_fixture.h"

namespace {

const QString OwnedText = QStringLiteral("73 de G4XAB \u00e9 \u2013 QSL via bureau");
const QString Bystander = QStringLiteral("Bystander");

class LinkEndToEnd : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("SSTV_STANDIN")) << "run through link_e2e.sh";
    ASSERT_TRUE(gradient(123, 45, 9).save(file("owned.png")));
    ownedPng = bytesOf(file("owned.png"));
    ASSERT_TRUE(gradient(320, 256, 77).save(file("theirs.png")));
  }
  void TearDown() override {
    standIns.stopAll();
    FormTest::TearDown();
  }

  // The window with program `code` chosen and a main picture of its own, while another program
  // owns the clipboard with a picture and a text.
  Form1& chosen(int code) {
    Form1& f = start();
    (f.*(sstvProgramOf(code)->menu))->trigger();
    f.Picture1->setPicture(gradient(f.frameWidth(), 256, code));
    owner = standIns.open({{"--own-png", file("owned.png"), "--own-text", OwnedText}}).front();
    dialogs->calls.clear();
    return f;
  }
  // The owner has gone: what is offered now must be what it offered, byte for byte.
  ::testing::AssertionResult clipboardCameBack() {
    owner->stop();
    if (readAsAnotherProgram(QStringLiteral("image/png")) != ownedPng) return ::testing::AssertionFailure() << "picture lost";
    if (readAsAnotherProgram(QStringLiteral("UTF8_STRING")) != OwnedText.toUtf8())
      return ::testing::AssertionFailure() << "text lost";
    return ::testing::AssertionSuccess();
  }
  QString file(const QString& name) const { return folder.filePath(name); }
  static QString joined(const QStringList& keys) { return strokesOf(keys).join(QLatin1Char(',')); }

  QTemporaryDir folder;
  platform::XdoWindowLink finder;
  StandIns standIns{folder.path(), finder};
  StandIn* owner = nullptr;
  QByteArray ownedPng;
};

// Every row with send keys: all its windows are shown, the last takes the keys in order and
// pastes the main picture, the others get nothing; the clipboard comes back whole. W95SSTV shows
// one of its eight titles, WinSkan its second by the beginning of its title.
TEST_F(LinkEndToEnd, EveryProgramRowSends) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.sendKeys.isEmpty() || !p.secondStageKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    Form1& f = chosen(p.code);
    QStringList titles = p.sendToCallsign ? QStringList{f.qsldefaults[2]} : p.sendTitles;
    if (p.code == 6) titles = {QStringLiteral("W95SSTV - E")};
    if (p.code == 16) titles.last() = QStringLiteral("WinSkan SSTV 2.0");
    std::vector<QStringList> arguments;
    for (const QString& t : titles) arguments.push_back({"--window-title", t, "--paste-on", joined(p.sendKeys)});
    const std::vector<StandIn*> windows = standIns.open(arguments);
    f.Command3_Click();
    for (StandIn* w : windows) EXPECT_EQ(w->strokes(), w == windows.back() ? strokesOf(p.sendKeys) : QStringList());
    EXPECT_TRUE(samePixels(QImage(windows.back()->pasted()), f.Picture1->picture()));
    EXPECT_TRUE(dialogs->calls.empty());
    EXPECT_TRUE(clipboardCameBack());
    standIns.stopAll();
  }
}

// JVComm32's first stage may copy a picture, which is kept; without one it is told "{tab}". The
// second stage pastes the main picture.
TEST_F(LinkEndToEnd, JvcommSendsInTwoStages) {
  const SstvProgram& p = *sstvProgramOf(8);
  for (const bool copies : {true, false}) {
    SCOPED_TRACE(copies);
    Form1& f = chosen(8);
    QStringList jvcomm = {"--window-title", "JVComm32", "--paste-on", joined(p.secondStageKeys)};
    if (copies) jvcomm << "--copy-on" << joined(p.sendKeys) << "--copy-from" << file("theirs.png");
    const std::vector<StandIn*> windows = standIns.open({{"--window-title", "Comm32"}, jvcomm});
    f.Command3_Click();
    const QStringList tab = copies ? QStringList() : QStringList{QStringLiteral("{tab}")};
    EXPECT_EQ(windows[0]->strokes(), QStringList());
    EXPECT_EQ(windows[1]->strokes(), strokesOf(p.sendKeys + tab + p.secondStageKeys));
    EXPECT_TRUE(samePixels(QImage(windows[1]->pasted()), f.Picture1->picture()));
    EXPECT_TRUE(copies ? samePixels(f.Image6->picture(), QImage(file("theirs.png"))) : !f.Image6->hasPicture());
    EXPECT_TRUE(clipboardCameBack());
    standIns.stopAll();
  }
}

// The rows with import keys: the program copies its picture into the strip box dropped on.
TEST_F(LinkEndToEnd, EveryProgramRowImports) {
  for (const SstvProgram& p : sstvPrograms()) {
    if (p.importKeys.isEmpty()) continue;
    SCOPED_TRACE(p.code);
    Form1& f = chosen(p.code);
    standIns.open(p.importTitles.last(), {"--copy-on", joined(p.importKeys), "--copy-from", file("theirs.png")});
    f.dragsource = drag::ImportButton;
    f.stripBox_DragDrop(2);
    EXPECT_TRUE(samePixels(f.Image2->picture(), QImage(file("theirs.png"))));
    EXPECT_TRUE(clipboardCameBack());
    standIns.stopAll();
  }
}

// No window of the program (a callsign with "." matches no other title), or the program ending
// part-way: no key reaches anyone else, the operator is told, and nothing is lost.
TEST_F(LinkEndToEnd, MissingOrVanishingProgramsSendNoKeysAndLoseNothing) {
  for (const int code : {10, 17}) {
    SCOPED_TRACE(code);
    Form1& f = chosen(code);
    f.qsldefaults[2] = QStringLiteral("G4.AB");
    StandIn& bystander = standIns.open(Bystander);
    StandIn& lookalike = standIns.open(QStringLiteral("G4XAB"));
    StandIn& roy = standIns.open(QStringLiteral("Roy1 SSTV"), {"--exit-on", "alt"});
    finder.activate(Bystander);
    f.Command3_Click();
    waitFor([] { return false; }, 200);  // time for a stray key to arrive
    EXPECT_EQ(bystander.strokes(), QStringList());
    EXPECT_EQ(lookalike.strokes(), QStringList());
    EXPECT_EQ(roy.strokes(), code == 17 ? QStringList{QStringLiteral("alt")} : QStringList());
    EXPECT_TRUE(shownOnce(QStringLiteral("Check Setup"), QStringLiteral("ERROR, Cannot paste. Check Selected Program is Active"),
                          vb::OKOnly));
    EXPECT_TRUE(clipboardCameBack());
    standIns.stopAll();
  }
}

}  // namespace
