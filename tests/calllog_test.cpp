#include <QDir>
#include <QFile>

#include "platform/colour.h"
#include "tests/support/form_fixture.h"

namespace {

// A longer callsign before a shorter one, a callsign inside a line, and the oldest record last.
const QByteArray Log = "\"\r\nG4ABCD Dave, Derby, works G4AB\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds\"\r\n";

QByteArray replaced(QByteArray bytes, const char* from, const char* to) { return bytes.replace(from, to); }

class CallLogTest : public FormTest {
 protected:
  Form1& startWithLog(const QByteArray& log = Log) {
    writeFile(QStringLiteral("logdata"), log);
    Form1& f = start();
    dialogs->calls.clear();
    return f;
  }
  // Types a callsign and, when given, edits the line the lookup showed.
  void show(const char* call, const char* edit = nullptr) {
    form->Text3->setText(QString::fromLatin1(call));
    if (edit) form->Text4->setText(QString::fromLatin1(edit));
  }
  QByteArray logFile() const { return readFile(QStringLiteral("logdata")); }
};

}  // namespace

TEST_F(CallLogTest, LookupShowsOnlyAStationWhoseRecordStartsWithTheCallsign) {
  Form1& f = startWithLog();
  const struct { const char* typed; const char* shown; const char* info; bool saveEnabled; } cases[] = {
      {"g4abc", "G4ABC", "Fred, Leeds", false},  // the longer G4ABCD first in the log hides nothing
      {"G4AB", "G4AB", "", false},               // only the start of G4ABCD, and inside its line
      {"DERBY", "DERBY", "", false},             // inside a line: the box keeps what it showed
      {"ZZ1ZZ", "ZZ1ZZ", "", false},
  };
  for (const auto& c : cases) {
    show(c.typed);
    EXPECT_EQ(f.Text3->text(), QString::fromLatin1(c.shown));
    EXPECT_EQ(f.Text4->text(), QString::fromLatin1(c.info)) << c.typed;
    EXPECT_EQ(f.Command2->isEnabled(), c.saveEnabled) << c.typed;
  }
  show("W1XYZ", "Bob, Salem");
  EXPECT_TRUE(f.Command2->isEnabled());
}

TEST_F(CallLogTest, SaveAsksAndWritesTheLogOnlyOnYes) {
  const struct { const char* call; const char* edit; int answer; QByteArray file; const char* text4; } cases[] = {
      {"w1xyz", "Bob, Salem", vb::Yes, replaced(Log, "Bob, Boston", "Bob, Salem"), "Bob, Salem"},
      {"K1AB", "Al \"the\" ham", vb::Yes, "\"\r\nK1AB Al 'the' ham" + Log.mid(1), "Al 'the' ham"},
      {"W1XYZ", "Bob, Salem", vb::No, Log, "Bob, Salem"},
      {"W1XYZ", "Bob, Salem", vb::Cancel, Log, "Bob, Boston"},
  };
  for (const auto& c : cases) {
    Form1& f = startWithLog();
    show(c.call, c.edit);
    dialogs->answers = {c.answer};
    f.Command2_Click();
    ASSERT_EQ(dialogs->calls.size(), 1u);
    EXPECT_EQ(dialogs->calls[0].title, QStringLiteral("ARE YOU SURE!!"));
    EXPECT_EQ(dialogs->calls[0].prompt, QStringLiteral("Save \"%1   %2\"").arg(f.Text3->text(), QString::fromLatin1(c.edit)));
    EXPECT_EQ(logFile(), c.file) << c.edit;
    EXPECT_EQ(f.logtext, QString::fromUtf8(c.file.mid(1, c.file.size() - 4)));
    EXPECT_EQ(f.Text4->text(), QString::fromLatin1(c.text4));
    EXPECT_EQ(f.Command2->isEnabled(), c.answer == vb::No);
    f.unloaded = true;
    form.reset();
  }
}

TEST_F(CallLogTest, DeleteTakesTheRecordWithOneLineBreakAndAsksFirst) {
  const struct { const char* call; const char* edit; std::vector<int> answers; QByteArray file; size_t questions; } cases[] = {
      {"W1XYZ", nullptr, {vb::Yes}, replaced(Log, "\r\nW1XYZ Bob, Boston", ""), 1},
      {"G4ABC", nullptr, {vb::Yes}, replaced(Log, "\r\nG4ABC Fred, Leeds", ""), 1},  // the oldest record
      {"W1XYZ", nullptr, {vb::No}, Log, 1},
      {"W1XYZ", "Bob, Salem", {}, Log, 0},  // the first click puts the shown line back
  };
  for (const auto& c : cases) {
    Form1& f = startWithLog();
    show(c.call, c.edit);
    dialogs->answers = {c.answers.begin(), c.answers.end()};
    f.Command9_Click();
    ASSERT_EQ(dialogs->calls.size(), c.questions) << c.call;
    if (c.questions == 1) EXPECT_EQ(dialogs->calls[0].buttons, 308);
    EXPECT_EQ(logFile(), c.file) << c.call;
    const bool deleted = c.file != Log;
    EXPECT_EQ(f.Text3->text().isEmpty(), deleted);
    if (c.edit) EXPECT_EQ(f.Text4->text(), QStringLiteral("Bob, Boston"));
    f.unloaded = true;
    form.reset();
  }
}

TEST_F(CallLogTest, DamagedLogIsRepairedOnceWithItsOriginalKeptInTheBackup) {
  const struct { QByteArray bytes; const char* log; bool message; } cases[] = {
      {Log, "\r\nG4ABCD Dave, Derby, works G4AB\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds", false},
      {"\"\nG4ABC Fred \"Leeds\"\nW1XYZ Bob\"", "\r\nG4ABC Fred 'Leeds'\r\nW1XYZ Bob", true},
      {QByteArray("G4ABC Fr\0ed\r\rW1XYZ", 18), "\r\nG4ABC Fr ed\r\nW1XYZ ", true},
  };
  for (const auto& c : cases) {
    writeFile(QStringLiteral("logdata"), c.bytes);
    QFile::remove(path(QStringLiteral("logdata.bak")));
    Form1& f = start();
    EXPECT_EQ(f.logtext, QString::fromLatin1(c.log));
    EXPECT_EQ(readFile(QStringLiteral("logdata.bak")), c.bytes);
    ASSERT_EQ(dialogs->calls.size(), c.message ? 1u : 0u);
    if (c.message) EXPECT_TRUE(dialogs->calls[0].prompt.contains(QStringLiteral("\"logdata.bak\"")));
    // Saving leaves the backup as it was at start-up.
    show("W1XYZ", "Bob, Salem");
    f.Command2_Click();
    EXPECT_EQ(readFile(QStringLiteral("logdata.bak")), c.bytes);
    dialogs->calls.clear();
    f.unloaded = true;
    form.reset();
  }
}

// A file that cannot be written (a folder stands in its place, which stops even the superuser):
// one message naming it, the log as it was, the edit still in the box.
TEST_F(CallLogTest, ALogThatCannotBeWrittenOrWasNotReadIsNeverWrittenOver) {
  Form1& f = startWithLog();
  const QString before = f.logtext;
  QFile::remove(path(QStringLiteral("logdata")));
  ASSERT_TRUE(QDir(programDir).mkdir(QStringLiteral("logdata")));
  show("W1XYZ", "Bob, Salem");
  f.Command2_Click();
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_TRUE(dialogs->calls[1].prompt.contains(QStringLiteral("\"logdata\"")));
  EXPECT_EQ(f.logtext, before);
  EXPECT_EQ(f.Text4->text(), QStringLiteral("Bob, Salem"));
  EXPECT_TRUE(f.Command2->isEnabled());

  // At the next start the folder cannot be read as a log: it is not replaced by the empty log.
  f.unloaded = true;
  form.reset();
  Form1& g = start();
  dialogs->calls.clear();
  show("K1AB", "Al");
  g.Command2_Click();
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_TRUE(dialogs->calls[1].prompt.contains(QStringLiteral("could not be read")));
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("logdata"))).isDir());
  EXPECT_TRUE(g.logtext.isEmpty());
}

TEST_F(CallLogTest, MugshotIsTheLastFileThatLoadsAndNeverOneOutsideTheProgramDirectory) {
  writeFile(QStringLiteral("G4ABC.bmp"), bmpBytes(solidImage(8, 8, 0xFF)));
  writeFile(QStringLiteral("g4abc.PNG"), bmpBytes(solidImage(8, 8, 0xFF00)));  // a BMP by its content
  writeFile(QStringLiteral("G4ABC.tga"), "not a picture");
  writeFile(QStringLiteral("../X.png"), bmpBytes(solidImage(8, 8, 0xFF0000)));
  Form1& f = startWithLog(Log.left(Log.size() - 3) + "\r\n../X planted\"\r\n");
  show("G4ABC");
  ASSERT_TRUE(f.Image7->hasPicture());
  EXPECT_EQ(pixelAt(f.Image7->picture(), 0, 0), 0xFF00);
  show("../X");
  EXPECT_EQ(f.Text4->text(), QStringLiteral("planted"));
  EXPECT_FALSE(f.Image7->hasPicture());

  show("G4ABC");
  std::vector<int> dragged;
  f.beginDrag = [&](QWidget*) { dragged.push_back(f.dragsource); };
  f.Image7_MouseDown(2, 0, 0, 0);
  EXPECT_EQ(dragged, std::vector<int>{10});
}

TEST_F(CallLogTest, EveryWayOfEndingTheSearchGivesText1ItsTextFontAndColourBack) {
  Form1& f = startWithLog();
  const std::function<void()> enders[] = {
      [&] { f.Label48_Click(); },
      [&] { f.Text1_MouseDown(1, 0, 0, 0); },
      [&] { f.Text3->setText(QStringLiteral("W1XYZ")); },
      [&] { f.Text3_KeyPress(13); },
  };
  for (const auto& end : enders) {
    f.Text1->setText(QStringLiteral("CQ CQ"));
    const QFont font = f.Text1->font();
    f.Text3->setText(QStringLiteral("leeds"));
    f.Text3_KeyPress(13);
    EXPECT_EQ(f.Label48->backColor(), 255);
    EXPECT_EQ(f.Text1->text(), QStringLiteral("Matches for:-    LEEDS\r\n\r\nG4ABC Fred, Leeds\r\n\r\n  ---no more matches---"));
    EXPECT_EQ(f.Text1->height(), 132);
    end();
    EXPECT_EQ(f.Label48->backColor(), 0xC0C0);
    EXPECT_EQ(f.Text1->text(), QStringLiteral("CQ CQ"));
    EXPECT_EQ(f.Text1->font(), font);
    EXPECT_EQ(f.Text1->backColor(), 0xC0C0C0);
    EXPECT_EQ(f.Text1->height(), 52);
  }
}
