#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <algorithm>

#include "tests/support/form_fixture.h"

namespace {

// A longer callsign before a shorter one, a callsign inside a line, and the oldest record last.
const QByteArray Log = "\"\r\nG4ABCD Dave, Derby, works G4AB\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds\"\r\n";
const QString Backup = QStringLiteral("logdata.bak");

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

// Each kind of lookup result in turn: a record shows its line, a callsign inside a line keeps what
// the box showed, no match and the start of a longer callsign clear it. Only an edit enables Save.
TEST_F(CallLogTest, LookupShowsOnlyAStationWhoseRecordStartsWithTheCallsign) {
  Form1& f = startWithLog();
  const struct { const char* typed; const char* shown; const char* info; } cases[] = {
      {"g4abc", "G4ABC", "Fred, Leeds"},  // the longer G4ABCD first in the log hides nothing
      {"DERBY", "DERBY", "Fred, Leeds"},
      {"ZZ1ZZ", "ZZ1ZZ", ""},
      {"W1XYZ", "W1XYZ", "Bob, Boston"},
      {"G4AB", "G4AB", ""},
  };
  for (const auto& c : cases) {
    show(c.typed);
    EXPECT_EQ(std::tuple(f.Text3->text(), f.Text4->text(), f.Command2->isEnabled()),
              std::tuple(QString::fromLatin1(c.shown), QString::fromLatin1(c.info), false))
        << c.typed;
  }
  show("W1XYZ", "Bob, Salem");
  EXPECT_TRUE(f.Command2->isEnabled());
  show("DERBY");  // inside another station's line: the edit and Save Call stay
  EXPECT_EQ(std::tuple(f.Text4->text(), f.Command2->isEnabled()), std::tuple(QStringLiteral("Bob, Salem"), true));
}

// Save and Delete ask first and write the log only on Yes; a saved line shows as the log holds it,
// Cancel puts the shown line back. Delete's default button is No, and an edited line is first put
// back without asking.
TEST_F(CallLogTest, SaveAndDeleteAskFirstAndWriteTheLogOnlyOnYes) {
  const QString save = QStringLiteral("Save \"W1XYZ   Bob, Salem\""), del = QStringLiteral("Delete \"W1XYZ   Bob, Boston\"");
  const struct { bool saving; const char *call, *edit; int answer; QString prompt; QByteArray file; const char *text3, *text4; }
      cases[] = {
      {true, "w1xyz", "Bob, Salem", vb::Yes, save, replaced(Log, "Bob, Boston", "Bob, Salem"), "W1XYZ", "Bob, Salem"},
      {true, "K1AB", "Al \"the\" ham", vb::Yes, QStringLiteral("Save \"K1AB   Al \"the\" ham\""),
       "\"\r\nK1AB Al 'the' ham" + Log.mid(1), "K1AB", "Al 'the' ham"},
      {true, "W1XYZ", "Bob, Salem", vb::No, save, Log, "W1XYZ", "Bob, Salem"},
      {true, "W1XYZ", "Bob, Salem", vb::Cancel, save, Log, "W1XYZ", "Bob, Boston"},
      {false, "W1XYZ", nullptr, vb::Yes, del, replaced(Log, "\r\nW1XYZ Bob, Boston", ""), "", ""},
      {false, "W1XYZ", nullptr, vb::No, del, Log, "W1XYZ", "Bob, Boston"},
      {false, "W1XYZ", "Bob, Salem", vb::Yes, QString(), Log, "W1XYZ", "Bob, Boston"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.prompt).arg(c.answer).toStdString());
    Form1& f = startWithLog();
    show(c.call, c.edit);
    dialogs->answers = {c.answer};
    c.saving ? f.Command2_Click() : f.Command9_Click();
    const int buttons = c.saving ? vb::YesNoCancel : vb::YesNo + vb::Exclamation + vb::DefaultButton2;
    EXPECT_TRUE(c.prompt.isNull() ? dialogs->calls.empty() : shownOnce(QStringLiteral("ARE YOU SURE!!"), c.prompt, buttons));
    EXPECT_EQ(logFile(), c.file);
    EXPECT_EQ(f.logtext, QString::fromUtf8(c.file.mid(1, c.file.size() - 4)));
    EXPECT_EQ(std::tuple(f.Text3->text(), f.Text4->text(), f.Command2->isEnabled()),
              std::tuple(QString::fromLatin1(c.text3), QString::fromLatin1(c.text4), c.saving && c.answer == vb::No));
  }
}

// "logdata.bak" is the log byte for byte as this start found it, a damaged one repaired with one
// message naming where its bytes are kept, and backed up as repaired once the backup's stations it
// lacks are kept too; saving leaves the backup. A first start leaves the empty log.
TEST_F(CallLogTest, BackupIsTheLogAsStartedOrAsRepaired) {
  start();
  EXPECT_EQ(readFile(Backup), "\"\"\r\n");
  const QByteArray damaged = "\"\nG4ABC Fred \"Leeds\"\nW1XYZ Bob\"";
  const QByteArray strayByte = "\"\r\nDL1AB Hans, M\xc3\xbcnchen \xff\r\nF6ABC Ren\xc3\xa9, 5\xe2\x82\xac\"\r\n";
  // `keptBackup`: where the backup's stations the repaired log lacks are kept.
  const struct { QByteArray bytes; const char* log; const char* kept; QByteArray backup; const char* keptBackup = nullptr; } cases[] = {
      // only the empty log to lose
      {damaged, "\r\nG4ABC Fred 'Leeds'\r\nW1XYZ Bob", "logdata.damaged", "\"\r\nG4ABC Fred 'Leeds'\r\nW1XYZ Bob\"\r\n"},
      {Log, "\r\nG4ABCD Dave, Derby, works G4AB\r\nW1XYZ Bob, Boston\r\nG4ABC Fred, Leeds", nullptr, Log},
      {strayByte, "\r\nDL1AB Hans, M\u00fcnchen \u00ff\r\nF6ABC Ren\u00e9, 5\u20ac", "logdata.damaged-2",
       replaced(strayByte, "\xff", "\xc3\xbf"), "logdata.bak.kept"},
  };
  for (const auto& c : cases) {
    writeFile(QStringLiteral("logdata"), c.bytes);
    const QByteArray backupBefore = readFile(Backup);
    Form1& f = start();
    EXPECT_EQ(f.logtext, QString::fromUtf8(c.log));
    EXPECT_EQ(readFile(Backup), c.backup);
    ASSERT_EQ(dialogs->calls.size(), c.kept ? 1u : 0u);
    for (const char* kept : {c.kept, c.keptBackup})
      if (kept) EXPECT_TRUE(dialogs->calls[0].prompt.contains(u'"' + QString::fromLatin1(kept) + u'"')) << kept;
    if (c.kept) EXPECT_EQ(readFile(QString::fromLatin1(c.kept)), c.bytes);
    if (c.keptBackup) EXPECT_EQ(readFile(QString::fromLatin1(c.keptBackup)), backupBefore);
    show("W1XYZ", "Bob, Salem");
    f.Command2_Click();
    EXPECT_EQ(readFile(Backup), c.backup);
    dialogs->calls.clear();
  }
}

// A log lost outright (no file, or no log whatever its bytes: blanks and line ends, zero bytes,
// control bytes, stray bytes without a quote, quotes around nothing) is taken from a backup that
// holds stations, and the start says so once: the next Save Call writes them back with the new
// one, the backup stays until then, and after an exit the next start finds every station and
// backs them up. The program's own empty log (every station deleted) is a log like any other:
// no word, and it is backed up as found.
TEST_F(CallLogTest, ALostLogComesBackFromItsBackup) {
  const QString restored = QStringLiteral("\r\nIts stations have been taken from \"logdata.bak\", which is left as it is; "
                                          "the next call saved or deleted writes them to \"logdata\".");
  const auto unreadable = [&](const char* kept) {
    return " holds no station that can be read." + restored + "\r\nThe bytes \"logdata\" held are kept in \"" +
           QString::fromLatin1(kept) + "\", which no later start writes over.";
  };
  const QByteArray k1ab = "\"\r\nK1AB Al, Boston";
  // `said`: none when the log is the program's own, which the start backs up as found.
  const struct { QByteArray log; QString said; QByteArray saved; } cases[] = {
      {QByteArray(), " is missing." + restored, k1ab + Log.mid(1)},
      {"", " is empty." + restored, k1ab + Log.mid(1)},
      {" \r\n\r\n\t\n", " is empty." + restored, k1ab + Log.mid(1)},
      {QByteArray(512, '\0'), unreadable("logdata.damaged"), k1ab + Log.mid(1)},
      {"\x01\x1b\r\n\x7f\x02\x0c\t", unreadable("logdata.damaged-2"), k1ab + Log.mid(1)},
      {"\xff\xfe\x89 stray\x80\x01 bytes\r\n\x9d", unreadable("logdata.damaged-3"), k1ab + Log.mid(1)},
      {QByteArray("\"\0\0\r\n \0\"\0", 9), unreadable("logdata.damaged-4"), k1ab + Log.mid(1)},
      {"\"\"\r\n", QString(), k1ab + "\"\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log.isNull() ? "missing" : std::to_string(c.log.size()) + " bytes " + c.log.left(12).toHex(' ').toStdString());
    writeFile(Backup, Log);
    if (!c.log.isNull()) writeFile(QStringLiteral("logdata"), c.log);
    else QFile::remove(path(QStringLiteral("logdata")));
    dialogs->calls.clear();
    Form1& f = start();
    if (c.said.isNull()) EXPECT_TRUE(dialogs->calls.empty());
    else EXPECT_TRUE(shownOnce(QStringLiteral("Call Log"), QStringLiteral("The call log \"logdata\" in ") + programDir + c.said, vb::OKOnly));
    const QByteArray backup = c.said.isNull() ? c.log : Log;
    EXPECT_EQ(readFile(Backup), backup);
    dialogs->calls.clear();
    show("k1ab", "Al, Boston");
    dialogs->answers = {vb::Yes};
    f.Command2_Click();
    EXPECT_EQ(std::tuple(logFile(), readFile(Backup)), std::tuple(c.saved, backup));
    f.close();
    ASSERT_TRUE(f.unloaded);
    dialogs->calls.clear();
    start();
    EXPECT_TRUE(dialogs->calls.empty());
    EXPECT_EQ(readFile(Backup), c.saved);
    show("G4ABC");
    EXPECT_EQ(form->Text4->text(), c.saved.contains("G4ABC") ? QStringLiteral("Fred, Leeds") : QString());
  }
}

// Whatever a start cannot read whole or would not write back as found outlives a Save Call, an
// exit and the next start, its bytes as they were in a file a start names: a damaged log of any
// kind, whose backup's six stations are kept before the repaired log replaces the backup; a backup
// of junk, which is not taken in place of a missing log; a backup, messages, settings or
// saved-picture file that cannot be read, which is never written over; beside such a backup a
// missing, lost or damaged log, left as found until the start that reads the backup takes or
// keeps its stations; a saved picture cut short; messages edited by hand; settings of stray bytes.
// One start after another on the same folder, no copy replaces an earlier one. The program's own
// empty log is the operator's: the backup's stations go with it.
TEST_F(CallLogTest, WhatAStartCannotReadWholeOutlivesASaveAnExitAndTheNextStart) {
  const AsOrdinaryUser user(dataHome.path());  // so that a file of mode 0200 cannot be read
  const auto stations = [](int row) {
    QStringList records;
    for (const char* station : {"G4ABC Fred, Leeds", "W1XYZ Bob, Boston", "DL1AB Hans, Bonn", "F6ABC Rene, Caen",
                                "VK2QQ Joe, Perth", "JA1XY Ken, Tokyo"})
      records << QStringLiteral("%1, row %2").arg(QString::fromLatin1(station)).arg(row);
    return records;
  };
  const auto logOf = [](const QStringList& records) { return "\"\r\n" + records.join(QStringLiteral("\r\n")).toUtf8() + "\"\r\n"; };
  const auto newer = [&](int row) { return logOf(QStringList{QStringLiteral("M0NEW Nina, Hull, row %1").arg(row)} + stations(row)); };
  QByteArray random(4096, '\0');
  QRandomGenerator(29).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
  QByteArray noise = random.left(700).replace('"', 'x');
  noise[350] = '"';
  QByteArray settingsNoise(20000, '\0');
  QRandomGenerator(32).fillRange(reinterpret_cast<quint32*>(settingsNoise.data()), settingsNoise.size() / 4);
  // `log`: what "logdata" holds beside a backup row; none, it is missing. `next`: what the start
  // that reads the backup says of its stations.
  const char* taken = "have been taken";
  const struct {
    const char* what; const char* name; QByteArray bytes; bool readable = true; std::optional<QByteArray> log;
    const char* next = nullptr; bool keeps = true;
  } cases[] = {
      {"one quote in noise", "logdata", noise},
      {"random bytes", "logdata", random},
      {"cut mid-record", "logdata", newer(2).left(newer(2).size() * 45 / 100)},
      {"zeroed start", "logdata", newer(3).replace(0, 40, QByteArray(40, '\0'))},
      {"UTF-16", "logdata", QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(QString::fromUtf8(newer(4)))},
      {"typed by hand", "logdata", "W1AW ARRL HQ, Newington\r\nK2XY Joe, Albany\r\n"},
      {"zero bytes after", "logdata", newer(6) + QByteArray(300, '\0')},
      {"junk backup", "logdata.bak", "\x01\x02 junk, no quote\r\n\xfe\xff\r\nK9ZZ stray text"},
      {"backup unreadable", "logdata.bak", logOf(stations(8)), false, {}, taken},
      {"messages unreadable", "messages", "\"CQ de G4ABC\r\n---\r\n73\"\r\n", false},
      {"restore unreadable", "restore", restoreFile({{77, "\"G4ABC\""}}), false},
      {"exit picture damaged", "JustText21.bmp", bmpBytes(solidImage(320, 256, 0xFF)).left(900)},
      {"header strip unreadable", "JustText22.bmp", bmpBytes(solidImage(320, 32, 0xFF00)), false},
      {"backup unreadable, log damaged", "logdata.bak", logOf(stations(13)), false, noise, "held stations the repaired log does not"},
      {"backup unreadable, log empty", "logdata.bak", logOf(stations(14)), false, "", taken},
      {"program's own empty log", "logdata.bak", logOf(stations(15)), true, "\"\"\r\n", nullptr, false},
      {"messages edited by hand", "messages", "QRZ?\r\n\"CQ de G4ABC\r\n---\r\n73\"\r\nnext time"},
      {"settings of random bytes", "restore", settingsNoise},
  };
  const auto folderHolds = [&](const QByteArray& bytes, bool whole) {
    for (const QString& name : QDir(programDir).entryList(QDir::Files | QDir::Hidden))
      if (whole ? readFile(name) == bytes : readFile(name).contains(bytes)) return name;
    return QString();
  };
  for (int row = 0; row < int(std::size(cases)); ++row) {
    const auto& c = cases[row];
    SCOPED_TRACE(c.what);
    const QString file = QString::fromLatin1(c.name);
    writeFile(Backup, logOf(stations(row)));
    writeFile(QStringLiteral("logdata"), newer(row));
    if (file == Backup) {
      QFile::remove(path(QStringLiteral("logdata")));
      if (c.log) writeFile(QStringLiteral("logdata"), *c.log);
    }
    writeFile(file, c.bytes);
    QFile::setPermissions(path(file), c.readable ? QFile::ReadOwner | QFile::WriteOwner : QFile::WriteOwner);
    dialogs->calls.clear();
    Form1& f = start();
    const auto said = [this](const QString& text) {
      const auto& calls = dialogs->calls;
      return std::any_of(calls.begin(), calls.end(), [&](const auto& call) { return call.prompt.contains(text); });
    };
    show("k1ab", "Al, Boston");
    dialogs->answers = {vb::Yes};
    f.Command2_Click();
    f.close();
    ASSERT_TRUE(f.unloaded);
    QFile::setPermissions(path(file), QFile::ReadOwner | QFile::WriteOwner);  // as the start-up asked
    start();
    const QString kept = folderHolds(c.bytes, true);
    EXPECT_EQ(kept.isEmpty(), !c.keeps);
    if (c.keeps) EXPECT_TRUE(said(u'"' + kept + u'"')) << kept.toStdString();
    if (file == Backup) {
      EXPECT_EQ(said(QStringLiteral("may hold stations it lacks")), !c.readable);  // the refused Save Call
      EXPECT_EQ(said(QString::fromLatin1(taken)), c.next == taken);
      if (c.next) EXPECT_TRUE(said(QString::fromLatin1(c.next)));
      const QByteArray unsaved = c.log.value_or(QByteArray());
      EXPECT_EQ(logFile(), c.readable ? QByteArray("\"\r\nK1AB Al, Boston\"\r\n") : unsaved);
    } else {
      for (const QString& station : stations(row)) EXPECT_FALSE(folderHolds(station.toUtf8(), false).isEmpty()) << station.toStdString();
    }
  }
  // Stations taken back live in "logdata.bak" alone, which the set-up of the next row replaces.
  for (const auto& c : cases)
    if (c.next != taken) EXPECT_EQ(folderHolds(c.bytes, true).isEmpty(), !c.keeps) << c.what;
}

// Days of ordinary use, a session a row with an exit between: calls saved, one deleted, another
// deleted and the last one's line edited and saved, the last station deleted, a session with
// nothing done, a new call. Deleting is the operator's own act: every start is silent, keeps no
// copy and backs the log up as it found it.
TEST_F(CallLogTest, OrdinaryUseAcrossStartsIsSilentAndBacksUpTheLogAsFound) {
  enum Act { Save, Delete };
  struct Step { Act act; const char* call; const char* edit = nullptr; };
  const std::vector<std::vector<Step>> sessions = {
      {{Save, "g4abc", "Fred, Leeds"}, {Save, "w1xyz", "Bob, Boston"}, {Save, "dl1ab", "Hans, Bonn"}},
      {{Delete, "G4ABC"}},
      {{Delete, "W1XYZ"}, {Save, "DL1AB", "Hans, Berlin"}},
      {{Delete, "DL1AB"}},
      {},
      {{Save, "k1ab", "Al, Boston"}},
      {},
  };
  const QSet<QString> own = {QStringLiteral("logdata"), Backup, QStringLiteral("messages"), QStringLiteral("restore")};
  for (size_t day = 0; day < sessions.size(); ++day) {
    SCOPED_TRACE(day);
    const QByteArray found = QFile::exists(path(QStringLiteral("logdata"))) ? logFile() : QByteArray("\"\"\r\n");
    dialogs->calls.clear();
    Form1& f = start();
    const QStringList files = QDir(programDir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    EXPECT_TRUE(QSet<QString>(files.begin(), files.end()).subtract(own).isEmpty()) << files.join(u' ').toStdString();
    EXPECT_TRUE(dialogs->calls.empty());
    EXPECT_EQ(readFile(Backup), found);
    for (const Step& step : sessions[day]) {
      show(step.call, step.edit);
      dialogs->answers = {vb::Yes};
      (step.act == Save ? f.Command2 : f.Command9)->click();
    }
    dialogs->answers = {vb::No};  // the thumbnails as they were: no picture files
    f.exit->trigger();
    ASSERT_TRUE(f.unloaded);
  }
  EXPECT_EQ(logFile(), "\"\r\nK1AB Al, Boston\"\r\n");
}

// The very first start finds no log and no backup: it says nothing, and the first Save Call asks
// its one question and writes the new station to "logdata".
TEST_F(CallLogTest, FirstStartSavesTheFirstStation) {
  Form1& f = start();
  show("k1ab", "Al, Boston");
  f.Command2_Click();
  EXPECT_TRUE(shownOnce(QStringLiteral("ARE YOU SURE!!"), QStringLiteral("Save \"K1AB   Al, Boston\""), vb::YesNoCancel));
  EXPECT_EQ(logFile(), "\"\r\nK1AB Al, Boston\"\r\n");
  EXPECT_EQ(readFile(Backup), "\"\"\r\n");
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
  EXPECT_EQ(std::tuple(f.logtext, f.Text4->text(), f.Command2->isEnabled()), std::tuple(before, QStringLiteral("Bob, Salem"), true));

  // At the next start the folder cannot be read as a log: that is said once, and it is not
  // replaced by the empty log.
  dialogs->calls.clear();
  Form1& g = start();
  EXPECT_TRUE(shownOnce(QStringLiteral("Call Log"),
                        QStringLiteral("The call log \"logdata\" in ") + programDir +
                            " cannot be read (Is a directory).\r\nNo station can be looked up, and Save Call and Delete "
                            "Call leave the file alone until Marvane starts with it readable.",
                        vb::OKOnly));
  dialogs->calls.clear();
  show("K1AB", "Al");
  g.Command2_Click();
  ASSERT_EQ(dialogs->calls.size(), 2u);
  EXPECT_TRUE(dialogs->calls[1].prompt.contains(QStringLiteral("could not be read whole at start-up (Is a directory)")));
  EXPECT_TRUE(QFileInfo(path(QStringLiteral("logdata"))).isDir());
  EXPECT_TRUE(g.logtext.isEmpty());

  // A backup that cannot be written, a link to nowhere in its place, is said at start-up.
  QDir(path(QStringLiteral("logdata"))).removeRecursively();
  writeFile(QStringLiteral("logdata"), Log);
  QFile::remove(path(Backup));
  ASSERT_TRUE(QFile::link(path(QStringLiteral("gone/logdata.bak")), path(Backup)));
  dialogs->calls.clear();
  start();
  ASSERT_EQ(dialogs->calls.size(), 1u);
  EXPECT_TRUE(dialogs->calls[0].prompt.startsWith(QStringLiteral("The call log could not be copied to \"logdata.bak\" (")));
}

// A pipe in the place of a program file would hold the start until something wrote to it: each
// is said to be unreadable, and left alone.
TEST_F(CallLogTest, PipesInPlaceOfTheProgramFilesDoNotHoldTheStart) {
  for (const char* name : {"logdata", "messages", "restore"}) ASSERT_EQ(mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
  start();
  const QString said = QStringLiteral(" cannot be read (not a plain file).\r\n");
  const std::vector<std::pair<QString, QString>> expected = {
      {QStringLiteral("Call Log"), "The call log \"logdata\" in " + programDir + said +
                                       "No station can be looked up, and Save Call and Delete Call leave the file "
                                       "alone until Marvane starts with it readable."},
      {QStringLiteral("Messages"), "The messages file \"messages\" in " + programDir + said +
                                       "The messages list starts empty, and the file is left as it is at exit, until "
                                       "Marvane starts with it readable."},
      {QStringLiteral("Settings"), "The settings file \"restore\" in " + programDir + said +
                                       "Marvane starts with its first settings, and the file is left as it is at exit, "
                                       "until Marvane starts with it readable."}};
  std::vector<std::pair<QString, QString>> shown;
  for (const auto& call : dialogs->calls) shown.emplace_back(call.title, call.prompt);
  EXPECT_EQ(shown, expected);
  form->close();
  for (const char* name : {"logdata", "messages", "restore"}) EXPECT_EQ(QFileInfo(path(name)).isFile(), false) << name;
}

// The file names are matched by the log's own rules; here the last file that loads wins (a PNG
// that is a BMP inside, over a TGA that is no picture) and a planted path finds nothing.
TEST_F(CallLogTest, MugshotIsTheLastFileThatLoadsAndNeverOneOutsideTheProgramDirectory) {
  writeFile(QStringLiteral("G4ABC.bmp"), bmpBytes(solidImage(8, 8, 0xFF)));
  writeFile(QStringLiteral("g4abc.PNG"), bmpBytes(solidImage(8, 8, 0xFF00)));
  writeFile(QStringLiteral("G4ABC.tga"), "not a picture");
  writeFile(QStringLiteral("../X.png"), bmpBytes(solidImage(8, 8, 0xFF0000)));
  Form1& f = startWithLog(Log.left(Log.size() - 3) + "\r\n../X planted\"\r\n");
  show("G4ABC");
  ASSERT_TRUE(f.Image7->hasPicture());
  EXPECT_EQ(pixelAt(f.Image7->picture(), 0, 0), 0xFF00);
  recordDrags();
  f.Image7_MouseDown(2, 0, 0, 0);
  EXPECT_EQ(drags, std::vector<int>{10});
  show("../X");
  EXPECT_EQ(std::tuple(f.Text4->text(), f.Image7->hasPicture()), std::tuple(QStringLiteral("planted"), false));
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
    EXPECT_EQ(std::tuple(f.Label48->backColor(), f.Text1->text(), f.Text1->height()),
              std::tuple(255L, QStringLiteral("Matches for:-    LEEDS\r\n\r\nG4ABC Fred, Leeds\r\n\r\n  ---no more matches---"), 132));
    end();
    EXPECT_EQ(std::tuple(f.Label48->backColor(), f.Text1->text(), f.Text1->backColor(), f.Text1->height()),
              std::tuple(0xC0C0L, QStringLiteral("CQ CQ"), 0xC0C0C0L, 52));
    EXPECT_EQ(f.Text1->font(), font);
  }
  // A second click among the window events the first one lets run ends the search before Text1
  // has lent it anything.
  const QFont font = f.Text1->font();
  QMetaObject::invokeMethod(f.Label48, [&f] { emit f.Label48->clicked(); }, Qt::QueuedConnection);
  emit f.Label48->clicked();
  EXPECT_EQ(std::tuple(f.Label48->backColor(), f.Text1->text(), f.Text1->font()), std::tuple(0xC0C0L, QStringLiteral("CQ CQ"), font));
}
